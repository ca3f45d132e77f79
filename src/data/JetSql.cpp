#include "data/JetSql.h"

#include "data/JetSqlTokens.h"

#include <QSet>

// The translator is a tokenizer followed by a recursive-descent parser that
// writes SQLite text as it recognises each construct. Every binary operator
// is emitted inside parentheses, so Jet's operator precedence (which differs
// from SQLite's for & and \) is kept exactly.

namespace {

using namespace jetsql;

class Translator {
public:
    Translator(const QString &src, bool withParams)
        : m_toks(tokenize(src)), m_params(withParams) {}

    QVariantList params;

    // --- token helpers ---------------------------------------------------
    const Token &peek(int ahead = 0) const
    {
        int k = qMin(m_i + ahead, int(m_toks.size()) - 1);
        return m_toks[k];
    }
    bool atEnd() const { return peek().type == Tok::End; }
    bool isWord(const char *w, int ahead = 0) const
    {
        const Token &t = peek(ahead);
        return t.type == Tok::Word && t.upper == QLatin1String(w);
    }
    bool isSym(const char *s, int ahead = 0) const
    {
        const Token &t = peek(ahead);
        return t.type == Tok::Symbol && t.text == QLatin1String(s);
    }
    bool acceptWord(const char *w)
    {
        if (isWord(w)) { ++m_i; return true; }
        return false;
    }
    bool acceptSym(const char *s)
    {
        if (isSym(s)) { ++m_i; return true; }
        return false;
    }
    void expectWord(const char *w)
    {
        if (!acceptWord(w))
            fail(QStringLiteral("atteso %1").arg(QLatin1String(w)));
    }
    void expectSym(const char *s)
    {
        if (!acceptSym(s))
            fail(QStringLiteral("atteso '%1'").arg(QLatin1String(s)));
    }
    [[noreturn]] void fail(const QString &what) const
    {
        const Token &t = peek();
        QString near = t.type == Tok::End ? QStringLiteral("alla fine del testo")
                                          : QStringLiteral("alla posizione %1").arg(t.pos + 1);
        throw TranslateError(what + QLatin1Char(' ') + near);
    }
    void expectEnd()
    {
        acceptSym(";");
        if (!atEnd())
            fail(QStringLiteral("testo non riconosciuto"));
    }

    static QString ident(const QString &name) { return QLatin1Char('[') + name + QLatin1Char(']'); }

    // A name that is not a reserved word: bare word or [bracketed].
    bool peekName(int ahead = 0) const
    {
        const Token &t = peek(ahead);
        return t.type == Tok::Name || (t.type == Tok::Word && !isReservedWord(t.upper));
    }
    QString takeName()
    {
        if (!peekName())
            fail(QStringLiteral("atteso un nome"));
        return m_toks[m_i++].text;
    }

    // --- literals -----------------------------------------------------------
    QString stringLiteral(const QString &s)
    {
        if (m_params) {
            params << s;
            return QStringLiteral("(? COLLATE NOCASE)");
        }
        QString q = s;
        q.replace(QLatin1Char('\''), QLatin1String("''"));
        return QStringLiteral("('") + q + QStringLiteral("' COLLATE NOCASE)");
    }
    QString numberLiteral(const QString &s)
    {
        if (m_params) {
            bool ok = false;
            qlonglong v = s.toLongLong(&ok);
            params << (ok ? QVariant(v) : QVariant(s.toDouble()));
            return QStringLiteral("?");
        }
        return s;
    }

    // --- expressions (Jet precedence, lowest first) --------------------------
    QString expr() { return orExpr(); }

