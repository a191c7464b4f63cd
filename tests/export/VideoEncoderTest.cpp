#include "ExportTestSupport.h"

#include "export/VideoEncoder.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vantrel;
using namespace vantrel::test;

namespace {

// One decoded frame as 24-bit RGB.
QImage decodedFrame(const QString &path, int index, QSize size)
{
    const ToolRun r = runTool(
        "ffmpeg", {"-v", "error", "-i", path, "-vf", QStringLiteral("select=eq(n\\,%1)").arg(index),
                   "-frames:v", "1", "-f", "rawvideo", "-pix_fmt", "rgb24", "-"});
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

FileResult writeVideo(const VideoDescription &desc, int frames,
                      const VideoEncoder::Progress &progress = {},
                      const std::atomic_bool *cancel = nullptr)
{
    VideoEncoder encoder(desc, progress, cancel);
    FileResult opened = encoder.open();
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
    VideoDescription desc; // path filled in by the test
    int pushed;
    int rate; // in the file
    int frames;
    const char *codecName;
    const char *pixFmt;
    double rateTolerance;
};

const QString kMp4 = "mov,mp4,m4a,3gp,3g2,mj2";
const QSize kFull{800, 600};
const QSize kHalf{400, 300};

// A GIF keeps its delays in hundredths of a second, so 11 frames a second are
// delays of 9, 9 and 10: its rate comes out near, not exact. Browsers slow
// down GIF frames shorter than 2/100 s, so 64 is written as 32.
const Case kCases[] = {
    {{{}, VideoCodec::H264, 11, kFull, 20}, 12, 11, 12, "h264", "yuv420p", 0},
    {{{}, VideoCodec::H264, 64, kFull, 20, "veryfast"}, 16, 64, 16, "h264", "yuv420p", 0},
    {{{}, VideoCodec::Gif, 11, kFull}, 12, 11, 12, "gif", "bgra", 0.2},
    {{{}, VideoCodec::Gif, 32, kHalf}, 20, 32, 20, "gif", "bgra", 0.2},
    {{{}, VideoCodec::Gif, 64, kHalf}, 21, 32, 11, "gif", "bgra", 0.2},
};
} // namespace

TEST(VideoEncoder, EveryCodecIsReadBackWholeByAnIndependentTool)
{
    constexpr int kTolerance = 24; // per channel, after compression and palette
    for (const Case &c : kCases) {
        const QSize size = c.desc.size;
        SCOPED_TRACE(QStringLiteral("%1 at %2 fps, %3 x %4")
                         .arg(QLatin1String(c.codecName))
                         .arg(c.desc.frameRate)
                         .arg(size.width())
                         .arg(size.height())
                         .toStdString());
        QTemporaryDir dir;
        VideoDescription desc = c.desc;
        desc.path = dir.filePath("out" + VideoEncoder::extension(desc.codec));
        int lastWritten = 0;
        int lastGiven = 0;
        const FileResult r = writeVideo(desc, c.pushed, [&](int written, int given) {
            lastWritten = written;
            lastGiven = given;
        });
        ASSERT_TRUE(r.ok) << r.message.toStdString();
        EXPECT_EQ(lastWritten, c.frames);
        EXPECT_EQ(lastGiven, c.frames);
        EXPECT_EQ(filesIn(dir.path()), QStringList{QFileInfo(desc.path).fileName()});

        const QJsonObject s = probeVideo(desc.path);
        EXPECT_EQ(s["codec_name"].toString(), QLatin1String(c.codecName));
        EXPECT_EQ(s["format_name"].toString(), desc.codec == VideoCodec::Gif ? "gif" : kMp4);
        EXPECT_EQ(s["pix_fmt"].toString(), QLatin1String(c.pixFmt));
        EXPECT_EQ(s["width"].toInt(), size.width());
        EXPECT_EQ(s["height"].toInt(), size.height());
        const QStringList rate = s["r_frame_rate"].toString().split(u'/');
        ASSERT_EQ(rate.size(), 2);
        EXPECT_NEAR(rate[0].toDouble() / rate[1].toDouble(), c.rate, c.rateTolerance);
        EXPECT_EQ(s["nb_read_frames"].toString().toInt(), c.frames);

        // The last frame shows the marker where it was last drawn, in its own
        // colour, over the overview's; where it started, the overview shows again.
        const QImage shown = decodedFrame(desc.path, c.frames - 1, size);
        ASSERT_FALSE(shown.isNull());
        const int last = (c.frames - 1) * (desc.frameRate / c.rate);
        const QImage drawn = frameAt(last);
        const double sx = size.width() / 799.0;
        const double sy = size.height() / 585.0;
        const struct
        {
            QPoint at;
            QRgb colour;
        } probes[] = {{{130 + 9 * last, 280}, qRgb(255, 0, 0)},
                      {{600, 60}, drawn.pixel(600, 60)},
                      {{130, 280}, drawn.pixel(130, 280)}};
        for (const auto &p : probes) {
            const QRgb got = shown.pixel(int(p.at.x() * sx), int(p.at.y() * sy));
            EXPECT_TRUE(near(got, p.colour, kTolerance))
                << p.at.x() << "," << p.at.y() << ": " << std::hex << got << " for " << p.colour;
        }
    }
}

TEST(VideoEncoder, CancelLeavesNoFileAndAnOldOneWhole)
{
    // Cancelled while frames come in, and (for the GIF) while they are written.
    struct Stop
    {
        VideoCodec codec;
        int afterWritten; // -1: before the third frame is given
    };
    const Stop stops[] = {{VideoCodec::H264, -1}, {VideoCodec::Gif, -1}, {VideoCodec::Gif, 2}};
    for (const Stop &stop : stops) {
        QTemporaryDir dir;
        const QString path = dir.filePath("out" + VideoEncoder::extension(stop.codec));
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old video");
        old.close();

        std::atomic_bool cancel = false;
        const FileResult r = writeVideo(
            {path, stop.codec, 11, {400, 300}, 20}, 8,
            [&](int written, int given) {
                if (stop.afterWritten < 0 ? given == 2 : written == stop.afterWritten)
                    cancel = true;
            },
            &cancel);
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.message.isEmpty()) << r.message.toStdString(); // cancelled: silent
        EXPECT_EQ(filesIn(dir.path()), QStringList{"out" + VideoEncoder::extension(stop.codec)});
        ASSERT_TRUE(old.open(QIODevice::ReadOnly));
        EXPECT_EQ(old.readAll(), "old video");
    }
}

