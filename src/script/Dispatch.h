#pragma once

#include "Variant.h"

#include <QHash>
#include <QString>

#include <initializer_list>
#include <memory>
#include <utility>

namespace vbs {

class Dispatch;

// Intrusive owning pointer for reference-counted objects (Dispatch, ArrayData).
template <typename T>
class Ref {
public:
    Ref() = default;
    Ref(T *p) : m_p(p) { if (m_p) m_p->addRef(); }
    Ref(const Ref &o) : m_p(o.m_p) { if (m_p) m_p->addRef(); }
    Ref(Ref &&o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
    template <typename U>
    Ref(const Ref<U> &o) : m_p(o.get()) { if (m_p) m_p->addRef(); }
    ~Ref() { if (m_p) m_p->release(); }
    Ref &operator=(Ref o) noexcept { std::swap(m_p, o.m_p); return *this; }
    T *get() const { return m_p; }
    T *operator->() const { return m_p; }
    T &operator*() const { return *m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    void reset() { Ref().swap(*this); }
    void swap(Ref &o) noexcept { std::swap(m_p, o.m_p); }

private:
    T *m_p = nullptr;
};

template <typename T, typename... A>
Ref<T> makeRef(A &&...args)
{
    return Ref<T>(new T(std::forward<A>(args)...));
}

// Arguments of a call. Elements may be passed by reference (a variable or an
// array element of the caller): operator[] always gives the value, and
// setRef() writes a new value back to the caller's variable when the
// argument was passed by reference (it is ignored otherwise).
class CallArgs {
public:
    CallArgs() = default;
    CallArgs(Variant *args, int count) : m_args(args), m_count(count) {}

    int size() const { return m_count; }
    bool isEmpty() const { return m_count == 0; }
    const Variant &operator[](int i) const { return m_args[i].deref(); }
    // True when the argument is absent (past the end or left empty: f a, , c).
    bool isMissing(int i) const { return i >= m_count || m_args[i].deref().isMissing(); }
    bool isByRef(int i) const { return i < m_count && m_args[i].isRef(); }
    void setRef(int i, const Variant &value)
    {
        if (i < m_count && m_args[i].isRef())
            *m_args[i].refTarget() = value;
    }
    // Raises 450 unless min <= size() <= max (max < 0: no upper limit).
    void expect(int min, int max) const;
    // The raw slots (a by-reference argument is a VType::Ref variant).
    Variant *data() const { return m_args; }

private:
    Variant *m_args = nullptr;
    int m_count = 0;
};

// Walks the items of a collection for For Each.
class Enumerator {
public:
    virtual ~Enumerator() = default;
    // Stores the next item in out and returns true, or returns false at the end.
    virtual bool next(Variant &out) = 0;
};

// Case-insensitive member name table for Dispatch implementations: ids are
// the position in the list plus one (id 0 is the default member).
class MemberTable {
public:
    MemberTable(std::initializer_list<const char *> names);
    int find(const QString &name) const; // Dispatch::kNoMember when absent
    QString name(int id) const;

private:
    QHash<QString, int> m_ids; // lower-case name -> id
    QStringList m_names;
};

// An object reachable from scripts: host objects (WScript, Response, ...),
// components (Scripting.Dictionary, ...) and instances of script classes.
//
// Lifetime: intrusive reference count. Variants, Ref<> and the engine hold
// references; when the last one goes, finalRelease() runs (script classes
// run Class_Terminate there) and then the object deletes itself. Objects are
// single-threaded: use them only on the thread that runs the script.
class Dispatch {
public:
    static constexpr int kDefaultMember = 0; // DISPID_VALUE
    static constexpr int kNoMember = -1;

    Dispatch() = default;
    Dispatch(const Dispatch &) = delete;
    Dispatch &operator=(const Dispatch &) = delete;
    virtual ~Dispatch() = default;

    void addRef() { ++m_refs; }
    void release()
    {
        if (--m_refs == 0)
            finalRelease();
    }
    int refCount() const { return m_refs; }

    // TypeName() of the object ("Dictionary", "Recordset", a class name).
    virtual QString typeName() const = 0;

    // Id of a member by name, without regard to case; kNoMember when the
    // object has no such member (the engine then raises 438). Ids >= 1.
    virtual int findMember(const QString &name) const = 0;

    // Same key => same name-to-id mapping; lets the engine cache ids per call
    // site. Return the address of a static MemberTable, or nullptr for none.
    virtual const void *memberKey() const { return nullptr; }

    // Reads a property or calls a method (id kDefaultMember: the default
    // member, as in rs("Nome") or x = obj). wantResult is false when the
    // value is discarded (statement call: obj.Method a, b). Raise 438 for an
    // unsupported member, 450 for a wrong argument count.
    virtual Variant call(int id, CallArgs &args, bool wantResult) = 0;

    // Assigns a property: obj.Name(args) = value (Let) or Set obj.Name = value
    // (isSet). The default implementation raises 438.
    virtual void put(int id, CallArgs &args, const Variant &value, bool isSet);

    // Items for For Each; nullptr means the object is not a collection (451).
    virtual std::unique_ptr<Enumerator> enumerate() { return nullptr; }

protected:
    // Runs when the last reference goes; the default deletes the object.
    virtual void finalRelease() { delete this; }

private:
    int m_refs = 0;
};

// Convenience: an Object variant holding obj. A template, so that a
// Ref<Derived> is not first copied into a temporary Ref<Dispatch>: that
// temporary's release ran after the variant had taken its reference, which
// is safe but left the compiler (-Wuse-after-free) seeing a release of an
// object it could not prove alive.
template <typename T>
Variant objectVariant(const Ref<T> &obj)
{
    return Variant(static_cast<Dispatch *>(obj.get()));
}
inline Variant objectVariant(Dispatch *obj) { return Variant(obj); }

// Calls a member by name (for host code): raises 438 when it does not exist.
Variant callMember(Dispatch *obj, const QString &name, std::initializer_list<Variant> args = {});
// Default value of an object (x = obj): its default member without arguments.
Variant defaultValue(const Variant &v);

} // namespace vbs
