// Limits of a script run and confinement of the file system component,
// through the embedding API (the command-line host has no switches for them).

#include "script/Engine.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

using namespace vbs;

namespace {

int lastError(const Engine &e)
{
    return e.errors().isEmpty() ? 0 : e.errors().last().number;
}

QString globalText(Engine &e, const QString &name)
{
    bool ok = false;
    const Variant v = e.evaluate(name, &ok);
    return ok ? v.toText() : QStringLiteral("<error>");
}

} // namespace

TEST(ScriptLimits, EndlessLoopsEndWithTheTimeLimitEvenUnderResumeNext)
{
    for (const char *script : {"Do : Loop", "On Error Resume Next\nWhile True\n x = x + 1\nWend",
                               "Sub F()\n Do\n Loop\nEnd Sub\nOn Error Resume Next\nF\nF"}) {
        Engine e;
        EngineLimits l;
        l.timeLimitMs = 300;
        e.setLimits(l);
        QElapsedTimer t;
        t.start();
        EXPECT_FALSE(e.run(QString::fromLatin1(script))) << script;
        EXPECT_LT(t.elapsed(), 5000) << script;
        EXPECT_EQ(lastError(e), ErrTimeout) << script;
    }
}

// Each pass of these loops is one statement that spends milliseconds inside
// a built-in function or an operator; the time limit still ends the page
// within a second of its end.
TEST(ScriptLimits, HeavyBuiltInsInALoopEndWithinASecondOfTheTimeLimit)
{
    const char *scripts[] = {
        "Do\n s = Space(8000000)\nLoop",
        "Do\n s = String(8000000, \"x\")\nLoop",
        "b = Space(4000000)\nDo\n s = Replace(b, \" \", \"ab\")\nLoop",
        "Dim a(2000000)\nDo\n s = Join(a, \",\")\nLoop",
        "b = Space(4000000)\nDo\n s = b & b\nLoop",
        "b = Space(4000000)\nDo\n s = UCase(b) & LCase(b)\nLoop",
        "Do\n ReDim a(4000000)\nLoop",
        "b = Space(1000000)\nDo\n a = Split(b, \" \")\nLoop",
        "Set r = New RegExp\nr.Global = True\nr.Pattern = \" \"\nb = Space(2000000)\nDo\n s = r.Replace(b, \"-\")\nLoop",
    };
    for (const char *script : scripts) {
        Engine e;
        EngineLimits l;
        l.timeLimitMs = 300;
        e.setLimits(l);
        QElapsedTimer t;
        t.start();
        EXPECT_FALSE(e.run(QString::fromLatin1(script))) << script;
        EXPECT_LT(t.elapsed(), l.timeLimitMs + 1000) << script;
        EXPECT_EQ(lastError(e), ErrTimeout) << script;
    }
}

TEST(ScriptLimits, UnboundedRecursionEndsWithOutOfStackSpace)
{
    Engine e;
    EXPECT_FALSE(e.run(QStringLiteral("Function F(n)\n F = F(n + 1) + 1\nEnd Function\nx = F(1)")));
    EXPECT_EQ(lastError(e), ErrOutOfStack);
    // A class method calling itself through Me is held to the same limit.
    Engine c;
    EXPECT_FALSE(c.run(QStringLiteral("Class K\n Sub Go()\n Me.Go\n End Sub\nEnd Class\n"
                                      "Set k = New K\nk.Go")));
    EXPECT_EQ(lastError(c), ErrOutOfStack);
}

TEST(ScriptLimits, StringsAndArraysStopAtTheirLimits)
{
    Engine e;
    EngineLimits l;
    l.maxStringLength = 1 << 16;
    l.maxArrayElements = 1 << 12;
    e.setLimits(l);
    EXPECT_TRUE(e.run(QStringLiteral("On Error Resume Next\n"
                                     "s = Space(100000) : a = Err.Number : Err.Clear\n"
                                     "s = String(70000, \"x\") : b = Err.Number : Err.Clear\n"
                                     "s = Replace(Space(60000), \" \", \"ab\") : c = Err.Number : Err.Clear\n"
                                     "t = Split(Space(10000), \" \") : d = Err.Number : Err.Clear\n"
                                     "u = Space(1000) : ok = Len(u)")));
    EXPECT_EQ(globalText(e, QStringLiteral("a")), QStringLiteral("14"));
    EXPECT_EQ(globalText(e, QStringLiteral("b")), QStringLiteral("14"));
    EXPECT_EQ(globalText(e, QStringLiteral("c")), QStringLiteral("14"));
    EXPECT_EQ(globalText(e, QStringLiteral("d")), QStringLiteral("7"));
    EXPECT_EQ(globalText(e, QStringLiteral("ok")), QStringLiteral("1000"));
}

