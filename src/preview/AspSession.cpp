#include "AspSession.h"

#include "AspCodePage.h"
#include "AspFields.h"

#include <QRandomGenerator>

namespace preview {

using namespace vbs;

namespace {

const MemberTable kMembers{"Item", "Contents", "StaticObjects", "SessionID", "Timeout", "Abandon",
                           "CodePage", "LCID"};
enum Member { Item = 1, Contents, StaticObjects, SessionID, Timeout, Abandon, CodePage, Lcid };

} // namespace

AspSession::AspSession() : m_contents(makeRef<AspContents>()), m_staticObjects(makeRef<AspContents>())
{
    startNew();
}

int AspSession::findMember(const QString &name) const { return kMembers.find(name); }
const void *AspSession::memberKey() const { return &kMembers; }

void AspSession::startNew()
{
    m_contents->clear();
    int32_t id = m_id;
    while (id == m_id)
        id = int32_t(QRandomGenerator::global()->bounded(100000000, 999999999));
    m_id = id;
    m_timeout = kDefaultTimeoutMinutes;
    m_abandoned = false;
    m_codePage = 0;
    m_lcid = 0;
}

Variant AspSession::call(int id, CallArgs &args, bool)
{
    switch (id) {
    case kDefaultMember:
    case Item:
        args.expect(1, 1);
        return m_contents->item(args[0]);
    case Contents:
        if (args.isEmpty())
            return objectVariant(m_contents);
        return m_contents->call(kDefaultMember, args, true);
    case StaticObjects:
        if (args.isEmpty())
            return objectVariant(m_staticObjects);
        return m_staticObjects->call(kDefaultMember, args, true);
    case SessionID:
        args.expect(0, 0);
        return Variant(m_id);
    case Timeout:
        args.expect(0, 0);
        return Variant(int32_t(m_timeout));
    case Abandon:
        args.expect(0, 0);
        m_abandoned = true;
        return {};
    case CodePage:
        args.expect(0, 0);
        return Variant(int32_t(m_codePage ? m_codePage : codepage::kUtf8));
    case Lcid:
        args.expect(0, 0);
        return Variant(int32_t(m_lcid ? m_lcid : currentLocale().lcid));
    default:
        raise(ErrNoSuchMember);
    }
}

void AspSession::put(int id, CallArgs &args, const Variant &value, bool isSet)
{
    switch (id) {
    case kDefaultMember:
    case Item:
        args.expect(1, 1);
        m_contents->assign(args[0], value, isSet);
        return;
    case Contents:
        m_contents->put(kDefaultMember, args, value, isSet);
        return;
    case Timeout: {
        args.expect(0, 0);
        const int minutes = defaultValue(value).toLong();
        if (minutes < 1)
            raise(ErrInvalidCall, QStringLiteral("Il Timeout della sessione deve essere di almeno un minuto."));
        m_timeout = minutes;
        return;
    }
    case CodePage: {
        args.expect(0, 0);
        const int cp = defaultValue(value).toLong();
        if (!codepage::isSupported(cp))
            raise(ErrInvalidCall, QStringLiteral("Code page non valida: %1.").arg(cp));
        m_codePage = cp;
        return;
    }
    case Lcid: {
        args.expect(0, 0);
        const int lcid = defaultValue(value).toLong();
        if (!ScriptLocale::isKnown(lcid))
            raise(ErrInvalidCall);
        setCurrentLocale(ScriptLocale::forLcid(lcid));
        m_lcid = lcid;
        return;
    }
    default:
        raise(ErrNoSuchMember);
    }
}

} // namespace preview
