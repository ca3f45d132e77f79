#include "AdoStream.h"

#include "AdoComponents.h"

#include "preview/AspCodePage.h"
#include "preview/AspFields.h"
#include "script/components/FileSystemObject.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace preview {

using namespace vbs;
using namespace ado;

namespace {

const MemberTable kMembers{"Open", "Close", "Type", "Charset", "WriteText", "ReadText", "LoadFromFile",
                           "SaveToFile", "Position", "Size", "EOS", "SetEOS", "LineSeparator", "State",
                           "Mode", "Read", "Write", "SkipLine", "Flush", "CopyTo"};
enum Member {
    Open = 1, Close, Type, Charset, WriteText, ReadText, LoadFromFile, SaveToFile, Position, Size, Eos, SetEos,
    LineSeparator, State, Mode, Read, Write, SkipLine, Flush, CopyTo
};

constexpr int adTypeBinary = 1;
constexpr int adTypeText = 2;
constexpr int adWriteLine = 1;
constexpr int adReadAll = -1;
constexpr int adReadLine = -2;
constexpr int adSaveCreateOverWrite = 2;
constexpr int adCR = 13;
constexpr int adLF = 10;

constexpr int ErrFileOpen = 3002;     // the file could not be opened
constexpr int ErrFileWrite = 3004;    // writing to the file failed
constexpr int ErrWrongType = 3219;    // the operation does not suit the stream's type
constexpr qint64 kMaxStreamBytes = 64 * 1024 * 1024;

const QString kClosedText = QStringLiteral("Operazione non consentita quando l'oggetto è chiuso.");

enum class Kind { Utf16, Utf8, CodePage };

Kind kindOf(const QString &charset)
{
    const QString c = charset.toLower();
    if (c == QLatin1String("unicode") || c == QLatin1String("utf-16") || c == QLatin1String("utf-16le"))
        return Kind::Utf16;
    if (c == QLatin1String("utf-8") || c == QLatin1String("utf8"))
        return Kind::Utf8;
    return Kind::CodePage;
}

int argInt(const CallArgs &args, int i, int fallback)
{
    return args.isMissing(i) ? fallback : defaultValue(args[i]).toLong();
}

} // namespace

int AdoStream::findMember(const QString &name) const { return kMembers.find(name); }
const void *AdoStream::memberKey() const { return &kMembers; }

void AdoStream::requireOpen() const
{
    if (!m_open)
        raiseAdo(ErrObjectClosed, kClosedText);
}

void AdoStream::requireText() const
{
    if (m_type != adTypeText)
        raiseAdo(ErrWrongType, QStringLiteral("Operazione non consentita in questo contesto: lo Stream non è di tipo testo."));
}

QByteArray AdoStream::byteOrderMark() const
{
    switch (kindOf(m_charset)) {
    case Kind::Utf16: return QByteArray("\xFF\xFE", 2);
    case Kind::Utf8: return QByteArray("\xEF\xBB\xBF", 3);
    default: return {};
    }
}

QByteArray AdoStream::encode(const QString &text) const
{
    switch (kindOf(m_charset)) {
    case Kind::Utf16: {
        QStringEncoder e(QStringConverter::Utf16LE);
        return e.encode(text);
    }
    case Kind::Utf8:
        return text.toUtf8();
    default:
        break;
    }
    const int cp = codepage::fromCharset(m_charset);
    return codepage::encode(text, cp ? cp : codepage::kWindows1252, false);
}

QString AdoStream::decode(const QByteArray &bytes) const
{
    switch (kindOf(m_charset)) {
    case Kind::Utf16: {
        QStringDecoder d(QStringConverter::Utf16LE);
        return d.decode(bytes);
    }
    case Kind::Utf8:
        return QString::fromUtf8(bytes);
    default:
        break;
    }
    const int cp = codepage::fromCharset(m_charset);
    if (!cp || cp == codepage::kWindows1252)
        return codepage::fromWindows1252(bytes);
    QStringDecoder d(codepage::charsetName(cp).toLatin1().constData());
    return d.isValid() ? QString(d.decode(bytes)) : codepage::fromWindows1252(bytes);
}

void AdoStream::writeBytes(const QByteArray &bytes)
{
    if (m_pos + bytes.size() > kMaxStreamBytes)
        raise(ErrOutOfMemory);
    const qsizetype overlap = std::min<qsizetype>(bytes.size(), m_data.size() - m_pos);
    m_data.replace(m_pos, overlap, bytes);
    m_pos += bytes.size();
}

