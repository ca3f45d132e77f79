#pragma once

#include "script/Dispatch.h"

namespace preview {

class AspApplication;
class AspRequest;
class AspResponse;
class AspServer;
class AspSession;

// The scripting context that OnStartPage hands to components: the page's
// Request, Response and Server and the shared Session and Application.
class ScriptingContext : public vbs::Dispatch {
public:
    QString typeName() const override { return QStringLiteral("IScriptingContext"); }
    int findMember(const QString &name) const override;
    const void *memberKey() const override;
    vbs::Variant call(int id, vbs::CallArgs &args, bool wantResult) override;

    void attach(AspRequest *request, AspResponse *response, AspSession *session, AspServer *server,
                AspApplication *application = nullptr);
    // Drops the four objects (at the end of the page, breaking the cycle
    // between the server and its context).
    void detach();

private:
    vbs::Ref<vbs::Dispatch> m_request;
    vbs::Ref<vbs::Dispatch> m_response;
    vbs::Ref<vbs::Dispatch> m_session;
    vbs::Ref<vbs::Dispatch> m_server;
    vbs::Ref<vbs::Dispatch> m_application;
};

} // namespace preview
