#include "app/frmSobre.h"

#include "app/ClickLabel.h"
#include "app/ShellIcons.h"
#include "editor/Workspace.h"
#include "uiservice/DialogParts.h"
#include "uiservice/Ui.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace vantrel {

namespace {

QLabel *label(const QString &text, const char *name, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

ClickLabel *link(const QString &text, const char *name, QWidget *parent)
{
    auto *l = new ClickLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setStyleSheet(QStringLiteral("color: #1a55c0; text-decoration: underline;"));
    return l;
}

} // namespace

frmSobre::frmSobre(Workspace &workspace, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSobre"));
    setWindowTitle(QStringLiteral("About Vantrel"));

    auto *icon = label(QString(), "imgIcon", this);
    icon->setPixmap(
        ShellIcons::appIcon().scaled(48, 48, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    auto *lblSobre = label(QStringLiteral("Vantrel"), "lblSobre", this);
    QFont big = lblSobre->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.8);
    lblSobre->setFont(big);
    m_lblVer = label(QStringLiteral("0.00"), "lblVer", this);
    auto *lblDescricao
        = label(QStringLiteral("Plan and explain team tactics on the map."), "lblDescricao", this);
    auto *lblSite = link(QString::fromLatin1(kHomepage), "lblSite", this);
    auto *lblIRC = link(QStringLiteral("irc.vantrel.net #vantrel"), "lblIRC", this);
    auto *lblEmail = link(QString::fromLatin1(kEmail), "lblEmail", this);
    auto *lblCard = link(QString::fromLatin1(kCard), "lblCard", this);
    auto *lblCreditos = label(QStringLiteral("Written by the Vantrel team. Overview images, icons, "
                                             "tips and translations made by the team."),
                              "lblCreditos", this);
    lblCreditos->setWordWrap(true);
    auto *cmdOK = DialogParts::button(QStringLiteral("OK"), QStringLiteral("cmdOK"), this, true);

    auto *grid = new QGridLayout(this);
    grid->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(lblSobre, 0, 1, 1, 2);
    grid->addWidget(m_lblVer, 1, 1, 1, 2);
    grid->addWidget(lblDescricao, 2, 1, 1, 2);
    grid->addWidget(label(QStringLiteral("Homepage:"), "Label1", this), 3, 1);
    grid->addWidget(lblSite, 3, 2);
    grid->addWidget(label(QStringLiteral("IRC Chan:"), "Label3", this), 4, 1);
    grid->addWidget(lblIRC, 4, 2);
    grid->addWidget(label(QStringLiteral("E-mail:"), "Label5", this), 5, 1);
    grid->addWidget(lblEmail, 5, 2);
    grid->addWidget(lblCard, 6, 2);
    grid->addWidget(lblCreditos, 7, 1, 1, 2);
    grid->addLayout(DialogParts::buttonRow({cmdOK}), 8, 0, 1, 3);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    lblCreditos->setMaximumWidth(360);

    if (workspace.language.isLoaded())
        workspace.language.SetLanguageInForm(this);
    m_lblVer->setText(programVersion());
    // Every link label shows the e-mail label's hand.
    lblEmail->setCursor(Qt::PointingHandCursor);
    for (QLabel *l : {lblSite, lblCard, lblIRC})
        l->setCursor(lblEmail->cursor());

    Ui &ui = workspace.ui;
    connect(lblSite, &ClickLabel::clicked, this,
            [&ui, lblSite] { ui.openTarget(lblSite->text()); });
    connect(lblCard, &ClickLabel::clicked, this,
            [&ui, lblCard] { ui.openTarget(lblCard->text()); });
    connect(lblEmail, &ClickLabel::clicked, this,
            [&ui, lblEmail] { ui.openTarget(QStringLiteral("mailto:") + lblEmail->text()); });
    connect(lblIRC, &ClickLabel::clicked, this,
            [&ui] { ui.openTarget(QString::fromLatin1(kIrc)); });
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

QString frmSobre::versionText(int major, int minor, int revision)
{
    return QStringLiteral("%1.%2%3").arg(major).arg(minor).arg(revision);
}

QString frmSobre::programVersion()
{
    return versionText(VANTREL_VERSION_MAJOR, VANTREL_VERSION_MINOR, VANTREL_VERSION_REVISION);
}

} // namespace vantrel
