#pragma once

#include "strat/StratRecords.h"

#include <cstdint>
#include <limits>
#include <vector>

namespace vantrel {

class MovingSprite;

// The movement engine of one movement: its way points, the per-frame step that
// moves the object's picture, the start-frame wait of each leg and the rewind.
// It has no timer; playback calls Move once per frame for every movement, then
// advances lFrame, and calls Reseta on stop.
class clsMovimento
{
public:
    // `keepCountingFrames` is the application's KCFrames flag, read at every
    // arrival (it may change while the program runs); null means off.
    explicit clsMovimento(const bool *keepCountingFrames = nullptr);

    int16_t iObj = 0;   // number of the moved object
    int16_t itM = 0;    // number of way points
    int32_t lFrame = 0; // frames counted for this movement

    // Appends a way point and returns its number; heads back for way point 1.
    // Throws std::overflow_error when itM would pass 32767.
    int16_t Adiciona(int32_t iIni, int32_t x, int32_t y, float sVel);
    // Removes way point Index and every later one. False (nothing changed) for
    // an Index outside 1..itM.
    bool ApagaMovimento(int16_t Index);
    // Change way point Index; false (nothing changed) for an Index outside 1..itM.
    bool EditaXY(int16_t Index, int32_t x, int32_t y);
    bool EditaMov(int16_t Index, int32_t iIni, float sVel);
    // One frame: moves `tObj` (the picture of object iObj; null when it has
    // none) toward the current way point. Never throws, allocates nothing.
    void Move(MovingSprite *tObj);
    // Back to way point 1 with lFrame 0, as if the engine were new.
    void Reseta();

    int16_t current() const { return iAtual; }
    const MovementPoint &point(int16_t index) const { return m_points.at(size_t(index) - 1); }

private:
    bool hasPoint(int16_t Index) const;
    static constexpr float NotSeen = std::numeric_limits<float>::quiet_NaN();

    bool keepCounting() const { return m_keepCounting && *m_keepCounting; }

    const bool *m_keepCounting;
    int16_t iAtual = 0;
    // The position seen at the previous step; nothing seen (NaN) on a new or
    // rewound engine, so the first step never counts as an arrival.
    float sUltimoX = NotSeen;
    float sUltimoY = NotSeen;
    std::vector<MovementPoint> m_points; // way points 1..itM at 0..itM-1
};

} // namespace vantrel