    QString orExpr()
    {
        QString l = andExpr();
        for (;;) {
            if (acceptWord("OR")) l = QStringLiteral("(%1 OR %2)").arg(l, andExpr());
            else if (acceptWord("XOR")) l = QStringLiteral("((%1 <> 0) <> (%2 <> 0))").arg(l, andExpr());
            else return l;
        }
    }
    QString andExpr()
    {
        QString l = notExpr();
        while (acceptWord("AND"))
            l = QStringLiteral("(%1 AND %2)").arg(l, notExpr());
        return l;
    }
    QString notExpr()
    {
        if (acceptWord("NOT"))
            return QStringLiteral("(NOT %1)").arg(notExpr());
        return compareExpr();
    }
    QString compareExpr()
    {
        QString l = concatExpr();
        for (;;) {
            const Token &t = peek();
            if (t.type == Tok::Symbol && (t.text == QLatin1String("=") || t.text == QLatin1String("<>")
                                          || t.text == QLatin1String("<") || t.text == QLatin1String(">")
                                          || t.text == QLatin1String("<=") || t.text == QLatin1String(">="))) {
                QString op = t.text;
                ++m_i;
                l = QStringLiteral("(%1 %2 %3)").arg(l, op, concatExpr());
                continue;
            }
            bool negate = false;
            if (isWord("NOT") && (isWord("LIKE", 1) || isWord("IN", 1) || isWord("BETWEEN", 1))) {
                ++m_i;
                negate = true;
            }
            if (acceptWord("LIKE")) {
                QString pattern = concatExpr();
                QString e = QStringLiteral("jet_like(%1, %2)").arg(l, pattern);
                l = negate ? QStringLiteral("(NOT %1)").arg(e) : e;
                continue;
            }
            if (acceptWord("BETWEEN")) {
                QString lo = concatExpr();
                expectWord("AND");
                QString hi = concatExpr();
                l = QStringLiteral("(%1 %2BETWEEN %3 AND %4)").arg(l, negate ? QStringLiteral("NOT ") : QString(), lo, hi);
                continue;
            }
            if (acceptWord("IN")) {
                expectSym("(");
                if (acceptSym(")")) {
                    // An empty list holds nothing: IN () is false, NOT IN () true.
                    l = negate ? QStringLiteral("(1)") : QStringLiteral("(0)");
                    continue;
                }
                QString inner;
                if (isWord("SELECT")) {
                    inner = selectStatement(true);
                } else {
                    QStringList items;
                    do {
                        items << expr();
                    } while (acceptSym(","));
                    inner = items.join(QStringLiteral(", "));
                }
                expectSym(")");
                l = QStringLiteral("(%1 %2IN (%3))").arg(l, negate ? QStringLiteral("NOT ") : QString(), inner);
                continue;
            }
            if (negate)
                fail(QStringLiteral("NOT inatteso"));
            if (acceptWord("IS")) {
                bool isNot = acceptWord("NOT");
                expectWord("NULL");
                l = QStringLiteral("(%1 IS %2NULL)").arg(l, isNot ? QStringLiteral("NOT ") : QString());
                continue;
            }
            return l;
        }
    }
    QString concatExpr()
    {
        QString l = addExpr();
        bool any = false;
        QStringList parts;
        while (acceptSym("&")) {
            if (!any) { parts << l; any = true; }
            parts << addExpr();
        }
        if (!any)
            return l;
        // Jet's & treats Null as an empty string; the result is Null only
        // when every operand is Null.
        return QStringLiteral("jet_concat(%1)").arg(parts.join(QStringLiteral(", ")));
    }
    QString addExpr()
    {
        QString l = modExpr();
        for (;;) {
            if (acceptSym("+")) l = QStringLiteral("(%1 + %2)").arg(l, modExpr());
            else if (acceptSym("-")) l = QStringLiteral("(%1 - %2)").arg(l, modExpr());
            else return l;
        }
    }
    QString modExpr()
    {
        QString l = intDivExpr();
        while (acceptWord("MOD"))
            l = QStringLiteral("(CAST(ROUND(%1) AS INTEGER) % CAST(ROUND(%2) AS INTEGER))").arg(l, intDivExpr());
        return l;
    }
    QString intDivExpr()
    {
        QString l = mulExpr();
        while (acceptSym("\\"))
            l = QStringLiteral("(CAST(ROUND(%1) AS INTEGER) / CAST(ROUND(%2) AS INTEGER))").arg(l, mulExpr());
        return l;
    }
    QString mulExpr()
    {
        QString l = unaryExpr();
        for (;;) {
            // Jet's / always divides as floating point.
            if (acceptSym("*")) l = QStringLiteral("(%1 * %2)").arg(l, unaryExpr());
            else if (acceptSym("/")) l = QStringLiteral("(CAST(%1 AS REAL) / %2)").arg(l, unaryExpr());
            else return l;
        }
    }
    QString unaryExpr()
    {
        if (acceptSym("-")) {
            if (peek().type == Tok::Number && !m_params) {
                QString n = peek().text;
                ++m_i;
                return QStringLiteral("(-") + n + QLatin1Char(')');
            }
            return QStringLiteral("(-%1)").arg(unaryExpr());
        }
        if (acceptSym("+"))
            return unaryExpr();
        return powExpr();
    }
    QString powExpr()
    {
        QString l = primary();
        while (acceptSym("^"))
            l = QStringLiteral("jet_pow(%1, %2)").arg(l, primary());
        return l;
    }

