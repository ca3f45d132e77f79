#pragma once

#include "../Dispatch.h"

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

    int count() const { return int(m_entries.size()); }
    bool contains(const Variant &key) const;
    // The item of a key; a missing key is added with an Empty item.
    Variant item(const Variant &key);
    void setItem(const Variant &key, const Variant &value);
    void add(const Variant &key, const Variant &value); // 457 when present
    void remove(const Variant &key);                      // 32811 when absent
    void removeAll();
    Variant keys() const;
    Variant items() const;

private:
    struct Entry {
        Variant key;
        Variant item;
    };
    // Hash text of a key: subtype family and value (text mode folds case).
    QString hashKey(const Variant &key) const;
    int indexOf(const Variant &key) const;
    void reindexFrom(int first);

    std::vector<Entry> m_entries;
    QHash<QString, int> m_index;
    int m_compareMode = 0;
};

} // namespace vbs
