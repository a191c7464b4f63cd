#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

namespace vantrel {

// The overview catalogue: the plain files of Overviews/ in the program folder.
namespace Overview {

// True when `name` can only name a file directly inside Overviews/: not empty,
// no path separator, not "." or "..". Names come from strat files, which
// anybody can write, so nothing else may reach the file system.
bool isPlainName(const QString &name);

// Full path of the overview `name` (surrounding blanks removed), or an empty
// string when the name is not a plain file name.
QString path(const QString &name);

// The picture of the overview `name`; a null image when the name is not
// plain, the file is missing or it is not a picture that can be loaded.
QImage load(const QString &name);

// Every plain file of Overviews/, in the order the folder listing gives them
// (sorted by name); empty when the folder is missing.
QStringList catalogue();

} // namespace Overview

} // namespace vantrel