    QString primary()
    {
        const Token t = peek();
        switch (t.type) {
        case Tok::String:
            ++m_i;
            return stringLiteral(t.text);
        case Tok::Number:
            ++m_i;
            return numberLiteral(t.text);
        case Tok::Date:
            ++m_i;
            if (m_params) {
                params << t.text;
                return QStringLiteral("?");
            }
            return QStringLiteral("'") + t.text + QStringLiteral("'");
        case Tok::Symbol:
            if (t.text == QLatin1String("(")) {
                ++m_i;
                if (isWord("SELECT")) {
                    QString s = selectStatement(true);
                    expectSym(")");
                    return QStringLiteral("(") + s + QStringLiteral(")");
                }
                QString e = expr();
                expectSym(")");
                return e;
            }
            if (t.text == QLatin1String("*")) {
                ++m_i;
                return QStringLiteral("*");
            }
            fail(QStringLiteral("simbolo '%1' inatteso").arg(t.text));
        case Tok::End:
            fail(QStringLiteral("espressione incompleta"));
        case Tok::Name:
        case Tok::Word:
            break;
        }
        if (t.type == Tok::Word) {
            if (t.upper == QLatin1String("TRUE")) { ++m_i; return m_params ? (params << 1, QStringLiteral("?")) : QStringLiteral("1"); }
            if (t.upper == QLatin1String("FALSE")) { ++m_i; return m_params ? (params << 0, QStringLiteral("?")) : QStringLiteral("0"); }
            if (t.upper == QLatin1String("YES")) { ++m_i; return QStringLiteral("1"); }
            if (t.upper == QLatin1String("NO")) { ++m_i; return QStringLiteral("0"); }
            if (t.upper == QLatin1String("NULL")) { ++m_i; return QStringLiteral("NULL"); }
            if (t.upper == QLatin1String("EXISTS")) {
                ++m_i;
                expectSym("(");
                if (!isWord("SELECT"))
                    fail(QStringLiteral("EXISTS richiede una SELECT"));
                QString s = selectStatement(true);
                expectSym(")");
                return QStringLiteral("EXISTS (") + s + QStringLiteral(")");
            }
            if (isSym("(", 1))
                return functionCall();
            if (isReservedWord(t.upper))
                fail(QStringLiteral("parola chiave %1 inattesa").arg(t.text));
        }
        return qualifiedName();
    }

    QString qualifiedName()
    {
        QString out = ident(takeName());
        while (isSym(".")) {
            ++m_i;
            if (acceptSym("*"))
                return out + QStringLiteral(".*");
            out += QLatin1Char('.') + ident(takeName());
        }
        return out;
    }

    QStringList arguments()
    {
        expectSym("(");
        QStringList args;
        if (acceptSym(")"))
            return args;
        do {
            args << expr();
        } while (acceptSym(","));
        expectSym(")");
        return args;
    }

