#include "app/VideoCodecDialog.h"

#include "uiservice/DialogParts.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vantrel {

VideoCodecDialog::VideoCodecDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("VideoCodecDialog"));
    setWindowTitle(QStringLiteral("Video Compression"));

    m_raw = new QRadioButton(aviCodecName(AviCodec::Uncompressed), this);
    m_raw->setObjectName(QStringLiteral("optCodec(0)"));
    m_mjpeg = new QRadioButton(aviCodecName(AviCodec::MotionJpeg), this);
    m_mjpeg->setObjectName(QStringLiteral("optCodec(1)"));
    m_mjpeg->setChecked(true);
    m_quality = new QSpinBox(this);
    m_quality->setObjectName(QStringLiteral("txtQuality"));
    m_quality->setRange(1, 100);
    m_quality->setValue(90);
    auto *lblQuality = new QLabel(QStringLiteral("&Quality:"), this);
    lblQuality->setBuddy(m_quality);
    // The quality belongs to Motion JPEG alone.
    connect(m_mjpeg, &QRadioButton::toggled, m_quality, &QWidget::setEnabled);

    auto *cmdOK = DialogParts::button(QStringLiteral("OK"), QStringLiteral("cmdOK"), this, true);
    auto *cmdCancel
        = DialogParts::button(QStringLiteral("Cancel"), QStringLiteral("cmdCancel"), this);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *qualityRow = new QHBoxLayout;
    qualityRow->setContentsMargins(24, 0, 0, 0);
    qualityRow->addWidget(lblQuality);
    qualityRow->addWidget(m_quality);
    qualityRow->addStretch(1);

    auto *main = new QVBoxLayout(this);
    main->setContentsMargins(16, 16, 16, 12);
    main->setSpacing(8);
    main->addWidget(new QLabel(QStringLiteral("Compressor:"), this));
    main->addWidget(m_raw);
    main->addWidget(m_mjpeg);
    main->addLayout(qualityRow);
    main->addSpacing(8);
    main->addLayout(DialogParts::buttonRow({cmdOK, cmdCancel}));
    setFixedSize(sizeHint());
}

AviCodec VideoCodecDialog::codec() const
{
    return m_raw->isChecked() ? AviCodec::Uncompressed : AviCodec::MotionJpeg;
}

int VideoCodecDialog::quality() const
{
    return m_quality->value();
}

} // namespace vantrel
