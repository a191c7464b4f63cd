#pragma once

#include <QString>

namespace vantrel {

// How a window should present a result's message: the icons of the Ui
// service's message box, which the export core cannot include.
enum class ResultIcon { None, Critical, Exclamation, Information };

// The outcome of an export step: ok, or a message ready to be shown (it names
// the file and the reason) with the icon the message box should carry.
struct ExportResult
{
    bool ok = false;
    QString message;
    ResultIcon icon = ResultIcon::None;

    explicit operator bool() const { return ok; }

    static ExportResult success() { return {true, {}, ResultIcon::None}; }
    static ExportResult failure(const QString &message, ResultIcon icon = ResultIcon::Information)
    {
        return {false, message, icon};
    }
};

} // namespace vantrel
