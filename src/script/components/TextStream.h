#pragma once

#include "../Dispatch.h"

#include <QFile>
#include <QString>

namespace vbs {

// A TextStream of the FileSystemObject: reading a whole file at open
// (ForReading), or writing (ForWriting, ForAppending).
class TextStream : public Dispatch {
public:
    enum Mode { ForReading = 1, ForWriting = 2, ForAppending = 8 };
    // Opens path (already resolved); raises 53/70/76 as the runtime does.
    // unicode: write UTF-16 (TristateTrue) instead of the default text form.
    TextStream(const QString &path, Mode mode, bool unicode);
    ~TextStream() override;

    QString typeName() const override { return QStringLiteral("TextStream"); }
    int findMember(const QString &name) const override;
    const void *memberKey() const override;
    Variant call(int id, CallArgs &args, bool wantResult) override;

private:
    void needReading() const;
    void needWriting() const;
    void write(const QString &text);
    QString readLine();
    void advance(qsizetype n);
    void close();

    Mode m_mode;
    bool m_unicode = false;
    bool m_open = true;
    QString m_text;     // reading: the whole content
    qsizetype m_pos = 0;
    int m_line = 1;
    int m_column = 1;
    QFile m_file;       // writing
};

} // namespace vbs
