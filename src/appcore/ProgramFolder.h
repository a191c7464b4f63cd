#pragma once

#include <QString>

namespace vantrel {

// The folder everything beside strat files lives in: Overviews/, lang/,
// tips.dat, the examples, video/ and temp.bmp. It is the executable's folder
// unless VANTREL_HOME names another one, or the executable is installed in
// <prefix>/bin beside <prefix>/share/vantrel, which is then the folder.
namespace ProgramFolder {

QString path();
// The program folder for executables in `executableDir`.
QString folderFor(const QString &executableDir);
// True for a copy installed under a prefix: its folder is never written.
bool isInstalled();
QString filePath(const QString &relative);
QString overviewsDir();

// Where the program may write its scratch files (video/, temp.bmp): the
// program folder when it is writable and not an installed copy's, else the
// per-user data folder.
QString writablePath();

} // namespace ProgramFolder

} // namespace vantrel