    QString functionCall()
    {
        const Token name = peek();
        ++m_i;
        const QString f = name.upper;
        auto need = [&](const QStringList &a, int lo, int hi) {
            if (a.size() < lo || a.size() > hi)
                throw TranslateError(QStringLiteral("numero di argomenti errato per %1 alla posizione %2")
                                         .arg(name.text).arg(name.pos + 1));
        };
        // Aggregates may carry DISTINCT and *.
        if (f == QLatin1String("COUNT") || f == QLatin1String("SUM") || f == QLatin1String("AVG")
            || f == QLatin1String("MIN") || f == QLatin1String("MAX") || f == QLatin1String("FIRST")
            || f == QLatin1String("LAST") || f == QLatin1String("STDEV") || f == QLatin1String("VAR")) {
            expectSym("(");
            QString arg;
            bool distinct = acceptWord("DISTINCT");
            if (acceptSym("*")) {
                if (f != QLatin1String("COUNT"))
                    fail(QStringLiteral("* ammesso solo in Count"));
                arg = QStringLiteral("*");
            } else {
                arg = expr();
            }
            expectSym(")");
            QString fn = f == QLatin1String("FIRST") ? QStringLiteral("jet_first")
                       : f == QLatin1String("LAST")  ? QStringLiteral("jet_last")
                       : f == QLatin1String("STDEV") || f == QLatin1String("VAR")
                           ? QString()
                           : f.toLower();
            if (fn.isEmpty())
                throw TranslateError(QStringLiteral("funzione %1 non gestita").arg(name.text));
            return QStringLiteral("%1(%2%3)").arg(fn, distinct ? QStringLiteral("DISTINCT ") : QString(), arg);
        }
        const QStringList a = arguments();
        auto dateFn = [&](const char *fmt) {
            need(a, 1, 1);
            return QStringLiteral("CAST(strftime('%1', %2) AS INTEGER)").arg(QLatin1String(fmt), a[0]);
        };
        if (f == QLatin1String("IIF")) { need(a, 3, 3); return QStringLiteral("(CASE WHEN %1 THEN %2 ELSE %3 END)").arg(a[0], a[1], a[2]); }
        if (f == QLatin1String("NZ")) { need(a, 1, 2); return QStringLiteral("IFNULL(%1, %2)").arg(a[0], a.size() > 1 ? a[1] : QStringLiteral("''")); }
        if (f == QLatin1String("ISNULL")) { need(a, 1, 1); return QStringLiteral("(%1 IS NULL)").arg(a[0]); }
        if (f == QLatin1String("LEFT")) { need(a, 2, 2); return QStringLiteral("jet_left(%1, %2)").arg(a[0], a[1]); }
        if (f == QLatin1String("RIGHT")) { need(a, 2, 2); return QStringLiteral("jet_right(%1, %2)").arg(a[0], a[1]); }
        if (f == QLatin1String("MID")) {
            need(a, 2, 3);
            return a.size() == 3 ? QStringLiteral("jet_mid(%1, %2, %3)").arg(a[0], a[1], a[2])
                                 : QStringLiteral("jet_mid(%1, %2)").arg(a[0], a[1]);
        }
        if (f == QLatin1String("LEN")) { need(a, 1, 1); return QStringLiteral("length(%1)").arg(a[0]); }
        if (f == QLatin1String("UCASE")) { need(a, 1, 1); return QStringLiteral("jet_ucase(%1)").arg(a[0]); }
        if (f == QLatin1String("LCASE")) { need(a, 1, 1); return QStringLiteral("jet_lcase(%1)").arg(a[0]); }
        if (f == QLatin1String("TRIM")) { need(a, 1, 1); return QStringLiteral("trim(%1, ' ')").arg(a[0]); }
        if (f == QLatin1String("LTRIM")) { need(a, 1, 1); return QStringLiteral("ltrim(%1, ' ')").arg(a[0]); }
        if (f == QLatin1String("RTRIM")) { need(a, 1, 1); return QStringLiteral("rtrim(%1, ' ')").arg(a[0]); }
        if (f == QLatin1String("INSTR")) {
            need(a, 2, 3);
            if (a.size() == 2)
                return QStringLiteral("jet_instr(1, %1, %2)").arg(a[0], a[1]);
            return QStringLiteral("jet_instr(%1, %2, %3)").arg(a[0], a[1], a[2]);
        }
        if (f == QLatin1String("REPLACE")) { need(a, 3, 3); return QStringLiteral("replace(%1, %2, %3)").arg(a[0], a[1], a[2]); }
        if (f == QLatin1String("YEAR")) return dateFn("%Y");
        if (f == QLatin1String("MONTH")) return dateFn("%m");
        if (f == QLatin1String("DAY")) return dateFn("%d");
        if (f == QLatin1String("HOUR")) return dateFn("%H");
        if (f == QLatin1String("MINUTE")) return dateFn("%M");
        if (f == QLatin1String("SECOND")) return dateFn("%S");
        if (f == QLatin1String("NOW")) { need(a, 0, 0); return QStringLiteral("jet_now()"); }
        if (f == QLatin1String("DATE")) { need(a, 0, 0); return QStringLiteral("jet_date()"); }
        if (f == QLatin1String("INT")) { need(a, 1, 1); return QStringLiteral("jet_int(%1)").arg(a[0]); }
        if (f == QLatin1String("FIX")) { need(a, 1, 1); return QStringLiteral("CAST(%1 AS INTEGER)").arg(a[0]); }
        if (f == QLatin1String("ABS")) { need(a, 1, 1); return QStringLiteral("abs(%1)").arg(a[0]); }
        if (f == QLatin1String("ROUND")) {
            need(a, 1, 2);
            return QStringLiteral("round(%1, %2)").arg(a[0], a.size() > 1 ? a[1] : QStringLiteral("0"));
        }
        if (f == QLatin1String("CSTR")) { need(a, 1, 1); return QStringLiteral("CAST(%1 AS TEXT)").arg(a[0]); }
        if (f == QLatin1String("CLNG") || f == QLatin1String("CINT")) { need(a, 1, 1); return QStringLiteral("CAST(ROUND(%1) AS INTEGER)").arg(a[0]); }
        if (f == QLatin1String("CDBL") || f == QLatin1String("CSNG") || f == QLatin1String("CCUR") || f == QLatin1String("VAL")) {
            need(a, 1, 1);
            return QStringLiteral("CAST(%1 AS REAL)").arg(a[0]);
        }
        if (f == QLatin1String("CBOOL")) { need(a, 1, 1); return QStringLiteral("(%1 <> 0)").arg(a[0]); }
        if (f == QLatin1String("CHR")) { need(a, 1, 1); return QStringLiteral("char(%1)").arg(a[0]); }
        if (f == QLatin1String("ASC")) { need(a, 1, 1); return QStringLiteral("unicode(%1)").arg(a[0]); }
        if (f == QLatin1String("SPACE")) { need(a, 1, 1); return QStringLiteral("jet_space(%1)").arg(a[0]); }
        throw TranslateError(QStringLiteral("funzione %1 non gestita").arg(name.text));
    }

