// The strat window at work: one frame tick with 100 moving objects, alone and
// with the repaint it causes (target <= 2 ms a frame), and the capture of the
// window plus its JPEG export beside the whole run of `cjpeg -quality 90` on
// the same pixels read from a PPM file (target <= 1.5x cjpeg).
#include "ExportBenchSupport.h"
#include "StratWindowBench.h"

#include "editor/MapView.h"
#include "editor/StratSurface.h"
#include "editor/frmMapa.h"
#include "export/ImageExport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

using namespace vantrel;
using namespace vantrel::bench;

namespace {

// 100 objects on the harbor overview, each walking back and forth between
// two far way points, so every frame moves all of them.
Strat hundredMovers()
{
    Strat s;
    s.Overview = QStringLiteral("harbor.png");
    s.Title = QStringLiteral("Hundred movers");
    for (int i = 0; i < 100; ++i) {
        const int left = 300 + (i % 10) * 1100;
        const int top = 600 + (i / 10) * 780;
        s.Objects.append({int16_t(i % 13), float(left), float(top)});
        s.LineColors.append(kButtonFaceColor);
        StratMovement m;
        m.ObjectIndex = int16_t(i + 1);
        m.PointCount = 2;
        m.Points = {{}, {0, 11000 - left, 8000 - top, 3}, {0, left, top, 3}};
        s.Movements.append(m);
    }
    return s;
}

using Fixture = StratWindowFixture;

Fixture *g_fixture = nullptr;
QTemporaryDir *g_dir = nullptr;

// Every object is still on its first leg after this many frames.
constexpr int kFramesPerRun = 1000;

// Stop and start again (untimed), so every timed frame moves all objects.
void rewind(benchmark::State &state, frmMapa &w, int &frames)
{
    state.PauseTiming();
    w.picGO_Click();
    w.picGO_Click();
    w.playback().timer().stop();
    frames = 0;
    state.ResumeTiming();
}

void stop(frmMapa &w)
{
    w.picGO_Click();
}

void BM_FrameTick100(benchmark::State &state)
{
    frmMapa &w = g_fixture->window;
    w.picGO_Click();
    w.playback().timer().stop(); // the benchmark ticks itself
    const QPointF start = w.surface().imgObj(1)->pos();
    w.playback().step();
    if (w.surface().imgObj(1)->pos() == start)
        state.SkipWithError("the objects do not move");
    int frames = 1;
    for (auto _ : state) {
        w.playback().step();
        if (++frames == kFramesPerRun)
            rewind(state, w, frames);
    }
    stop(w);
}

void BM_FrameTick100AndRepaint(benchmark::State &state)
{
    frmMapa &w = g_fixture->window;
    w.picGO_Click();
    w.playback().timer().stop();
    int frames = 0;
    for (auto _ : state) {
        w.playback().step();
        if (++frames == kFramesPerRun)
            rewind(state, w, frames);
        // The scene's change notice is queued; the viewport then paints.
        QApplication::processEvents();
        w.view()->viewport()->repaint();
    }
    stop(w);
}

// Ten seconds of a real run, paced by the window's own timers, repaints
// included: 640 frames are due (640 +- 3 is the mark).
void BM_TenSecondsInTheWindow(benchmark::State &state)
{
    frmMapa &w = g_fixture->window;
    for (auto _ : state) {
        w.picGO_Click();
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 10000)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        state.counters["frames"] = double(w.playback().frame());
        state.counters["seconds"] = double(w.playback().seconds());
        w.picGO_Click();
    }
}

void BM_Capture(benchmark::State &state)
{
    frmMapa &w = g_fixture->window;
    for (auto _ : state)
        benchmark::DoNotOptimize(w.exportPicture());
}

void BM_CaptureAndJpeg(benchmark::State &state)
{
    frmMapa &w = g_fixture->window;
    const QString out = g_dir->filePath(QStringLiteral("capture.jpg"));
    for (auto _ : state)
        if (!exportImage(w.exportPicture(), out))
            state.SkipWithError("the export failed");
}

void BM_CjpegSamePixels(benchmark::State &state)
{
    runCjpeg(state, g_fixture->window.exportPicture(), g_dir->path());
}

} // namespace

BENCHMARK(BM_FrameTick100)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_FrameTick100AndRepaint)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_TenSecondsInTheWindow)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_Capture)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CaptureAndJpeg)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CjpegSamePixels)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("VANTREL_HOME", VANTREL_HOME_DIR);
    QApplication app(argc, argv);
    QTemporaryDir dir;
    g_dir = &dir;
    Fixture fixture(hundredMovers());
    g_fixture = &fixture;
    benchmark::Initialize(&argc, argv);
    RememberingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto perFrame = [&](const char *name) {
        const auto it = reporter.milliseconds.find(name);
        if (it != reporter.milliseconds.end())
            std::printf("%-40s %8.3f ms a frame (target <= 2 ms)\n", name, it->second);
    };
    perFrame("BM_FrameTick100/real_time");
    perFrame("BM_FrameTick100AndRepaint/real_time");
    reporter.printRatio("BM_CaptureAndJpeg/real_time", "BM_CjpegSamePixels/real_time", "<= 1.5x");
    benchmark::Shutdown();
    return 0;
}
