#include "Interpreter.h"

#include "Errors.h"
#include "Library.h"
#include "Objects.h"
#include "Parser.h"
#include "RegExpObject.h"
#include "ScriptClock.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <stdexcept>
#include <string_view>
#include <unordered_set>
#include <utility>

namespace vbs {

namespace {
const size_t kStackSize = 1 << 18;
const size_t kGlobalsReserve = 1 << 15;

bool isIntegral(Type t)
{
    return t == Type::Integer || t == Type::Long || t == Type::Byte;
}

bool isConversion(const Builtin *b)
{
    static const char *const names[] = {"cbool", "cbyte", "ccur", "cdate", "cdbl",
                                        "cint",  "clng",  "csng", "cstr"};
    for (const char *n : names)
        if (b->name == std::string_view(n))
            return true;
    return false;
}

// How deeply scripts may make the evaluator recurse: nested expressions, blocks and procedure
// calls, weighted by the C++ stack each level takes. The allowance keeps a script far inside
// the 8 MB stack of the program's main thread, with room left for the window code below the
// engine and for the parser when Eval or Execute compiles text at the deepest point. Measured
// worst cases at the allowance: about 3.3 MB optimised, 2 MB unoptimised and 3.4 MB under
// AddressSanitizer, whose frames are several times larger and get under a third of it.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kLargeFrames = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kLargeFrames = true;
#else
constexpr bool kLargeFrames = false;
#endif
#else
constexpr bool kLargeFrames = false;
#endif
#if defined(__OPTIMIZE__)
constexpr bool kOptimised = true;
#else
constexpr bool kOptimised = false;
#endif
constexpr int kMaxNesting = kOptimised && !kLargeFrames ? 9000 : 2600;
constexpr int kExprWeight = 1;
constexpr int kBlockWeight = 1;
constexpr int kCallWeight = 2; // a call passes through several frames before its body counts

// Shared by every interpreter on the thread: a host call may start another script while this
// one is deep in its own calls.
thread_local int t_nesting = 0;

[[noreturn, gnu::noinline, gnu::cold]] void outOfStack(int weight)
{
    t_nesting -= weight;
    throw ScriptError{err::OutOfStack, errorText(err::OutOfStack)};
}

// One level of nesting, held for as long as it lives. It sits on the evaluator's hottest
// paths, hence the constant weight and the failure out of line.
template <int Weight>
class Nested {
public:
    [[gnu::always_inline]] Nested()
    {
        if ((t_nesting += Weight) > kMaxNesting)
            outOfStack(Weight);
    }
    [[gnu::always_inline]] ~Nested() { t_nesting -= Weight; }
    Nested(const Nested &) = delete;
    Nested &operator=(const Nested &) = delete;
};

struct RunGuard {
    int &running;
    explicit RunGuard(int &r)
        : running(r)
    {
        ++running;
    }
    ~RunGuard() { --running; }
};

// An array with an element lent out by reference may not be replaced, resized or erased.
bool locked(const Value &v)
{
    return v.isArray() && v.arrayRep()->locks > 0;
}

// Conditions treat Null as False.
bool truth(const Value &v)
{
    if (v.isNull())
        return false;
    if (v.type() == Type::Boolean)
        return v.rawInt() != 0;
    return v.toBool();
}
} // namespace

// An instance of a script Class.
class ClassInstance : public HostObject, public std::enable_shared_from_this<ClassInstance> {
public:
    ClassInstance(Interpreter &in, ClassDef *def)
        : m_in(in)
        , m_def(def)
    {
        fields.resize(def->fields.size());
        for (const auto &[slot, bounds] : def->arrayFields) {
            fields[slot] = Value::array(bounds);
            if (!bounds.empty())
                fields[slot].mutableArray()->fixed = true;
        }
    }
    bool hasMember(const std::string &name) const override
    {
        std::string l = lowerAscii(name);
        if (l.empty())
            return m_def->defaultMember != nullptr;
        auto f = m_def->fieldIndex.find(l);
        if (f != m_def->fieldIndex.end())
            return !m_def->fieldPrivate[f->second];
        for (auto *table : {&m_def->plain, &m_def->getters, &m_def->letters, &m_def->setters}) {
            auto it = table->find(l);
            if (it != table->end() && !it->second->isPrivate)
                return true;
        }
        return false;
    }
    // The Public method or Property Get of that lower-case name, called from outside.
    Proc *callable(const std::string &l) const
    {
        for (auto *table : {&m_def->plain, &m_def->getters}) {
            auto it = table->find(l);
            if (it != table->end() && !it->second->isPrivate)
                return it->second;
        }
        return nullptr;
    }
    // Code outside the class sees its Public members only.
    void checkPublic(const std::string &l, bool internal) const
    {
        if (!internal && !l.empty() && !hasMember(l))
            throw ScriptError{err::NoSuchMember, errorText(err::NoSuchMember)};
    }
    Value invoke(const std::string &name, std::vector<Value> &args) override
    {
        std::string l = lowerAscii(name);
        checkPublic(l, false);
        if (l.empty()) {
            if (!m_def->defaultMember)
                throw ScriptError{err::NoSuchMember, errorText(err::NoSuchMember)};
            return m_in.callMethod(m_def->defaultMember, this, args);
        }
        auto f = m_def->fieldIndex.find(l);
        if (f != m_def->fieldIndex.end()) {
            Value v = fields[f->second];
            if (!args.empty()) {
                if (!v.isArray())
                    throw ScriptError{err::TypeMismatch, errorText(err::TypeMismatch)};
                return arrayGet(v, args);
            }
            return v;
        }
        auto g = m_def->getters.find(l);
        if (g != m_def->getters.end())
            return m_in.callMethod(g->second, this, args);
        auto p = m_def->plain.find(l);
        if (p != m_def->plain.end())
            return m_in.callMethod(p->second, this, args);
        throw ScriptError{err::NoSuchMember, errorText(err::NoSuchMember)};
    }
    void setProperty(const std::string &name, std::vector<Value> &args, const Value &value) override
    {
        setMember(name, args, value, false);
    }
    void setMember(const std::string &name, std::vector<Value> &args, const Value &value,
                   bool internal)
    {
        std::string l = lowerAscii(name);
        checkPublic(l, internal);
        // `object(args) = value` assigns the default property: the Let or Set that shares the
        // Default Property Get's name.
        if (l.empty() && m_def->defaultMember)
            l = m_def->defaultMember->name;
        auto f = m_def->fieldIndex.find(l);
        if (f != m_def->fieldIndex.end()) {
            if (!args.empty()) {
                Value &field = fields[f->second];
                if (field.isObject()) {
                    // `field(args) = value`: the default property of the object it holds.
                    HostObject *o = field.objectPtr();
                    if (!o)
                        throw ScriptError{err::ObjectNotSet, errorText(err::ObjectNotSet)};
                    Value keep = field;
                    o->setProperty("", args, value);
                    return;
                }
                if (!field.isArray())
                    throw ScriptError{err::TypeMismatch, errorText(err::TypeMismatch)};
                arraySet(field, args, value);
            } else {
                if (locked(fields[f->second]))
                    throw ScriptError{err::ArrayFixed, errorText(err::ArrayFixed)};
                fields[f->second] = value;
            }
            return;
        }
        auto &table = value.isObject() ? m_def->setters : m_def->letters;
        auto s = table.find(l);
        if (s == table.end())
            s = (value.isObject() ? m_def->letters : m_def->setters).find(l);
        if (s == m_def->letters.end() || s == m_def->setters.end())
            throw ScriptError{err::NoSuchMember, errorText(err::NoSuchMember)};
        std::vector<Value> all = args;
        all.push_back(value);
        m_in.callMethod(s->second, this, all);
    }
    std::string typeName() const override { return m_def->spelling; }

