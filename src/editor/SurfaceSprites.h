#pragma once

#include "animation/Playback.h"

namespace vantrel {

class StratSurface;

// The object pictures of a strat window's surface, as playback moves them.
class SurfaceSprites : public PlaybackSprites
{
public:
    explicit SurfaceSprites(const StratSurface &surface)
        : m_surface(surface)
    {
    }
    MovingSprite *sprite(int object) override;
    // The grenade boxes (palette pictures 10 to 12, 210 twips high).
    bool hiddenAtStart(int object) const override;

private:
    const StratSurface &m_surface;
};

} // namespace vantrel
