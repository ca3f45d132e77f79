#pragma once

#include "script/Dispatch.h"

#include <QString>

namespace preview {

// What is known of a script error for Server.GetLastError.
struct AspErrorInfo {
    int number = 0;
    QString category;     // "Errore di run-time di VBScript", ...
    QString description;
    QString file;         // the page or include file, from the site's root
    int line = 0;
    int column = -1;
};

// The ASPError object that Server.GetLastError gives: ASPCode, Number,
// Source, Category, File, Line, Column, Description, ASPDescription. With
// no error every number is 0 and every text empty.
class AspError : public vbs::Dispatch {
public:
    explicit AspError(AspErrorInfo info) : m_info(std::move(info)) {}
    QString typeName() const override { return QStringLiteral("IASPError"); }
    int findMember(const QString &name) const override;
    const void *memberKey() const override;
    vbs::Variant call(int id, vbs::CallArgs &args, bool wantResult) override;

private:
    AspErrorInfo m_info;
};

} // namespace preview
