#include "EditorFixture.h"

#include "editor/MapView.h"
#include "editor/frmLink.h"

#include <QAction>

using namespace vantrel;
using namespace vantrel::test;

using TextEditing = EditorFixture;

TEST_F(TextEditing, InsertedAtThePressPointWithoutCentring)
{
    insertText(1000, 2000, typeAndOk("txtTexto", "Smoke here"));
    ASSERT_EQ(map().iTxt(), 1);
    EXPECT_EQ(map().strat().Texts[1], (StratText{1000, 2000, "Smoke here"}));
    ASSERT_NE(surface().lblTexto(1), nullptr);
    EXPECT_EQ(surface().lblTexto(1)->pos(), QPointF(1000, 2000));
    EXPECT_EQ(surface().lblTexto(1)->caption(), "Smoke here");
    EXPECT_FALSE(ws.tools.PlacingMode());
    EXPECT_FALSE(ws.tools.TextMode());
}

TEST_F(TextEditing, CancelledOrClosedAddsNothingAndSpendsTheTool)
{
    insertText(1000, 2000, typeAndOk("txtTexto", "typed", "cmdCancelar"));
    insertText(1000, 2000, closeBox());
    EXPECT_EQ(map().iTxt(), 0);
    EXPECT_FALSE(ws.tools.PlacingMode());
    EXPECT_FALSE(ws.tools.TextMode());
    // The next press places nothing.
    clickAt(1000, 2000);
    EXPECT_EQ(map().iTxt(), 0);
    EXPECT_EQ(map().iObj(), 0);
}

TEST_F(TextEditing, DoubleClickEditsAndAnEmptyResultKeepsTheText)
{
    insertText(1000, 2000, typeAndOk("txtTexto", "A"));
    QString shown;
    const struct
    {
        ScriptedUi::DialogScript answer;
        const char *caption;
    } cases[] = {
        {readAndType("txtTexto", &shown, "X", "cmdCancelar"), "A"},
        {typeAndOk("txtTexto", ""), "A"},
        {closeBox(), "A"},
        {typeAndOk("txtTexto", "B site"), "B site"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.caption);
        ui.answer(c.answer);
        doubleClickAt(1030, 2030);
        EXPECT_EQ(map().strat().Texts[1].Caption, c.caption);
        EXPECT_EQ(surface().lblTexto(1)->caption(), c.caption);
    }
    EXPECT_EQ(shown, "A");
}

TEST_F(TextEditing, DragShowsAFrameOfTheLabelsOwnSize)
{
    insertText(1000, 2000, typeAndOk("txtTexto", "Long caption for a label"));
    TextItem *label = surface().lblTexto(1);
    const MapEvent grab = at(1030, 2030);
    ASSERT_EQ(grab.hit.kind, MapHit::Text);
    press(grab);
    moveTo(grab, 1330, 2130);
    QGraphicsRectItem *frame = surface().shpT();
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->rect().size(), QSizeF(label->widthTwips(), label->heightTwips()));
    EXPECT_NE(frame->rect().size(), QSizeF(150, 210)) << "not an object's frame";
    EXPECT_EQ(frame->pos(), QPointF(1300, 2100));
    release(grab, 1330, 2130);
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(map().strat().Texts[1].Left, 1300);
    EXPECT_EQ(map().strat().Texts[1].Top, 2100);
    EXPECT_EQ(label->pos(), QPointF(1300, 2100));
}

