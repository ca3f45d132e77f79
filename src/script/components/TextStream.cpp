#include "TextStream.h"
#include "../ArgConversions.h"

#include <QFileInfo>
#include <QStringDecoder>

namespace vbs {

namespace {

const MemberTable kMembers{"Read", "ReadLine", "ReadAll", "Skip", "SkipLine", "AtEndOfStream",
                           "AtEndOfLine", "Line", "Column", "Write", "WriteLine", "WriteBlankLines",
                           "Close"};
enum Member {
    Read = 1, ReadLine, ReadAll, Skip, SkipLine, AtEndOfStream, AtEndOfLine, Line, Column, Write,
    WriteLine, WriteBlankLines, Close
};

constexpr int ErrBadFileMode = 54;
constexpr int ErrInputPastEnd = 62;
constexpr int ErrBadFileName = 52;
constexpr qint64 kMaxReadBytes = 256LL << 20;

// Text files are read as UTF-16 when they start with its byte-order mark,
// as UTF-8 when they are valid UTF-8, and as Latin-1 otherwise.
QString decode(const QByteArray &bytes)
{
    if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder d(QStringDecoder::Utf16LE);
        return d(bytes.mid(2));
    }
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString s = utf8(bytes);
    if (!utf8.hasError())
        return s;
    return QString::fromLatin1(bytes);
}

} // namespace

TextStream::TextStream(const QString &path, Mode mode, bool unicode)
    : m_mode(mode), m_unicode(unicode), m_file(path)
{
    if (mode == ForReading) {
        if (!m_file.open(QIODevice::ReadOnly))
            raise(QFileInfo::exists(path) ? ErrPermissionDenied : ErrFileNotFound);
        if (m_file.size() > kMaxReadBytes)
            raise(ErrOutOfMemory);
        m_text = decode(m_file.readAll());
        m_file.close();
        return;
    }
    const bool existed = QFileInfo::exists(path);
    QIODevice::OpenMode how = QIODevice::WriteOnly;
    how |= mode == ForAppending ? QIODevice::Append : QIODevice::Truncate;
    if (!m_file.open(how))
        raise(existed ? ErrPermissionDenied : ErrPathNotFound);
    if (m_unicode && (mode == ForWriting || m_file.size() == 0))
        m_file.write("\xFF\xFE", 2);
}

TextStream::~TextStream()
{
    if (m_file.isOpen())
        m_file.close();
}

int TextStream::findMember(const QString &name) const { return kMembers.find(name); }
const void *TextStream::memberKey() const { return &kMembers; }

void TextStream::needReading() const
{
    if (!m_open)
        raise(ErrBadFileName);
    if (m_mode != ForReading)
        raise(ErrBadFileMode);
}

void TextStream::needWriting() const
{
    if (!m_open)
        raise(ErrBadFileName);
    if (m_mode == ForReading)
        raise(ErrBadFileMode);
}

void TextStream::write(const QString &text)
{
    needWriting();
    const QByteArray bytes = m_unicode
        ? QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2)
        : text.toUtf8();
    if (m_file.write(bytes) != bytes.size())
        raise(57); // Device I/O error
    for (QChar c : text) {
        if (c == QLatin1Char('\n')) {
            ++m_line;
            m_column = 1;
        } else {
            ++m_column;
        }
    }
}

void TextStream::advance(qsizetype n)
{
    for (qsizetype i = 0; i < n && m_pos < m_text.size(); ++i, ++m_pos) {
        if (m_text[m_pos] == QLatin1Char('\n')) {
            ++m_line;
            m_column = 1;
        } else {
            ++m_column;
        }
    }
}

QString TextStream::readLine()
{
    needReading();
    if (m_pos >= m_text.size())
        raise(ErrInputPastEnd);
    qsizetype end = m_text.indexOf(QLatin1Char('\n'), m_pos);
    const qsizetype next = end < 0 ? m_text.size() : end + 1;
    if (end < 0)
        end = m_text.size();
    QString line = m_text.mid(m_pos, end - m_pos);
    if (line.endsWith(QLatin1Char('\r')))
        line.chop(1);
    advance(next - m_pos);
    return line;
}

void TextStream::close()
{
    if (m_file.isOpen())
        m_file.close();
    m_text.clear();
    m_open = false;
}

Variant TextStream::call(int id, CallArgs &a, bool)
{
    switch (id) {
    case Read: {
        a.expect(1, 1);
        needReading();
        const int32_t n = a[0].toLong();
        if (n < 0)
            raise(ErrInvalidCall);
        if (m_pos >= m_text.size() && n > 0)
            raise(ErrInputPastEnd);
        const QString s = m_text.mid(m_pos, n);
        advance(s.size());
        return Variant(s);
    }
    case ReadLine:
        a.expect(0, 0);
        return Variant(readLine());
    case ReadAll: {
        a.expect(0, 0);
        needReading();
        if (m_pos >= m_text.size())
            raise(ErrInputPastEnd);
        const QString s = m_text.mid(m_pos);
        advance(s.size());
        return Variant(s);
    }
    case Skip: {
        a.expect(1, 1);
        needReading();
        const int32_t n = a[0].toLong();
        if (n < 0)
            raise(ErrInvalidCall);
        advance(n);
        return Variant();
    }
    case SkipLine:
        a.expect(0, 0);
        readLine();
        return Variant();
    case AtEndOfStream:
        a.expect(0, 0);
        needReading();
        return Variant(m_pos >= m_text.size());
    case AtEndOfLine:
        a.expect(0, 0);
        needReading();
        return Variant(m_pos >= m_text.size() || m_text[m_pos] == QLatin1Char('\r')
                       || m_text[m_pos] == QLatin1Char('\n'));
    case Line:
        a.expect(0, 0);
        return Variant(int32_t(m_line));
    case Column:
        a.expect(0, 0);
        return Variant(int32_t(m_column));
    case Write:
        a.expect(1, 1);
        write(writeTextArg(a[0]));
        return Variant();
    case WriteLine:
        a.expect(0, 1);
        write((a.isMissing(0) ? QString() : writeTextArg(a[0])) + QStringLiteral("\r\n"));
        return Variant();
    case WriteBlankLines: {
        a.expect(1, 1);
        const int32_t n = a[0].toLong();
        if (n < 0 || n > (1 << 24))
            raise(ErrInvalidCall);
        write(QStringLiteral("\r\n").repeated(n));
        return Variant();
    }
    case Close:
        a.expect(0, 0);
        close();
        return Variant();
    default:
        raise(ErrNoSuchMember);
    }
}

} // namespace vbs
