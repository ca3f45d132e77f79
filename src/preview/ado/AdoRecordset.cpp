#include "AdoRecordset.h"

#include "AdoComponents.h"
#include "AdoConnection.h"

#include "data/Database.h"
#include "data/Recordset.h"

#include <cmath>

namespace preview {

using namespace vbs;
using namespace ado;

namespace {

const MemberTable kMembers{
    "Open", "Close", "EOF", "BOF", "MoveFirst", "MoveNext", "MovePrevious", "MoveLast", "Move",
    "RecordCount", "Fields", "AddNew", "Update", "Delete", "CancelUpdate", "GetRows", "State",
    "PageSize", "AbsolutePage", "PageCount", "AbsolutePosition", "ActiveConnection", "CursorType",
    "LockType", "CursorLocation", "Source", "Requery", "Item", "Filter", "Sort", "GetString", "Find",
    "Supports"};
enum Member {
    Open = 1, Close, Eof, Bof, MoveFirst, MoveNext, MovePrevious, MoveLast, Move, RecordCount,
    Fields, AddNew, Update, Delete, CancelUpdate, GetRows, State, PageSize, AbsolutePage, PageCount,
    AbsolutePosition, ActiveConnection, CursorType, LockType, CursorLocation, Source, Requery, Item,
    Filter, Sort, GetString, Find, Supports
};

// Recordset.Supports options.
constexpr int adHoldRecords = 0x100;
constexpr int adMovePrevious = 0x200;
constexpr int adAddNew = 0x1000400;
constexpr int adDelete = 0x1000800;
constexpr int adUpdate = 0x1008000;
constexpr int adBookmark = 0x2000;
constexpr int adApproxPosition = 0x4000;
constexpr int adResync = 0x20000;
constexpr int adFind = 0x80000;
// Find directions.
constexpr int adSearchBackward = -1;

const MemberTable kFieldsMembers{"Count", "Item"};
const MemberTable kFieldMembers{"Value", "Name", "Type", "OriginalValue", "DefinedSize", "ActualSize"};

// ADO data type codes.
constexpr int adInteger = 3;
constexpr int adDouble = 5;
constexpr int adDate = 7;
constexpr int adBoolean = 11;
constexpr int adVarWChar = 202;
constexpr int adLongVarBinary = 205;

const QString kClosedText = QStringLiteral("Operazione non consentita quando l'oggetto è chiuso.");
const QString kNoRecordText = QStringLiteral(
    "BOF o EOF è True oppure il record corrente è stato eliminato. L'operazione richiesta richiede un record corrente.");

template <typename F>
auto guarded(F &&f) -> decltype(f())
{
    try {
        return f();
    } catch (const DataError &e) {
        raiseData(e);
    }
}

int argInt(const CallArgs &args, int i, int fallback)
{
    if (args.isMissing(i))
        return fallback;
    return defaultValue(args[i]).toLong();
}

class FieldEnumerator : public Enumerator {
public:
    FieldEnumerator(AdoRecordset *rs, int count) : m_rs(rs), m_count(count) {}
    bool next(Variant &out) override
    {
        if (m_pos >= m_count)
            return false;
        out = objectVariant(makeRef<AdoField>(m_rs.get(), m_pos++));
        return true;
    }

private:
    Ref<AdoRecordset> m_rs;
    int m_count;
    int m_pos = 0;
};

} // namespace

AdoRecordset::AdoRecordset(QStringList fileRoots) : m_fileRoots(std::move(fileRoots)) {}

AdoRecordset::~AdoRecordset() = default;

int AdoRecordset::findMember(const QString &name) const { return kMembers.find(name); }
const void *AdoRecordset::memberKey() const { return &kMembers; }

bool AdoRecordset::isOpen() const
{
    return m_rs && m_rs->isOpen() && m_db && m_db->isOpen();
}

Recordset &AdoRecordset::rs() const
{
    if (!isOpen())
        raiseAdo(ErrObjectClosed, kClosedText);
    return *m_rs;
}

void AdoRecordset::openOn(std::shared_ptr<Database> db, const QString &source, int cursorType,
                          int lockType, int cursorLocation)
{
    if (isOpen())
        raiseAdo(ErrObjectOpen, QStringLiteral("Operazione non consentita quando l'oggetto è aperto."));
    m_rs.reset();
    m_db = std::move(db);
    m_source = source;
    m_cursorType = cursorType;
    m_lockType = lockType;
    m_cursorLocation = cursorLocation;
    auto set = std::make_unique<Recordset>(*m_db);
    set->setFilter(m_filter);
    set->setSort(m_sort);
    guarded([&] { set->open(source.trimmed()); });
    m_rs = std::move(set);
}

void AdoRecordset::open(CallArgs &args)
{
    args.expect(0, 5);
    const QString source = args.isMissing(0) ? m_source : defaultValue(args[0]).toText();
    if (!args.isMissing(1)) {
        const Variant &conn = args[1];
        if (conn.isObject() && dynamic_cast<AdoConnection *>(conn.objectValue())) {
            m_connection = Ref<AdoConnection>(static_cast<AdoConnection *>(conn.objectValue()));
        } else {
            Ref<AdoConnection> c = makeRef<AdoConnection>(m_fileRoots);
            c->open(defaultValue(conn).toText());
            m_connection = c;
        }
    }
    if (!m_connection)
        raiseAdo(ErrArgumentsWrong, QStringLiteral("Connessione non specificata."));
    const int cursorType = argInt(args, 2, m_cursorType);
    const int lockType = argInt(args, 3, m_lockType);
    openOn(m_connection->database(), source, cursorType, lockType, m_cursorLocation);
}

void AdoRecordset::close()
{
    rs();
    if (m_rs->editMode() != Recordset::EditMode::None)
        guarded([&] { m_rs->cancelUpdate(); });
    m_rs.reset();
    m_db.reset();
}

void AdoRecordset::commitPending()
{
    if (m_rs && m_rs->editMode() != Recordset::EditMode::None) {
        const bool adding = m_rs->editMode() == Recordset::EditMode::AddNew;
        guarded([&] { m_rs->update(); });
        if (adding)
            guarded([&] { m_rs->setBookmark(m_rs->lastModifiedBookmark()); });
    }
}

void AdoRecordset::move(int kind)
{
    Recordset &set = rs();
    commitPending();
    guarded([&] {
        switch (kind) {
        case MoveFirst: set.moveFirst(); break;
        case MoveLast: set.moveLast(); break;
        case MoveNext:
            if (set.isEOF())
                raiseAdo(ErrNoCurrentRecord, kNoRecordText);
            set.moveNext();
            break;
        case MovePrevious:
            if (set.isBOF())
                raiseAdo(ErrNoCurrentRecord, kNoRecordText);
            set.movePrev();
            break;
        }
    });
}

int AdoRecordset::recordCount() const
{
    Recordset &set = rs();
    if (m_cursorType == adOpenForwardOnly && m_cursorLocation != adUseClient)
        return -1;
    return guarded([&] { return set.recordCount(); });
}

int AdoRecordset::fieldCount() const
{
    return guarded([&] { return rs().fieldCount(); });
}

int AdoRecordset::fieldIndex(const Variant &key0) const
{
    const Variant key = defaultValue(key0);
    Recordset &set = rs();
    int index = -1;
    if (key.isNumericType()) {
        index = key.toLong();
        if (index >= set.fieldCount())
            index = -1;
    } else {
        index = set.fieldIndex(key.toText());
    }
    if (index < 0)
        raiseAdo(ErrNotFoundInCollection,
                 QStringLiteral("Impossibile trovare l'elemento nell'insieme corrispondente al nome o al numero ordinale richiesto."));
    return index;
}

QString AdoRecordset::fieldName(int index) const
{
    return guarded([&] { return rs().fieldNames().value(index); });
}

int AdoRecordset::fieldType(int index) const
{
    Recordset &set = rs();
    const QString table = set.tableName();
    if (!table.isEmpty()) {
        const QString name = fieldName(index);
        for (const ColumnInfo &c : set.database().cachedColumns(table)) {
            if (c.name.compare(name, Qt::CaseInsensitive) != 0)
                continue;
            switch (c.kind) {
            case ColumnKind::Integer: return adInteger;
            case ColumnKind::Real: return adDouble;
            case ColumnKind::Bool: return adBoolean;
            case ColumnKind::DateTime: return adDate;
            case ColumnKind::Blob: return adLongVarBinary;
            default: return adVarWChar;
            }
        }
    }
    if (set.isEOF() || set.isBOF())
        return adVarWChar;
    const QVariant v = guarded([&] { return set.value(index); });
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong: return adInteger;
    case QMetaType::Double: return adDouble;
    case QMetaType::Bool: return adBoolean;
    case QMetaType::QDateTime: return adDate;
    default: return adVarWChar;
    }
}

