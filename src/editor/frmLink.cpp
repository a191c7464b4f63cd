#include "editor/frmLink.h"

#include "editor/Workspace.h"
#include "editor/frmMapa.h"
#include "uiservice/DialogParts.h"
#include "uiservice/Ui.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantrel {

frmLink::frmLink(Workspace &workspace, QWidget *parent)
    : QDialog(parent)
    , m_ws(workspace)
{
    setObjectName(QStringLiteral("frmLink"));
    setWindowTitle(QStringLiteral("Link"));
    auto *frame1 = new QGroupBox(QStringLiteral("Link to site, image or file in the web:"), this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    m_txtLink = new QLineEdit(frame1);
    m_txtLink->setObjectName(QStringLiteral("txtLink"));
    m_txtLink->setMinimumWidth(320);
    m_cmdGO = new QPushButton(QStringLiteral("GO"), frame1);
    m_cmdGO->setObjectName(QStringLiteral("cmdGO"));
    m_cmdGO->setAutoDefault(false);
    auto *row = new QHBoxLayout(frame1);
    row->addWidget(m_txtLink);
    row->addWidget(m_cmdGO);

    m_cmdOK = DialogParts::button(QStringLiteral("OK"), QStringLiteral("cmdOK"), this, true);
    m_cmdCancelar
        = DialogParts::button(QStringLiteral("Cancel"), QStringLiteral("cmdCancelar"), this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame1);
    layout->addLayout(DialogParts::buttonRow({m_cmdOK, m_cmdCancelar}));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_cmdGO, &QPushButton::clicked, this, &frmLink::go);
    connect(m_cmdOK, &QPushButton::clicked, this, &frmLink::accept);
    connect(m_cmdCancelar, &QPushButton::clicked, this, &frmLink::reject);
    if (m_ws.language.isLoaded())
        m_ws.language.SetLanguageInForm(this);
}

void frmLink::go()
{
    if (!m_txtLink->text().isEmpty())
        m_ws.ui.openTarget(m_txtLink->text());
}

void frmLink::accept()
{
    m_ws.tools.LinkText = m_txtLink->text();
    frmMapa *window = m_ws.stratWindow ? m_ws.stratWindow(m_ws.tools.SelectionWindow) : nullptr;
    if (window) {
        if (EditLinkIndex != 0)
            window->EditaLink(EditLinkIndex);
        else
            window->AdicionaLink();
    }
    QDialog::accept();
}

} // namespace vantrel
