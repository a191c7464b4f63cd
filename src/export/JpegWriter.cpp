#include "export/JpegWriter.h"

#include "export/cDIBSection.h"
#include "fileio/SafeFile.h"

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

FileResult encode(const cDIBSection &dib, QByteArray &jpeg, int quality)
{
    if (dib.isNull())
        return FileResult::failure(QStringLiteral("there is no picture to write"));
    const TjHandle handle(tjInitCompress());
    if (!handle)
        return FileResult::failure(QString::fromLocal8Bit(tjGetErrorStr2(nullptr)));
    TjBuffer out;
    // 4:2:0, as common encoders do by default; the rows are bottom-up.
    if (tjCompress2(handle.get(), dib.DIBSectionBitsPtr(), dib.Width(), dib.BytesPerScanLine(),
                    dib.Height(), TJPF_BGR, &out.data, &out.size, TJSAMP_420,
                    std::clamp(quality, 1, 100), TJFLAG_BOTTOMUP)
        != 0)
        return FileResult::failure(QString::fromLocal8Bit(tjGetErrorStr2(handle.get())));
    jpeg = QByteArray(reinterpret_cast<const char *>(out.data), qsizetype(out.size));
    return FileResult::success();
}

FileResult write(const cDIBSection &dib, const QString &fileName, int quality)
{
    QByteArray jpeg;
    const FileResult encoded = encode(dib, jpeg, quality);
    if (!encoded)
        return FileResult::failure(fileError(fileName, encoded.message));
    return SafeFile::replace(fileName, jpeg, SafeFile::Times::KeepOld);
}

} // namespace vantrel::JpegWriter
