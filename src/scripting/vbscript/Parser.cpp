#include "Parser.h"

#include "Errors.h"

#include <algorithm>
#include <iterator>
#include <optional>

namespace vbs {

namespace {

// How deeply code may nest. The parser, the resolver, the evaluator and the tree's own
// destructors recurse once per level, so the limits keep them far inside the C++ stack even
// where frames are several times larger (AddressSanitizer) and the program's window code
// already sits below the engine. Brackets, arguments holding calls, signs and blocks are the
// parser's own recursion; operator chains (a & b & c ...) only make the tree taller.
constexpr int kMaxNesting = 200;
constexpr int kMaxExprHeight = 1000;

// Property and Default are keywords only where they start or end a declaration; anywhere else
// VBScript reads them as names, and published scripts use them so
// (`For Each property In obj.Properties_`, `Dim Default`, `Sub Property(p)`).
void freeContextualKeywords(std::vector<Token> &toks)
{
    auto is = [&](size_t k, Kw kw) {
        return k < toks.size() && toks[k].kind == Tok::Ident && toks[k].kw == kw;
    };
    for (size_t k = 0; k < toks.size(); ++k) {
        Token &t = toks[k];
        if (t.kind != Tok::Ident)
            continue;
        if (t.kw == Kw::Property && !is(k + 1, Kw::Get) && !is(k + 1, Kw::Let) &&
            !is(k + 1, Kw::Set) && !(k > 0 && (is(k - 1, Kw::End) || is(k - 1, Kw::Exit))))
            t.kw = Kw::None;
        else if (t.kw == Kw::Default &&
                 !(k > 0 && is(k - 1, Kw::Public) &&
                   (is(k + 1, Kw::Sub) || is(k + 1, Kw::Function) || is(k + 1, Kw::Property))))
            t.kw = Kw::None;
    }
}

class Parser {
public:
    explicit Parser(std::vector<Token> toks)
        : m_t(std::move(toks))
    {
        freeContextualKeywords(m_t);
    }

    // A whole text that is one expression, for Eval.
    ExprP standaloneExpression()
    {
        m_mod = std::make_unique<Module>();
        skipNewlines();
        ExprP e = expression();
        skipNewlines();
        if (cur().kind != Tok::End)
            fail(err::ExpectedEndOfStatement);
        return e;
    }

    std::unique_ptr<Module> module()
    {
        m_mod = std::make_unique<Module>();
        skipNewlines();
        if (isKw(Kw::Option)) {
            next();
            if (!isName("explicit"))
                fail(err::SyntaxError);
            next();
            m_mod->optionExplicit = true;
            endOfStatement();
        }
        while (cur().kind != Tok::End) {
            if (isKw(Kw::Sub) || isKw(Kw::Function) ||
                ((isKw(Kw::Public) || isKw(Kw::Private)) &&
                 (peek(1).kw == Kw::Sub || peek(1).kw == Kw::Function ||
                  peek(1).kw == Kw::Default))) {
                procedure(nullptr);
            } else if (isKw(Kw::Class)) {
                classDef();
            } else if (isKw(Kw::Public) || isKw(Kw::Private)) {
                next();
                if (isKw(Kw::Const))
                    constStatement(m_mod->body, true);
                else
                    dimList(m_mod->body, true);
            } else {
                statement(m_mod->body);
            }
            skipNewlines();
        }
        hoistConsts(m_mod->body);
        return std::move(m_mod);
    }

private:
    // --- token helpers
    const Token &cur() const { return m_t[m_pos]; }
    const Token &peek(size_t k) const { return m_t[std::min(m_pos + k, m_t.size() - 1)]; }
    void next()
    {
        if (m_pos + 1 < m_t.size())
            ++m_pos;
    }
    bool isKw(Kw k) const { return cur().kind == Tok::Ident && cur().kw == k; }
    bool isName(const char *n) const { return cur().kind == Tok::Ident && cur().name == n; }
    bool isOp(char c, char c2 = 0) const
    {
        return cur().kind == Tok::Op && cur().op[0] == c && cur().op[1] == c2;
    }
    bool isStop() const
    {
        const Token &after = peek(1);
        return cur().kind == Tok::Ident && cur().kw == Kw::None && !cur().bracketed &&
               cur().name == "stop" &&
               (after.kind == Tok::Newline || after.kind == Tok::End ||
                (m_singleLineIf && after.kind == Tok::Ident && after.kw == Kw::Else));
    }
    bool atEndOfStatement() const
    {
        return cur().kind == Tok::Newline || cur().kind == Tok::End ||
               (m_singleLineIf && isKw(Kw::Else)) || atClosingEnd();
    }
    // VBScript lets the End of a procedure or a class, and of a single-line If, follow a
    // statement on its line without a ':' (`x = 1 End Sub`).
    bool atClosingEnd() const
    {
        if (!isKw(Kw::End) || peek(1).kind != Tok::Ident)
            return false;
        const Kw k = peek(1).kw;
        return k == Kw::Sub || k == Kw::Function || k == Kw::Property || k == Kw::Class ||
               (m_singleLineIf && k == Kw::If);
    }
    // Whether the token before the current one ended a line, not just a statement.
    bool lineEnded() const
    {
        if (m_pos == 0)
            return false;
        const Token &before = m_t[m_pos - 1];
        return before.kind == Tok::Newline &&
               (!before.colon || cur().line != before.line || cur().kind == Tok::End);
    }
    [[noreturn]] void fail(int number) { throw CompileError{number, cur().line}; }

