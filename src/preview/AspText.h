#pragma once

#include <QByteArray>
#include <QString>

namespace preview {

// Page files, include files and request data arrive as bytes: UTF-8 when
// they are valid UTF-8, else one byte per character (the encoding of sites
// written on older systems).
QString decodeText(const QByteArray &bytes);

// Decoding of query-string and form names and values: every "+" becomes a
// blank, every "%%" becomes "%", then each "%" followed by two hexadecimal
// digits (either case) becomes the byte they give; a byte produced by
// decoding is not decoded again. A "%" not followed by two hexadecimal
// digits stays as it is.
QByteArray urlDecode(const QByteArray &text);

// The number of "name=value" pairs of a query string or form body.
qsizetype countPairs(const QByteArray &text);

// Server.HTMLEncode and Server.URLEncode.
QString htmlEncode(const QString &text);
QString urlEncode(const QString &text);

} // namespace preview
