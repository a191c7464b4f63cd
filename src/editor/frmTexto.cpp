#include "editor/frmTexto.h"

#include "uiservice/DialogParts.h"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantrel {

frmTexto::frmTexto(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmTexto"));
    setWindowTitle(QStringLiteral("Insert Text"));
    m_txtTexto = new QLineEdit(this);
    m_txtTexto->setObjectName(QStringLiteral("txtTexto"));
    m_txtTexto->setMinimumWidth(260);
    m_cmdOK = DialogParts::button(QStringLiteral("OK"), QStringLiteral("cmdOK"), this, true);
    m_cmdCancelar
        = DialogParts::button(QStringLiteral("Cancel"), QStringLiteral("cmdCancelar"), this);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_txtTexto);
    layout->addLayout(DialogParts::buttonRow({m_cmdOK, m_cmdCancelar}));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_cmdOK, &QPushButton::clicked, this, &frmTexto::accept);
    connect(m_cmdCancelar, &QPushButton::clicked, this, &frmTexto::reject);
}

void frmTexto::accept()
{
    m_dialogText = m_txtTexto->text();
    QDialog::accept();
}

void frmTexto::reject()
{
    // Cancel and the close box alike hand back nothing.
    m_dialogText.clear();
    QDialog::reject();
}

} // namespace vantrel
