#pragma once

#include "catalogue/SizeTables.h"

#include <QDialog>

class Database;
class CValidatedEdit;
class QListWidget;

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