// A label longer than the room to its right wraps there; the map shows all of
// it, and the stored caption stays as typed.
TEST_F(TextEditing, ALongLabelWrapsInTheRoomToItsRight)
{
    map().resize(frmMapa::kWidthPixels, frmMapa::kHeightPixels);
    const QString caption = QStringLiteral("Smoke the window, then hold the long corner until the "
                                           "bomb is planted and the last one is down");
    insertText(9000, 3000, typeAndOk("txtTexto", caption));
    const TextItem *label = surface().lblTexto(1);
    EXPECT_EQ(map().strat().Texts[1].Caption, caption);
    EXPECT_LE(label->pos().x() + label->widthTwips(), StratSurface::kWidthTwips);
    const int lineHeight = 15 * 15;
    EXPECT_GT(label->heightTwips(), 3 * lineHeight) << "several lines";

    // Yellow on every line, and nothing past the map's right edge to cut.
    const QImage shot = map().grab().toImage();
    const QRect box
        = QRectF(label->pos() / 15, QSizeF(label->widthTwips(), label->heightTwips()) / 15)
              .toAlignedRect();
    int linesWithText = 0;
    for (int y = box.top(); y < box.bottom(); y += 15) {
        bool yellow = false;
        for (int yy = y; yy < y + 15 && yy < shot.height(); ++yy)
            for (int x = box.left(); x < box.right() && !yellow; ++x)
                yellow = QColor(shot.pixel(x, yy)) == QColor(255, 255, 0);
        linesWithText += yellow ? 1 : 0;
    }
    EXPECT_GE(linesWithText, 4);
}

// Captions too many to lay out in one paint show over the next paints, each
// starting where the last stopped, and end as the picture drawn at once; a
// picture of the window never waits for them.
TEST_F(TextEditing, ManyLongLabelsShowOverSeveralPaintsAsOnePicture)
{
    Strat strat;
    strat.Overview = OverviewName();
    QString caption;
    for (int i = 0; caption.size() < 5000; ++i)
        caption += QStringLiteral("smoke %1 window ").arg(i);
    const int labels = int(3 * TextLayer::kCharactersPerPaint / caption.size());
    for (int i = 0; i < labels; ++i)
        strat.Texts.append({float(150 * (i % 40)), float(200 * (i % 30)), caption});

    auto open = [&] {
        frmMapa *w = addWindow();
        w->resize(frmMapa::kWidthPixels, frmMapa::kHeightPixels);
        w->document().load(strat);
        return w;
    };
    frmMapa *painted = open();
    TextLayer &layer = painted->surface().textLayer();
    int paints = 0;
    for (; !layer.isComplete() && paints < 10; ++paints)
        painted->view()->viewport()->grab();
    EXPECT_GE(paints, 3);
    EXPECT_TRUE(layer.isComplete());

    frmMapa *pictured = open();
    const QImage atOnce = pictured->capture();
    EXPECT_TRUE(pictured->surface().textLayer().isComplete());
    EXPECT_EQ(painted->capture(), atOnce);
    // The last label's first line shows its start.
    const MapView *view = pictured->view();
    const QPoint start = view->viewport()->mapTo(
        pictured, view->mapFromScene(pictured->surface().lblTexto(labels - 1)->pos()));
    int yellow = 0;
    for (int y = start.y(); y < start.y() + 12; ++y)
        for (int x = start.x(); x < start.x() + 40; ++x)
            yellow += QColor(atOnce.pixel(x, y)) == QColor(255, 255, 0);
    EXPECT_GT(yellow, 0);
}

TEST_F(TextEditing, RemovingTextOneOfTwoLeavesATombstone)
{
    insertText(1000, 2000, typeAndOk("txtTexto", "one"));
    insertText(3000, 2000, typeAndOk("txtTexto", "two"));
    rightClickText(1);
    removeSelected();
    EXPECT_EQ(map().iTxt(), 2);
    EXPECT_EQ(map().strat().Texts[1], (StratText{0, 0, "0"}));
    EXPECT_EQ(surface().lblTexto(1), nullptr);
    EXPECT_NE(surface().lblTexto(2), nullptr);
}

using LinkEditing = EditorFixture;