Variant AdoRecordset::fieldValue(int index) const
{
    Recordset &set = rs();
    if (set.editMode() == Recordset::EditMode::None && (set.isEOF() || set.isBOF()))
        raiseAdo(ErrNoCurrentRecord, kNoRecordText);
    return guarded([&] { return fromQVariant(set.value(index)); });
}

void AdoRecordset::requireUpdatable() const
{
    if (m_lockType == adLockReadOnly || !rs().canUpdate())
        raiseAdo(ErrNotUpdatable, QStringLiteral("Il recordset corrente non supporta l'aggiornamento."));
}

void AdoRecordset::setFieldValue(int index, const Variant &value)
{
    Recordset &set = rs();
    requireUpdatable();
    const QVariant v = toQVariant(value);
    guarded([&] {
        if (set.editMode() == Recordset::EditMode::None) {
            if (set.isEOF() || set.isBOF())
                raiseAdo(ErrNoCurrentRecord, kNoRecordText);
            set.edit();
        }
        set.setValue(index, v);
    });
}

Variant AdoRecordset::fieldObject(const Variant &key)
{
    return objectVariant(makeRef<AdoField>(this, fieldIndex(key)));
}

Variant AdoRecordset::getRows(CallArgs &args)
{
    Recordset &set = rs();
    commitPending();
    const int wanted = argInt(args, 0, -1);
    const int fields = set.fieldCount();
    std::vector<std::vector<Variant>> rows;
    guarded([&] {
        while (!set.isEOF() && (wanted < 0 || int(rows.size()) < wanted)) {
            std::vector<Variant> row;
            row.reserve(size_t(fields));
            for (int f = 0; f < fields; ++f)
                row.push_back(fromQVariant(set.value(f)));
            rows.push_back(std::move(row));
            set.moveNext();
        }
    });
    if (rows.empty())
        raiseAdo(ErrNoCurrentRecord, kNoRecordText);
    auto *array = new ArrayData({ArrayBound{0, fields}, ArrayBound{0, int32_t(rows.size())}});
    Variant result = Variant::array(array);
    array->items.resize(size_t(fields) * rows.size());
    for (size_t r = 0; r < rows.size(); ++r)
        for (int f = 0; f < fields; ++f)
            array->items[r * size_t(fields) + size_t(f)] = rows[r][size_t(f)];
    return result;
}

