// Text labels: inserting with the Text tool, editing by double click,
// dragging and removing.
#include "editor/EditorPopupMenus.h"
#include "editor/StratSurface.h"
#include "editor/Workspace.h"
#include "editor/frmMapa.h"
#include "editor/frmTexto.h"
#include "uiservice/Ui.h"

#include <QLineEdit>

#include <cmath>

namespace vantrel {

void frmMapa::insertText(double x, double y)
{
    if (refuseWhenFull(strat().Texts.count() == INT16_MAX))
        return;
    frmTexto dialog(m_ws.owner);
    m_ws.language.translate(&dialog);
    m_ws.ui.runModal(dialog);
    const QString caption = dialog.DialogText();
    if (caption.isEmpty())
        return;
    // The press point is the text's top-left corner (no centring).
    m_document.insertText(float(std::lround(x)), float(std::lround(y)), caption);
}

void frmMapa::textPress(int16_t i, Qt::MouseButton button, double x, double y)
{
    EditorTools &tools = m_ws.tools;
    if (button == Qt::RightButton) {
        // SelectionItem and SelectionPoint keep their values.
        tools.SelectionWindow = iMI;
        tools.SelectionKind = 2;
        tools.SelectionMovement = i;
        if (m_ws.popupMenus)
            m_ws.popupMenus->popupObjectMenu(true, m_lastGlobalPos);
        return;
    }
    if (tools.PlacingMode() || tools.TextMode())
        return;
    if (TextItem *label = m_surface->lblTexto(i))
        startDrag(x, y, label->pos());
}

void frmMapa::textMove(int16_t i, Qt::MouseButtons, double x, double y)
{
    TextItem *label = m_surface->lblTexto(i);
    if (!m_drag.Dragging || !label)
        return;
    // A frame of the label's own size.
    m_surface->shpT()->setRect(0, 0, label->widthTwips(), label->heightTwips());
    dragTo(x, y, m_surface->shpT());
}

void frmMapa::textRelease(int16_t i, Qt::MouseButton)
{
    if (m_drag.Dragging)
        m_document.moveText(i, m_drag.newLeft, m_drag.newTop);
    m_drag.Dragging = false;
    m_surface->shpT()->hide();
}

void frmMapa::textDoubleClick(int16_t i)
{
    TextItem *label = m_surface->lblTexto(i);
    if (!label || !strat().Texts.contains(i))
        return;
    frmTexto dialog(m_ws.owner);
    m_ws.language.translate(&dialog);
    dialog.txtTexto()->setText(label->caption());
    m_ws.ui.runModal(dialog);
    // An empty result keeps the text: a text cannot be emptied by editing.
    const QString caption = dialog.DialogText();
    if (!caption.isEmpty())
        m_document.editText(i, caption);
}

void frmMapa::ApagaTexto(int16_t Index)
{
    m_document.removeText(Index);
}

} // namespace vantrel
