#pragma once

#include <QString>
#include <QStringList>

namespace vantrel {

// The description of a file type handed to RegisterFileType.
struct FileTypeInfo
{
    QStringList Verbs;
    QStringList Commands; // one per verb
    QString Extension;
    QString ProperName;
    QString FullName;
    QString ContentType;
    QString IconPath;
    qint16 IconIndex = 0;
};

namespace modFAssociation {

// The MIME type the shared-mime-info package declares for strat files.
constexpr const char *kMimeType = "application/x-vantrel-strat";
// What the desktop calls a strat file; the registered full name, in
// Portuguese, is given to Portuguese desktops beside it.
constexpr const char *kEnglishName = "Vantrel strat";

// The strat file type as the program registers it: verb "Open" with the
// executable and the file path, ".vtr", "VTR", "Tática do Vantrel".
FileTypeInfo stratFileType(const QString &executable);

// Registers the type with the freedesktop shell under `dataHome` (the
// user's data folder): a shared-mime-info package for "*" + Extension and a
// desktop entry whose command is the first verb's (with "%1" becoming the
// file path), then runs update-mime-database and update-desktop-database
// when they are installed. Failures are ignored, as the marker that guards
// the registration is already stored.
void RegisterFileType(const FileTypeInfo &info, const QString &dataHome);

// The user's data folder (XDG_DATA_HOME, else ~/.local/share).
QString userDataHome();

} // namespace modFAssociation

} // namespace vantrel
