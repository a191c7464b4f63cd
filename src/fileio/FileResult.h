#pragma once

#include <QString>

namespace vantrel {

// The icon a message box shows beside a message.
enum class MsgIcon { None, Critical, Question, Exclamation, Information };

// The outcome of every file operation of the program: ok, or a message ready
// to be shown (it names the file and the reason) with the icon its message
// box should carry. An ok result may carry a warning: the operation went
// through, and the message says once what was left out.
struct FileResult
{
    bool ok = false;
    QString message;
    MsgIcon icon = MsgIcon::None;

    explicit operator bool() const { return ok; }

    static FileResult success() { return {true, {}, MsgIcon::None}; }
    static FileResult warning(const QString &message)
    {
        return {true, message, MsgIcon::Exclamation};
    }
    static FileResult failure(const QString &message, MsgIcon icon = MsgIcon::Information)
    {
        return {false, message, icon};
    }
};

// "<path>: <reason>", the form of every file error of the program.
inline QString fileError(const QString &path, const QString &reason)
{
    return QStringLiteral("%1: %2").arg(path, reason);
}

} // namespace vantrel
