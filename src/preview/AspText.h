#pragma once

#include <QByteArray>
#include <QString>

namespace preview {

// Page files, include files and request data arrive as bytes: UTF-8 when
// they are valid UTF-8, else Windows-1252 (the encoding of sites written
// on Windows: its 0x80-0x9F bytes are the euro sign, dashes and quotes).
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

namespace preview {

// Refuses text meant for an answer header (a URL, a header value, a cookie
// attribute) that holds a CR or LF: raises error 5 with a message, so that
// a page cannot split the answer or add headers of its own making.
void requireHeaderText(const QString &text);

// An OLE date (local time, as scripts hold dates) in the form of HTTP
// headers: "Wed, 09-Jun-2027 10:18:14 GMT" (with dashes for cookies).
QByteArray httpDate(double oleDate, bool cookieForm);

} // namespace preview
