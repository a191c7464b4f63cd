// Image export of a window-sized picture (799 × 585): the picture into a DIB,
// encoded at quality 90 and written to a file the safe way, beside the whole
// run of `cjpeg -quality 90` on the same pixels read from a PPM file.
// Target: at most 1.5 times cjpeg's whole time.
#include "ExportBenchSupport.h"

#include "export/JpegWriter.h"
#include "export/cDIBSection.h"

#include <QGuiApplication>
#include <QTemporaryDir>

using namespace vantrel;
using namespace vantrel::bench;

namespace {

QTemporaryDir *g_dir = nullptr;

void BM_ExportJpeg(benchmark::State &state)
{
    const QImage picture = windowPicture();
    const QString out = g_dir->filePath(QStringLiteral("export.jpg"));
    for (auto _ : state) {
        cDIBSection dib;
        dib.CreateFromPicture(picture);
        if (!JpegWriter::write(dib, out))
            state.SkipWithError("the export failed");
    }
}

void BM_CjpegWhole(benchmark::State &state)
{
    runCjpeg(state, windowPicture(), g_dir->path());
}

} // namespace

BENCHMARK(BM_ExportJpeg)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CjpegWhole)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    g_dir = &dir;
    benchmark::Initialize(&argc, argv);
    RememberingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("BM_ExportJpeg/real_time", "BM_CjpegWhole/real_time", "<= 1.5x");
    benchmark::Shutdown();
    return 0;
}
