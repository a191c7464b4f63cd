#pragma once

#include <QDialog>

#include <array>
#include <cstdint>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vantrel {

// The Movement dialog's answer.
struct MovementAnswer
{
    int32_t DialogStartFrame = 0;
    float DialogVelocity = 0;
};

// The Movement dialog: a start frame and one of three speeds. After OK,
// answer() holds them; closing it otherwise leaves no answer.
class frmMov : public QDialog
{
    Q_OBJECT

public:
    static constexpr float kRunning = 8;
    static constexpr float kWalk = 3;
    static constexpr float kGrenade = 20;

    explicit frmMov(QWidget *parent = nullptr);

    // A grenade only offers "Granade"; a player never does.
    void prepareForNewPoint(bool grenade);
    // Fills the dialog from a stored way point (all three options enabled).
    void prepareForEdit(int32_t startFrame, float velocity);

    QLineEdit *txtIni() const { return m_txtIni; }
    QRadioButton *optVel(int i) const { return m_optVel.at(size_t(i)); }
    QPushButton *cmdOK() const { return m_cmdOK; }

    const std::optional<MovementAnswer> &answer() const { return m_answer; }

    void accept() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::optional<MovementAnswer> m_answer;
    QLineEdit *m_txtIni;
    std::array<QRadioButton *, 3> m_optVel{};
    QPushButton *m_cmdOK;
};

} // namespace vantrel
