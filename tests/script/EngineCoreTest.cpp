// Unit tests of the script engine core: Variant conversions and comparisons,
// operators, error numbers and lines, limits, and object lifetime.

#include "script/Dispatch.h"
#include "script/Engine.h"
#include "script/Variant.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

using namespace vbs;

namespace {

// Collects what the script passes to Out.Log; counts live instances.
class Recorder : public Dispatch {
public:
    static int alive;
    QStringList lines;
    Recorder() { ++alive; }
    ~Recorder() override { --alive; }
    QString typeName() const override { return QStringLiteral("Recorder"); }
    int findMember(const QString &name) const override { return table().find(name); }
    const void *memberKey() const override { return &table(); }
    Variant call(int id, CallArgs &args, bool) override
    {
        switch (id) {
        case 1: { // Log a, b, ...
            QStringList parts;
            for (int i = 0; i < args.size(); ++i)
                parts << args[i].toText();
            lines << parts.join(QLatin1Char(' '));
            return Variant();
        }
        case 2: // Twice x: doubles a by-reference argument
            args.expect(1, 1);
            args.setRef(0, opMul(args[0], Variant(int16_t(2))));
            return Variant();
        case 3: { // Keep obj: holds an object (makes cycles possible)
            args.expect(1, 1);
            kept = args[0];
            return Variant();
        }
        default:
            vbs::raise(ErrNoSuchMember);
        }
    }
    Variant kept;

private:
    static const MemberTable &table()
    {
        static const MemberTable t{"Log", "Twice", "Keep"};
        return t;
    }
};
int Recorder::alive = 0;

struct ScriptRun {
    Engine engine;
    Ref<Recorder> out{new Recorder};
    bool ok = false;
    explicit ScriptRun(const QString &script, const EngineLimits *limits = nullptr)
    {
        if (limits)
            engine.setLimits(*limits);
        engine.addNamedItem(QStringLiteral("Out"), out);
        ok = engine.run(script);
    }
    QString text() const { return out->lines.join(QLatin1Char('|')); }
    int errorNumber() const { return engine.errors().isEmpty() ? 0 : engine.errors().first().number; }
    int errorLine() const { return engine.errors().isEmpty() ? 0 : engine.errors().first().line; }
};

int errorOf(const std::function<void()> &fn)
{
    try {
        fn();
    } catch (const ScriptError &e) {
        return e.number;
    }
    return 0;
}

} // namespace

TEST(VariantConversion, IntegerConversionsRoundToEvenAndOverflow)
{
    EXPECT_EQ(Variant(2.5).toInteger(), 2);
    EXPECT_EQ(Variant(3.5).toInteger(), 4);
    EXPECT_EQ(Variant(-2.5).toInteger(), -2);
    EXPECT_EQ(Variant(QStringLiteral(" 12 ")).toLong(), 12);
    EXPECT_EQ(Variant(true).toLong(), -1);
    EXPECT_EQ(errorOf([] { Variant(32767.5).toInteger(); }), ErrOverflow);
    EXPECT_EQ(errorOf([] { Variant(3e9).toLong(); }), ErrOverflow);
    EXPECT_EQ(errorOf([] { Variant(256).toByte(); }), ErrOverflow);
    EXPECT_EQ(errorOf([] { Variant(QStringLiteral("abc")).toLong(); }), ErrTypeMismatch);
    EXPECT_EQ(errorOf([] { Variant::null().toLong(); }), ErrInvalidNull);
    EXPECT_EQ(Variant(1.23456).toCurrency(), 12346);
}

