#pragma once

#include "export/AviFile.h"
#include "export/VideoSink.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QRadioButton;
class QSpinBox;

namespace vantrel {

class clsLanguagePack;

// The video's compression, asked after SAVE's file dialog: whole
// uncompressed frames, Motion JPEG with a quality (90 at first), MP4 (H.264)
// with a constant rate factor (20 at first), or an animated GIF at full or
// half size. A full-motion recording also offers 64 or 32 frames a second for
// MP4 and GIF.
class VideoCodecDialog : public QDialog
{
    Q_OBJECT

public:
    // The options, in the order of optCodec(index).
    enum Choice { Uncompressed, MotionJpeg, Mp4, Gif };

    // Translated by `language` when a pack is loaded.
    explicit VideoCodecDialog(const clsLanguagePack &language, bool fullMotion = false,
                              QWidget *parent = nullptr);

    Choice choice() const;
    AviCodec codec() const;
    int quality() const;
    // Where the chosen format writes: the sink for writeVideo().
    std::unique_ptr<VideoSink> sink() const;

    QRadioButton *optCodec(int index) const { return m_options[index]; }
    QSpinBox *txtQuality() const { return m_quality; }
    QSpinBox *txtCrf() const { return m_crf; }
    QComboBox *cboGifSize() const { return m_gifSize; }
    // Present in full motion only.
    QComboBox *cboRate() const { return m_rate; }

private:
    void followChoice();

    bool m_fullMotion = false;
    QRadioButton *m_options[4] = {};
    QSpinBox *m_quality = nullptr;
    QSpinBox *m_crf = nullptr;
    QComboBox *m_gifSize = nullptr;
    QComboBox *m_rate = nullptr;
};

} // namespace vantrel
