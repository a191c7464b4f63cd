#pragma once

#include <Qt>

#include <cstdint>

namespace vantrel {

class frmMapa;

// A one-shot tool armed in the main window (a palette icon, the Text tool,
// the Move Window tool) or by "Add Movement" and F4 (the way-point tool). The
// strat window that receives the next press on its surface hands the press
// and the mouse moves to it; the tool acts once and is disarmed.
class EditorTool
{
public:
    virtual ~EditorTool() = default;

    // PlacingMode: the next press places something.
    virtual bool places() const { return true; }
    // TextMode: the next press inserts a text.
    virtual bool insertsText() const { return false; }
    // MoveWindowMode: the next drag moves the window.
    virtual bool movesWindow() const { return false; }
    // The way-point tool names the strat window (iMI) whose path it extends.
    virtual int16_t wayPointWindow() const { return 0; }

    // A press on `window`'s surface at (x, y) twips.
    virtual void press(frmMapa &window, double x, double y) = 0;
    // A mouse move over the surface: cursor, rubber band or window move.
    virtual void move(frmMapa &window, Qt::MouseButtons buttons, double x, double y) = 0;
};

// A palette icon: places an object of that picture, centred on the press.
class PlaceObjectTool : public EditorTool
{
public:
    explicit PlaceObjectTool(int16_t paletteIndex)
        : m_index(paletteIndex)
    {
    }
    int16_t paletteIndex() const { return m_index; }
    void press(frmMapa &window, double x, double y) override;
    void move(frmMapa &window, Qt::MouseButtons buttons, double x, double y) override;

private:
    int16_t m_index;
};

// The Text tool: asks for a text and writes it at the press point.
class TextTool : public EditorTool
{
public:
    bool insertsText() const override { return true; }
    void press(frmMapa &window, double x, double y) override;
    void move(frmMapa &window, Qt::MouseButtons buttons, double x, double y) override;
};

// The Move Window tool: a drag moves the strat window inside the main window.
class MoveWindowTool : public EditorTool
{
public:
    bool places() const override { return false; }
    bool movesWindow() const override { return true; }
    void press(frmMapa &window, double x, double y) override;
    void move(frmMapa &window, Qt::MouseButtons buttons, double x, double y) override;

private:
    long m_startX = 0;
    long m_startY = 0;
};

// "Add Movement" or F4: the next press adds a way point to the selected
// object's path in strat window `iMI`.
class WayPointTool : public EditorTool
{
public:
    explicit WayPointTool(int16_t iMI)
        : m_window(iMI)
    {
    }
    int16_t wayPointWindow() const override { return m_window; }
    void press(frmMapa &window, double x, double y) override;
    void move(frmMapa &window, Qt::MouseButtons buttons, double x, double y) override;

private:
    int16_t m_window;
};

} // namespace vantrel
