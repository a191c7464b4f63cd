#include "app/RecordingPanel.h"

#include "app/VideoCodecDialog.h"
#include "editor/ResultMessage.h"
#include "editor/StratRecording.h"
#include "editor/Workspace.h"
#include "editor/frmMapa.h"
#include "export/FrameFolder.h"
#include "export/VideoSave.h"
#include "uiservice/Ui.h"
#include "uiservice/clsDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QToolButton>

namespace vantrel {

namespace {

// "REC" is the recorder's word in every language; STOP is translated.
const QString kRec = QStringLiteral("REC");

} // namespace

RecordingPanel::RecordingPanel(Workspace &workspace, const Controls &controls, QObject *parent)
    : QObject(parent)
    , m_ws(workspace)
    , m_c(controls)
{
    connect(m_c.mnuVideo, &QAction::triggered, this, &RecordingPanel::mnuVideo_Click);
    connect(m_c.cmdRec, &QPushButton::clicked, this, &RecordingPanel::cmdRec_Click);
    connect(m_c.cmdSave, &QPushButton::clicked, this, &RecordingPanel::cmdSave_Click);
    if (m_c.cmdClose)
        connect(m_c.cmdClose, &QToolButton::clicked, this, &RecordingPanel::cmdClose_Click);
}

void RecordingPanel::mnuVideo_Click()
{
    // Without a strat window there is nothing to record: the command stays
    // available.
    if (!m_ws.activeStratWindow())
        return;
    m_c.mnuVideo->setEnabled(false);
    Abre_Video();
    const QString message = m_ws.language.text(
        QStringLiteral("s0022"),
        QStringLiteral("Click \"REC\" to start recording the strat animation, and DON'T FORGET "
                       "to click \"STOP\" when the animation finishes, then click \"SAVE\"."));
    m_ws.ui.messageBox(m_ws.owner, message, {}, MsgButtons::Ok, MsgIcon::Information);
    m_c.picREC->show();
}

void RecordingPanel::Abre_Video()
{
    m_c.setStatus(0);
    m_c.cmdRec->setText(kRec);
    m_c.cmdRec->setEnabled(true);
    m_c.cmdSave->setEnabled(false);
    if (m_c.chkFullMotion)
        m_c.chkFullMotion->setEnabled(true);
}

void RecordingPanel::cmdRec_Click()
{
    if (m_c.cmdRec->text() == kRec) {
        frmMapa *w = m_ws.activeStratWindow();
        if (!w)
            return;
        if (m_window)
            disconnect(m_window, nullptr, this, nullptr);
        m_window = w;
        m_lCaptura = 0;
        connect(w, &frmMapa::recordingStopped, this, &RecordingPanel::onRecordingStopped);
        m_c.setStatus(0);
        m_c.cmdRec->setText(m_ws.language.text(QStringLiteral("s0006"), QStringLiteral("STOP")));
        m_c.cmdSave->setEnabled(false);
        w->recording().setFullMotion(m_c.chkFullMotion && m_c.chkFullMotion->isChecked());
        if (m_c.chkFullMotion)
            m_c.chkFullMotion->setEnabled(false);
        w->Exporta_Video();
        return;
    }
    // STOP: the recording window, active or not. Once it has gone (closed)
    // the recording has already ended.
    if (m_window && m_window->bGravando())
        m_window->Exporta_Video();
    else
        onRecordingStopped(m_window);
}

void RecordingPanel::onRecordingStopped(frmMapa *window)
{
    if (window && window == m_window) {
        m_lCaptura = window->recording().recorder().lCaptura();
        m_capturedRate = window->recording().recorder().capturedRate();
    }
    m_c.cmdRec->setText(kRec);
    // A new recording would delete these frames: it waits for a save.
    m_c.cmdRec->setEnabled(m_lCaptura == 0);
    if (m_c.chkFullMotion)
        m_c.chkFullMotion->setEnabled(m_lCaptura == 0);
    m_c.cmdSave->setEnabled(true);
}

bool RecordingPanel::mayReplace(const QString &path, const QString &typed)
{
    if (path == typed || !QFileInfo::exists(path))
        return true;
    const QString question
        = m_ws.language
              .text(QStringLiteral("s0056"),
                    QStringLiteral("%1 already exists.\nDo you want to replace it?"))
              .arg(QDir::toNativeSeparators(path));
    return m_ws.ui.messageBox(
               m_ws.owner, question,
               m_ws.language.text(QStringLiteral("s0039"), QStringLiteral("Save Video")),
               MsgButtons::YesNo, MsgIcon::Exclamation)
           == MsgResult::Yes;
}

void RecordingPanel::cmdSave_Click()
{
    if (m_lCaptura == 0) {
        const QString message = m_ws.language.text(QStringLiteral("s0055"), noFramesMessage());
        m_ws.ui.messageBox(m_ws.owner, message, {}, MsgButtons::Ok, MsgIcon::Information);
        m_c.cmdSave->setEnabled(false);
        m_c.cmdRec->setEnabled(true);
        if (m_c.chkFullMotion)
            m_c.chkFullMotion->setEnabled(true);
        return;
    }
    // Whatever happens below, the frames stay for another try.
    m_c.cmdSave->setEnabled(false);
    const auto ready = qScopeGuard([this] { m_c.cmdSave->setEnabled(true); });
    const QString filter = m_ws.language.text(QStringLiteral("s0047"), QStringLiteral("Video"))
                           + QStringLiteral(" (*.avi *.mp4 *.gif)|*.avi;*.mp4;*.gif|");
    const QString name = clsDialog(m_ws.ui).SaveDialog(
        m_ws.owner, filter,
        m_ws.language.text(QStringLiteral("s0039"), QStringLiteral("Save Video")), FileKind::Video);
    if (name.isEmpty())
        return;
    VideoCodecDialog codec(m_ws.language, m_capturedRate > RecordingRate::kFramesPerSecond,
                           m_ws.owner);
    if (m_ws.ui.runModal(codec) != QDialog::Accepted)
        return;
    const std::unique_ptr<VideoSink> sink = codec.sink();
    const QString path = videoFileName(name, *sink);
    if (!mayReplace(path, name))
        return;
    const FileResult result
        = writeVideo(RecordedFrames::inFrameFolder(m_lCaptura, m_capturedRate), *sink, path,
                     [this](int percent) { m_c.setStatus(percent); });
    // A failure says why; a success may say which frames stood in for others.
    showResultMessage(m_ws.ui, m_ws.owner, result);
    if (!result)
        return;
    // Saved: a new recording may begin.
    m_c.cmdRec->setEnabled(true);
    if (m_c.chkFullMotion)
        m_c.chkFullMotion->setEnabled(true);
}

void RecordingPanel::cmdClose_Click()
{
    if (m_window && m_window->bGravando())
        m_window->Exporta_Video();
    m_c.picREC->hide();
    // Export as Video stays off while no strat window is open.
    m_c.mnuVideo->setEnabled(m_ws.activeStratWindow() != nullptr);
    FrameFolder::empty();
    m_lCaptura = 0;
    m_capturedRate = RecordingRate::kFramesPerSecond;
}

} // namespace vantrel
