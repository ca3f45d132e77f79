#pragma once

#include <QByteArray>
#include <QString>

namespace preview {

// Code pages and character sets of ASP pages: how a page's output is
// turned into bytes and which charset the answer declares.
//
// Windows-1252 is built in (it is what pages written on Windows use, and
// its 0x80-0x9F range holds the euro sign, dashes and typographic quotes
// that Latin-1 lacks); other code pages go through Qt's converters when
// they know them.
namespace codepage {

constexpr int kUtf8 = 65001;
constexpr int kWindows1252 = 1252;

// The characters of Windows-1252 bytes.
QString fromWindows1252(const QByteArray &bytes);

// The code page a charset name stands for ("utf-8" -> 65001,
// "windows-1252" and "iso-8859-1" -> 1252 ...); 0 when unknown.
int fromCharset(const QString &charset);
// The charset name an answer in this code page declares ("utf-8",
// "windows-1252" ...); empty when the code page cannot be used here.
QString charsetName(int codePage);
// True when text can be written in this code page.
bool isSupported(int codePage);

// The text in the code page. A character the code page cannot hold becomes
// an HTML character reference (&#8364;) when `html`, else "?".
QByteArray encode(const QString &text, int codePage, bool html);

} // namespace codepage
} // namespace preview
