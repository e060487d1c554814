#pragma once

#include "Ast.h"
#include "Engine.h"
#include "HostObject.h"
#include "ScriptClock.h"
#include "ValueStack.h"

#include <chrono>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

namespace vbs {

// A run-time error with the line it happened on.
struct RuntimeError {
    int number;
    std::string description;
    int line;
    std::string source = {}; // Err.Source when Err.Raise named one
};

struct Builtin;
class ClassInstance;
class ErrObject;

// Resolves names of added code to slots and runs the syntax tree.
class Interpreter {
public:
    explicit Interpreter(HostServices &services);
    ~Interpreter();

    void reset();
    void setTimeoutMs(int ms) { m_timeoutMs = ms; }
    int timeoutMs() const { return m_timeoutMs; }
    void setWaitLimitMs(int ms) { m_waitLimitMs = ms; }
    int waitLimitMs() const { return m_waitLimitMs; }
    void addObject(const std::string &name, std::shared_ptr<HostObject> obj, bool membersGlobal);
    // Compiles the code and runs its module-level statements; throws CompileError,
    // RuntimeError or TimeoutError.
    void addCode(const std::string &code);
    void runProcedure(const std::string &name);

    // Used by the library and the built-in objects.
    HostServices &services() { return m_services; }
    struct ErrState {
        int number = 0;
        std::string description, source;
        std::string helpFile;
        int32_t helpContext = 0;
    };
    ErrState &errState() { return m_err; }
    // Err.Raise names its source here; the handler that catches the error picks it up.
    void setRaisedSource(std::string source) { m_raisedSource = std::move(source); }
    void raise(int number, const std::string &description, const std::string &source);
    double nextRandom(const Value *arg);
    void randomize(const Value *seed);
    Value createObject(const std::string &progId);
    int currentLine() const { return m_line; }
    // A procedure of the script by its lower-case name, or nullptr.
    Proc *procedure(const std::string &name) const
    {
        auto it = m_procs.find(name);
        return it == m_procs.end() ? nullptr : it->second;
    }
    // Alive while the code added since the last reset is: what keeps a procedure of it can
    // tell whether the procedure still exists.
    std::weak_ptr<const void> codeLifetime() const { return m_dying; }
    // Eval, Execute and ExecuteGlobal: code compiled while the script runs.
    Value evalText(const std::string &code);
    void executeText(const std::string &code, bool global);

    // Class instances call back here.
    Value callMethod(Proc *p, class ClassInstance *self, std::vector<Value> &args);

    // Script objects whose last reference has gone and whose Class_Terminate has yet to run.
    // The objects stay whole until it has run; the interpreter runs it at the next point where
    // script code may safely start: after the statement, or as the procedure returns.
    struct Dying {
        std::vector<ClassInstance *> objects;
        int generation = -1; // of the Class_Terminate running; -1 when none runs
    };
    // Loop turns and calls look at the clock every few of them, and at once after work that
    // may take long on its own: one turn may take long, in the library or in a host call, and
    // the time-out must not wait for many of them. Turns of plain statements are quick
    // enough that a few of them pass unseen.
    void tick()
    {
        if (--m_ticksToClock > 0 && !ScriptClock::takeLongWork()) [[likely]]
            return;
        m_ticksToClock = kTicksPerClockRead;
        if (ScriptClock::coarseNow() > m_budget.deadline) [[unlikely]]
            checkTime();
    }

private:
    enum class Flow { Normal, ExitDo, ExitFor, ExitProc };
    struct Frame {
        size_t base = 0;
        Proc *proc = nullptr;
        bool resumeNext = false;
        std::vector<Value> with;
        ClassInstance *me = nullptr;
        // Procedures that Execute declared in this call; rare, so nothing until then.
        std::unique_ptr<std::unordered_map<std::string, Proc *>> executed;
    };

    // resolution
    void resolveModule(Module &m);
    void addProcedure(Proc *p);
    void addClass(ClassDef &c);
    // A procedure added while the script ran, as the running procedure sees it.
    Proc *lateProcedure(const std::string &name) const;
    void resolveProc(Proc &p, ClassDef *cls);
    void resolveBlock(Block &b, Proc *ctx, ClassDef *cls);
    void resolveExpr(Expr *e, Proc *ctx, ClassDef *cls, bool assigned = false);
    int globalSlot(const std::string &name);

