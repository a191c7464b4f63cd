#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace vantrel {

struct Workspace;

// The Insert Text dialog. OK hands the typed text back in
// EditorTools::DialogText; Cancel and the close box hand back "".
class frmTexto : public QDialog
{
    Q_OBJECT

public:
    frmTexto(Workspace &workspace, QWidget *parent = nullptr);

    QLineEdit *txtTexto() const { return m_txtTexto; }
    QPushButton *cmdOK() const { return m_cmdOK; }
    QPushButton *cmdCancelar() const { return m_cmdCancelar; }

    void accept() override;
    void reject() override;

private:
    Workspace &m_ws;
    QLineEdit *m_txtTexto;
    QPushButton *m_cmdOK;
    QPushButton *m_cmdCancelar;
};

} // namespace vantrel
