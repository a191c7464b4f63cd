#pragma once

#include "editor/EditorPopupMenus.h"
#include "editor/MapInput.h"
#include "editor/StratEditor.h"
#include "editor/StratSurface.h"
#include "editor/Workspace.h"
#include "editor/frmCores.h"
#include "editor/frmMapa.h"
#include "strat/PaletteIcons.h"
#include "support/ScriptedUi.h"
#include "support/TempHome.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace vantrel::test {

// A main window stand-in with the shared workspace, the popup menus and strat
// windows in slots 1, 2, ...; window 1 is the active one unless changed.
class EditorFixture : public ::testing::Test
{
protected:
    EditorFixture()
        : ws(ui, *this)
    {
        ws.owner = &mainWindow;
        for (int i = 0; i < PaletteIcons::Count; ++i)
            ws.palette[size_t(i)] = QPixmap::fromImage(PaletteIcons::image(i));
        menus = new EditorPopupMenus(ws, &mainWindow);
        active = addWindow();
    }

    frmMapa *addWindow()
    {
        windows.push_back(std::make_unique<frmMapa>(ws));
        frmMapa *w = windows.back().get();
        w->iMI = int16_t(windows.size());
        w->document().start(QStringLiteral("Strat"), OverviewName());
        return w;
    }

    frmMapa &map() { return *active; }
    StratSurface &surface() { return active->surface(); }
    const StratSelection &selection() { return active->editor().selection(); }

    // A mouse event at (x, y) twips, on whatever the map shows there, as the
    // view hands it to the window (its own tests send real events).
    MapEvent at(double x, double y, Qt::MouseButton button = Qt::LeftButton)
    {
        MapEvent e;
        e.hit = surface().hitAt(QPointF(x, y));
        e.button = button;
        e.buttons = button;
        e.pos = QPointF(x, y);
        return e;
    }
    void press(const MapEvent &e) { active->input().press(e); }
    void moveTo(MapEvent e, double x, double y)
    {
        e.pos = QPointF(x, y);
        e.button = Qt::NoButton;
        active->input().move(e);
    }
    void release(MapEvent e, double x, double y)
    {
        e.pos = QPointF(x, y);
        e.buttons = Qt::NoButton;
        active->input().release(e);
    }
    void clickAt(double x, double y, Qt::MouseButton button = Qt::LeftButton)
    {
        const MapEvent e = at(x, y, button);
        press(e);
        release(e, x, y);
    }
    // Drags what is at (x, y) to (toX, toY).
    void drag(double x, double y, double toX, double toY)
    {
        const MapEvent e = at(x, y);
        press(e);
        moveTo(e, toX, toY);
        release(e, toX, toY);
    }
    void doubleClickAt(double x, double y) { active->input().doubleClick(at(x, y)); }

    // Places palette icon `index` with its anchor on (x, y); returns its number.
    int16_t place(int index, double x, double y)
    {
        ws.tools.armPalette(int16_t(index));
        clickAt(x, y);
        return active->iObj();
    }

    // The Text tool armed, then a press at (x, y) answered by the text dialog.
    void insertText(double x, double y, ScriptedUi::DialogScript answer)
    {
        ws.tools.armText();
        ui.answer(std::move(answer));
        clickAt(x, y);
    }
    // "&Remove ..." on the last right-clicked item (object, text or marker), answered Yes.
    void removeSelected(bool marker = false)
    {
        ui.answer(MsgResult::Yes);
        (marker ? menus->mnuApagaMov() : menus->mnuApagar())->trigger();
    }

    // A right press on item `number` of `kind`; the popup menu takes the release.
    void rightClick(MapHit::Kind kind, int16_t number, QPointF topLeft)
    {
        MapEvent e;
        e.hit = {kind, number, topLeft};
        e.button = Qt::RightButton;
        e.buttons = Qt::RightButton;
        e.pos = topLeft + QPointF(10, 10);
        active->input().press(e);
    }
    void rightClickObject(int16_t i) { rightClick(MapHit::Object, i, surface().imgObj(i)->pos()); }
    void rightClickText(int16_t i) { rightClick(MapHit::Text, i, surface().lblTexto(i)->pos()); }
    void rightClickMarker(int16_t k) { rightClick(MapHit::Marker, k, surface().picM(k)->pos()); }