TEST(VariantConversion, NumbersAsTextFollowTheLocale)
{
    EXPECT_EQ(Variant(0.1 + 0.2).toString(), QStringLiteral("0.3"));
    EXPECT_EQ(Variant(1.0 / 3).toString(), QStringLiteral("0.333333333333333"));
    EXPECT_EQ(Variant(1e15).toString(), QStringLiteral("1E+15"));
    EXPECT_EQ(Variant(123456789012345.0).toString(), QStringLiteral("123456789012345"));
    EXPECT_EQ(Variant(0.00001).toString(), QStringLiteral("1E-05"));
    EXPECT_EQ(Variant::currency(-12345).toString(), QStringLiteral("-1.2345"));
    EXPECT_EQ(Variant(true).toString(), QStringLiteral("True"));
    const ScriptLocale saved = currentLocale();
    setCurrentLocale(ScriptLocale::forLcid(1040));
    EXPECT_EQ(Variant(1.5).toString(), QStringLiteral("1,5"));
    EXPECT_DOUBLE_EQ(Variant(QStringLiteral("1.234,5")).toDouble(), 1234.5);
    EXPECT_DOUBLE_EQ(Variant(QStringLiteral("1.5")).toDouble(), 15.0); // the point groups thousands
    EXPECT_EQ(Variant::date(dateFromParts(2000, 1, 2, 0.5)).toString(), QStringLiteral("02/01/2000 12:00:00"));
    setCurrentLocale(saved);
    EXPECT_EQ(Variant::date(dateFromParts(2000, 1, 2, 0.5)).toString(), QStringLiteral("1/2/2000 12:00:00 PM"));
    EXPECT_EQ(Variant::date(0.25).toString(), QStringLiteral("6:00:00 AM"));
}

TEST(VariantConversion, DatesParseAndSplit)
{
    double d = 0;
    ASSERT_TRUE(parseDate(QStringLiteral("12/25/2003 3:04:05 PM"), d));
    int y, m, day, h, mi, s;
    ASSERT_TRUE(dateToParts(d, y, m, day, h, mi, s));
    EXPECT_EQ(QList<int>({y, m, day, h, mi, s}), QList<int>({2003, 12, 25, 15, 4, 5}));
    EXPECT_DOUBLE_EQ(dateFromParts(1899, 12, 30), 0.0);
    EXPECT_DOUBLE_EQ(dateFromParts(2000, 13, 1), dateFromParts(2001, 1, 1));
    EXPECT_FALSE(parseDate(QStringLiteral("2/30/2001"), d));
    EXPECT_FALSE(parseDate(QStringLiteral("hello"), d));
}

TEST(VariantOperators, PromotionOverflowAndNull)
{
    const Variant a = opAdd(Variant(int16_t(32767)), Variant(int16_t(1)));
    EXPECT_EQ(a.type(), VType::Long);
    EXPECT_EQ(a.longValue(), 32768);
    EXPECT_EQ(opMul(Variant(int32_t(2147483647)), Variant(int16_t(2))).type(), VType::Double);
    EXPECT_EQ(opNeg(Variant(int16_t(-32768))).type(), VType::Long);
    EXPECT_EQ(errorOf([] { opDiv(Variant(int16_t(1)), Variant(int16_t(0))); }), ErrDivisionByZero);
    EXPECT_EQ(errorOf([] { opDiv(Variant(int16_t(0)), Variant(int16_t(0))); }), ErrOverflow);
    EXPECT_EQ(errorOf([] { opMod(Variant(int16_t(5)), Variant()); }), ErrDivisionByZero);
    EXPECT_TRUE(opAdd(Variant::null(), Variant(int16_t(1))).isNull());
    EXPECT_EQ(opConcat(Variant::null(), Variant(QStringLiteral("x"))).toString(), QStringLiteral("x"));
    EXPECT_TRUE(opConcat(Variant::null(), Variant::null()).isNull());
    EXPECT_EQ(opAdd(Variant(QStringLiteral("1")), Variant(QStringLiteral("2"))).toString(), QStringLiteral("12"));
    EXPECT_DOUBLE_EQ(opAdd(Variant(QStringLiteral("1")), Variant(int16_t(2))).toDouble(), 3.0);
    EXPECT_EQ(errorOf([] { opAdd(Variant(QStringLiteral("a")), Variant(int16_t(2))); }), ErrTypeMismatch);
    EXPECT_FALSE(opAnd(Variant::null(), Variant(false)).boolValue());
    EXPECT_TRUE(opAnd(Variant::null(), Variant(true)).isNull());
    EXPECT_TRUE(opOr(Variant::null(), Variant(true)).boolValue());
    EXPECT_EQ(opAnd(Variant(int16_t(12)), Variant(int16_t(10))).integerValue(), 8);
    EXPECT_EQ(opIntDiv(Variant(7.5), Variant(int16_t(2))).longValue(), 4); // 8 \ 2
    EXPECT_DOUBLE_EQ(opPow(Variant(int16_t(2)), Variant(int16_t(10))).toDouble(), 1024.0);
}

