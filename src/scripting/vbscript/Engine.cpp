#include "Engine.h"

#include "Errors.h"
#include "Interpreter.h"
#include "Lexer.h"

namespace vbs {

Engine::Engine(HostServices services)
    : m_services(std::move(services))
    , m_interp(std::make_unique<Interpreter>(m_services)) {}

Engine::~Engine() = default;

void Engine::reset() {
    m_interp->reset();
    m_error = ErrorInfo{};
}

void Engine::setTimeoutMs(int ms) {
    m_interp->setTimeoutMs(ms);
}

void Engine::addObject(const std::string &name, std::shared_ptr<HostObject> object,
                       bool membersGlobal) {
    m_interp->addObject(name, std::move(object), membersGlobal);
}

// Both entry points share the translation of the interpreter's failures into ErrorInfo.
template <typename F>
static bool guarded(ErrorInfo &error, F &&body) {
    error = ErrorInfo{};
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
    }
    return false;
}

bool Engine::addCode(const std::string &code) {
    return guarded(m_error, [&] { m_interp->addCode(code); });
}

bool Engine::run(const std::string &procedure) {
    return guarded(m_error, [&] { m_interp->runProcedure(procedure); });
}

} // namespace vbs
