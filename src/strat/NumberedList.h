#pragma once

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace vantrel {

// A list numbered 1..count with an empty element 0, as every list of a strat
// is. A list of count 0 may have no storage at all (a new strat has none);
// once it has storage it always holds count + 1 elements. Elements are never
// removed from the middle: deleting leaves a tombstone, so numbers held by
// other records and by controls stay valid.
template<typename T> class NumberedList
{
public:
    int16_t count() const { return m_items.empty() ? 0 : int16_t(m_items.size() - 1); }
    bool hasStorage() const { return !m_items.empty(); }
    bool contains(int number) const { return number >= 1 && number <= count(); }

    T &operator[](int number) { return m_items.at(size_t(number)); }
    const T &operator[](int number) const { return m_items.at(size_t(number)); }

    // Grows the list by one and returns the new element's number. Throws when
    // the 16-bit count would overflow.
    int16_t append(const T &item = T())
    {
        if (count() == INT16_MAX)
            throw std::overflow_error("list is full");
        if (m_items.empty())
            m_items.emplace_back();
        m_items.push_back(item);
        return count();
    }

    // Makes the list hold elements 0..count (count 0 keeps element 0 only).
    void resize(int16_t count) { m_items.resize(size_t(count < 0 ? 0 : count) + 1); }
    void clear() { m_items.clear(); }

    // All stored elements, element 0 first (empty when there is no storage).
    const std::vector<T> &storage() const { return m_items; }
    std::vector<T> &storage() { return m_items; }

    bool operator==(const NumberedList &) const = default;

private:
    std::vector<T> m_items;
};

} // namespace vantrel
