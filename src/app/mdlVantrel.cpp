#include "app/mdlVantrel.h"

#include "app/frmPrincipal.h"
#include "appcore/CommandLine.h"
#include "uiservice/DesktopUi.h"
#include "uiservice/GuardedApplication.h"

namespace vantrel::mdlVantrel {

int Main(GuardedApplication &app)
{
    DesktopUi ui;
    app.setUi(&ui);
    frmPrincipal frm(ui);

    // 1. Enumerate the language packs, every *.lpk in lang/; a missing
    //    folder is reported once.
    // TODO(i18n): list the packs when the language packs arrive.

    // 2. Load the pack of the system language, if there is one, into
    //    frm.workspace().language and remember the language name.
    // TODO(i18n): pick and load the pack.

    // 3. Show the main window; its load runs the remaining steps, among them
    //    opening the strat named on the command line.
    frm.setQuitOnClose(true);
    frm.Form_Load(CommandLine::join(app.arguments()));
    const int code = app.exec();
    app.setUi(nullptr);
    return code;
}

} // namespace vantrel::mdlVantrel
