#pragma once

#include "editor/MapEvent.h"

#include <cstdint>

namespace vantrel {

class frmMapa;

// A tool of the map: it gets the mouse and key events of a strat window and
// acts on them. Each strat window has its own select tool (SelectTool.h);
// the main window arms one-shot tools (a palette icon, Text, Move Window, or
// the way-point tool of "Add Movement" and F4), which see each event first.
// Every handler returns whether it took the event: what an armed tool leaves
// goes on to the window's select tool. A new tool is a class of its own and
// touches nothing in the window.
class EditorTool
{
public:
    virtual ~EditorTool() = default;

    // The tool was armed, or put away (another tool, Esc, or spent).
    virtual void activate() {}
    virtual void deactivate() {}

    virtual bool press(frmMapa &, const MapEvent &) { return false; }
    virtual bool move(frmMapa &, const MapEvent &) { return false; }
    virtual bool release(frmMapa &, const MapEvent &) { return false; }
    virtual bool doubleClick(frmMapa &, const MapEvent &) { return false; }
    virtual bool keyPress(frmMapa &, int) { return false; }

    // PlacingMode: the tool puts something on the map, and a left press on
    // an item neither places nor drags.
    virtual bool places() const { return false; }
    // TextMode: the next press inserts a text.
    virtual bool insertsText() const { return false; }
    // MoveWindowMode: the next drag moves the window.
    virtual bool movesWindow() const { return false; }
    // The way-point tool names the strat window (iMI) whose path it extends.
    virtual int16_t wayPointWindow() const { return 0; }
    // The tool changes nothing, so it works on a read-only board too.
    virtual bool readOnly() const { return false; }
};

// The common ground of the one-shot tools: a press on the map acts, a left
// press on an item is swallowed while the tool places (a right press still
// selects and opens the menu), and the release on the map spends the tool.
class OneShotTool : public EditorTool
{
public:
    bool press(frmMapa &window, const MapEvent &event) override;
    bool move(frmMapa &window, const MapEvent &event) override;
    bool release(frmMapa &window, const MapEvent &event) override;

protected:
    // The press on the map (any button) and a move over it.
    virtual void act(frmMapa &window, const MapEvent &event) = 0;
    virtual void hover(frmMapa &window, const MapEvent &event);
    // Whether the press spends the tool (before its dialog); otherwise the
    // release does.
    virtual bool spentByPress() const { return false; }
};

// A palette icon: places an object of that picture, centred on the press.
class PlaceObjectTool : public OneShotTool
{
public:
    explicit PlaceObjectTool(int16_t paletteIndex)
        : m_index(paletteIndex)
    {
    }
    int16_t paletteIndex() const { return m_index; }
    bool places() const override { return true; }

protected:
    void act(frmMapa &window, const MapEvent &event) override;

private:
    int16_t m_index;
};

// The Text tool: asks for a text and writes it at the press point.
class TextTool : public OneShotTool
{
public:
    bool places() const override { return true; }
    bool insertsText() const override { return true; }

protected:
    void act(frmMapa &window, const MapEvent &event) override;
    bool spentByPress() const override { return true; }
};

// The Move Window tool: a drag on the map moves the strat window inside the
// main window; items are still dragged as without a tool.
class MoveWindowTool : public OneShotTool
{
public:
    bool movesWindow() const override { return true; }

protected:
    void act(frmMapa &window, const MapEvent &event) override;
    void hover(frmMapa &window, const MapEvent &event) override;

private:
    QPoint m_start;
};

// "Add Movement" or F4: the next press on the map of strat window `iMI`
// adds a way point to its selected object's path.
class WayPointTool : public OneShotTool
{
public:
    explicit WayPointTool(int16_t iMI)
        : m_window(iMI)
    {
    }
    bool places() const override { return true; }
    int16_t wayPointWindow() const override { return m_window; }
    bool press(frmMapa &window, const MapEvent &event) override;
    bool release(frmMapa &window, const MapEvent &event) override;

protected:
    void act(frmMapa &window, const MapEvent &event) override;
    void hover(frmMapa &window, const MapEvent &event) override;
    bool spentByPress() const override { return true; }

private:
    int16_t m_window;
};

// The ping tool: a left press anywhere on the board (an item included)
// shows the player's ping to everyone on the team board.
class PingTool : public OneShotTool
{
public:
    bool readOnly() const override { return true; }
    bool press(frmMapa &window, const MapEvent &event) override;
    bool release(frmMapa &, const MapEvent &) override { return false; }

protected:
    void act(frmMapa &window, const MapEvent &event) override;
    void hover(frmMapa &window, const MapEvent &event) override;
};

} // namespace vantrel
