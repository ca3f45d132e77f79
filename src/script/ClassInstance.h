#pragma once

#include "Ast.h"
#include "Dispatch.h"

#include <vector>

namespace vbs {

// An instance of a script class.
class ClassInstance : public Dispatch {
public:
    ClassInstance(Interpreter *in, ClassInfo *cls);
    ~ClassInstance() override;

    QString typeName() const override;
    int findMember(const QString &name) const override;
    const void *memberKey() const override { return m_class; }
    Variant call(int id, CallArgs &args, bool wantResult) override;
    void put(int id, CallArgs &args, const Variant &value, bool isSet) override;

    ClassInfo *classInfo() const { return m_class; }
    std::vector<Variant> fields;
    Interpreter *interp; // null once the engine has gone

protected:
    void finalRelease() override;

private:
    void finish(); // Class_Terminate, then delete
    ClassInfo *m_class;
};

} // namespace vbs
