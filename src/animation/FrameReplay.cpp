#include "animation/FrameReplay.h"

namespace vantrel {

FrameReplay::FrameReplay(std::vector<clsMovimento *> engines, std::vector<GridSprite *> sprites)
    : m_engines(std::move(engines))
    , m_sprites(std::move(sprites))
{
}

MovingSprite *FrameReplay::spriteOf(const clsMovimento &engine) const
{
    const auto i = size_t(engine.iObj);
    return engine.iObj > 0 && i < m_sprites.size() ? m_sprites[i] : nullptr;
}

void FrameReplay::step()
{
    for (clsMovimento *engine : m_engines)
        if (engine)
            engine->Move(spriteOf(*engine));
    for (clsMovimento *engine : m_engines)
        if (engine)
            ++engine->lFrame;
}

void FrameReplay::run(int32_t frames)
{
    for (int32_t f = 0; f < frames; ++f)
        step();
}

bool FrameReplay::finished(const clsMovimento &engine) const
{
    const int16_t at = engine.current();
    if (engine.itM == 0 || at < 1 || at > engine.itM || !spriteOf(engine))
        return true;
    // Started before the frame just played, not merely due on the next one:
    // a frame in which a leg still waited for its start moved nothing, and
    // is no rest.
    const int32_t start = engine.point(at).StartFrame;
    return at == engine.itM && (start <= 0 || engine.lFrame > start);
}

int32_t FrameReplay::runToRest(int32_t limit)
{
    struct Seen
    {
        float left, top;
        bool shown;
        bool operator==(const Seen &) const = default;
    };
    std::vector<Seen> before(m_sprites.size());
    auto look = [this](std::vector<Seen> &seen) {
        for (size_t i = 0; i < m_sprites.size(); ++i)
            if (const GridSprite *s = m_sprites[i])
                seen[i] = {s->left(), s->top(), s->isShown()};
    };
    std::vector<Seen> after = before;
    look(before);
    int32_t lastChange = 0;
    for (int32_t frame = 1; frame <= limit; ++frame) {
        step();
        look(after);
        const bool changed = after != before;
        if (changed) {
            lastChange = frame;
            std::swap(before, after);
            continue;
        }
        bool rest = true;
        for (const clsMovimento *engine : m_engines)
            if (engine && !finished(*engine)) {
                rest = false;
                break;
            }
        if (rest)
            break;
    }
    return lastChange;
}

} // namespace vantrel
