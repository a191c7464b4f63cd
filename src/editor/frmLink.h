#pragma once

#include <QDialog>

#include <cstdint>

class QLineEdit;
class QPushButton;

namespace vantrel {

struct Workspace;

// The Link dialog: the address of the selection's link. "GO" opens it with
// the desktop's default handler; OK stores it (editing link EditLinkIndex, or
// adding a new link when that is 0) in the window of the last right-click.
class frmLink : public QDialog
{
    Q_OBJECT

public:
    frmLink(Workspace &workspace, QWidget *parent = nullptr);

    int16_t EditLinkIndex = 0;

    QLineEdit *txtLink() const { return m_txtLink; }
    QPushButton *cmdGO() const { return m_cmdGO; }
    QPushButton *cmdOK() const { return m_cmdOK; }
    QPushButton *cmdCancelar() const { return m_cmdCancelar; }

    void accept() override;

private:
    void go();

    Workspace &m_ws;
    QLineEdit *m_txtLink;
    QPushButton *m_cmdGO;
    QPushButton *m_cmdOK;
    QPushButton *m_cmdCancelar;
};

} // namespace vantrel
