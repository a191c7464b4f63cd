#pragma once

#include "animation/MovingSprite.h"
#include "animation/clsMovimento.h"

#include <cstdint>
#include <vector>

namespace vantrel {

// The frame tick without a window: every engine steps its object's sprite,
// then every engine's lFrame advances, as many frames as asked. Scrubbing
// replays a strat from a stop on bare sprites this way and shows only the
// result, so a jump to frame N is exactly N ticks of the window.
class FrameReplay
{
public:
    // `engines` in movement order (null entries are skipped); `sprites` by
    // object number, element 0 unused; an object without a picture is absent.
    FrameReplay(std::vector<clsMovimento *> engines, std::vector<GridSprite *> sprites);

    void step();
    void run(int32_t frames);

    // Steps until every movement has come to rest (every engine on its last
    // leg, none waiting for a start frame, and a frame that moved nothing),
    // at most `limit` frames; returns the last frame that changed a sprite, 0
    // when none did.
    int32_t runToRest(int32_t limit);

private:
    bool finished(const clsMovimento &engine) const;
    MovingSprite *spriteOf(const clsMovimento &engine) const;

    std::vector<clsMovimento *> m_engines;
    std::vector<GridSprite *> m_sprites;
};

} // namespace vantrel
