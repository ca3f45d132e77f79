#include "AspContents.h"

#include "AspFields.h"
#include "NameEnumerator.h"

#include "script/ClassInstance.h"

namespace preview {

using namespace vbs;

namespace {

const MemberTable kMembers{"Item", "Count", "Key", "Remove", "RemoveAll", "_NewEnum"};
enum Member { Item = 1, Count, Key, Remove, RemoveAll, NewEnum };

} // namespace

int AspContents::findMember(const QString &name) const { return kMembers.find(name); }
const void *AspContents::memberKey() const { return &kMembers; }

qsizetype AspContents::indexOf(const QString &name) const
{
    for (qsizetype i = 0; i < m_values.size(); ++i) {
        if (m_values[i].first.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

bool AspContents::contains(const QString &name) const
{
    return indexOf(name) >= 0;
}

Variant AspContents::value(const QString &name) const
{
    const qsizetype i = indexOf(name);
    return i < 0 ? Variant() : m_values[i].second;
}

void AspContents::setValue(const QString &name, const Variant &value)
{
    const qsizetype i = indexOf(name);
    if (i >= 0)
        m_values[i].second = value;
    else
        m_values.append({name, value});
}

void AspContents::remove(const QString &name)
{
    const qsizetype i = indexOf(name);
    if (i >= 0)
        m_values.removeAt(i);
}

Variant AspContents::item(const Variant &key0) const
{
    const Variant key = defaultValue(key0);
    if (key.isNumericType()) {
        const int position = key.toLong();
        if (position < 1 || position > m_values.size())
            return {};
        return m_values[position - 1].second;
    }
    return value(key.toText());
}

void AspContents::assign(const Variant &key0, const Variant &value0, bool isSet)
{
    const Variant key = defaultValue(key0);
    const Variant &value = value0.deref();
    if (isSet && !value.isObject())
        raise(ErrObjectRequired);
    Variant stored = isSet ? value : defaultValue(value);
    // An instance of a class of the page's script lives only as long as the
    // page's engine.
    if (stored.isObject() && dynamic_cast<ClassInstance *>(stored.objectValue()))
        raise(ErrInvalidCall, QStringLiteral(
            "Un oggetto di una classe dello script non può essere conservato in Session o Application."));
    if (key.isNumericType()) {
        const int position = key.toLong();
        if (position < 1 || position > m_values.size())
            raise(ErrSubscript);
        m_values[position - 1].second = stored;
        return;
    }
    setValue(key.toText(), stored);
}

Variant AspContents::call(int id, CallArgs &args, bool)
{
    switch (id) {
    case kDefaultMember:
    case Item:
        if (args.isEmpty())
            return objectVariant(Ref<Dispatch>(this));
        args.expect(1, 1);
        return item(args[0]);
    case Count:
        args.expect(0, 0);
        return Variant(int32_t(m_values.size()));
    case Key: {
        args.expect(1, 1);
        const int position = args[0].toLong();
        if (position < 1 || position > m_values.size())
            raise(ErrSubscript);
        return Variant(m_values[position - 1].first);
    }
    case Remove: {
        args.expect(1, 1);
        const Variant key = defaultValue(args[0]);
        if (key.isNumericType()) {
            const int position = key.toLong();
            if (position >= 1 && position <= m_values.size())
                m_values.removeAt(position - 1);
        } else {
            remove(key.toText());
        }
        return {};
    }
    case RemoveAll:
        args.expect(0, 0);
        m_values.clear();
        return {};
    case NewEnum:
        args.expect(0, 0);
        return objectVariant(Ref<Dispatch>(this));
    default:
        raise(ErrNoSuchMember);
    }
}

void AspContents::put(int id, CallArgs &args, const Variant &value, bool isSet)
{
    if (id != kDefaultMember && id != Item)
        raise(ErrNoSuchMember);
    args.expect(1, 1);
    assign(args[0], value, isSet);
}

std::unique_ptr<Enumerator> AspContents::enumerate()
{
    QStringList names;
    for (const auto &pair : m_values)
        names.append(pair.first);
    return std::make_unique<NameEnumerator>(names);
}

} // namespace preview
