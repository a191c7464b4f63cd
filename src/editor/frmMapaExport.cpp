// The strat window as a picture: one capture for the screen export, the
// video frames and the command line, rendered from the window itself so the
// picture and the screen never differ.
#include "editor/MapView.h"
#include "editor/PingPulse.h"
#include "editor/ResultMessage.h"
#include "editor/StratStrip.h"
#include "editor/StratSurface.h"
#include "editor/Workspace.h"
#include "editor/frmMapa.h"
#include "export/ImageExport.h"
#include "uiservice/clsDialog.h"

#include <QPainter>

namespace vantrel {

QImage frmMapa::capture()
{
    // A picture shows every label, however long the screen takes for them.
    surface().textLayer().complete();
    // Pings are for the people looking, never part of a picture.
    std::vector<QGraphicsItem *> pings;
    for (QGraphicsItem *item : surface().scene().items())
        if (item->type() == PingPulse::Type && item->isVisible()) {
            item->hide();
            pings.push_back(item);
        }
    QImage picture(size(), QImage::Format_RGB32);
    picture.fill(Qt::black);
    QPainter painter(&picture);
    render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    painter.end();
    for (QGraphicsItem *item : pings)
        item->show();
    // Rendering paints the scene's items where they are now, and the view
    // takes that for what the screen shows: an item moved this frame would
    // leave its old picture on screen. The next repaint redraws the view whole.
    m_view->viewport()->update();
    return picture;
}

QImage frmMapa::exportPicture()
{
    return m_strip->withoutControls([this] { return capture(); });
}

void frmMapa::Exporta()
{
    const QString title
        = m_ws.language.text(QStringLiteral("s0005"), QStringLiteral("Export Strat"));
    const QString name = clsDialog(m_ws.ui).SaveDialog(
        m_ws.owner, QStringLiteral("JPEG (*.jpg)|*.jpg|"), title, FileKind::Image);
    if (name.isEmpty())
        return;
    showResultMessage(m_ws.ui, m_ws.owner, exportImage(exportPicture(), name));
}

} // namespace vantrel
