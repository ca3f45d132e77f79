#include "AspFields.h"

#include "AspStringList.h"
#include "HttpRequestParser.h"

namespace preview {

using namespace vbs;

namespace {

const MemberTable kFieldMembers{"Name", "Value"};
const MemberTable kFieldsMembers{"Count", "Prova", "Item", "_NewEnum"};
enum FieldsMember { Count = 1, Prova, Item, NewEnum };

class FieldEnumerator : public Enumerator {
public:
    explicit FieldEnumerator(QList<QPair<QString, QStringList>> items) : m_items(std::move(items)) {}
    bool next(Variant &out) override
    {
        if (m_pos >= m_items.size())
            return false;
        const auto &pair = m_items[m_pos++];
        out = objectVariant(makeRef<AspField>(pair.first, pair.second.join(QLatin1Char(','))));
        return true;
    }

private:
    QList<QPair<QString, QStringList>> m_items;
    qsizetype m_pos = 0;
};

} // namespace

QString argText(const CallArgs &args, int index)
{
    if (args.isMissing(index))
        return {};
    return defaultValue(args[index]).toText();
}

int AspField::findMember(const QString &name) const { return kFieldMembers.find(name); }
const void *AspField::memberKey() const { return &kFieldMembers; }

Variant AspField::call(int id, CallArgs &args, bool)
{
    args.expect(0, 0);
    switch (id) {
    case kDefaultMember:
    case 1:
        return Variant(m_name);
    case 2:
        return Variant(m_value);
    default:
        raise(ErrNoSuchMember);
    }
}

int AspFields::findMember(const QString &name) const { return kFieldsMembers.find(name); }
const void *AspFields::memberKey() const { return &kFieldsMembers; }

Variant AspFields::call(int id, CallArgs &args, bool)
{
    switch (id) {
    case Count:
        args.expect(0, 0);
        return Variant(int16_t(m_items.size()));
    case Prova:
        args.expect(1, 1);
        return Variant(QStringLiteral("Hai passato #") + argText(args, 0) + QLatin1Char('#'));
    case kDefaultMember:
    case Item:
        args.expect(0, 1);
        return objectVariant(makeRef<AspStringList>(values(argText(args, 0))));
    case NewEnum:
        args.expect(0, 0);
        return objectVariant(Ref<Dispatch>(this));
    default:
        raise(ErrNoSuchMember);
    }
}

std::unique_ptr<Enumerator> AspFields::enumerate()
{
    return std::make_unique<FieldEnumerator>(m_items);
}

void AspFields::add(const QString &name, const QString &value)
{
    const QString key = name.toLower();
    const auto found = m_index.constFind(key);
    if (found != m_index.constEnd()) {
        m_items[*found].second.append(value);
        return;
    }
    if (m_items.size() >= HttpLimits::kMaxFormFields)
        return;
    m_index.insert(key, m_items.size());
    m_items.append({name, QStringList{value}});
}

QString AspFields::item(const QString &key) const
{
    return values(key).join(QLatin1Char(','));
}

QStringList AspFields::values(const QString &key) const
{
    const bool byPosition =
        key.isEmpty() || (key.front() >= QLatin1Char('0') && key.front() <= QLatin1Char('9'));
    qint64 position = 0;
    if (byPosition) {
        for (const QChar c : key) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                break;
            position = position * 10 + (c.unicode() - '0');
            if (position > m_items.size())
                return {};
        }
    }
    if (byPosition)
        return position >= 1 ? m_items[position - 1].second : QStringList();
    const auto found = m_index.constFind(key.toLower());
    return found == m_index.constEnd() ? QStringList() : m_items[*found].second;
}

} // namespace preview
