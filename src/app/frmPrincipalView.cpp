// The View menu: "Drawings" shows or hides every drawing of the active strat
// window. Each window keeps its own choice; the menu shows the active one's.
#include "app/DrawingToolRow.h"
#include "app/frmPrincipal.h"
#include "editor/MapDrawings.h"
#include "editor/frmMapa.h"

#include <QAction>
#include <QMenu>

namespace vantrel {

void frmPrincipal::buildViewMenu(QMenu *menu)
{
    QAction *drawings = menu->addAction(QString());
    drawings->setObjectName(QStringLiteral("drawingsAction"));
    drawings->setCheckable(true);
    drawings->setChecked(true);
    drawings->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    const auto showActive = [this, drawings] {
        frmMapa *window = activeStratWindow();
        drawings->setChecked(!window || window->mapDrawings().allShown());
    };
    connect(menu, &QMenu::aboutToShow, this, showActive);
    translateDrawingControls();
    // The window's own state flips, whatever the action showed last (a
    // shortcut fires without the menu opening).
    connect(drawings, &QAction::triggered, this, [this, showActive] {
        if (frmMapa *window = activeStratWindow())
            window->mapDrawings().setAllShown(!window->mapDrawings().allShown());
        showActive();
    });
}

void frmPrincipal::translateDrawingControls()
{
    auto *menu = findChild<QMenu *>(QStringLiteral("viewMenu"));
    menu->setTitle(text("s0089", "&View"));
    menu->menuAction()->setText(menu->title());
    findChild<QAction *>(QStringLiteral("drawingsAction"))->setText(text("s0088", "&Drawings"));
    if (m_drawingTools)
        m_drawingTools->retranslate();
}

} // namespace vantrel