Variant AdoRecordset::call(int id, CallArgs &args, bool)
{
    switch (id) {
    case Open:
        open(args);
        return {};
    case Close:
        args.expect(0, 0);
        close();
        return {};
    case Eof:
        args.expect(0, 0);
        return Variant(guarded([&] { return rs().isEOF(); }));
    case Bof:
        args.expect(0, 0);
        return Variant(guarded([&] { return rs().isBOF(); }));
    case MoveFirst:
    case MoveNext:
    case MovePrevious:
    case MoveLast:
        args.expect(0, 0);
        move(id);
        return {};
    case Move: {
        args.expect(1, 2);
        Recordset &set = rs();
        commitPending();
        const int steps = args[0].toLong();
        guarded([&] {
            const int base = argInt(args, 1, 0) == 1 ? -1 : set.absolutePosition();
            if (base < 0 && argInt(args, 1, 0) != 1 && steps != 0)
                raiseAdo(ErrNoCurrentRecord, kNoRecordText);
            const int target = base + steps;
            const int count = set.recordCount();
            if (target < 0) {
                set.moveFirst();
                if (!set.isEOF())
                    set.movePrev();
            } else if (target >= count) {
                set.moveLast();
                if (!set.isBOF())
                    set.moveNext();
            } else {
                set.setAbsolutePosition(target);
            }
        });
        return {};
    }
    case RecordCount:
        args.expect(0, 0);
        return Variant(int32_t(recordCount()));
    case Fields:
        if (args.isEmpty())
            return objectVariant(makeRef<AdoFields>(this));
        args.expect(1, 1);
        return fieldObject(args[0]);
    case kDefaultMember:
    case Item:
        args.expect(1, 1);
        return fieldObject(args[0]);
    case AddNew: {
        args.expect(0, 2);
        Recordset &set = rs();
        requireUpdatable();
        commitPending();
        guarded([&] { set.addNew(); });
        if (!args.isMissing(0)) {
            const Variant names = args[0];
            const Variant values = args.isMissing(1) ? Variant() : args[1];
            if (names.isArray() && values.isArray()) {
                const auto &n = names.arrayValue()->items;
                const auto &v = values.arrayValue()->items;
                if (n.size() != v.size())
                    raiseAdo(ErrArgumentsWrong, QStringLiteral("Gli elenchi di campi e valori non corrispondono."));
                for (size_t i = 0; i < n.size(); ++i)
                    setFieldValue(fieldIndex(n[i]), v[i]);
            } else {
                setFieldValue(fieldIndex(names), values);
            }
            commitPending();
        }
        return {};
    }
    case Update:
        args.expect(0, 2);
        rs();
        if (!args.isMissing(0))
            setFieldValue(fieldIndex(args[0]), args.isMissing(1) ? Variant() : args[1]);
        commitPending();
        return {};
    case Delete: {
        args.expect(0, 1);
        Recordset &set = rs();
        requireUpdatable();
        if (set.isEOF() || set.isBOF())
            raiseAdo(ErrNoCurrentRecord, kNoRecordText);
        guarded([&] { set.deleteCurrent(); });
        return {};
    }
    case CancelUpdate: {
        args.expect(0, 0);
        Recordset &set = rs();
        if (set.editMode() != Recordset::EditMode::None)
            guarded([&] { set.cancelUpdate(); });
        return {};
    }
    case GetRows:
        args.expect(0, 3);
        return getRows(args);
    case State:
        args.expect(0, 0);
        return Variant(int32_t(isOpen() ? 1 : 0));
    case PageSize:
        args.expect(0, 0);
        return Variant(int32_t(m_pageSize));
    case AbsolutePage: {
        args.expect(0, 0);
        const int pos = guarded([&] { return rs().absolutePosition(); });
        return Variant(int32_t(pos < 0 ? -1 : pos / m_pageSize + 1));
    }
    case PageCount: {
        args.expect(0, 0);
        const int count = recordCount();
        if (count < 0)
            return Variant(int32_t(-1));
        return Variant(int32_t((count + m_pageSize - 1) / m_pageSize));
    }
    case AbsolutePosition: {
        args.expect(0, 0);
        const int pos = guarded([&] { return rs().absolutePosition(); });
        return Variant(int32_t(pos < 0 ? -1 : pos + 1));
    }
    case ActiveConnection:
        args.expect(0, 0);
        return m_connection ? objectVariant(m_connection) : Variant::nothing();
    case CursorType:
        args.expect(0, 0);
        return Variant(int32_t(m_cursorType));
    case LockType:
        args.expect(0, 0);
        return Variant(int32_t(m_lockType));
    case CursorLocation:
        args.expect(0, 0);
        return Variant(int32_t(m_cursorLocation));
    case Source:
        args.expect(0, 0);
        return Variant(m_source);
    case Requery:
        args.expect(0, 1);
        commitPending();
        guarded([&] { rs().requery(); });
        return {};
    case Filter:
        args.expect(0, 0);
        return m_filter.isEmpty() ? Variant(int32_t(0)) : Variant(m_filter);
    case Sort:
        args.expect(0, 0);
        return Variant(m_sort);
    case GetString:
        args.expect(0, 5);
        return getString(args);
    case Find:
        args.expect(1, 4);
        find(args);
        return {};
    case Supports: {
        args.expect(1, 1);
        const int wanted = args[0].toLong();
        return Variant((supportedOptions() & wanted) == wanted);
    }
    default:
        raise(ErrNoSuchMember);
    }
}

