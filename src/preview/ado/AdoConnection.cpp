#include "AdoConnection.h"

#include "AdoComponents.h"
#include "AdoRecordset.h"
#include "DatabasePool.h"

#include "data/Database.h"
#include "script/components/FileSystemObject.h"

#include <QFileInfo>

namespace preview {

using namespace vbs;
using namespace ado;

namespace {

const MemberTable kMembers{"Open", "Close", "Execute", "BeginTrans", "CommitTrans", "RollbackTrans",
                           "State", "ConnectionString", "CursorLocation", "Provider"};
enum Member {
    Open = 1, Close, Execute, BeginTrans, CommitTrans, RollbackTrans, State, ConnectionString,
    CursorLocation, Provider
};

} // namespace

AdoConnection::AdoConnection(QStringList fileRoots) : m_fileRoots(std::move(fileRoots)) {}

AdoConnection::~AdoConnection()
{
    try {
        close();
    } catch (...) {
        // Nothing can be reported once the page has let go of the object.
    }
}

int AdoConnection::findMember(const QString &name) const { return kMembers.find(name); }
const void *AdoConnection::memberKey() const { return &kMembers; }

QString AdoConnection::dataSource(const QString &connectionString)
{
    const QStringList parts = connectionString.split(QLatin1Char(';'));
    for (const QString &part : parts) {
        const qsizetype eq = part.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        const QString key = part.left(eq).trimmed().toLower();
        if (key == QLatin1String("data source") || key == QLatin1String("dbq")) {
            QString value = part.mid(eq + 1).trimmed();
            if (value.size() >= 2 && (value.startsWith(QLatin1Char('"')) || value.startsWith(QLatin1Char('\'')))
                && value.endsWith(value.front()))
                value = value.mid(1, value.size() - 2);
            return value;
        }
    }
    return {};
}

bool AdoConnection::isOpen() const
{
    return m_db && m_db->isOpen();
}

std::shared_ptr<Database> AdoConnection::database() const
{
    if (!isOpen())
        raiseAdo(ErrObjectClosed, QStringLiteral("Operazione non consentita quando l'oggetto è chiuso."));
    return m_db;
}

void AdoConnection::open(const QString &connectionString)
{
    if (isOpen())
        raiseAdo(ErrObjectOpen, QStringLiteral("Operazione non consentita quando l'oggetto è aperto."));
    QString source = dataSource(connectionString);
    if (source.isEmpty())
        raiseAdo(ErrProvider, QStringLiteral("Origine dati non specificata nella stringa di connessione."));
    // Raises "Permission denied" for a file outside the site's folders.
    const QString path = FileAccess(m_fileRoots).resolve(source);
    if (!QFileInfo(path).isFile())
        raiseAdo(ErrProvider, QStringLiteral("Impossibile trovare il file '%1'.").arg(source));
    try {
        m_db = DatabasePool::acquire(QFileInfo(path).canonicalFilePath());
    } catch (const DataError &e) {
        raiseData(e);
    }
    m_connectionString = connectionString;
    m_transactionLevel = 0;
}

void AdoConnection::close()
{
    if (!m_db)
        return;
    try {
        while (m_transactionLevel > 0 && m_db->isOpen()) {
            m_db->rollback();
            --m_transactionLevel;
        }
    } catch (const DataError &) {
        m_transactionLevel = 0;
    }
    m_transactionLevel = 0;
    // Record sets still open on it keep the connection until they go.
    m_db.reset();
}

Variant AdoConnection::execute(const QString &sql, int *recordsAffected)
{
    std::shared_ptr<Database> db = database();
    if (sql.trimmed().startsWith(QLatin1String("select"), Qt::CaseInsensitive)) {
        Ref<AdoRecordset> rs = makeRef<AdoRecordset>(m_fileRoots);
        rs->openOn(db, sql, adOpenForwardOnly, adLockReadOnly, m_cursorLocation);
        if (recordsAffected)
            *recordsAffected = -1;
        return objectVariant(rs);
    }
    int n = 0;
    try {
        n = db->execute(sql);
    } catch (const DataError &e) {
        raiseData(e);
    }
    if (recordsAffected)
        *recordsAffected = n;
    return objectVariant(makeRef<AdoRecordset>(m_fileRoots));
}

Variant AdoConnection::call(int id, CallArgs &args, bool)
{
    switch (id) {
    case Open: {
        args.expect(0, 4);
        const QString text = args.isMissing(0) ? m_connectionString : defaultValue(args[0]).toText();
        open(text);
        return {};
    }
    case Close:
        args.expect(0, 0);
        if (!isOpen())
            raiseAdo(ErrObjectClosed, QStringLiteral("Operazione non consentita quando l'oggetto è chiuso."));
        close();
        return {};
    case Execute: {
        args.expect(1, 3);
        int affected = 0;
        Variant result = execute(defaultValue(args[0]).toText(), &affected);
        args.setRef(1, Variant(int32_t(affected)));
        return result;
    }
    case BeginTrans:
        args.expect(0, 0);
        try {
            database()->beginTransaction();
        } catch (const DataError &e) {
            raiseData(e);
        }
        return Variant(int32_t(++m_transactionLevel));
    case CommitTrans:
    case RollbackTrans: {
        args.expect(0, 0);
        std::shared_ptr<Database> db = database();
        if (m_transactionLevel == 0)
            raiseAdo(ErrNoTransaction, QStringLiteral("Nessuna transazione attiva."));
        try {
            if (id == CommitTrans)
                db->commit();
            else
                db->rollback();
        } catch (const DataError &e) {
            raiseData(e);
        }
        --m_transactionLevel;
        return {};
    }
    case State:
        args.expect(0, 0);
        return Variant(int32_t(isOpen() ? 1 : 0));
    case kDefaultMember:
    case ConnectionString:
        args.expect(0, 0);
        return Variant(m_connectionString);
    case CursorLocation:
        args.expect(0, 0);
        return Variant(int32_t(m_cursorLocation));
    case Provider:
        args.expect(0, 0);
        return Variant(QStringLiteral("Microsoft.Jet.OLEDB.4.0"));
    default:
        raise(ErrNoSuchMember);
    }
}

void AdoConnection::put(int id, CallArgs &args, const Variant &value, bool isSet)
{
    if (isSet || !args.isEmpty())
        raise(ErrNoSuchMember);
    switch (id) {
    case ConnectionString:
        if (isOpen())
            raiseAdo(ErrObjectOpen, QStringLiteral("Operazione non consentita quando l'oggetto è aperto."));
        m_connectionString = value.toText();
        return;
    case CursorLocation:
        m_cursorLocation = value.toLong();
        return;
    case Provider:
        return;
    default:
        raise(ErrNoSuchMember);
    }
}

} // namespace preview
