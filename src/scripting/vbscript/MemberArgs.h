#pragma once

#include "Errors.h"
#include "HostObject.h"

#include <initializer_list>
#include <string>
#include <vector>

// The checks every host object's members make of their arguments.
namespace vbs::args {

[[noreturn]] inline void fail(int number)
{
    throw ScriptError{number, errorText(number)};
}

inline void count(const std::vector<Value> &args, size_t lo, size_t hi)
{
    if (args.size() < lo || args.size() > hi)
        fail(err::WrongArgCount);
}

// Whether the argument was written: a left-out optional one arrives as an Error value.
inline bool given(const std::vector<Value> &args, size_t i)
{
    return i < args.size() && args[i].type() != Type::Error;
}

inline bool inList(const std::string &lowerName, std::initializer_list<const char *> names)
{
    for (const char *x : names)
        if (lowerName == x)
            return true;
    return false;
}

} // namespace vbs::args
