#pragma once

#include "script/Dispatch.h"

#include <QStringList>

#include <memory>

class Database;

namespace preview {

// ADODB.Connection over one database file of the site. The connection
// string names it as "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=<path>"
// or "DRIVER={Microsoft Access Driver (*.mdb)};DBQ=<path>"; the path must lie
// inside the allowed folders. A transaction left open is rolled back when
// the connection closes.
class AdoConnection : public vbs::Dispatch {
public:
    explicit AdoConnection(QStringList fileRoots);
    ~AdoConnection() override;
    QString typeName() const override { return QStringLiteral("Connection"); }
    int findMember(const QString &name) const override;
    const void *memberKey() const override;
    vbs::Variant call(int id, vbs::CallArgs &args, bool wantResult) override;
    void put(int id, vbs::CallArgs &args, const vbs::Variant &value, bool isSet) override;

    void open(const QString &connectionString);
    void close();
    bool isOpen() const;
    // The open database, shared with the record sets made on it; raises
    // "object closed" when the connection is not open.
    std::shared_ptr<Database> database() const;
    // Runs a statement: a SELECT gives an open record set, anything else a
    // closed one (recordsAffected receives the rows changed).
    vbs::Variant execute(const QString &sql, int *recordsAffected);
    const QStringList &fileRoots() const { return m_fileRoots; }

    // The database path a connection string names ("" when it names none).
    static QString dataSource(const QString &connectionString);

private:
    QStringList m_fileRoots;
    QString m_connectionString;
    std::shared_ptr<Database> m_db;
    int m_transactionLevel = 0;
    int m_cursorLocation = 2;
};

} // namespace preview
