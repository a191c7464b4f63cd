// Links on objects and way points, keyed by the current selection.
#include "editor/Workspace.h"
#include "editor/frmLink.h"
#include "editor/frmMapa.h"

#include <QLineEdit>

namespace vantrel {

int16_t frmMapa::findLink() const
{
    const EditorTools &tools = m_ws.tools;
    const int16_t point = MarkerPoint(tools.SelectionPoint);
    for (int i = 1; i <= strat().Links.count(); ++i) {
        const StratLink &link = strat().Links[i];
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
        dialog.txtLink()->setText(strat().Links[i].Target);
        dialog.setEditLinkIndex(i);
    }
}

void frmMapa::AdicionaLink(const QString &LinkText)
{
    if (refuseWhenFull(strat().Links.count() == INT16_MAX))
        return;
    const EditorTools &tools = m_ws.tools;
    StratLink link;
    link.Target = LinkText;
    if (tools.SelectionPoint != 0) {
        const WayPointMarker &marker = m_document.marker(tools.SelectionPoint);
        link.MovementIndex = marker.live ? marker.movement : tools.SelectionItem;
        link.PointIndex = MarkerPoint(tools.SelectionPoint);
    } else {
        link.ObjectIndex = tools.SelectionItem;
    }
    m_document.addLink(link);
}

void frmMapa::EditaLink(int16_t iL, const QString &LinkText)
{
    m_document.setLinkTarget(iL, LinkText);
}

void frmMapa::ApagaLink()
{
    if (const int16_t i = findLink())
        m_document.clearLink(i);
}

} // namespace vantrel
