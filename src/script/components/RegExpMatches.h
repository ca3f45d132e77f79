#pragma once

#include "../Dispatch.h"

#include <QRegularExpressionMatch>
#include <QString>

#include <vector>

namespace vbs {

// One match of a RegExp: Value (default), FirstIndex, Length, SubMatches.
class RegExpMatch : public Dispatch {
public:
    explicit RegExpMatch(const QRegularExpressionMatch &m);
    QString typeName() const override { return QStringLiteral("IMatch2"); }
    int findMember(const QString &name) const override;
    const void *memberKey() const override;
    Variant call(int id, CallArgs &args, bool wantResult) override;

private:
    QString m_value;
    int m_index = 0;
    std::vector<Variant> m_groups; // Empty for a group that did not take part
};

// The SubMatches of a match: Count, Item (default), For Each.
class RegExpSubMatches : public Dispatch {
public:
    explicit RegExpSubMatches(std::vector<Variant> groups) : m_groups(std::move(groups)) {}
    QString typeName() const override { return QStringLiteral("ISubMatches"); }
    int findMember(const QString &name) const override;
    const void *memberKey() const override;
    Variant call(int id, CallArgs &args, bool wantResult) override;
    std::unique_ptr<Enumerator> enumerate() override;

private:
    std::vector<Variant> m_groups;
};

// The result of Execute: Count, Item (default), For Each.
class RegExpMatches : public Dispatch {
public:
    void append(const Ref<Dispatch> &match) { m_matches.push_back(match); }
    QString typeName() const override { return QStringLiteral("IMatchCollection2"); }
    int findMember(const QString &name) const override;
    const void *memberKey() const override;
    Variant call(int id, CallArgs &args, bool wantResult) override;
    std::unique_ptr<Enumerator> enumerate() override;

private:
    std::vector<Ref<Dispatch>> m_matches;
};

} // namespace vbs
