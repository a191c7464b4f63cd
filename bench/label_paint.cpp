// Painting strats whose texts are many and long: the maximal strat of the file
// format (every count at 32,767, captions filling the 64 MB a file may have),
// 100 labels of 32,767 characters, 8,192 labels of 200 characters, and the
// shipped example. A frame is one tick of a run and the repaint it causes; a
// full repaint paints the whole map. Targets: a frame of the maximal strat
// <= 1 s, of the example <= 2 ms, the first paint after opening as well as
// later ones. Printed beside them, in wall clock and processor time: opening,
// the first paint, the longest of the first paints while labels are still
// being drawn, how many paints it takes until every label shows, and the
// first picture of the window, which draws every label at once.
#include "StratWindowBench.h"

#include "editor/MapItems.h"
#include "editor/MapView.h"
#include "editor/StratSurface.h"
#include "strat/StratFile.h"

#include <QApplication>
#include <QElapsedTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
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

// Wall clock and this thread's processor time, the steadier on a busy machine.
struct Span
{
    double wallMs = 0;
    double cpuMs = 0;
};

class Stopwatch
{
public:
    Stopwatch() { restart(); }
    Span lap()
    {
        const Span s{double(m_wall.nsecsElapsed()) / 1e6, (threadCpuNs() - m_cpu) / 1e6};
        restart();
        return s;
    }

private:
    static double threadCpuNs()
    {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return double(t.tv_sec) * 1e9 + double(t.tv_nsec);
    }
    void restart()
    {
        m_wall.start();
        m_cpu = threadCpuNs();
    }
    QElapsedTimer m_wall;
    double m_cpu = 0;
};

Span longer(Span a, Span b)
{
    return {std::max(a.wallMs, b.wallMs), std::max(a.cpuMs, b.cpuMs)};
}

struct Case
{
    const char *name = "";
    std::unique_ptr<StratWindowFixture> fixture;
    Span open;
    Span firstPaint;
    int paintsUntilWhole = 0;
    Span longestPaint; // of the first kTimedPaints
    Span picture;
};

// Paints timed whole while the labels are being drawn; past them a paint of
// one pixel goes on drawing labels, so the count stays quick to find.
constexpr int kTimedPaints = 30;

std::vector<Case> g_cases;

Case open(const char *name, const Strat &strat)
{
    Case c;
    c.name = name;
    Stopwatch clock;
    c.fixture = std::make_unique<StratWindowFixture>(strat);
    c.open = clock.lap();
    QWidget *viewport = c.fixture->window.view()->viewport();
    viewport->repaint();
    c.firstPaint = c.longestPaint = clock.lap();
    const TextLayer &layer = c.fixture->window.surface().textLayer();
    for (c.paintsUntilWhole = 1; !layer.isComplete(); ++c.paintsUntilWhole) {
        if (c.paintsUntilWhole < kTimedPaints) {
            clock.lap();
            viewport->repaint();
            c.longestPaint = longer(c.longestPaint, clock.lap());
        } else {
            viewport->repaint(0, 0, 1, 1);
        }
    }
    return c;
}

// The first picture of a freshly opened window, every label drawn at once.
Span firstPicture(const Strat &strat)
{
    StratWindowFixture fixture(strat);
    Stopwatch clock;
    fixture.window.capture();
    return clock.lap();
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
        g_cases.push_back(open(name, strat));
        g_cases.back().picture = firstPicture(strat);
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
    std::printf("wall / processor ms  %15s %15s %15s %15s %17s\n", "open", "first paint",
                "longest paint", "paints (whole)", "first picture");
    for (const Case &c : g_cases)
        std::printf("%-20s %7.1f/%7.1f %7.1f/%7.1f %7.1f/%7.1f %15d %8.1f/%8.1f\n", c.name,
                    c.open.wallMs, c.open.cpuMs, c.firstPaint.wallMs, c.firstPaint.cpuMs,
                    c.longestPaint.wallMs, c.longestPaint.cpuMs, c.paintsUntilWhole,
                    c.picture.wallMs, c.picture.cpuMs);
    std::printf("targets: a frame of the maximal strat <= 1000 ms, of the example <= 2 ms\n");
    benchmark::Shutdown();
    g_cases.clear(); // the windows go before the application
    return 0;
}
