#include "Engine.h"

#include "Errors.h"
#include "Interpreter.h"
#include "Lexer.h"
#include "ScriptClock.h"

#include <exception>
#include <new>
#include <type_traits>

namespace vbs {

namespace {

// A host outlet that may wait for the user or for another program, with the wait kept off the
// script's time-out.
template <typename R, typename... A>
std::function<R(A...)> waitingOutlet(std::function<R(A...)> outlet, ScriptClock::WaitFor what)
{
    if (!outlet)
        return outlet;
    return [outlet = std::move(outlet), what](A... args) -> R {
        auto wait = [&] {
            ScriptClock::Waiting waiting(what);
            return outlet(std::forward<A>(args)...);
        };
        if constexpr (std::is_void_v<R>) {
            wait();
            ScriptClock::stopIfWaitsSpent();
        } else {
            R result = wait();
            ScriptClock::stopIfWaitsSpent();
            return result;
        }
    };
}

HostServices withWaitsUncounted(HostServices services)
{
    using WaitFor = ScriptClock::WaitFor;
    services.msgBox = waitingOutlet(std::move(services.msgBox), WaitFor::User);
    services.inputBox = waitingOutlet(std::move(services.inputBox), WaitFor::User);
    services.run = waitingOutlet(std::move(services.run), WaitFor::Program);
    services.sendKeys = waitingOutlet(std::move(services.sendKeys), WaitFor::Program);
    services.appActivate = waitingOutlet(std::move(services.appActivate), WaitFor::Program);
    return services;
}

} // namespace

Engine::Engine(HostServices services)
    : m_services(withWaitsUncounted(std::move(services)))
    , m_interp(std::make_unique<Interpreter>(m_services))
{}

Engine::~Engine() = default;

void Engine::reset()
{
    if (m_depth > 0) {
        m_retired.push_back(std::move(m_interp));
        m_interp = std::make_unique<Interpreter>(m_services);
        m_interp->setTimeoutMs(m_retired.back()->timeoutMs());
        m_interp->setWaitLimitMs(m_retired.back()->waitLimitMs());
    } else {
        m_interp->reset();
    }
    m_error = ErrorInfo{};
}

void Engine::setTimeoutMs(int ms)
{
    m_interp->setTimeoutMs(ms);
}

void Engine::setWaitLimitMs(int ms)
{
    m_interp->setWaitLimitMs(ms);
}

void Engine::addObject(const std::string &name, std::shared_ptr<HostObject> object,
                       bool membersGlobal)
{
    m_interp->addObject(name, std::move(object), membersGlobal);
}

template <typename F>
static bool runCaught(ErrorInfo &error, F &body)
{
    try {
        body();
        return true;
    } catch (const CompileError &e) {
        error = ErrorInfo{e.number, errorText(e.number), e.line};
    } catch (const RuntimeError &e) {
        error = ErrorInfo{e.number, e.description, e.line};
    } catch (const TimeoutError &e) {
        error = ErrorInfo{Engine::TimeoutError, errorText(err::Timeout), e.line};
    } catch (const ScriptError &e) {
        error = ErrorInfo{e.number, e.description, 0};
    } catch (const std::bad_alloc &) {
        error = ErrorInfo{err::OutOfMemory, errorText(err::OutOfMemory), 0};
    } catch (const std::exception &) {
        // A host object failed in a way of its own; the script sees an internal error.
        error = ErrorInfo{51, "Internal error", 0};
    }
    return false;
}

// Both entry points share the translation of the interpreter's failures into ErrorInfo.
template <typename F>
bool Engine::guarded(F &&body)
{
    ErrorInfo error;
    struct Depth {
        Engine &e;
        explicit Depth(Engine &en)
            : e(en)
        {
            ++e.m_depth;
        }
        ~Depth()
        {
            if (--e.m_depth == 0)
                e.m_retired.clear();
        }
    };
    bool ok = false;
    {
        Depth depth(*this);
        ok = runCaught(error, body);
    }
    m_error = error;
    return ok;
}

bool Engine::addCode(const std::string &code)
{
    Interpreter *in = m_interp.get();
    return guarded([&] { in->addCode(code); });
}

bool Engine::run(const std::string &procedure)
{
    Interpreter *in = m_interp.get();
    return guarded([&] { in->runProcedure(procedure); });
}

} // namespace vbs