    // One level of the parser's own recursion, counted for as long as it lives.
    class Nest {
    public:
        explicit Nest(Parser &p)
            : m_p(p)
        {
            if (++m_p.m_nesting > kMaxNesting) {
                --m_p.m_nesting;
                m_p.fail(err::OutOfStack);
            }
        }
        ~Nest() { --m_p.m_nesting; }
        Nest(const Nest &) = delete;
        Nest &operator=(const Nest &) = delete;

    private:
        Parser &m_p;
    };

    // Records how tall the tree under e is, now that its children are in place.
    void measure(Expr &e)
    {
        int h = 0;
        if (e.a)
            h = e.a->height;
        if (e.b)
            h = std::max(h, e.b->height);
        for (auto &x : e.args)
            h = std::max(h, x->height);
        e.height = h + 1;
        if (e.height > kMaxExprHeight)
            fail(err::OutOfStack);
    }
    void expectKw(Kw k, int error)
    {
        if (!isKw(k))
            fail(error);
        next();
    }
    void expectOp(char c, int error)
    {
        if (!isOp(c))
            fail(error);
        next();
    }
    void skipNewlines()
    {
        while (cur().kind == Tok::Newline)
            next();
    }
    void endOfStatement()
    {
        if ((m_singleLineIf && isKw(Kw::Else)) || atClosingEnd())
            return;
        if (cur().kind == Tok::Newline)
            next();
        else if (cur().kind != Tok::End)
            fail(err::ExpectedEndOfStatement);
    }
    std::string identifier(std::string *spelling = nullptr)
    {
        if (cur().kind != Tok::Ident || cur().kw != Kw::None)
            fail(err::ExpectedIdentifier);
        std::string n = cur().name;
        if (spelling)
            *spelling = cur().spelling;
        next();
        return n;
    }
    // After '.', any word (keywords too) names a member.
    std::string memberName(std::string &spelling)
    {
        if (cur().kind != Tok::Ident)
            fail(err::ExpectedIdentifier);
        std::string n = cur().name;
        spelling = cur().spelling;
        next();
        return n;
    }

    void declareLocal(const std::string &name)
    {
        if (m_proc) {
            for (auto &d : m_proc->dimmed)
                if (d == name)
                    fail(err::NameRedefined);
            m_proc->dimmed.push_back(name);
        } else if (m_class) {
            // fields are declared by the class body itself
        } else {
            m_mod->globalsDeclared.push_back(name);
        }
    }

    // --- procedures
    void procedure(ClassDef *cls)
    {
        bool isDefault = false;
        bool isPrivate = isKw(Kw::Private);
        if (isKw(Kw::Public) || isKw(Kw::Private)) {
            next();
            if (isKw(Kw::Default)) {
                isDefault = true;
                next();
            }
        }
        auto p = std::make_unique<Proc>();
        p->line = cur().line;
        p->isDefault = isDefault;
        p->isPrivate = isPrivate;
        p->cls = cls;
        Kw kind = cur().kw;
        next();
        if (kind == Kw::Property) {
            if (isKw(Kw::Get)) {
                p->kind = Proc::Get;
                p->isFunction = true;
            } else if (isKw(Kw::Let)) {
                p->kind = Proc::Let;
            } else if (isKw(Kw::Set)) {
                p->kind = Proc::Set;
            } else {
                fail(1049);
            }
            next();
        } else {
            p->isFunction = kind == Kw::Function;
        }
        p->name = identifier(&p->spelling);
        if (isOp('(')) {
            next();
            while (!isOp(')')) {
                Param prm;
                if (isKw(Kw::ByVal)) {
                    prm.byRef = false;
                    next();
                } else if (isKw(Kw::ByRef)) {
                    next();
                }
                prm.name = identifier();
                if (isOp('(')) { // array parameter: name()
                    next();
                    expectOp(')', err::ExpectedRParen);
                }
                p->params.push_back(prm);
                if (isOp(','))
                    next();
                else if (!isOp(')'))
                    fail(err::ExpectedRParen);
            }
            next();
        }
        // The body may start on the header's line: `Sub S() x = True End Sub`.
        if (cur().kind == Tok::Newline)
            next();
        m_proc = p.get();
        // A procedure defined inside a block at module level is still one of the module's own,
        // with loops and constants of its own.
        std::vector<StmtP> outerConsts = std::move(m_hoistedConsts);
        m_hoistedConsts.clear();
        const int outerFor = m_forDepth, outerDo = m_doDepth;
        m_forDepth = m_doDepth = 0;
        for (auto &prm : p->params)
            declareLocal(prm.name);
        Kw endKw = kind;
        block(p->body, [&] {
            return isKw(Kw::End) && (peek(1).kw == Kw::Sub || peek(1).kw == Kw::Function ||
                                     peek(1).kw == Kw::Property);
        });
        if (cur().kind == Tok::End)
            fail(err::ExpectedEnd);
        if (!(isKw(Kw::End) && peek(1).kw == endKw))
            fail(kind == Kw::Sub
                     ? err::ExpectedSub
                     : (kind == Kw::Function ? err::ExpectedFunction : err::ExpectedProperty));
        next();
        next();
        endOfStatement();
        m_proc = nullptr;
        hoistConsts(p->body);
        m_hoistedConsts = std::move(outerConsts);
        m_forDepth = outerFor;
        m_doDepth = outerDo;
        if (cls) {
            cls->methods.push_back(std::move(p));
        } else {
            m_mod->procs.push_back(std::move(p));
        }
    }

