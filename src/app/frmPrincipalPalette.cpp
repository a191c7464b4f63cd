// The strip above the strat windows (picBotoes): the object palette, the
// Text tool, the drawing tools, the Move Window and Chat tools, the "Selected:" preview and the
// recording panel with its progress bar; and what the palette and tool clicks do.
#include "app/ClickLabel.h"
#include "app/DrawingToolRow.h"
#include "app/PlaybackControls.h"
#include "app/ShellIcons.h"
#include "app/frmPrincipal.h"
#include "strat/StratRecords.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>

namespace vantrel {

namespace {

constexpr int kTwips = kTwipsPerPixel;
constexpr int kStripHeight = 40; // picBotoes, in pixels

int px(int twips)
{
    return (twips + kTwips / 2) / kTwips;
}

// Sizes a label to its text and lines its middle up with the palette row.
void centreOnRow(QLabel *label, int x)
{
    label->adjustSize();
    label->move(x, px(240) + 6 - label->height() / 2);
}

// One of the 16 x 16 tool icons next to the palette.
ClickLabel *toolIcon(QWidget *strip, const char *name, const QString &tip, const QPixmap &picture,
                     int x)
{
    auto *icon = new ClickLabel(strip);
    icon->setObjectName(QLatin1String(name));
    icon->setToolTip(tip);
    icon->setPixmap(picture);
    icon->setGeometry(x, px(240) - 2, 16, 16);
    icon->setCursor(Qt::PointingHandCursor);
    return icon;
}

} // namespace

QFrame *frmPrincipal::buildStrip(QWidget *parent)
{
    m_picBotoes = new QFrame(parent);
    m_picBotoes->setObjectName(QStringLiteral("picBotoes"));
    m_picBotoes->setFixedHeight(kStripHeight);
    m_picBotoes->setFrameShape(QFrame::StyledPanel);
    m_picBotoes->setFrameShadow(QFrame::Raised);
    buildPalette(m_picBotoes);
    buildRecordingPanel(m_picBotoes);
    buildPlaybackControls(m_picBotoes);
    return m_picBotoes;
}

void frmPrincipal::buildPalette(QWidget *strip)
{
    // picObj(0)..picObj(12) in one row at top 240 twips: ten player discs of
    // 180 x 180 twips, 360 twips apart from left 120, then the three grenade
    // boxes of 150 x 210 twips at 3840, 4200 and 4560.
    for (int i = 0; i < kPaletteSize; ++i) {
        auto *box = new ClickLabel(strip);
        box->setObjectName(QStringLiteral("picObj"));
        box->setProperty("index", i);
        const bool grenade = isGrenadePicture(i);
        const int left = grenade ? 3840 + 360 * (i - 10) : 120 + 360 * i;
        box->setGeometry(px(left), px(240), px(grenade ? 150 : 180), px(grenade ? 210 : 180));
        box->setPixmap(m_ws.palette[size_t(i)]);
        box->setAlignment(Qt::AlignCenter);
        box->setCursor(Qt::PointingHandCursor);
        connect(box, &ClickLabel::clicked, this, [this, i] { onPaletteClicked(i); });
        m_picObj[size_t(i)] = box;
    }

    m_lblTexto = new ClickLabel(QStringLiteral("Text "), strip);
    m_lblTexto->setObjectName(QStringLiteral("lblTexto"));
    QFont bold = m_lblTexto->font();
    bold.setBold(true);
    m_lblTexto->setFont(bold);
    m_lblTexto->setCursor(Qt::PointingHandCursor);
    connect(m_lblTexto, &ClickLabel::clicked, this, &frmPrincipal::onTextToolClicked);
    m_drawingTools = new DrawingToolRow(m_ws, strip);

    m_imgMove
        = toolIcon(strip, "imgMove", QStringLiteral("Move Window"), ShellIcons::moveWindow(), 0);
    connect(m_imgMove, &ClickLabel::clicked, this, &frmPrincipal::onMoveWindowToolClicked);

    m_imgChat = toolIcon(strip, "imgChat", QStringLiteral("Chat"), ShellIcons::chat(), 0);
    connect(m_imgChat, &ClickLabel::clicked, this, &frmPrincipal::showChat);

    m_imgPing = toolIcon(strip, "imgPing", QString(), ShellIcons::ping(), 0);
    connect(m_imgPing, &ClickLabel::clicked, this, &frmPrincipal::onPingToolClicked);

    m_label1 = new QLabel(QStringLiteral("Selected:"), strip);
    m_label1->setObjectName(QStringLiteral("Label1"));

    m_picImg = new QLabel(strip);
    m_picImg->setObjectName(QStringLiteral("picImg"));
    m_picImg->setFrameShape(QFrame::StyledPanel);
    m_picImg->setFrameShadow(QFrame::Sunken);
    m_picImg->setAlignment(Qt::AlignCenter);
    layoutToolRow();
}

void frmPrincipal::layoutToolRow()
{
    // The tools after the palette, each placed after the previous one's
    // width, so translated captions keep their room.
    int x = px(4560 + 150) + 24;
    centreOnRow(m_lblTexto, x);
    x += m_lblTexto->width() + 8;
    m_drawingTools->move(x, px(240) + 6 - m_drawingTools->height() / 2);
    x += m_drawingTools->width() + 8;
    m_imgMove->move(x, m_imgMove->y());
    x += 16 + 12;
    m_imgChat->move(x, m_imgChat->y());
    x += 16 + 12;
    m_imgPing->move(x, m_imgPing->y());
    x += 16 + 24;
    centreOnRow(m_label1, x);
    x += m_label1->width() + 6;
    m_picImg->setGeometry(x, px(240) - 5, 22, 22);
    if (m_picREC) {
        m_picREC->adjustSize(); // its captions may have been translated
        m_picREC->move(m_picImg->geometry().right() + 30, m_picREC->y());
    }
    if (m_playback)
        m_playback->move(m_picREC->x(), m_playback->y());
}

void frmPrincipal::buildRecordingPanel(QWidget *strip)
{
    // Shown by the video export; holds the progress bar and its two buttons.
    m_picREC = new QFrame(strip);
    m_picREC->setObjectName(QStringLiteral("picREC"));
    auto *row = new QHBoxLayout(m_picREC);
    row->setContentsMargins(6, 2, 6, 2);
    row->setSpacing(6);
    m_picP = new QLabel(m_picREC);
    m_picP->setObjectName(QStringLiteral("picP"));
    m_picP->setFixedSize(px(1455), px(85));
    m_picP->setProperty("Tag", 0);
    m_cmdRec = new QPushButton(QStringLiteral("REC"), m_picREC);
    m_cmdRec->setObjectName(QStringLiteral("cmdRec"));
    m_cmdSave = new QPushButton(QStringLiteral("SAVE"), m_picREC);
    m_cmdSave->setObjectName(QStringLiteral("cmdSave"));
    // Every frame instead of every ninth: a video that moves like the playback.
    m_chkFullMotion = new QCheckBox(QStringLiteral("Full motion"), m_picREC);
    m_chkFullMotion->setObjectName(QStringLiteral("chkFullMotion"));
    m_chkFullMotion->setToolTip(
        QStringLiteral("Record every frame and save 64 frames a second (MP4 and GIF: 64 or 32)"));
    // The close mark: the panel goes, and the recorded frames with it.
    m_cmdClose = new QToolButton(m_picREC);
    m_cmdClose->setText(QStringLiteral("\u00d7"));
    m_cmdClose->setObjectName(QStringLiteral("cmdClose"));
    m_cmdClose->setAutoRaise(true);
    m_cmdClose->setToolTip(QStringLiteral("Close the panel; the recorded frames go"));
    row->addWidget(m_picP);
    row->addWidget(m_cmdRec);
    row->addWidget(m_cmdSave);
    row->addWidget(m_chkFullMotion);
    row->addWidget(m_cmdClose);
    m_picREC->adjustSize();
    m_picREC->move(m_picImg->geometry().right() + 30, (kStripHeight - m_picREC->height()) / 2);
    SetStatus(m_picP, 0);
    m_picREC->hide();
}

void frmPrincipal::SetStatus(QLabel *Progressbar, int Percent)
{
    if (!Progressbar)
        return;
    Percent = std::clamp(Percent, 0, 100);
    Progressbar->setProperty("Tag", Percent);
    // The picture is kept, so the bar survives repaints.
    QPixmap bar(Progressbar->size());
    bar.fill(Progressbar->palette().color(QPalette::Base));
    QPainter p(&bar);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    const int h = bar.height();
    const int w = std::min(Percent, bar.width() - 1);
    p.fillRect(QRect(0, 0, w + 1, h), Qt::black);
    p.setPen(Qt::black);
    p.drawRect(QRect(0, 0, w, h - 1));
    p.end();
    Progressbar->setPixmap(bar);
    QCoreApplication::processEvents();
}

void frmPrincipal::onPaletteClicked(int index)
{
    if (index < 0 || index >= kPaletteSize)
        return;
    m_ws.tools.armPalette(int16_t(index));
    m_picImg->setPixmap(m_ws.palette[size_t(index)]);
}

void frmPrincipal::onTextToolClicked()
{
    m_ws.tools.armText();
    m_picImg->clear();
}

void frmPrincipal::onMoveWindowToolClicked()
{
    m_ws.tools.armMoveWindow();
}

void frmPrincipal::onPingToolClicked()
{
    m_ws.tools.armPing();
}

} // namespace vantrel