    // --- statements -----------------------------------------------------------
    QString orderList()
    {
        QStringList items;
        do {
            QString e = expr();
            if (acceptWord("DESC")) e += QStringLiteral(" DESC");
            else if (acceptWord("ASC")) e += QStringLiteral(" ASC");
            items << e;
        } while (acceptSym(","));
        return items.join(QStringLiteral(", "));
    }

    // An alias after a table or a select item, with or without AS.
    QString optionalAlias()
    {
        if (acceptWord("AS"))
            return QStringLiteral(" AS ") + ident(takeName());
        if (peekName())
            return QStringLiteral(" AS ") + ident(takeName());
        return QString();
    }

    QString tableSource()
    {
        if (acceptSym("(")) {
            QString inner;
            if (isWord("SELECT"))
                inner = selectStatement(true);
            else
                inner = joinedSources();
            expectSym(")");
            QString alias = optionalAlias();
            m_complex = true;
            return QStringLiteral("(") + inner + QStringLiteral(")") + alias;
        }
        QString name = takeName();
        m_lastTable = name;
        ++m_tableCount;
        QString alias = optionalAlias();
        if (!alias.isEmpty())
            m_complex = true;
        return ident(name) + alias;
    }

    QString joinedSources()
    {
        QString l = tableSource();
        for (;;) {
            QString kind;
            if (acceptWord("INNER")) kind = QStringLiteral("INNER JOIN");
            else if (acceptWord("LEFT")) { acceptWord("OUTER"); kind = QStringLiteral("LEFT JOIN"); }
            else if (acceptWord("RIGHT")) { acceptWord("OUTER"); kind = QStringLiteral("RIGHT JOIN"); }
            else if (isWord("JOIN")) kind = QStringLiteral("INNER JOIN");
            else if (acceptSym(",")) {
                l = l + QStringLiteral(", ") + tableSource();
                m_complex = true;
                continue;
            } else
                return l;
            expectWord("JOIN");
            QString r = tableSource();
            expectWord("ON");
            QString on = expr();
            l = QStringLiteral("%1 %2 %3 ON %4").arg(l, kind, r, on);
            m_complex = true;
        }
    }

