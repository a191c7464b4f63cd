#include "editor/frmLink.h"

#include "uiservice/DialogParts.h"
#include "uiservice/Ui.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantrel {

frmLink::frmLink(Ui &ui, QWidget *parent)
    : QDialog(parent)
    , m_ui(ui)
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
}

void frmLink::go()
{
    if (!m_txtLink->text().isEmpty())
        m_ui.openTarget(m_txtLink->text());
}

void frmLink::accept()
{
    // An empty address is stored as well.
    m_linkText = m_txtLink->text();
    QDialog::accept();
}

} // namespace vantrel
