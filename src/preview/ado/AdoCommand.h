#pragma once

#include "script/Dispatch.h"

#include <QStringList>

#include <vector>

namespace preview {

class AdoConnection;

// One parameter of a command: Value (default), Name, Type, Direction, Size.
class AdoParameter : public vbs::Dispatch {
public:
    QString typeName() const override { return QStringLiteral("Parameter"); }
    int findMember(const QString &name) const override;
    const void *memberKey() const override;
    vbs::Variant call(int id, vbs::CallArgs &args, bool wantResult) override;
    void put(int id, vbs::CallArgs &args, const vbs::Variant &value, bool isSet) override;

    QString name;
    vbs::Variant value;
    int type = 0;
    int direction = 1;
    int size = 0;
};

// Command.Parameters: by position (0-based) or name. Assigning a position
// past the end adds parameters up to it, as a provider that derives them
// from the "?" marks of the command text does.
class AdoParameters : public vbs::Dispatch {
public:
    QString typeName() const override { return QStringLiteral("Parameters"); }
    int findMember(const QString &name) const override;
    const void *memberKey() const override;
    vbs::Variant call(int id, vbs::CallArgs &args, bool wantResult) override;
    void put(int id, vbs::CallArgs &args, const vbs::Variant &value, bool isSet) override;
    std::unique_ptr<vbs::Enumerator> enumerate() override;

    std::vector<vbs::Ref<AdoParameter>> items;

private:
    int indexOf(const vbs::Variant &key, bool grow);
};

// ADODB.Command: CommandText with "?" marks replaced, in order, by the
// parameters' values written as SQL literals (text quoted), then run on the
// active connection.
class AdoCommand : public vbs::Dispatch {
public:
    explicit AdoCommand(QStringList fileRoots);
    QString typeName() const override { return QStringLiteral("Command"); }
    int findMember(const QString &name) const override;
    const void *memberKey() const override;
    vbs::Variant call(int id, vbs::CallArgs &args, bool wantResult) override;
    void put(int id, vbs::CallArgs &args, const vbs::Variant &value, bool isSet) override;

    // The command text with its "?" marks (outside quoted text and
    // [names]) replaced by the values' literals; raises when the count of
    // marks and values differ.
    static QString bind(const QString &text, const std::vector<vbs::Variant> &values);

private:
    QStringList m_fileRoots;
    vbs::Ref<AdoConnection> m_connection;
    QString m_text;
    int m_type = 1;
    vbs::Ref<AdoParameters> m_parameters;
};

} // namespace preview
