#pragma once

#include "Value.h"

#include <string>
#include <vector>

namespace vbs {

class Interpreter;

// A built-in function; arguments arrive evaluated, omitted ones as Error values.
struct Builtin {
    const char *name;
    int minArgs, maxArgs;
    Value (*fn)(Interpreter &in, Value *args, int n);
};

const Builtin *findBuiltin(const std::string &lowerName);
bool findConstant(const std::string &lowerName, Value &out);

std::string lowerAscii(const std::string &s);
// Element access for arrays reached through objects (class fields).
Value arrayGet(const Value &arr, const std::vector<Value> &idx);
void arraySet(Value &arr, const std::vector<Value> &idx, const Value &v);
std::string typeName(const Value &v);

} // namespace vbs
