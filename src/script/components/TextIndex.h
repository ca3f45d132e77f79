#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace vbs {

// Index from string keys to the numbers of entries kept elsewhere in
// insertion order (a dictionary's entries). Open addressing with linear
// probing; each slot holds the entry number and the key's hash, so a probe
// reads a stored key only when the hashes match, and the slots of 100,000
// keys fit in the processor's cache. equal(entry) tells whether an entry
// holds the key looked for.
class TextIndex {
public:
    static uint32_t hashOf(const QString &text);

    template <typename Equal>
    int find(uint32_t hash, Equal &&equal) const
    {
        if (m_slots.empty())
            return -1;
        const size_t mask = m_slots.size() - 1;
        for (size_t i = hash & mask;; i = (i + 1) & mask) {
            const Slot &s = m_slots[i];
            if (s.entry == kEmpty)
                return -1;
            if (s.entry >= 0 && s.hash == hash && equal(s.entry))
                return s.entry;
        }
    }

    // Adds entry under hash unless an equal key is there: returns that
    // key's entry, or -1 when entry was added.
    template <typename Equal>
    int insert(uint32_t hash, int entry, Equal &&equal)
    {
        const int present = find(hash, equal);
        if (present >= 0)
            return present;
        if ((m_used + 1) * 2 > m_slots.size())
            grow();
        place(hash, entry);
        return -1;
    }

    // Removes the slot of entry, stored under hash.
    void remove(uint32_t hash, int entry);
    void clear();

private:
    static constexpr int32_t kEmpty = -1;
    static constexpr int32_t kRemoved = -2;
    struct Slot {
        int32_t entry = kEmpty;
        uint32_t hash = 0;
    };

    void place(uint32_t hash, int entry);
    void grow();

    std::vector<Slot> m_slots; // a power of two in size, at most half used
    size_t m_used = 0;         // live and removed slots
};

} // namespace vbs
