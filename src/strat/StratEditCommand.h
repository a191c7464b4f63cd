#pragma once

#include "strat/StratDocument.h"

#include <QUndoCommand>

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

namespace vantrel {

// The difference between two versions of one list: its sizes and the elements
// that differ, before and after. Applying it either way gives back exactly the
// list it was made from, element 0 and storage included.
template<typename T> struct VectorPatch
{
    size_t beforeSize = 0;
    size_t afterSize = 0;
    std::vector<std::pair<size_t, T>> before;
    std::vector<std::pair<size_t, T>> after;

    static VectorPatch diff(const std::vector<T> &a, const std::vector<T> &b)
    {
        VectorPatch p;
        p.beforeSize = a.size();
        p.afterSize = b.size();
        for (size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
            const bool inA = i < a.size();
            const bool inB = i < b.size();
            if (inA && inB && a[i] == b[i])
                continue;
            if (inA)
                p.before.emplace_back(i, a[i]);
            if (inB)
                p.after.emplace_back(i, b[i]);
        }
        return p;
    }

    bool isEmpty() const { return beforeSize == afterSize && before.empty() && after.empty(); }

    void apply(std::vector<T> &v, bool forward) const
    {
        v.resize(forward ? afterSize : beforeSize);
        for (const auto &[i, value] : forward ? after : before)
            v[i] = value;
    }

    // Numbers of the changed elements, element 0 left out.
    void changedNumbers(std::set<int> &out) const
    {
        for (const auto &list : {before, after})
            for (const auto &entry : list)
                if (entry.first > 0)
                    out.insert(int(entry.first));
    }
};

// What one edit changed in the document's lists.
struct StratPatch
{
    VectorPatch<StratObject> objects;
    VectorPatch<StratText> texts;
    VectorPatch<uint32_t> colors;
    VectorPatch<StratMovement> movements;
    VectorPatch<StratLink> links;
    VectorPatch<Drawing> drawings;
    VectorPatch<WayPointMarker> markers;
    VectorPatch<uint8_t> textShown;
    VectorPatch<int16_t> owners;

    static StratPatch diff(const StratEditState &a, const StratEditState &b);
    bool isEmpty() const;
    void apply(StratEditState &state, bool forward) const;
};

// One edit of the lists: redo applies the patch, undo takes it back, and both
// tell the document's followers precisely what changed.
class StratEditCommand : public QUndoCommand
{
public:
    StratEditCommand(StratDocument &document, const QString &name, StratPatch patch);
    void redo() override { apply(true); }
    void undo() override { apply(false); }

private:
    void apply(bool forward);

    StratDocument &m_document;
    StratPatch m_patch;
};

// A new title or overview name.
class StratHeaderCommand : public QUndoCommand
{
public:
    StratHeaderCommand(StratDocument &document, const QString &name, const StratTitle &title,
                       const OverviewName &overview);
    void redo() override;
    void undo() override;

private:
    void swap();

    StratDocument &m_document;
    StratTitle m_title;
    OverviewName m_overview;
};

} // namespace vantrel
