#include "export/VideoSave.h"

#include "export/FileNames.h"
#include "export/FrameFolder.h"
#include "export/cDIBSection.h"
#include "export/cDib.h"
#include "fileio/SafeFile.h"

#include <algorithm>
#include <cmath>
#include <future>

namespace vantrel {

namespace {

const char *const kVideoExtensions[] = {".avi", ".mp4", ".gif"};

// Reads frame files into 24-bit rows: the recording's own files straight from
// their bytes, other depths through a conversion.
class FrameReader
{
public:
    FileResult read(const QString &path)
    {
        const FileResult read = m_dib.CreateFromFile(path);
        if (!read)
            return read;
        if (m_dib.BitCount() == 24) {
            m_rows = {m_dib.PointerToBits(), m_dib.Width(), m_dib.pixelHeight(), m_dib.stride(),
                      m_dib.isBottomUp()};
            return read;
        }
        if (!m_converted.CreateFromPicture(m_dib.toImage()))
            return FileResult::failure(
                QStringLiteral("File is not a supported bitmap format:\n%1").arg(path));
        m_rows = {m_converted.DIBSectionBitsPtr(), m_converted.Width(), m_converted.Height(),
                  m_converted.BytesPerScanLine(), true};
        return read;
    }
    const BgrRows &rows() const { return m_rows; }

private:
    cDib m_dib;
    cDIBSection m_converted;
    BgrRows m_rows;
};

} // namespace

RecordedFrames RecordedFrames::inFrameFolder(int count, int capturedRate)
{
    return {FrameFolder::framePaths(std::max(0, count)), capturedRate};
}

QString videoFileName(const QString &typedName, const VideoSink &sink)
{
    const QString extension = sink.extension();
    QString name = typedName;
    for (const char *other : kVideoExtensions)
        if (name.endsWith(QLatin1String(other), Qt::CaseInsensitive)
            && extension.compare(QLatin1String(other), Qt::CaseInsensitive) != 0) {
            name.chop(int(qstrlen(other)));
            break;
        }
    return FileNames::withExtension(name, extension);
}

QString noFramesMessage()
{
    return QStringLiteral("The recording has no frames, so there is nothing to save. Press "
                          "\"REC\" and let the strat play before \"STOP\".");
}

FileResult writeVideo(const RecordedFrames &frames, VideoSink &sink, const QString &path,
                      const VideoProgress &progress, const std::atomic_bool *cancel)
{
    if (frames.files.isEmpty())
        return FileResult::failure(noFramesMessage(), MsgIcon::Information);
    const int keepEvery = std::max(1, frames.capturedRate / std::max(1, sink.frameRate()));
    const int count = int(frames.files.size());
    const int planned = (count + keepEvery - 1) / keepEvery;

    // Two readers in turn: a frame that cannot be read leaves the one before
    // at hand. The first frame is read before anything is written.
    FrameReader readers[2];
    int current = 0;
    if (const FileResult first = readers[0].read(frames.files.first()); !first)
        return FileResult::failure(QStringLiteral("Could not load first bitmap file in list!\n")
                                       + first.message,
                                   MsgIcon::Exclamation);

    // A device or a FIFO in the way stays what it is.
    if (const FileResult target = SafeFile::checkTarget(path); !target)
        return target;
    FileResult opened = sink.open(path, cancel);
    if (!opened)
        return opened;
    int replaced = 0;
    int done = 0;
    // The next frame file is read while the sink works on this one.
    auto readAhead = [&](int k) {
        return std::async(std::launch::async,
                          [&reader = readers[1 - current], &path = frames.files.at(k)] {
                              return bool(reader.read(path));
                          });
    };
    std::future<bool> next;
    if (keepEvery < count)
        next = readAhead(keepEvery);
    for (int k = 0; k < count; k += keepEvery) {
        if (k > 0) {
            if (next.get())
                current = 1 - current;
            else
                ++replaced;
            if (k + keepEvery < count)
                next = readAhead(k + keepEvery);
        }
        if (cancel && cancel->load()) {
            // The sink goes unfinished: its file goes with it.
            return FileResult::failure({});
        }
        if (!sink.addFrame(readers[current].rows()))
            break;
        ++done;
        if (progress)
            progress(int(std::lround(100.0 * done / planned)));
    }
    FileResult result = sink.finish();
    if (result && replaced > 0) {
        result.message = replacedFramesNotice(replaced);
        result.icon = MsgIcon::Information;
    }
    return result;
}

QString replacedFramesNotice(int replaced)
{
    if (replaced <= 0)
        return {};
    if (replaced == 1)
        return QStringLiteral("1 frame could not be read; the frame before it was used instead.");
    return QStringLiteral("%1 frames could not be read; the frame before each was used instead.")
        .arg(replaced);
}

} // namespace vantrel
