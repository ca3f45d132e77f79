#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Reads a text file written on any of the shop's machines: UTF-8 (with or
// without a byte-order mark) or Windows-1252, told apart by the content
// (bytes that do not form valid UTF-8 mean Windows-1252). Lines may end in
// CR LF, LF or CR; a last line without an ending counts, an ending at the
// very end of the file does not start another line, and empty or blank
// lines at the end of the file are left out.
class ImportTextFile {
public:
    enum class Encoding { Utf8, Windows1252 };

    // False (with a reason) when the file cannot be read.
    bool read(const QString &path, QString *error = nullptr);
    void setContent(const QByteArray &bytes);

    Encoding encoding() const { return m_encoding; }
    const QStringList &lines() const { return m_lines; }
    int lineCount() const { return int(m_lines.size()); }

    static bool isValidUtf8(const QByteArray &bytes);
    static QString decodeWindows1252(const QByteArray &bytes);

private:
    Encoding m_encoding = Encoding::Utf8;
    QStringList m_lines;
};
