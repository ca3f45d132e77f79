#include "AspPageSyntax.h"

#include <QRegularExpression>

namespace preview::pagesyntax {

bool isLineBreak(const QString &text, qsizetype i)
{
    const QChar c = text[i];
    if (c == QLatin1Char('\n'))
        return true;
    return c == QLatin1Char('\r') && (i + 1 >= text.size() || text[i + 1] != QLatin1Char('\n'));
}

int countLineBreaks(const QString &text, qsizetype from, qsizetype to)
{
    int n = 0;
    for (qsizetype i = from; i < to; ++i)
        n += isLineBreak(text, i) ? 1 : 0;
    return n;
}

IncludeDirective findInclude(const QString &text, qsizetype from, bool &inCode)
{
    static const QRegularExpression open(QStringLiteral("<!--\\s*#include(?![A-Za-z0-9_])"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression body(
        QStringLiteral("^\\s+(virtual|file)\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)')\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    IncludeDirective d;
    qsizetype pos = from;
    QRegularExpressionMatch m = open.match(text, pos);
    while (pos < text.size()) {
        if (m.hasMatch() && m.capturedStart() < pos)
            m = open.match(text, pos);  // the one found lay inside code
        if (inCode) {
            const qsizetype close = text.indexOf(QLatin1String("%>"), pos);
            if (close < 0)
                return d;
            inCode = false;
            pos = close + 2;
            continue;
        }
        const qsizetype code = text.indexOf(QLatin1String("<%"), pos);
        if (!m.hasMatch() || (code >= 0 && code < m.capturedStart())) {
            if (code < 0)
                return d;
            inCode = true;
            pos = code + 2;
            continue;
        }
        const qsizetype close = text.indexOf(QLatin1String("-->"), m.capturedEnd());
        if (close < 0)
            return d;  // an unterminated comment is text
        d.start = m.capturedStart();
        d.end = close + 3;
        const QRegularExpressionMatch b = body.match(text.mid(m.capturedEnd(), close - m.capturedEnd()));
        if (b.hasMatch()) {
            d.wellFormed = true;
            d.isVirtual = b.captured(1).compare(QLatin1String("virtual"), Qt::CaseInsensitive) == 0;
            d.name = b.capturedStart(2) >= 0 ? b.captured(2) : b.captured(3);
        }
        return d;
    }
    return d;
}


} // namespace preview::pagesyntax
