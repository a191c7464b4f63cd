#pragma once

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <sys/resource.h>

namespace vantrel::test {

// A picture whose every corner differs, so a flipped or mirrored copy shows:
// smooth gradients (easy on JPEG) and a red block in the top-left corner.
inline QImage testPicture(int width = 799, int height = 585)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, 128));
    for (int y = 0; y < height / 4; ++y)
        for (int x = 0; x < width / 4; ++x)
            image.setPixel(x, y, qRgb(230, 20, 20));
    return image;
}

// The largest difference of any colour channel between two pictures of the
// same size, or 256 when their sizes differ.
inline int largestDifference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return 256;
    int most = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            most = std::max({most, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                             std::abs(qBlue(p) - qBlue(q))});
        }
    return most;
}

// The mean absolute difference per channel.
inline double meanDifference(const QImage &a, const QImage &b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q))
                   + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

struct ToolRun
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs an outside tool (djpeg, ffprobe, ffmpeg) to its end.
inline ToolRun runTool(const QString &program, const QStringList &arguments)
{
    QProcess p;
    p.start(program, arguments);
    ToolRun run;
    if (!p.waitForStarted() || !p.waitForFinished(120000))
        return run;
    run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.out = p.readAllStandardOutput();
    run.err = p.readAllStandardError();
    return run;
}

// What ffprobe, an independent reader, sees in a video's first stream, with
// the container's format_name added; it counts the frames by decoding them
// all, and must not report an error while doing so.
inline QJsonObject probeVideo(const QString &path)
{
    const ToolRun r = runTool(
        QStringLiteral("ffprobe"),
        {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-count_frames"),
         QStringLiteral("-select_streams"), QStringLiteral("v:0"), QStringLiteral("-show_entries"),
         QStringLiteral("stream=codec_name,width,height,pix_fmt,r_frame_rate,nb_read_frames:"
                        "format=format_name"),
         QStringLiteral("-of"), QStringLiteral("json"), path});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty()) << path.toStdString() << ": " << r.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(r.out).object();
    QJsonObject s = o[QStringLiteral("streams")][0].toObject();
    s[QStringLiteral("format_name")] = o[QStringLiteral("format")][QStringLiteral("format_name")];
    return s;
}

// The file decoded by an independent decoder, djpeg, as a PPM picture (null
// when djpeg fails).
inline QImage decodedByDjpeg(const QString &jpeg)
{
    const ToolRun run = runTool(QStringLiteral("djpeg"), {QStringLiteral("-ppm"), jpeg});
    return run.exitCode == 0 ? QImage::fromData(run.out, "PPM") : QImage();
}

struct Probe
{
    QString codec;
    QString size;
    QString rate;
    int frames = -1;
};

// The same as a few comparable fields; "N/A" frames (none) read as 0.
inline Probe probe(const QString &avi)
{
    const QJsonObject s = probeVideo(avi);
    return {s[QStringLiteral("codec_name")].toString(),
            QStringLiteral("%1x%2")
                .arg(s[QStringLiteral("width")].toInt())
                .arg(s[QStringLiteral("height")].toInt()),
            s[QStringLiteral("r_frame_rate")].toString(),
            s[QStringLiteral("nb_read_frames")].toString().toInt()};
}

// Every frame of the video decoded by ffmpeg, which must not say a word.
inline QList<QImage> decodeAll(const QString &avi)
{
    const ToolRun run
        = runTool(QStringLiteral("ffmpeg"),
                  {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-i"), avi,
                   QStringLiteral("-f"), QStringLiteral("image2pipe"), QStringLiteral("-vcodec"),
                   QStringLiteral("ppm"), QStringLiteral("-")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.err.isEmpty()) << avi.toStdString() << ": " << run.err.toStdString();
    QByteArray out = run.out;
    QBuffer pipe(&out);
    pipe.open(QIODevice::ReadOnly);
    QList<QImage> frames;
    QImage frame;
    while (!pipe.atEnd() && frame.load(&pipe, "PPM"))
        frames.append(frame.convertToFormat(QImage::Format_RGB32));
    return frames;
}

// Limits the size of any file this process writes, so a write fails midway
// (as on a full disk); lifted again when it goes.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace vantrel::test
