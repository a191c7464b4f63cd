#pragma once

#include "editor/EditorPopupMenus.h"
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
        : ws(ui)
    {
        ws.owner = &mainWindow;
        for (int i = 0; i < PaletteIcons::Count; ++i)
            ws.palette[size_t(i)] = QPixmap::fromImage(PaletteIcons::image(i));
        ws.stratWindow = [this](int iMI) -> frmMapa * {
            for (auto &w : windows)
                if (w->iMI == iMI && iMI != 0)
                    return w.get();
            return nullptr;
        };
        ws.activeStratWindow = [this]() -> frmMapa * {
            return active;
        };
        menus = new EditorPopupMenus(ws, &mainWindow);
        menus->setShowMenus(false);
        active = addWindow();
    }

    frmMapa *addWindow()
    {
        windows.push_back(std::make_unique<frmMapa>(ws));
        frmMapa *w = windows.back().get();
        w->iMI = int16_t(windows.size());
        ws.slotTables.grow(w->iMI);
        ws.slotTables.StratTitles(w->iMI) = QStringLiteral("Strat%1").arg(w->iMI);
        return w;
    }

    frmMapa &map() { return *active; }
    StratSurface &surface() { return active->surface(); }

    // Places palette icon `index` with its anchor on (x, y); returns its number.
    int16_t place(int index, double x, double y)
    {
        ws.tools.armPalette(int16_t(index));
        active->surfacePress(Qt::LeftButton, x, y);
        active->surfaceRelease(Qt::LeftButton, false, x, y);
        return active->iObj();
    }

    // The Text tool armed, then a press at (x, y) answered by the text dialog.
    void insertText(double x, double y, ScriptedUi::DialogScript answer)
    {
        ws.tools.armText();
        ui.answer(std::move(answer));
        active->surfacePress(Qt::LeftButton, x, y);
        active->surfaceRelease(Qt::LeftButton, false, x, y);
    }
    // "&Remove ..." on the last right-clicked item (object, text or marker), answered Yes.
    void removeSelected(bool marker = false)
    {
        ui.answer(MsgResult::Yes);
        (marker ? menus->mnuApagaMov() : menus->mnuApagar())->trigger();
    }

    void rightClickObject(int16_t i) { active->objectPress(i, Qt::RightButton, 10, 10); }
    void rightClickMarker(int16_t k) { active->markerPress(k, Qt::RightButton, 10, 10); }

    // "Add &Movement" on the selected object, then a press at (x, y) answered
    // by the Movement dialog with `option` (0 run, 1 walk, 2 grenade).
    void addPoint(double x, double y, int option = 0, const QString &start = QStringLiteral("0"))
    {
        menus->mnuMovimento()->trigger();
        ui.answer(movOk(option, start));
        active->surfacePress(Qt::LeftButton, x, y);
        active->surfaceRelease(Qt::LeftButton, false, x, y);
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

    TempHome home;
    ScriptedUi ui;
    Workspace ws;
    QWidget mainWindow;
    EditorPopupMenus *menus = nullptr;
    std::vector<std::unique_ptr<frmMapa>> windows;
    frmMapa *active = nullptr;
};

} // namespace vantrel::test
