#pragma once

#include <QColor>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>

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

// The file decoded by an independent decoder, djpeg, as a PPM picture (null
// when djpeg fails).
inline QImage decodedByDjpeg(const QString &jpeg)
{
    const ToolRun run = runTool(QStringLiteral("djpeg"), {QStringLiteral("-ppm"), jpeg});
    return run.exitCode == 0 ? QImage::fromData(run.out, "PPM") : QImage();
}

// What ffprobe reads of a video's first stream, its frames counted one by one.
struct VideoProbe
{
    QString codec;
    QString format;
    int width = 0;
    int height = 0;
    double frameRate = 0;
    int frames = -1;
};

inline VideoProbe probeVideo(const QString &path)
{
    const ToolRun r = runTool(
        QStringLiteral("ffprobe"),
        {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-count_frames"),
         QStringLiteral("-select_streams"), QStringLiteral("v:0"), QStringLiteral("-show_entries"),
         QStringLiteral("stream=codec_name,width,height,r_frame_rate,nb_read_frames:format="
                        "format_name"),
         QStringLiteral("-of"), QStringLiteral("json"), path});
    const QJsonObject o = QJsonDocument::fromJson(r.out).object();
    const QJsonObject s = o[QStringLiteral("streams")][0].toObject();
    VideoProbe p;
    p.codec = s[QStringLiteral("codec_name")].toString();
    p.format = o[QStringLiteral("format")][QStringLiteral("format_name")].toString();
    p.width = s[QStringLiteral("width")].toInt();
    p.height = s[QStringLiteral("height")].toInt();
    const QStringList rate = s[QStringLiteral("r_frame_rate")].toString().split(u'/');
    if (rate.size() == 2 && rate[1].toDouble() > 0)
        p.frameRate = rate[0].toDouble() / rate[1].toDouble();
    bool counted = false;
    const int frames = s[QStringLiteral("nb_read_frames")].toString().toInt(&counted);
    p.frames = counted ? frames : -1;
    return p;
}

// The whole video decodes without a word from the decoder.
inline bool decodesWhole(const QString &path)
{
    const ToolRun r
        = runTool(QStringLiteral("ffmpeg"),
                  {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-i"), path,
                   QStringLiteral("-f"), QStringLiteral("null"), QStringLiteral("-")});
    return r.exitCode == 0 && r.err.isEmpty();
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
