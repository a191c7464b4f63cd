#include "export/FileNames.h"

namespace vantrel::FileNames {

QString withExtension(const QString &name, const QString &extension)
{
    if (name.right(extension.size()).toLower() == extension.toLower())
        return name;
    return name + extension;
}

} // namespace vantrel::FileNames
