#include "app/VideoCodecDialog.h"

#include "export/AviSink.h"
#include "export/EncoderSink.h"
#include "export/RecordingRate.h"
#include "i18n/LanguagePack.h"
#include "uiservice/DialogParts.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace vantrel {

namespace {

// Room a window manager takes in a title bar beside the title: the icon and
// the buttons.
constexpr int kTitleBarExtras = 140;

QLabel *namedLabel(const QString &caption, const char *name, QWidget *parent)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

// A setting under its option, indented.
QHBoxLayout *settingRow(QWidget *parent, const char *name, const QString &caption, QWidget *field)
{
    QLabel *label = namedLabel(caption, name, parent);
    label->setBuddy(field);
    auto *row = new QHBoxLayout;
    row->setContentsMargins(24, 0, 0, 0);
    row->addWidget(label);
    row->addWidget(field);
    row->addStretch(1);
    return row;
}

} // namespace

VideoCodecDialog::VideoCodecDialog(const clsLanguagePack &language, bool fullMotion,
                                   QWidget *parent)
    : QDialog(parent)
    , m_fullMotion(fullMotion)
{
    setObjectName(QStringLiteral("VideoCodecDialog"));
    setWindowTitle(QStringLiteral("Video Compression"));

    const QString captions[4]
        = {aviCodecName(AviCodec::Uncompressed), aviCodecName(AviCodec::MotionJpeg),
           QStringLiteral("MP4 (H.264)"), QStringLiteral("GIF")};
    for (int i = 0; i < 4; ++i) {
        m_options[i] = new QRadioButton(captions[i], this);
        m_options[i]->setObjectName(QStringLiteral("optCodec(%1)").arg(i));
        connect(m_options[i], &QRadioButton::toggled, this, &VideoCodecDialog::followChoice);
    }

    m_quality = new QSpinBox(this);
    m_quality->setObjectName(QStringLiteral("txtQuality"));
    m_quality->setRange(1, 100);
    m_quality->setValue(90);

    // Lower is better and larger; 20 looks like the playback at a few
    // hundred kilobytes a minute.
    m_crf = new QSpinBox(this);
    m_crf->setObjectName(QStringLiteral("txtCrf"));
    m_crf->setRange(0, 51);
    m_crf->setValue(20);
    m_crf->setToolTip(QStringLiteral("Constant rate factor: 0 is lossless, 51 the smallest"));

    m_gifSize = new QComboBox(this);
    m_gifSize->setObjectName(QStringLiteral("cboGifSize"));
    m_gifSize->addItem(
        language.text(QStringLiteral("s0048"), QStringLiteral("Full (800 \u00d7 600)")),
        QSize(800, 600));
    m_gifSize->addItem(
        language.text(QStringLiteral("s0049"), QStringLiteral("Half (400 \u00d7 300)")),
        QSize(400, 300));

    if (fullMotion) {
        m_rate = new QComboBox(this);
        m_rate->setObjectName(QStringLiteral("cboRate"));
        m_rate->addItem(QStringLiteral("64"), 64);
        m_rate->addItem(QStringLiteral("32"), 32);
    }

    auto *cmdOK = DialogParts::button(QStringLiteral("OK"), QStringLiteral("cmdOK"), this, true);
    auto *cmdCancel
        = DialogParts::button(QStringLiteral("Cancel"), QStringLiteral("cmdCancel"), this);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *main = new QVBoxLayout(this);
    main->setContentsMargins(16, 16, 16, 12);
    main->setSpacing(8);
    main->addWidget(namedLabel(QStringLiteral("Compressor:"), "lblCompressor", this));
    main->addWidget(m_options[Uncompressed]);
    main->addWidget(m_options[MotionJpeg]);
    main->addLayout(settingRow(this, "lblQuality", QStringLiteral("&Quality:"), m_quality));
    main->addWidget(m_options[Mp4]);
    main->addLayout(settingRow(this, "lblCrf", QStringLiteral("&CRF:"), m_crf));
    main->addWidget(m_options[Gif]);
    main->addLayout(settingRow(this, "lblGifSize", QStringLiteral("&Size:"), m_gifSize));
    if (m_rate)
        main->addLayout(
            settingRow(this, "lblRate", QStringLiteral("MP4 and GIF &frames a second:"), m_rate));
    main->addSpacing(8);
    main->addLayout(DialogParts::buttonRow({cmdOK, cmdCancel}));

    m_options[MotionJpeg]->setChecked(true);
    followChoice();
    language.translate(this);
    // Wide enough that a title bar shows the whole (translated) title.
    const int titleWidth = fontMetrics().horizontalAdvance(windowTitle()) * 5 / 4 + kTitleBarExtras;
    setFixedSize(std::max(sizeHint().width(), titleWidth), sizeHint().height());
}

void VideoCodecDialog::followChoice()
{
    // Each setting belongs to its own option.
    const Choice c = choice();
    m_quality->setEnabled(c == MotionJpeg);
    m_crf->setEnabled(c == Mp4);
    m_gifSize->setEnabled(c == Gif);
    if (m_rate)
        m_rate->setEnabled(c == Mp4 || c == Gif);
}

VideoCodecDialog::Choice VideoCodecDialog::choice() const
{
    for (int i = 0; i < 4; ++i)
        if (m_options[i] && m_options[i]->isChecked())
            return Choice(i);
    return MotionJpeg;
}

AviCodec VideoCodecDialog::codec() const
{
    return choice() == Uncompressed ? AviCodec::Uncompressed : AviCodec::MotionJpeg;
}

int VideoCodecDialog::quality() const
{
    return m_quality->value();
}

std::unique_ptr<VideoSink> VideoCodecDialog::sink() const
{
    const int recorded = m_fullMotion ? RecordingRate::kFullMotionFramesPerSecond
                                      : RecordingRate::kFramesPerSecond;
    const Choice c = choice();
    if (c == Uncompressed || c == MotionJpeg)
        return std::make_unique<AviSink>(codec(), recorded, quality());
    VideoDescription video;
    video.codec = c == Mp4 ? VideoCodec::H264 : VideoCodec::Gif;
    video.quality = m_crf->value();
    video.size = c == Gif ? m_gifSize->currentData().toSize() : QSize(800, 600);
    video.frameRate = m_rate ? m_rate->currentData().toInt() : recorded;
    return std::make_unique<EncoderSink>(video);
}

} // namespace vantrel
