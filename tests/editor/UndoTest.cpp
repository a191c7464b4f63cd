#include "EditorFixture.h"

#include <QAction>
#include <QTextStream>

#include <functional>

using namespace vantrel;
using namespace vantrel::test;

class UndoEditing : public EditorFixture
{
protected:
    // Two objects with interleaved, coloured paths, a text and a link.
    void build()
    {
        place(0, 1000, 1000);
        place(5, 1000, 5000);
        insertText(4000, 7500, typeAndOk("txtTexto", "Hold"));
        addPointFor(1, 3000, 1000);
        addPointFor(2, 3000, 5000, 1);
        addPointFor(1, 4000, 2500);
        rightClickObject(1);
        ui.answer(pickColour(4));
        menus->mnuCor()->trigger();
        ui.answer(typeAndOk("txtLink", "http://example.invalid"));
        menus->mnuLink()->trigger();
    }

    // Everything the surface shows, in one comparable text.
    QString scene()
    {
        QString out;
        QTextStream s(&out);
        for (int i = 0; i <= 20; ++i) {
            if (const ObjectItem *o = surface().imgObj(i))
                s << "obj" << i << ' ' << o->pos().x() << ',' << o->pos().y() << ';';
            if (const TextItem *t = surface().lblTexto(i))
                s << "txt" << i << ' ' << t->caption() << ' ' << t->pos().x() << ';';
            if (const MarkerItem *m = surface().picM(i))
                s << "mk" << i << ' ' << m->tag() << ' ' << m->pos().x() << ',' << m->pos().y()
                  << ' ' << m->brush().color().name() << ';';
            if (const PathLine *l = surface().linha(i))
                s << "ln" << i << ' ' << l->line().p1().x() << ',' << l->line().p1().y() << '-'
                  << l->line().p2().x() << ',' << l->line().p2().y() << ' '
                  << l->pen().color().name() << ';';
        }
        return out;
    }

    void undo() { map().document().undo(); }
    void redo() { map().document().redo(); }
};

// Each user action is one undo step: undo brings back the picture, redo the
// edited one. The bytes are StratDocumentTest's table; the engines and links of
// a removed object are MovementEnginesTest's and StratDocumentTest's.
TEST_F(UndoEditing, EveryActionIsOneStepThatRestoresThePictureAndTheBytes)
{
    const struct
    {
        std::function<void()> act;
        const char *name;
    } cases[] = {
        {[&] { place(12, 7000, 7000); }, "Place Object"},
        {[&] {
             const MapEvent grab = at(965, 965);
             press(grab);
             for (int x = 60; x <= 300; x += 60)
                 moveTo(grab, 925 + x, 925 + x);
             release(grab, 1225, 1225);
         },
         "Move Object"},
        {[&] {
             rightClickObject(1);
             removeSelected();
         },
         "Remove Object"},
        {[&] {
             ui.answer(typeAndOk("txtTexto", "Rush"));
             doubleClickAt(4030, 7530);
         },
         "Edit Text"},
        {[&] { addPointFor(2, 6000, 6000, 1); }, "Add Way Point"},
        {[&] { drag(4000, 2500, 4300, 2600); }, "Move Way Point"},
        {[&] {
             rightClickMarker(1);
             removeSelected(true);
         },
         "Remove Movement"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        windows.clear();
        active = addWindow();
        build();
        const QString sceneBefore = scene();
        const int steps = map().document().undoStack().count();

        c.act();
        EXPECT_EQ(map().document().undoStack().count(), steps + 1);
        EXPECT_EQ(map().document().undoStack().undoText(), QString::fromLatin1(c.name));
        const QString sceneAfter = scene();
        ASSERT_NE(sceneAfter, sceneBefore);

        undo();
        EXPECT_EQ(scene(), sceneBefore);
        redo();
        EXPECT_EQ(scene(), sceneAfter);
    }
}
