#pragma once

#include "NavigationEditor.h"

class Recordset;

// A navigation editor's cursor over an open Recordset.
class RecordsetCursor : public RecordCursor {
public:
    explicit RecordsetCursor(Recordset &set) : m_set(set) {}

    bool isBOF() const override;
    bool isEOF() const override;
    void moveFirst() override;
    void moveNext() override;
    void movePrevious() override;
    void moveLast() override;
    int absolutePosition() const override;
    QString filter() const override;
    void setFilter(const QString &filter) override;
    void requery() override;
    bool seekId(qint32 id) override;

private:
    Recordset &m_set;
};
