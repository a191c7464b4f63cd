#pragma once

#include <QString>

#include <utility>
#include <vector>

namespace vantrel {

// The application's one language pack. Until a pack is loaded every lookup
// gives an empty string and callers use their built-in English text.
class clsLanguagePack
{
public:
    // Full path of the loaded pack; empty while none is loaded.
    QString sCurrentFile;

    bool isLoaded() const { return !sCurrentFile.isEmpty(); }

    // The value of the first string record whose name is `sName` (case
    // sensitive); empty when none matches or no pack is loaded.
    QString GetString(const QString &sName) const;

    // GetString, or `english` when the pack gives an empty string.
    QString text(const QString &id, const QString &english) const
    {
        const QString s = GetString(id);
        return s.isEmpty() ? english : s;
    }

    void setStrings(std::vector<std::pair<QString, QString>> strings)
    {
        m_strings = std::move(strings);
    }

private:
    std::vector<std::pair<QString, QString>> m_strings;
};

} // namespace vantrel
