#pragma once

// Nesting limits shared by the parser's source files: deeply nested blocks
// and expressions are compile errors, not a crash of the machine stack.

#include "Lexer.h"
#include "ScriptError.h"

namespace vbs {

constexpr int kMaxNesting = 200;
constexpr int kMaxTreeDepth = 1500; // operator chains: a + b + c ... are evaluated recursively

struct DepthGuard {
    int &depth;
    DepthGuard(int &d, const Token &t) : depth(d)
    {
        if (++depth > kMaxNesting) {
            --depth;
            ScriptError e(ErrOutOfStack);
            e.compile = true;
            e.line = t.line;
            e.column = t.column;
            throw e;
        }
    }
    ~DepthGuard() { --depth; }
};

} // namespace vbs
