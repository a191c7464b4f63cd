#include "app/RecordingPanel.h"

#include "app/VideoCodecDialog.h"
#include "appcore/ProgramFolder.h"
#include "editor/ResultMessage.h"
#include "editor/Workspace.h"
#include "editor/frmMapa.h"
#include "export/FrameFolder.h"
#include "export/RecordingVideo.h"
#include "export/VideoWriter.h"
#include "uiservice/Ui.h"
#include "uiservice/clsDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace vantrel {

namespace {

const QString kRec = QStringLiteral("REC");
const QString kStop = QStringLiteral("STOP");

} // namespace

RecordingPanel::RecordingPanel(Workspace &workspace, const Controls &controls, QObject *parent)
    : QObject(parent)
    , m_ws(workspace)
    , m_c(controls)
{
    connect(m_c.mnuVideo, &QAction::triggered, this, &RecordingPanel::mnuVideo_Click);
    connect(m_c.cmdRec, &QPushButton::clicked, this, &RecordingPanel::cmdRec_Click);
    connect(m_c.cmdSave, &QPushButton::clicked, this, &RecordingPanel::cmdSave_Click);
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
        connect(w, &frmMapa::recordingStopped, this, &RecordingPanel::onRecordingStopped);
        m_c.cmdRec->setText(kStop);
        w->setFullMotion(m_c.chkFullMotion && m_c.chkFullMotion->isChecked());
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
        m_lCaptura = window->recorder().lCaptura();
        m_capturedRate = window->recorder().capturedRate();
    }
    m_c.cmdRec->setText(kRec);
    m_c.cmdRec->setEnabled(false);
    m_c.cmdSave->setEnabled(true);
}

void RecordingPanel::cmdSave_Click()
{
    m_c.cmdSave->setEnabled(false);
    const QString name = clsDialog(m_ws.ui).SaveDialog(
        m_ws.owner, QStringLiteral("Video (*.avi *.mp4 *.gif)|*.avi;*.mp4;*.gif|"),
        QStringLiteral("Save Video"), ProgramFolder::path());
    if (name.isEmpty()) {
        m_c.cmdSave->setEnabled(true);
        return;
    }
    VideoCodecDialog codec(m_capturedRate > FrameRecorder::kRecordingRate, m_ws.owner);
    if (m_ws.ui.runModal(codec) != QDialog::Accepted) {
        // Cancelling the compression ends the save silently, as a finished one.
        FrameFolder::empty();
        closePanel();
        return;
    }
    const AviResult result = saveRecordingAs(name, m_lCaptura, m_capturedRate, codec.format(),
                                             [this](int percent) { m_c.setStatus(percent); });
    if (!result) {
        // The frames stay: SAVE can try again, with another name perhaps.
        showResultMessage(m_ws.ui, m_ws.owner, result);
        m_c.cmdSave->setEnabled(true);
        return;
    }
    if (const QString notice = replacedFramesNotice(result.replacedFrames); !notice.isEmpty())
        m_ws.ui.messageBox(m_ws.owner, notice, {}, MsgButtons::Ok, MsgIcon::Information);
    closePanel();
}

void RecordingPanel::closePanel()
{
    m_c.picREC->hide();
    m_c.mnuVideo->setEnabled(true);
    m_lCaptura = 0;
    m_capturedRate = FrameRecorder::kRecordingRate;
}

} // namespace vantrel
