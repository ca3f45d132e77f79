#pragma once

// Helpers shared by the interpreter's source files (not part of the engine's API).

#include "Interpreter.h"

#include <vector>

namespace vbs {

// Counts one level of procedure, Execute or Eval nesting for as long as it
// lives; past the limit the script ends with "out of stack space" (28).
struct CallDepth {
    int &depth;
    CallDepth(int &d, int limit) : depth(d)
    {
        if (depth >= limit)
            raise(ErrOutOfStack);
        ++depth;
    }
    ~CallDepth() { --depth; }
    CallDepth(const CallDepth &) = delete;
    CallDepth &operator=(const CallDepth &) = delete;
};

// Makes a frame the current one for as long as it lives, then puts the
// previous one back, also when the frame's code raises an error.
struct FrameSwitch {
    Frame *&current;
    Frame *saved;
    FrameSwitch(Frame *&cur, Frame *next) : current(cur), saved(cur) { cur = next; }
    ~FrameSwitch() { current = saved; }
    FrameSwitch(const FrameSwitch &) = delete;
    FrameSwitch &operator=(const FrameSwitch &) = delete;
};

// Arguments of one call: a few on the stack, more on the heap. Array
// elements passed by reference keep their array locked (no ReDim, no Erase)
// until the call returns.
struct ArgBuffer {
    Variant small[6];
    std::vector<Variant> big;
    Variant *data = small;
    int count = 0;
    ArrayData *locked[4] = {};
    int lockCount = 0;

    ArgBuffer(const ArgBuffer &) = delete;
    ArgBuffer() = default;
    ~ArgBuffer()
    {
        for (int i = 0; i < lockCount; ++i) {
            --locked[i]->locks;
            locked[i]->release();
        }
    }
    void resize(int n)
    {
        count = n;
        if (n > 6) {
            big.resize(size_t(n));
            data = big.data();
        }
    }
    CallArgs args() { return CallArgs(data, count); }
};

inline bool isVariableBind(Bind b)
{
    return b == Bind::Local || b == Bind::Global || b == Bind::Field;
}

// Evaluates arguments; byRef: variables and array elements go by reference.
void evalArgs(Interpreter &in, ExprList &list, Frame &f, ArgBuffer &buf, bool byRef);

} // namespace vbs
