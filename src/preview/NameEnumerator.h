#pragma once

#include "script/Dispatch.h"
#include "script/Variant.h"

#include <QStringList>

namespace preview {

// For Each over the names of a collection (Contents, Cookies, cookie keys).
class NameEnumerator : public vbs::Enumerator {
public:
    explicit NameEnumerator(QStringList names) : m_names(std::move(names)) {}
    bool next(vbs::Variant &out) override
    {
        if (m_pos >= m_names.size())
            return false;
        out = vbs::Variant(m_names[m_pos++]);
        return true;
    }

private:
    QStringList m_names;
    qsizetype m_pos = 0;
};

} // namespace preview
