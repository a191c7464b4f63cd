// Opening a large strat into a strat window: 2,000 objects and 100 movements
// of 50 way points each (5,000 markers and lines), then painting the whole
// window once, as the screen would show it.
#include "editor/Workspace.h"
#include "editor/frmMapa.h"
#include "strat/StratFile.h"
#include "uiservice/DesktopUi.h"

#include <QApplication>
#include <QPixmap>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace vantrel;

namespace {

QString bigStratFile(const QTemporaryDir &dir)
{
    Strat s;
    s.Title = QStringLiteral("Big");
    for (int i = 0; i < 2000; ++i)
        s.Objects.append(
            {int16_t(i % 13), float(200 + (i * 37) % 11000), float(300 + (i * 53) % 8000)});
    for (int m = 1; m <= 100; ++m) {
        StratMovement mv;
        mv.ObjectIndex = int16_t(m * 19);
        mv.PointCount = 50;
        mv.Points.resize(51);
        for (int j = 1; j <= 50; ++j)
            mv.Points[size_t(j)]
                = {j % 3, (m * 97 + j * 211) % 11500, (m * 61 + j * 173) % 8400, 8};
        s.Movements.append(mv);
        s.LineColors.append(uint32_t(0x000000FFu << (m % 3 * 8)));
    }
    const QString path = dir.filePath(QStringLiteral("big.vtr"));
    if (!StratFile::write(path, s))
        qFatal("cannot write the benchmark strat");
    return path;
}

void openStrat(benchmark::State &state, bool paint)
{
    QTemporaryDir dir;
    qputenv("VANTREL_HOME", dir.path().toUtf8());
    const QString path = bigStratFile(dir);
    DesktopUi ui;
    Workspace ws(ui);
    for (auto _ : state) {
        frmMapa window(ws);
        window.iMI = 1;
        if (!window.AbreTatica(path))
            state.SkipWithError("open failed");
        if (paint) {
            QPixmap shot = window.grab();
            benchmark::DoNotOptimize(shot);
        }
        benchmark::DoNotOptimize(window.MarkerCount());
    }
}

void BM_OpenStrat(benchmark::State &state)
{
    openStrat(state, false);
}
void BM_OpenStratAndPaint(benchmark::State &state)
{
    openStrat(state, true);
}

} // namespace

BENCHMARK(BM_OpenStrat)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenStratAndPaint)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