TEST(VariantCompare, NumbersStringsAndLiterals)
{
    const Variant five(int16_t(5));
    const Variant text(QStringLiteral("5"));
    EXPECT_EQ(compare(five, text), Cmp::Less);                // variable: a number is below any string
    EXPECT_EQ(compare(five, text, false, true), Cmp::Equal);  // literal string becomes a number
    EXPECT_EQ(compare(text, five, false, true), Cmp::Equal);  // literal number becomes a string
    EXPECT_EQ(compare(Variant(), Variant(QString())), Cmp::Equal);
    EXPECT_EQ(compare(Variant(), Variant(int16_t(0))), Cmp::Equal);
    EXPECT_EQ(compare(Variant::null(), five), Cmp::Null);
    EXPECT_EQ(compare(Variant(QStringLiteral("a")), Variant(QStringLiteral("B"))), Cmp::Greater);
    EXPECT_EQ(compare(Variant(QStringLiteral("a")), Variant(QStringLiteral("B")), false, false, true), Cmp::Less);
    // Unequal values in both orders: the answer is turned round with the operands.
    const Variant nine(int16_t(9));
    const Variant ten(QStringLiteral("10"));
    EXPECT_EQ(compare(ten, nine, true, false), Cmp::Greater);  // "10" > 9, compared as numbers
    EXPECT_EQ(compare(nine, ten, false, true), Cmp::Less);
    EXPECT_EQ(compare(ten, nine, false, true), Cmp::Less);     // "10" < "9", compared as text
    EXPECT_EQ(compare(nine, ten, true, false), Cmp::Greater);
    EXPECT_EQ(compare(ten, nine), Cmp::Greater);               // a string is above any number
    EXPECT_EQ(compare(nine, ten), Cmp::Less);
    ScriptRun run(QStringLiteral("n = 9 : s = \"10\"\n"
                                 "Out.Log \"10\" > 9, 9 < \"10\", s > 9, 9 < s, \"10\" > n, n < \"10\", s < n, n > s"));
    ASSERT_TRUE(run.ok);
    EXPECT_EQ(run.text(), QStringLiteral("True True False False True True False False"));
    EXPECT_EQ(varType(makeArray({})), 8204);
    EXPECT_EQ(typeName(Variant::nothing()), QStringLiteral("Nothing"));
}

TEST(EngineErrors, CompileErrorHasNumberLineAndNoCodeRuns)
{
    ScriptRun r(QStringLiteral("Out.Log 1\nIf x Then\nOut.Log 2\n"));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.text(), QString());
    ASSERT_EQ(r.engine.errors().size(), 1);
    EXPECT_TRUE(r.engine.errors().first().compile);
    EXPECT_EQ(r.errorNumber(), ErrExpectedEnd);
    ScriptRun s(QStringLiteral("x = (1 + \n"));
    EXPECT_EQ(s.errorNumber(), ErrExpectedExpression);
    EXPECT_EQ(s.errorLine(), 1);
}

