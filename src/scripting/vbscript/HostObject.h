#pragma once

#include "Value.h"

#include <string>
#include <vector>

namespace vbs {

// Thrown by host objects (and the engine itself) to raise a VBScript run-time error.
struct ScriptError {
    int number;
    std::string description;
};

// An object reached from scripts by name. Names arrive as the script spelt them; the object
// compares them without regard to case. The empty name means the default member
// (`obj(args)` and `obj(args) = v`).
class HostObject {
public:
    virtual ~HostObject() = default;
    virtual bool hasMember(const std::string &name) const = 0;
    // Property get, or method call: args may be modified (ByRef) by the callee.
    virtual Value invoke(const std::string &name, std::vector<Value> &args) = 0;
    virtual void setProperty(const std::string &name, std::vector<Value> &args,
                             const Value &value) = 0;
    // For Each support: fills `out` with the elements and returns true if the object is a
    // collection.
    virtual bool enumerate(std::vector<Value> &out) { return false; }
    // TypeName() of the object.
    virtual std::string typeName() const { return "Object"; }
};

} // namespace vbs
