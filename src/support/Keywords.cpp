#include "support/Keywords.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>

namespace {

// Function words of both site languages, lower case. Words shorter than the
// minimum length are dropped anyway and need not be listed.
const char *const kStopWords[] = {
    // Italian: articles, articulated prepositions, prepositions, conjunctions,
    // pronouns, adverbs of no search value, forms of essere and avere.
    "che", "chi", "cui", "non", "come", "dove", "quando", "quale", "quali", "quanto",
    "anche", "ancora", "oppure", "perché", "perche", "però", "pero", "quindi", "dunque",
    "mentre", "sia", "sono", "era", "erano", "essere", "stato", "stata", "stati", "state",
    "ho", "hai", "abbiamo", "avete", "hanno", "avere", "aveva", "avevano", "sarà", "sara",
    "gli", "le", "lo", "la", "il", "una", "uno", "dei", "degli", "delle", "del", "della",
    "dello", "dell", "dal", "dalla", "dallo", "dalle", "dai", "dagli", "dall", "nel",
    "nella", "nello", "nelle", "nei", "negli", "nell", "sul", "sulla", "sullo", "sulle",
    "sui", "sugli", "sull", "col", "coi", "alla", "allo", "alle", "agli", "all", "per",
    "tra", "fra", "con", "senza", "sopra", "sotto", "dopo", "prima", "verso", "presso",
    "questo", "questa", "questi", "queste", "quello", "quella", "quelli", "quelle",
    "suo", "sua", "suoi", "sue", "loro", "mio", "mia", "miei", "mie", "tuo", "tua",
    "tuoi", "tue", "nostro", "nostra", "nostri", "nostre", "vostro", "vostra", "vostri",
    "vostre", "lui", "lei", "noi", "voi", "essi", "esse", "ogni", "tutto", "tutta",
    "tutti", "tutte", "più", "piu", "meno", "molto", "molta", "molti", "molte", "poco",
    "tanto", "così", "cosi", "già", "gia", "qui", "qua", "là", "ecc",
    // English.
    "the", "and", "for", "with", "without", "from", "into", "onto", "over", "under",
    "about", "after", "before", "between", "through", "that", "this", "these", "those",
    "there", "their", "them", "they", "then", "than", "which", "who", "whom", "whose",
    "what", "when", "where", "while", "why", "how", "are", "was", "were", "been", "being",
    "have", "has", "had", "having", "does", "did", "doing", "not", "but", "nor", "yet",
    "its", "his", "her", "hers", "our", "ours", "your", "yours", "you", "she", "him",
    "can", "could", "will", "would", "shall", "should", "may", "might", "must", "also",
    "any", "all", "each", "every", "some", "such", "very", "more", "most", "other",
    "only", "own", "same", "too", "just", "out", "off", "per", "via", "etc",
};

const QSet<QString> &stopWords()
{
    static const QSet<QString> words = [] {
        QSet<QString> s;
        for (const char *w : kStopWords)
            s.insert(QString::fromUtf8(w));
        return s;
    }();
    return words;
}

const QHash<QString, QChar> &namedEntities()
{
    static const QHash<QString, QChar> map = {
        {QStringLiteral("amp"), QChar(u'&')},     {QStringLiteral("nbsp"), QChar(u' ')},
        {QStringLiteral("quot"), QChar(u'"')},    {QStringLiteral("apos"), QChar(u'\'')},
        {QStringLiteral("lt"), QChar(u'<')},      {QStringLiteral("gt"), QChar(u'>')},
        {QStringLiteral("agrave"), QChar(0xE0)},  {QStringLiteral("aacute"), QChar(0xE1)},
        {QStringLiteral("egrave"), QChar(0xE8)},  {QStringLiteral("eacute"), QChar(0xE9)},
        {QStringLiteral("igrave"), QChar(0xEC)},  {QStringLiteral("iacute"), QChar(0xED)},
        {QStringLiteral("ograve"), QChar(0xF2)},  {QStringLiteral("oacute"), QChar(0xF3)},
        {QStringLiteral("ugrave"), QChar(0xF9)},  {QStringLiteral("uacute"), QChar(0xFA)},
        {QStringLiteral("Agrave"), QChar(0xC0)},  {QStringLiteral("Egrave"), QChar(0xC8)},
        {QStringLiteral("Eacute"), QChar(0xC9)},  {QStringLiteral("Igrave"), QChar(0xCC)},
        {QStringLiteral("Ograve"), QChar(0xD2)},  {QStringLiteral("Ugrave"), QChar(0xD9)},
        {QStringLiteral("ccedil"), QChar(0xE7)},  {QStringLiteral("ntilde"), QChar(0xF1)},
        {QStringLiteral("euro"), QChar(0x20AC)},
    };
    return map;
}

// Removes markup: tags become blanks, entities become their character
// (unknown ones a blank).
QString plainText(const QString &text)
{
    static const QRegularExpression tag(QStringLiteral("<[^<>]*>"));
    static const QRegularExpression entity(QStringLiteral("&(#[0-9]{1,7}|#[xX][0-9a-fA-F]{1,6}|[A-Za-z]{2,8});"));
    QString out = text;
    out.replace(tag, QStringLiteral(" "));
    if (!out.contains(QLatin1Char('&')))
        return out;
    QString result;
    result.reserve(out.size());
    qsizetype last = 0;
    auto it = entity.globalMatch(out);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        result += QStringView(out).mid(last, m.capturedStart() - last);
        const QString name = m.captured(1);
        QString replacement = QStringLiteral(" ");
        if (name.startsWith(QLatin1Char('#'))) {
            bool ok = false;
            const uint code = (name.size() > 1 && (name.at(1) == QLatin1Char('x') || name.at(1) == QLatin1Char('X')))
                ? name.mid(2).toUInt(&ok, 16)
                : name.mid(1).toUInt(&ok, 10);
            if (ok && code > 0 && code <= 0x10FFFF && QChar::isPrint(char32_t(code))) {
                const char32_t c = char32_t(code);
                replacement = QString::fromUcs4(&c, 1);
            }
        } else if (auto e = namedEntities().constFind(name); e != namedEntities().constEnd()) {
            replacement = QString(*e);
        }
        result += replacement;
        last = m.capturedEnd();
    }
    result += QStringView(out).mid(last);
    return result;
}

} // namespace

bool isKeywordStopWord(const QString &lowerCaseWord)
{
    return stopWords().contains(lowerCaseWord);
}

QString ElaboraKeywords(const QString &text)
{
    const QString plain = plainText(text);
    QStringList words;
    QSet<QString> seen;
    QString word;
    auto flush = [&] {
        if (word.isEmpty())
            return;
        const QString w = word.toLower();
        word.clear();
        if (w.size() < kMinimumKeywordLength || isKeywordStopWord(w) || seen.contains(w))
            return;
        seen.insert(w);
        words << w;
    };
    for (const QChar c : plain) {
        if (c.isLetterOrNumber() || c.category() == QChar::Mark_NonSpacing)
            word += c;
        else
            flush();
    }
    flush();
    return words.join(QLatin1Char(' '));
}
