#pragma once

#include <QString>

namespace preview {

// The site's global.asa as a script: the text of its <script runat=server>
// blocks, everything else blanked so that line numbers stay those of the
// file, and which of the event procedures it defines.
class GlobalAsa {
public:
    // Reads root/global.asa; a missing file gives an empty script.
    static GlobalAsa load(const QString &rootFolder);
    static GlobalAsa fromText(const QString &text);

    bool exists() const { return m_exists; }
    const QString &script() const { return m_script; }
    // True when the script defines a Sub of that name (Application_OnStart,
    // Session_OnStart, Session_OnEnd, Application_OnEnd).
    bool defines(const QString &procedure) const;

private:
    QString m_script;
    bool m_exists = false;
};

} // namespace preview