    void classDef()
    {
        next();
        auto c = std::make_unique<ClassDef>();
        c->name = identifier(&c->spelling);
        endOfStatement();
        m_class = c.get();
        skipNewlines();
        while (!(isKw(Kw::End) && peek(1).kw == Kw::Class)) {
            if (cur().kind == Tok::End)
                fail(err::ExpectedClass);
            bool vis = isKw(Kw::Public) || isKw(Kw::Private);
            Kw after = vis ? peek(1).kw : cur().kw;
            if (after == Kw::Default && vis)
                after = peek(2).kw;
            if (after == Kw::Sub || after == Kw::Function || after == Kw::Property) {
                procedure(c.get());
            } else if (vis || isKw(Kw::Dim)) {
                bool priv = isKw(Kw::Private);
                next();
                for (;;) {
                    std::string sp;
                    std::string n = identifier(&sp);
                    if (c->fieldIndex.count(n))
                        fail(err::NameRedefined);
                    c->fieldIndex[n] = static_cast<int>(c->fields.size());
                    c->fields.push_back(n);
                    c->fieldSpelling.push_back(sp);
                    c->fieldPrivate.push_back(priv);
                    if (isOp('(')) {
                        // Each instance gets the array made; its bounds are integer constants.
                        next();
                        std::vector<int32_t> bounds;
                        while (!isOp(')')) {
                            if (cur().kind != Tok::Integer && cur().kind != Tok::Long)
                                fail(err::ExpectedInteger);
                            bounds.push_back(static_cast<int32_t>(cur().number));
                            next();
                            if (isOp(','))
                                next();
                            else if (!isOp(')'))
                                fail(err::ExpectedRParen);
                        }
                        next();
                        c->arrayFields.emplace_back(c->fieldIndex[n], std::move(bounds));
                    }
                    if (!isOp(','))
                        break;
                    next();
                }
                endOfStatement();
            } else {
                fail(err::ExpectedStatement);
            }
            skipNewlines();
        }
        next();
        next();
        endOfStatement();
        m_class = nullptr;
        m_mod->classes.push_back(std::move(c));
    }

    template <typename Stop>
    void block(Block &out, Stop stop)
    {
        skipNewlines();
        while (cur().kind != Tok::End && !stop()) {
            statement(out);
            skipNewlines();
        }
    }

