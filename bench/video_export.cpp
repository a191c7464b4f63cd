// MP4 export of 100 recorded frames (800 x 600 BMP files), through SAVE's own
// path, beside the ffmpeg
// command line encoding the same files with the same settings (libx264,
// CRF 20, yuv420p, +faststart). Both read the BMP files from disk. Target:
// the ratio ours / ffmpeg at or below 1 (wall clock; cpu_ratio compares the
// processor time of every thread, steadier on a busy machine). The GIF export is timed the same way
// against ffmpeg's two-pass palette filters, for information, and both
// encoders alone from pictures in memory (argument 0: MP4, 1: GIF).
#include "export/EncoderSink.h"
#include "export/VideoEncoder.h"
#include "export/VideoSave.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

namespace {

using vantrel::VideoCodec;
using vantrel::VideoEncoder;

constexpr int kFrames = 100;
constexpr int kRate = 11;

// Processor time (user and system, every thread) of this process or of its
// finished children: on a shared machine a steadier measure than the clock.
double cpuSeconds(int who)
{
    rusage u{};
    getrusage(who, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec)
           + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

struct Timing
{
    double wall = -1;
    double cpu = 0;
};

// 100 frames of a strat playing: an overview with ten markers on the move.
QString writeFrames(const QTemporaryDir &dir)
{
    QImage overview(QStringLiteral(VANTREL_OVERVIEWS_DIR "/depot.png"));
    if (overview.isNull()) {
        overview = QImage(800, 600, QImage::Format_RGB32);
        overview.fill(QColor(70, 90, 60));
    }
    overview = overview.scaled(800, 600).convertToFormat(QImage::Format_RGB32);
    const QString frames = dir.filePath(QStringLiteral("video"));
    QDir().mkpath(frames);
    for (int k = 0; k < kFrames; ++k) {
        QImage frame = overview;
        QPainter p(&frame);
        p.setRenderHint(QPainter::Antialiasing);
        for (int m = 0; m < 10; ++m) {
            p.setBrush(m < 5 ? QColor(0, 0, 0xcc) : QColor(0xff, 0, 0));
            p.drawEllipse(QPointF(60 + 70 * m + 2.5 * k, 80 + 40 * m + 1.5 * k), 6, 6);
        }
        p.end();
        frame.save(QStringLiteral("%1/%2.bmp").arg(frames).arg(k + 1, 4, 10, QLatin1Char('0')),
                   "BMP");
    }
    return frames;
}

// SAVE's own path: the frame files read once into the encoder's sink.
Timing ourExport(const QString &frames, const QString &out, VideoCodec codec)
{
    const double cpu = cpuSeconds(RUSAGE_SELF);
    QElapsedTimer t;
    t.start();
    vantrel::RecordedFrames recorded;
    recorded.capturedRate = kRate;
    for (int k = 1; k <= kFrames; ++k)
        recorded.files.append(
            QStringLiteral("%1/%2.bmp").arg(frames).arg(k, 4, 10, QLatin1Char('0')));
    vantrel::EncoderSink sink({{}, codec, kRate, {800, 600}, 20});
    if (!vantrel::writeVideo(recorded, sink, out))
        return {};
    return {double(t.nsecsElapsed()) / 1e9, cpuSeconds(RUSAGE_SELF) - cpu};
}

Timing ffmpegExport(const QString &frames, const QString &out, VideoCodec codec)
{
    QStringList args{QStringLiteral("-y"),
                     QStringLiteral("-v"),
                     QStringLiteral("error"),
                     QStringLiteral("-framerate"),
                     QString::number(kRate),
                     QStringLiteral("-i"),
                     frames + QStringLiteral("/%04d.bmp")};
    if (codec == VideoCodec::H264)
        args << QStringLiteral("-c:v") << QStringLiteral("libx264") << QStringLiteral("-crf")
             << QStringLiteral("20") << QStringLiteral("-pix_fmt") << QStringLiteral("yuv420p")
             << QStringLiteral("-movflags") << QStringLiteral("+faststart");
    else
        args << QStringLiteral("-filter_complex")
             << QStringLiteral("split[a][b];[a]palettegen=stats_mode=diff[p];"
                               "[b][p]paletteuse=dither=bayer:diff_mode=rectangle");
    args << out;
    const double cpu = cpuSeconds(RUSAGE_CHILDREN);
    QElapsedTimer t;
    t.start();
    QProcess p;
    p.start(QStringLiteral("ffmpeg"), args);
    if (!p.waitForFinished(120000) || p.exitCode() != 0)
        return {};
    return {double(t.nsecsElapsed()) / 1e9, cpuSeconds(RUSAGE_CHILDREN) - cpu};
}

// Each iteration runs both, in turns, so a busy machine slows both alike.
void sideBySide(benchmark::State &state, VideoCodec codec)
{
    QTemporaryDir dir;
    const QString frames = writeFrames(dir);
    const QString ext = VideoEncoder::extension(codec);
    Timing ours{0, 0};
    Timing theirs{0, 0};
    int runs = 0;
    for (auto _ : state) {
        const bool oursFirst = runs % 2 == 0;
        Timing a;
        Timing b;
        if (oursFirst)
            a = ourExport(frames, dir.filePath(QStringLiteral("ours") + ext), codec);
        b = ffmpegExport(frames, dir.filePath(QStringLiteral("ffmpeg") + ext), codec);
        if (!oursFirst)
            a = ourExport(frames, dir.filePath(QStringLiteral("ours") + ext), codec);
        if (a.wall < 0 || b.wall < 0) {
            state.SkipWithError("an export failed");
            return;
        }
        state.SetIterationTime(a.wall);
        ours.wall += a.wall;
        ours.cpu += a.cpu;
        theirs.wall += b.wall;
        theirs.cpu += b.cpu;
        ++runs;
    }
    state.counters["ours_ms"] = 1000 * ours.wall / runs;
    state.counters["ffmpeg_ms"] = 1000 * theirs.wall / runs;
    state.counters["ratio"] = ours.wall / theirs.wall;
    state.counters["cpu_ratio"] = ours.cpu / theirs.cpu;
    state.counters["ours_kB"]
        = double(QFileInfo(dir.filePath(QStringLiteral("ours") + ext)).size()) / 1024;
    state.counters["ffmpeg_kB"]
        = double(QFileInfo(dir.filePath(QStringLiteral("ffmpeg") + ext)).size()) / 1024;
}

void BM_Mp4ExportVersusFfmpeg(benchmark::State &state)
{
    sideBySide(state, VideoCodec::H264);
}
BENCHMARK(BM_Mp4ExportVersusFfmpeg)->Iterations(4)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_GifExportVersusFfmpeg(benchmark::State &state)
{
    sideBySide(state, VideoCodec::Gif);
}
BENCHMARK(BM_GifExportVersusFfmpeg)->Iterations(2)->UseManualTime()->Unit(benchmark::kMillisecond);

// Encoding alone, from pictures in memory as a capture hands them over: the
// frames a second it sustains tell whether a 64 fps capture keeps pace.
void BM_EncodeFromMemory(benchmark::State &state)
{
    const VideoCodec codec = state.range(0) ? VideoCodec::Gif : VideoCodec::H264;
    QTemporaryDir dir;
    const QString frames = writeFrames(dir);
    QList<QImage> pictures;
    for (int k = 1; k <= kFrames; ++k)
        pictures.append(
            QImage(QStringLiteral("%1/%2.bmp").arg(frames).arg(k, 4, 10, QLatin1Char('0')))
                .convertToFormat(QImage::Format_RGB32));
    const QString out = dir.filePath(QStringLiteral("memory") + VideoEncoder::extension(codec));
    for (auto _ : state) {
        VideoEncoder encoder({out, codec, 64, {800, 600}, 20});
        encoder.open();
        for (const QImage &picture : pictures)
            encoder.addFrame(picture);
        if (!encoder.finish()) {
            state.SkipWithError("the export failed");
            return;
        }
    }
    state.counters["fps"]
        = benchmark::Counter(double(kFrames) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_EncodeFromMemory)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(2)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
