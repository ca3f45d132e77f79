#include "RecordsetCursor.h"

#include "data/Recordset.h"

bool RecordsetCursor::isBOF() const { return m_set.isBOF(); }
bool RecordsetCursor::isEOF() const { return m_set.isEOF(); }

void RecordsetCursor::moveFirst()
{
    if (m_set.recordCount() > 0)
        m_set.moveFirst();
}

void RecordsetCursor::moveNext()
{
    if (!m_set.isEOF())
        m_set.moveNext();
}

void RecordsetCursor::movePrevious()
{
    if (!m_set.isBOF())
        m_set.movePrev();
}

void RecordsetCursor::moveLast()
{
    if (m_set.recordCount() > 0)
        m_set.moveLast();
}

int RecordsetCursor::absolutePosition() const
{
    return m_set.absolutePosition();
}

QString RecordsetCursor::filter() const { return m_set.filter(); }
void RecordsetCursor::setFilter(const QString &filter) { m_set.setFilter(filter); }

void RecordsetCursor::requery()
{
    if (m_set.isOpen())
        m_set.requery();
    else
        m_set.open();
}

bool RecordsetCursor::seekId(qint32 id)
{
    return m_set.findFirst(QStringLiteral("ID=%1").arg(id));
}
