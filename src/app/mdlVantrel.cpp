#include "app/mdlVantrel.h"

#include "app/frmPrincipal.h"
#include "appcore/CommandLine.h"
#include "uiservice/DesktopUi.h"

#include <QApplication>

namespace vantrel::mdlVantrel {

int Main(QApplication &app)
{
    DesktopUi ui;
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
    return app.exec();
}

} // namespace vantrel::mdlVantrel
