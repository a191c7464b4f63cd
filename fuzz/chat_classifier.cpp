// Fuzzes what the chat does with a received run: the classification by its
// first four characters and what a client session makes of the result (nick
// list bounds, leaves, the bounded log).

#include "chat/ChatProtocol.h"
#include "chat/ChatSession.h"
#include "strat/Ansi.h"

#include <cstdint>
#include <cstdlib>

using namespace vantrel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString run = Ansi::decode(reinterpret_cast<const char *>(data), qsizetype(size));
    const ChatRun r = classifyRun(run);
    switch (r.kind) {
    case ChatRun::Nicks:
        if (!run.startsWith(QLatin1String("NICK")))
            std::abort();
        for (const QString &nick : r.nicks) {
            if (nick.size() > run.size() - 5)
                std::abort();
        }
        break;
    case ChatRun::Left:
        if (!run.startsWith(QLatin1String("SAIU")) || r.text != run.mid(5))
            std::abort();
        break;
    case ChatRun::Line:
        if (r.text != run)
            std::abort();
        break;
    }

    // A client session (no sockets) fed the run several times.
    static ChatSession session;
    for (int i = 0; i < 3; ++i) {
        switch (r.kind) {
        case ChatRun::Nicks:
            for (const QString &nick : r.nicks)
                session.Nick(nick, QStringLiteral("1"));
            break;
        case ChatRun::Left:
            session.Saiu(r.text);
            break;
        case ChatRun::Line:
            session.Mensagem(r.text, QStringLiteral("1"));
            break;
        }
    }
    if (session.lstNicks().size() > ChatSession::kNickListLimit
        || session.txtChat().size() > ChatSession::kLogLimit + run.size() + 2)
        std::abort();
    return 0;
}
