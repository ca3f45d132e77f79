#include "TextIndex.h"

#include <QHash>

namespace vbs {

uint32_t TextIndex::hashOf(const QString &text)
{
    const size_t h = qHash(text, 0);
    return uint32_t(h ^ (uint64_t(h) >> 32));
}

void TextIndex::place(uint32_t hash, int entry)
{
    const size_t mask = m_slots.size() - 1;
    size_t i = hash & mask;
    while (m_slots[i].entry >= 0)
        i = (i + 1) & mask;
    if (m_slots[i].entry == kEmpty)
        ++m_used;
    m_slots[i] = Slot{entry, hash};
}

void TextIndex::grow()
{
    std::vector<Slot> old;
    old.swap(m_slots);
    size_t live = 0;
    for (const Slot &s : old)
        live += s.entry >= 0;
    size_t size = 16;
    while (size < (live + 1) * 4)
        size *= 2;
    m_slots.assign(size, Slot{});
    m_used = 0;
    for (const Slot &s : old) {
        if (s.entry >= 0)
            place(s.hash, s.entry);
    }
}

void TextIndex::remove(uint32_t hash, int entry)
{
    if (m_slots.empty())
        return;
    const size_t mask = m_slots.size() - 1;
    for (size_t i = hash & mask; m_slots[i].entry != kEmpty; i = (i + 1) & mask) {
        if (m_slots[i].entry == entry) {
            m_slots[i].entry = kRemoved;
            return;
        }
    }
}

void TextIndex::clear()
{
    m_slots.clear();
    m_used = 0;
}

} // namespace vbs
