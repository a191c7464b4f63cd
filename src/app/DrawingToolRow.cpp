#include "app/DrawingToolRow.h"

#include "app/ClickLabel.h"
#include "editor/DrawingPictures.h"
#include "editor/SystemColors.h"
#include "editor/Workspace.h"
#include "editor/frmCores.h"
#include "uiservice/Ui.h"

#include <QHBoxLayout>
#include <QPointer>

namespace vantrel {

namespace {

constexpr int kButton = 18;
constexpr int32_t kWidths[3] = {kThinWidth, kMediumWidth, kThickWidth};

struct ToolName
{
    const char *id;
    const char *english;
};
constexpr ToolName kToolNames[DrawingToolRow::kTools] = {
    {"s0077", "Pen"},       {"s0078", "Line"},    {"s0079", "Arrow"},
    {"s0080", "Rectangle"}, {"s0081", "Ellipse"}, {"s0082", "Eraser"},
};
constexpr ToolName kWidthNames[3] = {{"s0084", "Thin"}, {"s0085", "Medium"}, {"s0086", "Thick"}};

ClickLabel *button(QWidget *parent, const QString &name, const QPixmap &picture)
{
    auto *b = new ClickLabel(parent);
    b->setObjectName(name);
    b->setPixmap(picture);
    b->setAlignment(Qt::AlignCenter);
    b->setFixedSize(kButton, kButton);
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

// Pressed buttons are drawn sunk in.
void showPressed(ClickLabel *b, bool pressed)
{
    b->setFrameShape(pressed ? QFrame::Panel : QFrame::NoFrame);
    b->setFrameShadow(QFrame::Sunken);
}

} // namespace

DrawingToolRow::DrawingToolRow(Workspace &workspace, QWidget *parent)
    : QWidget(parent)
    , m_ws(workspace)
{
    setObjectName(QStringLiteral("drawingTools"));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    for (int n = 0; n < kTools; ++n) {
        const QPixmap picture = n == kEraser ? DrawingPictures::eraserPicture()
                                             : DrawingPictures::toolPicture(DrawingKind(n));
        m_tools[size_t(n)] = button(this, QStringLiteral("drawingTool%1").arg(n), picture);
        connect(m_tools[size_t(n)], &ClickLabel::clicked, this, [this, n] { toolClicked(n); });
        row->addWidget(m_tools[size_t(n)]);
    }
    row->addSpacing(4);
    m_color = button(this, QStringLiteral("drawingColor"), QPixmap());
    connect(m_color, &ClickLabel::clicked, this, &DrawingToolRow::colorClicked);
    row->addWidget(m_color);
    for (int n = 0; n < 3; ++n) {
        m_widths[size_t(n)] = button(this, QStringLiteral("drawingWidth%1").arg(n),
                                     DrawingPictures::widthPicture(kWidths[n]));
        connect(m_widths[size_t(n)], &ClickLabel::clicked, this, [this, n] { widthClicked(n); });
        row->addWidget(m_widths[size_t(n)]);
    }
    m_filled = button(this, QStringLiteral("drawingFilled"), DrawingPictures::filledPicture());
    connect(m_filled, &ClickLabel::clicked, this, &DrawingToolRow::filledClicked);
    row->addWidget(m_filled);
    retranslate();
    showStyle();
    adjustSize();
}

void DrawingToolRow::retranslate()
{
    for (int n = 0; n < kTools; ++n)
        m_tools[size_t(n)]->setToolTip(text(kToolNames[n].id, kToolNames[n].english));
    m_color->setToolTip(text("s0083", "&Color...").remove(QLatin1Char('&')));
    for (int n = 0; n < 3; ++n)
        m_widths[size_t(n)]->setToolTip(text(kWidthNames[n].id, kWidthNames[n].english));
    m_filled->setToolTip(text("s0087", "Filled"));
}

QString DrawingToolRow::text(const char *id, const char *english) const
{
    return m_ws.language.text(QLatin1String(id), QString::fromUtf8(english));
}

void DrawingToolRow::toolClicked(int n)
{
    if (n == m_armed) {
        m_ws.tools.disarm(); // a second click puts the tool away
        return;
    }
    // The tool reports when it is put away by anything (Esc, another tool).
    QPointer<DrawingToolRow> self(this);
    const auto armed = [self, n](bool on) {
        if (!self)
            return;
        if (on) {
            self->showArmed(n);
        } else if (self->m_armed == n) {
            self->showArmed(-1);
            self->m_ws.setSelectedPreview(QPixmap());
        }
    };
    if (n == kEraser)
        m_ws.tools.armEraser(armed);
    else
        m_ws.tools.armDrawing(DrawingKind(n), armed);
    m_ws.setSelectedPreview(m_tools[size_t(n)]->pixmap());
}

void DrawingToolRow::showArmed(int n)
{
    m_armed = n;
    for (int i = 0; i < kTools; ++i)
        showPressed(m_tools[size_t(i)], i == n);
}

void DrawingToolRow::colorClicked()
{
    // The colour dialog speaks the stored colour values (0x00BBGGRR).
    DrawingStyle &style = m_ws.tools.drawingStyle;
    frmCores dialog(valueFromRgb(int(style.color >> 16) & 0xFF, int(style.color >> 8) & 0xFF,
                                 int(style.color) & 0xFF),
                    m_ws.owner);
    m_ws.language.translate(&dialog);
    m_ws.ui.runModal(dialog);
    style.color = colorFromValue(dialog.ChosenColor()).rgb() & 0xFFFFFF;
    showStyle();
}

void DrawingToolRow::widthClicked(int n)
{
    m_ws.tools.drawingStyle.width = kWidths[n];
    showStyle();
}

void DrawingToolRow::filledClicked()
{
    m_ws.tools.drawingStyle.filled = !m_ws.tools.drawingStyle.filled;
    showStyle();
}

void DrawingToolRow::showStyle()
{
    const DrawingStyle &style = m_ws.tools.drawingStyle;
    m_color->setPixmap(DrawingPictures::colorPicture(style.color));
    for (int n = 0; n < 3; ++n)
        showPressed(m_widths[size_t(n)], style.width == kWidths[n]);
    showPressed(m_filled, style.filled);
}

} // namespace vantrel