    // "Add &Movement" on the selected object, then a press at (x, y) answered
    // by the Movement dialog with `option` (0 run, 1 walk, 2 grenade).
    void addPoint(double x, double y, int option = 0, const QString &start = QStringLiteral("0"))
    {
        menus->mnuMovimento()->trigger();
        ui.answer(movOk(option, start));
        // On the map itself, even where the object covers it.
        MapEvent e = at(x, y);
        e.hit = MapHit();
        press(e);
        release(e, x, y);
    }
    // Selects object i with a right click, then adds a way point at (x, y).
    void addPointFor(int16_t i, double x, double y, int option = 0)
    {
        rightClickObject(i);
        addPoint(x, y, option);
    }

    static ScriptedUi::DialogScript movOk(int option, const QString &start)
    {
        return [option, start](QDialog &d) {
            d.findChild<QRadioButton *>(QStringLiteral("optVel(%1)").arg(option))->setChecked(true);
            d.findChild<QLineEdit *>(QStringLiteral("txtIni"))->setText(start);
            d.findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
        };
    }
    static ScriptedUi::DialogScript typeAndOk(const char *lineEdit, const QString &text,
                                              const char *ok = "cmdOK")
    {
        return [=](QDialog &d) {
            d.findChild<QLineEdit *>(QString::fromLatin1(lineEdit))->setText(text);
            d.findChild<QPushButton *>(QString::fromLatin1(ok))->click();
        };
    }
    // Remembers the line edit's text in *shown, then types `text` and clicks
    // `button`; with no button the dialog is closed.
    static ScriptedUi::DialogScript readAndType(const char *lineEdit, QString *shown,
                                                const QString &text = {},
                                                const char *button = "cmdOK")
    {
        return [=](QDialog &d) {
            auto *edit = d.findChild<QLineEdit *>(QString::fromLatin1(lineEdit));
            *shown = edit->text();
            if (!button)
                return d.reject();
            edit->setText(text);
            d.findChild<QPushButton *>(QString::fromLatin1(button))->click();
        };
    }
    // Picks colour box `box` in the colour dialog and confirms.
    static ScriptedUi::DialogScript pickColour(int box)
    {
        return [box](QDialog &d) {
            auto &cores = static_cast<frmCores &>(d);
            cores.picCor(box)->clicked(cores.picCor(box)->value());
            cores.cmdOk()->click();
        };
    }
    static ScriptedUi::DialogScript closeBox()
    {
        return [](QDialog &d) {
            d.reject();
        };
    }

    QPointF lineStart(int k) { return surface().linha(k)->line().p1(); }
    QPointF markerCentre(int k) { return surface().picM(k)->centre(); }

    // The main window's part: finds the fixture's windows and counts the
    // preview's changes.
    struct FixtureWorkspace : Workspace
    {
        FixtureWorkspace(Ui &ui, EditorFixture &fixture)
            : Workspace(ui)
            , fixture(fixture)
        {
        }
        frmMapa *stratWindow(int iMI) const override
        {
            for (auto &w : fixture.windows)
                if (w->iMI == iMI && iMI != 0)
                    return w.get();
            return nullptr;
        }
        frmMapa *activeStratWindow() const override { return fixture.active; }
        void setSelectedPreview(const QPixmap &) override { ++previewChanges; }

        EditorFixture &fixture;
        int previewChanges = 0;
    };

    TempHome home;
    ScriptedUi ui;
    FixtureWorkspace ws;
    QWidget mainWindow;
    EditorPopupMenus *menus = nullptr;
    std::vector<std::unique_ptr<frmMapa>> windows;
    frmMapa *active = nullptr;
};

} // namespace vantrel::test
