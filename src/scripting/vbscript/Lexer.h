#pragma once

#include <string>
#include <vector>

namespace vbs {

enum class Tok {
    End,     // end of the code
    Newline, // end of a statement: a line end or ':'
    Ident,
    Integer, // fits in 16 bits
    Long,
    Double,
    String,
    Date,
    Op, // operators and punctuation, in `op`
};

// Reserved words; contextual words (Step, Explicit, Error, Preserve...) stay identifiers.
enum class Kw {
    None,
    And,
    ByRef,
    ByVal,
    Call,
    Case,
    Class,
    Const,
    Dim,
    Do,
    Each,
    Else,
    ElseIf,
    Empty,
    End,
    Eqv,
    Erase,
    Exit,
    False,
    For,
    Function,
    Get,
    GoTo,
    If,
    Imp,
    In,
    Is,
    Let,
    Loop,
    Me,
    Mod,
    New,
    Next,
    Not,
    Nothing,
    Null,
    On,
    Option,
    Or,
    Private,
    Property,
    Public,
    ReDim,
    Resume,
    Select,
    Set,
    Sub,
    Then,
    To,
    True,
    Until,
    Wend,
    While,
    With,
    Xor,
    Randomize,
    Default
};

struct Token {
    Tok kind = Tok::End;
    Kw kw = Kw::None;
    int line = 0;
    char op[3] = {0, 0, 0};
    bool spaceBefore = false; // distinguishes `f (a)` from `f(a)` in call statements
    bool colon = false;       // a Newline written as ':', which keeps a single-line If going
    std::string name;         // identifiers: lower-case; the original spelling is in `spelling`
    std::string spelling;
    // Written in brackets: a name of any characters, none at all too, and never a keyword.
    bool bracketed = false;
    std::u16string text; // string literals
    double number = 0;
};

struct CompileError {
    int number;
    int line;
};

// Splits code into tokens; ' and Rem comments and " _" line joins are dropped here.
std::vector<Token> tokenize(const std::string &code); // throws CompileError

} // namespace vbs
