#pragma once

namespace vantrel {

// What the movement engine needs of an object's picture: its top-left corner
// in twips and its visibility. Implementations hold the position in whole
// twips, so a step of under half a twip on an axis leaves that axis unchanged;
// the engine's arrival test relies on that.
class MovingSprite
{
public:
    virtual ~MovingSprite() = default;
    virtual float left() const = 0;
    virtual float top() const = 0;
    // Moves the sprite; the position is rounded onto the whole-twip grid.
    virtual void setPosition(float left, float top) = 0;
    virtual bool isShown() const = 0;
    virtual void setShown(bool shown) = 0;
};

// A sprite that is only a position: for tests, benchmarks and headless runs.
class GridSprite : public MovingSprite
{
public:
    GridSprite(float left = 0, float top = 0, bool visible = true);
    float left() const override { return m_left; }
    float top() const override { return m_top; }
    void setPosition(float left, float top) override;
    bool isShown() const override { return m_visible; }
    void setShown(bool shown) override { m_visible = shown; }

private:
    float m_left;
    float m_top;
    bool m_visible;
};

// Rounds a twip coordinate onto the whole-twip grid.
float toWholeTwips(float value);

} // namespace vantrel
