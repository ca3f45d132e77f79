// Runs every .vbs file under tests/script/ through `zanfira-cli vbs` and
// compares what it prints with the expectations written beside the
// statements that print it.
//
// Layout of a test file:
//
//   WScript.Echo 1 + 1
//   ' expect: 2
//   WScript.Echo "a" & vbCrLf & "b"    ' expect: a
//   ' expect: b
//   WScript.Echo ""
//   ' expect:
//
// Every "' expect:" (on a line of its own or after a statement) is one line
// of standard output, in the order of the file; the text is what follows
// "' expect: " (nothing: an empty line).
//
// Optional directives anywhere in the file (on lines of their own):
//   '@options: ARGS        extra host arguments placed before the file name
//   '@exit: N              expected exit code (default 0, or non-zero when an
//                          error is expected)
//   '@error: LINE NUMBER   the script must end with run-time or compile error
//                          NUMBER reported on line LINE (standard error names
//                          both; LINE may be * when it is not checked and
//                          NUMBER may list alternatives as 7|14)
//   '@stderr: REGEX        standard error must match REGEX

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace {

QString suiteDir() { return QStringLiteral(ZANFIRA_SOURCE_DIR "/tests/script"); }

QString cliPath()
{
    const QByteArray env = qgetenv("ZANFIRA_CLI");
    if (!env.isEmpty())
        return QString::fromLocal8Bit(env);
    return QStringLiteral(ZANFIRA_BINARY_DIR "/bin/zanfira-cli");
}

struct ScriptCase {
    QString path;      // absolute
    QString relative;  // below tests/script
};

struct Expectation {
    QStringList output;
    QStringList options;
    int exitCode = 0;
    bool exitGiven = false;
    bool errorExpected = false;
    QString errorLine;                 // "*" when not checked
    QStringList errorNumbers;          // alternatives
    QStringList stderrPatterns;
};

Expectation readExpectation(const QString &path)
{
    Expectation e;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return e;
    const QString text = QString::fromUtf8(f.readAll());
    const QStringList lines = text.split(QLatin1Char('\n'));
    const QLatin1String marker("' expect:");
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const qsizetype at = line.indexOf(marker);
        if (at >= 0) {
            const QString rest = line.mid(at + marker.size());
            if (rest.isEmpty())
                e.output << QString();
            else if (rest.startsWith(QLatin1Char(' ')))
                e.output << rest.mid(1);
            else
                e.output << QStringLiteral("<<malformed expectation: %1>>").arg(line);
            continue;
        }
        const QString t = line.trimmed();
        if (t.startsWith(QLatin1String("'@options:"))) {
            e.options = t.mid(10).trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        } else if (t.startsWith(QLatin1String("'@exit:"))) {
            e.exitCode = t.mid(7).trimmed().toInt();
            e.exitGiven = true;
        } else if (t.startsWith(QLatin1String("'@error:"))) {
            const QStringList parts = t.mid(8).trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
            e.errorExpected = true;
            e.errorLine = parts.value(0, QStringLiteral("*"));
            e.errorNumbers = parts.value(1).split(QLatin1Char('|'), Qt::SkipEmptyParts);
        } else if (t.startsWith(QLatin1String("'@stderr:"))) {
            e.stderrPatterns << t.mid(9).trimmed();
        }
    }
    return e;
}

