#include "editor/DrawingMenu.h"

#include "editor/DrawingPictures.h"
#include "editor/SystemColors.h"
#include "editor/Workspace.h"
#include "editor/frmCores.h"
#include "strat/StratDocument.h"
#include "uiservice/Ui.h"

#include <QActionGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>

#include <algorithm>
#include <limits>

namespace vantrel {

namespace {

constexpr int32_t kWidths[3] = {kThinWidth, kMediumWidth, kThickWidth};
constexpr const char *kWidthIds[3] = {"s0084", "s0085", "s0086"};
constexpr const char *kWidthNames[3] = {"Thin", "Medium", "Thick"};

bool mayFill(DrawingKind kind)
{
    return kind == DrawingKind::Rect || kind == DrawingKind::Ellipse;
}

} // namespace

DrawingMenu::DrawingMenu(Workspace &workspace, StratDocument &document, int index, QWidget *parent)
    : QMenu(parent)
    , m_ws(workspace)
    , m_document(document)
    , m_index(index)
{
    setObjectName(QStringLiteral("drawingMenu"));
    const Drawing &d = document.drawings().at(size_t(index));
    m_color = addAction(text("s0083", "&Color..."), this, &DrawingMenu::askColor);
    QMenu *widths = addMenu(text("s0090", "Width"));
    auto *group = new QActionGroup(this);
    for (int n = 0; n < 3; ++n) {
        m_widths[n] = widths->addAction(DrawingPictures::widthPicture(kWidths[n]),
                                        text(kWidthIds[n], kWidthNames[n]));
        m_widths[n]->setCheckable(true);
        m_widths[n]->setChecked(d.width == kWidths[n]);
        group->addAction(m_widths[n]);
        const int32_t width = kWidths[n];
        connect(m_widths[n], &QAction::triggered, this,
                [this, width] { change([width](Drawing &x) { x.width = width; }); });
    }
    m_filled = addAction(text("s0087", "Filled"));
    m_filled->setCheckable(true);
    m_filled->setChecked(d.filled);
    m_filled->setVisible(mayFill(d.kind));
    connect(m_filled, &QAction::triggered, this,
            [this](bool on) { change([on](Drawing &x) { x.filled = on; }); });
    m_cue = addAction(text("s0091", "Show from &Frame..."), this, &DrawingMenu::askCue);
    addSeparator();
    m_remove = addAction(text("s0092", "&Remove Drawing"), this, [this] {
        if (size_t(m_index) < m_document.drawings().size())
            m_document.removeDrawing(m_index);
    });
}

QString DrawingMenu::text(const char *id, const char *english) const
{
    return m_ws.language.text(QLatin1String(id), QString::fromUtf8(english));
}

template<typename Change> void DrawingMenu::change(Change &&apply)
{
    // The strat may have changed under an open menu (an undo).
    const auto &drawings = m_document.drawings();
    if (size_t(m_index) >= drawings.size())
        return;
    Drawing d = drawings[size_t(m_index)];
    apply(d);
    if (d != drawings[size_t(m_index)])
        m_document.changeDrawing(m_index, d);
}

void DrawingMenu::askColor()
{
    if (size_t(m_index) >= m_document.drawings().size())
        return;
    // The colour dialog speaks the stored colour values (0x00BBGGRR).
    const uint32_t rgb = m_document.drawings()[size_t(m_index)].color;
    frmCores dialog(valueFromRgb(int(rgb >> 16) & 0xFF, int(rgb >> 8) & 0xFF, int(rgb) & 0xFF),
                    m_ws.owner);
    m_ws.language.translate(&dialog);
    m_ws.ui.runModal(dialog); // without OK the colour stays
    const uint32_t chosen = colorFromValue(dialog.ChosenColor()).rgb() & 0xFFFFFF;
    change([chosen](Drawing &x) { x.color = chosen; });
}

void DrawingMenu::askCue()
{
    if (size_t(m_index) >= m_document.drawings().size())
        return;
    const Drawing &d = m_document.drawings()[size_t(m_index)];
    DrawingCueDialog dialog(m_ws, d.fromFrame, d.toFrame, m_ws.owner);
    if (m_ws.ui.runModal(dialog) != QDialog::Accepted)
        return;
    const int32_t from = dialog.fromFrame(), to = dialog.toFrame();
    change([from, to](Drawing &x) {
        x.fromFrame = from;
        x.toFrame = to;
    });
}

DrawingCueDialog::DrawingCueDialog(const Workspace &workspace, int32_t fromFrame, int32_t toFrame,
                                   QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("drawingCue"));
    const auto text = [&](const char *id, const char *english) {
        return workspace.language.text(QLatin1String(id), QString::fromUtf8(english));
    };
    setWindowTitle(text("s0091", "Show from &Frame...").remove(QLatin1Char('&')));
    auto *form = new QFormLayout(this);
    const auto frameBox = [this](const char *name, int32_t value) {
        auto *box = new QSpinBox(this);
        box->setObjectName(QLatin1String(name));
        box->setRange(0, std::numeric_limits<int32_t>::max());
        box->setValue(std::max(0, value));
        return box;
    };
    m_from = frameBox("fromFrame", fromFrame);
    m_to = frameBox("toFrame", toFrame);
    form->addRow(text("s0093", "First frame (0 = always):"), m_from);
    form->addRow(text("s0094", "Last frame (0 = always):"), m_to);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancelar"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

int32_t DrawingCueDialog::fromFrame() const
{
    const int32_t from = m_from->value(), to = m_to->value();
    return to != 0 && to < from ? to : from;
}

int32_t DrawingCueDialog::toFrame() const
{
    const int32_t from = m_from->value(), to = m_to->value();
    return to != 0 && to < from ? from : to;
}

} // namespace vantrel
