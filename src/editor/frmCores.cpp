#include "editor/frmCores.h"

#include "editor/SystemColors.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

namespace vantrel {

namespace {

constexpr int kTwips = 15;
constexpr int kBoxSize = 255 / kTwips;

// The twenty colours of the palette (red, green, blue), boxes 0 to 19.
constexpr int kPalette[frmCores::kBoxes][3] = {
    {255, 255, 255}, {10, 10, 10},    {0, 0, 127},     {0, 127, 0},     {255, 0, 0},
    {127, 0, 0},     {127, 0, 127},   {255, 127, 0},   {255, 255, 0},   {0, 255, 0},
    {0, 148, 144},   {0, 255, 255},   {0, 0, 255},     {255, 0, 255},   {92, 92, 92},
    {210, 210, 210}, {200, 255, 200}, {255, 200, 255}, {200, 200, 255}, {255, 255, 200},
};

} // namespace

ColorBox::ColorBox(QWidget *parent)
    : QWidget(parent)
{
    setFixedSize(kBoxSize, kBoxSize);
    setCursor(Qt::PointingHandCursor);
}

void ColorBox::setValue(uint32_t value)
{
    m_value = value;
    update();
}

void ColorBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), colorFromValue(m_value));
    p.setPen(Qt::black);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ColorBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        Q_EMIT clicked(m_value);
}

frmCores::frmCores(uint32_t color, QWidget *parent)
    : QDialog(parent)
    , m_chosenColor(color)
{
    setObjectName(QStringLiteral("frmCores"));
    setWindowTitle(QStringLiteral("Select a Color"));
    setFixedSize(3840 / kTwips, 2280 / kTwips);

    auto *label1 = new QLabel(QStringLiteral("Choose a color for object movements:"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setGeometry(120 / kTwips, 120 / kTwips, 3600 / kTwips, 375 / kTwips);
    for (int i = 0; i <= kBoxes; ++i) {
        auto *box = new ColorBox(this);
        box->setObjectName(QStringLiteral("picCor(%1)").arg(i));
        if (i < 10)
            box->move((120 + 360 * i) / kTwips, 600 / kTwips);
        else if (i < kBoxes)
            box->move((120 + 360 * (i - 10)) / kTwips, 960 / kTwips);
        else
            box->move(1560 / kTwips, 1440 / kTwips);
        if (i < kBoxes)
            box->setValue(valueFromRgb(kPalette[i][0], kPalette[i][1], kPalette[i][2]));
        connect(box, &ColorBox::clicked, this, &frmCores::setPreview);
        m_picCor[size_t(i)] = box;
    }
    auto *label2 = new QLabel(QStringLiteral("Selected color:"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label2->setGeometry(120 / kTwips, 1440 / kTwips, 1380 / kTwips, 255 / kTwips);
    m_cmdOk = new QPushButton(QStringLiteral("OK"), this);
    m_cmdOk->setObjectName(QStringLiteral("cmdOk"));
    m_cmdOk->setDefault(true);
    m_cmdOk->setGeometry(2520 / kTwips, 1800 / kTwips, 1200 / kTwips, 375 / kTwips);
    connect(m_cmdOk, &QPushButton::clicked, this, &frmCores::accept);
    setPreview(color);
}

void frmCores::setPreview(uint32_t value)
{
    m_picCor[kBoxes]->setValue(value);
}

uint32_t frmCores::preview() const
{
    return m_picCor[kBoxes]->value();
}

void frmCores::accept()
{
    m_chosenColor = preview();
    QDialog::accept();
}

} // namespace vantrel
