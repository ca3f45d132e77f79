#include "ErrObject.h"

#include "ScriptError.h"

namespace vbs {

void ErrObject::clear()
{
    number = 0;
    description.clear();
    source.clear();
    helpFile.clear();
    helpContext = 0;
}

Variant ErrObject::call(int id, CallArgs &args, bool)
{
    switch (id) {
    case 0:
    case 1: args.expect(0, 0); return Variant(int32_t(number));
    case 2: args.expect(0, 0); return Variant(description);
    case 3: args.expect(0, 0); return Variant(source);
    case 4: args.expect(0, 0); return Variant(helpFile);
    case 5: args.expect(0, 0); return Variant(int32_t(helpContext));
    case 6: { // Raise number, source, description, helpfile, helpcontext
        args.expect(1, 5);
        ScriptError e(args[0].toLong());
        if (e.number == 0)
            raise(ErrInvalidCall);
        if (!args.isMissing(1))
            e.source = args[1].toText();
        if (!args.isMissing(2))
            e.description = args[2].toText();
        if (!args.isMissing(3))
            e.helpFile = args[3].toText();
        if (!args.isMissing(4))
            e.helpContext = args[4].toLong();
        if (e.description.isEmpty() && ScriptError::describe(e.number).isEmpty())
            e.description = QStringLiteral("Errore definito dall'applicazione o dall'oggetto");
        throw e;
    }
    case 7: args.expect(0, 0); clear(); return Variant();
    default: raise(ErrNoSuchMember);
    }
}

void ErrObject::put(int id, CallArgs &args, const Variant &value, bool)
{
    args.expect(0, 0);
    switch (id) {
    case 0:
    case 1: number = value.toLong(); break;
    case 2: description = value.toText(); break;
    case 3: source = value.toText(); break;
    case 4: helpFile = value.toText(); break;
    case 5: helpContext = value.toLong(); break;
    default: raise(ErrNoSuchMember);
    }
}

const MemberTable &ErrObject::table()
{
    static const MemberTable t{"Number", "Description", "Source", "HelpFile", "HelpContext", "Raise", "Clear"};
    return t;
}

} // namespace vbs
