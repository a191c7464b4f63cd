// Opening a strat file into the window (and rebuilding its picture), and
// saving the window's strat.
#include "appcore/Overview.h"
#include "appcore/ProgramFolder.h"
#include "editor/StratSurface.h"
#include "editor/Workspace.h"
#include "editor/frmMapa.h"
#include "uiservice/Ui.h"
#include "uiservice/clsDialog.h"

#include <unordered_map>

namespace vantrel {

StratFileResult frmMapa::AbreTatica(const QString &sArq)
{
    sArquivo = sArq;
    Strat strat;
    StratFileResult result = StratFile::read(sArq, strat);
    if (!result)
        return result;
    m_strat = std::move(strat);
    if (iMI >= 1 && iMI <= m_ws.slotTables.slotCount()) {
        m_ws.slotTables.StratTitles(iMI) = m_strat.Title;
        m_ws.slotTables.OverviewNames(iMI) = m_strat.Overview;
    }
    // The name comes from the file: only a plain name inside Overviews/ is
    // looked up, anything else leaves the strat without a picture.
    setBackground(QPixmap::fromImage(Overview::load(m_strat.Overview.trimmed())));
    setTitleLabel(m_strat.Title.trimmed());
    setWindowTitle(m_strat.Title.trimmed());
    rebuildPicture();
    return result;
}

void frmMapa::rebuildPicture()
{
    m_surface->clear();
    m_engines.clear();
    m_markerCount = 0;
    m_markerPoint.assign(1, 0);

    for (int i = 1; i <= m_strat.Objects.count(); ++i) {
        const StratObject &object = m_strat.Objects[i];
        if (object.isDeleted())
            continue;
        const QPixmap picture = palettepicture(object.PictureIndex);
        if (!picture.isNull())
            m_surface->loadObject(i, picture, QPointF(object.Left, object.Top));
    }
    for (int i = 1; i <= m_strat.Texts.count(); ++i) {
        const StratText &text = m_strat.Texts[i];
        m_surface->loadText(i, text.Caption, QPointF(text.Left, text.Top));
    }

    // Markers are numbered across all movements in reading order; each
    // movement's previous marker is remembered instead of searched for.
    const int16_t movements = m_strat.Movements.count();
    std::vector<int16_t> lastMarker(size_t(movements) + 1, 0);
    m_markerPoint.reserve(4096);
    int16_t k = 0;
    for (int i = 1; i <= movements; ++i) {
        const StratMovement &movement = m_strat.Movements[i];
        const uint32_t color
            = m_strat.LineColors.contains(i) ? m_strat.LineColors[i] : kButtonFaceColor;
        ObjectItem *object = m_surface->imgObj(movement.ObjectIndex);
        for (int j = 1; j <= movement.PointCount; ++j) {
            // A point whose object has no picture cannot be drawn or moved.
            if (!object || !movement.hasPoint(j) || k == INT16_MAX)
                continue;
            const MovementPoint &point = movement.Points[size_t(j)];
            ++k;
            object->setVisible(true);
            m_markerPoint.push_back(j);
            const QPointF anchor(point.X + kObjectAnchor, point.Y + kObjectAnchor);
            m_surface->loadMarker(k, i, color, anchor - QPointF(kMarkerCentre, kMarkerCentre));
            QPointF start = object->pos() + QPointF(kObjectAnchor, kObjectAnchor);
            if (const MarkerItem *previous = m_surface->picM(lastMarker[size_t(i)]))
                start = previous->centre();
            m_surface->loadLine(k, i, color, start, anchor);
            lastMarker[size_t(i)] = k;
            clsMovimento &e = ensureEngine(i);
            e.iObj = movement.ObjectIndex;
            e.Adiciona(point.StartFrame, point.X, point.Y, point.Velocity);
        }
        m_markerCount = k;
    }
}

StratFileResult frmMapa::SalvaTatica(bool bComo)
{
    QString path = sArquivo;
    if (path.isEmpty() || bComo) {
        const QString title
            = m_ws.language.text(QStringLiteral("s0004"), QStringLiteral("Save Strat"));
        path = clsDialog(m_ws.ui).SaveDialog(m_ws.owner, QStringLiteral("Strat (*.vtr)|*.vtr|"),
                                             title, ProgramFolder::path());
        if (path.isEmpty())
            return {true, {}};
        if (!path.endsWith(QLatin1String(".vtr"), Qt::CaseInsensitive))
            path += QLatin1String(".vtr");
        sArquivo = path;
    }
    if (iMI >= 1 && iMI <= m_ws.slotTables.slotCount()) {
        m_strat.Title = m_ws.slotTables.StratTitles(iMI);
        m_strat.Overview = m_ws.slotTables.OverviewNames(iMI);
    }
    return StratFile::write(path, m_strat);
}

} // namespace vantrel
