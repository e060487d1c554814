#include "Lexer.h"

#include "DateTime.h"
#include "Errors.h"
#include "Value.h"

#include <cmath>
#include <unordered_map>

namespace vbs {

namespace {

const std::unordered_map<std::string, Kw> &keywords()
{
    static const std::unordered_map<std::string, Kw> map = {
        {"and", Kw::And},
        {"byref", Kw::ByRef},
        {"byval", Kw::ByVal},
        {"call", Kw::Call},
        {"case", Kw::Case},
        {"class", Kw::Class},
        {"const", Kw::Const},
        {"dim", Kw::Dim},
        {"do", Kw::Do},
        {"each", Kw::Each},
        {"else", Kw::Else},
        {"elseif", Kw::ElseIf},
        {"empty", Kw::Empty},
        {"end", Kw::End},
        {"eqv", Kw::Eqv},
        {"erase", Kw::Erase},
        {"exit", Kw::Exit},
        {"false", Kw::False},
        {"for", Kw::For},
        {"function", Kw::Function},
        {"get", Kw::Get},
        {"goto", Kw::GoTo},
        {"if", Kw::If},
        {"imp", Kw::Imp},
        {"in", Kw::In},
        {"is", Kw::Is},
        {"let", Kw::Let},
        {"loop", Kw::Loop},
        {"me", Kw::Me},
        {"mod", Kw::Mod},
        {"new", Kw::New},
        {"next", Kw::Next},
        {"not", Kw::Not},
        {"nothing", Kw::Nothing},
        {"null", Kw::Null},
        {"on", Kw::On},
        {"option", Kw::Option},
        {"or", Kw::Or},
        {"private", Kw::Private},
        {"property", Kw::Property},
        {"public", Kw::Public},
        {"redim", Kw::ReDim},
        {"resume", Kw::Resume},
        {"select", Kw::Select},
        {"set", Kw::Set},
        {"sub", Kw::Sub},
        {"then", Kw::Then},
        {"to", Kw::To},
        {"true", Kw::True},
        {"until", Kw::Until},
        {"wend", Kw::Wend},
        {"while", Kw::While},
        {"with", Kw::With},
        {"xor", Kw::Xor},
        {"randomize", Kw::Randomize},
        {"default", Kw::Default},
    };
    return map;
}

bool identStart(unsigned char c)
{
    return isalpha(c) || c >= 0x80;
}
bool identChar(unsigned char c)
{
    return isalnum(c) || c == '_' || c >= 0x80;
}

} // namespace

std::vector<Token> tokenize(const std::string &src)
{
    std::vector<Token> out;
    int line = 1;
    const size_t n = src.size();
    // Editors on other systems may leave a UTF-8 byte order mark in front.
    size_t i = src.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    bool space = false;
    auto push = [&](Token t) {
        t.line = line;
        t.spaceBefore = space;
        space = false;
        out.push_back(std::move(t));
    };
    auto newline = [&]() {
        if (!out.empty() && out.back().kind != Tok::Newline) {
            Token t;
            t.kind = Tok::Newline;
            push(t);
        }
    };
    while (i < n) {
        unsigned char c = src[i];
        if (c == ' ' || c == '\t' || c == '\f' || c == '\v' || c == 0xA0) {
            ++i;
            space = true;
            continue;
        }
        if (c == '\r' || c == '\n') {
            newline();
            if (c == '\r' && i + 1 < n && src[i + 1] == '\n')
                ++i;
            ++i;
            ++line;
            continue;
        }
        if (c == ':') {
            newline();
            if (!out.empty() && out.back().kind == Tok::Newline && out.back().line == line)
                out.back().colon = true;
            ++i;
            continue;
        }
        if (c == '\'') {
            while (i < n && src[i] != '\r' && src[i] != '\n')
                ++i;
            continue;
        }
        if (c == '_') {
            // A line join: "_" as the last thing on the line.
            size_t k = i + 1;
            while (k < n && (src[k] == ' ' || src[k] == '\t'))
                ++k;
            if (k >= n || src[k] == '\r' || src[k] == '\n') {
                if (k < n && src[k] == '\r' && k + 1 < n && src[k + 1] == '\n')
                    ++k;
                i = k + 1;
                ++line;
                space = true;
                continue;
            }
            throw CompileError{err::InvalidCharacter, line};
        }
        if (c == '"') {
            Token t;
            t.kind = Tok::String;
            std::string raw;
            ++i;
            for (;;) {
                if (i >= n || src[i] == '\r' || src[i] == '\n')
                    throw CompileError{err::UnterminatedString, line};
                if (src[i] == '"') {
                    if (i + 1 < n && src[i + 1] == '"') {
                        raw.push_back('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                raw.push_back(src[i++]);
            }
            t.text = fromUtf8(raw);
            push(std::move(t));
            continue;
        }
        if (c == '#') {
            size_t k = i + 1;
            std::string raw;
            while (k < n && src[k] != '#' && src[k] != '\r' && src[k] != '\n')
                raw.push_back(src[k++]);
            if (k >= n || src[k] != '#')
                throw CompileError{err::InvalidCharacter, line};
            double d;
            if (!parseDate(fromUtf8(raw), d))
                throw CompileError{err::SyntaxError, line};
            Token t;
            t.kind = Tok::Date;
            t.number = d;
            push(std::move(t));
            i = k + 1;
            continue;
        }
        bool prevIsOperand = !out.empty() && !space &&
                             (out.back().kind == Tok::Ident ||
                              (out.back().kind == Tok::Op && out.back().op[0] == ')'));
        if (isdigit(c) ||
            (c == '.' && i + 1 < n && isdigit((unsigned char)src[i + 1]) && !prevIsOperand)) {
            size_t start = i;
            while (i < n && isdigit((unsigned char)src[i]))
                ++i;
            bool isFloat = false;
            if (i < n && src[i] == '.') {
                isFloat = true;
                ++i;
                while (i < n && isdigit((unsigned char)src[i]))
                    ++i;
            }
            if (i < n && (src[i] == 'e' || src[i] == 'E')) {
                size_t k = i + 1;
                if (k < n && (src[k] == '+' || src[k] == '-'))
                    ++k;
                if (k < n && isdigit((unsigned char)src[k])) {
                    isFloat = true;
                    i = k;
                    while (i < n && isdigit((unsigned char)src[i]))
                        ++i;
                }
            }
            std::string num = src.substr(start, i - start);
            Token t;
            t.number = parseDecimal(num);
            if (std::isinf(t.number)) // 1e309
                throw CompileError{err::Overflow, line};
            bool forceLong = false;
            if (i < n && src[i] == '&' && !isFloat) {
                forceLong = true;
                ++i;
            } else if (i < n && src[i] == '#') {
                isFloat = true;
                ++i;
            }
            if (i < n && identChar((unsigned char)src[i]))
                throw CompileError{err::ExpectedEndOfStatement, line};
            if (isFloat || t.number > 2147483647.0)
                t.kind = Tok::Double;
            else if (!forceLong && t.number <= 32767)
                t.kind = Tok::Integer;
            else
                t.kind = Tok::Long;
            push(std::move(t));
            continue;
        }
        if (c == '&' && i + 1 < n &&
            (src[i + 1] == 'h' || src[i + 1] == 'H' || src[i + 1] == 'o' || src[i + 1] == 'O' ||
             isdigit((unsigned char)src[i + 1]))) {
            int base = (src[i + 1] == 'h' || src[i + 1] == 'H') ? 16 : 8;
            size_t k = i + (isdigit((unsigned char)src[i + 1]) ? 1 : 2);
            uint64_t v = 0;
            int digits = 0;
            while (k < n && isxdigit((unsigned char)src[k])) {
                int d =
                    isdigit((unsigned char)src[k]) ? src[k] - '0' : (tolower(src[k]) - 'a' + 10);
                if (d >= base)
                    break;
                v = v * base + d;
                ++digits;
                ++k;
            }
            if (digits == 0 && !isdigit((unsigned char)src[i + 1]) && i + 2 < n &&
                identChar((unsigned char)src[i + 2])) {
                // `"x" &hi`: no digits follow, so this is & before a name starting with h or o.
                Token t;
                t.kind = Tok::Op;
                t.op[0] = '&';
                push(std::move(t));
                ++i;
                continue;
            }
            if (digits == 0)
                throw CompileError{err::SyntaxError, line};
            if (v > 0xFFFFFFFFull)
                throw CompileError{err::Overflow, line};
            bool forceLong = false;
            if (k < n && src[k] == '&') {
                forceLong = true;
                ++k;
            }
            Token t;
            // The suffix only keeps the sign bit from wrapping: &H10& is still an Integer.
            if (v <= (forceLong ? 0x7FFFu : 0xFFFFu)) {
                t.kind = Tok::Integer;
                t.number = static_cast<int16_t>(static_cast<uint16_t>(v));
            } else {
                t.kind = Tok::Long;
                t.number = static_cast<int32_t>(static_cast<uint32_t>(v));
            }
            push(std::move(t));
            i = k;
            continue;
        }
        if (identStart(c) || (c == '[')) {
            Token t;
            t.kind = Tok::Ident;
            if (c == '[') {
                size_t k = i + 1;
                while (k < n && src[k] != ']' && src[k] != '\n')
                    ++k;
                if (k >= n || src[k] != ']')
                    throw CompileError{err::InvalidCharacter, line};
                t.spelling = src.substr(i + 1, k - i - 1);
                t.bracketed = true;
                i = k + 1;
            } else {
                size_t start = i;
                while (i < n && identChar((unsigned char)src[i]))
                    ++i;
                t.spelling = src.substr(start, i - start);
            }
            // ASCII only: the C library's tolower follows the locale and would fold the bytes
            // of UTF-8 names in a single-byte one.
            for (char ch : t.spelling)
                t.name.push_back(ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch + 32) : ch);
            bool afterDot =
                !out.empty() && out.back().kind == Tok::Op && out.back().op[0] == '.' && !space;
            if (!afterDot && !t.bracketed) {
                if (t.name == "rem") {
                    while (i < n && src[i] != '\r' && src[i] != '\n')
                        ++i;
                    continue;
                }
                auto it = keywords().find(t.name);
                if (it != keywords().end())
                    t.kw = it->second;
            }
            push(std::move(t));
            continue;
        }
        Token t;
        t.kind = Tok::Op;
        t.op[0] = static_cast<char>(c);
        if (c == '<' && i + 1 < n && (src[i + 1] == '>' || src[i + 1] == '=')) {
            t.op[1] = src[i + 1];
            ++i;
        } else if (c == '>' && i + 1 < n && src[i + 1] == '=') {
            t.op[1] = '=';
            ++i;
        } else if (c == '=' && i + 1 < n && (src[i + 1] == '<' || src[i + 1] == '>')) {
            // =< and => are <= and >=, as old scripts write them; nothing else can start with
            // '<' or '>', so the two never stood for an assignment.
            t.op[0] = src[i + 1];
            t.op[1] = '=';
            ++i;
        }
        switch (c) {
        case '+':
        case '-':
        case '*':
        case '/':
        case '\\':
        case '^':
        case '&':
        case '=':
        case '<':
        case '>':
        case '(':
        case ')':
        case ',':
        case '.':
            break;
        default:
            throw CompileError{err::InvalidCharacter, line};
        }
        ++i;
        push(std::move(t));
    }
    newline();
    Token e;
    e.kind = Tok::End;
    e.line = line;
    out.push_back(e);
    return out;
}

} // namespace vbs
