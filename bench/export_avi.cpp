// SAVE of a recording: 100 frame bitmaps of a 799 × 585 window written as an
// 800 × 600 AVI at 11 frames a second, uncompressed and as Motion JPEG,
// beside ffmpeg encoding the same bitmaps to the same codec and size.
// Target: not slower than ffmpeg, by the clock and in processor time (every
// thread of ours, ffmpeg's as a finished child). Run with repetitions on a
// busy machine: the ratios are then of the medians.
//
// Also writes a 1.5 GiB uncompressed video (an OpenDML file) once and has
// ffprobe and ffmpeg read every frame of it; the file is removed afterwards.
#include "ExportBenchSupport.h"

#include "export/AviSink.h"
#include "export/BmpFile.h"
#include "export/VideoSave.h"
#include "export/cDIBSection.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

using namespace vantrel;
using namespace vantrel::bench;

namespace {

constexpr int kFrames = 100;
QTemporaryDir *g_dir = nullptr;
QStringList g_frames;

QString framesFolder()
{
    return g_dir->filePath(QStringLiteral("video"));
}

void writeFrames()
{
    QDir().mkpath(framesFolder());
    for (int k = 1; k <= kFrames; ++k) {
        cDIBSection dib;
        dib.CreateFromPicture(windowPicture(9 * k - 8));
        const QString path
            = QDir(framesFolder())
                  .filePath(QStringLiteral("%1.bmp").arg(k, 4, 10, QLatin1Char('0')));
        if (!BmpFile::write(path, dib))
            qFatal("cannot write the frames");
        g_frames.append(path);
    }
}

// SAVE's own path: the frame files read into the AVI sink.
FileResult save(AviCodec codec, const QStringList &frames, const QString &name)
{
    AviSink sink(codec, RecordingRate::kFramesPerSecond);
    return writeVideo({frames, RecordingRate::kFramesPerSecond}, sink, g_dir->filePath(name));
}

void BM_SaveAvi(benchmark::State &state, AviCodec codec)
{
    const double cpu = cpuSeconds(RUSAGE_SELF);
    for (auto _ : state)
        if (!save(codec, g_frames, QStringLiteral("ours.avi")))
            state.SkipWithError("the video could not be written");
    state.counters["cpu_ms"] = 1000 * (cpuSeconds(RUSAGE_SELF) - cpu) / double(state.iterations());
}

void BM_Ffmpeg(benchmark::State &state, AviCodec codec)
{
    QStringList command
        = {QStringLiteral("ffmpeg"),     QStringLiteral("-v"),
           QStringLiteral("error"),      QStringLiteral("-y"),
           QStringLiteral("-framerate"), QStringLiteral("11"),
           QStringLiteral("-i"),         QDir(framesFolder()).filePath(QStringLiteral("%04d.bmp")),
           QStringLiteral("-vf"),        QStringLiteral("scale=800:600")};
    if (codec == AviCodec::MotionJpeg)
        command << QStringLiteral("-c:v") << QStringLiteral("mjpeg") << QStringLiteral("-q:v")
                << QStringLiteral("2");
    else
        command << QStringLiteral("-c:v") << QStringLiteral("rawvideo")
                << QStringLiteral("-pix_fmt") << QStringLiteral("bgr24");
    command << g_dir->filePath(QStringLiteral("ffmpeg.avi"));
    const double cpu = cpuSeconds(RUSAGE_CHILDREN);
    for (auto _ : state)
        if (!runProgram(command))
            state.SkipWithError("ffmpeg failed or is missing");
    state.counters["cpu_ms"]
        = 1000 * (cpuSeconds(RUSAGE_CHILDREN) - cpu) / double(state.iterations());
}

QString toolOutput(const QStringList &arguments, bool *quiet)
{
    QProcess p;
    p.start(arguments.first(), arguments.mid(1));
    p.waitForFinished(-1);
    *quiet = p.exitCode() == 0 && p.readAllStandardError().isEmpty();
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

// 1.5 GiB of uncompressed frames (the 100 bitmaps over and over): the file
// must be whole by ffprobe's frame count and an ffmpeg decode without a word.
void BM_LargeUncompressedAvi(benchmark::State &state)
{
    const qint64 frames = ((qint64(3) << 29) / 1440000) + 2;
    QStringList files;
    for (qint64 i = 0; i < frames; ++i)
        files.append(g_frames.at(int(i % kFrames)));
    const QString path = g_dir->filePath(QStringLiteral("large.avi"));
    for (auto _ : state) {
        const FileResult r = save(AviCodec::Uncompressed, files, QStringLiteral("large.avi"));
        state.PauseTiming();
        QFile file(path);
        const qint64 size = file.size();
        bool continued = false;
        if (file.open(QIODevice::ReadOnly)) {
            const qint64 next = 8 + qFromLittleEndian<quint32>(file.read(8).constData() + 4);
            continued = file.seek(next) && file.read(12).mid(8) == "AVIX";
        }
        bool probeQuiet = false, decodeQuiet = false;
        const QString counted
            = toolOutput({QStringLiteral("ffprobe"), QStringLiteral("-v"), QStringLiteral("error"),
                          QStringLiteral("-count_packets"), QStringLiteral("-select_streams"),
                          QStringLiteral("v:0"), QStringLiteral("-show_entries"),
                          QStringLiteral("stream=nb_read_packets,width,height"),
                          QStringLiteral("-of"), QStringLiteral("csv=p=0"), path},
                         &probeQuiet);
        toolOutput({QStringLiteral("ffmpeg"), QStringLiteral("-v"), QStringLiteral("error"),
                    QStringLiteral("-i"), path, QStringLiteral("-f"), QStringLiteral("null"),
                    QStringLiteral("-")},
                   &decodeQuiet);
        QFile::remove(path);
        state.ResumeTiming();
        const QString expected = QStringLiteral("800,600,%1").arg(frames);
        std::printf("large video: %.2f GiB, OpenDML %s, ffprobe \"%s\" (expected \"%s\"), "
                    "ffmpeg decode %s\n",
                    double(size) / (1 << 30), continued ? "yes" : "no", qPrintable(counted),
                    qPrintable(expected), decodeQuiet ? "silent" : "COMPLAINED");
        if (!r || size < (qint64(3) << 29) || !continued || !probeQuiet || counted != expected
            || !decodeQuiet)
            state.SkipWithError("the 1.5 GiB video is not whole");
    }
    state.counters["frames"] = double(frames);
}

} // namespace

BENCHMARK_CAPTURE(BM_SaveAvi, raw, AviCodec::Uncompressed)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_Ffmpeg, raw, AviCodec::Uncompressed)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_SaveAvi, mjpeg, AviCodec::MotionJpeg)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_Ffmpeg, mjpeg, AviCodec::MotionJpeg)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_LargeUncompressedAvi)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    g_dir = &dir;
    writeFrames();
    benchmark::Initialize(&argc, argv);
    RememberingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("BM_SaveAvi/raw/real_time", "BM_Ffmpeg/raw/real_time", "<= 1x");
    reporter.printRatio("BM_SaveAvi/mjpeg/real_time", "BM_Ffmpeg/mjpeg/real_time", "<= 1x");
    benchmark::Shutdown();
    return 0;
}
