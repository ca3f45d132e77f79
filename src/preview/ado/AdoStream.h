#pragma once

#include "script/Dispatch.h"

#include <QByteArray>
#include <QStringList>

namespace preview {

// ADODB.Stream: bytes in memory, read and written as text in a charset
// (Type 2, "Unicode" by default) or as bytes (Type 1), loaded from and saved
// to files inside the allowed folders. As ADO does, text written from the
// start of an empty stream in "Unicode" or "utf-8" begins with its byte
// order mark, and reading text from the start skips it.
class AdoStream : public vbs::Dispatch {
public:
    explicit AdoStream(QStringList fileRoots) : m_fileRoots(std::move(fileRoots)) {}
    QString typeName() const override { return QStringLiteral("Stream"); }
    int findMember(const QString &name) const override;
    const void *memberKey() const override;
    vbs::Variant call(int id, vbs::CallArgs &args, bool wantResult) override;
    void put(int id, vbs::CallArgs &args, const vbs::Variant &value, bool isSet) override;

private:
    void requireOpen() const;
    void requireText() const;
    QByteArray encode(const QString &text) const;
    QString decode(const QByteArray &bytes) const;
    QByteArray byteOrderMark() const;
    void writeBytes(const QByteArray &bytes);
    QString readText(int count);
    QString lineSeparator() const;
    QString resolve(const QString &path) const;

    QStringList m_fileRoots;
    bool m_open = false;
    int m_type = 2;                       // adTypeText
    QString m_charset = QStringLiteral("Unicode");
    int m_lineSeparator = -1;             // adCRLF
    int m_mode = 0;
    QByteArray m_data;
    qsizetype m_pos = 0;
};

} // namespace preview