TEST_F(LinkEditing, AddThenEditTheSameObjectsLink)
{
    place(0, 1000, 1000);
    rightClickObject(1);
    QString shown = "unset";
    ui.answer(readAndType("txtLink", &shown, "http://example.invalid/one"));
    menus->mnuLink()->trigger();
    EXPECT_EQ(shown, "");
    ASSERT_EQ(map().strat().Links.count(), 1);
    EXPECT_EQ(map().strat().Links[1], (StratLink{"http://example.invalid/one", 1, 0, 0}));

    ui.answer([&](QDialog &d) {
        EXPECT_EQ(static_cast<frmLink &>(d).EditLinkIndex(), 1);
        readAndType("txtLink", &shown, "http://example.invalid/two")(d);
    });
    menus->mnuLink()->trigger();
    EXPECT_EQ(shown, "http://example.invalid/one");
    EXPECT_EQ(map().strat().Links.count(), 1);
    EXPECT_EQ(map().strat().Links[1].Target, "http://example.invalid/two");

    // Cancel stores nothing.
    ui.answer(typeAndOk("txtLink", "ignored", "cmdCancelar"));
    menus->mnuLink()->trigger();
    EXPECT_EQ(map().strat().Links[1].Target, "http://example.invalid/two");
}

TEST_F(LinkEditing, WayPointLinkIsKeyedByItsPointNotTheOwner)
{
    place(0, 1000, 1000);
    rightClickObject(1);
    ui.answer(typeAndOk("txtLink", "object link"));
    menus->mnuLink()->trigger();
    addPointFor(1, 2000, 1000);
    addPointFor(1, 3000, 1000);
    rightClickMarker(2);
    QString shown = "unset";
    ui.answer(readAndType("txtLink", &shown, "point link"));
    menus->mnuLink2()->trigger();
    EXPECT_EQ(shown, "");
    ASSERT_EQ(map().strat().Links.count(), 2);
    EXPECT_EQ(map().strat().Links[2], (StratLink{"point link", 0, 1, 2}));
    rightClickMarker(2);
    ui.answer(readAndType("txtLink", &shown, {}, nullptr));
    menus->mnuLink2()->trigger();
    EXPECT_EQ(shown, "point link");
}

TEST_F(LinkEditing, RemovedObjectsLinkIsEmptiedAndNotFoundByOthers)
{
    place(0, 1000, 1000);
    place(1, 3000, 1000);
    rightClickObject(1);
    ui.answer(typeAndOk("txtLink", "gone soon"));
    menus->mnuLink()->trigger();
    removeSelected();
    EXPECT_EQ(map().strat().Links[1], StratLink());
    rightClickObject(2);
    QString shown = "unset";
    ui.answer([&](QDialog &d) {
        EXPECT_EQ(static_cast<frmLink &>(d).EditLinkIndex(), 0);
        readAndType("txtLink", &shown, {}, nullptr)(d);
    });
    menus->mnuLink()->trigger();
    EXPECT_EQ(shown, "");
}

TEST_F(LinkEditing, GoOpensOnlyANonEmptyAddressAndStaysOpen)
{
    place(0, 1000, 1000);
    rightClickObject(1);
    bool stillOpen = false;
    ui.answer([&](QDialog &d) {
        d.findChild<QPushButton *>("cmdGO")->click();
        d.findChild<QLineEdit *>("txtLink")->setText("http://example.invalid/go");
        d.findChild<QPushButton *>("cmdGO")->click();
        stillOpen = d.result() == 0;
        d.reject();
    });
    menus->mnuLink()->trigger();
    EXPECT_TRUE(stillOpen);
    QStringList opened;
    for (const Prompt &p : ui.prompts())
        if (p.kind == Prompt::Open)
            opened << p.text;
    EXPECT_EQ(opened, QStringList{"http://example.invalid/go"});
}

TEST_F(LinkEditing, LinkDialogOkStoresInTheWindowOfTheLastRightClick)
{
    frmMapa *second = addWindow();
    active = second;
    place(0, 1000, 1000);
    rightClickObject(1);
    active = windows[0].get(); // another window became active meanwhile
    ui.answer(typeAndOk("txtLink", "x"));
    menus->mnuLink()->trigger();
    EXPECT_EQ(second->strat().Links.count(), 1);
    EXPECT_EQ(windows[0]->strat().Links.count(), 0);
}
