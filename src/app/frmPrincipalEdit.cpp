// The Edit menu: Undo and Redo of the active strat window, named after the
// step they take ("Undo Move Object").
#include "app/StepNames.h"
#include "app/frmPrincipal.h"
#include "editor/frmMapa.h"

#include <QAction>
#include <QMenu>

namespace vantrel {

void frmPrincipal::buildEditMenu(QMenu *menu)
{
    m_undoAction = menu->addAction(QStringLiteral("&Undo"));
    m_undoAction->setObjectName(QStringLiteral("undoAction"));
    m_undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redoAction = menu->addAction(QStringLiteral("&Redo"));
    m_redoAction->setObjectName(QStringLiteral("redoAction"));
    m_redoAction->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(m_undoAction, &QAction::triggered, this, &frmPrincipal::undo);
    connect(m_redoAction, &QAction::triggered, this, &frmPrincipal::redo);
    updateEditActions();
}

void frmPrincipal::followUndo(frmMapa *window)
{
    StratDocument &document = window->document();
    connect(&document.undoStack(), &QUndoStack::indexChanged, this,
            &frmPrincipal::updateEditActions);
    connect(&document.undoStack(), &QUndoStack::cleanChanged, this,
            &frmPrincipal::updateEditActions);
    connect(&document, &StratDocument::undoSuspendedChanged, this,
            &frmPrincipal::updateEditActions);
    connect(&document, &StratDocument::reset, this, &frmPrincipal::updateEditActions);
}

void frmPrincipal::updateEditActions()
{
    if (!m_undoAction)
        return;
    frmMapa *window = activeStratWindow();
    StratDocument *document = window ? &window->document() : nullptr;
    const bool canUndo = document && document->canUndo();
    const bool canRedo = document && document->canRedo();
    m_undoAction->setEnabled(canUndo);
    m_redoAction->setEnabled(canRedo);
    const QString undo = text("s0023", "&Undo");
    const QString redo = text("s0024", "&Redo");
    const auto step = [this](const QString &name) {
        return QLatin1Char(' ') + translatedStepName(m_ws.language, name);
    };
    m_undoAction->setText(canUndo ? undo + step(document->undoStack().undoText()) : undo);
    m_redoAction->setText(canRedo ? redo + step(document->undoStack().redoText()) : redo);
}

void frmPrincipal::undo()
{
    if (frmMapa *window = activeStratWindow())
        window->document().undo();
    updateEditActions();
}

void frmPrincipal::redo()
{
    if (frmMapa *window = activeStratWindow())
        window->document().redo();
    updateEditActions();
}

} // namespace vantrel
