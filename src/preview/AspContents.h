#pragma once

#include "script/Dispatch.h"

#include <QList>
#include <QPair>
#include <QString>

namespace preview {

// The Contents collection of Session and Application: values of any kind
// (text, numbers, arrays, objects) by name, without regard to case, in the
// order they were first stored. A missing name reads as Empty.
class AspContents : public vbs::Dispatch {
public:
    QString typeName() const override { return QStringLiteral("IVariantDictionary"); }
    int findMember(const QString &name) const override;
    const void *memberKey() const override;
    vbs::Variant call(int id, vbs::CallArgs &args, bool wantResult) override;
    void put(int id, vbs::CallArgs &args, const vbs::Variant &value, bool isSet) override;
    std::unique_ptr<vbs::Enumerator> enumerate() override;

    bool contains(const QString &name) const;
    vbs::Variant value(const QString &name) const;
    void setValue(const QString &name, const vbs::Variant &value);
    void remove(const QString &name);
    void clear() { m_values.clear(); }
    int count() const { return int(m_values.size()); }

    // Item(key) for Session(key) and Application(key): a number is a
    // 1-based position, anything else a name.
    vbs::Variant item(const vbs::Variant &key) const;
    // Stores a script assignment: Set stores the object; a plain assignment
    // of an object stores its default value.
    void assign(const vbs::Variant &key, const vbs::Variant &value, bool isSet);

private:
    qsizetype indexOf(const QString &name) const;
    QList<QPair<QString, vbs::Variant>> m_values;
};

} // namespace preview
