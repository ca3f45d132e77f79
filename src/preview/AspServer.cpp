#include "AspServer.h"

#include "AspFields.h"
#include "AspText.h"
#include "ScriptingContext.h"

#include <QDir>
#include <QFileInfo>
#include "ado/AdoComponents.h"

namespace preview {

using namespace vbs;

namespace {

const MemberTable kMembers{"MapPath", "CreateObject", "HTMLEncode", "URLEncode", "Execute", "Transfer",
                           "GetLastError", "ScriptTimeout"};
enum Member { MapPath = 1, CreateObject, HTMLEncode, URLEncode, Execute, Transfer, GetLastError, ScriptTimeout };

constexpr int kDefaultScriptTimeout = 90;

bool hasMember(Dispatch *obj, const char *name)
{
    return obj->findMember(QString::fromLatin1(name)) != Dispatch::kNoMember;
}

} // namespace

// What a component's factory may ask while a page creates it.
class AspServer::ComponentContext : public Context {
public:
    explicit ComponentContext(AspServer &server) : m_server(server) {}
    Variant createObject(const QString &progId) override
    {
        Ref<Dispatch> obj = m_server.createObject(progId);
        if (!obj)
            raise(ErrCannotCreateObject);
        return objectVariant(obj);
    }
    QStringList fileRoots() const override { return m_server.m_fileRoots; }
    uint32_t &rndSeed() override { return m_seed; }
    float &rndLast() override { return m_last; }
    int locale() const override { return currentLocale().lcid; }
    bool setLocale(int) override { return false; }
    void checkStringLength(qint64) const override {}
    void checkArraySize(qint64) const override {}
    Variant eval(const QString &) override { raise(ErrInvalidCall); }
    Variant getRef(const QString &) override { raise(ErrInvalidCall); }
    Variant errObject() override { return {}; }

private:
    AspServer &m_server;
    uint32_t m_seed = 0x50000;
    float m_last = 0;
};

ComponentRegistry &previewComponents()
{
    static ComponentRegistry registry = [] {
        ComponentRegistry r;
        registerAdoComponents(r);
        return r;
    }();
    return registry;
}

AspServer::AspServer(const SiteMap &site, QStringList fileRoots)
    : m_site(site), m_fileRoots(std::move(fileRoots)),
      m_componentContext(std::make_unique<ComponentContext>(*this))
{
}

AspServer::~AspServer()
{
    endPage();
}

int AspServer::findMember(const QString &name) const { return kMembers.find(name); }
const void *AspServer::memberKey() const { return &kMembers; }

void AspServer::setScriptingContext(ScriptingContext *context)
{
    m_context = context;
}

Variant AspServer::call(int id, CallArgs &args, bool)
{
    switch (id) {
    case MapPath:
    {
        args.expect(1, 1);
        const QString path = argText(args, 0);
        // A relative path starts from the running page's folder, as on IIS.
        const bool relative = !path.startsWith(QLatin1Char('/')) && !path.startsWith(QLatin1Char('\\'));
        if (relative && m_host && !m_host->pageFile().isEmpty()) {
            QString rel = path;
            rel.replace(QLatin1Char('\\'), QLatin1Char('/'));
            return Variant(QDir::cleanPath(QFileInfo(m_host->pageFile()).absolutePath() + QLatin1Char('/') + rel));
        }
        return Variant(m_site.mapPath(path));
    }
    case CreateObject: {
        args.expect(1, 1);
        return objectVariant(createObject(argText(args, 0)));
    }
    case HTMLEncode:
        args.expect(1, 1);
        return Variant(htmlEncode(argText(args, 0)));
    case URLEncode:
        args.expect(1, 1);
        return Variant(urlEncode(argText(args, 0)));
    case Execute:
    case Transfer:
        args.expect(1, 1);
        if (!m_host)
            raise(ErrInvalidCall);
        m_host->execute(argText(args, 0), id == Transfer);
        return {};
    case GetLastError:
        args.expect(0, 0);
        return objectVariant(makeRef<AspError>(m_host ? m_host->lastError() : AspErrorInfo{}));
    case ScriptTimeout:
        args.expect(0, 0);
        return Variant(int32_t(m_host ? m_host->scriptTimeout() : kDefaultScriptTimeout));
    default:
        raise(ErrNoSuchMember);
    }
}

void AspServer::put(int id, CallArgs &args, const Variant &value, bool)
{
    if (id != ScriptTimeout)
        raise(ErrNoSuchMember);
    args.expect(0, 0);
    const int seconds = defaultValue(value).toLong();
    if (seconds < 1)
        raise(ErrInvalidCall, QStringLiteral("ScriptTimeout deve essere di almeno un secondo."));
    if (m_host)
        m_host->setScriptTimeout(seconds);
}

Ref<Dispatch> AspServer::createObject(const QString &progId)
{
    const ComponentFactory *factory = previewComponents().find(progId);
    if (!factory)
        factory = ComponentRegistry::standard().find(progId);
    if (!factory)
        return {};
    Ref<Dispatch> obj;
    try {
        obj = (*factory)(*m_componentContext);
    } catch (const ScriptError &) {
        return {};
    }
    if (!obj)
        return {};
    m_created.push_back(obj);
    if (m_context && hasMember(obj.get(), "OnStartPage"))
        callMember(obj.get(), QStringLiteral("OnStartPage"), {objectVariant(Ref<Dispatch>(m_context))});
    return obj;
}

void AspServer::endPage()
{
    // Taken out first: an OnEndPage that creates objects does not extend the list.
    std::vector<Ref<Dispatch>> created;
    created.swap(m_created);
    for (Ref<Dispatch> &obj : created) {
        if (hasMember(obj.get(), "OnEndPage")) {
            try {
                callMember(obj.get(), QStringLiteral("OnEndPage"));
            } catch (const ScriptError &) {
                // A failing OnEndPage still gets its object released.
            }
        }
        obj.reset();
    }
}

} // namespace preview
