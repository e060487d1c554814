#pragma once

#include "Value.h"

#include <cstdint>

namespace vbs {

// An object's default property, as used where a plain value is wanted: in arithmetic and
// comparisons, and when an object is assigned with Let.
Value defaultOf(const Value &v);

enum class BinOp {
    Add,
    Sub,
    Mul,
    Div,
    IntDiv,
    Mod,
    Pow,
    Concat,
    Eq,
    Ne,
    Lt,
    Gt,
    Le,
    Ge,
    Is,
    And,
    Or,
    Xor,
    Eqv,
    Imp
};

// VBScript's operator semantics: type promotion (Integer -> Long -> Double on overflow), Null
// propagation, Empty as 0 or "", text to number coercion. They throw vbs::ScriptError.
Value binary(BinOp op, const Value &a, const Value &b, bool aLiteral = false,
             bool bLiteral = false);
Value negate(const Value &a);
Value logicalNot(const Value &a);

// -1, 0, 1 for comparison; Null yields 2. textCompare folds case.
int compare(const Value &a, const Value &b, bool aLiteral, bool bLiteral, bool textCompare);
int compareText(const std::u16string &a, const std::u16string &b, bool textCompare);
char16_t foldCase(char16_t c);
std::u16string lower(const std::u16string &s);
std::u16string upper(const std::u16string &s);

// Appends b to a in place when a is a uniquely owned string (the `s = s & x` idiom).
void appendInPlace(Value &a, const Value &b);

// Integer result: keeps the narrowest of Integer/Long that holds it, else Double. Here for the
// interpreter's loops to have it inline: every counted turn and integer sum goes through it.
inline Value fitInteger(int64_t v, Type atLeast)
{
    if (atLeast == Type::Byte && v >= 0 && v <= 255)
        return Value::byte(static_cast<uint8_t>(v));
    if (atLeast != Type::Long && v >= -32768 && v <= 32767)
        return Value::integer(static_cast<int16_t>(v));
    if (v >= INT32_MIN && v <= INT32_MAX)
        return Value(static_cast<int32_t>(v));
    return Value(static_cast<double>(v));
}

} // namespace vbs
