// The frame slider's jump: frame 5,000 of a strat whose 20 objects walk all
// the way (target <= 50 ms), alone and with the repaint that shows it, and
// the look ahead that sizes the slider.
#include "ExportBenchSupport.h"
#include "StratWindowBench.h"

#include "editor/MapView.h"
#include "editor/StratSurface.h"
#include "editor/frmMapa.h"

#include <QApplication>

using namespace vantrel;
using namespace vantrel::bench;

namespace {

constexpr int kJumpTo = 5000;

// 20 objects walking (3 twips a frame) between two far corners, eight legs
// each: about 5,500 frames before the last one comes to rest.
Strat twentyWalkers()
{
    Strat s;
    s.Overview = QStringLiteral("harbor.png");
    s.Title = QStringLiteral("Twenty walkers");
    for (int i = 0; i < 20; ++i) {
        const int left = 300 + (i % 5) * 400;
        const int top = 600 + (i / 5) * 400;
        s.Objects.append({int16_t(i % 10), float(left), float(top)});
        s.LineColors.append(kButtonFaceColor);
        StratMovement m;
        m.ObjectIndex = int16_t(i + 1);
        m.PointCount = 8;
        m.Points = {{}};
        for (int k = 0; k < 8; ++k)
            m.Points.push_back(k % 2 ? MovementPoint{0, left, top, 3}
                                     : MovementPoint{0, left + 1500, top + 1500, 3});
        s.Movements.append(m);
    }
    return s;
}

using Fixture = StratWindowFixture;

Fixture *g_fixture = nullptr;

void BM_JumpToFrame5000(benchmark::State &state)
{
    frmMapa &w = g_fixture->window;
    if (w.playback().restingFrame() < kJumpTo)
        state.SkipWithError("the strat comes to rest before frame 5,000");
    for (auto _ : state) {
        w.playback().seekTo(kJumpTo);
        state.PauseTiming();
        w.playback().seekTo(0); // every timed jump replays all 5,000 frames
        state.ResumeTiming();
    }
    state.counters["frames"] = double(w.playback().frame());
}

void BM_JumpToFrame5000AndRepaint(benchmark::State &state)
{
    frmMapa &w = g_fixture->window;
    for (auto _ : state) {
        w.playback().seekTo(kJumpTo);
        QApplication::processEvents();
        w.view()->viewport()->repaint();
        state.PauseTiming();
        w.playback().seekTo(0);
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

void BM_RestingFrame(benchmark::State &state)
{
    frmMapa &w = g_fixture->window;
    for (auto _ : state)
        state.counters["frames"] = double(w.playback().restingFrame());
}

} // namespace

BENCHMARK(BM_JumpToFrame5000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_JumpToFrame5000AndRepaint)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RestingFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("VANTREL_HOME", VANTREL_HOME_DIR);
    QApplication app(argc, argv);
    Fixture fixture(twentyWalkers());
    g_fixture = &fixture;
    benchmark::Initialize(&argc, argv);
    RememberingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const char *name :
         {"BM_JumpToFrame5000/real_time", "BM_JumpToFrame5000AndRepaint/real_time"}) {
        const auto it = reporter.milliseconds.find(name);
        if (it != reporter.milliseconds.end())
            std::printf("%-42s %8.3f ms (target <= 50 ms)\n", name, it->second);
    }
    benchmark::Shutdown();
    return 0;
}
