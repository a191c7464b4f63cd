#include "export/ImageExport.h"

#include "export/FileNames.h"
#include "export/JpegWriter.h"
#include "export/cDIBSection.h"
#include "fileio/SafeFile.h"

namespace vantrel {

FileResult exportImage(const QImage &picture, const QString &typedName, int quality)
{
    const QString fileName = FileNames::withJpgExtension(typedName);
    cDIBSection dib;
    if (!dib.CreateFromPicture(picture))
        return FileResult::failure(
            fileError(fileName, QStringLiteral("the window could not be captured")));
    return JpegWriter::write(dib, fileName, quality);
}

} // namespace vantrel
