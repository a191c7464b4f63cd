#include "i18n/LanguagePack.h"

namespace vantrel {

QString clsLanguagePack::GetString(const QString &sName) const
{
    for (const auto &[name, value] : m_strings) {
        if (name == sName)
            return value;
    }
    return {};
}

} // namespace vantrel