    // SELECT ... ; `nested` leaves a closing parenthesis to the caller.
    QString selectStatement(bool nested)
    {
        // Shape information belongs to this SELECT only, not to the ones
        // nested in it.
        const bool outerComplex = m_complex;
        const int outerCount = m_tableCount;
        const QString outerLast = m_lastTable;
        m_complex = false;
        m_tableCount = 0;
        m_lastTable.clear();

        expectWord("SELECT");
        QString out = QStringLiteral("SELECT ");
        bool own = false;  // something that makes this SELECT more than one table's rows
        if (acceptWord("DISTINCT")) { out += QStringLiteral("DISTINCT "); own = true; }
        else if (acceptWord("DISTINCTROW")) { /* no effect: rows of the source tables are distinct */ }
        else acceptWord("ALL");
        QString limit;
        if (acceptWord("TOP")) {
            if (peek().type != Tok::Number)
                fail(QStringLiteral("TOP richiede un numero"));
            limit = peek().text;
            ++m_i;
            if (isWord("PERCENT"))
                fail(QStringLiteral("TOP ... PERCENT non gestito"));
            own = true;
        }
        QStringList items;
        bool starOnly = false;
        do {
            if (isSym("*")) {
                ++m_i;
                items << QStringLiteral("*");
                starOnly = true;
                continue;
            }
            QString e = expr();
            items << e + optionalAlias();
        } while (acceptSym(","));
        if (items.size() != 1)
            starOnly = false;
        out += items.join(QStringLiteral(", "));
        // Expressions in the select list may hold subqueries: start afresh.
        m_complex = false;
        m_tableCount = 0;
        m_lastTable.clear();
        if (acceptWord("FROM"))
            out += QStringLiteral(" FROM ") + joinedSources();
        else
            own = true;
        const bool fromComplex = m_complex;
        const int fromTables = m_tableCount;
        const QString fromTable = m_lastTable;
        QString where;
        if (acceptWord("WHERE")) {
            where = expr();
            out += QStringLiteral(" WHERE ") + where;
        }
        if (acceptWord("GROUP")) {
            expectWord("BY");
            QStringList g;
            do { g << expr(); } while (acceptSym(","));
            out += QStringLiteral(" GROUP BY ") + g.join(QStringLiteral(", "));
            own = true;
        }
        if (acceptWord("HAVING")) {
            out += QStringLiteral(" HAVING ") + expr();
            own = true;
        }
        QString order;
        if (acceptWord("ORDER")) {
            expectWord("BY");
            order = orderList();
            out += QStringLiteral(" ORDER BY ") + order;
        }
        if (!limit.isEmpty())
            out += QStringLiteral(" LIMIT ") + limit;
        if (isWord("UNION")) {
            ++m_i;
            bool all = acceptWord("ALL");
            out += all ? QStringLiteral(" UNION ALL ") : QStringLiteral(" UNION ");
            out += selectStatement(true);
            own = true;
        }
        if (!nested) {
            m_shape.whereSql = where;
            m_shape.orderBySql = order;
            m_shape.singleTable = starOnly && fromTables == 1 && !fromComplex && !own;
            m_shape.table = m_shape.singleTable ? fromTable : QString();
        }
        m_complex = outerComplex;
        m_tableCount = outerCount;
        m_lastTable = outerLast;
        return out;
    }

