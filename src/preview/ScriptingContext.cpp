#include "ScriptingContext.h"

#include "AspApplication.h"
#include "AspRequest.h"
#include "AspResponse.h"
#include "AspServer.h"
#include "AspSession.h"

namespace preview {

using namespace vbs;

namespace {

const MemberTable kMembers{"Session", "Server", "Request", "Response", "Application"};

} // namespace

int ScriptingContext::findMember(const QString &name) const { return kMembers.find(name); }
const void *ScriptingContext::memberKey() const { return &kMembers; }

Variant ScriptingContext::call(int id, CallArgs &args, bool)
{
    args.expect(0, 0);
    switch (id) {
    case 1: return objectVariant(m_session);
    case 2: return objectVariant(m_server);
    case 3: return objectVariant(m_request);
    case 4: return objectVariant(m_response);
    case 5: return m_application ? objectVariant(m_application) : Variant::nothing();
    default: raise(ErrNoSuchMember);
    }
}

void ScriptingContext::attach(AspRequest *request, AspResponse *response, AspSession *session,
                              AspServer *server, AspApplication *application)
{
    m_request = Ref<Dispatch>(request);
    m_response = Ref<Dispatch>(response);
    m_session = Ref<Dispatch>(session);
    m_server = Ref<Dispatch>(server);
    m_application = Ref<Dispatch>(application);
}

void ScriptingContext::detach()
{
    m_request.reset();
    m_response.reset();
    m_session.reset();
    m_server.reset();
    m_application.reset();
}

} // namespace preview
