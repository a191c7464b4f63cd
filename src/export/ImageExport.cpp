#include "export/ImageExport.h"

#include "export/FileNames.h"
#include "export/JpegWriter.h"
#include "export/SafeFile.h"
#include "export/cDIBSection.h"

namespace vantrel {

ExportResult exportImage(const QImage &picture, const QString &typedName, int quality)
{
    const QString fileName = FileNames::withJpgExtension(typedName);
    cDIBSection dib;
    if (!dib.CreateFromPicture(picture))
        return ExportResult::failure(
            SafeFile::fileError(fileName, QStringLiteral("the window could not be captured")));
    return JpegWriter::write(dib, fileName, quality);
}

} // namespace vantrel