    // execution
    Flow execBlock(const Block &b);
    Flow execStmt(const Stmt &s);
    bool condition(const Expr *e);
    Flow execFor(const Stmt &s);
    Flow execForEach(const Stmt &s);
    Flow execDo(const Stmt &s);
    void execDim(const Stmt &s);
    void execReDim(const Stmt &s);
    void execErase(const Stmt &s);
    void execSelect(const Stmt &s, Flow &flow);
    Value eval(const Expr *e);
    // Avoids a copy for plain variables; inline, as every operand of an operator comes here.
    [[gnu::always_inline]] inline const Value &evalRef(const Expr *e, Value &tmp);
    Value evalIdent(const Expr *e);
    Value evalMember(const Expr *e);
    Value callProc(Proc *p, const Expr *call, ClassInstance *me);
    Value callProcArgs(Proc *p, std::vector<Value> &args, ClassInstance *me);
    Value runFrame(Proc *p, size_t base, ClassInstance *me);
    // Runs module code or a procedure called by the host: the outermost frame, with the clock
    // started when no script is running yet.
    template <typename F>
    void runAtTop(F &&body);
    Value callBuiltin(const Builtin *b, const Expr *e);
    Value invokeObject(HostObject *obj, const std::string &name, const Expr *call);
    void evalArgs(const Expr *call, std::vector<Value> &args);
    void writeBack(const Expr *call, std::vector<Value> &args);
    Value index(const Value &arr, const Expr *call);
    Value *elementPtr(Value &arr, const Expr *call);
    // Where the element the call's subscripts name lies in the data of the array that
    // array() gives once they are known.
    template <typename FetchArray>
    size_t elementOffset(const Expr *call, FetchArray array);
    // The local or global slot, following by-reference parameters.
    [[gnu::always_inline]] Value *variablePtr(const Expr *e)
    {
        Value *p;
        if (e->rk == RK::Local)
            p = &m_stack[m_frame->base + e->slot];
        else if (e->rk == RK::Global)
            p = &m_globals[e->slot];
        else
            return nullptr;
        if (p->type() == Type::Ref)
            p = p->refTarget();
        return p;
    }
    // A variable's slot, or the field of the running object that the name stands for.
    Value *storagePtr(const Expr *e);
    void assign(const Expr *target, Value v, bool isSet);
    Value letValue(Value v); // the value that Let assigns: objects give their default
    Value fieldOrMethod(const Expr *e);
    Value newInstance(ClassDef *def);
    [[gnu::noinline]] void runTerminates();
    [[noreturn, gnu::noinline]] void throwWithLine(const ScriptError &e);
    // Records the error in Err for On Error Resume Next.
    [[gnu::noinline]] void resumeAfter(int number, const std::string &description,
                                       const std::string &source);
    [[gnu::noinline, gnu::cold]] void outOfMemory();
    // The element a ByRef argument names, its array locked in lent; nullptr if no array.
    [[gnu::noinline]] Value *lendElement(const Expr *a, std::vector<ArrayLock> &lent);
    // The end of the script: globals are released in the order they were declared, each
    // object's Class_Terminate running as it goes, unless an error ended the script.
    void finish();
    void startClock();
    [[gnu::noinline, gnu::cold]] void checkTime();
    [[noreturn]] void fail(int number);

    HostServices &m_services;
    std::vector<std::unique_ptr<Module>> m_modules;
    std::unordered_map<std::string, int> m_globalIndex;
    std::vector<Value> m_globals;
    std::vector<std::string> m_globalNames;
    // Globals that procedures may see: declared, or assigned by module-level code. A name
    // only read at module level stays local to the procedures that assign it.
    std::vector<bool> m_globalVisible;
    std::vector<bool> m_globalConst; // declared by Const: assigning to it is illegal
    std::unordered_map<std::string, Proc *> m_procs;
    // Names read before any declaration, in code added as modules: a procedure of that name
    // added later (ExecuteGlobal, or the host's next code) is what they mean.
    std::unordered_map<std::string, std::vector<Expr *>> m_implicitReads;
    std::set<std::pair<const Proc *, std::string>> m_implicitNames; // (nullptr: global)
    bool m_recordImplicitReads = false;
    std::unordered_map<std::string, ClassDef *> m_classes;
    struct Named {
        std::string name; // lower-case
        Value value;
        std::shared_ptr<HostObject> obj;
        bool global;
    };
    std::vector<Named> m_objects;
    std::shared_ptr<ErrObject> m_errObject;
    Value m_errValue;
    bool m_optionExplicit = false;
    bool m_noNewLocals = false; // code compiled at run time cannot grow the running frame
    std::unordered_map<std::string, std::unique_ptr<Expr>> m_evalCache;
    std::vector<std::unique_ptr<Module>> m_executed;
    std::vector<std::unique_ptr<Expr>> m_executedExprs;

    ValueStack m_stack;
    size_t m_sp = 0;
    Frame *m_frame = nullptr;
    int m_line = 0;
    ErrState m_err;
    std::string m_raisedSource;
    std::shared_ptr<Dying> m_dying;
    bool m_failed = false; // a run-time error ended the script

    int m_timeoutMs = 10000;
    int m_waitLimitMs = 60000;
    ScriptClock::Budget m_budget;
    static constexpr int kTicksPerClockRead = 8;
    int m_ticksToClock = kTicksPerClockRead;
    int m_running = 0;

    uint32_t m_rndSeed = 0x50000;
    double m_lastRnd = 0x50000 / 16777216.0; // Rnd(0) before any Rnd: the seed's own value

    friend class ClassInstance;
};

} // namespace vbs
