#include "chat/ChatProtocol.h"

namespace vantrel {

ChatRun classifyRun(const QString &run)
{
    ChatRun result;
    const QStringView head = QStringView(run).left(4);
    if (head == u"NICK") {
        result.kind = ChatRun::Nicks;
        for (QStringView piece : QStringView(run).split(ChatWire::kCrLf)) {
            if (piece.size() >= 6)
                result.nicks.append(piece.mid(5).toString());
        }
    } else if (head == u"SAIU") {
        result.kind = ChatRun::Left;
        result.text = run.mid(5);
    } else {
        result.kind = ChatRun::Line;
        result.text = run;
    }
    return result;
}

} // namespace vantrel
