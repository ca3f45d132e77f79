#include "RegExp.h"
#include "../ArgConversions.h"
#include "../Registry.h"

#include "RegExpMatches.h"

namespace vbs {

namespace {

const MemberTable kMembers{"Pattern", "IgnoreCase", "Global", "Multiline", "Test", "Execute", "Replace"};
enum Member { Pattern = 1, IgnoreCase, Global, Multiline, Test, Execute, Replace };

constexpr int ErrRegExpSyntax = 5017;

// Script patterns follow the JavaScript dialect; PCRE reads almost all of
// it the same way. Two differences are bridged: \uXXXX escapes, and "$"
// outside Multiline mode, which matches only at the very end.
QString translatePattern(const QString &p, bool multiline)
{
    QString out;
    out.reserve(p.size() + 8);
    bool inClass = false;
    for (qsizetype i = 0; i < p.size(); ++i) {
        const QChar c = p[i];
        if (c == QLatin1Char('\\') && i + 1 < p.size()) {
            const QChar n = p[i + 1];
            if (n == QLatin1Char('u') && i + 5 < p.size()) {
                bool ok = false;
                p.mid(i + 2, 4).toUInt(&ok, 16);
                if (ok) {
                    out += QStringLiteral("\\x{") + p.mid(i + 2, 4) + QLatin1Char('}');
                    i += 5;
                    continue;
                }
            }
            out += c;
            out += n;
            ++i;
            continue;
        }
        if (inClass) {
            if (c == QLatin1Char(']'))
                inClass = false;
        } else if (c == QLatin1Char('[')) {
            inClass = true;
            out += c;
            // A "]" right after "[" or "[^" is a literal in PCRE but closes an
            // empty class in JavaScript; such patterns are rare, keep PCRE's view.
            continue;
        } else if (c == QLatin1Char('$') && !multiline) {
            out += QStringLiteral("(?!(?s:.))");
            continue;
        }
        out += c;
    }
    return out;
}

// Each match of a subject would check the whole subject's UTF-16 again,
// which makes a global match quadratic: check it once here instead.
QRegularExpression::MatchOptions subjectChecks(const QString &subject)
{
    return QStringView(subject).isValidUtf16() ? QRegularExpression::DontCheckSubjectStringMatchOption
                                               : QRegularExpression::NoMatchOption;
}

// The replacement text of one match: $$, $&, $`, $', $1..$99 expanded.
QString expandReplacement(const QString &replacement, const QRegularExpressionMatch &m, const QString &subject,
                          int groups)
{
    const qsizetype start = m.capturedStart(0);
    const qsizetype end = m.capturedEnd(0);
    QString out;
    for (qsizetype i = 0; i < replacement.size(); ++i) {
        const QChar c = replacement[i];
        if (c != QLatin1Char('$') || i + 1 >= replacement.size()) {
            out += c;
            continue;
        }
        const QChar n = replacement[i + 1];
        if (n == QLatin1Char('$')) {
            out += QLatin1Char('$');
            ++i;
        } else if (n == QLatin1Char('&')) {
            out += m.captured(0);
            ++i;
        } else if (n == QLatin1Char('`')) {
            out += QStringView(subject).left(start);
            ++i;
        } else if (n == QLatin1Char('\'')) {
            out += QStringView(subject).mid(end);
            ++i;
        } else if (n.isDigit()) {
            int g = n.digitValue();
            qsizetype used = 1;
            if (i + 2 < replacement.size() && replacement[i + 2].isDigit()) {
                const int two = g * 10 + replacement[i + 2].digitValue();
                if (two >= 1 && two <= groups) {
                    g = two;
                    used = 2;
                }
            }
            if (g >= 1 && g <= groups) {
                out += m.captured(g);
                i += used;
            } else {
                out += c;
            }
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

int RegExp::findMember(const QString &name) const { return kMembers.find(name); }
const void *RegExp::memberKey() const { return &kMembers; }

const QRegularExpression &RegExp::compiled()
{
    if (m_dirty) {
        QRegularExpression::PatternOptions opts = QRegularExpression::NoPatternOption;
        if (m_ignoreCase)
            opts |= QRegularExpression::CaseInsensitiveOption;
        if (m_multiline)
            opts |= QRegularExpression::MultilineOption;
        m_re = QRegularExpression(translatePattern(m_pattern, m_multiline), opts);
        m_dirty = false;
    }
    if (!m_re.isValid())
        raise(ErrRegExpSyntax);
    return m_re;
}

bool RegExp::test(const QString &subject)
{
    return compiled().match(subject).hasMatch();
}

Variant RegExp::execute(const QString &subject)
{
    const QRegularExpression &re = compiled();
    const QRegularExpression::MatchOptions checks = subjectChecks(subject);
    Ref<RegExpMatches> matches(new RegExpMatches);
    qsizetype pos = 0;
    WorkMeter work;
    while (pos <= subject.size()) {
        const QRegularExpressionMatch m = re.match(subject, pos, QRegularExpression::NormalMatch, checks);
        if (!m.hasMatch())
            break;
        work.add(64 + m.capturedEnd(0) - pos);
        matches->append(Ref<Dispatch>(new RegExpMatch(m)));
        if (!m_global)
            break;
        pos = m.capturedEnd(0) > m.capturedStart(0) ? m.capturedEnd(0) : m.capturedEnd(0) + 1;
    }
    return Variant(static_cast<Dispatch *>(matches.get()));
}

QString RegExp::replace(const QString &subject, const QString &replacement)
{
    const int groups = compiled().captureCount();
    return replaceEach(subject, [&](const QRegularExpressionMatch &m) {
        return expandReplacement(replacement, m, subject, groups);
    });
}

QString RegExp::replace(const QString &subject, Dispatch *function)
{
    // The function gets the match, each submatch, the match's position
    // (from 0) and the whole text, as a replacement function does.
    const int groups = compiled().captureCount();
    Ref<Dispatch> keep(function);
    return replaceEach(subject, [&](const QRegularExpressionMatch &m) {
        std::vector<Variant> values;
        values.reserve(size_t(groups) + 3);
        values.emplace_back(m.captured(0));
        for (int g = 1; g <= groups; ++g)
            values.push_back(m.hasCaptured(g) ? Variant(m.captured(g)) : Variant());
        values.emplace_back(int32_t(m.capturedStart(0)));
        values.emplace_back(subject);
        CallArgs args(values.data(), int(values.size()));
        return writeTextArg(function->call(Dispatch::kDefaultMember, args, true));
    });
}

QString RegExp::replaceEach(const QString &subject, const std::function<QString(const QRegularExpressionMatch &)> &with)
{
    const QRegularExpression &re = compiled();
    const QRegularExpression::MatchOptions checks = subjectChecks(subject);
    QString out;
    qsizetype pos = 0;     // where the next search starts
    qsizetype copied = 0;  // subject text up to here is in out
    WorkMeter work;
    while (pos <= subject.size()) {
        const QRegularExpressionMatch m = re.match(subject, pos, QRegularExpression::NormalMatch, checks);
        if (!m.hasMatch())
            break;
        const qsizetype start = m.capturedStart(0);
        const qsizetype end = m.capturedEnd(0);
        out += QStringView(subject).mid(copied, start - copied);
        out += with(m);
        work.add(16 + end - copied);
        copied = end;
        if (!m_global)
            break;
        if (end == start) {
            if (end < subject.size())
                out += subject[end];
            copied = end + 1;
            pos = end + 1;
        } else {
            pos = end;
        }
    }
    if (copied < subject.size())
        out += QStringView(subject).mid(copied);
    return out;
}

Variant RegExp::call(int id, CallArgs &args, bool)
{
    switch (id) {
    case Pattern:
        args.expect(0, 0);
        return Variant(m_pattern);
    case IgnoreCase:
        args.expect(0, 0);
        return Variant(m_ignoreCase);
    case Global:
        args.expect(0, 0);
        return Variant(m_global);
    case Multiline:
        args.expect(0, 0);
        return Variant(m_multiline);
    case Test:
        args.expect(1, 1);
        return Variant(test(textArg(args[0])));
    case Execute:
        args.expect(1, 1);
        return execute(textArg(args[0]));
    case Replace:
        args.expect(2, 2);
        if (args[1].isObject() && args[1].objectValue())
            return Variant(replace(textArg(args[0]), args[1].objectValue()));
        return Variant(replace(textArg(args[0]), textArg(args[1])));
    default:
        raise(ErrNoSuchMember);
    }
}

void RegExp::put(int id, CallArgs &args, const Variant &value, bool)
{
    args.expect(0, 0);
    switch (id) {
    case Pattern:
        m_pattern = textArg(value);
        break;
    case IgnoreCase:
        m_ignoreCase = plainArg(value).toBool();
        break;
    case Global:
        m_global = plainArg(value).toBool();
        return;
    case Multiline:
        m_multiline = plainArg(value).toBool();
        break;
    default:
        raise(ErrNoSuchMember);
    }
    m_dirty = true;
}

} // namespace vbs
