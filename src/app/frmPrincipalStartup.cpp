// The main window's once-per-profile steps at load (the welcome with the
// example strat, the file association) and the Help menu's windows.
#include "app/frmDica.h"
#include "app/frmPrincipal.h"
#include "app/frmSobre.h"
#include "app/modFAssociation.h"
#include "appcore/ProgramFolder.h"
#include "uiservice/Ui.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileInfo>

namespace vantrel {

void frmPrincipal::firstRun()
{
    if (m_settings.firstRunMarker() != 0)
        return;
    m_settings.setFirstRunMarker(1);
    const QString message = text("s0012", "This is the first time that you are using Vantrel.")
                            + QStringLiteral("\r\n\r\n")
                            + text("s0013", "Would you like to open the exemple strat and take a "
                                            "look how to make a simple strat?");
    if (m_ws.ui.messageBox(this, message, text("s0014", "Welcome"), MsgButtons::YesNo,
                           MsgIcon::None)
        == MsgResult::No)
        return;
    QString example = ProgramFolder::filePath(QStringLiteral("example.vtr"));
    if (!m_languageName.isEmpty()) {
        const QString localised
            = ProgramFolder::filePath(QStringLiteral("example_%1.vtr").arg(m_languageName));
        if (QFileInfo(localised).isFile())
            example = localised;
    }
    OpenStratFile(example);
}

void frmPrincipal::associateFileTypeOnce()
{
    if (m_settings.associationMarker() != 0)
        return;
    // Stored first: the association is tried once per profile, whatever
    // happens.
    m_settings.setAssociationMarker(1);
    modFAssociation::RegisterFileType(
        modFAssociation::stratFileType(QCoreApplication::applicationFilePath()),
        modFAssociation::userDataHome());
}

void frmPrincipal::showTipsAtStartup()
{
    if (!m_settings.showTips())
        return;
    frmDica dialog(m_ws, m_settings, this);
    dialog.chkLoadTipsAtStartup()->setChecked(true);
    m_ws.ui.runModal(dialog);
}

void frmPrincipal::showTips()
{
    frmDica dialog(m_ws, m_settings, this);
    dialog.chkLoadTipsAtStartup()->setChecked(m_settings.showTips());
    m_ws.ui.runModal(dialog);
}

void frmPrincipal::showAbout()
{
    frmSobre dialog(m_ws, this);
    m_ws.ui.runModal(dialog);
}

} // namespace vantrel
