#pragma once

#include "../Dispatch.h"

#include <QRegularExpression>
#include <QString>

#include <functional>

namespace vbs {

// VBScript.RegExp (also New RegExp): Pattern, IgnoreCase, Global,
// Multiline, Test, Execute and Replace, on QRegularExpression.
class RegExp : public Dispatch {
public:
    QString typeName() const override { return QStringLiteral("IRegExp2"); }
    int findMember(const QString &name) const override;
    const void *memberKey() const override;
    Variant call(int id, CallArgs &args, bool wantResult) override;
    void put(int id, CallArgs &args, const Variant &value, bool isSet) override;

    bool test(const QString &subject);
    Variant execute(const QString &subject);
    QString replace(const QString &subject, const QString &replacement);
    // Replace with a function reference (GetRef): its result replaces each match.
    QString replace(const QString &subject, Dispatch *function);

private:
    // The compiled pattern; raises 5017 when the pattern is not valid.
    const QRegularExpression &compiled();
    QString replaceEach(const QString &subject, const std::function<QString(const QRegularExpressionMatch &)> &with);

    QString m_pattern;
    bool m_ignoreCase = false;
    bool m_global = false;
    bool m_multiline = false;
    QRegularExpression m_re;
    bool m_dirty = true;
};

} // namespace vbs