int AdoRecordset::supportedOptions() const
{
    Recordset &set = rs();
    int options = adHoldRecords | adFind;
    const bool scrollable = m_cursorType != adOpenForwardOnly || m_cursorLocation == adUseClient;
    if (scrollable)
        options |= adMovePrevious | adBookmark | adApproxPosition | adResync;
    if (m_lockType != adLockReadOnly && set.canUpdate())
        options |= adAddNew | adDelete | adUpdate;
    return options;
}

void AdoRecordset::applyFilterAndSort()
{
    Recordset &set = rs();
    commitPending();
    set.setFilter(m_filter);
    set.setSort(m_sort);
    guarded([&] {
        set.requery();
        if (!set.isEOF())
            set.moveFirst();
    });
}

Variant AdoRecordset::getString(CallArgs &args)
{
    Recordset &set = rs();
    commitPending();
    if (argInt(args, 0, 2) != 2)
        raiseAdo(ErrArgumentsWrong, QStringLiteral("GetString accetta solo il formato adClipString (2)."));
    const int rows = argInt(args, 1, -1);
    const QString columnDelimiter = args.isMissing(2) ? QStringLiteral("\t") : defaultValue(args[2]).toText();
    const QString rowDelimiter = args.isMissing(3) ? QStringLiteral("\r") : defaultValue(args[3]).toText();
    const QString nullExpr = args.isMissing(4) ? QString() : defaultValue(args[4]).toText();
    if (set.isEOF() || set.isBOF())
        raiseAdo(ErrNoCurrentRecord, kNoRecordText);
    const int fields = set.fieldCount();
    QString out;
    int done = 0;
    guarded([&] {
        while (!set.isEOF() && (rows <= 0 || done < rows)) {
            for (int f = 0; f < fields; ++f) {
                const Variant v = fromQVariant(set.value(f));
                out += v.isNull() ? nullExpr : v.toText();
                out += f + 1 < fields ? columnDelimiter : rowDelimiter;
            }
            ++done;
            set.moveNext();
        }
    });
    return Variant(out);
}

