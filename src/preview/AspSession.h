#pragma once

#include "script/Dispatch.h"

#include <QList>
#include <QPair>
#include <QString>

namespace preview {

// The Session object: text values by name (case matters), shared by every
// page for the life of the preview server.
class AspSession : public vbs::Dispatch {
public:
    QString typeName() const override { return QStringLiteral("ISessionObject"); }
    int findMember(const QString &name) const override;
    const void *memberKey() const override;
    vbs::Variant call(int id, vbs::CallArgs &args, bool wantResult) override;
    void put(int id, vbs::CallArgs &args, const vbs::Variant &value, bool isSet) override;

    bool contains(const QString &name) const;
    QString value(const QString &name) const;
    void setValue(const QString &name, const QString &value);
    int count() const { return int(m_values.size()); }

private:
    QList<QPair<QString, QString>> m_values;
};

// A stored session value as a page reads it: its default member gives the text.
class AspSessionField : public vbs::Dispatch {
public:
    explicit AspSessionField(QString value) : m_value(std::move(value)) {}
    QString typeName() const override { return QStringLiteral("String"); }
    int findMember(const QString &name) const override;
    const void *memberKey() const override;
    vbs::Variant call(int id, vbs::CallArgs &args, bool wantResult) override;

private:
    QString m_value;
};

} // namespace preview
