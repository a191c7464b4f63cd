#include "export/VideoEncoder.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vantrel;

namespace {

struct ToolRun
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

ToolRun run(const QString &tool, const QStringList &args)
{
    QProcess p;
    p.start(tool, args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

// What an independent reader makes of the video stream.
QJsonObject probe(const QString &path)
{
    const ToolRun r = run(QStringLiteral("ffprobe"),
                          {QStringLiteral("-v"), QStringLiteral("error"),
                           QStringLiteral("-count_frames"), QStringLiteral("-select_streams"),
                           QStringLiteral("v:0"), QStringLiteral("-show_entries"),
                           QStringLiteral("stream=codec_name,width,height,pix_fmt,r_frame_rate,"
                                          "nb_read_frames:format=format_name"),
                           QStringLiteral("-of"), QStringLiteral("json"), path});
    const QJsonObject o = QJsonDocument::fromJson(r.out).object();
    QJsonObject s = o[QStringLiteral("streams")][0].toObject();
    s[QStringLiteral("format_name")] = o[QStringLiteral("format")][QStringLiteral("format_name")];
    return s;
}

// One decoded frame as 24-bit RGB.
QImage decodedFrame(const QString &path, int index, QSize size)
{
    const ToolRun r
        = run(QStringLiteral("ffmpeg"),
              {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-i"), path,
               QStringLiteral("-vf"), QStringLiteral("select=eq(n\\,%1)").arg(index),
               QStringLiteral("-frames:v"), QStringLiteral("1"), QStringLiteral("-f"),
               QStringLiteral("rawvideo"), QStringLiteral("-pix_fmt"), QStringLiteral("rgb24"),
               QStringLiteral("-")});
    if (r.out.size() != qsizetype(size.width()) * size.height() * 3)
        return {};
    return QImage(reinterpret_cast<const uchar *>(r.out.constData()), size.width(), size.height(),
                  size.width() * 3, QImage::Format_RGB888)
        .copy();
}

// A picture the size of a strat window's capture: a shaded overview and a
// red marker that moves 9 pixels a frame.
QImage frameAt(int k)
{
    QImage image(799, 585, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = qRgb(40 + x / 8, 90 + y / 8, 60);
    }
    QPainter p(&image);
    p.fillRect(QRect(100 + 9 * k, 250, 60, 60), QColor(255, 0, 0));
    return image;
}

bool near(QRgb a, QRgb b, int tolerance)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance
           && std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

QStringList filesIn(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot);
}

VideoResult writeVideo(const VideoDescription &desc, int frames,
                       const VideoEncoder::Progress &progress = {},
                       const std::atomic_bool *cancel = nullptr)
{
    VideoEncoder encoder(desc, progress, cancel);
    VideoResult opened = encoder.open();
    if (!opened)
        return opened;
    for (int k = 0; k < frames; ++k) {
        if (!encoder.addFrame(frameAt(k)))
            break;
    }
    return encoder.finish();
}

struct Case
{
    VideoCodec codec;
    int rate;
    QSize size;
    int frames;
    const char *codecName;
    const char *format;
    const char *pixFmt;
    double rateTolerance;
    int tolerance;
};

const Case kCases[] = {
    {VideoCodec::H264, 11, {800, 600}, 12, "h264", "mov,mp4,m4a,3gp,3g2,mj2", "yuv420p", 0, 24},
    {VideoCodec::H264, 64, {800, 600}, 40, "h264", "mov,mp4,m4a,3gp,3g2,mj2", "yuv420p", 0, 24},
    {VideoCodec::Gif, 11, {800, 600}, 12, "gif", "gif", "bgra", 0.2, 24},
    {VideoCodec::Gif, 32, {400, 300}, 20, "gif", "gif", "bgra", 0.2, 24},
};

} // namespace

TEST(VideoEncoder, EveryCodecIsReadBackWholeByAnIndependentTool)
{
    for (const Case &c : kCases) {
        SCOPED_TRACE(QStringLiteral("%1 at %2 fps, %3 x %4")
                         .arg(QLatin1String(c.codecName))
                         .arg(c.rate)
                         .arg(c.size.width())
                         .arg(c.size.height())
                         .toStdString());
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out") + VideoEncoder::extension(c.codec));
        int lastWritten = 0;
        int lastGiven = 0;
        const VideoResult r = writeVideo({path, c.codec, c.rate, c.size, 20}, c.frames,
                                         [&](int written, int given) {
                                             lastWritten = written;
                                             lastGiven = given;
                                         });
        ASSERT_TRUE(r.ok) << r.message.toStdString();
        EXPECT_EQ(r.frames, c.frames);
        EXPECT_EQ(lastWritten, c.frames);
        EXPECT_EQ(lastGiven, c.frames);
        EXPECT_EQ(filesIn(dir.path()), QStringList{QFileInfo(path).fileName()});

        const QJsonObject s = probe(path);
        EXPECT_EQ(s[QStringLiteral("codec_name")].toString(), QLatin1String(c.codecName));
        EXPECT_EQ(s[QStringLiteral("format_name")].toString(), QLatin1String(c.format));
        EXPECT_EQ(s[QStringLiteral("pix_fmt")].toString(), QLatin1String(c.pixFmt));
        EXPECT_EQ(s[QStringLiteral("width")].toInt(), c.size.width());
        EXPECT_EQ(s[QStringLiteral("height")].toInt(), c.size.height());
        // A GIF keeps its delays in hundredths of a second, so 11 frames a
        // second are delays of 9, 9 and 10: the rate comes out near, not exact.
        const QStringList rate = s[QStringLiteral("r_frame_rate")].toString().split(u'/');
        ASSERT_EQ(rate.size(), 2);
        EXPECT_NEAR(rate[0].toDouble() / rate[1].toDouble(), c.rate, c.rateTolerance);
        EXPECT_EQ(s[QStringLiteral("nb_read_frames")].toString().toInt(), c.frames);

        const ToolRun decode
            = run(QStringLiteral("ffmpeg"),
                  {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-i"), path,
                   QStringLiteral("-f"), QStringLiteral("null"), QStringLiteral("-")});
        EXPECT_EQ(decode.status, 0);
        EXPECT_TRUE(decode.err.isEmpty()) << decode.err.toStdString();

        // The last frame shows the marker where it was last drawn, in its own
        // colour, over the overview's.
        const int last = c.frames - 1;
        const QImage shown = decodedFrame(path, last, c.size);
        ASSERT_FALSE(shown.isNull());
        const double sx = c.size.width() / 799.0;
        const double sy = c.size.height() / 585.0;
        const QPoint marker(int((130 + 9 * last) * sx), int(280 * sy));
        const QPoint ground(int(600 * sx), int(60 * sy));
        EXPECT_TRUE(near(shown.pixel(marker), qRgb(255, 0, 0), c.tolerance))
            << std::hex << shown.pixel(marker);
        EXPECT_TRUE(near(shown.pixel(ground), frameAt(last).pixel(600, 60), c.tolerance))
            << std::hex << shown.pixel(ground);
        // Where the marker started, the overview shows again.
        const QPoint left(int(130 * sx), int(280 * sy));
        EXPECT_TRUE(near(shown.pixel(left), frameAt(last).pixel(130, 280), c.tolerance))
            << std::hex << shown.pixel(left);
    }
}
