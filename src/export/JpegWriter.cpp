#include "export/JpegWriter.h"

#include "export/SafeFile.h"
#include "export/cDIBSection.h"

#include <turbojpeg.h>

#include <algorithm>
#include <memory>

namespace vantrel::JpegWriter {

namespace {

struct TjDeleter
{
    void operator()(void *handle) const { tjDestroy(handle); }
};
using TjHandle = std::unique_ptr<void, TjDeleter>;

struct TjBuffer
{
    unsigned char *data = nullptr;
    unsigned long size = 0;
    ~TjBuffer() { tjFree(data); }
};

} // namespace

ExportResult encode(const cDIBSection &dib, QByteArray &jpeg, int quality)
{
    if (dib.isNull())
        return ExportResult::failure(QStringLiteral("there is no picture to write"));
    const TjHandle handle(tjInitCompress());
    if (!handle)
        return ExportResult::failure(QString::fromLocal8Bit(tjGetErrorStr2(nullptr)));
    TjBuffer out;
    // 4:2:0, as common encoders do by default; the rows are bottom-up.
    if (tjCompress2(handle.get(), dib.DIBSectionBitsPtr(), dib.Width(), dib.BytesPerScanLine(),
                    dib.Height(), TJPF_BGR, &out.data, &out.size, TJSAMP_420,
                    std::clamp(quality, 1, 100), TJFLAG_BOTTOMUP)
        != 0)
        return ExportResult::failure(QString::fromLocal8Bit(tjGetErrorStr2(handle.get())));
    jpeg = QByteArray(reinterpret_cast<const char *>(out.data), qsizetype(out.size));
    return ExportResult::success();
}

ExportResult write(const cDIBSection &dib, const QString &fileName, int quality)
{
    QByteArray jpeg;
    const ExportResult encoded = encode(dib, jpeg, quality);
    if (!encoded)
        return ExportResult::failure(SafeFile::fileError(fileName, encoded.message));
    return SafeFile::replace(fileName, jpeg);
}

} // namespace vantrel::JpegWriter
