#include "GlobalAsa.h"

#include "AspText.h"

#include <QFile>
#include <QRegularExpression>

namespace preview {

namespace {

constexpr qint64 kMaxGlobalAsaBytes = 4 * 1024 * 1024;

// Replaces every character but line ends by a blank.
void blankOut(QString &text, qsizetype from, qsizetype to)
{
    for (qsizetype i = from; i < to; ++i) {
        if (text[i] != QLatin1Char('\n') && text[i] != QLatin1Char('\r'))
            text[i] = QLatin1Char(' ');
    }
}

} // namespace

GlobalAsa GlobalAsa::load(const QString &rootFolder)
{
    QFile f(rootFolder + QStringLiteral("/global.asa"));
    if (!f.open(QIODevice::ReadOnly) || f.size() > kMaxGlobalAsaBytes)
        return {};
    QByteArray bytes = f.readAll();
    bytes.replace('\0', QByteArray());
    return fromText(decodeText(bytes));
}

GlobalAsa GlobalAsa::fromText(const QString &text)
{
    static const QRegularExpression open(QStringLiteral("<script\\b[^>]*>"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression close(QStringLiteral("</script\\s*>"),
                                          QRegularExpression::CaseInsensitiveOption);
    GlobalAsa g;
    g.m_exists = true;
    g.m_script = text;
    qsizetype pos = 0;
    while (pos < text.size()) {
        const QRegularExpressionMatch start = open.match(text, pos);
        if (!start.hasMatch()) {
            blankOut(g.m_script, pos, text.size());
            break;
        }
        // Text outside the blocks (OBJECT tags, comments) is not script.
        blankOut(g.m_script, pos, start.capturedEnd());
        const QRegularExpressionMatch end = close.match(text, start.capturedEnd());
        if (!end.hasMatch())
            break;
        blankOut(g.m_script, end.capturedStart(), end.capturedEnd());
        pos = end.capturedEnd();
    }
    g.m_script.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    g.m_script.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return g;
}

bool GlobalAsa::defines(const QString &procedure) const
{
    const QRegularExpression sub(
        QStringLiteral("^[ \\t]*((public|private)[ \\t]+)?sub[ \\t]+%1\\b").arg(QRegularExpression::escape(procedure)),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::MultilineOption);
    return sub.match(m_script).hasMatch();
}

} // namespace preview
