#pragma once

#include "Engine.h"
#include "HostObject.h"

namespace vbs {

// WScript.Shell: Run, SendKeys, Popup and environment strings through the host.
class Shell : public HostObject {
public:
    explicit Shell(HostServices &services)
        : m_services(services)
    {}
    bool hasMember(const std::string &name) const override;
    Value invoke(const std::string &name, std::vector<Value> &args) override;
    void setProperty(const std::string &name, std::vector<Value> &args,
                     const Value &value) override;
    std::string typeName() const override { return "IWshShell3"; }

private:
    HostServices &m_services;
};

} // namespace vbs