    // --- statements
    void statement(Block &out)
    {
        Nest nest(*this);
        const Token &t = cur();
        int line = t.line;
        if (t.kind != Tok::Ident && !(t.kind == Tok::Op && t.op[0] == '.'))
            fail(err::ExpectedStatement);
        if (isStop()) { // breaks into the debugger, where there is one; here there is none
            next();
            endOfStatement();
            return;
        }
        switch (t.kw) {
        case Kw::Dim:
            next();
            dimList(out, false);
            return;
        case Kw::Const:
            constStatement(out, false);
            return;
        case Kw::ReDim: {
            next();
            auto s = std::make_unique<Stmt>();
            s->kind = SK::ReDim;
            s->line = line;
            if (isName("preserve")) {
                s->preserve = true;
                next();
            }
            for (;;) {
                DimItem d;
                d.target = ident(line);
                std::string nm = d.target->name;
                if (!m_proc && !m_class)
                    m_mod->globalsDeclared.push_back(nm);
                else if (m_proc) {
                    bool known = false;
                    for (auto &x : m_proc->dimmed)
                        known = known || x == nm;
                    (void)known;
                }
                expectOp('(', err::ExpectedLParen);
                d.bounds = argList();
                expectOp(')', err::ExpectedRParen);
                d.isArray = true;
                s->dims.push_back(std::move(d));
                if (!isOp(','))
                    break;
                next();
            }
            endOfStatement();
            out.push_back(std::move(s));
            return;
        }
        case Kw::Erase: {
            next();
            auto s = std::make_unique<Stmt>();
            s->kind = SK::Erase;
            s->line = line;
            DimItem d;
            d.target = ident(line);
            s->dims.push_back(std::move(d));
            endOfStatement();
            out.push_back(std::move(s));
            return;
        }
        case Kw::Set: {
            next();
            auto s = std::make_unique<Stmt>();
            s->kind = SK::Set;
            s->line = line;
            s->target = designator(false);
            expectOp('=', err::ExpectedEquals);
            s->value = expression();
            endOfStatement();
            out.push_back(std::move(s));
            return;
        }
        case Kw::Let:
            next();
            assignmentOrCall(out, line);
            return;
        case Kw::Call: {
            next();
            auto s = std::make_unique<Stmt>();
            s->kind = SK::Call;
            s->line = line;
            s->target = designator(false);
            endOfStatement();
            out.push_back(std::move(s));
            return;
        }
        case Kw::If:
            ifStatement(out);
            return;
        case Kw::Select:
            selectStatement(out);
            return;
        case Kw::For:
            forStatement(out);
            return;
        case Kw::Do:
            doStatement(out);
            return;
        case Kw::While: {
            next();
            auto s = std::make_unique<Stmt>();
            s->kind = SK::Do;
            s->line = line;
            s->value = expression();
            endOfStatement();
            ++m_loopDepth;
            block(s->body, [&] { return isKw(Kw::Wend); });
            --m_loopDepth;
            expectKw(Kw::Wend, err::ExpectedWend);
            endOfStatement();
            out.push_back(std::move(s));
            return;
        }
        case Kw::Exit: {
            next();
            auto s = std::make_unique<Stmt>();
            s->kind = SK::Exit;
            s->line = line;
            if (isKw(Kw::Do)) {
                if (m_doDepth == 0)
                    fail(err::InvalidExit);
                s->exitKind = ExitKind::Do;
            } else if (isKw(Kw::For)) {
                if (m_forDepth == 0)
                    fail(err::InvalidExit);
                s->exitKind = ExitKind::For;
            } else if (isKw(Kw::Sub) || isKw(Kw::Function) || isKw(Kw::Property)) {
                if (!m_proc)
                    fail(err::InvalidExit);
                s->exitKind = ExitKind::Sub;
            } else {
                fail(err::SyntaxError);
            }
            next();
            endOfStatement();
            out.push_back(std::move(s));
            return;
        }
        case Kw::With: {
            next();
            auto s = std::make_unique<Stmt>();
            s->kind = SK::With;
            s->line = line;
            s->value = expression();
            endOfStatement();
            block(s->body, [&] { return isKw(Kw::End) && peek(1).kw == Kw::With; });
            if (!isKw(Kw::End))
                fail(err::ExpectedEnd);
            next();
            expectKw(Kw::With, err::ExpectedWith);
            endOfStatement();
            out.push_back(std::move(s));
            return;
        }
        case Kw::On: {
            next();
            if (!isName("error"))
                fail(err::SyntaxError);
            next();
            auto s = std::make_unique<Stmt>();
            s->line = line;
            if (isKw(Kw::Resume)) {
                next();
                if (!isKw(Kw::Next))
                    fail(err::SyntaxError);
                next();
                s->kind = SK::OnErrorResume;
            } else if (isKw(Kw::GoTo)) {
                next();
                if (cur().kind != Tok::Integer || cur().number != 0)
                    fail(err::SyntaxError);
                next();
                s->kind = SK::OnErrorGoto0;
            } else {
                fail(err::SyntaxError);
            }
            endOfStatement();
            out.push_back(std::move(s));
            return;
        }
        case Kw::Randomize: {
            next();
            auto s = std::make_unique<Stmt>();
            s->kind = SK::Randomize;
            s->line = line;
            if (!atEndOfStatement())
                s->value = expression();
            endOfStatement();
            out.push_back(std::move(s));
            return;
        }
        case Kw::Option:
            fail(1042); // Must be first statement on the line
        case Kw::Next:
            fail(m_forDepth ? err::SyntaxError : err::UnexpectedNext);
        case Kw::Loop:
            fail(err::LoopWithoutDo);
        case Kw::Sub:
        case Kw::Function:
            // VBScript defines a procedure written inside a block at module level as if it
            // stood outside, whether or not the block runs.
            if (m_proc || m_class)
                fail(err::SyntaxError);
            procedure(nullptr);
            return;
        case Kw::Class:
        case Kw::Public:
        case Kw::Private:
        case Kw::Property:
            // Classes are declared only at module level.
            fail(err::SyntaxError);
        case Kw::None:
        case Kw::Me: // Me.v = 1, Me.SetIt 5
            assignmentOrCall(out, line);
            return;
        default:
            fail(err::ExpectedStatement);
        }
    }

    void hoistConsts(Block &body)
    {
        body.insert(body.begin(), std::make_move_iterator(m_hoistedConsts.begin()),
                    std::make_move_iterator(m_hoistedConsts.end()));
        m_hoistedConsts.clear();
    }

    void dimList(Block &out, bool moduleLevel)
    {
        int line = cur().line;
        auto s = std::make_unique<Stmt>();
        s->kind = SK::Dim;
        s->line = line;
        for (;;) {
            DimItem d;
            d.target = ident(line);
            declareLocal(d.target->name);
            if (isOp('(')) {
                next();
                d.isArray = true;
                if (!isOp(')'))
                    d.bounds = argList();
                expectOp(')', err::ExpectedRParen);
            }
            s->dims.push_back(std::move(d));
            if (!isOp(','))
                break;
            next();
        }
        endOfStatement();
        out.push_back(std::move(s));
    }

