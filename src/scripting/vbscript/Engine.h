#pragma once

#include "ChildProcess.h"
#include "HostObject.h"
#include "Value.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vbs {

// The engine's outlets to the program; all optional. Without msgBox the prompt is echoed and
// 1 (OK) returned; without inputBox the default text is returned.
struct HostServices {
    std::function<int(const std::string &prompt, int buttons, const std::string &title)> msgBox;
    std::function<bool(const std::string &prompt, const std::string &title, const std::string &def,
                       std::string &out)>
        inputBox;
    std::function<int(const std::string &command, int windowStyle, bool wait)> run;
    std::function<void(const std::string &keys)> sendKeys;
    std::function<void(const std::string &text)> echo;
    // WScript.Shell's Exec: the started program, or a ScriptError when it cannot start.
    std::function<std::unique_ptr<ChildProcess>(const std::string &command)> exec;
    // WScript.Shell's AppActivate: whether a window was found and activated, by its title or,
    // when processId is not 0, by the process it belongs to.
    std::function<bool(const std::string &title, int processId)> appActivate;
};

struct ErrorInfo {
    int number = 0;
    std::string description;
    int line = 0;
};

class Interpreter;

// A VBScript engine: named objects, added code and procedures run by name.
// Names are bound when code is added, so add the objects first, then the code, then run.
// Scripts run on the calling thread; a host call may re-enter the engine (even reset it and
// run another script) and the outer script carries on unharmed afterwards.
class Engine {
public:
    explicit Engine(HostServices services = {});
    ~Engine();
    Engine(const Engine &) = delete;
    Engine &operator=(const Engine &) = delete;

    // Discards all code, variables and added objects.
    void reset();
    void setTimeoutMs(int ms); // default 10000
    // How long in all a script may wait for other programs (Run, Exec, Sleep, SendKeys,
    // AppActivate) before the time-out stops it; default 60000.
    void setWaitLimitMs(int ms);
    void addObject(const std::string &name, std::shared_ptr<HostObject> object, bool membersGlobal);
    // Compiles the code and runs its module-level statements. False on a compile or run-time
    // error, see lastError().
    bool addCode(const std::string &code);
    bool run(const std::string &procedure);
    bool runModule(const std::string &code) { return addCode(code); }
    const ErrorInfo &lastError() const { return m_error; }

    static constexpr int TimeoutError = 1000000;

private:
    template <typename F>
    bool guarded(F &&body);

    HostServices m_services;
    std::unique_ptr<Interpreter> m_interp;
    // A host call inside a running script may reset the engine and start another script (the
    // program handles events while it speaks); the interpreter still running below is kept
    // here until the outermost call returns.
    std::vector<std::unique_ptr<Interpreter>> m_retired;
    int m_depth = 0;
    ErrorInfo m_error;
};

} // namespace vbs
