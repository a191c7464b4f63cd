#pragma once

#include <QString>

namespace vantrel {

// The folder everything beside strat files lives in: Overviews/, lang/,
// tips.dat, the examples, video/ and temp.bmp. It is the executable's folder
// unless VANTREL_HOME names another one.
namespace ProgramFolder {

QString path();
QString filePath(const QString &relative);
QString overviewsDir();

// Where the program may write its scratch files (video/, temp.bmp): the
// program folder when it is writable, else the per-user data folder.
QString writablePath();

} // namespace ProgramFolder

} // namespace vantrel
