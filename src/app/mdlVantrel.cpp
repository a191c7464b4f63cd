#include "app/mdlVantrel.h"

#include "app/frmPrincipal.h"
#include "appcore/CommandLine.h"
#include "appcore/ProgramFolder.h"
#include "i18n/LanguagePack.h"
#include "uiservice/DesktopUi.h"
#include "uiservice/GuardedApplication.h"

#include <QLibraryInfo>
#include <QTranslator>

namespace vantrel::mdlVantrel {

int Main(GuardedApplication &app)
{
    DesktopUi ui;
    app.setUi(&ui);
    frmPrincipal frm(ui);

    // 1. and 2. The packs in lang/ and the one of the system language, if
    //    there is one; a missing folder or a damaged pack is said once, and
    //    the program goes on in English.
    const LanguageChoice choice
        = chooseSystemLanguage(frm.workspace().language, ProgramFolder::path(), QLocale::system());
    if (!choice.message.isEmpty())
        ui.messageBox(nullptr, choice.message, QString(), MsgButtons::Ok, MsgIcon::Critical);
    frm.setLanguageName(choice.languageName);
    // With a pack, Qt's own buttons (Yes, No, Cancel) speak the same language.
    QTranslator qtTexts;
    if (!choice.languageName.isEmpty()
        && qtTexts.load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);

    // 3. Show the main window; its load runs the remaining steps, among them
    //    opening the strat named on the command line.
    frm.setQuitOnClose(true);
    frm.Form_Load(CommandLine::join(app.arguments()));
    const int code = app.exec();
    app.setUi(nullptr);
    return code;
}

} // namespace vantrel::mdlVantrel
