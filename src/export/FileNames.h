#pragma once

#include <QString>

namespace vantrel::FileNames {

// `name` with `extension` (".jpg", ".avi") appended unless its last four
// characters, in lower case, already are that extension: "Plan.JPG" stays as
// typed, "plan" becomes "plan.jpg".
QString withExtension(const QString &name, const QString &extension);

inline QString withJpgExtension(const QString &name)
{
    return withExtension(name, QStringLiteral(".jpg"));
}

} // namespace vantrel::FileNames
