#include "editor/SurfaceSprites.h"

#include "editor/StratSurface.h"

namespace vantrel {

namespace {

// The height of the grenade boxes (10 x 14 pixels): they appear only when
// their first leg starts.
constexpr double kGrenadeHeightTwips = 210;

} // namespace

MovingSprite *SurfaceSprites::sprite(int object)
{
    return m_surface.imgObj(object);
}

bool SurfaceSprites::hiddenAtStart(int object) const
{
    const ObjectItem *item = m_surface.imgObj(object);
    return item && item->heightTwips() == kGrenadeHeightTwips;
}

} // namespace vantrel