QString AdoStream::lineSeparator() const
{
    switch (m_lineSeparator) {
    case adCR: return QStringLiteral("\r");
    case adLF: return QStringLiteral("\n");
    default: return QStringLiteral("\r\n");
    }
}

QString AdoStream::readText(int count)
{
    QByteArray rest = m_data.mid(m_pos);
    qsizetype skipped = 0;
    const QByteArray bom = byteOrderMark();
    if (m_pos == 0 && !bom.isEmpty() && rest.startsWith(bom)) {
        rest = rest.mid(bom.size());
        skipped = bom.size();
    }
    const QString text = decode(rest);
    QString taken;
    qsizetype consumed = 0;  // characters of text used up
    if (count == adReadLine) {
        const QString sep = lineSeparator();
        const qsizetype at = text.indexOf(sep);
        taken = at < 0 ? text : text.left(at);
        consumed = at < 0 ? text.size() : at + sep.size();
    } else if (count < 0) {
        taken = text;
        consumed = text.size();
    } else {
        taken = text.left(count);
        consumed = taken.size();
    }
    m_pos += skipped + (consumed == text.size() ? rest.size() : encode(text.left(consumed)).size());
    return taken;
}

QString AdoStream::resolve(const QString &path) const
{
    return FileAccess(m_fileRoots).resolve(path);
}

Variant AdoStream::call(int id, CallArgs &args, bool)
{
    switch (id) {
    case Open:
        args.expect(0, 5);
        if (m_open)
            raiseAdo(ErrObjectOpen, QStringLiteral("Operazione non consentita quando l'oggetto è aperto."));
        if (!args.isMissing(0) && !defaultValue(args[0]).toText().isEmpty())
            raiseAdo(ErrArgumentsWrong, QStringLiteral("Uno Stream si apre senza origine; usare LoadFromFile."));
        m_mode = argInt(args, 1, 0);
        m_open = true;
        m_data.clear();
        m_pos = 0;
        return {};
    case Close:
        args.expect(0, 0);
        requireOpen();
        m_open = false;
        m_data.clear();
        m_pos = 0;
        return {};
    case Type:
        args.expect(0, 0);
        return Variant(int32_t(m_type));
    case Charset:
        args.expect(0, 0);
        return Variant(m_charset);
    case LineSeparator:
        args.expect(0, 0);
        return Variant(int32_t(m_lineSeparator));
    case State:
        args.expect(0, 0);
        return Variant(int32_t(m_open ? 1 : 0));
    case Mode:
        args.expect(0, 0);
        return Variant(int32_t(m_mode));
    case WriteText: {
        args.expect(1, 2);
        requireOpen();
        requireText();
        QString text = defaultValue(args[0]).toText();
        if (argInt(args, 1, 0) == adWriteLine)
            text += lineSeparator();
        if (m_pos == 0 && m_data.isEmpty())
            writeBytes(byteOrderMark());
        writeBytes(encode(text));
        return {};
    }
    case ReadText:
        args.expect(0, 1);
        requireOpen();
        requireText();
        return Variant(readText(argInt(args, 0, adReadAll)));
    case SkipLine:
        args.expect(0, 0);
        requireOpen();
        requireText();
        readText(adReadLine);
        return {};
    case Read: {
        args.expect(0, 1);
        requireOpen();
        if (m_type != adTypeBinary)
            raiseAdo(ErrWrongType, QStringLiteral("Operazione non consentita: lo Stream non è di tipo binario."));
        const int wanted = argInt(args, 0, -1);
        const qsizetype n = wanted < 0 ? m_data.size() - m_pos : std::min<qsizetype>(wanted, m_data.size() - m_pos);
        auto *array = new ArrayData({ArrayBound{0, int32_t(n)}});
        Variant result = Variant::array(array);
        array->items.resize(size_t(n));
        for (qsizetype i = 0; i < n; ++i)
            array->items[size_t(i)] = Variant::byte(uint8_t(m_data[m_pos + i]));
        m_pos += n;
        return result;
    }
    case Write: {
        args.expect(1, 1);
        requireOpen();
        if (m_type != adTypeBinary)
            raiseAdo(ErrWrongType, QStringLiteral("Operazione non consentita: lo Stream non è di tipo binario."));
        QByteArray bytes;
        const Variant v = args[0];
        if (v.isArray()) {
            for (const Variant &item : v.arrayValue()->items)
                bytes.append(char(item.deref().toLong() & 0xFF));
        } else {
            for (const QChar c : v.toText())
                bytes.append(char(c.unicode() & 0xFF));
        }
        writeBytes(bytes);
        return {};
    }
    case LoadFromFile: {
        args.expect(1, 1);
        requireOpen();
        const QString path = resolve(argText(args, 0));
        QFile f(path);
        if (!QFileInfo(path).isFile() || f.size() > kMaxStreamBytes || !f.open(QIODevice::ReadOnly))
            raiseAdo(ErrFileOpen, QStringLiteral("Impossibile aprire il file \"%1\".").arg(argText(args, 0)));
        m_data = f.readAll();
        m_pos = 0;
        return {};
    }
    case SaveToFile: {
        args.expect(1, 2);
        requireOpen();
        const QString path = resolve(argText(args, 0));
        const bool overwrite = argInt(args, 1, 1) == adSaveCreateOverWrite;
        if (QFileInfo::exists(path) && !overwrite)
            raiseAdo(ErrFileWrite, QStringLiteral("Scrittura nel file non riuscita: \"%1\" esiste già.").arg(argText(args, 0)));
        QSaveFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(m_data) != m_data.size() || !f.commit())
            raiseAdo(ErrFileWrite, QStringLiteral("Scrittura nel file non riuscita: \"%1\".").arg(argText(args, 0)));
        return {};
    }
    case Position:
        args.expect(0, 0);
        requireOpen();
        return Variant(int32_t(m_pos));
    case Size:
        args.expect(0, 0);
        requireOpen();
        return Variant(int32_t(m_data.size()));
    case Eos:
        args.expect(0, 0);
        requireOpen();
        return Variant(m_pos >= m_data.size());
    case SetEos:
        args.expect(0, 0);
        requireOpen();
        m_data.truncate(m_pos);
        return {};
    case Flush:
        args.expect(0, 0);
        return {};
    case CopyTo: {
        args.expect(1, 2);
        requireOpen();
        auto *target = args[0].isObject() ? dynamic_cast<AdoStream *>(args[0].objectValue()) : nullptr;
        if (!target)
            raise(ErrTypeMismatch);
        target->requireOpen();
        const int wanted = argInt(args, 1, -1);
        const qsizetype n = wanted < 0 ? m_data.size() - m_pos : std::min<qsizetype>(wanted, m_data.size() - m_pos);
        target->writeBytes(m_data.mid(m_pos, n));
        m_pos += n;
        return {};
    }
    default:
        raise(ErrNoSuchMember);
    }
}

