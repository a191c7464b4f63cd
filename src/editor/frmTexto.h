#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace vantrel {

// The Insert Text dialog. DialogText() is the typed text after OK, and ""
// after Cancel or the close box.
class frmTexto : public QDialog
{
    Q_OBJECT

public:
    explicit frmTexto(QWidget *parent = nullptr);

    QLineEdit *txtTexto() const { return m_txtTexto; }
    QPushButton *cmdOK() const { return m_cmdOK; }
    QPushButton *cmdCancelar() const { return m_cmdCancelar; }

    // The dialog's answer, read after it closed.
    const QString &DialogText() const { return m_dialogText; }

    void accept() override;
    void reject() override;

private:
    QString m_dialogText;
    QLineEdit *m_txtTexto;
    QPushButton *m_cmdOK;
    QPushButton *m_cmdCancelar;
};

} // namespace vantrel
