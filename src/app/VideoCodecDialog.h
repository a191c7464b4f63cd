#pragma once

#include "export/AviFile.h"

#include <QDialog>

class QRadioButton;
class QSpinBox;

namespace vantrel {

// The video's compression, asked after SAVE's file dialog: whole
// uncompressed frames or Motion JPEG with a quality (90 at first).
class VideoCodecDialog : public QDialog
{
    Q_OBJECT

public:
    explicit VideoCodecDialog(QWidget *parent = nullptr);

    AviCodec codec() const;
    int quality() const;

    QRadioButton *optCodec(int index) const { return index == 0 ? m_raw : m_mjpeg; }
    QSpinBox *txtQuality() const { return m_quality; }

private:
    QRadioButton *m_raw = nullptr;
    QRadioButton *m_mjpeg = nullptr;
    QSpinBox *m_quality = nullptr;
};

} // namespace vantrel
