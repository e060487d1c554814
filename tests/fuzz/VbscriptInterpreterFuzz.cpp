// Any bytes as a script, run by the engine with a short time limit. The host's outlets are
// fakes that touch nothing outside the process, and CreateObject is shadowed by a script
// function that hands out only dictionaries, so that no input can reach the file system or
// start a program.
#include "Engine.h"
#include "FuzzCheck.h"
#include "Objects.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace {

// Stands for the program's objects: properties, a default member, arguments by reference
// and For Each, so that scripts get to the engine's host-object paths.
class FakeHostObject : public vbs::HostObject {
public:
    bool hasMember(const std::string &name) const override
    {
        const std::string n = lower(name);
        return n.empty() || n == "value" || n == "echo" || n == "bump" || n == "newdictionary";
    }

    vbs::Value invoke(const std::string &name, std::vector<vbs::Value> &args) override
    {
        const std::string n = lower(name);
        if (n == "newdictionary")
            return vbs::Value(
                std::shared_ptr<vbs::HostObject>(std::make_shared<vbs::Dictionary>()));
        if (n == "echo")
            return args.empty() ? vbs::Value() : args[0];
        if (n == "bump") {
            if (args.empty())
                throw vbs::ScriptError{450, "Wrong number of arguments or invalid property "
                                            "assignment"};
            args[0] = vbs::Value(args[0].toDouble() + 1);
            return vbs::Value();
        }
        if (!args.empty())
            throw vbs::ScriptError{450, "Wrong number of arguments or invalid property "
                                        "assignment"};
        return m_value;
    }

    void setProperty(const std::string &name, std::vector<vbs::Value> &args,
                     const vbs::Value &value) override
    {
        const std::string n = lower(name);
        if ((!n.empty() && n != "value") || !args.empty())
            throw vbs::ScriptError{438, "Object doesn't support this property or method"};
        // Keeping an object here would tie the fake into a cycle with the script's objects.
        m_value = value.isObject() ? vbs::Value() : value;
    }

    bool enumerate(std::vector<vbs::Value> &out) override
    {
        out = {vbs::Value(int32_t(1)), vbs::Value("two"), m_value};
        return true;
    }

    std::string typeName() const override { return "FakeHost"; }

private:
    static std::string lower(std::string s)
    {
        for (char &c : s) {
            if (c >= 'A' && c <= 'Z')
                c = char(c - 'A' + 'a');
        }
        return s;
    }

    vbs::Value m_value;
};

const char *const prelude = "Function CreateObject(progId)\n"
                            "    If LCase(progId) = \"scripting.dictionary\" Then\n"
                            "        Set CreateObject = Host.NewDictionary\n"
                            "    Else\n"
                            "        Err.Raise 429\n"
                            "    End If\n"
                            "End Function\n";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    vbs::HostServices services;
    services.msgBox = [](const std::string &, int, const std::string &) { return 1; };
    services.inputBox = [](const std::string &, const std::string &, const std::string &def,
                           std::string &out) {
        out = def;
        return true;
    };
    services.run = [](const std::string &, int, bool) { return 0; };
    services.sendKeys = [](const std::string &) {};
    services.echo = [](const std::string &) {};

    vbs::Engine engine(services);
    // Long enough for real work, short enough that endless loops cost little.
    engine.setTimeoutMs(50);
    engine.addObject("Host", std::make_shared<FakeHostObject>(), false);
    // The engine's own cases write with WScript.Echo; its Sleep and CreateObject stay out.
    engine.addObject("WScript", std::make_shared<FakeHostObject>(), false);
    FUZZ_CHECK(engine.addCode(prelude));

    const std::string code(reinterpret_cast<const char *>(data), size);
    if (!engine.addCode(code)) {
        const vbs::ErrorInfo &error = engine.lastError();
        FUZZ_CHECK(error.number != 0);
        FUZZ_CHECK(!error.description.empty());
    }
    return 0;
}