std::vector<ScriptCase> collectCases()
{
    std::vector<ScriptCase> cases;
    QDirIterator it(suiteDir(), {QStringLiteral("*.vbs")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString p = it.next();
        cases.push_back({p, QDir(suiteDir()).relativeFilePath(p)});
    }
    std::sort(cases.begin(), cases.end(),
              [](const ScriptCase &a, const ScriptCase &b) { return a.relative < b.relative; });
    return cases;
}

QStringList splitOutput(const QByteArray &raw)
{
    QString s = QString::fromUtf8(raw);
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QStringList lines = s.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// Names the file when GoogleTest prints a parameter.
void PrintTo(const ScriptCase &c, std::ostream *os) { *os << c.relative.toStdString(); }

class VbsScript : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(VbsScript, PrintsExpectedOutput)
{
    const ScriptCase &c = GetParam();
    const Expectation e = readExpectation(c.path);
    ASSERT_TRUE(QFileInfo::exists(cliPath())) << "missing " << cliPath().toStdString();

    // Each script runs in a fresh folder of its own, so file-system tests can
    // use relative names.
    QTemporaryDir work;
    ASSERT_TRUE(work.isValid());
    QProcess proc;
    proc.setWorkingDirectory(work.path());
    QStringList args{QStringLiteral("vbs")};
    args << e.options << c.path;
    proc.start(cliPath(), args);
    ASSERT_TRUE(proc.waitForStarted(10000));
    const bool finished = proc.waitForFinished(60000);
    if (!finished) {
        proc.kill();
        proc.waitForFinished();
    }
    ASSERT_TRUE(finished) << c.relative.toStdString() << ": the host did not end";
    ASSERT_EQ(proc.exitStatus(), QProcess::NormalExit)
        << c.relative.toStdString() << ": the host crashed";

    const QStringList out = splitOutput(proc.readAllStandardOutput());
    const QString err = QString::fromUtf8(proc.readAllStandardError());

    // Line by line, so that a failure names the first differing check.
    const qsizetype n = std::max(out.size(), e.output.size());
    int mismatches = 0;
    for (qsizetype i = 0; i < n && mismatches < 15; ++i) {
        const QString want = i < e.output.size() ? e.output[i] : QStringLiteral("<nothing>");
        const QString got = i < out.size() ? out[i] : QStringLiteral("<nothing>");
        if (want != got) {
            ++mismatches;
            ADD_FAILURE() << c.relative.toStdString() << " output line " << (i + 1)
                          << "\n  expected: [" << want.toStdString() << "]"
                          << "\n  actual:   [" << got.toStdString() << "]";
        }
    }
    if (mismatches)
        ADD_FAILURE() << "standard error was:\n" << err.toStdString();

    if (e.errorExpected) {
        EXPECT_NE(proc.exitCode(), 0) << c.relative.toStdString() << ": error expected";
        if (e.errorLine != QLatin1String("*")) {
            const QRegularExpression re(QStringLiteral("\\b%1\\b").arg(e.errorLine));
            EXPECT_TRUE(re.match(err).hasMatch())
                << c.relative.toStdString() << ": line " << e.errorLine.toStdString()
                << " not named in: " << err.toStdString();
        }
        if (!e.errorNumbers.isEmpty()) {
            const QRegularExpression re(
                QStringLiteral("\\b(%1)\\b").arg(e.errorNumbers.join(QLatin1Char('|'))));
            EXPECT_TRUE(re.match(err).hasMatch())
                << c.relative.toStdString() << ": error " << e.errorNumbers.join('|').toStdString()
                << " not named in: " << err.toStdString();
        }
        if (e.exitGiven)
            EXPECT_EQ(proc.exitCode(), e.exitCode);
    } else {
        EXPECT_EQ(proc.exitCode(), e.exitCode)
            << c.relative.toStdString() << " standard error: " << err.toStdString();
    }
    for (const QString &p : e.stderrPatterns) {
        EXPECT_TRUE(QRegularExpression(p).match(err).hasMatch())
            << c.relative.toStdString() << ": standard error does not match " << p.toStdString()
            << ":\n" << err.toStdString();
    }
}

std::string caseName(const ::testing::TestParamInfo<ScriptCase> &info)
{
    std::string s = info.param.relative.toStdString();
    if (s.size() > 4 && s.compare(s.size() - 4, 4, ".vbs") == 0)
        s.resize(s.size() - 4);
    for (char &ch : s) {
        if (!std::isalnum(static_cast<unsigned char>(ch)))
            ch = '_';
    }
    return s;
}

INSTANTIATE_TEST_SUITE_P(Suite, VbsScript, ::testing::ValuesIn(collectCases()), caseName);

// The suite itself must stay large enough to mean something: every expected
// line is one check.
TEST(VbsSuite, HoldsAtLeastFourHundredChecks)
{
    int checks = 0;
    for (const ScriptCase &c : collectCases()) {
        const Expectation e = readExpectation(c.path);
        checks += int(e.output.size()) + (e.errorExpected ? 1 : 0);
    }
    EXPECT_GE(checks, 400);
}

}  // namespace
