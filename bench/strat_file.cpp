// Reading and writing a large strat: 10,000 objects, 1,000 texts, 100
// movements of 300 way points and 1,000 links. Prints MB/s.

#include "strat/StratFile.h"

#include <benchmark/benchmark.h>

using namespace vantrel;

namespace {

Strat largeStrat()
{
    Strat s;
    s.Overview = QStringLiteral("harbor.png");
    s.Title = QStringLiteral("Benchmark");
    for (int i = 0; i < 10000; ++i)
        s.Objects.append({int16_t(i % 13), float(i % 11000), float(i % 8000)});
    for (int i = 0; i < 1000; ++i)
        s.Texts.append({float(i), float(i), QStringLiteral("Call-out número %1").arg(i)});
    for (int i = 0; i < 100; ++i) {
        StratMovement m;
        m.ObjectIndex = int16_t(i + 1);
        m.PointCount = 300;
        m.Points.resize(301);
        for (int j = 1; j <= 300; ++j)
            m.Points[size_t(j)] = {j % 7, j * 10, j * 20, 8};
        s.Movements.append(m);
        s.LineColors.append(kButtonFaceColor);
    }
    for (int i = 0; i < 1000; ++i)
        s.Links.append({QStringLiteral("http://example.org/%1").arg(i), int16_t(i), 0, 0});
    return s;
}

void BM_Write(benchmark::State &state)
{
    const Strat s = largeStrat();
    QByteArray bytes;
    for (auto _ : state) {
        StratFile::encode(s, bytes);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes.size());
}

void BM_Read(benchmark::State &state)
{
    QByteArray bytes;
    StratFile::encode(largeStrat(), bytes);
    for (auto _ : state) {
        Strat s;
        StratFile::decode(bytes, QStringLiteral("bench.vtr"), s);
        benchmark::DoNotOptimize(s.Objects.count());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes.size());
}

} // namespace

BENCHMARK(BM_Write)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Read)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
