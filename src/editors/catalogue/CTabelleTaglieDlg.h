#pragma once

#include <QDialog>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

class Database;
class CValidatedEdit;
class QListWidget;

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

// The dialog "Tabelle Taglie": the list of tables ("Nome tabella") and the
// sizes of the selected one ("Dettaglio Taglie"), each with add, modify and
// delete buttons. Every change is written at once.
class CTabelleTaglieDlg : public QDialog {
    Q_OBJECT
public:
    CTabelleTaglieDlg(Database &db, QWidget *parent = nullptr);

    QListWidget *tableList() const { return m_tables; }
    QListWidget *sizeList() const { return m_sizes; }
    CValidatedEdit *tableNameEdit() const { return m_name; }
    CValidatedEdit *sizeEdit() const { return m_size; }
    SizeTables &sizeTables() { return m_data; }

    bool addTable();
    bool modifyTable();
    bool deleteTable();
    bool addSize();
    bool modifySize();
    bool deleteSize();

private:
    void loadTables(int selectId);
    void loadSizes();
    int currentTable() const;
    bool refused(const QString &text, CValidatedEdit *edit);

    SizeTables m_data;
    QListWidget *m_tables = nullptr;
    QListWidget *m_sizes = nullptr;
    CValidatedEdit *m_name = nullptr;
    CValidatedEdit *m_size = nullptr;
};
