#pragma once

#include "Engine.h"
#include "HostObject.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vbs {

class Interpreter;

// The Err object: Number, Description, Source, Raise, Clear.
class ErrObject : public HostObject {
public:
    explicit ErrObject(Interpreter &in)
        : m_in(in)
    {}
    bool hasMember(const std::string &name) const override;
    Value invoke(const std::string &name, std::vector<Value> &args) override;
    void setProperty(const std::string &name, std::vector<Value> &args,
                     const Value &value) override;
    std::string typeName() const override { return "ErrObject"; }

private:
    Interpreter &m_in;
};

// Scripting.Dictionary: insertion-ordered keys, binary or text comparison of string keys.
class Dictionary : public HostObject {
public:
    bool hasMember(const std::string &name) const override;
    Value invoke(const std::string &name, std::vector<Value> &args) override;
    void setProperty(const std::string &name, std::vector<Value> &args,
                     const Value &value) override;
    bool enumerate(std::vector<Value> &out) override;
    std::string typeName() const override { return "Dictionary"; }

private:
    std::string keyOf(const Value &key) const;
    int find(const Value &key) const;
    // Adds a key that is not there yet.
    void append(const Value &key, const Value &item);
    std::vector<Value> m_keys, m_items;
    std::map<std::string, int> m_index;
    int m_compareMode = 0;
};

// Scripting.FileSystemObject and the objects it hands out.
class FileSystem : public HostObject {
public:
    bool hasMember(const std::string &name) const override;
    Value invoke(const std::string &name, std::vector<Value> &args) override;
    void setProperty(const std::string &name, std::vector<Value> &args,
                     const Value &value) override;
    std::string typeName() const override { return "FileSystemObject"; }
};

// The WScript object of the console runner: Echo, Quit, Sleep, CreateObject, ScriptName.
class WScriptObject : public HostObject {
public:
    WScriptObject(HostServices &services, std::string scriptPath)
        : m_services(services)
        , m_path(std::move(scriptPath))
    {}
    bool hasMember(const std::string &name) const override;
    Value invoke(const std::string &name, std::vector<Value> &args) override;
    void setProperty(const std::string &name, std::vector<Value> &args,
                     const Value &value) override;
    std::string typeName() const override { return "Object"; }

private:
    HostServices &m_services;
    std::string m_path;
};

// The objects CreateObject knows; nullptr for any other class.
std::shared_ptr<HostObject> createKnownObject(const std::string &progId, HostServices &services);

// Thrown by WScript.Quit; the runner ends with the code.
struct QuitRequest {
    int code;
};

} // namespace vbs
