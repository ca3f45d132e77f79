#include "ClassInstance.h"

#include "Interpreter.h"

namespace vbs {

ClassInstance::ClassInstance(Interpreter *in, ClassInfo *cls) : interp(in), m_class(cls)
{
    fields.resize(cls->fields.size());
    for (size_t i = 0; i < cls->fields.size(); ++i) {
        const ClassInfo::Field &fd = cls->fields[i];
        if (fd.isArray) {
            std::vector<ArrayBound> dims;
            for (int32_t ub : fd.bounds)
                dims.push_back({0, ub + 1});
            auto *a = new ArrayData(dims);
            a->fixed = !fd.bounds.empty();
            fields[i] = Variant::array(a);
        }
    }
    in->live.insert(this);
}

ClassInstance::~ClassInstance()
{
    if (interp)
        interp->live.erase(this);
}

QString ClassInstance::typeName() const
{
    return m_class->name;
}

int ClassInstance::findMember(const QString &name) const
{
    const auto it = m_class->memberIndex.constFind(name.toLower());
    return it == m_class->memberIndex.constEnd() ? kNoMember : *it + 1;
}

Variant ClassInstance::call(int id, CallArgs &args, bool wantResult)
{
    if (!interp)
        raise(ErrObjectRequired);
    if (id == kDefaultMember) {
        if (m_class->defaultMember < 0)
            raise(ErrNoSuchMember);
        return interp->invokeMember(this, m_class->defaultMember, args, wantResult, false);
    }
    return interp->invokeMember(this, id - 1, args, wantResult, false);
}

void ClassInstance::put(int id, CallArgs &args, const Variant &value, bool isSet)
{
    if (!interp)
        raise(ErrObjectRequired);
    if (id == kDefaultMember) {
        if (m_class->defaultMember < 0)
            raise(ErrNoSuchMember);
        id = m_class->defaultMember + 1;
    }
    interp->putMember(this, id - 1, args, value, isSet, false);
}

namespace {
// Releasing a long chain of objects (a linked list) would recurse once per
// object; past a small depth the objects wait in a queue instead.
thread_local int t_releaseDepth = 0;
thread_local std::vector<ClassInstance *> t_releaseQueue;
} // namespace

void ClassInstance::finalRelease()
{
    if (t_releaseDepth > 32) {
        t_releaseQueue.push_back(this);
        return;
    }
    ++t_releaseDepth;
    finish();
    if (t_releaseDepth == 1) {
        while (!t_releaseQueue.empty()) {
            ClassInstance *next = t_releaseQueue.back();
            t_releaseQueue.pop_back();
            next->finish();
        }
    }
    --t_releaseDepth;
}

void ClassInstance::finish()
{
    if (interp && m_class->terminate) {
        addRef();
        try {
            CallArgs none;
            interp->callProc(m_class->terminate, this, none);
        } catch (...) {
            // errors of Class_Terminate do not reach the code that released the object
        }
        if (refCount() > 1) {
            release(); // brought back to life by its own Class_Terminate
            return;
        }
    }
    delete this;
}

} // namespace vbs
