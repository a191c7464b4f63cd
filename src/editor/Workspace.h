#pragma once

#include "editor/EditorTools.h"
#include "i18n/LanguagePack.h"

#include <QPixmap>
#include <QPoint>

#include <array>

class QWidget;

namespace vantrel {

class Ui;
class frmMapa;
class EditorPopupMenus;

// What the main window shares with every strat window and dialog: the Ui
// service, the language pack, the armed tool, the keep-counting option, the
// palette pictures and the popup menus, and the few questions only the main
// window can answer. The main window implements those; without one (a render
// from the command line, a benchmark) there is no other strat window to find
// and no preview to show.
class Workspace
{
public:
    explicit Workspace(Ui &ui)
        : ui(ui)
    {
    }
    virtual ~Workspace() = default;
    Workspace(const Workspace &) = delete;
    Workspace &operator=(const Workspace &) = delete;

    // The strat window with slot number iMI, or null.
    virtual frmMapa *stratWindow(int) const { return nullptr; }
    // The active strat window, or null.
    virtual frmMapa *activeStratWindow() const { return nullptr; }
    // Shows the main window's "Selected:" preview picImg; a null picture clears it.
    virtual void setSelectedPreview(const QPixmap &) {}
    // A ping on `window` at `twips` (the ping tool or Alt+click): the main
    // window sends it to the team board; alone it shows on that window.
    virtual void ping(frmMapa &window, const QPoint &twips);

    Ui &ui;
    clsLanguagePack language;
    EditorTools tools;
    bool keepCountingFrames = false;
    // picObj(0)..picObj(12): the palette pictures objects are drawn with.
    std::array<QPixmap, 13> palette;
    // Owner window for dialogs (the main window).
    QWidget *owner = nullptr;
    // The object/text and way-point popup menus; set by EditorPopupMenus
    // itself when the main window creates it (null until then).
    EditorPopupMenus *popupMenus = nullptr;
};

} // namespace vantrel