    void constStatement(Block &out, bool)
    {
        int line = cur().line;
        next();
        for (;;) {
            auto s = std::make_unique<Stmt>();
            s->kind = SK::Const;
            s->line = line;
            s->target = ident(line);
            declareLocal(s->target->name);
            if (m_proc)
                m_proc->consts.push_back(s->target->name);
            else if (!m_class)
                m_mod->constsDeclared.push_back(s->target->name);
            expectOp('=', err::ExpectedEquals);
            s->value = expression();
            // VBScript defines a constant as the code is compiled, so one inside a block that
            // never runs still has its value.
            if (&out != (m_proc ? &m_proc->body : &m_mod->body))
                m_hoistedConsts.push_back(std::move(s));
            else
                out.push_back(std::move(s));
            if (!isOp(','))
                break;
            next();
        }
        endOfStatement();
    }

    ExprP ident(int line)
    {
        auto e = std::make_unique<Expr>();
        e->kind = EK::Ident;
        e->line = line;
        e->name = identifier(&e->spelling);
        return e;
    }

    void assignmentOrCall(Block &out, int line)
    {
        auto target = designator(true);
        auto s = std::make_unique<Stmt>();
        s->line = line;
        if (isOp('=')) {
            next();
            s->kind = SK::Assign;
            s->target = std::move(target);
            s->value = expression();
        } else {
            s->kind = SK::Call;
            if (!atEndOfStatement()) {
                // `name arg, arg`: the arguments follow without parentheses.
                if (target->hasParens) {
                    // `x.Write(a) & ","`, `x.DeleteFile(a), True`: what looked like the
                    // argument list was a bracketed first argument, which goes on here.
                    if (target->kind == EK::Index || target->args.size() != 1 ||
                        target->args[0]->kind == EK::Missing)
                        fail(err::ExpectedEndOfStatement);
                    const int argLine = target->args[0]->line;
                    m_leadingOperand = bracketed(std::move(target->args[0]), argLine);
                    target->args.clear();
                    target->args.push_back(expression());
                    if (isOp(',')) {
                        next();
                        for (auto &a : argList())
                            target->args.push_back(std::move(a));
                    }
                } else {
                    target->args = argList();
                }
                target->hasParens = true;
                measure(*target);
            } else if (target->hasParens && target->args.size() > 1 && !m_callStmt) {
                fail(1044); // Cannot use parentheses when calling a Sub
            } else if (target->hasParens) {
                // `name(x)` as a statement passes x by value, as (x) would.
                for (auto &a : target->args) {
                    if (a->kind == EK::Missing)
                        continue;
                    const int argLine = a->line;
                    a = bracketed(std::move(a), argLine);
                }
                measure(*target);
            }
            s->target = std::move(target);
        }
        endOfStatement();
        out.push_back(std::move(s));
    }

    void ifStatement(Block &out)
    {
        int line = cur().line;
        next();
        auto s = std::make_unique<Stmt>();
        s->kind = SK::If;
        s->line = line;
        s->value = expression();
        expectKw(Kw::Then, err::ExpectedThen);
        if (cur().kind == Tok::Newline && cur().colon) {
            // `If c Then :` is a single-line If, whose statements, if any, follow the ':'.
            next();
            if (lineEnded()) {
                out.push_back(std::move(s));
                return;
            }
        }
        if (cur().kind != Tok::Newline && cur().kind != Tok::End) {
            // Single-line If: statements up to the line end, optionally `Else` statements.
            bool saved = m_singleLineIf;
            m_singleLineIf = true;
            singleLineStatements(s->body, line);
            // An Else on a later line belongs to the block If around this one.
            if (isKw(Kw::Else) && !lineEnded()) {
                next();
                singleLineStatements(s->elseBody, line);
            }
            m_singleLineIf = saved;
            if (isKw(Kw::End) && peek(1).kw == Kw::If && cur().line == line) {
                next();
                next();
            }
            if (cur().kind == Tok::Newline)
                next();
            out.push_back(std::move(s));
            return;
        }
        endOfStatement();
        auto stop = [&] {
            return isKw(Kw::ElseIf) || isKw(Kw::Else) || (isKw(Kw::End) && peek(1).kw == Kw::If);
        };
        block(s->body, stop);
        while (isKw(Kw::ElseIf)) {
            next();
            auto cond = expression();
            expectKw(Kw::Then, err::ExpectedThen);
            Block b;
            if (cur().kind != Tok::Newline) {
                statement(b);
            } else {
                endOfStatement();
            }
            block(b, stop);
            s->elseIfs.emplace_back(std::move(cond), std::move(b));
        }
        if (isKw(Kw::Else)) {
            next();
            if (cur().kind != Tok::Newline)
                statement(s->elseBody);
            block(s->elseBody, [&] { return isKw(Kw::End) && peek(1).kw == Kw::If; });
        }
        if (!(isKw(Kw::End) && peek(1).kw == Kw::If))
            fail(err::ExpectedEnd);
        next();
        next();
        endOfStatement();
        out.push_back(std::move(s));
    }

    // The statements of a single-line If branch, separated by ':' (already Newline tokens on
    // the same line).
    void singleLineStatements(Block &out, int line)
    {
        for (;;) {
            if (cur().kind == Tok::Ident && cur().kw == Kw::If) {
                Nest nest(*this); // nests without passing through statement()
                ifStatement(out);
                return;
            }
            statement(out);
            if (isKw(Kw::Else) || cur().kind == Tok::End || cur().line != line)
                return;
            if (atClosingEnd())
                return;
            // statement() consumed a Newline; if it was a ':' within the line, more statements
            // follow.
            if (lineEnded())
                return;
        }
    }

