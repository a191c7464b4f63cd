// Start-up to a shown main window: the application object, the main window
// with its palette, menus and popup menus, its load (settings read, timer
// started) and the first paint. Runs on the offscreen platform unless
// QT_QPA_PLATFORM says otherwise. Target: under 300 ms for a cold start.
#include "app/frmPrincipal.h"
#include "uiservice/SilentUi.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

std::unique_ptr<QApplication> g_app;
int g_argc = 1;
char g_arg0[] = "bench_startup";
char *g_argv[] = {g_arg0, nullptr};

// Shows the main window, as the program's start does, and paints it once.
void showMainWindow(vantrel::SilentUi &ui)
{
    vantrel::frmPrincipal frm(ui);
    frm.Form_Load(QString());
    QCoreApplication::processEvents();
    frm.repaint();
    benchmark::DoNotOptimize(frm.windowHandle() && frm.windowHandle()->isExposed());
}

// The first start in this process: creating the application object, loading
// fonts and styles and building the first window are all counted.
void BM_ColdStart(benchmark::State &state)
{
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        if (!g_app)
            g_app = std::make_unique<QApplication>(g_argc, g_argv);
        vantrel::SilentUi ui(vantrel::MsgResult::Cancel);
        showMainWindow(ui);
        state.SetIterationTime(double(t.nsecsElapsed()) / 1e9);
    }
}
BENCHMARK(BM_ColdStart)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// Every later main window: what the window itself costs.
void BM_ShowMainWindow(benchmark::State &state)
{
    vantrel::SilentUi ui(vantrel::MsgResult::Cancel);
    for (auto _ : state)
        showMainWindow(ui);
}
BENCHMARK(BM_ShowMainWindow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A throw-away settings profile and program folder.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    qputenv("VANTREL_HOME", home.path().toLocal8Bit());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_app.reset();
    return 0;
}
