#include "AdoCommand.h"

#include "AdoComponents.h"
#include "AdoConnection.h"

namespace preview {

using namespace vbs;
using namespace ado;

namespace {

const MemberTable kParamMembers{"Value", "Name", "Type", "Direction", "Size"};
const MemberTable kParamsMembers{"Count", "Item", "Append", "Refresh"};
const MemberTable kMembers{"ActiveConnection", "CommandText", "CommandType", "Parameters",
                           "CreateParameter", "Execute", "Prepared", "CommandTimeout"};
enum Member { ActiveConnection = 1, CommandText, CommandType, Parameters, CreateParameter, Execute,
              Prepared, CommandTimeout };

const QString kNotFound = QStringLiteral(
    "Impossibile trovare l'elemento nell'insieme corrispondente al nome o al numero ordinale richiesto.");

} // namespace

// --- Parameter ----------------------------------------------------------------

int AdoParameter::findMember(const QString &n) const { return kParamMembers.find(n); }
const void *AdoParameter::memberKey() const { return &kParamMembers; }

Variant AdoParameter::call(int id, CallArgs &args, bool)
{
    args.expect(0, 0);
    switch (id) {
    case kDefaultMember:
    case 1: return value;
    case 2: return Variant(name);
    case 3: return Variant(int32_t(type));
    case 4: return Variant(int32_t(direction));
    case 5: return Variant(int32_t(size));
    default: raise(ErrNoSuchMember);
    }
}

void AdoParameter::put(int id, CallArgs &args, const Variant &v, bool)
{
    args.expect(0, 0);
    switch (id) {
    case kDefaultMember:
    case 1: value = defaultValue(v); return;
    case 2: name = v.toText(); return;
    case 3: type = v.toLong(); return;
    case 4: direction = v.toLong(); return;
    case 5: size = v.toLong(); return;
    default: raise(ErrNoSuchMember);
    }
}

// --- Parameters ---------------------------------------------------------------

int AdoParameters::findMember(const QString &n) const { return kParamsMembers.find(n); }
const void *AdoParameters::memberKey() const { return &kParamsMembers; }

int AdoParameters::indexOf(const Variant &key0, bool grow)
{
    const Variant key = defaultValue(key0);
    if (key.isNumericType()) {
        const int index = key.toLong();
        if (index < 0 || index > 1000)
            raiseAdo(ErrNotFoundInCollection, kNotFound);
        while (grow && int(items.size()) <= index)
            items.push_back(makeRef<AdoParameter>());
        if (index >= int(items.size()))
            raiseAdo(ErrNotFoundInCollection, kNotFound);
        return index;
    }
    const QString name = key.toText();
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i]->name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    raiseAdo(ErrNotFoundInCollection, kNotFound);
}

Variant AdoParameters::call(int id, CallArgs &args, bool)
{
    switch (id) {
    case 1:
        args.expect(0, 0);
        return Variant(int32_t(items.size()));
    case kDefaultMember:
    case 2:
        args.expect(1, 1);
        return objectVariant(items[size_t(indexOf(args[0], false))]);
    case 3: {
        args.expect(1, 1);
        auto *p = args[0].isObject() ? dynamic_cast<AdoParameter *>(args[0].objectValue()) : nullptr;
        if (!p)
            raise(ErrTypeMismatch);
        items.push_back(Ref<AdoParameter>(p));
        return {};
    }
    case 4:
        args.expect(0, 0);
        return {};
    default:
        raise(ErrNoSuchMember);
    }
}

void AdoParameters::put(int id, CallArgs &args, const Variant &value, bool)
{
    if (id != kDefaultMember && id != 2)
        raise(ErrNoSuchMember);
    args.expect(1, 1);
    items[size_t(indexOf(args[0], true))]->value = defaultValue(value);
}

std::unique_ptr<Enumerator> AdoParameters::enumerate()
{
    struct It : Enumerator {
        std::vector<Ref<AdoParameter>> items;
        size_t pos = 0;
        bool next(Variant &out) override
        {
            if (pos >= items.size())
                return false;
            out = objectVariant(items[pos++]);
            return true;
        }
    };
    auto it = std::make_unique<It>();
    it->items = items;
    return it;
}

