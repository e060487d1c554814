#pragma once

#include "Ops.h"
#include "Value.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace vbs {

class HostObject;
struct Builtin;
struct Proc;

enum class EK {
    Const,   // literal
    Ident,   // a name, possibly with arguments; what it denotes is settled by the resolver
    Member,  // a.name(args)
    WithObj, // the object of the innermost With, for `.name`
    Neg,
    Not,
    Binary,
    Paren, // (expr): forces by-value passing
    Me,
    New,
    Missing, // an omitted argument: f(a, , b)
    Index,   // f(x)(i): indexes or calls the default member of a call's result
};

// What an Ident denotes once resolved.
enum class RK {
    Unresolved,
    Local,
    Global,
    Proc,
    Builtin,
    Object,     // a named object added by the host
    HostMember, // a member of an object added with its members made global
    Undefined,  // Option Explicit and nowhere declared
    ClassMember // a member of the current class instance
};

struct Expr {
    EK kind;
    int line = 0;
    Value value;
    BinOp op = BinOp::Add;
    bool aLiteral = false, bLiteral = false;
    std::unique_ptr<Expr> a, b;
    std::string name;     // lower-case
    std::string spelling; // as written, for host members
    std::vector<std::unique_ptr<Expr>> args;
    bool hasParens = false;
    int height = 1; // nodes on the longest path down to a leaf
    // Resolution
    RK rk = RK::Unresolved;
    int slot = -1;
    Proc *proc = nullptr;
    const Builtin *builtin = nullptr;
    HostObject *host = nullptr;
    bool isConst = false;
};

using ExprP = std::unique_ptr<Expr>;

enum class SK {
    Assign,
    Set,
    Call,
    If,
    Select,
    For,
    ForEach,
    Do,
    Exit,
    Dim,
    ReDim,
    Erase,
    OnErrorResume,
    OnErrorGoto0,
    With,
    Randomize,
    Const
};

enum class ExitKind { None, Do, For, Sub, Function, Property };

struct Stmt;
using StmtP = std::unique_ptr<Stmt>;
using Block = std::vector<StmtP>;

struct CaseClause {
    struct Test {
        ExprP value, upper; // `a To b` uses upper
        bool isIs = false;
        BinOp op = BinOp::Eq;
    };
    std::vector<Test> tests; // empty for Case Else
    Block body;
};

struct DimItem {
    ExprP target; // Ident
    std::vector<ExprP> bounds;
    bool isArray = false;
};

struct Stmt {
    SK kind;
    int line = 0;
    ExprP target, value, limit, step; // assignment / For
    Block body, elseBody;             // If / loops / With
    std::vector<std::pair<ExprP, Block>> elseIfs;
    std::vector<CaseClause> cases;
    std::vector<DimItem> dims; // Dim / ReDim / Erase
    bool preserve = false;
    // Do loops: condition at top (pre) or bottom; `until` negates.
    bool preCondition = true, until = false;
    ExitKind exitKind = ExitKind::None;
};

struct Param {
    std::string name;
    bool byRef = true;
};

struct ClassDef;

struct Proc {
    std::string name, spelling;
    bool isFunction = false;
    std::vector<Param> params;
    Block body;
    int numLocals = 0;
    int retSlot = -1;
    std::unordered_map<std::string, int> locals;
    std::vector<std::string> dimmed; // names declared by Dim/Const/params
    std::vector<std::string> consts; // the ones of them declared by Const
    ClassDef *cls = nullptr;
    enum Kind { Plain, Get, Let, Set } kind = Plain;
    bool isDefault = false;
    bool isPrivate = false;
    int line = 0;
};

struct ClassDef {
    std::string name, spelling;
    std::vector<std::string> fields; // lower-case, slot = index
    std::vector<std::string> fieldSpelling;
    std::unordered_map<std::string, int> fieldIndex;
    std::vector<bool> fieldPrivate;
    // Fields declared as arrays and their upper bounds; no bounds for a dynamic array.
    std::vector<std::pair<int, std::vector<int32_t>>> arrayFields;
    std::vector<std::unique_ptr<Proc>> methods;
    std::unordered_map<std::string, Proc *> plain, getters, letters, setters;
    Proc *defaultMember = nullptr;
    Proc *initialize = nullptr, *terminate = nullptr; // Class_Initialize, Class_Terminate
};

// One added piece of code: its module-level statements and the procedures it declares.
struct Module {
    Block body;
    std::vector<std::unique_ptr<Proc>> procs;
    std::vector<std::unique_ptr<ClassDef>> classes;
    std::vector<std::string> globalsDeclared; // Dim/Const at module level, lower-case
    std::vector<std::string> constsDeclared;  // the ones of them declared by Const
    bool optionExplicit = false;
};

} // namespace vbs