    QString insertStatement()
    {
        expectWord("INSERT");
        expectWord("INTO");
        QString out = QStringLiteral("INSERT INTO ") + ident(takeName());
        if (acceptSym("(")) {
            QStringList cols;
            do { cols << ident(takeName()); } while (acceptSym(","));
            expectSym(")");
            out += QStringLiteral(" (") + cols.join(QStringLiteral(", ")) + QStringLiteral(")");
        }
        if (acceptWord("VALUES")) {
            expectSym("(");
            QStringList vals;
            do { vals << expr(); } while (acceptSym(","));
            expectSym(")");
            out += QStringLiteral(" VALUES (") + vals.join(QStringLiteral(", ")) + QStringLiteral(")");
        } else if (isWord("SELECT")) {
            out += QLatin1Char(' ') + selectStatement(true);
        } else {
            fail(QStringLiteral("atteso VALUES o SELECT"));
        }
        return out;
    }

    QString updateStatement()
    {
        expectWord("UPDATE");
        QString table = takeName();
        if (!isWord("SET"))
            fail(QStringLiteral("UPDATE su più tabelle non gestito"));
        expectWord("SET");
        QStringList sets;
        do {
            QString col = takeName();
            if (acceptSym(".")) // Table.Column
                col = takeName();
            expectSym("=");
            sets << ident(col) + QStringLiteral(" = ") + expr();
        } while (acceptSym(","));
        QString out = QStringLiteral("UPDATE ") + ident(table) + QStringLiteral(" SET ") + sets.join(QStringLiteral(", "));
        if (acceptWord("WHERE"))
            out += QStringLiteral(" WHERE ") + expr();
        return out;
    }

    QString deleteStatement()
    {
        expectWord("DELETE");
        if (acceptSym("*")) {
        } else if (peekName() && isSym(".", 1) && isSym("*", 2)) {
            m_i += 3;
        }
        expectWord("FROM");
        QString out = QStringLiteral("DELETE FROM ") + ident(takeName());
        if (acceptWord("WHERE"))
            out += QStringLiteral(" WHERE ") + expr();
        return out;
    }

    QString statement()
    {
        QString out;
        if (isWord("SELECT")) out = selectStatement(false);
        else if (isWord("INSERT")) out = insertStatement();
        else if (isWord("UPDATE")) out = updateStatement();
        else if (isWord("DELETE")) out = deleteStatement();
        else if (atEnd()) fail(QStringLiteral("istruzione vuota"));
        else fail(QStringLiteral("istruzione non gestita (%1)").arg(peek().text));
        expectEnd();
        return out;
    }

    QString wholeCondition()
    {
        if (atEnd())
            return QString();
        QString e = expr();
        if (!atEnd())
            fail(QStringLiteral("testo non riconosciuto"));
        return e;
    }
    QString wholeOrder()
    {
        if (atEnd())
            return QString();
        QString o = orderList();
        if (!atEnd())
            fail(QStringLiteral("testo non riconosciuto"));
        return o;
    }

    SelectShape m_shape;

private:
    QVector<Token> m_toks;
    int m_i = 0;
    bool m_params;
    bool m_complex = false;
    int m_tableCount = 0;
    QString m_lastTable;
};

template <typename F>
auto guarded(const QString &jet, const char *what, F f)
{
    try {
        return f();
    } catch (const TranslateError &e) {
        throw DataError(QStringLiteral("SQL Jet non traducibile (%1): %2").arg(QLatin1String(what), e.message), jet);
    }
}

} // namespace

QString JetSql::statement(const QString &jet)
{
    return guarded(jet, "istruzione", [&] { return Translator(jet, false).statement(); });
}

QString JetSql::condition(const QString &jet)
{
    return guarded(jet, "condizione", [&] { return Translator(jet, false).wholeCondition(); });
}

SqlWithParams JetSql::conditionWithParams(const QString &jet)
{
    return guarded(jet, "condizione", [&] {
        Translator t(jet, true);
        SqlWithParams r;
        r.sql = t.wholeCondition();
        r.params = t.params;
        return r;
    });
}

QString JetSql::orderBy(const QString &jet)
{
    return guarded(jet, "ordinamento", [&] { return Translator(jet, false).wholeOrder(); });
}

SelectShape JetSql::select(const QString &jet)
{
    return guarded(jet, "istruzione", [&] {
        Translator t(jet, false);
        if (!t.isWord("SELECT"))
            t.fail(QStringLiteral("attesa una SELECT"));
        QString sql = t.statement();
        SelectShape s = t.m_shape;
        s.sql = sql;
        return s;
    });
}