void AdoRecordset::find(CallArgs &args)
{
    Recordset &set = rs();
    commitPending();
    const QString criteria = defaultValue(args[0]).toText();
    const int skip = argInt(args, 1, 0);
    const bool backward = argInt(args, 2, 1) == adSearchBackward;
    if (criteria.trimmed().isEmpty())
        raiseAdo(ErrArgumentsWrong, QStringLiteral("Criterio di ricerca vuoto."));
    guarded([&] {
        const int count = set.recordCount();
        int pos = set.absolutePosition();
        if (pos < 0)
            pos = set.isEOF() && !set.isBOF() ? count : -1;
        if (pos < 0 && set.isBOF() && !backward)
            pos = 0;
        // The search starts skip rows away from the current row, that row included.
        const int start = backward ? pos - skip : pos + skip;
        bool found = false;
        if (!backward) {
            if (start <= 0) {
                found = set.findFirst(criteria);
            } else if (start < count) {
                set.setAbsolutePosition(start - 1);
                found = set.findNext(criteria);
            }
            if (!found && count > 0) {
                set.moveLast();
                set.moveNext();
            }
        } else {
            if (start >= count - 1) {
                found = set.findLast(criteria);
            } else if (start >= 0) {
                set.setAbsolutePosition(start + 1);
                found = set.findPrev(criteria);
            }
            if (!found && count > 0) {
                set.moveFirst();
                set.movePrev();
            }
        }
    });
}