    void selectStatement(Block &out)
    {
        int line = cur().line;
        next();
        if (!isKw(Kw::Case))
            fail(err::ExpectedCase);
        next();
        auto s = std::make_unique<Stmt>();
        s->kind = SK::Select;
        s->line = line;
        s->value = expression();
        endOfStatement();
        skipNewlines();
        if (!isKw(Kw::Case) && !(isKw(Kw::End) && peek(1).kw == Kw::Select))
            fail(err::ExpectedCase);
        while (isKw(Kw::Case)) {
            next();
            CaseClause c;
            if (isKw(Kw::Else)) {
                next();
            } else {
                for (;;) {
                    CaseClause::Test t;
                    if (isKw(Kw::Is)) {
                        next();
                        t.isIs = true;
                        t.op = comparisonOp();
                        if (t.op == BinOp::Is)
                            fail(err::ExpectedExpression);
                        next();
                        t.value = concatExpr();
                    } else {
                        t.value = expression();
                        if (isKw(Kw::To)) {
                            next();
                            t.upper = expression();
                        }
                    }
                    c.tests.push_back(std::move(t));
                    if (!isOp(','))
                        break;
                    next();
                }
            }
            if (cur().kind == Tok::Newline)
                next();
            block(c.body,
                  [&] { return isKw(Kw::Case) || (isKw(Kw::End) && peek(1).kw == Kw::Select); });
            bool isElse = c.tests.empty();
            s->cases.push_back(std::move(c));
            if (isElse)
                break;
        }
        if (!(isKw(Kw::End) && peek(1).kw == Kw::Select))
            fail(err::ExpectedEnd);
        next();
        next();
        endOfStatement();
        out.push_back(std::move(s));
    }

    void forStatement(Block &out)
    {
        int line = cur().line;
        next();
        auto s = std::make_unique<Stmt>();
        s->line = line;
        if (isKw(Kw::Each)) {
            next();
            s->kind = SK::ForEach;
            s->target = ident(line);
            expectKw(Kw::In, err::ExpectedIn);
            s->value = expression();
        } else {
            s->kind = SK::For;
            if (cur().kind != Tok::Ident || cur().kw != Kw::None)
                fail(err::InvalidForVariable);
            s->target = ident(line);
            expectOp('=', err::ExpectedEquals);
            s->value = expression();
            expectKw(Kw::To, err::ExpectedTo);
            s->limit = expression();
            if (isName("step")) {
                next();
                s->step = expression();
            }
        }
        endOfStatement();
        ++m_forDepth;
        block(s->body, [&] { return isKw(Kw::Next); });
        --m_forDepth;
        if (!isKw(Kw::Next))
            fail(err::ExpectedNext);
        next();
        if (cur().kind == Tok::Ident && cur().kw == Kw::None)
            next(); // `Next i`
        endOfStatement();
        out.push_back(std::move(s));
    }

    void doStatement(Block &out)
    {
        int line = cur().line;
        next();
        auto s = std::make_unique<Stmt>();
        s->kind = SK::Do;
        s->line = line;
        if (isKw(Kw::While) || isKw(Kw::Until)) {
            s->until = isKw(Kw::Until);
            next();
            s->value = expression();
        }
        endOfStatement();
        ++m_doDepth;
        block(s->body, [&] { return isKw(Kw::Loop); });
        --m_doDepth;
        if (!isKw(Kw::Loop))
            fail(err::ExpectedLoop);
        next();
        if (isKw(Kw::While) || isKw(Kw::Until)) {
            if (s->value)
                fail(err::ExpectedEndOfStatement);
            s->until = isKw(Kw::Until);
            s->preCondition = false;
            next();
            s->value = expression();
        }
        endOfStatement();
        out.push_back(std::move(s));
    }

    // --- expressions
    std::vector<ExprP> argList()
    {
        std::vector<ExprP> args;
        if (isOp(')'))
            return args;
        for (;;) {
            if (isOp(',') || isOp(')') || (atEndOfStatement())) {
                auto m = std::make_unique<Expr>();
                m->kind = EK::Missing;
                m->line = cur().line;
                args.push_back(std::move(m));
            } else {
                args.push_back(expression());
            }
            if (!isOp(','))
                break;
            next();
        }
        return args;
    }

    // name(args).member(args)... ; at statement start, `name (x)` with a space leaves the
    // parenthesis to the argument list.
    ExprP designator(bool statementStart)
    {
        ExprP e;
        int line = cur().line;
        if (isOp('.')) {
            next();
            e = std::make_unique<Expr>();
            e->kind = EK::Member;
            e->line = line;
            auto w = std::make_unique<Expr>();
            w->kind = EK::WithObj;
            w->line = line;
            e->a = std::move(w);
            e->name = memberName(e->spelling);
            measure(*e);
        } else if (isKw(Kw::Me)) {
            next();
            e = std::make_unique<Expr>();
            e->kind = EK::Me;
            e->line = line;
        } else if (isOp('(')) {
            e = parenthesised();
        } else {
            e = ident(line);
        }
        return postfix(std::move(e), statementStart, line);
    }

