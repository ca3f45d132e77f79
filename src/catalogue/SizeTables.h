#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

class Database;

// The size tables offered to products (table ValoriTaglie): a name and the
// sizes, one a line in the Taglie text.
class SizeTables {
public:
    explicit SizeTables(Database &db);

    // ID and name of every table, in name order.
    QList<QPair<int, QString>> tables();
    QStringList sizes(int tableId);

    // "Campo obbligatorio!" for an empty name or size, else empty.
    static QString checkText(const QString &text);

    int addTable(const QString &name);
    void renameTable(int tableId, const QString &name);
    void setSizes(int tableId, const QStringList &sizes);
    // Deletes a table, logging it as deleted; products that used it go back
    // to no table (0, -1, -1).
    void deleteTable(int tableId);

private:
    Database &m_db;
};
