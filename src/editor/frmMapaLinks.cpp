// Links on objects and way points, keyed by the current selection.
#include "editor/StratSurface.h"
#include "editor/Workspace.h"
#include "editor/frmLink.h"
#include "editor/frmMapa.h"

#include <QLineEdit>

namespace vantrel {

int16_t frmMapa::findLink() const
{
    const EditorTools &tools = m_ws.tools;
    const int16_t point = MarkerPoint(tools.SelectionPoint);
    for (int i = 1; i <= m_strat.Links.count(); ++i) {
        const StratLink &link = m_strat.Links[i];
        if (tools.SelectionPoint == 0) {
            if (link.ObjectIndex == tools.SelectionItem)
                return i;
        } else if (link.PointIndex == point && link.MovementIndex == tools.SelectionItem) {
            return i;
        }
    }
    return 0;
}

void frmMapa::ProcuraLink(frmLink &dialog)
{
    if (const int16_t i = findLink()) {
        dialog.txtLink()->setText(m_strat.Links[i].Target);
        dialog.EditLinkIndex = i;
    }
}

void frmMapa::AdicionaLink()
{
    if (refuseWhenFull(m_strat.Links.count() == INT16_MAX))
        return;
    const EditorTools &tools = m_ws.tools;
    StratLink link;
    link.Target = tools.LinkText;
    if (tools.SelectionPoint != 0) {
        const MarkerItem *marker = m_surface->picM(tools.SelectionPoint);
        link.MovementIndex = marker ? marker->tag() : tools.SelectionItem;
        link.PointIndex = MarkerPoint(tools.SelectionPoint);
    } else {
        link.ObjectIndex = tools.SelectionItem;
    }
    m_strat.Links.append(link);
}

void frmMapa::EditaLink(int16_t iL)
{
    if (m_strat.Links.contains(iL))
        m_strat.Links[iL].Target = m_ws.tools.LinkText;
}

void frmMapa::ApagaLink()
{
    if (const int16_t i = findLink())
        m_strat.Links[i] = StratLink();
}

} // namespace vantrel
