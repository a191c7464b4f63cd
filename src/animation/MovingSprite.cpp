#include "animation/MovingSprite.h"

#include <cmath>

namespace vantrel {

float toWholeTwips(float value)
{
    return std::round(value);
}

GridSprite::GridSprite(float left, float top, bool visible)
    : m_left(toWholeTwips(left))
    , m_top(toWholeTwips(top))
    , m_visible(visible)
{
}

void GridSprite::setPosition(float left, float top)
{
    m_left = toWholeTwips(left);
    m_top = toWholeTwips(top);
}

} // namespace vantrel