    // The calls, indexes and members that follow what a designator starts with.
    ExprP postfix(ExprP e, bool statementStart, int line)
    {
        for (;;) {
            if (isOp('(') && !e->hasParens && e->kind != EK::Paren &&
                !(statementStart && cur().spaceBefore && e->kind != EK::Me &&
                  !(peek(1).kind == Tok::Op && peek(1).op[0] == ')') && isCallStatementSpace())) {
                next();
                e->args = argList();
                e->hasParens = true;
                measure(*e);
                expectOp(')', err::ExpectedRParen);
            } else if (isOp('(') && (e->hasParens || e->kind == EK::Paren) && !cur().spaceBefore) {
                next();
                auto ix = std::make_unique<Expr>();
                ix->kind = EK::Index;
                ix->line = line;
                ix->a = std::move(e);
                ix->args = argList();
                ix->hasParens = true;
                measure(*ix);
                expectOp(')', err::ExpectedRParen);
                e = std::move(ix);
            } else if (isOp('.') && !cur().spaceBefore) {
                next();
                auto m = std::make_unique<Expr>();
                m->kind = EK::Member;
                m->line = line;
                m->a = std::move(e);
                m->name = memberName(m->spelling);
                measure(*m);
                e = std::move(m);
            } else {
                break;
            }
        }
        return e;
    }

    ExprP parenthesised()
    {
        int line = cur().line;
        next();
        auto inner = expression();
        expectOp(')', err::ExpectedRParen);
        return bracketed(std::move(inner), line);
    }

    ExprP bracketed(ExprP inner, int line)
    {
        auto e = std::make_unique<Expr>();
        e->kind = EK::Paren;
        e->line = line;
        e->a = std::move(inner);
        measure(*e);
        return e;
    }

    // `f (a), b` or `f (a)`: a space before '(' at statement start begins the argument list,
    // unless the statement is an assignment `a (1) = 2`.
    bool isCallStatementSpace() const
    {
        int depth = 0;
        for (size_t k = m_pos; k < m_t.size(); ++k) {
            const Token &t = m_t[k];
            if (t.kind == Tok::Newline || t.kind == Tok::End)
                return true;
            if (t.kind == Tok::Op) {
                if (t.op[0] == '(')
                    ++depth;
                else if (t.op[0] == ')')
                    --depth;
                else if (depth == 0 && t.op[0] == '=' && t.op[1] == 0)
                    return false;
            }
        }
        return true;
    }

    ExprP expression()
    {
        Nest nest(*this);
        return impExpr();
    }

    ExprP makeBinary(BinOp op, ExprP a, ExprP b, int line)
    {
        auto e = std::make_unique<Expr>();
        e->kind = EK::Binary;
        e->op = op;
        e->line = line;
        e->aLiteral = a->kind == EK::Const || (a->kind == EK::Neg && a->a->kind == EK::Const);
        e->bLiteral = b->kind == EK::Const || (b->kind == EK::Neg && b->a->kind == EK::Const);
        e->a = std::move(a);
        e->b = std::move(b);
        measure(*e);
        return e;
    }

    // One level of left-associative binary operators: operand parses the next tighter level,
    // match gives the operator the current token stands for, if any.
    template <typename Match>
    ExprP leftAssociative(ExprP (Parser::*operand)(), Match match)
    {
        auto e = (this->*operand)();
        while (std::optional<BinOp> op = match()) {
            int line = cur().line;
            next();
            e = makeBinary(*op, std::move(e), (this->*operand)(), line);
        }
        return e;
    }
    std::optional<BinOp> keyword(Kw k, BinOp op) const
    {
        return isKw(k) ? std::optional(op) : std::nullopt;
    }
    std::optional<BinOp> symbol(char c, BinOp op) const
    {
        return isOp(c) ? std::optional(op) : std::nullopt;
    }