// --- Command ------------------------------------------------------------------

AdoCommand::AdoCommand(QStringList fileRoots)
    : m_fileRoots(std::move(fileRoots)), m_parameters(makeRef<AdoParameters>())
{
}

int AdoCommand::findMember(const QString &n) const { return kMembers.find(n); }
const void *AdoCommand::memberKey() const { return &kMembers; }

QString AdoCommand::bind(const QString &text, const std::vector<Variant> &values)
{
    QString out;
    out.reserve(text.size() + 16 * int(values.size()));
    size_t next = 0;
    QChar quote;
    for (const QChar c : text) {
        if (!quote.isNull()) {
            out += c;
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
        } else if (c == QLatin1Char('[')) {
            quote = QLatin1Char(']');
        } else if (c == QLatin1Char('?')) {
            if (next >= values.size())
                raiseAdo(ErrArgumentsWrong, QStringLiteral("Nessun valore per uno o più parametri richiesti."));
            out += sqlLiteral(values[next++]);
            continue;
        }
        out += c;
    }
    if (next != values.size())
        raiseAdo(ErrArgumentsWrong, QStringLiteral("Il numero dei parametri non corrisponde al testo del comando."));
    return out;
}

Variant AdoCommand::call(int id, CallArgs &args, bool)
{
    switch (id) {
    case ActiveConnection:
        args.expect(0, 0);
        return m_connection ? objectVariant(m_connection) : Variant::nothing();
    case CommandText:
        args.expect(0, 0);
        return Variant(m_text);
    case CommandType:
        args.expect(0, 0);
        return Variant(int32_t(m_type));
    case Parameters:
        if (args.isEmpty())
            return objectVariant(m_parameters);
        return m_parameters->call(kDefaultMember, args, true);
    case CreateParameter: {
        args.expect(0, 5);
        auto p = makeRef<AdoParameter>();
        if (!args.isMissing(0)) p->name = defaultValue(args[0]).toText();
        if (!args.isMissing(1)) p->type = args[1].toLong();
        if (!args.isMissing(2)) p->direction = args[2].toLong();
        if (!args.isMissing(3)) p->size = args[3].toLong();
        if (!args.isMissing(4)) p->value = defaultValue(args[4]);
        return objectVariant(p);
    }
    case Execute: {
        args.expect(0, 3);
        if (!m_connection)
            raiseAdo(ErrArgumentsWrong, QStringLiteral("Connessione non specificata."));
        std::vector<Variant> values;
        if (!args.isMissing(1) && args[1].isArray()) {
            values = args[1].arrayValue()->items;
        } else if (!args.isMissing(1)) {
            values.push_back(args[1]);
        } else {
            for (const auto &p : m_parameters->items)
                values.push_back(p->value);
        }
        int affected = 0;
        Variant result = m_connection->execute(bind(m_text, values), &affected);
        args.setRef(0, Variant(int32_t(affected)));
        return result;
    }
    case Prepared:
        args.expect(0, 0);
        return Variant(false);
    case CommandTimeout:
        args.expect(0, 0);
        return Variant(int32_t(30));
    default:
        raise(ErrNoSuchMember);
    }
}

void AdoCommand::put(int id, CallArgs &args, const Variant &value, bool isSet)
{
    if (id == Parameters) {
        m_parameters->put(kDefaultMember, args, value, isSet);
        return;
    }
    args.expect(0, 0);
    switch (id) {
    case ActiveConnection:
        if (value.isObject() && dynamic_cast<AdoConnection *>(value.objectValue())) {
            m_connection = Ref<AdoConnection>(static_cast<AdoConnection *>(value.objectValue()));
        } else if (!isSet) {
            auto c = makeRef<AdoConnection>(m_fileRoots);
            c->open(value.toText());
            m_connection = c;
        } else {
            raise(ErrTypeMismatch);
        }
        return;
    case CommandText:
        m_text = value.toText();
        return;
    case CommandType:
        m_type = value.toLong();
        return;
    case Prepared:
    case CommandTimeout:
        return;
    default:
        raise(ErrNoSuchMember);
    }
}

} // namespace preview
