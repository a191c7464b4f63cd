#pragma once

#include <QString>

namespace vantrel {

// The kinds of file whose dialogs each remember their own folder.
enum class FileKind { Strat, Image, Video };

// The program's few persisted values: application "Vantrel", section
// "Opções", one text per key, in an INI file under the user's config folder
// (XDG_CONFIG_HOME/Vantrel/Vantrel.ini). A stored value that does not convert
// reads as the key's default.
class SettingsStore
{
public:
    // The user's store; the file's place is looked up on every construction.
    SettingsStore();
    explicit SettingsStore(const QString &iniPath);

    QString filePath() const { return m_path; }

    // Raw access: `fallback` when the key is missing.
    QString text(const QString &key, const QString &fallback = {}) const;
    void setText(const QString &key, const QString &value);

    // KCFrames: "True"/"False"; default False.
    bool keepCountingFrames() const;
    void setKeepCountingFrames(bool on);
    // Vez: 0 means first run.
    int firstRunMarker() const;
    void setFirstRunMarker(int value);
    // Associado: 0 means the file type is not registered yet.
    double associationMarker() const;
    void setAssociationMarker(double value);
    // Dicas: "0" off, anything else on; default on.
    bool showTips() const;
    void setShowTips(bool on);
    // Comando: a strat path handed over by another party, or empty.
    QString handOverPath() const;
    void setHandOverPath(const QString &path);
    // PastaTatica, PastaImagem, PastaVideo: the folder of the file of that
    // kind last opened or saved through a dialog; empty until then.
    QString lastFolder(FileKind kind) const;
    void setLastFolder(FileKind kind, const QString &folder);

    // The text-to-boolean rule: "True"/"False" in any case, or a number
    // where 0 is false. Returns false in `ok` when the text is neither.
    static bool toBoolean(const QString &text, bool *ok);

private:
    QString m_path;
};

} // namespace vantrel