class FileRoots : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid() && outside.isValid());
        QFile f(outside.filePath(QStringLiteral("secret.txt")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("secret\r\n");
        f.close();
        engine.setFileRoots({root.path()});
        ASSERT_TRUE(engine.run(QStringLiteral("Set fso = CreateObject(\"Scripting.FileSystemObject\")")));
    }

    // Runs one statement under On Error Resume Next and gives Err.Number.
    QString errorOf(const QString &statement)
    {
        const QString script = QStringLiteral("On Error Resume Next\nErr.Clear\n%1\nlastErr = Err.Number").arg(statement);
        EXPECT_TRUE(engine.run(script)) << statement.toStdString();
        return globalText(engine, QStringLiteral("lastErr"));
    }

    QTemporaryDir root;
    QTemporaryDir outside;
    Engine engine;
};

TEST_F(FileRoots, FilesInsideTheRootsAreUsable)
{
    const QString inside = root.filePath(QStringLiteral("sub/page.txt"));
    EXPECT_EQ(errorOf(QStringLiteral("fso.CreateFolder \"%1\"").arg(root.filePath(QStringLiteral("sub")))),
              QStringLiteral("0"));
    EXPECT_EQ(errorOf(QStringLiteral("Set t = fso.CreateTextFile(\"%1\") : t.Write \"ciao\" : t.Close").arg(inside)),
              QStringLiteral("0"));
    EXPECT_EQ(errorOf(QStringLiteral("r = fso.OpenTextFile(\"%1\").ReadAll").arg(inside)), QStringLiteral("0"));
    EXPECT_EQ(globalText(engine, QStringLiteral("r")), QStringLiteral("ciao"));
}

TEST_F(FileRoots, PathsOutsideTheRootsArePermissionDenied)
{
    const QString secret = outside.filePath(QStringLiteral("secret.txt"));
    const QString climbing = root.path() + QStringLiteral("/../") + QDir(outside.path()).dirName()
                             + QStringLiteral("/secret.txt");
    const QString backslashes = QString(climbing).replace(QLatin1Char('/'), QLatin1Char('\\'));
    for (const QString &statement :
         {QStringLiteral("Set t = fso.OpenTextFile(\"%1\")").arg(secret),
          QStringLiteral("Set t = fso.OpenTextFile(\"%1\")").arg(climbing),
          QStringLiteral("Set t = fso.OpenTextFile(\"%1\")").arg(backslashes),
          QStringLiteral("Set t = fso.CreateTextFile(\"%1\")").arg(outside.filePath(QStringLiteral("new.txt"))),
          QStringLiteral("fso.DeleteFile \"%1\"").arg(secret),
          QStringLiteral("fso.CopyFile \"%1\", \"%2\"").arg(secret, root.filePath(QStringLiteral("copy.txt"))),
          QStringLiteral("Set f = fso.GetFolder(\"%1\")").arg(outside.path()),
          QStringLiteral("Set f = fso.GetFile(\"%1\")").arg(secret)}) {
        EXPECT_EQ(errorOf(statement), QStringLiteral("70")) << statement.toStdString();
    }
    // Existence checks say nothing about places outside.
    EXPECT_EQ(errorOf(QStringLiteral("e = fso.FileExists(\"%1\")").arg(secret)), QStringLiteral("0"));
    EXPECT_EQ(globalText(engine, QStringLiteral("CStr(e)")), QStringLiteral("False"));
    EXPECT_TRUE(QFile::exists(secret));
    EXPECT_FALSE(QFile::exists(root.filePath(QStringLiteral("copy.txt"))));
}

TEST_F(FileRoots, LinksInsideTheRootCannotLeadOutside)
{
    const QString link = root.filePath(QStringLiteral("door"));
    ASSERT_TRUE(QFile::link(outside.path(), link));
    EXPECT_EQ(errorOf(QStringLiteral("Set t = fso.OpenTextFile(\"%1/secret.txt\")").arg(link)),
              QStringLiteral("70"));
    EXPECT_EQ(errorOf(QStringLiteral("Set t = fso.CreateTextFile(\"%1/planted.txt\")").arg(link)),
              QStringLiteral("70"));
    EXPECT_FALSE(QFile::exists(outside.filePath(QStringLiteral("planted.txt"))));
}
