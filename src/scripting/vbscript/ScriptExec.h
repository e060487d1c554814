#pragma once

#include "ChildProcess.h"
#include "HostObject.h"

#include <memory>

namespace vbs {

// WshScriptExec: a program started by Exec, its streams and how it ended.
class ScriptExec : public HostObject {
public:
    explicit ScriptExec(std::unique_ptr<ChildProcess> process);
    bool hasMember(const std::string &name) const override;
    Value invoke(const std::string &name, std::vector<Value> &args) override;
    void setProperty(const std::string &name, std::vector<Value> &args,
                     const Value &value) override;
    std::string typeName() const override { return "IWshExec"; }

private:
    std::shared_ptr<ChildProcess> m_process;
    // Each stream is one object, so that what one reference has read is gone for all.
    Value m_stdOut, m_stdErr, m_stdIn;
};

} // namespace vbs