void AdoStream::put(int id, CallArgs &args, const Variant &value0, bool)
{
    args.expect(0, 0);
    const Variant value = defaultValue(value0);
    switch (id) {
    case Type: {
        const int type = value.toLong();
        if (type != adTypeBinary && type != adTypeText)
            raiseAdo(ErrArgumentsWrong, QStringLiteral("Tipo di Stream non valido."));
        if (m_open && m_pos != 0)
            raiseAdo(ErrArgumentsWrong, QStringLiteral("Il tipo si cambia solo con Position a 0."));
        m_type = type;
        return;
    }
    case Charset: {
        const QString charset = value.toText().trimmed();
        if (kindOf(charset) == Kind::CodePage && !codepage::isSupported(codepage::fromCharset(charset)))
            raiseAdo(ErrArgumentsWrong, QStringLiteral("Charset non supportato: \"%1\".").arg(charset));
        if (m_open && m_pos != 0)
            raiseAdo(ErrArgumentsWrong, QStringLiteral("Il charset si cambia solo con Position a 0."));
        m_charset = charset;
        return;
    }
    case LineSeparator: {
        const int sep = value.toLong();
        if (sep != -1 && sep != adCR && sep != adLF)
            raiseAdo(ErrArgumentsWrong, QStringLiteral("Separatore di riga non valido."));
        m_lineSeparator = sep;
        return;
    }
    case Mode:
        m_mode = value.toLong();
        return;
    case Position: {
        requireOpen();
        const int pos = value.toLong();
        if (pos < 0 || pos > m_data.size())
            raiseAdo(ErrArgumentsWrong, QStringLiteral("Posizione fuori dall'intervallo consentito."));
        m_pos = pos;
        return;
    }
    default:
        raise(ErrNoSuchMember);
    }
}

} // namespace preview
