#include "export/FrameRecorder.h"

#include "export/BmpFile.h"
#include "export/FrameFolder.h"
#include "export/cDIBSection.h"
#include "fileio/SafeFile.h"

#include <QFile>
#include <QStorageInfo>

#include <cerrno>
#include <cstring>

namespace vantrel {

namespace {

// True when the frame folder has room for `bytes` more.
bool hasRoomFor(qint64 bytes)
{
    QStorageInfo storage(FrameFolder::path());
    return !storage.isValid() || storage.bytesAvailable() >= bytes;
}

FileResult noRoom()
{
    return FileResult::failure(
        fileError(FrameFolder::path(), QString::fromLocal8Bit(std::strerror(ENOSPC))),
        MsgIcon::Exclamation);
}

} // namespace

FileResult FrameRecorder::start(const QSize &frameSize)
{
    m_lCaptura = 0;
    m_lProxCaptura = 1;
    m_sArqQuadro.clear();
    m_bGravando = false;
    if (!FrameFolder::ensureExists())
        return FileResult::failure(
            fileError(FrameFolder::path(), QStringLiteral("cannot create the folder")),
            MsgIcon::Exclamation);
    FrameFolder::empty();
    m_frameBytes = BmpFile::kPixelOffset
                   + qint64(cDIBSection::bytesPerScanLine(frameSize.width())) * frameSize.height();
    // A recording that cannot hold a second of frames is not begun.
    if (!hasRoomFor(m_frameBytes * capturedRate()))
        return noRoom();
    m_bGravando = true;
    return FileResult::success();
}

void FrameRecorder::stop()
{
    m_bGravando = false;
    m_lProxCaptura = 1;
}

FileResult FrameRecorder::frameTick(int32_t lQuadro, const Capture &capture)
{
    if (!m_bGravando || lQuadro != m_lProxCaptura)
        return FileResult::success();
    const QString path = FrameFolder::framePath(m_lCaptura + 1);
    auto failed = [&](const FileResult &why) {
        QFile::remove(path);
        stop();
        return why;
    };
    if (!hasRoomFor(m_frameBytes))
        return failed(noRoom());
    cDIBSection dib;
    if (!dib.CreateFromPicture(capture ? capture() : QImage()))
        return failed(
            FileResult::failure(fileError(path, QStringLiteral("the window could not be captured")),
                                MsgIcon::Exclamation));
    m_frameBytes = BmpFile::kPixelOffset + dib.sizeImage();
    if (FileResult written = BmpFile::write(path, dib); !written) {
        written.icon = MsgIcon::Exclamation;
        return failed(written);
    }
    m_lProxCaptura += m_fullMotion ? 1 : RecordingRate::kFrameStep;
    ++m_lCaptura;
    m_sArqQuadro = path;
    return FileResult::success();
}

} // namespace vantrel
