#include "EditorFixture.h"

#include "editor/DrawingMenu.h"
#include "editor/DrawingShapes.h"
#include "editor/MapDrawings.h"
#include "editor/MapView.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSpinBox>

#include <cmath>

using namespace vantrel;
using namespace vantrel::test;

namespace {

constexpr uint32_t kBlue = 0x0000FF;

Drawing line(QPoint from, QPoint to, uint32_t color = kBlue, int32_t width = kThickWidth)
{
    Drawing d;
    d.kind = DrawingKind::Line;
    d.points = {from, to};
    d.color = color;
    d.width = width;
    return d;
}

// Twips of the map at `pixel`.
QPoint twips(QPoint pixel)
{
    return pixel * kTwipsPerPixel;
}

} // namespace

// The map on a black overview, driven by real mouse events on its view.
class Drawings : public EditorFixture
{
protected:
    Drawings()
    {
        QPixmap black(kMapWidthTwips / kTwipsPerPixel, kMapHeightTwips / kTwipsPerPixel);
        black.fill(Qt::black);
        map().surface().scene().setBackground(black);
    }

    void mouse(QEvent::Type type, QPoint pixel, Qt::MouseButton button, Qt::MouseButtons held)
    {
        QWidget *w = map().view()->viewport();
        QMouseEvent e(type, QPointF(pixel), w->mapToGlobal(QPointF(pixel)), button, held,
                      Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    // A press at the first pixel, moves through the others, a release at the last.
    void stroke(const std::vector<QPoint> &pixels, Qt::MouseButton button = Qt::LeftButton)
    {
        mouse(QEvent::MouseButtonPress, pixels.front(), button, button);
        for (const QPoint &p : pixels)
            mouse(QEvent::MouseMove, p, Qt::NoButton, button);
        mouse(QEvent::MouseButtonRelease, pixels.back(), button, Qt::NoButton);
    }

    StratDocument &doc() { return map().document(); }
    int steps() { return doc().undoStack().count(); }
    QColor shownAt(QPoint pixel) { return QColor(map().capture().pixel(pixel)); }
};

TEST_F(Drawings, EachToolDrawsItsShapeWithTheChosenStyleAsOneStep)
{
    ws.tools.drawingStyle = {0x00FF00, kThickWidth, true};
    struct Case
    {
        DrawingKind kind;
        bool filled;
    };
    for (const Case c : {Case{DrawingKind::Line, false}, Case{DrawingKind::Arrow, false},
                         Case{DrawingKind::Rect, true}, Case{DrawingKind::Ellipse, true}}) {
        SCOPED_TRACE(int(c.kind));
        ws.tools.armDrawing(c.kind);
        const int before = steps();
        stroke({{100, 100}, {150, 120}, {200, 160}});
        ASSERT_EQ(steps(), before + 1);
        const Drawing &d = doc().drawings().back();
        EXPECT_EQ(d.kind, c.kind);
        EXPECT_EQ(d.points, (std::vector<QPoint>{twips({100, 100}), twips({200, 160})}));
        EXPECT_EQ(d.color, 0x00FF00u);
        EXPECT_EQ(d.width, kThickWidth);
        EXPECT_EQ(d.filled, c.filled) << "only rectangles and ellipses are filled";
        // A click draws no line or shape, and the tool stays armed.
        stroke({{300, 300}});
        EXPECT_EQ(steps(), before + 1);
        EXPECT_NE(ws.tools.current(), nullptr);
    }
    doc().undo();
    EXPECT_EQ(doc().drawings().size(), 3u);
}

TEST_F(Drawings, PenStrokeIsSimplifiedOnRelease)
{
    ws.tools.drawingStyle.width = kThickWidth;
    ws.tools.armDrawing(DrawingKind::Pen);
    std::vector<QPoint> pixels;
    for (int x = 50; x <= 400; ++x)
        pixels.emplace_back(x, 200 + int(std::lround(40 * std::sin(x / 30.0))));
    stroke(pixels);
    ASSERT_EQ(doc().drawings().size(), 1u);
    const std::vector<QPoint> &kept = doc().drawings()[0].points;
    EXPECT_EQ(kept.front(), twips(pixels.front()));
    EXPECT_EQ(kept.back(), twips(pixels.back()));
    EXPECT_LT(kept.size(), pixels.size() / 4);
    // The drawn line still passes over every pixel the pointer went through.
    const QImage shot = map().capture();
    for (const QPoint &p : pixels)
        ASSERT_NE(QColor(shot.pixel(p)), QColor(Qt::black)) << p.x() << "," << p.y();
}

TEST_F(Drawings, SimplificationStaysWithinToleranceAndDropsRepeats)
{
    std::vector<QPoint> dense;
    for (int i = 0; i < 3000; ++i)
        dense.emplace_back(i * 3, int(std::lround(900 * std::sin(i / 200.0))));
    dense.push_back(dense.back());
    const std::vector<QPoint> kept = DrawingShapes::simplified(dense, 15);
    EXPECT_LT(kept.size(), dense.size() / 10);
    Drawing path = line({}, {}, kBlue, 0);
    path.kind = DrawingKind::Pen;
    path.points = kept;
    for (const QPoint &p : dense)
        ASSERT_TRUE(DrawingShapes::touches(path, p, 15.5)) << p.x() << "," << p.y();
    EXPECT_EQ(DrawingShapes::simplified({{0, 0}, {5, 0}, {5, 0}, {10, 0}}, 1),
              (std::vector<QPoint>{{0, 0}, {10, 0}}));
    EXPECT_EQ(DrawingShapes::simplified({{7, 7}, {7, 7}}, 1), (std::vector<QPoint>{{7, 7}}));
}

TEST_F(Drawings, EraserRemovesOnlyWhatItHitsAndTheRestStaysPainted)
{
    doc().addDrawing(line(twips({100, 100}), twips({300, 100}), 0xFF0000));
    doc().addDrawing(line(twips({200, 50}), twips({200, 150})));
    map().capture(); // painted once, so the eraser's change is a repaint
    ws.tools.armEraser();
    const int before = steps();
    stroke({{400, 400}});
    EXPECT_EQ(doc().drawings().size(), 2u) << "nothing under the press";
    stroke({{200, 60}});
    ASSERT_EQ(doc().drawings().size(), 1u);
    EXPECT_EQ(doc().drawings()[0].color, 0xFF0000u);
    EXPECT_EQ(steps(), before + 1);
    EXPECT_EQ(shownAt({200, 100}), QColor(255, 0, 0)) << "the crossing is painted again";
    EXPECT_EQ(shownAt({200, 60}), QColor(Qt::black));
}

TEST_F(Drawings, PlacingToolsTreatADrawingAsTheMap)
{
    Drawing zone = line(twips({100, 100}), twips({300, 200}));
    zone.kind = DrawingKind::Rect;
    zone.filled = true;
    doc().addDrawing(zone);
    place(0, 200 * kTwipsPerPixel, 150 * kTwipsPerPixel);
    EXPECT_EQ(map().iObj(), 1);
}

TEST_F(Drawings, SelectDragsADrawingAsOneStep)
{
    doc().addDrawing(line(twips({100, 100}), twips({300, 100})));
    const int before = steps();
    stroke({{200, 101}, {210, 120}, {230, 141}});
    EXPECT_EQ(steps(), before + 1);
    EXPECT_EQ(doc().drawings()[0].points,
              (std::vector<QPoint>{twips({130, 140}), twips({330, 140})}));
    doc().undo();
    EXPECT_EQ(doc().drawings()[0].points[0], twips({100, 100}));
}

TEST_F(Drawings, MenuEditsTheDrawingEachAsOneStep)
{
    Drawing zone = line(twips({100, 100}), twips({300, 200}));
    zone.kind = DrawingKind::Rect;
    doc().addDrawing(zone);
    struct Case
    {
        const char *what;
        std::function<void(DrawingMenu &)> act;
        std::function<bool(const Drawing &)> done;
    };
    const Case cases[] = {
        {"width", [](DrawingMenu &m) { m.widthAction(0)->trigger(); },
         [](const Drawing &d) {
             return d.width == kThinWidth;
         }},
        {"filled", [](DrawingMenu &m) { m.filledAction()->trigger(); },
         [](const Drawing &d) {
             return d.filled;
         }},
        {"colour",
         [this](DrawingMenu &m) {
             ui.answer(pickColour(4)); // red
             m.colorAction()->trigger();
         },
         [](const Drawing &d) {
             return d.color == 0xFF0000;
         }},
        {"cue, given the other way round",
         [this](DrawingMenu &m) {
             ui.answer([](QDialog &dialog) {
                 auto &cue = static_cast<DrawingCueDialog &>(dialog);
                 cue.fromBox()->setValue(300);
                 cue.toBox()->setValue(100);
                 cue.accept();
             });
             m.cueAction()->trigger();
         },
         [](const Drawing &d) {
             return d.fromFrame == 100 && d.toFrame == 300;
         }},
        {"remove", [](DrawingMenu &m) { m.removeAction()->trigger(); },
         [](const Drawing &) {
             return true;
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        stroke({{100, 150}}, Qt::RightButton); // on its left edge
        ASSERT_NE(map().mapDrawings().menu(), nullptr);
        const int before = steps();
        const size_t count = doc().drawings().size();
        c.act(*map().mapDrawings().menu());
        EXPECT_EQ(steps(), before + 1);
        if (doc().drawings().size() == count) {
            EXPECT_TRUE(c.done(doc().drawings()[0]));
        }
    }
    EXPECT_TRUE(doc().drawings().empty());
}

TEST_F(Drawings, ACuedDrawingShowsFromItsFirstToItsLastFrame)
{
    Drawing smoke = line(twips({100, 100}), twips({300, 100}));
    smoke.fromFrame = 10;
    smoke.toFrame = 20;
    doc().addDrawing(smoke);
    doc().addDrawing(line(twips({100, 300}), twips({300, 300}))); // always
    const QColor stopped = shownAt({200, 100});
    EXPECT_GT(stopped.blue(), 0) << "a stopped strat shows it faint";
    EXPECT_LT(stopped.blue(), 255);
    struct Case
    {
        int32_t frame;
        bool shown;
    };
    for (const Case c : {Case{5, false}, {10, true}, {20, true}, {21, false}}) {
        map().playback().seekTo(c.frame);
        EXPECT_EQ(shownAt({200, 100}), c.shown ? QColor(0, 0, 255) : QColor(Qt::black)) << c.frame;
        EXPECT_EQ(shownAt({200, 300}), QColor(0, 0, 255)) << c.frame;
    }
    map().picGO_Click(); // stop
    EXPECT_EQ(shownAt({200, 100}), stopped);
}

TEST_F(Drawings, ToggleHidesEveryDrawingUntilShownAgain)
{
    doc().addDrawing(line(twips({100, 100}), twips({300, 100})));
    map().mapDrawings().setAllShown(false);
    EXPECT_EQ(shownAt({200, 100}), QColor(Qt::black));
    EXPECT_EQ(surface().hitAt(twips({200, 100})).kind, MapHit::Map) << "hidden ones take no click";
    doc().addDrawing(line(twips({100, 200}), twips({300, 200})));
    EXPECT_EQ(shownAt({200, 200}), QColor(Qt::black)) << "new ones stay hidden too";
    map().mapDrawings().setAllShown(true);
    EXPECT_EQ(shownAt({200, 100}), QColor(0, 0, 255));
}
