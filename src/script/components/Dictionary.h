#pragma once

#include "../Dispatch.h"
#include "TextIndex.h"

#include <QHash>
#include <QString>

#include <vector>

namespace vbs {

// Scripting.Dictionary: keys in insertion order, binary or text comparison
// of string keys, For Each over the keys.
class Dictionary : public Dispatch {
public:
    QString typeName() const override { return QStringLiteral("Dictionary"); }
    int findMember(const QString &name) const override;
    const void *memberKey() const override;
    Variant call(int id, CallArgs &args, bool wantResult) override;
    void put(int id, CallArgs &args, const Variant &value, bool isSet) override;
    std::unique_ptr<Enumerator> enumerate() override;

    int count() const { return int(m_entries.size()) - m_removed; }
    bool contains(const Variant &key) const;
    // The item of a key; a missing key is added with an Empty item.
    Variant item(const Variant &key);
    void setItem(const Variant &key, const Variant &value);
    void add(const Variant &key, const Variant &value); // 457 when present
    void remove(const Variant &key);                      // 32811 when absent
    void removeAll();
    Variant keys() const;
    Variant items() const;

    // Lookup form of a key: subtype family and value; string keys are case
    // folded in text mode. Implicitly shared strings make it cheap to build.
    struct LookupKey {
        char kind = 'e';
        double number = 0;
        QString text;
        quintptr object = 0;
        bool operator==(const LookupKey &o) const
        {
            return kind == o.kind && number == o.number && object == o.object && text == o.text;
        }
    };

private:
    struct Entry {
        Variant key;
        Variant item;
        bool removed = false;
    };
    LookupKey hashKey(const Variant &key) const;
    // String keys (nearly all of them) have an index of their own, smaller
    // and quicker than the general one.
    static bool isTextKey(const Variant &key) { return key.deref().isString(); }
    uint32_t textHash(const QString &text) const;
    // Whether entry holds the string key text (without regard to case in text mode).
    bool holds(int entry, const QString &text) const;
    int indexOf(const Variant &key) const;
    bool insertIndex(const Variant &key, int entry); // false when the key is there
    int takeIndex(const Variant &key);               // the entry, or -1
    // Drops removed entries once they are many (removal leaves a hole so
    // that it does not shift every later entry).
    void compact();

    std::vector<Entry> m_entries;
    QHash<LookupKey, int> m_index;   // keys that are not strings
    TextIndex m_textIndex;           // string keys (hashed case folded in text mode)
    int m_compareMode = 0;
    int m_removed = 0;
};

// Only the part of the key its kind uses: mixing the unused fields in (as a
// combined hash of all four did) left string keys clustered, with long
// probe runs in the table.
inline size_t qHash(const Dictionary::LookupKey &k, size_t seed = 0)
{
    switch (k.kind) {
    case 's': return ::qHash(k.text, seed);
    case 'o': return ::qHash(k.object, seed);
    default: return ::qHash(k.number, seed) ^ size_t(uchar(k.kind));
    }
}

} // namespace vbs
