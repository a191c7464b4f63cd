#include "cli/ChatHostCommand.h"

#include "chat/ChatHost.h"

namespace vantrel {

int runChatHostCommand(const QStringList &args)
{
    return ChatHost::runCommand(args);
}

} // namespace vantrel
