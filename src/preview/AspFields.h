#pragma once

#include "script/Dispatch.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace preview {

// One name/value pair of a request collection, as For Each hands it out:
// read as a value it gives its name.
class AspField : public vbs::Dispatch {
public:
    AspField(QString name, QString value) : m_name(std::move(name)), m_value(std::move(value)) {}
    QString typeName() const override { return QStringLiteral("Field"); }
    int findMember(const QString &name) const override;
    const void *memberKey() const override;
    vbs::Variant call(int id, vbs::CallArgs &args, bool wantResult) override;

private:
    QString m_name;
    QString m_value;
};

// Request.QueryString, Request.Form, Request.ServerVariables: text pairs in
// the order they arrived; an item reads as an AspStringList. Names are compared without regard to case, as
// pages written for IIS expect (Request("ID") finds ?id=5).
class AspFields : public vbs::Dispatch {
public:
    QString typeName() const override { return QStringLiteral("IRequestDictionary"); }
    int findMember(const QString &name) const override;
    const void *memberKey() const override;
    vbs::Variant call(int id, vbs::CallArgs &args, bool wantResult) override;
    std::unique_ptr<vbs::Enumerator> enumerate() override;

    // Adds a pair; a name already present gets the value added to its
    // values (read as text they are joined by ","). A new name past
    // HttpLimits::kMaxFormFields is left out.
    void add(const QString &name, const QString &value);
    void clear()
    {
        m_items.clear();
        m_index.clear();
    }
    int count() const { return int(m_items.size()); }
    // The lookup of Item: a key that is empty or starts with a digit is a
    // 1-based position (its leading digits); otherwise a name. No match
    // gives an empty string.
    QString item(const QString &key) const;
    // Every value of the item (none when there is no match).
    QStringList values(const QString &key) const;

private:
    QList<QPair<QString, QStringList>> m_items;
    QHash<QString, qsizetype> m_index;  // lower-case name -> position in m_items
};

// Text of a script argument, reading an object through its default member.
QString argText(const vbs::CallArgs &args, int index);

} // namespace preview
