#include "Dictionary.h"

namespace vbs {

namespace {

const MemberTable kMembers{"Add", "Exists", "Item", "Key", "Keys", "Items", "Remove", "RemoveAll",
                           "Count", "CompareMode", "HashVal"};
enum Member { Add = 1, Exists, Item, Key, Keys, Items, Remove, RemoveAll, Count, CompareMode, HashVal };

class KeyEnumerator : public Enumerator {
public:
    explicit KeyEnumerator(std::vector<Variant> keys) : m_keys(std::move(keys)) {}
    bool next(Variant &out) override
    {
        if (m_pos >= m_keys.size())
            return false;
        out = m_keys[m_pos++];
        return true;
    }

private:
    std::vector<Variant> m_keys;
    size_t m_pos = 0;
};

} // namespace

int Dictionary::findMember(const QString &name) const { return kMembers.find(name); }
const void *Dictionary::memberKey() const { return &kMembers; }

Dictionary::LookupKey Dictionary::hashKey(const Variant &key0) const
{
    const Variant &key = key0.deref();
    LookupKey k;
    switch (key.type()) {
    case VType::Empty: k.kind = 'e'; break;
    case VType::Null: k.kind = 'z'; break;
    case VType::String:
        k.kind = 's';
        k.text = m_compareMode ? key.stringValue().toCaseFolded() : key.stringValue();
        break;
    case VType::Object:
        k.kind = 'o';
        k.object = quintptr(key.objectValue());
        break;
    case VType::Date:
        k.kind = 'd';
        k.number = key.dateValue();
        break;
    case VType::Array:
        raise(ErrInvalidCall);
    default:
        k.kind = 'n';
        k.number = key.toDouble();
        if (k.number == 0)
            k.number = 0; // one zero for +0 and -0
        break;
    }
    return k;
}

uint32_t Dictionary::textHash(const QString &text) const
{
    return TextIndex::hashOf(m_compareMode ? text.toCaseFolded() : text);
}

bool Dictionary::holds(int entry, const QString &text) const
{
    const Variant &k = m_entries[size_t(entry)].key;
    if (!k.isString())
        return false;
    return m_compareMode ? k.stringValue().compare(text, Qt::CaseInsensitive) == 0 : k.stringValue() == text;
}

int Dictionary::indexOf(const Variant &key) const
{
    if (isTextKey(key)) {
        const QString &text = key.deref().stringValue();
        return m_textIndex.find(textHash(text), [&](int e) { return holds(e, text); });
    }
    return m_index.value(hashKey(key), -1);
}

bool Dictionary::insertIndex(const Variant &key, int entry)
{
    // One lookup: operator[] adds the key when it is new.
    if (isTextKey(key)) {
        const QString &text = key.deref().stringValue();
        return m_textIndex.insert(textHash(text), entry, [&](int e) { return holds(e, text); }) < 0;
    }
    const qsizetype before = m_index.size();
    int &slot = m_index[hashKey(key)];
    if (m_index.size() == before)
        return false;
    slot = entry;
    return true;
}

namespace {

template <typename Index, typename Key>
int takeFrom(Index &index, const Key &key)
{
    const auto it = index.constFind(key);
    if (it == index.constEnd())
        return -1;
    const int entry = *it;
    index.erase(it);
    return entry;
}

} // namespace

int Dictionary::takeIndex(const Variant &key)
{
    if (isTextKey(key)) {
        const QString &text = key.deref().stringValue();
        const uint32_t h = textHash(text);
        const int entry = m_textIndex.find(h, [&](int e) { return holds(e, text); });
        if (entry >= 0)
            m_textIndex.remove(h, entry);
        return entry;
    }
    return takeFrom(m_index, hashKey(key));
}

void Dictionary::compact()
{
    std::vector<Entry> kept;
    kept.reserve(m_entries.size() - size_t(m_removed));
    for (Entry &e : m_entries) {
        if (!e.removed)
            kept.push_back(std::move(e));
    }
    m_entries.swap(kept);
    m_removed = 0;
    m_index.clear();
    m_textIndex.clear();
    for (size_t i = 0; i < m_entries.size(); ++i)
        insertIndex(m_entries[i].key, int(i));
}

bool Dictionary::contains(const Variant &key) const { return indexOf(key) >= 0; }

Variant Dictionary::item(const Variant &key)
{
    const int i = indexOf(key);
    if (i >= 0)
        return m_entries[size_t(i)].item;
    add(key, Variant());
    return Variant();
}

void Dictionary::setItem(const Variant &key, const Variant &value)
{
    const int i = indexOf(key);
    if (i >= 0)
        m_entries[size_t(i)].item = value;
    else
        add(key, value);
}

void Dictionary::add(const Variant &key, const Variant &value)
{
    if (!insertIndex(key, int(m_entries.size())))
        raise(ErrKeyExists);
    m_entries.push_back({key.deref(), value.deref(), false});
}

void Dictionary::remove(const Variant &key)
{
    const int i = takeIndex(key);
    if (i < 0)
        raise(ErrElementNotFound);
    // Moving the values out first: releasing an object item may run a
    // Class_Terminate that uses this dictionary.
    Entry gone = std::move(m_entries[size_t(i)]);
    m_entries[size_t(i)] = Entry{Variant(), Variant(), true};
    ++m_removed;
    if (m_removed > 64 && size_t(m_removed) * 2 > m_entries.size())
        compact();
}

void Dictionary::removeAll()
{
    std::vector<Entry> gone;
    gone.swap(m_entries);
    m_index.clear();
    m_textIndex.clear();
    m_removed = 0;
}

Variant Dictionary::keys() const
{
    std::vector<Variant> v;
    v.reserve(m_entries.size());
    for (const Entry &e : m_entries) {
        if (!e.removed)
            v.push_back(e.key);
    }
    return makeArray(std::move(v));
}

Variant Dictionary::items() const
{
    std::vector<Variant> v;
    v.reserve(m_entries.size());
    for (const Entry &e : m_entries) {
        if (!e.removed)
            v.push_back(e.item);
    }
    return makeArray(std::move(v));
}

Variant Dictionary::call(int id, CallArgs &args, bool)
{
    switch (id) {
    case kDefaultMember:
    case Item:
        args.expect(1, 1);
        return item(args[0]);
    case Add:
        args.expect(2, 2);
        add(args[0], args[1]);
        return Variant();
    case Exists:
        args.expect(1, 1);
        return Variant(contains(args[0]));
    case Keys:
        args.expect(0, 0);
        return keys();
    case Items:
        args.expect(0, 0);
        return items();
    case Remove:
        args.expect(1, 1);
        remove(args[0]);
        return Variant();
    case RemoveAll:
        args.expect(0, 0);
        removeAll();
        return Variant();
    case Count:
        args.expect(0, 0);
        return Variant(int32_t(count()));
    case CompareMode:
        args.expect(0, 0);
        return Variant(int32_t(m_compareMode));
    case HashVal: {
        args.expect(1, 1);
        return Variant(int32_t(qHash(hashKey(args[0])) % 1201));
    }
    default:
        raise(ErrNoSuchMember);
    }
}

void Dictionary::put(int id, CallArgs &args, const Variant &value, bool)
{
    switch (id) {
    case kDefaultMember:
    case Item:
        args.expect(1, 1);
        setItem(args[0], value);
        return;
    case Key: {
        args.expect(1, 1);
        const int i = indexOf(args[0]);
        if (i < 0)
            raise(ErrElementNotFound);
        const int clash = indexOf(value);
        if (clash >= 0 && clash != i)
            raise(ErrKeyExists);
        takeIndex(m_entries[size_t(i)].key);
        m_entries[size_t(i)].key = value.deref();
        insertIndex(value, i);
        return;
    }
    case CompareMode: {
        args.expect(0, 0);
        const int32_t mode = value.deref().toLong();
        if (mode < 0 || count() > 0)
            raise(ErrInvalidCall);
        m_compareMode = mode;
        return;
    }
    default:
        raise(ErrNoSuchMember);
    }
}

std::unique_ptr<Enumerator> Dictionary::enumerate()
{
    std::vector<Variant> k;
    k.reserve(m_entries.size());
    for (const Entry &e : m_entries) {
        if (!e.removed)
            k.push_back(e.key);
    }
    return std::make_unique<KeyEnumerator>(std::move(k));
}

} // namespace vbs
