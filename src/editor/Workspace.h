#pragma once

#include "editor/EditorTools.h"
#include "i18n/LanguagePack.h"

#include <QPixmap>

#include <array>
#include <functional>

class QWidget;

namespace vantrel {

class Ui;
class frmMapa;
class EditorPopupMenus;

// What the main window owns and shares with every strat window: the Ui
// service, the language pack, the editing tools, the
// keep-counting flag and the palette pictures. Strat windows reach other
// windows only through the lookups below, which the main window fills in.
struct Workspace
{
    explicit Workspace(Ui &ui)
        : ui(ui)
    {
    }

    Ui &ui;
    clsLanguagePack language;
    EditorTools tools;
    bool keepCountingFrames = false;

    // picObj(0)..picObj(12): the palette pictures objects are drawn with.
    std::array<QPixmap, 13> palette;

    // Owner window for dialogs (the main window).
    QWidget *owner = nullptr;
    // The strat window with slot number iMI, or null.
    std::function<frmMapa *(int iMI)> stratWindow;
    // The active strat window, or null.
    std::function<frmMapa *()> activeStratWindow;
    // Shows or clears the main window's "Selected:" preview picImg.
    std::function<void(const QPixmap &)> setSelectedPreview;
    // The object/text and way-point popup menus; set by EditorPopupMenus
    // itself when the main window creates it (null until then).
    EditorPopupMenus *popupMenus = nullptr;
};

} // namespace vantrel
