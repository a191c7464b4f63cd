#include "i18n/LanguagePack.h"

#include "i18n/LanguageNames.h"
#include "i18n/PackCipher.h"
#include "strat/Ansi.h"

#include <QDir>
#include <QFileInfo>

namespace vantrel {

FileResult clsLanguagePack::LoadPack(const QString &sFile)
{
    PackData pack;
    FileResult r = PackFile::read(sFile, pack);
    m_pack = std::move(pack);
    sCurrentFile = r ? sFile : QString();
    return r;
}

QString clsLanguagePack::GetString(const QString &sName) const
{
    if (!isLoaded())
        return {};
    for (const PackString &s : m_pack.strings) {
        if (s.name == sName)
            return s.value;
    }
    return {};
}

QString clsLanguagePack::EnumLanguagePacks(QString &sFolder, const QString &sExtension,
                                           QString *message)
{
    if (!QFileInfo(sFolder).isDir()) {
        if (message)
            *message = sFolder + QStringLiteral(" doesn't exist.");
        return {};
    }
    if (!sFolder.endsWith(QLatin1Char('/')))
        sFolder += QLatin1Char('/');
    const QStringList names = QDir(sFolder).entryList({sExtension}, QDir::Files, QDir::Name);
    return names.join(QLatin1Char('|'));
}

QString clsLanguagePack::Decrypt(const QString &sText)
{
    // Codes below the shift have no character; they become "?".
    QByteArray bytes = Ansi::encode(sText);
    for (char &c : bytes) {
        const int code = static_cast<unsigned char>(c);
        c = code < PackCipher::kShift ? '?' : char(code - PackCipher::kShift);
    }
    return Ansi::decode(bytes);
}

LanguageChoice chooseSystemLanguage(clsLanguagePack &pack, const QString &programFolder,
                                    const QLocale &locale)
{
    LanguageChoice choice;
    QString folder = programFolder + QStringLiteral("/lang");
    const QString list
        = clsLanguagePack::EnumLanguagePacks(folder, QStringLiteral("*.lpk"), &choice.message);
    const QString file = LanguageNames::stemForLocale(locale) + QStringLiteral(".lpk");
    // A substring test, as the list is joined: OldEnglish.lpk passes for
    // English.lpk, and then the exact file is missing and nothing loads.
    if (!list.contains(file, Qt::CaseSensitive))
        return choice;
    const QString path = folder + file;
    if (!QFileInfo(path).isFile())
        return choice;
    const FileResult r = pack.LoadPack(path);
    if (!r) {
        choice.message = r.message + QStringLiteral(" Vantrel goes on in English.");
        return choice;
    }
    choice.languageName = LanguageNames::fileStem(LanguageNames::stemForLocale(locale));
    return choice;
}

} // namespace vantrel
