#include "editor/HeadlessRender.h"

#include "editor/StratRecording.h"
#include "editor/Workspace.h"
#include "editor/frmMapa.h"
#include "export/FrameFolder.h"
#include "export/ImageExport.h"
#include "export/VideoSave.h"
#include "strat/PaletteIcons.h"
#include "uiservice/SilentUi.h"

#include <QApplication>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <algorithm>

#include <cstdio>

namespace vantrel::HeadlessRender {

namespace {

// A workspace with the program's palette and one strat window in slot 1,
// laid out and polished as on screen but never shown there.
struct Session
{
    Session()
        : ws(ui)
    {
        for (int i = 0; i < PaletteIcons::Count; ++i)
            ws.palette[size_t(i)] = QPixmap::fromImage(PaletteIcons::image(i));
        window = std::make_unique<frmMapa>(ws);
        window->iMI = 1;
        window->setAttribute(Qt::WA_DontShowOnScreen);
        window->show();
    }

    FileResult open(const QString &stratPath)
    {
        FileResult result = window->AbreTatica(stratPath);
        if (!result && result.message.isEmpty())
            result.message = stratPath;
        return result;
    }

    SilentUi ui;
    Workspace ws;
    std::unique_ptr<frmMapa> window;
};

} // namespace

std::unique_ptr<QCoreApplication> makeApplication(int &argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The command's only words on standard error are its own; Qt's notes on
    // the environment (a missing runtime folder) would break the one-line rule.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    });
    return std::make_unique<QApplication>(argc, argv);
}

FileResult image(const QString &stratPath, const QString &typedName, int frames)
{
    Session session;
    const FileResult opened = session.open(stratPath);
    if (!opened)
        return FileResult::failure(opened.message);
    // The jump replays the engines without drawing, so a frame far past
    // the rest costs no more than the rest itself.
    if (frames > 0)
        session.window->playback().seekTo(frames);
    return exportImage(session.window->exportPicture(), typedName);
}

FileResult video(const QString &stratPath, const QString &typedName, int frames, VideoSink &sink,
                 bool fullMotion, const std::atomic_bool *cancel)
{
    Session session;
    const FileResult opened = session.open(stratPath);
    if (!opened)
        return FileResult::failure(opened.message);
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return FileResult::failure(
            QStringLiteral("%1: %2").arg(scratch.path(), scratch.errorString()));
    FrameFolder::setScratchFolder(scratch.path());
    const auto restore = qScopeGuard([] { FrameFolder::setScratchFolder(QString()); });

    frmMapa &window = *session.window;
    // Past the last frame that moves anything every picture is the rest
    // picture: ticking goes one capture beyond it, and the captures due
    // after that repeat it.
    const int step = fullMotion ? 1 : RecordingRate::kFrameStep;
    const int ticks = std::min(frames, window.playback().restingFrame() + step);
    window.recording().setFullMotion(fullMotion);
    window.Exporta_Video();
    if (!window.bGravando())
        return FileResult::failure(window.recording().failure(), MsgIcon::Exclamation);
    for (int n = 0; n < ticks && window.bGravando(); ++n) {
        if (cancel && cancel->load()) {
            return FileResult::failure({}); // cancelled: nothing to say
        }
        window.playback().step();
    }
    if (!window.recording().failure().isEmpty())
        return FileResult::failure(window.recording().failure(), MsgIcon::Exclamation);
    window.Exporta_Video();

    const int recorded = window.recording().recorder().lCaptura();
    RecordedFrames recording
        = RecordedFrames::inFrameFolder(recorded, window.recording().recorder().capturedRate());
    const int due = frames <= 0 ? 0 : fullMotion ? frames : (frames - 1) / step + 1;
    for (int k = recorded; k < due && recorded > 0; ++k)
        recording.files.append(recording.files.last());
    return writeVideo(recording, sink, videoFileName(typedName, sink), {}, cancel);
}

} // namespace vantrel::HeadlessRender