TEST(EngineErrors, RuntimeErrorsCarryTheLineAndAreFormatted)
{
    ScriptRun r(QStringLiteral("Dim a(2)\nOut.Log 1\n\na(5) = 1\nOut.Log 2\n"));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.text(), QStringLiteral("1"));
    EXPECT_EQ(r.errorNumber(), ErrSubscript);
    EXPECT_EQ(r.errorLine(), 4);
    r.engine.setSourceName(QStringLiteral("pagina.asp"));
    EXPECT_EQ(r.engine.errorMessages().first(),
              QStringLiteral("Errore di run-time di VBScript '800a0009': Indice non incluso nell'intervallo (pagina.asp, riga 4)"));
    r.engine.setLineMapper([](int line) { return SourceLocation{QStringLiteral("inc.asp"), line + 10}; });
    EXPECT_TRUE(r.engine.errorMessages().first().endsWith(QStringLiteral("(inc.asp, riga 14)")));

    ScriptRun inner(QStringLiteral("Sub P()\n  Dim o\n  o.Foo\nEnd Sub\nP\n"));
    EXPECT_EQ(inner.errorNumber(), ErrObjectRequired);
    EXPECT_EQ(inner.errorLine(), 3);
    ScriptRun undefinedVar(QStringLiteral("Option Explicit\nDim a\na = 1\nb = 2\n"));
    EXPECT_EQ(undefinedVar.errorNumber(), ErrUndefinedVariable);
    EXPECT_EQ(undefinedVar.errorLine(), 4);
    ScriptRun member(QStringLiteral("Out.Nope 1"));
    EXPECT_EQ(member.errorNumber(), ErrNoSuchMember);
    ScriptRun msg(QStringLiteral("MsgBox \"x\""));
    EXPECT_FALSE(msg.ok);
    EXPECT_TRUE(msg.engine.errors().first().text().contains(QStringLiteral("server")));
}

TEST(EngineErrors, ResumeNextContinuesAndProcedureExitClearsErr)
{
    ScriptRun r(QStringLiteral("On Error Resume Next\n"
                         "x = 1 / 0\nOut.Log Err.Number\n"
                         "Function F()\n On Error Resume Next\n F = CInt(\"a\")\nEnd Function\n"
                         "Err.Clear\nF\nOut.Log Err.Number\n"
                         "Sub G()\n Err.Raise 1234, \"src\", \"custom\"\nEnd Sub\n"
                         "G\nOut.Log Err.Number, Err.Source, Err.Description\n"
                         "On Error GoTo 0\nOut.Log Err.Number\n"));
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.text(), QStringLiteral("11|0|1234 src custom|0"));
}

TEST(EngineLimits, TimeRecursionStringAndArrayLimitsEndTheScript)
{
    EngineLimits limits;
    limits.timeLimitMs = 200;
    QElapsedTimer timer;
    timer.start();
    ScriptRun loop(QStringLiteral("On Error Resume Next\nDo\nx = x + 1\nLoop\n"), &limits);
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_EQ(loop.errorNumber(), ErrTimeout);

    limits = EngineLimits();
    limits.maxCallDepth = 50;
    ScriptRun deep(QStringLiteral("Sub R(n)\nR n + 1\nEnd Sub\nR 1\n"), &limits);
    EXPECT_EQ(deep.errorNumber(), ErrOutOfStack);

    limits = EngineLimits();
    limits.maxCallDepth = 1000000;
    limits.maxStackBytes = 256 << 10;
    ScriptRun stack(QStringLiteral("Function F(n)\nF = F(n + 1) + 1\nEnd Function\nx = F(1)\n"), &limits);
    EXPECT_EQ(stack.errorNumber(), ErrOutOfStack);
    ScriptRun nested(QStringLiteral("Sub E()\nExecute \"E\"\nEnd Sub\nE\n"), &limits);
    EXPECT_EQ(nested.errorNumber(), ErrOutOfStack);

    limits = EngineLimits();
    limits.maxStringLength = 1000;
    ScriptRun grow(QStringLiteral("s = \"x\"\nDo\ns = s & s\nLoop\n"), &limits);
    EXPECT_EQ(grow.errorNumber(), ErrOutOfStringSpace);
    ScriptRun grow2(QStringLiteral("s = \"x\"\nDo\ns = s & \"abc\"\nLoop\n"), &limits);
    EXPECT_EQ(grow2.errorNumber(), ErrOutOfStringSpace);

    limits = EngineLimits();
    limits.maxArrayElements = 1000;
    ScriptRun big(QStringLiteral("ReDim a(100, 100)\n"), &limits);
    EXPECT_EQ(big.errorNumber(), ErrOutOfMemory);
}