void AdoRecordset::put(int id, CallArgs &args, const Variant &value, bool isSet)
{
    switch (id) {
    case kDefaultMember:
    case Item:
    case Fields:
        args.expect(1, 1);
        setFieldValue(fieldIndex(args[0]), value);
        return;
    case ActiveConnection:
        args.expect(0, 0);
        if (value.isObject() && dynamic_cast<AdoConnection *>(value.objectValue())) {
            m_connection = Ref<AdoConnection>(static_cast<AdoConnection *>(value.objectValue()));
        } else if (!isSet) {
            Ref<AdoConnection> c = makeRef<AdoConnection>(m_fileRoots);
            c->open(value.toText());
            m_connection = c;
        } else {
            raise(ErrTypeMismatch);
        }
        return;
    case Source:
        args.expect(0, 0);
        m_source = value.toText();
        return;
    case CursorType:
        args.expect(0, 0);
        m_cursorType = value.toLong();
        return;
    case LockType:
        args.expect(0, 0);
        m_lockType = value.toLong();
        return;
    case CursorLocation:
        args.expect(0, 0);
        m_cursorLocation = value.toLong();
        return;
    case Filter: {
        args.expect(0, 0);
        const Variant v = defaultValue(value);
        if (v.isArray())
            raiseAdo(ErrArgumentsWrong, QStringLiteral("Un filtro di segnalibri non è supportato."));
        m_filter = v.isNumericType() && v.toLong() == 0 ? QString() : v.toText().trimmed();
        if (isOpen())
            applyFilterAndSort();
        return;
    }
    case Sort:
        args.expect(0, 0);
        m_sort = defaultValue(value).toText().trimmed();
        if (isOpen())
            applyFilterAndSort();
        return;
    case PageSize: {
        args.expect(0, 0);
        const int size = value.toLong();
        if (size <= 0)
            raiseAdo(ErrArgumentsWrong, QStringLiteral("Valore di PageSize non valido."));
        m_pageSize = size;
        return;
    }
    case AbsolutePage:
    case AbsolutePosition: {
        args.expect(0, 0);
        Recordset &set = rs();
        commitPending();
        const int n = value.toLong();
        const int target = id == AbsolutePage ? (n - 1) * m_pageSize : n - 1;
        guarded([&] {
            if (target < 0 || target >= set.recordCount())
                raiseAdo(ErrArgumentsWrong, QStringLiteral("Posizione fuori dall'intervallo consentito."));
            set.setAbsolutePosition(target);
        });
        return;
    }
    default:
        raise(ErrNoSuchMember);
    }
}

std::unique_ptr<Enumerator> AdoRecordset::enumerate()
{
    return std::make_unique<FieldEnumerator>(this, fieldCount());
}

// --- Fields -----------------------------------------------------------------

int AdoFields::findMember(const QString &name) const { return kFieldsMembers.find(name); }
const void *AdoFields::memberKey() const { return &kFieldsMembers; }

Variant AdoFields::call(int id, CallArgs &args, bool)
{
    switch (id) {
    case 1:
        args.expect(0, 0);
        return Variant(int32_t(m_rs->fieldCount()));
    case kDefaultMember:
    case 2:
        args.expect(1, 1);
        return objectVariant(makeRef<AdoField>(m_rs.get(), m_rs->fieldIndex(args[0])));
    default:
        raise(ErrNoSuchMember);
    }
}

void AdoFields::put(int id, CallArgs &args, const Variant &value, bool)
{
    if (id != kDefaultMember && id != 2)
        raise(ErrNoSuchMember);
    args.expect(1, 1);
    m_rs->setFieldValue(m_rs->fieldIndex(args[0]), value);
}

std::unique_ptr<Enumerator> AdoFields::enumerate()
{
    return std::make_unique<FieldEnumerator>(m_rs.get(), m_rs->fieldCount());
}

// --- Field ------------------------------------------------------------------

int AdoField::findMember(const QString &name) const { return kFieldMembers.find(name); }
const void *AdoField::memberKey() const { return &kFieldMembers; }

Variant AdoField::call(int id, CallArgs &args, bool)
{
    args.expect(0, 0);
    switch (id) {
    case kDefaultMember:
    case 1:
    case 4:
        return m_rs->fieldValue(m_index);
    case 2:
        return Variant(m_rs->fieldName(m_index));
    case 3:
        return Variant(int32_t(m_rs->fieldType(m_index)));
    case 5:
    case 6: {
        const Variant v = m_rs->fieldValue(m_index);
        return Variant(int32_t(v.isNull() ? 0 : v.toText().size()));
    }
    default:
        raise(ErrNoSuchMember);
    }
}

void AdoField::put(int id, CallArgs &args, const Variant &value, bool)
{
    if (id != kDefaultMember && id != 1)
        raise(ErrNoSuchMember);
    args.expect(0, 0);
    m_rs->setFieldValue(m_index, value);
}

} // namespace preview
