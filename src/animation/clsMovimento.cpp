#include "animation/clsMovimento.h"

#include "animation/MovingSprite.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace vantrel {

namespace {
// The Movement dialog's fastest speed ("Granade"), in twips a frame.
constexpr float kFastestSpeed = 20;
} // namespace

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
    // Where the previous step began: a step back onto it is a swing.
    const float previousX = sUltimoX;
    const float previousY = sUltimoY;
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
        // A speed beyond the dialog's fastest (from a file) never carries the
        // object more than 9 twips past the way point.
        const float speed = std::min(p->Velocity, std::max(kFastestSpeed, d * 10 + 9));
        const float fullX = speed * dx / d;
        const float fullY = speed * dy / d;
        // A fast step that overshoots can land, on the whole-twip grid, just
        // over ten twips past the way point, and the next step lands back
        // where the last one began: the object would swing across the way
        // point forever. Such a step closes in by a tenth instead, so the leg
        // settles; every other step is the same as ever.
        const bool swing = speed > d * 10 && (previousX != left || previousY != top)
                           && toWholeTwips(left - fullX) == previousX
                           && toWholeTwips(top - fullY) == previousY;
        if (!swing) {
            dx = fullX;
            dy = fullY;
        }
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
