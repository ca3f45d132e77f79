// zanfira-cli vbs FILE.vbs [ARGS]: runs a VBScript file as a command-line
// script host does, with the WScript object.

#include "CliVerb.h"

#include "script/Dispatch.h"
#include "script/Engine.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <QThread>

#include <cstdio>

namespace {

using namespace vbs;

void writeOut(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

// WScript.Arguments: indexable, Count/Length, For Each.
class ArgumentsObject : public Dispatch {
public:
    explicit ArgumentsObject(QStringList args) : m_args(std::move(args)) {}
    QString typeName() const override { return QStringLiteral("Object"); }
    int findMember(const QString &name) const override { return table().find(name); }
    const void *memberKey() const override { return &table(); }
    Variant call(int id, CallArgs &args, bool) override
    {
        switch (id) {
        case kDefaultMember:
        case 1: { // Item
            args.expect(1, 1);
            const int i = args[0].toLong();
            if (i < 0 || i >= m_args.size())
                raise(ErrSubscript);
            return Variant(m_args[i]);
        }
        case 2: // Count
        case 3: // Length
            args.expect(0, 0);
            return Variant(int32_t(m_args.size()));
        default:
            raise(ErrNoSuchMember);
        }
    }
    std::unique_ptr<Enumerator> enumerate() override
    {
        struct It : Enumerator {
            QStringList items;
            int pos = 0;
            bool next(Variant &out) override
            {
                if (pos >= items.size())
                    return false;
                out = Variant(items[pos++]);
                return true;
            }
        };
        auto it = std::make_unique<It>();
        it->items = m_args;
        return it;
    }

private:
    static const MemberTable &table()
    {
        static const MemberTable t{"Item", "Count", "Length"};
        return t;
    }
    QStringList m_args;
};

// WScript.StdOut / StdErr.
class StreamObject : public Dispatch {
public:
    explicit StreamObject(FILE *f) : m_file(f) {}
    QString typeName() const override { return QStringLiteral("TextStream"); }
    int findMember(const QString &name) const override { return table().find(name); }
    const void *memberKey() const override { return &table(); }
    Variant call(int id, CallArgs &args, bool) override
    {
        switch (id) {
        case 1: args.expect(1, 1); writeOut(m_file, args[0].toText()); break;
        case 2: args.expect(0, 1); writeOut(m_file, (args.size() ? args[0].toText() : QString()) + QLatin1Char('\n')); break;
        case 3: args.expect(0, 1); writeOut(m_file, QString(args.size() ? args[0].toLong() : 1, QLatin1Char('\n'))); break;
        default: raise(ErrNoSuchMember);
        }
        return Variant();
    }

private:
    static const MemberTable &table()
    {
        static const MemberTable t{"Write", "WriteLine", "WriteBlankLines"};
        return t;
    }
    FILE *m_file;
};

class WScriptObject : public Dispatch {
public:
    WScriptObject(QString path, QStringList args)
        : m_path(std::move(path)), m_args(new ArgumentsObject(std::move(args))),
          m_stdout(new StreamObject(stdout)), m_stderr(new StreamObject(stderr))
    {
    }
    QString typeName() const override { return QStringLiteral("Object"); }
    int findMember(const QString &name) const override { return table().find(name); }
    const void *memberKey() const override { return &table(); }
    Variant call(int id, CallArgs &args, bool) override
    {
        switch (id) {
        case 1: { // Echo
            QString line;
            for (int i = 0; i < args.size(); ++i) {
                if (i)
                    line += QLatin1Char(' ');
                line += args[i].toText();
            }
            writeOut(stdout, line + QLatin1Char('\n'));
            std::fflush(stdout);
            return Variant();
        }
        case 2: // Arguments
            return Variant(static_cast<Dispatch *>(m_args.get()));
        case 3: // Quit
            args.expect(0, 1);
            std::fflush(stdout);
            throw ScriptStop{args.size() ? int(args[0].toLong()) : 0};
        case 4: return Variant(QFileInfo(m_path).fileName());      // ScriptName
        case 5: return Variant(QFileInfo(m_path).absoluteFilePath()); // ScriptFullName
        case 6: // Sleep
            args.expect(1, 1);
            QThread::msleep(qBound(0, int(args[0].toLong()), 10000));
            return Variant();
        case 7: return Variant(static_cast<Dispatch *>(m_stdout.get()));
        case 8: return Variant(static_cast<Dispatch *>(m_stderr.get()));
        case 9: return Variant(QStringLiteral("Windows Script Host")); // Name
        case 10: return Variant(QStringLiteral("5.8"));                // Version
        default: raise(ErrNoSuchMember);
        }
    }

private:
    static const MemberTable &table()
    {
        static const MemberTable t{"Echo", "Arguments", "Quit", "ScriptName", "ScriptFullName", "Sleep",
                                   "StdOut", "StdErr", "Name", "Version"};
        return t;
    }
    QString m_path;
    Ref<ArgumentsObject> m_args;
    Ref<StreamObject> m_stdout;
    Ref<StreamObject> m_stderr;
};

int runVbs(const QStringList &args)
{
    QTextStream err(stderr);
    if (args.isEmpty()) {
        err << "Uso: zanfira-cli vbs FILE.vbs [ARGOMENTI]\n";
        return 2;
    }
    const QString path = args.first();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        err << "Impossibile aprire il file: " << path << "\n";
        return 2;
    }
    const QString source = QString::fromUtf8(file.readAll());
    file.close();

    int exitCode = 0;
    {
        Engine engine;
        engine.setSourceName(QFileInfo(path).fileName());
        engine.addNamedItem(QStringLiteral("WScript"), Ref<Dispatch>(new WScriptObject(path, args.mid(1))));
        const bool ok = engine.run(source);
        std::fflush(stdout);
        if (!ok) {
            for (const ScriptError &e : engine.errors()) {
                const SourceLocation loc = engine.mapLine(e.line);
                err << loc.file << "(" << loc.line;
                if (e.column > 0)
                    err << ", " << e.column;
                err << ") " << e.sourceText() << ": " << e.text() << " (" << e.number << ")\n";
            }
            err.flush();
            exitCode = 1;
        } else {
            exitCode = engine.exitCode();
        }
    }
    std::fflush(stdout);
    return exitCode;
}

CliVerbRegistrar registrar({QStringLiteral("vbs"), QStringLiteral("vbs FILE.vbs [ARGOMENTI]"), runVbs});

} // namespace
