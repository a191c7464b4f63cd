// Opening a strat with 2,000 drawings of 200 points each into a strat window
// (target: at or under 300 ms), and reading its file alone.
#include "editor/Workspace.h"
#include "editor/frmMapa.h"
#include "strat/StratFile.h"
#include "uiservice/DesktopUi.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>

using namespace vantrel;

namespace {

Strat drawnStrat()
{
    Strat s;
    s.Title = QStringLiteral("Drawn");
    for (int i = 0; i < 2000; ++i) {
        Drawing d;
        d.kind = DrawingKind::Pen;
        d.color = uint32_t(0x10 * i) & 0xFFFFFFu;
        d.width = i % 2 ? kThinWidth : kThickWidth;
        d.fromFrame = i % 7 == 0 ? i : 0;
        const int cx = 300 + (i * 37) % 11000, cy = 300 + (i * 53) % 8000;
        for (int p = 0; p < 200; ++p)
            d.points.emplace_back(cx + int(400 * std::cos(p * 0.07)),
                                  cy + int(300 * std::sin(p * 0.05)));
        s.drawings.push_back(std::move(d));
    }
    return s;
}

QString drawnStratFile(const QTemporaryDir &dir)
{
    const QString path = dir.filePath(QStringLiteral("drawn.vtr"));
    if (!StratFile::write(path, drawnStrat()))
        qFatal("cannot write the benchmark strat");
    return path;
}

void BM_OpenDrawnStrat(benchmark::State &state)
{
    QTemporaryDir dir;
    qputenv("VANTREL_HOME", dir.path().toUtf8());
    const QString path = drawnStratFile(dir);
    DesktopUi ui;
    Workspace ws(ui);
    for (auto _ : state) {
        frmMapa window(ws);
        window.iMI = 1;
        if (!window.AbreTatica(path))
            state.SkipWithError("open failed");
        benchmark::DoNotOptimize(window.document().drawings().size());
    }
}

void BM_ReadDrawnStratFile(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = drawnStratFile(dir);
    for (auto _ : state) {
        Strat s;
        if (!StratFile::read(path, s))
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(s.drawings.size());
    }
}

} // namespace

BENCHMARK(BM_OpenDrawnStrat)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadDrawnStratFile)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
