// The pace of playback in real time: ten seconds of frames from the frame timer,
// each stepping 100 movement engines, as a strat window's frame tick does.
// Reports the frames counted beside the frames due for the time that passed,
// and the worst lateness of a frame.
#include "animation/FrameTimer.h"
#include "animation/MovingSprite.h"
#include "animation/clsMovimento.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <deque>

using namespace vantrel;

static void BM_TenSecondsOfPlayback(benchmark::State &state)
{
    const int movements = int(state.range(0));
    std::deque<GridSprite> sprites;
    std::vector<clsMovimento> engines{size_t(movements)};
    for (int i = 0; i < movements; ++i) {
        sprites.emplace_back(float(100 + i * 10), 300.f);
        for (int p = 0; p < 40; ++p)
            engines[size_t(i)].Adiciona(0, 100 + (p % 2) * 9000, 300 + i * 80, 8);
    }
    for (auto _ : state) {
        FrameTimer timer;
        QElapsedTimer wall;
        qint64 worstLateNs = 0;
        qint64 frames = 0;
        QObject::connect(&timer, &FrameTimer::frame, [&] {
            for (int i = 0; i < movements; ++i) {
                engines[size_t(i)].Move(&sprites[size_t(i)]);
                ++engines[size_t(i)].lFrame;
            }
            const qint64 due = ++frames * 1'000'000'000 / FrameTimer::FramesPerSecond;
            worstLateNs = std::max(worstLateNs, wall.nsecsElapsed() - due);
        });
        QEventLoop loop;
        QTimer::singleShot(10'000, &loop, &QEventLoop::quit);
        wall.start();
        timer.start();
        loop.exec();
        timer.stop();
        state.counters["frames"] = double(frames);
        state.counters["frames_due"] = double(FrameTimer::framesDue(wall.nsecsElapsed()));
        state.counters["worst_late_ms"] = double(worstLateNs) / 1e6;
    }
}
BENCHMARK(BM_TenSecondsOfPlayback)
    ->Arg(0)
    ->Arg(100)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
