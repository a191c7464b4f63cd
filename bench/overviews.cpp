// How long the asset generator takes to draw the overview images: the whole
// set should be drawn within a few seconds at build time.

#include "MapRenderer.h"
#include "MapSource.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>

namespace {

QList<vantrel::assetgen::MapSource> loadMaps()
{
    QList<vantrel::assetgen::MapSource> maps;
    const QDir dir(QStringLiteral(VANTREL_OVERVIEW_SOURCES));
    for (const QFileInfo &info :
         dir.entryInfoList({QStringLiteral("*.map")}, QDir::Files, QDir::Name)) {
        QFile file(info.filePath());
        vantrel::assetgen::MapSource map;
        QString error;
        if (file.open(QIODevice::ReadOnly)
            && vantrel::assetgen::parseMapSource(QString::fromUtf8(file.readAll()), map, error))
            maps.append(map);
    }
    return maps;
}

void BM_ParseAllMaps(benchmark::State &state)
{
    QList<QString> texts;
    const QDir dir(QStringLiteral(VANTREL_OVERVIEW_SOURCES));
    for (const QFileInfo &info :
         dir.entryInfoList({QStringLiteral("*.map")}, QDir::Files, QDir::Name)) {
        QFile file(info.filePath());
        if (file.open(QIODevice::ReadOnly))
            texts.append(QString::fromUtf8(file.readAll()));
    }
    for (auto _ : state) {
        for (const QString &text : texts) {
            vantrel::assetgen::MapSource map;
            QString error;
            benchmark::DoNotOptimize(vantrel::assetgen::parseMapSource(text, map, error));
        }
    }
}
BENCHMARK(BM_ParseAllMaps);

void BM_RenderAllOverviews(benchmark::State &state)
{
    const QList<vantrel::assetgen::MapSource> maps = loadMaps();
    if (maps.isEmpty()) {
        state.SkipWithError("no map sources found");
        return;
    }
    for (auto _ : state) {
        for (const auto &map : maps)
            benchmark::DoNotOptimize(
                vantrel::assetgen::renderOverview(map, QStringLiteral("DejaVu Sans")));
    }
    state.counters["maps"] = static_cast<double>(maps.size());
}
BENCHMARK(BM_RenderAllOverviews)->Unit(benchmark::kMillisecond)->Iterations(2);

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
