#include "app/ShellMessages.h"

#include "editor/Workspace.h"
#include "strat/StratExtension.h"
#include "uiservice/Ui.h"

namespace vantrel::ShellMessages {

void critical(Ui &ui, QWidget *owner, const QString &message)
{
    ui.messageBox(owner, message, {}, MsgButtons::Ok, MsgIcon::Critical);
}

void openNotice(const Workspace &ws, QWidget *owner, const QString &path, const QString &notice)
{
    QString text = notice;
    if (notice == QLatin1String(StratExtension::kNewerNotice))
        text = ws.language.text(QStringLiteral("s0075"), notice);
    else if (notice == QLatin1String(StratExtension::kDamagedNotice))
        text = ws.language.text(QStringLiteral("s0076"), notice);
    ws.ui.messageBox(owner, path + QLatin1Char('\n') + text, {}, MsgButtons::Ok,
                     MsgIcon::Exclamation);
}

void tooManyStrats(const Workspace &ws, QWidget *owner)
{
    critical(ws.ui, owner,
             ws.language.text(QStringLiteral("s0009"),
                              QStringLiteral("Too much strats open at the same time.")));
}

} // namespace vantrel::ShellMessages
