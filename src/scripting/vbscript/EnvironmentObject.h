#pragma once

#include "HostObject.h"

namespace vbs {

// WshEnvironment: the program's own environment, whichever of PROCESS, USER, SYSTEM or
// VOLATILE was asked for; this system keeps no other. Item is the default member.
class EnvironmentObject : public HostObject {
public:
    bool hasMember(const std::string &name) const override;
    Value invoke(const std::string &name, std::vector<Value> &args) override;
    void setProperty(const std::string &name, std::vector<Value> &args,
                     const Value &value) override;
    bool enumerate(std::vector<Value> &out) override;
    std::string typeName() const override { return "IWshEnvironment"; }

    // Whether Environment(kind) names an environment.
    static bool isKind(const std::string &kind);
};

} // namespace vbs
