// Painting strats whose texts are many and long: the maximal strat of the file
// format (every count at 32,767, captions filling the 64 MB a file may have),
// 100 labels of 32,767 characters, 8,192 labels of 200 characters, and the
// shipped example. A frame is one tick of a run and the repaint it causes; a
// full repaint paints the whole map. Targets: a frame of the maximal strat
// <= 1 s, of the example <= 2 ms. The first paint after opening (when the
// labels are laid out and drawn into their layer) is shown beside them.
#include "StratWindowBench.h"

#include "editor/MapView.h"
#include "strat/StratFile.h"

#include <QApplication>
#include <QElapsedTimer>

#include <benchmark/benchmark.h>

#include <memory>

using namespace vantrel;
using namespace vantrel::bench;

namespace {

QString words(int length, int seed)
{
    static const char *const pool[] = {"smoke",  "window", "hold",  "long",    "corner", "flash",
                                       "B site", "rotate", "plant", "default", "mid",    "wait"};
    QString text;
    for (int i = seed; text.size() < length; ++i)
        text += QLatin1String(pool[i % 12]) + QLatin1Char(' ');
    text.truncate(length);
    return text;
}

// `texts` labels of `length` characters spread over the map, and `count` of
// every other list.
Strat labelStrat(int texts, int length, int count)
{
    Strat s;
    s.Title = QStringLiteral("Labels");
    s.Overview = QStringLiteral("harbor.png");
    for (int i = 0; i < count; ++i) {
        s.Objects.append(
            {int16_t(i % 13), float(200 + (i * 37) % 11000), float(300 + (i * 53) % 8000)});
        StratMovement m;
        m.ObjectIndex = int16_t(i + 1);
        m.PointCount = 1;
        m.Points = {{}, {0, 200 + (i * 41) % 11000, 300 + (i * 29) % 8000, 3}};
        s.Movements.append(m);
        s.LineColors.append(kButtonFaceColor);
        s.Links.append({QStringLiteral("http://127.0.0.1/"), int16_t(i + 1), 0, 0});
    }
    for (int i = 0; i < texts; ++i)
        s.Texts.append({float((i * 211) % 11500), float((i * 97) % 8500), words(length, i)});
    return s;
}

struct Case
{
    const char *name;
    std::unique_ptr<StratWindowFixture> fixture;
    double firstPaintMs = 0;
};

std::vector<Case> g_cases;

std::unique_ptr<StratWindowFixture> open(const Strat &strat, double &firstPaintMs)
{
    QElapsedTimer clock;
    clock.start();
    auto fixture = std::make_unique<StratWindowFixture>(strat);
    fixture->window.view()->viewport()->repaint();
    firstPaintMs = double(clock.nsecsElapsed()) / 1e6;
    return fixture;
}

void BM_FullRepaint(benchmark::State &state)
{
    frmMapa &w = g_cases[size_t(state.range(0))].fixture->window;
    state.SetLabel(g_cases[size_t(state.range(0))].name);
    for (auto _ : state)
        w.view()->viewport()->repaint();
}

void BM_FrameTickAndRepaint(benchmark::State &state)
{
    frmMapa &w = g_cases[size_t(state.range(0))].fixture->window;
    state.SetLabel(g_cases[size_t(state.range(0))].name);
    w.picGO_Click();
    w.playback().timer().stop(); // the benchmark ticks itself
    for (auto _ : state) {
        w.playback().step();
        QApplication::processEvents();
        w.view()->viewport()->repaint();
    }
    w.picGO_Click();
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("VANTREL_HOME", VANTREL_HOME_DIR);
    QApplication app(argc, argv);

    // The maximal strat: what is left of 64 MB after every other list is full
    // goes to the captions.
    constexpr int kMax = INT16_MAX;
    const int captionLength = int((64LL * 1024 * 1024 - 4LL * 1024 * 1024) / kMax);
    Strat example;
    if (!StratFile::read(QStringLiteral(VANTREL_HOME_DIR "/example.vtr"), example))
        qFatal("the shipped example cannot be read");
    const std::pair<const char *, Strat> strats[] = {
        {"example", example},
        {"8192 labels x 200", labelStrat(8192, 200, 0)},
        {"100 labels x 32767", labelStrat(100, kMax, 0)},
        {"maximal strat", labelStrat(kMax, captionLength, kMax)},
    };
    for (const auto &[name, strat] : strats) {
        Case c{name, nullptr};
        c.fixture = open(strat, c.firstPaintMs);
        g_cases.push_back(std::move(c));
    }

    for (int i = 0; i < int(g_cases.size()); ++i) {
        benchmark::RegisterBenchmark("BM_FullRepaint", BM_FullRepaint)
            ->Arg(i)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark("BM_FrameTickAndRepaint", BM_FrameTickAndRepaint)
            ->Arg(i)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    for (const Case &c : g_cases)
        std::printf("%-24s first paint after opening %10.1f ms\n", c.name, c.firstPaintMs);
    std::printf("targets: a frame of the maximal strat <= 1000 ms, of the example <= 2 ms\n");
    benchmark::Shutdown();
    g_cases.clear(); // the windows go before the application
    return 0;
}
