#pragma once

#include "strat/StratRecords.h"

#include <QObject>
#include <QUndoStack>

#include <cstdint>
#include <functional>
#include <vector>

namespace vantrel {

// One way-point marker of a strat window: the movement it belongs to (its
// tag), the number of the way point it shows, and whether it is still shown.
// Marker numbers are handed out in creation order across all movements and
// never reused, so a removed marker stays in the table as not live.
struct WayPointMarker
{
    int16_t movement = 0;
    int16_t point = 0;
    bool live = false;

    bool operator==(const WayPointMarker &) const = default;
};

// The strat and the window state numbered along with its lists.
struct StratEditState
{
    Strat strat;
    // Marker k at k; element 0 unused. Its size - 1 is MarkerCount.
    std::vector<WayPointMarker> markers{1};
    // Whether text i has a label (a removed text has none; a tombstone read
    // from a file does).
    std::vector<uint8_t> textShown{0};
    // The object movement m is attached to (0 for none), as its engine's
    // iObj: set by the first way point, cleared when the object is removed.
    std::vector<int16_t> owners{0};
};

// The strat of one strat window and every edit the editor offers. Each edit is
// one command on the document's undo stack; undo and redo restore the lists
// exactly, so the file bytes after undoing an edit equal those before it.
// Whatever shows the strat (scene items, movement engines, the title label)
// follows the change signals and never writes the records itself.
class StratDocument : public QObject
{
    Q_OBJECT

public:
    explicit StratDocument(QObject *parent = nullptr);
    ~StratDocument() override;

    const Strat &strat() const { return m_state.strat; }
    const StratEditState &state() const { return m_state; }
    QUndoStack &undoStack() { return m_undo; }

    // Replaces the whole strat (a file was opened) with a clean undo stack.
    // The markers are numbered across all movements in reading order; a
    // point whose object has no picture gets no marker.
    void load(const Strat &strat);
    // Back to an empty strat with a clean undo stack.
    void clear();
    // A new strat: empty, with `title` and `overview`, and a clean undo stack.
    void start(const StratTitle &title, const OverviewName &overview);

    // Whether the strat changed since it was opened, started or saved: undoing
    // back to the saved state makes it unmodified again.
    bool isModified() const { return !m_undo.isClean(); }
    // The strat as it is now was saved.
    void markSaved() { m_undo.setClean(); }

    // --- lookups
    // The title without the blanks around it.
    QString title() const { return m_state.strat.Title.trimmed(); }
    int16_t MarkerCount() const { return int16_t(m_state.markers.size() - 1); }
    const WayPointMarker &marker(int k) const;
    // The way point number marker k shows (0 for a number without one).
    int16_t MarkerPoint(int k) const { return marker(k).point; }
    bool isMarkerShown(int k) const { return marker(k).live; }
    bool isTextShown(int i) const;
    // The object movement m is attached to, or 0.
    int16_t owner(int m) const;
    // The first movement attached to object `obj`, or -1.
    int movementOf(int obj) const;
    // Whether object i exists and has a palette picture.
    bool isObjectDrawn(int i) const;
    // The way points the engine of movement m drives (none while detached).
    std::vector<MovementPoint> enginePoints(int m) const;

    // --- edits; each pushes one undo command and returns what it made (0
    // when nothing changed). Positions are twips.
    int16_t placeObject(int16_t pictureIndex, float left, float top);
    void moveObject(int16_t i, float left, float top);
    // Removes the object with its movement's markers and way points; the
    // movement record stays, emptied.
    void removeObject(int16_t i);
    int16_t insertText(float left, float top, const QString &caption);
    void editText(int16_t i, const QString &caption);
    void moveText(int16_t i, float left, float top);
    void removeText(int16_t i);
    // Appends a way point (the object's top-left when it stands there) to the
    // movement of `obj`, making the movement when it has none; returns the
    // new marker's number.
    int16_t addWayPoint(int16_t obj, int32_t x, int32_t y, int32_t startFrame, float velocity);
    void moveWayPoint(int16_t k, int32_t x, int32_t y);
    void editWayPoint(int16_t k, int32_t startFrame, float velocity);
    // Removes marker k's way point and every later one of movement m.
    void cutPath(int16_t k, int16_t m);
    void setLineColor(int16_t m, uint32_t color);
    int16_t addLink(const StratLink &link);
    void setLinkTarget(int16_t i, const QString &target);
    void clearLink(int16_t i);
    void rename(const QString &title);
    void setOverview(const QString &name);

    // Groups the edits until endMacro() into one undo step named `name`.
    // A group that changed nothing leaves no step.
    void beginMacro(const QString &name) { m_undo.beginMacro(name); }
    void endMacro();

    // Undo is suspended while the strat plays; the Edit menu reads this.
    bool isUndoSuspended() const { return m_undoSuspended; }
    void setUndoSuspended(bool suspended);
    bool canUndo() const { return !m_undoSuspended && m_undo.canUndo(); }
    bool canRedo() const { return !m_undoSuspended && m_undo.canRedo(); }
    void undo();
    void redo();

Q_SIGNALS:
    // Element i was added, changed, removed or (by undo) dropped off the end.
    void objectChanged(int i);
    void textChanged(int i);
    // Movement m's way points, colour, owner or markers changed.
    void movementChanged(int m);
    void linkChanged(int i);
    void titleChanged();
    void overviewChanged();
    // Everything was replaced (load or clear).
    void reset();
    void undoSuspendedChanged(bool suspended);
    void modifiedChanged(bool modified);

private:
    friend class StratEditCommand;
    friend class StratHeaderCommand;

    // Runs `change` on a copy of the state and pushes the difference as one
    // command named `name`; nothing is pushed when nothing changed.
    void edit(const QString &name, const std::function<void(StratEditState &)> &change);
    void setHeader(const StratTitle &title, const OverviewName &overview);

    StratEditState m_state;
    QUndoStack m_undo;
    bool m_undoSuspended = false;
};

} // namespace vantrel
