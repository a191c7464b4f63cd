#include "editor/ResultMessage.h"

#include "uiservice/Ui.h"

namespace vantrel {

void showResultMessage(Ui &ui, QWidget *owner, const FileResult &result)
{
    if (!result.message.isEmpty())
        ui.messageBox(owner, result.message, {}, MsgButtons::Ok, result.icon);
}

} // namespace vantrel
