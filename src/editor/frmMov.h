#pragma once

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vantrel {

struct Workspace;

// The Movement dialog: a start frame and one of three speeds. OK hands them
// back in EditorTools::DialogStartFrame and DialogVelocity.
class frmMov : public QDialog
{
    Q_OBJECT

public:
    static constexpr float kRunning = 8;
    static constexpr float kWalk = 3;
    static constexpr float kGrenade = 20;

    frmMov(Workspace &workspace, QWidget *parent = nullptr);

    // A grenade only offers "Granade"; a player never does.
    void prepareForNewPoint(bool grenade);
    // Fills the dialog from a stored way point (all three options enabled).
    void prepareForEdit(int32_t startFrame, float velocity);

    QLineEdit *txtIni() const { return m_txtIni; }
    QRadioButton *optVel(int i) const { return m_optVel.at(size_t(i)); }
    QPushButton *cmdOK() const { return m_cmdOK; }

    void accept() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Workspace &m_ws;
    QLineEdit *m_txtIni;
    std::array<QRadioButton *, 3> m_optVel{};
    QPushButton *m_cmdOK;
};

} // namespace vantrel
