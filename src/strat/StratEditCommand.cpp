#include "strat/StratEditCommand.h"

namespace vantrel {

StratPatch StratPatch::diff(const StratEditState &a, const StratEditState &b)
{
    StratPatch p;
    p.objects
        = VectorPatch<StratObject>::diff(a.strat.Objects.storage(), b.strat.Objects.storage());
    p.texts = VectorPatch<StratText>::diff(a.strat.Texts.storage(), b.strat.Texts.storage());
    p.colors
        = VectorPatch<uint32_t>::diff(a.strat.LineColors.storage(), b.strat.LineColors.storage());
    p.movements = VectorPatch<StratMovement>::diff(a.strat.Movements.storage(),
                                                   b.strat.Movements.storage());
    p.links = VectorPatch<StratLink>::diff(a.strat.Links.storage(), b.strat.Links.storage());
    p.drawings = VectorPatch<Drawing>::diff(a.strat.drawings, b.strat.drawings);
    p.markers = VectorPatch<WayPointMarker>::diff(a.markers, b.markers);
    p.textShown = VectorPatch<uint8_t>::diff(a.textShown, b.textShown);
    p.owners = VectorPatch<int16_t>::diff(a.owners, b.owners);
    return p;
}

bool StratPatch::isEmpty() const
{
    return objects.isEmpty() && texts.isEmpty() && colors.isEmpty() && movements.isEmpty()
           && links.isEmpty() && drawings.isEmpty() && markers.isEmpty() && textShown.isEmpty()
           && owners.isEmpty();
}

void StratPatch::apply(StratEditState &state, bool forward) const
{
    objects.apply(state.strat.Objects.storage(), forward);
    texts.apply(state.strat.Texts.storage(), forward);
    colors.apply(state.strat.LineColors.storage(), forward);
    movements.apply(state.strat.Movements.storage(), forward);
    links.apply(state.strat.Links.storage(), forward);
    drawings.apply(state.strat.drawings, forward);
    markers.apply(state.markers, forward);
    textShown.apply(state.textShown, forward);
    owners.apply(state.owners, forward);
}

StratEditCommand::StratEditCommand(StratDocument &document, const QString &name, StratPatch patch)
    : QUndoCommand(name)
    , m_document(document)
    , m_patch(std::move(patch))
{
}

void StratEditCommand::apply(bool forward)
{
    m_patch.apply(m_document.m_state, forward);

    std::set<int> objects, texts, movements, links;
    m_patch.objects.changedNumbers(objects);
    m_patch.texts.changedNumbers(texts);
    m_patch.textShown.changedNumbers(texts);
    m_patch.colors.changedNumbers(movements);
    m_patch.movements.changedNumbers(movements);
    m_patch.owners.changedNumbers(movements);
    // A marker's movement has to redraw it, whichever way it went.
    for (const auto &list : {m_patch.markers.before, m_patch.markers.after})
        for (const auto &[k, marker] : list)
            if (k > 0 && marker.movement > 0)
                movements.insert(marker.movement);
    m_patch.links.changedNumbers(links);

    // Objects first: a path's first segment starts at its object.
    for (int i : objects)
        Q_EMIT m_document.objectChanged(i);
    for (int i : texts)
        Q_EMIT m_document.textChanged(i);
    for (int m : movements)
        Q_EMIT m_document.movementChanged(m);
    for (int i : links)
        Q_EMIT m_document.linkChanged(i);
    if (!m_patch.drawings.isEmpty())
        Q_EMIT m_document.drawingsChanged();
}

StratHeaderCommand::StratHeaderCommand(StratDocument &document, const QString &name,
                                       const StratTitle &title, const OverviewName &overview)
    : QUndoCommand(name)
    , m_document(document)
    , m_title(title)
    , m_overview(overview)
{
}

void StratHeaderCommand::redo()
{
    swap();
}

void StratHeaderCommand::undo()
{
    swap();
}

void StratHeaderCommand::swap()
{
    // The command holds the other version; each step swaps it in.
    const StratTitle title = m_document.strat().Title;
    const OverviewName overview = m_document.strat().Overview;
    m_document.setHeader(m_title, m_overview);
    m_title = title;
    m_overview = overview;
}

} // namespace vantrel