TEST(EngineLimits, HostileSourceIsAnErrorNotACrash)
{
    const QStringList sources = {
        QString(5000, QLatin1Char('(')) + QStringLiteral("1"),
        QStringLiteral("x = ") + QString(3000, QLatin1Char('-')) + QStringLiteral("1"),
        QStringLiteral("If 1 Then\n").repeated(3000),
        QStringLiteral("x = \"abc"),
        QStringLiteral("x = #99/99/99#"),
        QStringLiteral("Class A\nSub"),
        QStringLiteral("\x01\x02 = 3"),
        QStringLiteral("x = &HFFFFFFFFFF"),
        QStringLiteral("ReDim a(-5)"),
        QStringLiteral("Execute \"Execute \"\"x = \"\"\"\"\"\"\""),
    };
    for (const QString &src : sources) {
        ScriptRun r(src);
        EXPECT_FALSE(r.ok) << src.left(40).toStdString();
        EXPECT_NE(r.errorNumber(), 0);
    }
}

TEST(EngineObjects, TerminateRunsOnLastReleaseAndCyclesAreBroken)
{
    const int before = Recorder::alive;
    {
        ScriptRun r(QStringLiteral("Class T\nPublic Name\nPrivate Sub Class_Terminate\nOut.Log \"bye \" & Name\nEnd Sub\nEnd Class\n"
                             "Set a = New T\na.Name = \"a\"\nSet b = a\nSet a = Nothing\nOut.Log \"mid\"\nSet b = Nothing\n"
                             "Class Node\nPublic Other\nEnd Class\n"
                             "Set n1 = New Node\nSet n2 = New Node\nSet n1.Other = n2\nSet n2.Other = n1\n"
                             "Out.Keep n1\n"));
        EXPECT_EQ(r.text(), QStringLiteral("mid|bye a"));
    }
    EXPECT_EQ(Recorder::alive, before);
}

TEST(EngineObjects, ByRefWritesBackThroughHostsAndArrayElements)
{
    ScriptRun r(QStringLiteral("x = 21\nOut.Twice x\nDim a(1)\na(1) = 4\nOut.Twice a(1)\nOut.Twice (x)\n"
                         "Sub Inc(ByRef v, ByVal w)\nv = v + 1\nw = w + 1\nEnd Sub\n"
                         "y = 1 : z = 1\nInc y, z\nInc a(1), z\n"
                         "Out.Log x, a(1), y, z\n"));
    EXPECT_TRUE(r.ok) << r.engine.errorMessages().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(r.text(), QStringLiteral("42 9 2 1"));
}

TEST(EngineObjects, GlobalsPersistBetweenRunsAndEvaluate)
{
    Engine e;
    ASSERT_TRUE(e.run(QStringLiteral("Dim total\ntotal = 40\nFunction Add(a, b)\nAdd = a + b\nEnd Function\n")));
    ASSERT_TRUE(e.run(QStringLiteral("total = Add(total, 2)")));
    bool ok = false;
    EXPECT_EQ(e.evaluate(QStringLiteral("total"), &ok).toLong(), 42);
    EXPECT_TRUE(ok);
    Variant result;
    ASSERT_TRUE(e.callProcedure(QStringLiteral("add"), {Variant(int16_t(1)), Variant(int16_t(2))}, &result));
    EXPECT_EQ(result.toLong(), 3);
}
