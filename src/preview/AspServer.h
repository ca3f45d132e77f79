#pragma once

#include "AspError.h"
#include "SiteMap.h"

#include "script/Dispatch.h"
#include "script/Registry.h"

#include <QStringList>

#include <vector>

namespace preview {

class ScriptingContext;

// The Server object: MapPath, CreateObject (components by ProgID, with
// OnStartPage/OnEndPage for those that have them), HTMLEncode, URLEncode,
// and, through the page processor, Execute, Transfer, GetLastError and
// ScriptTimeout.
class AspServer : public vbs::Dispatch {
public:
    // What the page processor does for the Server object.
    class Host {
    public:
        virtual ~Host() = default;
        // Runs another page with this page's objects (Execute); Transfer
        // ends the calling page afterwards. Raises when the page cannot run.
        virtual void execute(const QString &path, bool transfer) = 0;
        virtual AspErrorInfo lastError() const = 0;
        virtual int scriptTimeout() const = 0;          // seconds
        virtual void setScriptTimeout(int seconds) = 0;
        // The file of the page running now: relative paths start from its folder.
        virtual QString pageFile() const = 0;
    };

    AspServer(const SiteMap &site, QStringList fileRoots);
    ~AspServer() override;
    QString typeName() const override { return QStringLiteral("IServer"); }
    int findMember(const QString &name) const override;
    const void *memberKey() const override;
    vbs::Variant call(int id, vbs::CallArgs &args, bool wantResult) override;
    void put(int id, vbs::CallArgs &args, const vbs::Variant &value, bool isSet) override;

    void setScriptingContext(ScriptingContext *context);
    void setHost(Host *host) { m_host = host; }
    // Creates a component: the preview's own (ADODB) first, then the
    // script runtime's. Unknown ProgIDs and failed creations give nullptr.
    vbs::Ref<vbs::Dispatch> createObject(const QString &progId);
    // Ends the page: OnEndPage on each created component that has it, then
    // every created component is released once and the list emptied.
    void endPage();
    int createdCount() const { return int(m_created.size()); }

private:
    class ComponentContext;
    const SiteMap &m_site;
    QStringList m_fileRoots;
    ScriptingContext *m_context = nullptr;
    Host *m_host = nullptr;
    std::vector<vbs::Ref<vbs::Dispatch>> m_created;
    std::unique_ptr<ComponentContext> m_componentContext;
};

// The preview's own components (ADODB.Connection, ADODB.Recordset,
// ADODB.Command), for Server.CreateObject and the script's CreateObject;
// more may be registered before a page runs.
vbs::ComponentRegistry &previewComponents();

} // namespace preview
