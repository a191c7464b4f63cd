#include "animation/clsMovimento.h"

#include "animation/MovingSprite.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace vantrel {

clsMovimento::clsMovimento(const bool *keepCountingFrames)
    : m_keepCounting(keepCountingFrames)
{
}

int16_t clsMovimento::Adiciona(int32_t iIni, int32_t x, int32_t y, float sVel)
{
    if (itM == INT16_MAX)
        throw std::overflow_error("too many way points");
    m_points.push_back({iIni, x, y, sVel});
    itM = int16_t(m_points.size());
    iAtual = 1;
    return itM;
}

bool clsMovimento::hasPoint(int16_t Index) const
{
    return Index >= 1 && Index <= itM;
}

bool clsMovimento::ApagaMovimento(int16_t Index)
{
    // Cutting beyond the end would grow the list with empty way points.
    if (!hasPoint(Index))
        return false;
    m_points.resize(size_t(Index) - 1);
    itM = int16_t(m_points.size());
    return true;
}

bool clsMovimento::EditaXY(int16_t Index, int32_t x, int32_t y)
{
    if (!hasPoint(Index))
        return false;
    m_points[size_t(Index) - 1].X = x;
    m_points[size_t(Index) - 1].Y = y;
    return true;
}

bool clsMovimento::EditaMov(int16_t Index, int32_t iIni, float sVel)
{
    if (!hasPoint(Index))
        return false;
    m_points[size_t(Index) - 1].StartFrame = iIni;
    m_points[size_t(Index) - 1].Velocity = sVel;
    return true;
}

void clsMovimento::Move(MovingSprite *tObj)
{
    if (itM == 0)
        return;
    // A missing picture or a way point past the end (after a cut during a
    // run) ends the step silently; Reseta repairs the latter.
    if (!tObj || iAtual < 1 || iAtual > itM)
        return;
    const MovementPoint *p = &m_points[size_t(iAtual) - 1];
    if (p->StartFrame > 0 && p->StartFrame > lFrame)
        return;
    if (!tObj->isShown())
        tObj->setShown(true);

    const float left = tObj->left();
    const float top = tObj->top();
    if (left == sUltimoX && top == sUltimoY) {
        // The object did not move since the previous step: arrived.
        if (iAtual >= itM)
            return;
        ++iAtual;
        p = &m_points[size_t(iAtual) - 1];
        if (!keepCounting())
            lFrame = 0;
    }
    sUltimoX = left;
    sUltimoY = top;

    float dx = (left - float(p->X)) * 0.1f;
    float dy = (top - float(p->Y)) * 0.1f;
    const float d = std::sqrt(dy * dy + dx * dx);
    if (d > 1) {
        // Constant speed until the last ten twips, then a tenth of the rest.
        dx = p->Velocity * dx / d;
        dy = p->Velocity * dy / d;
    }
    tObj->setPosition(left - dx, top - dy);
}

void clsMovimento::Reseta()
{
    // Forgetting the last position matters: the object is put back on its
    // place, which may be the position seen one step into the previous run,
    // and would then count as having reached way point 1.
    iAtual = 1;
    lFrame = 0;
    sUltimoX = NotSeen;
    sUltimoY = NotSeen;
}

} // namespace vantrel
