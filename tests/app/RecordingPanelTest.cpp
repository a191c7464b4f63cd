// The recording panel: Export as Video, REC/STOP, SAVE with its file and
// codec dialogs, every AVI checked by ffprobe and ffmpeg.
#include "ShellFixture.h"

#include "app/RecordingPanel.h"
#include "app/VideoCodecDialog.h"
#include "export/ExportTestSupport.h"
#include "export/FrameFolder.h"
#include "export/VideoSave.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>

#include <optional>

namespace vantrel::test {
namespace {

class RecordingPanelTest : public ShellTest
{
protected:
    void SetUp() override
    {
        frm->Form_Load(QString());
        ASSERT_EQ(frm->OpenStratFile(writeStrat(QStringLiteral("a.vtr"), sampleStrat())), 1);
        ui.answer(MsgResult::Ok);
        panel().mnuVideo_Click();
    }
    RecordingPanel &panel() { return *frm->recordingPanel(); }
    QAction *mnuVideo() { return frm->findChild<QAction *>(QStringLiteral("mnuVideo")); }
    void record(int frames)
    {
        frm->cmdRec()->click();
        for (int n = 0; n < frames; ++n)
            frm->stratWindow(1)->playback().step();
        frm->cmdRec()->click();
    }
    // SAVE answered with `name` and the codec dialog with `codec`; a
    // message that follows is answered when `message` is set.
    void save(const QString &name, int codec, bool message = false)
    {
        ui.answer(name);
        ui.answer([codec](QDialog &d) {
            auto &dialog = static_cast<VideoCodecDialog &>(d);
            EXPECT_EQ(dialog.txtQuality()->value(), 90);
            dialog.optCodec(codec)->setChecked(true);
            d.accept();
        });
        if (message)
            ui.answer(MsgResult::Ok);
        frm->cmdSave()->click();
    }
    QString target(const char *name) { return QDir(home.path()).filePath(QLatin1String(name)); }
    size_t framesLeft() { return QDir(FrameFolder::path()).entryList(QDir::Files).size(); }
};

TEST_F(RecordingPanelTest, RecordStopAndSaveWriteTheVideo)
{
    EXPECT_EQ(ui.last().text,
              QStringLiteral("Click \"REC\" to start recording the strat animation, and DON'T "
                             "FORGET to click \"STOP\" when the animation finishes, then click "
                             "\"SAVE\"."));
    EXPECT_EQ(ui.last().icon, MsgIcon::Information);
    EXPECT_TRUE(frm->picREC()->isVisibleTo(frm.get()));
    EXPECT_FALSE(mnuVideo()->isEnabled());
    EXPECT_TRUE(frm->cmdRec()->isEnabled());
    EXPECT_FALSE(frm->cmdSave()->isEnabled());

    frm->cmdRec()->click();
    EXPECT_EQ(frm->cmdRec()->text(), QStringLiteral("STOP"));
    for (int n = 0; n < 100; ++n)
        frm->stratWindow(1)->playback().step();
    frm->cmdRec()->click();
    EXPECT_EQ(frm->cmdRec()->text(), QStringLiteral("REC"));
    EXPECT_FALSE(frm->cmdRec()->isEnabled());
    EXPECT_TRUE(frm->cmdSave()->isEnabled());

    // One recording saved twice, in two formats: the frames stay until the
    // panel is closed, and a saved recording lets REC start a new one.
    for (int codec : {0, 1}) {
        SCOPED_TRACE(codec);
        const size_t asked = ui.prompts().size();
        save(target(codec ? "plan" : "plan-raw"), codec);
        const Prompt &dialog = ui.prompts()[asked];
        EXPECT_EQ(dialog.title, QStringLiteral("Save Video"));
        EXPECT_EQ(ui.prompts().size(), asked + 2); // no message
        const Probe p = probe(target(codec ? "plan.avi" : "plan-raw.avi"));
        EXPECT_EQ(p.codec, codec ? QStringLiteral("mjpeg") : QStringLiteral("rawvideo"));
        EXPECT_EQ(p.frames, 12);
        EXPECT_EQ(frm->picP()->property("Tag").toInt(), 100);
        EXPECT_TRUE(frm->picREC()->isVisibleTo(frm.get()));
        EXPECT_TRUE(frm->cmdSave()->isEnabled());
        EXPECT_TRUE(frm->cmdRec()->isEnabled());
        EXPECT_FALSE(mnuVideo()->isEnabled());
        EXPECT_EQ(framesLeft(), 12u);
    }
    frm->findChild<QToolButton *>(QStringLiteral("cmdClose"))->click();
    EXPECT_FALSE(frm->picREC()->isVisibleTo(frm.get()));
    EXPECT_TRUE(mnuVideo()->isEnabled());
    EXPECT_EQ(framesLeft(), 0u);
}

TEST_F(RecordingPanelTest, SaveWithoutFramesSaysSoAndWritesNothing)
{
    record(0);
    EXPECT_TRUE(frm->cmdSave()->isEnabled());
    const size_t asked = ui.prompts().size();
    ui.answer(MsgResult::Ok);
    frm->cmdSave()->click();
    EXPECT_EQ(ui.prompts().size(), asked + 1); // no file dialog
    EXPECT_EQ(ui.last().text, noFramesMessage());
    EXPECT_EQ(QDir(home.path()).entryList({QStringLiteral("*.avi")}, QDir::Files), QStringList());
    EXPECT_TRUE(frm->cmdRec()->isEnabled());
}

TEST_F(RecordingPanelTest, FailedOrCancelledSavesKeepTheFrames)
{
    record(10);
    const QString unwritable = target("no/such/folder/v.avi");
    save(unwritable, 1, true);
    EXPECT_EQ(ui.last().kind, Prompt::Message);
    EXPECT_EQ(ui.last().text.section(u'\n', 0, 0),
              QStringLiteral("There was an error writing the file."));
    EXPECT_TRUE(ui.last().text.contains(unwritable));
    EXPECT_TRUE(frm->cmdSave()->isEnabled());
    EXPECT_TRUE(frm->picREC()->isVisibleTo(frm.get()));
    EXPECT_EQ(framesLeft(), 2u);
    EXPECT_FALSE(QFile::exists(unwritable));

    // A cancelled file dialog, then a cancelled codec dialog: SAVE is ready
    // again and nothing is lost.
    ui.answer(QString());
    frm->cmdSave()->click();
    EXPECT_TRUE(frm->cmdSave()->isEnabled());
    const size_t asked = ui.prompts().size();
    ui.answer(target("x.avi"));
    ui.answer([](QDialog &d) { d.reject(); });
    frm->cmdSave()->click();
    EXPECT_EQ(ui.prompts().size(), asked + 2);
    EXPECT_FALSE(QFile::exists(target("x.avi")));
    EXPECT_TRUE(frm->cmdSave()->isEnabled());
    EXPECT_TRUE(frm->picREC()->isVisibleTo(frm.get()));
    EXPECT_EQ(framesLeft(), 2u);
    save(target("x.avi"), 1);
    EXPECT_EQ(probe(target("x.avi")).frames, 2);
}

// The file dialog asks about the name typed; when the format changes its
// extension, the file really written is asked about too.
TEST_F(RecordingPanelTest, AsksBeforeReplacingTheFileReallyWritten)
{
    record(10);
    QFile old(target("plan.mp4"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an older video");
    old.close();
    auto saveAsMp4 = [&](const char *typed, std::optional<MsgResult> answer) {
        ui.answer(target(typed));
        ui.answer([](QDialog &d) {
            static_cast<VideoCodecDialog &>(d).optCodec(VideoCodecDialog::Mp4)->setChecked(true);
            d.accept();
        });
        if (answer)
            ui.answer(*answer);
        const size_t asked = ui.prompts().size();
        frm->cmdSave()->click();
        return ui.prompts().size() - asked;
    };
    EXPECT_EQ(saveAsMp4("plan.avi", MsgResult::No), 3u);
    EXPECT_EQ(ui.last().buttons, MsgButtons::YesNo);
    EXPECT_TRUE(ui.last().text.contains(QDir::toNativeSeparators(target("plan.mp4"))));
    EXPECT_EQ(QFileInfo(target("plan.mp4")).size(), 14);
    EXPECT_TRUE(frm->cmdSave()->isEnabled());

    EXPECT_EQ(saveAsMp4("plan.avi", MsgResult::Yes), 3u);
    EXPECT_EQ(probe(target("plan.mp4")).codec, QStringLiteral("h264"));
    // Typed as it is written: the file dialog has asked already.
    EXPECT_EQ(saveAsMp4("plan.mp4", std::nullopt), 2u);
    EXPECT_EQ(saveAsMp4("fresh.avi", std::nullopt), 2u);
    EXPECT_TRUE(QFile::exists(target("fresh.mp4")));
}

TEST_F(RecordingPanelTest, StopActsOnTheRecordingWindowAndClosingItEndsTheRecording)
{
    frm->cmdRec()->click();
    frmMapa *recording = frm->stratWindow(1);
    ASSERT_EQ(frm->OpenStratFile(writeStrat(QStringLiteral("b.vtr"), sampleStrat())), 2);
    ASSERT_EQ(frm->activeStratWindow(), frm->stratWindow(2));
    recording->playback().step();
    frm->cmdRec()->click();
    EXPECT_FALSE(recording->bGravando());
    EXPECT_TRUE(recording->playback().isStopped());
    EXPECT_TRUE(frm->stratWindow(2)->playback().isStopped());

    // A second recording, in window 2, ended by closing it.
    save(target("first.avi"), 1);
    frm->cmdRec()->click();
    frmMapa *second = frm->stratWindow(2);
    for (int n = 0; n < 10; ++n)
        second->playback().step();
    frm->closeStrat(second);
    EXPECT_EQ(frm->cmdRec()->text(), QStringLiteral("REC"));
    EXPECT_FALSE(frm->cmdRec()->isEnabled());
    EXPECT_TRUE(frm->cmdSave()->isEnabled());
    save(target("second.avi"), 1);
    EXPECT_EQ(probe(target("second.avi")).frames, 2);
}

// The dialog's choice reaches the video: the name's extension follows it, and
// "Full motion" records every frame and writes 64 (or 32) a second. (Every
// format at every rate is checked where the video is written.)
// A GIF's delays are hundredths of a second: 11 a second are 9, 9 and 10,
// which ffprobe reads as 131/12.
TEST_F(RecordingPanelTest, FullMotionAndTheMp4AndGifCodecs)
{
    const struct
    {
        bool fullMotion;
        int option;
        int rateChoice; // cboRate: 0 is 64, 1 is 32
        bool halfGif;
        const char *typed;
        const char *written;
        const char *codec;
        const char *size;
        const char *rate;
        int frames;
    } cases[] = {
        {false, VideoCodecDialog::Mp4, 0, false, "share.avi", "share.mp4", "h264", "800x600",
         "11/1", 12},
        {true, VideoCodecDialog::Gif, 1, true, "full.mp4", "full.gif", "gif", "400x300", "32/1",
         50},
        {true, VideoCodecDialog::MotionJpeg, 0, false, "full.gif", "full.avi", "mjpeg", "800x600",
         "64/1", 100},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.written);
        EXPECT_TRUE(frm->chkFullMotion()->isEnabled());
        frm->chkFullMotion()->setChecked(c.fullMotion);
        frm->cmdRec()->click();
        EXPECT_FALSE(frm->chkFullMotion()->isEnabled());
        for (int n = 0; n < 100; ++n)
            frm->stratWindow(1)->playback().step();
        frm->cmdRec()->click();

        ui.answer(target(c.typed));
        ui.answer([&c](QDialog &d) {
            auto &dialog = static_cast<VideoCodecDialog &>(d);
            EXPECT_EQ(dialog.txtCrf()->value(), 20);
            EXPECT_EQ(dialog.cboRate() != nullptr, c.fullMotion);
            dialog.optCodec(c.option)->setChecked(true);
            EXPECT_EQ(dialog.cboGifSize()->isEnabled(), c.option == VideoCodecDialog::Gif);
            dialog.cboGifSize()->setCurrentIndex(c.halfGif ? 1 : 0);
            if (dialog.cboRate())
                dialog.cboRate()->setCurrentIndex(c.rateChoice);
            dialog.txtCrf()->setValue(23);
            d.accept();
        });
        frm->cmdSave()->click();
        const QString written = target(c.written);
        ASSERT_TRUE(QFile::exists(written));
        const Probe p = probe(written);
        EXPECT_EQ(p.codec, QLatin1String(c.codec));
        EXPECT_EQ(p.size, QLatin1String(c.size));
        EXPECT_EQ(p.rate, QLatin1String(c.rate));
        EXPECT_EQ(p.frames, c.frames);
    }
}

} // namespace
} // namespace vantrel::test
