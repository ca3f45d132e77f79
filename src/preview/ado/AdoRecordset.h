#pragma once

#include "script/Dispatch.h"

#include <QStringList>

#include <memory>

class Database;
class Recordset;

namespace preview {

class AdoConnection;

// ADODB.Recordset over the data layer's dynaset. Editing follows ADO:
// assigning a field starts editing the current row, Update writes it, and
// moving to another row writes a pending edit first. After AddNew and
// Update the new row is current. A forward-only cursor (the default)
// reports RecordCount -1.
class AdoRecordset : public vbs::Dispatch {
public:
    explicit AdoRecordset(QStringList fileRoots);
    ~AdoRecordset() override;
    QString typeName() const override { return QStringLiteral("Recordset"); }
    int findMember(const QString &name) const override;
    const void *memberKey() const override;
    vbs::Variant call(int id, vbs::CallArgs &args, bool wantResult) override;
    void put(int id, vbs::CallArgs &args, const vbs::Variant &value, bool isSet) override;
    std::unique_ptr<vbs::Enumerator> enumerate() override;

    void openOn(std::shared_ptr<Database> db, const QString &source, int cursorType, int lockType,
                int cursorLocation);
    bool isOpen() const;
    // The open record set; raises "object closed" otherwise.
    Recordset &rs() const;

    // Fields by name (without regard to case) or 0-based position.
    int fieldIndex(const vbs::Variant &key) const;
    QString fieldName(int index) const;
    int fieldType(int index) const;
    vbs::Variant fieldValue(int index) const;
    void setFieldValue(int index, const vbs::Variant &value);
    int fieldCount() const;

private:
    void open(vbs::CallArgs &args);
    void close();
    void commitPending();
    void requireUpdatable() const;
    void move(int kind);
    vbs::Variant getRows(vbs::CallArgs &args);
    vbs::Variant getString(vbs::CallArgs &args);
    void find(vbs::CallArgs &args);
    int supportedOptions() const;
    // Filter and Sort take effect at once: the set is read again and the
    // first row becomes current.
    void applyFilterAndSort();
    vbs::Variant fieldObject(const vbs::Variant &key);
    int recordCount() const;

    QStringList m_fileRoots;
    vbs::Ref<AdoConnection> m_connection;  // set through ActiveConnection or Open
    QString m_source;
    int m_cursorType = 0;
    int m_lockType = 1;
    int m_cursorLocation = 2;
    int m_pageSize = 10;
    QString m_filter;
    QString m_sort;
    std::shared_ptr<Database> m_db;         // declared before m_rs: outlives it
    std::unique_ptr<Recordset> m_rs;
};

// Recordset.Fields.
class AdoFields : public vbs::Dispatch {
public:
    explicit AdoFields(AdoRecordset *rs) : m_rs(rs) {}
    QString typeName() const override { return QStringLiteral("Fields"); }
    int findMember(const QString &name) const override;
    const void *memberKey() const override;
    vbs::Variant call(int id, vbs::CallArgs &args, bool wantResult) override;
    void put(int id, vbs::CallArgs &args, const vbs::Variant &value, bool isSet) override;
    std::unique_ptr<vbs::Enumerator> enumerate() override;

private:
    vbs::Ref<AdoRecordset> m_rs;
};

// One field of the current row: Value (default), Name, Type.
class AdoField : public vbs::Dispatch {
public:
    AdoField(AdoRecordset *rs, int index) : m_rs(rs), m_index(index) {}
    QString typeName() const override { return QStringLiteral("Field"); }
    int findMember(const QString &name) const override;
    const void *memberKey() const override;
    vbs::Variant call(int id, vbs::CallArgs &args, bool wantResult) override;
    void put(int id, vbs::CallArgs &args, const vbs::Variant &value, bool isSet) override;

private:
    vbs::Ref<AdoRecordset> m_rs;
    int m_index;
};

} // namespace preview
