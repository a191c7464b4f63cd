#pragma once

#include <QDialog>

#include <cstdint>

class QLineEdit;
class QPushButton;

namespace vantrel {

class Ui;

// The Link dialog: the address of the selection's link. "GO" opens it with
// the desktop's default handler; OK hands it back as LinkText() for the caller
// to store (editing link EditLinkIndex, or adding a new link when that is 0).
class frmLink : public QDialog
{
    Q_OBJECT

public:
    explicit frmLink(Ui &ui, QWidget *parent = nullptr);

    // The number of the link being edited; 0 when OK adds a new one.
    int16_t EditLinkIndex() const { return m_editLinkIndex; }
    void setEditLinkIndex(int16_t index) { m_editLinkIndex = index; }

    QLineEdit *txtLink() const { return m_txtLink; }
    QPushButton *cmdGO() const { return m_cmdGO; }
    QPushButton *cmdOK() const { return m_cmdOK; }
    QPushButton *cmdCancelar() const { return m_cmdCancelar; }

    // The address after OK; empty otherwise.
    const QString &LinkText() const { return m_linkText; }

    void accept() override;

private:
    void go();

    Ui &m_ui;
    int16_t m_editLinkIndex = 0;
    QString m_linkText;
    QLineEdit *m_txtLink;
    QPushButton *m_cmdGO;
    QPushButton *m_cmdOK;
    QPushButton *m_cmdCancelar;
};

} // namespace vantrel
