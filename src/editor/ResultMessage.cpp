#include "editor/ResultMessage.h"

#include "uiservice/Ui.h"

namespace vantrel {

namespace {

MsgIcon toMsgIcon(ResultIcon icon)
{
    switch (icon) {
    case ResultIcon::Critical:
        return MsgIcon::Critical;
    case ResultIcon::Exclamation:
        return MsgIcon::Exclamation;
    case ResultIcon::Information:
        return MsgIcon::Information;
    case ResultIcon::None:
        break;
    }
    return MsgIcon::None;
}

} // namespace

void showResultMessage(Ui &ui, QWidget *owner, const ExportResult &result)
{
    if (!result.message.isEmpty())
        ui.messageBox(owner, result.message, {}, MsgButtons::Ok, toMsgIcon(result.icon));
}

} // namespace vantrel
