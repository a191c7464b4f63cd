#pragma once

#include "i18n/PackFile.h"

#include <QLocale>
#include <QString>

#include <utility>
#include <vector>

class QObject;

namespace vantrel {

// The application's one language pack. Until a pack is loaded every lookup
// gives an empty string and callers use their built-in English text.
class clsLanguagePack
{
public:
    // Full path of the loaded pack; empty while none is loaded.
    QString sCurrentFile;

    bool isLoaded() const { return !sCurrentFile.isEmpty(); }

    // Reads and deciphers a pack, replacing what was loaded. A pack that
    // cannot be read or is damaged leaves no pack loaded (English
    // throughout) and the result carries a message naming the file.
    FileResult LoadPack(const QString &sFile);
    FileResult CarregaPacotedeLinguagem(const QString &sArquivo) { return LoadPack(sArquivo); }

    // The value of the first string record whose name is `sName` (case
    // sensitive); empty when none matches or no pack is loaded.
    QString GetString(const QString &sName) const;

    // GetString, or `english` when the pack gives an empty string.
    QString text(const QString &id, const QString &english) const
    {
        const QString s = GetString(id);
        return s.isEmpty() ? english : s;
    }

    // The names of the files in `sFolder` matching `sExtension` ("*.lpk"),
    // joined with "|" in name order. A missing folder gives an empty string
    // and, in `message`, the folder followed by " doesn't exist.". The folder
    // gets a trailing "/" as the names are listed.
    static QString EnumLanguagePacks(QString &sFolder, const QString &sExtension,
                                     QString *message = nullptr);
    static QString EnumeraPacotesdeLinguagem(QString &sDiretorio, const QString &sExtensao,
                                             QString *message = nullptr)
    {
        return EnumLanguagePacks(sDiretorio, sExtensao, message);
    }

    // Takes the cipher shift off every character.
    static QString Decrypt(const QString &sText);

    // Translates a window from the record named like its object name: the
    // window's caption, and its controls found by object name ("cmdOK"),
    // element ("optVel(2)": an object named so, or named "optVel" with an
    // "index" property of 2) or tab ("tab.TabCaption(1)": an invokable
    // setTabCaption(int, QString)). Captions go to the first of the
    // properties "text", "title", "windowTitle" a control has, tooltips to
    // "toolTip". Keys that name nothing are skipped.
    void SetLanguageInForm(QObject *frmForm) const;
    void SetaLinguagemnoForm(QObject *frmForm) const { SetLanguageInForm(frmForm); }
    // What a window's load does: SetLanguageInForm when a pack is loaded.
    void translate(QObject *frmForm) const
    {
        if (isLoaded())
            SetLanguageInForm(frmForm);
    }

    // Installs decoded records directly (tests, and the pack tools).
    void setPack(PackData pack, const QString &file)
    {
        m_pack = std::move(pack);
        sCurrentFile = file;
    }
    const PackData &pack() const { return m_pack; }
    // Replaces only the string records (id, value).
    void setStrings(const std::vector<std::pair<QString, QString>> &strings)
    {
        m_pack.strings.clear();
        for (const auto &[name, value] : strings)
            m_pack.strings.append({name, value});
    }

private:
    PackData m_pack;
};

// The start-up's language choice: the packs in `programFolder`/lang, the
// system language's file stem, and the pack loaded when the list holds
// stem + ".lpk". `languageName` is the stem when a pack was loaded; `message`
// is the one thing to tell the user (a missing lang folder, a damaged pack).
struct LanguageChoice
{
    QString languageName;
    QString message;
};
LanguageChoice chooseSystemLanguage(clsLanguagePack &pack, const QString &programFolder,
                                    const QLocale &locale);

} // namespace vantrel
