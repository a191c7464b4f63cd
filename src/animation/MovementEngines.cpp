#include "animation/MovementEngines.h"

#include "strat/StratDocument.h"

namespace vantrel {

MovementEngines::MovementEngines(const StratDocument &document, const bool *keepCountingFrames,
                                 QObject *parent)
    : QObject(parent)
    , m_document(document)
    , m_keepCounting(keepCountingFrames)
{
    connect(&document, &StratDocument::movementChanged, this, &MovementEngines::sync);
    connect(&document, &StratDocument::reset, this, &MovementEngines::rebuild);
    rebuild();
}

MovementEngines::~MovementEngines() = default;

clsMovimento *MovementEngines::engine(int m) const
{
    return m >= 1 && size_t(m) < m_engines.size() ? m_engines[size_t(m)].get() : nullptr;
}

void MovementEngines::rebuild()
{
    m_engines.clear();
    m_engines.resize(1);
    for (int m = 1; m <= m_document.strat().Movements.count(); ++m)
        sync(m);
}

void MovementEngines::sync(int m)
{
    if (m < 1)
        return;
    if (m > m_document.strat().Movements.count()) {
        // The movement was taken back: so is its engine.
        if (size_t(m) < m_engines.size())
            m_engines.resize(size_t(m));
        return;
    }
    const std::vector<MovementPoint> points = m_document.enginePoints(m);
    const int16_t owner = m_document.owner(m);
    if (!engine(m) && points.empty() && owner == 0)
        return;
    if (size_t(m) >= m_engines.size())
        m_engines.resize(size_t(m) + 1);
    if (!m_engines[size_t(m)])
        m_engines[size_t(m)] = std::make_unique<clsMovimento>(m_keepCounting);
    clsMovimento &e = *m_engines[size_t(m)];
    e.iObj = owner;

    const int16_t wanted = int16_t(points.size());
    if (e.itM == wanted) {
        // The same way points, some edited in place.
        for (int j = 1; j <= wanted; ++j) {
            const MovementPoint &p = points[size_t(j) - 1];
            const MovementPoint &q = e.point(int16_t(j));
            if (p.X != q.X || p.Y != q.Y)
                e.EditaXY(int16_t(j), p.X, p.Y);
            if (p.StartFrame != q.StartFrame || p.Velocity != q.Velocity)
                e.EditaMov(int16_t(j), p.StartFrame, p.Velocity);
        }
        return;
    }
    // Cut at the first way point that differs, then append the rest.
    int first = 1;
    while (first <= e.itM && first <= wanted
           && e.point(int16_t(first)) == points[size_t(first) - 1])
        ++first;
    if (first <= e.itM)
        e.ApagaMovimento(int16_t(first));
    for (int j = first; j <= wanted; ++j) {
        const MovementPoint &p = points[size_t(j) - 1];
        e.Adiciona(p.StartFrame, p.X, p.Y, p.Velocity);
    }
}

} // namespace vantrel