    std::vector<Value> fields;
    // How many Class_Terminate calls, each run from the one before, led to this object:
    // 0 unless it was made by one and let go while one still ran.
    int generation = 0;
    ClassDef *def() const { return m_def; }

private:
    Interpreter &m_in;
    ClassDef *m_def;
};

namespace {
// Owns every script object at first: when its last reference goes, an object whose class has
// a Class_Terminate waits, whole, for the interpreter to run it; any other, or one whose
// interpreter has already finished, is freed at once.
struct Finalizer {
    std::weak_ptr<Interpreter::Dying> dying;
    void operator()(ClassInstance *object) const
    {
        if (auto queue = dying.lock(); queue && object->def()->terminate) {
            if (queue->generation < 0)
                object->generation = 0;
            try {
                queue->objects.push_back(object);
                return;
            } catch (const std::bad_alloc &) {
            }
        }
        delete object;
    }
};
} // namespace

inline const Value &Interpreter::evalRef(const Expr *e, Value &tmp)
{
    if (e->kind == EK::Ident && !e->hasParens) {
        if (e->rk == RK::Local) {
            const Value *p = &m_stack[m_frame->base + e->slot];
            return p->type() == Type::Ref ? *p->refTarget() : *p;
        }
        if (e->rk == RK::Global)
            return m_globals[e->slot];
    } else if (e->kind == EK::Const) {
        return e->value;
    }
    tmp = eval(e);
    return tmp;
}

Interpreter::Interpreter(HostServices &services)
    : m_services(services)
    , m_stack(kStackSize)
    , m_dying(std::make_shared<Dying>())
{
    // By-reference parameters point into the globals; run-time code (ExecuteGlobal) may add
    // globals, so keep the storage from moving.
    m_globals.reserve(kGlobalsReserve);
    m_errObject = std::make_shared<ErrObject>(*this);
    m_errValue = Value(std::static_pointer_cast<HostObject>(m_errObject));
}

Interpreter::~Interpreter()
{
    finish();
}

void Interpreter::finish()
{
    if (!m_failed && !m_running) {
        startClock();
        RunGuard guard(m_running);
        ScriptClock::Running clock(m_budget);
        try {
            for (Value &global : m_globals) {
                Value released = std::move(global);
                released = Value();
                runTerminates();
            }
        } catch (...) {
            // A time-out, or WScript.Quit, ends the clean-up; what is left is freed unseen.
        }
    }
    // Objects that die from now on are freed without their Class_Terminate: the classes go
    // with the code.
    auto dying = std::exchange(m_dying, std::make_shared<Dying>());
    while (!dying->objects.empty()) {
        ClassInstance *object = dying->objects.back();
        dying->objects.pop_back();
        delete object; // may add the objects it held
    }
    m_failed = false;
}

void Interpreter::reset()
{
    finish();
    m_globals.clear();
    m_globals.reserve(kGlobalsReserve);
    m_evalCache.clear();
    m_executed.clear();
    m_executedExprs.clear();
    m_globalIndex.clear();
    m_globalNames.clear();
    m_globalVisible.clear();
    m_globalConst.clear();
    m_procs.clear();
    m_implicitReads.clear();
    m_implicitNames.clear();
    m_classes.clear();
    m_objects.clear();
    m_modules.clear();
    m_optionExplicit = false;
    m_err = ErrState{};
    for (size_t i = 0; i < m_sp; ++i)
        m_stack[i] = Value();
    m_sp = 0;
}

void Interpreter::addObject(const std::string &name, std::shared_ptr<HostObject> obj,
                            bool membersGlobal)
{
    Named n{lowerAscii(name), Value(obj), obj, membersGlobal};
    m_objects.push_back(std::move(n));
}

[[noreturn]] void Interpreter::fail(int number)
{
    throw ScriptError{number, errorText(number)};
}

void Interpreter::startClock()
{
    m_budget.deadline = ScriptClock::Clock::now() + std::chrono::milliseconds(m_timeoutMs);
    m_budget.waitsLeft = std::chrono::milliseconds(m_waitLimitMs);
}

void Interpreter::checkTime()
{
    if (m_running)
        throw TimeoutError{m_line};
}

void Interpreter::raise(int number, const std::string &description, const std::string &source)
{
    throw ScriptError{number, description};
    (void)source;
}

// --- resolution ----------------------------------------------------------------------------

int Interpreter::globalSlot(const std::string &name)
{
    auto it = m_globalIndex.find(name);
    if (it != m_globalIndex.end())
        return it->second;
    int slot = static_cast<int>(m_globals.size());
    m_globals.emplace_back();
    m_globalNames.push_back(name);
    m_globalVisible.push_back(true);
    m_globalConst.push_back(false);
    m_globalIndex[name] = slot;
    return slot;
}

void Interpreter::resolveModule(Module &m)
{
    if (m.optionExplicit)
        m_optionExplicit = true;
    for (auto &c : m.classes) {
        if (m_classes.count(c->name))
            throw CompileError{err::NameRedefined, 0};
        addClass(*c);
    }
    // Within one piece of code VBScript lets a procedure be defined again, and the last
    // definition is the one called; a name another piece already took stays taken.
    std::unordered_set<std::string> own;
    for (auto &p : m.procs) {
        if (own.insert(p->name).second && m_procs.count(p->name))
            throw CompileError{err::NameRedefined, p->line};
        addProcedure(p.get());
    }
    for (auto &g : m.globalsDeclared)
        globalSlot(g);
    for (auto &c : m.constsDeclared)
        m_globalConst[globalSlot(c)] = true;
    m_recordImplicitReads = true;
    resolveBlock(m.body, nullptr, nullptr);
    for (auto &p : m.procs)
        resolveProc(*p, nullptr);
    for (auto &c : m.classes)
        for (auto &p : c->methods)
            resolveProc(*p, c.get());
    m_recordImplicitReads = false;
}

void Interpreter::addClass(ClassDef &c)
{
    for (auto &p : c.methods) {
        auto &table = p->kind == Proc::Get   ? c.getters
                      : p->kind == Proc::Let ? c.letters
                      : p->kind == Proc::Set ? c.setters
                                             : c.plain;
        table[p->name] = p.get();
        if (p->isDefault)
            c.defaultMember = p.get();
        if (p->kind == Proc::Plain && p->name == "class_initialize")
            c.initialize = p.get();
        if (p->kind == Proc::Plain && p->name == "class_terminate")
            c.terminate = p.get();
    }
    m_classes[c.name] = &c;
}

Proc *Interpreter::lateProcedure(const std::string &name) const
{
    if (m_frame && m_frame->executed) {
        auto it = m_frame->executed->find(name);
        if (it != m_frame->executed->end())
            return it->second;
    }
    auto it = m_procs.find(name);
    return it == m_procs.end() ? nullptr : it->second;
}

void Interpreter::addProcedure(Proc *p)
{
    m_procs[p->name] = p;
    // Names are bound as code is added, but VBScript looks them up as they run: a function
    // brought in later by ExecuteGlobal is called where earlier code names it bare.
    auto reads = m_implicitReads.find(p->name);
    if (reads == m_implicitReads.end())
        return;
    for (Expr *e : reads->second) {
        e->rk = RK::Proc;
        e->proc = p;
    }
    m_implicitReads.erase(reads);
}

void Interpreter::resolveProc(Proc &p, ClassDef *cls)
{
    int slot = 0;
    for (auto &prm : p.params)
        p.locals[prm.name] = slot++;
    for (auto &d : p.dimmed)
        if (!p.locals.count(d))
            p.locals[d] = slot++;
    if (p.isFunction) {
        p.retSlot = slot++;
    }
    p.numLocals = slot;
    resolveBlock(p.body, &p, cls);
}

void Interpreter::resolveBlock(Block &b, Proc *ctx, ClassDef *cls)
{
    for (auto &sp : b) {
        Stmt &s = *sp;
        bool assigns = s.kind == SK::Assign || s.kind == SK::Set || s.kind == SK::For ||
                       s.kind == SK::ForEach || s.kind == SK::Const;
        if (s.target)
            resolveExpr(s.target.get(), ctx, cls, assigns);
        if (s.value)
            resolveExpr(s.value.get(), ctx, cls);
        if (s.limit)
            resolveExpr(s.limit.get(), ctx, cls);
        if (s.step)
            resolveExpr(s.step.get(), ctx, cls);
        resolveBlock(s.body, ctx, cls);
        resolveBlock(s.elseBody, ctx, cls);
        for (auto &ei : s.elseIfs) {
            resolveExpr(ei.first.get(), ctx, cls);
            resolveBlock(ei.second, ctx, cls);
        }
        for (auto &c : s.cases) {
            for (auto &t : c.tests) {
                resolveExpr(t.value.get(), ctx, cls);
                if (t.upper)
                    resolveExpr(t.upper.get(), ctx, cls);
            }
            resolveBlock(c.body, ctx, cls);
        }
        for (auto &d : s.dims) {
            resolveExpr(d.target.get(), ctx, cls, true);
            for (auto &bd : d.bounds)
                resolveExpr(bd.get(), ctx, cls);
        }
        if (s.kind == SK::Const)
            s.target->isConst = true;
    }
}

void Interpreter::resolveExpr(Expr *e, Proc *ctx, ClassDef *cls, bool assigned)
{
    if (!e)
        return;
    if (e->a)
        resolveExpr(e->a.get(), ctx, cls);
    if (e->b)
        resolveExpr(e->b.get(), ctx, cls);
    for (auto &a : e->args)
        resolveExpr(a.get(), ctx, cls);
    if (e->kind != EK::Ident || e->rk != RK::Unresolved)
        return;
    const std::string &n = e->name;
    if (ctx) {
        if (ctx->isFunction && n == ctx->name && !e->hasParens) {
            e->rk = RK::Local;
            e->slot = ctx->retSlot;
            return;
        }
        auto it = ctx->locals.find(n);
        if (it != ctx->locals.end()) {
            if (m_recordImplicitReads && !assigned && m_implicitNames.count({ctx, n}))
                m_implicitReads[n].push_back(e);
            e->rk = RK::Local;
            e->slot = it->second;
            e->isConst = std::find(ctx->consts.begin(), ctx->consts.end(), n) != ctx->consts.end();
            return;
        }
    }
    if (cls) {
        if (cls->fieldIndex.count(n) || cls->plain.count(n) || cls->getters.count(n) ||
            cls->letters.count(n) || cls->setters.count(n)) {
            e->rk = RK::ClassMember;
            return;
        }
    }
    auto g = m_globalIndex.find(n);
    if (g != m_globalIndex.end() && (!ctx || m_globalVisible[g->second])) {
        if (m_recordImplicitReads && !assigned && m_implicitNames.count({nullptr, n}))
            m_implicitReads[n].push_back(e);
        e->rk = RK::Global;
        e->slot = g->second;
        e->isConst = m_globalConst[g->second];
        if (!ctx && assigned)
            m_globalVisible[g->second] = true;
        return;
    }
    auto p = m_procs.find(n);
    if (p != m_procs.end()) {
        e->rk = RK::Proc;
        e->proc = p->second;
        return;
    }
    Value c;
    if (findConstant(n, c)) {
        e->kind = EK::Const;
        e->value = c;
        return;
    }
    if (const Builtin *b = findBuiltin(n)) {
        e->rk = RK::Builtin;
        e->builtin = b;
        return;
    }
    if (n == "err") {
        e->rk = RK::Object;
        e->value = m_errValue;
        return;
    }
    for (auto &o : m_objects) {
        if (o.name == n) {
            e->rk = RK::Object;
            e->value = o.value;
            return;
        }
    }
    for (auto &o : m_objects) {
        if (o.global && o.obj && o.obj->hasMember(e->spelling)) {
            e->rk = RK::HostMember;
            e->host = o.obj.get();
            return;
        }
    }
    if (m_optionExplicit) {
        e->rk = RK::Undefined;
        return;
    }
    if (m_recordImplicitReads) {
        m_implicitNames.insert({ctx && !m_noNewLocals ? ctx : nullptr, n});
        if (!assigned)
            m_implicitReads[n].push_back(e);
    }
    if (ctx && !m_noNewLocals) {
        int slot = ctx->numLocals++;
        ctx->locals[n] = slot;
        e->rk = RK::Local;
        e->slot = slot;
    } else {
        e->rk = RK::Global;
        e->slot = globalSlot(n);
        m_globalVisible[e->slot] = assigned;
    }
}

// --- running ---------------------------------------------------------------------------

template <typename F>
void Interpreter::runAtTop(F &&body)
{
    if (!m_running)
        startClock();
    RunGuard guard(m_running);
    ScriptClock::Running clock(m_budget);
    Frame f;
    f.base = m_sp;
    Frame *prev = m_frame;
    m_frame = &f;
    try {
        body();
    } catch (const QuitRequest &) {
        m_frame = prev;
        throw;
    } catch (TimeoutError &e) {
        m_frame = prev;
        m_failed = true;
        // A wait stopped by the time-out knows no line; the statement that waited is this one.
        if (e.line == 0)
            e.line = m_line;
        throw;
    } catch (...) {
        m_frame = prev;
        m_failed = true;
        throw;
    }
    m_frame = prev;
}

void Interpreter::addCode(const std::string &code)
{
    std::unique_ptr<Module> m = parse(code);
    Module *mod = m.get();
    m_modules.push_back(std::move(m));
    resolveModule(*mod);
    if (mod->body.empty())
        return;
    runAtTop([&] { execBlock(mod->body); });
}

Value Interpreter::evalText(const std::string &code)
{
    Nested<kExprWeight> level;
    auto it = m_evalCache.find(code);
    if (it == m_evalCache.end()) {
        std::unique_ptr<Expr> e;
        try {
            e = parseExpression(code);
        } catch (const CompileError &ce) {
            throw ScriptError{ce.number, errorText(ce.number)};
        }
        Proc *ctx = m_frame ? m_frame->proc : nullptr;
        ClassDef *cls = m_frame && m_frame->me ? m_frame->me->def() : nullptr;
        m_noNewLocals = true;
        resolveExpr(e.get(), ctx, cls);
        m_noNewLocals = false;
        // The resolution depends on the calling procedure; cache only module-level text.
        if (ctx || cls)
            return eval(m_executedExprs.emplace_back(std::move(e)).get());
        it = m_evalCache.emplace(code, std::move(e)).first;
    }
    return eval(it->second.get());
}

void Interpreter::executeText(const std::string &code, bool global)
{
    Nested<kExprWeight> level;
    std::unique_ptr<Module> m;
    try {
        m = parse(code);
    } catch (const CompileError &ce) {
        throw ScriptError{ce.number, errorText(ce.number)};
    }
    Module *mod = m.get();
    m_executed.push_back(std::move(m));
    Proc *ctx = global || !m_frame ? nullptr : m_frame->proc;
    ClassDef *cls = global || !m_frame || !m_frame->me ? nullptr : m_frame->me->def();
    m_noNewLocals = true;
    try {
        // Declarations and procedures join the script; statements run in the chosen scope.
        // A procedure that Execute declares inside another belongs to that call of it alone.
        if (ctx && !mod->procs.empty() && !m_frame->executed)
            m_frame->executed = std::make_unique<std::unordered_map<std::string, Proc *>>();
        // Code without procedures may run in a procedure that has no table of its own yet.
        auto *table = ctx ? m_frame->executed.get() : &m_procs;
        for (auto &p : mod->procs) {
            if (table->count(p->name))
                throw ScriptError{err::NameRedefined, errorText(err::NameRedefined)};
            if (ctx)
                (*table)[p->name] = p.get();
            else
                addProcedure(p.get());
        }
        // Classes belong to the whole script wherever the code runs: this is how scripts
        // load a library of them.
        for (auto &c : mod->classes) {
            if (m_classes.count(c->name))
                throw ScriptError{err::NameRedefined, errorText(err::NameRedefined)};
            addClass(*c);
        }
        for (auto &g : mod->globalsDeclared)
            if (!ctx || !ctx->locals.count(g))
                globalSlot(g);
        for (auto &c : mod->constsDeclared)
            if (!ctx || !ctx->locals.count(c))
                m_globalConst[globalSlot(c)] = true;
        resolveBlock(mod->body, ctx, cls);
        m_noNewLocals = false;
        for (auto &p : mod->procs)
            resolveProc(*p, nullptr);
        for (auto &c : mod->classes)
            for (auto &p : c->methods)
                resolveProc(*p, c.get());
    } catch (...) {
        m_noNewLocals = false;
        throw;
    }
    if (global) {
        Frame f;
        f.base = m_sp;
        Frame *prev = m_frame;
        m_frame = &f;
        try {
            execBlock(mod->body);
        } catch (...) {
            m_frame = prev;
            throw;
        }
        m_frame = prev;
    } else {
        bool resume = m_frame->resumeNext;
        m_frame->resumeNext = false;
        try {
            execBlock(mod->body);
        } catch (...) {
            m_frame->resumeNext = resume;
            throw;
        }
        m_frame->resumeNext = resume;
    }
}

void Interpreter::runProcedure(const std::string &name)
{
    auto it = m_procs.find(lowerAscii(name));
    if (it == m_procs.end())
        throw RuntimeError{err::SubNotDefined, errorText(err::SubNotDefined), 0};
    runAtTop([&] {
        if (!it->second->params.empty())
            throw RuntimeError{err::WrongArgCount, errorText(err::WrongArgCount), it->second->line};
        std::vector<Value> none;
        callProcArgs(it->second, none, nullptr);
    });
}

Interpreter::Flow Interpreter::execBlock(const Block &b)
{
    Nested<kBlockWeight> level;
    size_t i = 0;
    const size_t n = b.size();
    while (i < n) {
        try {
            for (; i < n; ++i) {
                Flow f = execStmt(*b[i]);
                if (!m_dying->objects.empty())
                    runTerminates();
                if (f != Flow::Normal)
                    return f;
            }
            return Flow::Normal;
        } catch (ScriptError &e) {
            if (!m_frame->resumeNext)
                throwWithLine(e);
            resumeAfter(e.number, e.description, std::exchange(m_raisedSource, std::string()));
            ++i;
        } catch (RuntimeError &e) {
            if (!m_frame->resumeNext)
                throw;
            resumeAfter(e.number, e.description, e.source);
            ++i;
        } catch (const std::bad_alloc &) {
            outOfMemory();
            ++i;
        } catch (const std::length_error &) {
            outOfMemory();
            ++i;
        }
    }
    return Flow::Normal;
}

// Memory refused anywhere in a statement is that statement's run-time error, as the size
// limits of strings and arrays raise it: reported at its line, and trapped like any other.
void Interpreter::outOfMemory()
{
    if (!m_frame->resumeNext)
        throw RuntimeError{err::OutOfMemory, errorText(err::OutOfMemory), m_line};
    resumeAfter(err::OutOfMemory, errorText(err::OutOfMemory), std::string());
}

// Out of line, as runTerminates is: execBlock recurses with every nested block and call, and
// its frame stays small without the code for the rare cases.
void Interpreter::throwWithLine(const ScriptError &e)
{
    throw RuntimeError{e.number, e.description, m_line,
                       std::exchange(m_raisedSource, std::string())};
}

void Interpreter::resumeAfter(int number, const std::string &description, const std::string &source)
{
    m_err.number = number;
    m_err.description = description;
    m_err.source = source.empty() ? "Microsoft VBScript runtime error" : source;
    if (!m_dying->objects.empty())
        runTerminates();
}

Value Interpreter::letValue(Value v)
{
    if (v.type() == Type::Object)
        return defaultOf(v);
    return v;
}

void Interpreter::assign(const Expr *t, Value v, bool isSet)
{
    if (isSet) {
        if (!v.isObject())
            fail(err::ObjectRequired);
    } else if (v.isObject()) {
        v = letValue(std::move(v));
    }
    switch (t->kind) {
    case EK::Ident:
        switch (t->rk) {
        case RK::Local:
        case RK::Global: {
            Value *p = variablePtr(t);
            if (t->hasParens) {
                if (p->isArray()) {
                    *elementPtr(*p, t) = std::move(v);
                    return;
                }
                if (p->isObject()) {
                    std::vector<Value> args;
                    evalArgs(t, args);
                    HostObject *o = p->objectPtr();
                    if (!o)
                        fail(err::ObjectNotSet);
                    o->setProperty("", args, v);
                    return;
                }
                fail(err::TypeMismatch);
            }
            if (t->isConst)
                fail(err::IllegalAssignment);
            if (locked(*p))
                fail(err::ArrayFixed);
            *p = std::move(v);
            return;
        }
        case RK::HostMember: {
            std::vector<Value> args;
            evalArgs(t, args);
            t->host->setProperty(t->spelling, args, v);
            return;
        }
        case RK::ClassMember: {
            if (!m_frame->me)
                fail(err::ObjectRequired);
            std::vector<Value> args;
            evalArgs(t, args);
            m_frame->me->setMember(t->spelling, args, v, true);
            return;
        }
        case RK::Undefined:
            fail(err::Undefined);
        case RK::Object:
            if (t->hasParens) {
                std::vector<Value> args;
                evalArgs(t, args);
                t->value.objectPtr()->setProperty("", args, v);
                return;
            }
            fail(err::IllegalAssignment);
        default:
            fail(err::IllegalAssignment);
        }
    case EK::Member: {
        Value obj = eval(t->a.get());
        if (!obj.isObject())
            fail(err::ObjectRequired);
        HostObject *o = obj.objectPtr();
        if (!o)
            fail(err::ObjectNotSet);
        std::vector<Value> args;
        evalArgs(t, args);
        o->setProperty(t->spelling, args, v);
        return;
    }
    default:
        fail(err::IllegalAssignment);
    }
}

// Under On Error Resume Next a failing condition resumes with the next statement, which is
// the first one of the Then branch; scripts written for VBScript rely on this.
bool Interpreter::condition(const Expr *e)
{
    if (!m_frame->resumeNext)
        return truth(eval(e));
    try {
        return truth(eval(e));
    } catch (ScriptError &x) {
        m_err.number = x.number;
        m_err.description = x.description;
        m_err.source = m_raisedSource.empty() ? "Microsoft VBScript runtime error"
                                              : std::exchange(m_raisedSource, std::string());
    } catch (RuntimeError &x) {
        m_err.number = x.number;
        m_err.description = x.description;
        m_err.source = x.source.empty() ? "Microsoft VBScript runtime error" : x.source;
    }
    return true;
}

Interpreter::Flow Interpreter::execStmt(const Stmt &s)
{
    m_line = s.line;
    switch (s.kind) {
    case SK::Assign: {
        const Expr *t = s.target.get();
        // `s = s & x` appends in place while the variable holds the only reference.
        if ((t->rk == RK::Local || t->rk == RK::Global) && !t->hasParens) {
            Value *p = variablePtr(t);
            const Expr *v = s.value.get();
            if (v->kind == EK::Binary && v->op == BinOp::Concat && v->a->kind == EK::Ident &&
                v->a->rk == t->rk && v->a->slot == t->slot && !v->a->hasParens && p->isString()) {
                Value tmp;
                const Value &rhs = evalRef(v->b.get(), tmp);
                p = variablePtr(t);
                appendInPlace(*p, rhs);
                return Flow::Normal;
            }
            if (t->isConst)
                fail(err::IllegalAssignment);
            Value val = eval(v);
            if (val.isObject())
                val = letValue(std::move(val));
            p = variablePtr(t);
            if (locked(*p))
                fail(err::ArrayFixed);
            *p = std::move(val);
            return Flow::Normal;
        }
        assign(t, eval(s.value.get()), false);
        return Flow::Normal;
    }
    case SK::Set: {
        Value v = eval(s.value.get());
        if (!v.isObject())
            fail(err::ObjectRequired);
        assign(s.target.get(), std::move(v), true);
        return Flow::Normal;
    }
    case SK::Const: {
        Value *p = variablePtr(s.target.get());
        if (p)
            *p = eval(s.value.get());
        return Flow::Normal;
    }
    case SK::Call: {
        const Expr *t = s.target.get();
        if (t->kind == EK::Ident && (t->rk == RK::Local || t->rk == RK::Global)) {
            Value *p = variablePtr(t);
            if (p->isObject()) {
                HostObject *o = p->objectPtr();
                if (!o)
                    fail(err::ObjectNotSet);
                invokeObject(o, "", t);
                return Flow::Normal;
            }
            Proc *late = lateProcedure(t->name);
            if (late && p->isEmpty()) {
                callProc(late, t, nullptr);
                return Flow::Normal;
            }
            if (!t->hasParens)
                fail(err::TypeMismatch);
        }
        if (t->kind == EK::Ident && t->rk == RK::Builtin && isConversion(t->builtin)) {
            // VBScript's conversions refuse to be called for nothing, after their arguments
            // have been worked out.
            for (auto &a : t->args)
                eval(a.get());
            fail(err::UnsupportedAutomationType);
        }
        eval(t);
        return Flow::Normal;
    }
    case SK::If: {
        if (condition(s.value.get()))
            return execBlock(s.body);
        for (auto &ei : s.elseIfs) {
            if (condition(ei.first.get()))
                return execBlock(ei.second);
        }
        return execBlock(s.elseBody);
    }
    case SK::Select: {
        Flow f = Flow::Normal;
        execSelect(s, f);
        return f;
    }
    case SK::For:
        return execFor(s);
    case SK::ForEach:
        return execForEach(s);
    case SK::Do:
        return execDo(s);
    case SK::Exit:
        switch (s.exitKind) {
        case ExitKind::Do:
            return Flow::ExitDo;
        case ExitKind::For:
            return Flow::ExitFor;
        default:
            return Flow::ExitProc;
        }
    case SK::Dim:
        execDim(s);
        return Flow::Normal;
    case SK::ReDim:
        execReDim(s);
        return Flow::Normal;
    case SK::Erase:
        execErase(s);
        return Flow::Normal;
    case SK::OnErrorResume:
        m_frame->resumeNext = true;
        m_err = ErrState{};
        return Flow::Normal;
    case SK::OnErrorGoto0:
        m_frame->resumeNext = false;
        m_err = ErrState{};
        return Flow::Normal;
    case SK::With: {
        Value obj = eval(s.value.get());
        if (!obj.isObject())
            fail(err::ObjectRequired);
        m_frame->with.push_back(std::move(obj));
        Flow f;
        try {
            f = execBlock(s.body);
        } catch (...) {
            m_frame->with.pop_back();
            throw;
        }
        m_frame->with.pop_back();
        return f;
    }
    case SK::Randomize:
        if (s.value) {
            Value v = eval(s.value.get());
            randomize(&v);
        } else {
            randomize(nullptr);
        }
        return Flow::Normal;
    }
    return Flow::Normal;
}

Value *Interpreter::storagePtr(const Expr *e)
{
    if (Value *p = variablePtr(e))
        return p;
    if (e->rk == RK::ClassMember && m_frame->me) {
        ClassDef *def = m_frame->me->def();
        auto f = def->fieldIndex.find(e->name);
        if (f != def->fieldIndex.end())
            return &m_frame->me->fields[f->second];
    }
    return nullptr;
}

static std::vector<int32_t> boundsOf(Interpreter &in, const std::vector<Value> &vals)
{
    std::vector<int32_t> upper;
    for (auto &v : vals) {
        int32_t u = v.toInt32();
        if (u < -1)
            throw ScriptError{err::SubscriptRange, errorText(err::SubscriptRange)};
        upper.push_back(u);
    }
    (void)in;
    return upper;
}

void Interpreter::execDim(const Stmt &s)
{
    for (auto &d : s.dims) {
        if (!d.isArray)
            continue;
        Value *p = storagePtr(d.target.get());
        if (!p)
            continue;
        std::vector<Value> vals;
        for (auto &b : d.bounds)
            vals.push_back(eval(b.get()));
        Value arr = Value::array(boundsOf(*this, vals));
        if (!d.bounds.empty())
            arr.mutableArray()->fixed = true;
        *p = std::move(arr);
    }
}

void Interpreter::execReDim(const Stmt &s)
{
    for (auto &d : s.dims) {
        Value *p = storagePtr(d.target.get());
        if (!p || d.target->isConst)
            fail(err::IllegalAssignment);
        std::vector<Value> vals;
        for (auto &b : d.bounds)
            vals.push_back(eval(b.get()));
        std::vector<int32_t> upper = boundsOf(*this, vals);
        if (p->isArray() && (p->arrayRep()->fixed || locked(*p)))
            fail(err::ArrayFixed);
        if (s.preserve && p->isArray()) {
            ArrayRep *old = p->arrayRep();
            if (old->upper.size() != upper.size() && !old->upper.empty())
                fail(err::SubscriptRange);
            for (size_t k = 0; k + 1 < upper.size() && !old->upper.empty(); ++k)
                if (upper[k] != old->upper[k])
                    fail(err::SubscriptRange);
            Value arr = Value::array(upper);
            ArrayRep *nw = arr.mutableArray();
            if (!old->upper.empty()) {
                // Only the last dimension may change, so elements keep their offsets.
                size_t keep = std::min(old->data.size(), nw->data.size());
                for (size_t k = 0; k < keep; ++k)
                    nw->data[k] = old->data[k];
            }
            *p = std::move(arr);
        } else {
            *p = Value::array(upper);
        }
    }
}

void Interpreter::execErase(const Stmt &s)
{
    Value *p = storagePtr(s.dims[0].target.get());
    if (!p || !p->isArray())
        fail(err::TypeMismatch);
    if (locked(*p))
        fail(err::ArrayFixed);
    if (p->arrayRep()->fixed) {
        ArrayRep *a = p->mutableArray();
        for (auto &v : a->data)
            v = Value();
    } else {
        *p = Value::array({});
    }
}

void Interpreter::execSelect(const Stmt &s, Flow &flow)
{
    Value v = eval(s.value.get());
    for (auto &c : s.cases) {
        bool match = c.tests.empty();
        for (auto &t : c.tests) {
            if (match)
                break;
            if (t.isIs) {
                match =
                    truth(binary(t.op, v, eval(t.value.get()), false, t.value->kind == EK::Const));
            } else if (t.upper) {
                Value lo = eval(t.value.get()), hi = eval(t.upper.get());
                int a = compare(v, lo, false, t.value->kind == EK::Const, false);
                int b = compare(v, hi, false, t.upper->kind == EK::Const, false);
                match = a != 2 && b != 2 && a >= 0 && b <= 0;
            } else {
                int r = compare(v, eval(t.value.get()), false, t.value->kind == EK::Const, false);
                match = r == 0;
            }
        }
        if (match) {
            flow = execBlock(c.body);
            return;
        }
    }
}

Interpreter::Flow Interpreter::execFor(const Stmt &s)
{
    const Expr *var = s.target.get();
    if (var->rk != RK::Local && var->rk != RK::Global) {
        if (var->rk == RK::Undefined)
            fail(err::Undefined);
        fail(err::IllegalAssignment);
    }
    if (var->isConst)
        fail(err::IllegalAssignment);
    Value start = eval(s.value.get());
    Value end = eval(s.limit.get());
    Value step = s.step ? eval(s.step.get()) : Value::integer(1);
    if (start.isNull() || end.isNull() || step.isNull())
        fail(err::InvalidUseOfNull);
    if (isIntegral(start.type()) && isIntegral(end.type()) && isIntegral(step.type())) {
        int64_t i = start.rawInt(), e = end.rawInt(), st = step.rawInt();
        // The counter is start, start + step, ...: it widens only when a value needs it.
        Type t =
            (start.type() == Type::Long || step.type() == Type::Long) ? Type::Long : Type::Integer;
        *variablePtr(var) = fitInteger(i, t);
        for (;;) {
            if (st >= 0 ? i > e : i < e)
                break;
            Flow f = execBlock(s.body);
            if (f == Flow::ExitFor)
                break;
            if (f == Flow::ExitProc || f == Flow::ExitDo)
                return f;
            tick();
            Value *p = variablePtr(var);
            if (isIntegral(p->type())) {
                i = p->rawInt() + st;
                *p = fitInteger(i, t == Type::Long ? Type::Long : p->type());
            } else {
                // The body stored something else in the counter: continue in doubles.
                Value nv = binary(BinOp::Add, *p, step);
                *p = nv;
                double d = nv.toDouble();
                double ed = e, sd = st;
                while (sd >= 0 ? d <= ed : d >= ed) {
                    Flow g = execBlock(s.body);
                    if (g == Flow::ExitFor)
                        return Flow::Normal;
                    if (g != Flow::Normal)
                        return g;
                    tick();
                    Value *q = variablePtr(var);
                    *q = binary(BinOp::Add, *q, step);
                    d = q->toDouble();
                }
                return Flow::Normal;
            }
        }
        return Flow::Normal;
    }
    double e = end.toDouble(), st = step.toDouble();
    {
        Value *p = variablePtr(var);
        *p = start.isString() ? Value(start.toDouble()) : start;
    }
    for (;;) {
        double d = variablePtr(var)->toDouble();
        if (st >= 0 ? d > e : d < e)
            break;
        Flow f = execBlock(s.body);
        if (f == Flow::ExitFor)
            break;
        if (f == Flow::ExitProc || f == Flow::ExitDo)
            return f;
        tick();
        Value *p = variablePtr(var);
        *p = binary(BinOp::Add, *p, step);
    }
    return Flow::Normal;
}

Interpreter::Flow Interpreter::execForEach(const Stmt &s)
{
    Value coll = eval(s.value.get());
    std::vector<Value> items;
    if (coll.isArray()) {
        items = coll.arrayRep()->data;
    } else if (coll.isObject()) {
        HostObject *o = coll.objectPtr();
        if (!o)
            fail(err::ObjectNotSet);
        if (!o->enumerate(items))
            fail(err::NotACollection);
    } else {
        fail(err::NotACollection);
    }
    for (auto &item : items) {
        assign(s.target.get(), item, item.isObject());
        Flow f = execBlock(s.body);
        if (f == Flow::ExitFor)
            break;
        if (f == Flow::ExitProc || f == Flow::ExitDo)
            return f;
        tick();
    }
    return Flow::Normal;
}

Interpreter::Flow Interpreter::execDo(const Stmt &s)
{
    for (;;) {
        if (s.value && s.preCondition) {
            bool c = truth(eval(s.value.get()));
            if (c == s.until)
                break;
        }
        Flow f = execBlock(s.body);
        if (f == Flow::ExitDo)
            break;
        if (f == Flow::ExitProc || f == Flow::ExitFor)
            return f;
        tick();
        if (s.value && !s.preCondition) {
            bool c = truth(eval(s.value.get()));
            if (c == s.until)
                break;
        }
    }
    return Flow::Normal;
}

// --- expressions -----------------------------------------------------------------------

static inline bool fastInt(const Value &v)
{
    return v.type() == Type::Integer || v.type() == Type::Long;
}

Value Interpreter::eval(const Expr *e)
{
    switch (e->kind) {
    case EK::Const:
        return e->value;
    case EK::Ident:
        if (!e->hasParens) {
            if (e->rk == RK::Local) {
                const Value &v = m_stack[m_frame->base + e->slot];
                return v.type() == Type::Ref ? *v.refTarget() : v;
            }
            if (e->rk == RK::Global)
                return m_globals[e->slot];
        }
        {
            Nested<kExprWeight> level;
            return evalIdent(e);
        }
    case EK::Member: {
        Nested<kExprWeight> level;
        return evalMember(e);
    }
    case EK::WithObj:
        if (m_frame->with.empty())
            fail(err::ObjectRequired);
        return m_frame->with.back();
    case EK::Paren: {
        Nested<kExprWeight> level;
        return eval(e->a.get());
    }
    case EK::Neg: {
        Nested<kExprWeight> level;
        Value t;
        return negate(evalRef(e->a.get(), t));
    }
    case EK::Not: {
        Nested<kExprWeight> level;
        Value t;
        return logicalNot(evalRef(e->a.get(), t));
    }
    case EK::Binary: {
        Nested<kExprWeight> level;
        Value ta, tb;
        const Value &a = evalRef(e->a.get(), ta);
        const Value &b = evalRef(e->b.get(), tb);
        if (fastInt(a) && fastInt(b)) {
            int64_t x = a.rawInt(), y = b.rawInt();
            Type at =
                (a.type() == Type::Long || b.type() == Type::Long) ? Type::Long : Type::Integer;
            switch (e->op) {
            case BinOp::Add:
                return fitInteger(x + y, at);
            case BinOp::Sub:
                return fitInteger(x - y, at);
            case BinOp::Mul:
                return fitInteger(x * y, at);
            case BinOp::Lt:
                return Value(x < y);
            case BinOp::Le:
                return Value(x <= y);
            case BinOp::Gt:
                return Value(x > y);
            case BinOp::Ge:
                return Value(x >= y);
            case BinOp::Eq:
                return Value(x == y);
            case BinOp::Ne:
                return Value(x != y);
            default:
                break;
            }
        } else if ((a.type() == Type::Double && (b.type() == Type::Double || fastInt(b))) ||
                   (b.type() == Type::Double && fastInt(a))) {
            double x = a.type() == Type::Double ? a.rawDouble() : static_cast<double>(a.rawInt());
            double y = b.type() == Type::Double ? b.rawDouble() : static_cast<double>(b.rawInt());
            double v = e->op == BinOp::Add   ? x + y
                       : e->op == BinOp::Sub ? x - y
                       : e->op == BinOp::Mul ? x * y
                                             : NAN;
            // What is out of range goes the long way, which raises Overflow.
            if (std::isfinite(v))
                return Value(v);
        }
        return binary(e->op, a, b, e->aLiteral, e->bLiteral);
    }
    case EK::Me:
        if (!m_frame->me)
            fail(err::ObjectRequired);
        return Value(std::static_pointer_cast<HostObject>(m_frame->me->shared_from_this()));
    case EK::New: {
        auto it = m_classes.find(e->name);
        if (it != m_classes.end())
            return newInstance(it->second);
        if (e->name == "regexp") // the one class the language itself provides
            return Value(std::shared_ptr<HostObject>(std::make_shared<RegExpObject>()));
        fail(err::ClassNotDefined);
    }
    case EK::Missing:
        return Value::error(static_cast<int32_t>(0x80020004));
    case EK::Index: {
        Nested<kExprWeight> level;
        Value base = eval(e->a.get());
        if (base.isArray())
            return index(base, e);
        if (base.isObject()) {
            HostObject *o = base.objectPtr();
            if (!o)
                fail(err::ObjectNotSet);
            return invokeObject(o, "", e);
        }
        fail(err::TypeMismatch);
    }
    }
    return Value();
}

void Interpreter::evalArgs(const Expr *call, std::vector<Value> &args)
{
    args.clear();
    args.reserve(call->args.size());
    for (auto &a : call->args)
        args.push_back(eval(a.get()));
}

void Interpreter::writeBack(const Expr *call, std::vector<Value> &args)
{
    for (size_t i = 0; i < call->args.size() && i < args.size(); ++i) {
        const Expr *a = call->args[i].get();
        if (a->kind == EK::Ident && !a->hasParens && !a->isConst &&
            (a->rk == RK::Local || a->rk == RK::Global))
            *variablePtr(a) = args[i];
    }
}

Value Interpreter::invokeObject(HostObject *obj, const std::string &name, const Expr *call)
{
    Nested<kExprWeight> level; // on top of the expression's: the arguments are evaluated deeper
    std::vector<Value> args;
    evalArgs(call, args);
    Value r = obj->invoke(name, args);
    ScriptClock::noteLongWork();
    writeBack(call, args);
    return r;
}

template <typename FetchArray>
size_t Interpreter::elementOffset(const Expr *call, FetchArray array)
{
    // The subscripts are worked out before the array is looked at: one of them may call a
    // function that assigns the array anew.
    constexpr size_t inlineCount = 8;
    int64_t inlineSubscripts[inlineCount];
    std::vector<int64_t> manySubscripts;
    const size_t count = call->args.size();
    int64_t *subscripts = inlineSubscripts;
    if (count > inlineCount) {
        manySubscripts.resize(count);
        subscripts = manySubscripts.data();
    }
    for (size_t k = 0; k < count; ++k) {
        Value tmp;
        const Value &iv = evalRef(call->args[k].get(), tmp);
        subscripts[k] = fastInt(iv) ? iv.rawInt() : iv.toInt32();
    }
    const ArrayRep *arr = array();
    if (!arr || count != arr->upper.size())
        fail(err::SubscriptRange);
    size_t offset = 0, mult = 1;
    for (size_t k = 0; k < count; ++k) {
        if (subscripts[k] < 0 || subscripts[k] > arr->upper[k])
            fail(err::SubscriptRange);
        offset += static_cast<size_t>(subscripts[k]) * mult;
        mult *= static_cast<size_t>(arr->upper[k] + 1);
    }
    return offset;
}

Value *Interpreter::elementPtr(Value &arrv, const Expr *call)
{
    ArrayRep *arr = nullptr;
    const size_t offset = elementOffset(call, [&] { return arr = arrv.mutableArray(); });
    return &arr->data[offset];
}

Value Interpreter::index(const Value &arrv, const Expr *call)
{
    ArrayRep *arr = nullptr;
    const size_t offset = elementOffset(call, [&] { return arr = arrv.arrayRep(); });
    return arr->data[offset];
}

Value Interpreter::evalIdent(const Expr *e)
{
    switch (e->rk) {
    case RK::Local:
    case RK::Global: {
        Value *p = variablePtr(e);
        if (p->isArray()) {
            if (e->args.empty())
                return *p;
            Value keep = *p; // an index expression could reassign the variable
            return index(keep, e);
        }
        if (p->isObject() && e->hasParens) {
            HostObject *o = p->objectPtr();
            if (!o)
                fail(err::ObjectNotSet);
            Value keep = *p;
            return invokeObject(o, "", e);
        }
        if (e->hasParens && p->isEmpty()) {
            // A procedure that ExecuteGlobal added after this code was compiled.
            if (Proc *late = lateProcedure(e->name))
                return callProc(late, e, nullptr);
        }
        if (e->hasParens && !e->args.empty())
            fail(err::TypeMismatch);
        return *p;
    }
    case RK::Proc:
        if (m_frame && m_frame->executed) [[unlikely]] { // its own come first
            Proc *mine = lateProcedure(e->name);
            return callProc(mine ? mine : e->proc, e, nullptr);
        }
        return callProc(e->proc, e, nullptr);
    case RK::Builtin:
        return callBuiltin(e->builtin, e);
    case RK::Object:
        if (e->hasParens && !e->args.empty())
            return invokeObject(e->value.objectPtr(), "", e);
        return e->value;
    case RK::HostMember:
        return invokeObject(e->host, e->spelling, e);
    case RK::ClassMember:
        return fieldOrMethod(e);
    case RK::Undefined:
        fail(err::Undefined);
    case RK::Unresolved:
        break;
    }
    fail(err::Undefined);
}

Value Interpreter::fieldOrMethod(const Expr *e)
{
    ClassInstance *me = m_frame->me;
    if (!me)
        fail(err::ObjectRequired);
    ClassDef *def = me->def();
    auto f = def->fieldIndex.find(e->name);
    if (f != def->fieldIndex.end()) {
        Value &v = me->fields[f->second];
        if (e->hasParens && !e->args.empty()) {
            if (v.isArray()) {
                Value keep = v;
                return index(keep, e);
            }
            if (v.isObject())
                return invokeObject(v.objectPtr(), "", e);
            fail(err::TypeMismatch);
        }
        return v;
    }
    auto p = def->plain.find(e->name);
    if (p == def->plain.end())
        p = def->getters.find(e->name);
    if (p == def->getters.end())
        fail(err::NoSuchMember);
    return callProc(p->second, e, me);
}

Value Interpreter::evalMember(const Expr *e)
{
    Value obj = eval(e->a.get());
    if (!obj.isObject())
        fail(err::ObjectRequired);
    HostObject *o = obj.objectPtr();
    if (!o)
        fail(err::ObjectNotSet);
    // A script object's method gets its arguments as any procedure does, by reference too.
    if (auto *object = dynamic_cast<ClassInstance *>(o))
        if (Proc *method = object->callable(e->name))
            return callProc(method, e, object);
    return invokeObject(o, e->spelling, e);
}

Value Interpreter::callBuiltin(const Builtin *b, const Expr *e)
{
    Nested<kExprWeight> level; // on top of the expression's: the arguments are evaluated deeper
    int n = static_cast<int>(e->args.size());
    if (n < b->minArgs || n > b->maxArgs)
        fail(err::WrongArgCount);
    // Few built-ins take more than a handful of arguments; Array takes any number.
    Value fewArgs[8];
    std::vector<Value> manyArgs;
    Value *argv = fewArgs;
    if (n > 8) {
        manyArgs.resize(n);
        argv = manyArgs.data();
    }
    for (int i = 0; i < n; ++i) {
        if (e->args[i]->kind == EK::Missing)
            argv[i] = Value::error(static_cast<int32_t>(0x80020004));
        else
            argv[i] = eval(e->args[i].get());
    }
    Value result = b->fn(*this, argv, n);
    ScriptClock::noteLongWork();
    return result;
}

Value Interpreter::callProc(Proc *p, const Expr *call, ClassInstance *me)
{
    size_t nargs = call->args.size();
    if (nargs != p->params.size())
        fail(err::WrongArgCount);
    if (m_sp + p->numLocals + 1 >= kStackSize)
        fail(err::OutOfStack);
    m_stack.reach(m_sp + p->numLocals + 1);
    size_t base = m_sp;
    // Array elements passed by reference keep their arrays in place until the call returns.
    std::vector<ArrayLock> lent;
    // Arguments are evaluated in the caller's frame, into the new frame's slots.
    try {
        for (size_t i = 0; i < nargs; ++i) {
            const Expr *a = call->args[i].get();
            Value &slot = m_stack[base + i];
            m_sp = base + nargs; // nested calls in the argument must not overwrite this frame
            const bool byRef = p->params[i].byRef && a->kind == EK::Ident && !a->isConst;
            if (byRef && !a->hasParens && (a->rk == RK::Local || a->rk == RK::Global)) {
                slot = Value::ref(variablePtr(a));
                continue;
            }
            if (byRef && a->hasParens && !a->args.empty()) {
                if (Value *element = lendElement(a, lent)) {
                    slot = Value::ref(element);
                    continue;
                }
            }
            slot = eval(a);
        }
    } catch (...) {
        for (size_t i = 0; i < nargs; ++i)
            m_stack[base + i] = Value();
        m_sp = base;
        throw;
    }
    return runFrame(p, base, me);
}

Value *Interpreter::lendElement(const Expr *a, std::vector<ArrayLock> &lent)
{
    Value *array = storagePtr(a);
    if (!array || !array->isArray())
        return nullptr;
    Value *element = elementPtr(*array, a);
    lent.emplace_back(*array);
    return element;
}

// Runs a procedure whose arguments are already in the slots from base on.
Value Interpreter::runFrame(Proc *p, size_t base, ClassInstance *me)
{
    m_sp = base + p->numLocals;
    Frame f;
    f.base = base;
    f.proc = p;
    f.me = me;
    Frame *prev = m_frame;
    m_frame = &f;
    int savedLine = m_line;
    auto cleanup = [&] {
        for (size_t i = base; i < base + p->numLocals; ++i)
            m_stack[i] = Value();
        m_sp = base;
        m_frame = prev;
    };
    Value result;
    try {
        Nested<kCallWeight> level;
        tick();
        execBlock(p->body);
        if (p->retSlot >= 0)
            result = std::move(m_stack[base + p->retSlot]);
    } catch (...) {
        cleanup();
        throw;
    }
    cleanup();
    m_line = savedLine;
    // The locals that went out of scope. Those of a Class_Terminate are left to the loop in
    // runTerminates that called it: run from here, a chain of objects each let go by the one
    // before would nest one Class_Terminate inside another, as deep as the chain is long.
    if (!m_dying->objects.empty() && !(me && p == me->def()->terminate))
        runTerminates();
    return result;
}

Value Interpreter::callProcArgs(Proc *p, std::vector<Value> &args, ClassInstance *me)
{
    if (args.size() != p->params.size())
        fail(err::WrongArgCount);
    if (m_sp + p->numLocals + 1 >= kStackSize)
        fail(err::OutOfStack);
    m_stack.reach(m_sp + p->numLocals + 1);
    size_t base = m_sp;
    for (size_t i = 0; i < args.size(); ++i)
        m_stack[base + i] = p->params[i].byRef ? Value::ref(&args[i]) : args[i];
    return runFrame(p, base, me);
}

Value Interpreter::callMethod(Proc *p, ClassInstance *self, std::vector<Value> &args)
{
    return callProcArgs(p, args, self);
}

Value Interpreter::newInstance(ClassDef *def)
{
    // A Class_Terminate that makes an object whose own Class_Terminate makes another would go
    // on for ever; once the chain is as long as calls may nest, the stack is out of space as
    // it would be had each run inside the one before.
    const int generation = m_dying->generation + 1;
    if (generation > kMaxNesting / kCallWeight)
        fail(err::OutOfStack);
    std::shared_ptr<ClassInstance> object(new ClassInstance(*this, def), Finalizer{m_dying});
    object->generation = generation;
    if (def->initialize) {
        std::vector<Value> none;
        callMethod(def->initialize, object.get(), none);
    }
    return Value(std::static_pointer_cast<HostObject>(object));
}

namespace {
// Marks the Class_Terminate that runs, until the object and what only it held are gone.
class TerminateRunning {
public:
    TerminateRunning(int &running, int generation)
        : m_running(running)
        , m_outer(std::exchange(running, generation))
    {}
    ~TerminateRunning() { m_running = m_outer; }
    TerminateRunning(const TerminateRunning &) = delete;
    TerminateRunning &operator=(const TerminateRunning &) = delete;

private:
    int &m_running;
    int m_outer;
};
} // namespace

void Interpreter::runTerminates()
{
    // Class_Terminate code that lets objects go runs their Class_Terminate inside its own;
    // past half the nesting allowance they wait for the loop below to reach them instead,
    // which leaves each room for calls of its own. Elsewhere they wait only when even the
    // call would not fit, until a statement further out ends.
    const int room = m_dying->generation >= 0 ? kMaxNesting / 2 : kCallWeight + kBlockWeight;
    if (t_nesting + room > kMaxNesting)
        return;
    Nested<kCallWeight> level;
    // The statement or procedure that let the objects go has finished: its line and the Err
    // it left stand, whatever the Class_Terminate code does. Errors inside it go unreported.
    const int line = m_line;
    const ErrState err = m_err;
    while (!m_dying->objects.empty()) {
        ClassInstance *object = m_dying->objects.front();
        m_dying->objects.erase(m_dying->objects.begin());
        TerminateRunning running(m_dying->generation, object->generation);
        // A new owner for the rest of its life: the code may use Me, and even keep it.
        std::shared_ptr<ClassInstance> self(object);
        std::vector<Value> none;
        try {
            callMethod(object->def()->terminate, object, none);
        } catch (const ScriptError &) {
        } catch (const RuntimeError &) {
        }
    }
    m_line = line;
    m_err = err;
}

} // namespace vbs
