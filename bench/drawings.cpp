// Drawings on a strat window: 2,000 pen strokes of 200 points each, half of
// them cued to come and go while the strat plays, over ten moving objects.
// Targets: the frame tick plus its repaint at or under 4 ms; one pointer move
// of a stroke being drawn handled at or under 1 ms; a recorded video of 100
// frames (REC, frames, STOP, SAVE) at most 10% slower than the same strat
// without drawings (first argument 1 against 0). The second argument is the
// codec: uncompressed (0) shows what the drawings cost us; Motion JPEG (1)
// adds the encoder's work on a busier picture, which grows with the content.
#include "StratWindowBench.h"

#include "editor/EditorTools.h"
#include "editor/MapInput.h"
#include "editor/MapView.h"
#include "editor/StratRecording.h"
#include "editor/StratSurface.h"
#include "export/AviSink.h"
#include "export/FrameFolder.h"
#include "export/VideoSave.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include <cmath>
#include <memory>

using namespace vantrel;
using namespace vantrel::bench;

namespace {

constexpr int kDrawings = 2000;
constexpr int kPoints = 200;
constexpr int kFramesPerRun = 1000;

// A fixed random walk, so every run draws the same strokes.
struct Walk
{
    uint32_t state = 12345;
    int next(int range)
    {
        state = state * 1664525u + 1013904223u;
        return int((state >> 8) % uint32_t(range));
    }
};

Strat strat(bool withDrawings)
{
    Strat s;
    s.Overview = QStringLiteral("harbor.png");
    s.Title = QStringLiteral("Drawings");
    for (int i = 0; i < 10; ++i) {
        const int left = 600 + i * 1000;
        s.Objects.append({int16_t(i), float(left), 1000.f});
        s.LineColors.append(kButtonFaceColor);
        StratMovement m;
        m.ObjectIndex = int16_t(i + 1);
        m.PointCount = 2;
        m.Points = {{}, {0, 11000 - left, 7800, 3}, {0, left, 1000, 3}};
        s.Movements.append(m);
    }
    if (!withDrawings)
        return s;
    Walk walk;
    for (int n = 0; n < kDrawings; ++n) {
        Drawing d;
        d.kind = DrawingKind::Pen;
        d.color = uint32_t(walk.next(0xFFFFFF));
        d.width = n % 3 == 0 ? kThickWidth : kMediumWidth;
        QPoint at(300 + walk.next(11000), 300 + walk.next(8000));
        for (int k = 0; k < kPoints; ++k) {
            at += QPoint(walk.next(61) - 30, walk.next(61) - 30);
            d.points.push_back(at);
        }
        // Every other one is on cue: on for 200 frames somewhere in the run.
        if (n % 2 == 1) {
            d.fromFrame = 1 + walk.next(kFramesPerRun);
            d.toFrame = d.fromFrame + 200;
        }
        s.drawings.push_back(std::move(d));
    }
    return s;
}

void BM_FrameTickAndRepaint(benchmark::State &state)
{
    StratWindowFixture f(strat(state.range(0) != 0));
    frmMapa &w = f.window;
    w.view()->viewport()->repaint(); // the drawings painted once
    w.picGO_Click();
    w.playback().timer().stop(); // the benchmark ticks itself
    w.playback().step();
    QApplication::processEvents();
    w.view()->viewport()->repaint();
    int frames = 1;
    for (auto _ : state) {
        w.playback().step();
        QApplication::processEvents();
        w.view()->viewport()->repaint();
        if (++frames == kFramesPerRun) {
            state.PauseTiming();
            w.picGO_Click();
            w.picGO_Click();
            w.playback().timer().stop();
            w.playback().step();
            QApplication::processEvents();
            frames = 1;
            state.ResumeTiming();
        }
    }
    w.picGO_Click();
}

// One move of a pen stroke being drawn over the 2,000 drawings: the handler
// alone, and with the repaint of what it changed. A stroke is let go (untimed)
// every 400 moves.
void BM_PointerMove(benchmark::State &state)
{
    const bool repaint = state.range(0) != 0;
    StratWindowFixture f(strat(true));
    frmMapa &w = f.window;
    w.view()->viewport()->repaint();
    f.ws.tools.armDrawing(DrawingKind::Pen);
    MapEvent e;
    e.button = Qt::LeftButton;
    e.buttons = Qt::LeftButton;
    e.pos = QPointF(3000, 3000);
    w.input().press(e);
    e.button = Qt::NoButton;
    int n = 0;
    for (auto _ : state) {
        if (++n % 400 == 0) {
            state.PauseTiming();
            f.ws.tools.armDrawing(DrawingKind::Pen); // the stroke in progress goes
            e.button = Qt::LeftButton;
            w.input().press(e);
            e.button = Qt::NoButton;
            QApplication::processEvents();
            state.ResumeTiming();
        }
        e.pos = QPointF(3000 + 15 * (n % 400), 3000 + 600 * std::sin(n / 40.0));
        w.input().move(e);
        if (repaint)
            QApplication::processEvents();
    }
    f.ws.tools.disarm();
}

// REC, 100 frame ticks in full motion, STOP and SAVE as Motion JPEG.
void BM_Video100(benchmark::State &state)
{
    StratWindowFixture f(strat(state.range(0) != 0));
    frmMapa &w = f.window;
    w.view()->viewport()->repaint(); // the open strat as the screen showed it
    QTemporaryDir scratch;
    FrameFolder::setScratchFolder(scratch.path());
    w.recording().setFullMotion(true);
    for (auto _ : state) {
        w.Exporta_Video();
        for (int k = 0; k < 100; ++k)
            w.playback().step();
        w.Exporta_Video();
        const RecordedFrames recording = RecordedFrames::inFrameFolder(
            w.recording().recorder().lCaptura(), w.recording().recorder().capturedRate());
        AviSink sink(state.range(1) != 0 ? AviCodec::MotionJpeg : AviCodec::Uncompressed, 64);
        if (!writeVideo(recording, sink, scratch.filePath(QStringLiteral("out.avi"))))
            state.SkipWithError("the video was not written");
    }
    FrameFolder::setScratchFolder(QString());
}

} // namespace

BENCHMARK(BM_FrameTickAndRepaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PointerMove)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_Video100)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(4)
    ->UseRealTime();

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("VANTREL_HOME", VANTREL_HOME_DIR);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