TEST(VideoEncoder, FailuresSayWhyAndLeaveNoFile)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath("no/such/folder/out.mp4");
    const QString good = dir.filePath("out.mp4");
    // A folder in the way of the finished file: found only at the rename.
    const QString folder = dir.filePath("taken.gif");
    ASSERT_TRUE(QDir().mkpath(folder));
    struct Failure
    {
        VideoDescription desc;
        int frames;
        const char *says;
    };
    const Failure failures[] = {
        {{missing, VideoCodec::H264, 11, {800, 600}, 20}, 3, "No such file or directory"},
        {{folder, VideoCodec::Gif, 11, {400, 300}, 20}, 3, "Is a directory"},
        {{good, VideoCodec::H264, 0, {800, 600}, 20}, 3, "frame rate"},
        {{good, VideoCodec::H264, 65, {800, 600}, 20}, 3, "frame rate"},
        {{good, VideoCodec::H264, 11, {801, 600}, 20}, 3, "even frame size"},
        {{good, VideoCodec::H264, 11, {800, 600}, 52}, 3, "quality"},
        {{good, VideoCodec::H264, 11, {800, 600}, 20, "warp"}, 3, "preset"},
        {{good, VideoCodec::Gif, 11, {400, 300}, 20}, 0, "no frames"},
    };
    for (const Failure &f : failures) {
        SCOPED_TRACE(f.says);
        const FileResult r = writeVideo(f.desc, f.frames);
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.message.startsWith(f.desc.path)) << r.message.toStdString();
        EXPECT_TRUE(r.message.contains(QLatin1String(f.says))) << r.message.toStdString();
        EXPECT_EQ(filesIn(dir.path()), QStringList{"taken.gif"});
        EXPECT_TRUE(QDir(folder).isEmpty());
    }
}

TEST(VideoEncoder, CodecNamesInAnyCase)
{
    EXPECT_EQ(VideoEncoder::codecFromName("h264"), VideoCodec::H264);
    EXPECT_EQ(VideoEncoder::codecFromName("GIF"), VideoCodec::Gif);
    EXPECT_EQ(VideoEncoder::codecFromName("mjpeg"), std::nullopt);
}
