#pragma once

#include "strat/StratRecords.h"

#include <vector>

namespace vantrel {

// The application-wide tables indexed by a strat window's slot number iMI:
// titles and overview names, elements 0..highest slot opened. They only grow.
class StratSlotTables
{
public:
    static constexpr int kMaxSlots = 11;

    int slotCount() const { return int(m_titles.size()) - 1; }
    // Grows both tables to hold `count` slots (keeping their entries). The
    // parameter must not be called "slots": Qt defines that word away.
    void grow(int count)
    {
        if (count + 1 > int(m_titles.size())) {
            m_titles.resize(size_t(count) + 1);
            m_overviews.resize(size_t(count) + 1);
        }
    }
    StratTitle &StratTitles(int slot) { return m_titles.at(size_t(slot)); }
    OverviewName &OverviewNames(int slot) { return m_overviews.at(size_t(slot)); }
    const StratTitle &StratTitles(int slot) const { return m_titles.at(size_t(slot)); }
    const OverviewName &OverviewNames(int slot) const { return m_overviews.at(size_t(slot)); }

private:
    std::vector<StratTitle> m_titles{1};
    std::vector<OverviewName> m_overviews{1};
};

} // namespace vantrel
