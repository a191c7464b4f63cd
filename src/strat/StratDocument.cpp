#include "strat/StratDocument.h"

#include "strat/StratEditCommand.h"

#include <algorithm>

namespace vantrel {

namespace {

// Grows a table numbered like a list to hold element `number`.
template<typename T> void growTo(std::vector<T> &table, int number)
{
    if (size_t(number) + 1 > table.size())
        table.resize(size_t(number) + 1);
}

} // namespace

StratDocument::StratDocument(QObject *parent)
    : QObject(parent)
{
    connect(&m_undo, &QUndoStack::cleanChanged, this,
            [this](bool clean) { Q_EMIT modifiedChanged(!clean); });
}

StratDocument::~StratDocument() = default;

void StratDocument::load(const Strat &strat)
{
    m_undo.clear();
    m_state = StratEditState();
    m_state.strat = strat;
    const int16_t texts = strat.Texts.count();
    m_state.textShown.assign(size_t(texts) + 1, 1);
    m_state.textShown[0] = 0;

    const int16_t movements = strat.Movements.count();
    m_state.owners.assign(size_t(movements) + 1, 0);
    for (int m = 1; m <= movements; ++m) {
        const StratMovement &movement = strat.Movements[m];
        // A point whose object has no picture cannot be drawn or moved.
        if (!isObjectDrawn(movement.ObjectIndex))
            continue;
        for (int j = 1; j <= movement.PointCount; ++j) {
            if (!movement.hasPoint(j) || MarkerCount() == INT16_MAX)
                continue;
            m_state.markers.push_back({int16_t(m), int16_t(j), true});
            m_state.owners[size_t(m)] = movement.ObjectIndex;
        }
    }
    Q_EMIT reset();
    Q_EMIT drawingsChanged();
}

void StratDocument::clear()
{
    m_undo.clear();
    m_state = StratEditState();
    Q_EMIT reset();
    Q_EMIT drawingsChanged();
}

void StratDocument::start(const StratTitle &title, const OverviewName &overview)
{
    clear();
    setHeader(title, overview);
}

void StratDocument::setHeader(const StratTitle &title, const OverviewName &overview)
{
    const bool titleChange = !(m_state.strat.Title == title);
    const bool overviewChange = !(m_state.strat.Overview == overview);
    m_state.strat.Title = title;
    m_state.strat.Overview = overview;
    if (titleChange)
        Q_EMIT titleChanged();
    if (overviewChange)
        Q_EMIT overviewChanged();
}

const WayPointMarker &StratDocument::marker(int k) const
{
    static const WayPointMarker none;
    return k >= 1 && size_t(k) < m_state.markers.size() ? m_state.markers[size_t(k)] : none;
}

bool StratDocument::isTextShown(int i) const
{
    return i >= 1 && size_t(i) < m_state.textShown.size() && m_state.textShown[size_t(i)];
}

int16_t StratDocument::owner(int m) const
{
    return m >= 1 && size_t(m) < m_state.owners.size() ? m_state.owners[size_t(m)] : 0;
}

int StratDocument::movementOf(int obj) const
{
    if (obj < 1)
        return -1;
    for (int m = 1; m <= m_state.strat.Movements.count(); ++m)
        if (owner(m) == obj)
            return m;
    return -1;
}

bool StratDocument::isObjectDrawn(int i) const
{
    const auto &objects = m_state.strat.Objects;
    return objects.contains(i) && !objects[i].isDeleted() && objects[i].PictureIndex < kPaletteSize;
}

std::vector<MovementPoint> StratDocument::enginePoints(int m) const
{
    std::vector<MovementPoint> points;
    if (owner(m) == 0 || !m_state.strat.Movements.contains(m))
        return points;
    const StratMovement &movement = m_state.strat.Movements[m];
    for (int j = 1; j <= movement.PointCount; ++j)
        if (movement.hasPoint(j))
            points.push_back(movement.Points[size_t(j)]);
    return points;
}

void StratDocument::edit(const QString &name, const std::function<void(StratEditState &)> &change)
{
    StratEditState next = m_state;
    change(next);
    StratPatch patch = StratPatch::diff(m_state, next);
    if (patch.isEmpty())
        return;
    m_undo.push(new StratEditCommand(*this, name, std::move(patch)));
}

int16_t StratDocument::placeObject(int16_t pictureIndex, float left, float top)
{
    if (m_state.strat.Objects.count() == INT16_MAX)
        return 0; // full: the list's count is 16-bit
    int16_t n = 0;
    edit(tr("Place Object"), [&](StratEditState &s) {
        n = s.strat.Objects.append({pictureIndex, left, top});
    });
    return n;
}

void StratDocument::moveObject(int16_t i, float left, float top)
{
    if (!m_state.strat.Objects.contains(i))
        return;
    edit(tr("Move Object"), [&](StratEditState &s) {
        s.strat.Objects[i].Left = left;
        s.strat.Objects[i].Top = top;
    });
}

void StratDocument::removeObject(int16_t i)
{
    if (!m_state.strat.Objects.contains(i))
        return;
    const int m = movementOf(i);
    edit(tr("Remove Object"), [&](StratEditState &s) {
        if (m > 0) {
            for (WayPointMarker &marker : s.markers)
                if (marker.movement == m)
                    marker.live = false;
            if (s.strat.Movements.contains(m))
                s.strat.Movements[m].empty();
            s.owners[size_t(m)] = 0;
        }
        s.strat.Objects[i] = {kDeletedPicture, 0, 0};
    });
}

int16_t StratDocument::insertText(float left, float top, const QString &caption)
{
    if (m_state.strat.Texts.count() == INT16_MAX)
        return 0;
    int16_t n = 0;
    edit(tr("Insert Text"), [&](StratEditState &s) {
        n = s.strat.Texts.append({left, top, caption});
        growTo(s.textShown, n);
        s.textShown[size_t(n)] = 1;
    });
    return n;
}

void StratDocument::editText(int16_t i, const QString &caption)
{
    if (!m_state.strat.Texts.contains(i))
        return;
    edit(tr("Edit Text"), [&](StratEditState &s) { s.strat.Texts[i].Caption = caption; });
}

void StratDocument::moveText(int16_t i, float left, float top)
{
    if (!m_state.strat.Texts.contains(i))
        return;
    edit(tr("Move Text"), [&](StratEditState &s) {
        s.strat.Texts[i].Left = left;
        s.strat.Texts[i].Top = top;
    });
}

void StratDocument::removeText(int16_t i)
{
    if (!m_state.strat.Texts.contains(i))
        return;
    edit(tr("Remove Text"), [&](StratEditState &s) {
        s.strat.Texts[i] = StratText::tombstone();
        growTo(s.textShown, i);
        s.textShown[size_t(i)] = 0;
    });
}

int16_t StratDocument::addWayPoint(int16_t obj, int32_t x, int32_t y, int32_t startFrame,
                                   float velocity)
{
    if (!isObjectDrawn(obj) || MarkerCount() == INT16_MAX)
        return 0;
    const int existing = movementOf(obj);
    if (existing < 0 ? m_state.strat.Movements.count() == INT16_MAX
                     : m_state.strat.Movements[existing].PointCount == INT16_MAX)
        return 0; // full: no room for the movement or the way point
    int16_t w = 0;
    edit(tr("Add Way Point"), [&](StratEditState &s) {
        int m = movementOf(obj);
        if (m < 0) {
            m = s.strat.Movements.append();
            s.strat.LineColors.resize(s.strat.Movements.count());
            growTo(s.owners, m);
        }
        s.owners[size_t(m)] = obj;
        if (s.strat.LineColors[m] == 0)
            s.strat.LineColors[m] = kButtonFaceColor;
        StratMovement &movement = s.strat.Movements[m];
        const int16_t n = int16_t(movement.PointCount + 1);
        movement.ObjectIndex = obj;
        movement.PointCount = n;
        movement.Points.resize(size_t(n) + 1);
        movement.Points[size_t(n)] = {startFrame, x, y, velocity};
        s.markers.push_back({int16_t(m), n, true});
        w = int16_t(s.markers.size() - 1);
    });
    return w;
}

void StratDocument::moveWayPoint(int16_t k, int32_t x, int32_t y)
{
    const WayPointMarker &mk = marker(k);
    if (!mk.live || !m_state.strat.Movements.contains(mk.movement)
        || !m_state.strat.Movements[mk.movement].hasPoint(mk.point))
        return;
    edit(tr("Move Way Point"), [&](StratEditState &s) {
        MovementPoint &point = s.strat.Movements[mk.movement].Points[size_t(mk.point)];
        point.X = x;
        point.Y = y;
    });
}

void StratDocument::editWayPoint(int16_t k, int32_t startFrame, float velocity)
{
    const WayPointMarker &mk = marker(k);
    if (!mk.live || !m_state.strat.Movements.contains(mk.movement)
        || !m_state.strat.Movements[mk.movement].hasPoint(mk.point))
        return;
    edit(tr("Edit Way Point"), [&](StratEditState &s) {
        MovementPoint &point = s.strat.Movements[mk.movement].Points[size_t(mk.point)];
        point.StartFrame = startFrame;
        point.Velocity = velocity;
    });
}

void StratDocument::cutPath(int16_t k, int16_t m)
{
    // Only a marker that still shows a way point of that movement can cut it.
    const WayPointMarker &first = marker(k);
    if (!first.live || first.movement != m || !m_state.strat.Movements.contains(m))
        return;
    const int16_t cutAt = first.point;
    edit(tr("Remove Movement"), [&](StratEditState &s) {
        for (size_t j = size_t(k); j < s.markers.size(); ++j)
            if (s.markers[j].movement == m)
                s.markers[j].live = false;
        // The record keeps the points before the cut, as the engine does.
        StratMovement &movement = s.strat.Movements[m];
        movement.PointCount = int16_t(std::max(0, cutAt - 1));
        movement.Points.resize(size_t(movement.PointCount) + 1);
    });
}

void StratDocument::setLineColor(int16_t m, uint32_t color)
{
    if (!m_state.strat.LineColors.contains(m))
        return;
    edit(tr("Line Color"), [&](StratEditState &s) { s.strat.LineColors[m] = color; });
}

int16_t StratDocument::addLink(const StratLink &link)
{
    if (m_state.strat.Links.count() == INT16_MAX)
        return 0;
    int16_t n = 0;
    edit(tr("Add Link"), [&](StratEditState &s) { n = s.strat.Links.append(link); });
    return n;
}

void StratDocument::setLinkTarget(int16_t i, const QString &target)
{
    if (!m_state.strat.Links.contains(i))
        return;
    edit(tr("Edit Link"), [&](StratEditState &s) { s.strat.Links[i].Target = target; });
}

void StratDocument::clearLink(int16_t i)
{
    if (!m_state.strat.Links.contains(i))
        return;
    edit(tr("Remove Link"), [&](StratEditState &s) { s.strat.Links[i] = StratLink(); });
}

void StratDocument::rename(const QString &title)
{
    const StratTitle next(title);
    if (next == m_state.strat.Title)
        return;
    m_undo.push(new StratHeaderCommand(*this, tr("Rename Strat"), next, m_state.strat.Overview));
}

void StratDocument::setOverview(const QString &name)
{
    const OverviewName next(name);
    if (next == m_state.strat.Overview)
        return;
    m_undo.push(new StratHeaderCommand(*this, tr("Change Overview"), m_state.strat.Title, next));
}

void StratDocument::addDrawing(const Drawing &drawing)
{
    edit(tr("Add Drawing"), [&](StratEditState &s) { s.strat.drawings.push_back(drawing); });
}

void StratDocument::changeDrawing(int index, const Drawing &drawing)
{
    if (index < 0 || size_t(index) >= drawings().size())
        return;
    edit(tr("Change Drawing"),
         [&](StratEditState &s) { s.strat.drawings[size_t(index)] = drawing; });
}

void StratDocument::removeDrawing(int index)
{
    if (index < 0 || size_t(index) >= drawings().size())
        return;
    edit(tr("Remove Drawing"),
         [&](StratEditState &s) { s.strat.drawings.erase(s.strat.drawings.begin() + index); });
}

void StratDocument::endMacro()
{
    m_undo.endMacro();
    const QUndoCommand *top = m_undo.command(m_undo.index() - 1);
    if (m_undo.index() == m_undo.count() && top && top->childCount() == 0) {
        // An obsolete command is dropped from the stack when undone.
        const_cast<QUndoCommand *>(top)->setObsolete(true);
        m_undo.undo();
    }
}

void StratDocument::setUndoSuspended(bool suspended)
{
    if (suspended == m_undoSuspended)
        return;
    m_undoSuspended = suspended;
    Q_EMIT undoSuspendedChanged(suspended);
}

void StratDocument::undo()
{
    if (canUndo())
        m_undo.undo();
}

void StratDocument::redo()
{
    if (canRedo())
        m_undo.redo();
}

} // namespace vantrel
