#include "editor/HeadlessRender.h"

#include "editor/Workspace.h"
#include "editor/frmMapa.h"
#include "export/FrameFolder.h"
#include "export/ImageExport.h"
#include "strat/PaletteIcons.h"
#include "uiservice/SilentUi.h"

#include <QApplication>
#include <QTemporaryDir>

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

    // Exactly `frames` frame ticks of a run started now; the timers never
    // fire, as no event loop runs.
    void play(int frames)
    {
        for (int n = 0; n < frames; ++n)
            window->tmrT_Timer();
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
    if (frames > 0) {
        session.window->picGO_Click();
        session.play(frames);
    }
    return exportImage(session.window->exportPicture(), typedName);
}

AviResult video(const QString &stratPath, const QString &typedName, int frames,
                const RecordingFormat &format, bool fullMotion)
{
    Session session;
    const FileResult opened = session.open(stratPath);
    if (!opened) {
        AviResult failed;
        failed.message = failed.detail = opened.message;
        return failed;
    }
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        AviResult failed;
        failed.message = failed.detail
            = QStringLiteral("%1: %2").arg(scratch.path(), scratch.errorString());
        return failed;
    }
    FrameFolder::setScratchFolder(scratch.path());
    // REC, the frames, STOP and SAVE.
    session.window->setFullMotion(fullMotion);
    session.window->Exporta_Video();
    session.play(frames);
    session.window->Exporta_Video();
    const FrameRecorder &recorder = session.window->recorder();
    AviResult result
        = saveRecordingAs(typedName, recorder.lCaptura(), recorder.capturedRate(), format);
    FrameFolder::setScratchFolder(QString());
    return result;
}

} // namespace vantrel::HeadlessRender