    ExprP impExpr()
    {
        return leftAssociative(&Parser::eqvExpr, [this] { return keyword(Kw::Imp, BinOp::Imp); });
    }
    ExprP eqvExpr()
    {
        return leftAssociative(&Parser::xorExpr, [this] { return keyword(Kw::Eqv, BinOp::Eqv); });
    }
    ExprP xorExpr()
    {
        return leftAssociative(&Parser::orExpr, [this] { return keyword(Kw::Xor, BinOp::Xor); });
    }
    ExprP orExpr()
    {
        return leftAssociative(&Parser::andExpr, [this] { return keyword(Kw::Or, BinOp::Or); });
    }
    ExprP andExpr()
    {
        return leftAssociative(&Parser::notExpr, [this] { return keyword(Kw::And, BinOp::And); });
    }
    ExprP notExpr()
    {
        if (isKw(Kw::Not)) {
            int line = cur().line;
            next();
            auto e = std::make_unique<Expr>();
            e->kind = EK::Not;
            e->line = line;
            Nest nest(*this);
            e->a = notExpr();
            measure(*e);
            return e;
        }
        return compareExpr();
    }
    BinOp comparisonOp() const
    {
        if (isKw(Kw::Is))
            return BinOp::Is;
        if (cur().kind != Tok::Op)
            return BinOp::Add;
        char a = cur().op[0], b = cur().op[1];
        if (a == '=' && !b)
            return BinOp::Eq;
        if (a == '<' && b == '>')
            return BinOp::Ne;
        if (a == '<' && b == '=')
            return BinOp::Le;
        if (a == '>' && b == '=')
            return BinOp::Ge;
        if (a == '<' && !b)
            return BinOp::Lt;
        if (a == '>' && !b)
            return BinOp::Gt;
        return BinOp::Add;
    }
    ExprP compareExpr()
    {
        return leftAssociative(&Parser::concatExpr, [this]() -> std::optional<BinOp> {
            const BinOp op = comparisonOp();
            return op == BinOp::Add ? std::nullopt : std::optional(op);
        });
    }
    ExprP concatExpr()
    {
        return leftAssociative(&Parser::addExpr, [this] { return symbol('&', BinOp::Concat); });
    }
    ExprP addExpr()
    {
        return leftAssociative(&Parser::modExpr, [this] {
            return isOp('+') ? symbol('+', BinOp::Add) : symbol('-', BinOp::Sub);
        });
    }
    ExprP modExpr()
    {
        return leftAssociative(&Parser::intDivExpr,
                               [this] { return keyword(Kw::Mod, BinOp::Mod); });
    }
    ExprP intDivExpr()
    {
        return leftAssociative(&Parser::mulExpr, [this] { return symbol('\\', BinOp::IntDiv); });
    }
    ExprP mulExpr()
    {
        return leftAssociative(&Parser::powExpr, [this] {
            return isOp('*') ? symbol('*', BinOp::Mul) : symbol('/', BinOp::Div);
        });
    }
    // VBScript gives a sign to the operand next to it before ^ is worked out: -3 ^ 2 is 9.
    ExprP signedOperand()
    {
        if (isOp('-') || isOp('+')) {
            bool neg = isOp('-');
            int line = cur().line;
            next();
            Nest nest(*this);
            auto operand = signedOperand();
            if (!neg)
                return operand;
            auto e = std::make_unique<Expr>();
            e->kind = EK::Neg;
            e->line = line;
            e->a = std::move(operand);
            measure(*e);
            return e;
        }
        return primary();
    }
    ExprP powExpr()
    {
        auto e = signedOperand();
        while (isOp('^')) {
            int line = cur().line;
            next();
            e = makeBinary(BinOp::Pow, std::move(e), signedOperand(), line);
        }
        return e;
    }
    ExprP constant(Value v)
    {
        auto e = std::make_unique<Expr>();
        e->kind = EK::Const;
        e->line = cur().line;
        e->value = std::move(v);
        next();
        return e;
    }
    ExprP primary()
    {
        if (m_leadingOperand)
            return std::move(m_leadingOperand);
        const Token &t = cur();
        switch (t.kind) {
        case Tok::Integer:
            return constant(Value::integer(static_cast<int16_t>(t.number)));
        case Tok::Long:
            return constant(Value(static_cast<int32_t>(t.number)));
        case Tok::Double:
            return constant(Value(t.number));
        case Tok::String:
            return constant(Value(t.text));
        case Tok::Date:
            return constant(Value::date(t.number));
        case Tok::Op:
            if (t.op[0] == '(') {
                // `(f)(x)`, `(New C).Prop`: what the brackets give can be indexed or called.
                int line = t.line;
                return postfix(parenthesised(), false, line);
            }
            if (t.op[0] == '.')
                return designator(false);
            fail(err::ExpectedExpression);
        case Tok::Ident:
            switch (t.kw) {
            case Kw::True:
                return constant(Value(true));
            case Kw::False:
                return constant(Value(false));
            case Kw::Empty:
                return constant(Value());
            case Kw::Null:
                return constant(Value::null());
            case Kw::Nothing:
                return constant(Value::nothing());
            case Kw::New: {
                int line = t.line;
                next();
                auto e = std::make_unique<Expr>();
                e->kind = EK::New;
                e->line = line;
                e->name = identifier(&e->spelling);
                return e;
            }
            case Kw::None:
            case Kw::Me:
                return designator(false);
            default:
                fail(err::ExpectedExpression);
            }
        default:
            fail(err::ExpectedExpression);
        }
    }

    std::vector<Token> m_t;
    size_t m_pos = 0;
    std::unique_ptr<Module> m_mod;
    Proc *m_proc = nullptr;
    // Constants declared inside blocks of the procedure or module being parsed.
    std::vector<StmtP> m_hoistedConsts;
    ClassDef *m_class = nullptr;
    bool m_singleLineIf = false;
    bool m_callStmt = false;
    // An operand already parsed that the next expression starts with.
    ExprP m_leadingOperand;
    int m_nesting = 0;
    int m_forDepth = 0, m_doDepth = 0, m_loopDepth = 0;
};

} // namespace

std::unique_ptr<Module> parse(const std::string &code)
{
    Parser p(tokenize(code));
    return p.module();
}

std::unique_ptr<Expr> parseExpression(const std::string &code)
{
    Parser p(tokenize(code));
    return p.standaloneExpression();
}

} // namespace vbs
