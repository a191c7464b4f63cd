#include "app/ShellMessages.h"

#include "editor/Workspace.h"
#include "uiservice/Ui.h"

namespace vantrel::ShellMessages {

void critical(Ui &ui, QWidget *owner, const QString &message)
{
    ui.messageBox(owner, message, {}, MsgButtons::Ok, MsgIcon::Critical);
}

void tooManyStrats(const Workspace &ws, QWidget *owner)
{
    critical(ws.ui, owner,
             ws.language.text(QStringLiteral("s0009"),
                              QStringLiteral("Too much strats open at the same time.")));
}

} // namespace vantrel::ShellMessages
