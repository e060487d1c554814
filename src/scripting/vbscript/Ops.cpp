#include "Ops.h"

#include "DateTime.h"
#include "Errors.h"
#include "HostObject.h"

#include <cmath>

namespace vbs {

bool parseNumber(const std::u16string &text, double &out);

namespace {

[[noreturn]] void fail(int number)
{
    throw ScriptError{number, errorText(number)};
}

const Value &deref(const Value &v)
{
    return v.type() == Type::Ref ? *v.refTarget() : v;
}

// Rank in the numeric promotion order.
int rank(Type t)
{
    switch (t) {
    case Type::Byte:
        return 0;
    case Type::Empty:
    case Type::Boolean:
    case Type::Integer:
        return 1;
    case Type::Long:
        return 2;
    case Type::Single:
        return 3;
    case Type::Double:
    case Type::String:
        return 4;
    case Type::Date:
        return 5;
    case Type::Currency:
        return 6;
    default:
        return -1;
    }
}

bool isIntegral(Type t)
{
    return t == Type::Byte || t == Type::Integer || t == Type::Long || t == Type::Boolean ||
           t == Type::Empty;
}

} // namespace

Value defaultOf(const Value &v)
{
    // A default member may hand back another object, whose default is read in turn. One that
    // hands back the object itself (`Set Value = Me`) would be read for ever, so the chain is
    // cut short: an object is still not the plain value that was asked for.
    constexpr int kMaxChain = 16;
    Value cur = deref(v);
    for (int hop = 0; cur.isObject(); ++hop) {
        if (hop == kMaxChain)
            fail(err::TypeMismatch);
        HostObject *o = cur.objectPtr();
        if (!o)
            fail(err::ObjectNotSet);
        if (!o->hasMember(""))
            fail(err::NoSuchMember);
        std::vector<Value> none;
        Value next = o->invoke("", none);
        cur = std::move(next);
    }
    return cur;
}

char16_t foldCase(char16_t c)
{
    if (c < 128)
        return (c >= 'A' && c <= 'Z') ? static_cast<char16_t>(c + 32) : c;
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return static_cast<char16_t>(c + 32);
    if (c >= 0x391 && c <= 0x3A9)
        return static_cast<char16_t>(c + 32);
    if (c >= 0x410 && c <= 0x42F)
        return static_cast<char16_t>(c + 32);
    return c;
}

std::u16string lower(const std::u16string &s)
{
    std::u16string r = s;
    for (auto &c : r)
        c = foldCase(c);
    return r;
}

std::u16string upper(const std::u16string &s)
{
    std::u16string r = s;
    for (auto &c : r) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char16_t>(c - 32);
        else if ((c >= 0xE0 && c <= 0xFE && c != 0xF7) || (c >= 0x3B1 && c <= 0x3C9) ||
                 (c >= 0x430 && c <= 0x44F))
            c = static_cast<char16_t>(c - 32);
    }
    return r;
}

int compareText(const std::u16string &a, const std::u16string &b, bool textCompare)
{
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        char16_t x = a[i], y = b[i];
        if (textCompare) {
            x = foldCase(x);
            y = foldCase(y);
        }
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

int compare(const Value &av, const Value &bv, bool aLit, bool bLit, bool textCompare)
{
    const Value &a0 = deref(av), &b0 = deref(bv);
    if (a0.isObject() || b0.isObject()) {
        Value a = a0.isObject() ? defaultOf(a0) : a0;
        Value b = b0.isObject() ? defaultOf(b0) : b0;
        return compare(a, b, aLit, bLit, textCompare);
    }
    const Value &a = a0, &b = b0;
    if (a.isNull() || b.isNull())
        return 2;
    if (a.isArray() || b.isArray())
        fail(err::TypeMismatch);
    Type ta = a.type(), tb = b.type();
    if (ta == Type::String && tb == Type::String)
        return compareText(a.str(), b.str(), textCompare);
    if (ta == Type::String || tb == Type::String) {
        const Value &s = ta == Type::String ? a : b;
        const Value &o = ta == Type::String ? b : a;
        int flip = ta == Type::String ? -1 : 1; // result is for (o, s); flip when s is left
        if (o.isEmpty())
            return compareText(ta == Type::String ? a.str() : u"",
                               tb == Type::String ? b.str() : u"", textCompare);
        bool literalNumber = ta == Type::String ? bLit : aLit;
        bool literalString = ta == Type::String ? aLit : bLit;
        if (literalNumber || literalString) {
            double d;
            if (literalNumber && parseNumber(s.str(), d)) {
                // The text is converted to a number when compared with a number literal.
                double x = o.toDouble();
                int r = x < d ? -1 : (x > d ? 1 : 0);
                return r * flip;
            }
            if (literalNumber)
                return -1 * flip;
            int r = compareText(o.toU16(), s.str(), textCompare);
            return r * flip;
        }
        // A number is always less than a string.
        return -1 * flip;
    }
    if (ta == Type::Currency && tb == Type::Currency)
        return a.rawInt() < b.rawInt() ? -1 : (a.rawInt() > b.rawInt() ? 1 : 0);
    if (isIntegral(ta) && isIntegral(tb)) {
        int64_t x = a.rawInt(), y = b.rawInt();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    // A Double met by a Single is rounded to the Single's precision first, so that
    // CSng(0.1) = 0.1 holds.
    if ((ta == Type::Single && tb == Type::Double) || (ta == Type::Double && tb == Type::Single)) {
        const float x = static_cast<float>(a.toDouble()), y = static_cast<float>(b.toDouble());
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    double x = a.toDouble(), y = b.toDouble();
    return x < y ? -1 : (x > y ? 1 : 0);
}

static Value arith(BinOp op, const Value &a, const Value &b)
{
    Type ta = a.type(), tb = b.type();
    if (ta == Type::Null || tb == Type::Null)
        return Value::null();
    if (ta == Type::Object || tb == Type::Object)
        return arith(op, ta == Type::Object ? defaultOf(a) : a,
                     tb == Type::Object ? defaultOf(b) : b);
    int ra = rank(ta), rb = rank(tb);
    if (ra < 0 || rb < 0)
        fail(err::TypeMismatch);
    int r = std::max(ra, rb);
    if (r <= 2) {
        int64_t x = a.rawInt(), y = b.rawInt();
        int64_t v = op == BinOp::Add ? x + y : (op == BinOp::Sub ? x - y : x * y);
        Type at = r == 0 ? Type::Byte : (r == 1 ? Type::Integer : Type::Long);
        if (at == Type::Byte && (v < 0 || v > 255))
            at = Type::Integer;
        if (op == BinOp::Mul && (x > INT32_MAX || y > INT32_MAX))
            return Value(static_cast<double>(x) * static_cast<double>(y));
        return fitInteger(v, at);
    }
    if (r == 6) {
        if (op == BinOp::Mul) {
            double v = (static_cast<double>(a.toCurrency()) / 10000.0) *
                       (static_cast<double>(b.toCurrency()) / 10000.0);
            return Value::currency(Value(v).toCurrency());
        }
        int64_t x = a.toCurrency(), y = b.toCurrency();
        return Value::currency(op == BinOp::Add ? x + y : x - y);
    }
    double x = a.toDouble(), y = b.toDouble();
    double v = op == BinOp::Add ? x + y : (op == BinOp::Sub ? x - y : x * y);
    if (r == 5) {
        if (op == BinOp::Sub && ta == Type::Date && tb == Type::Date)
            return Value(v);
        if (op != BinOp::Mul) {
            if (!inDateRange(v))
                fail(err::Overflow);
            return Value::date(v);
        }
        if (std::isinf(v))
            fail(err::Overflow);
        return Value(v);
    }
    if (r == 3 && (ra == 3 || rb == 3) && ra != 2 && rb != 2 && ta != Type::String &&
        tb != Type::String) {
        if (std::isinf(static_cast<float>(v)))
            fail(err::Overflow);
        return Value::single(static_cast<float>(v));
    }
    if (std::isinf(v))
        fail(err::Overflow);
    return Value(v);
}

static int64_t toLongArg(const Value &v)
{
    if (v.type() == Type::Integer || v.type() == Type::Long || v.type() == Type::Byte ||
        v.type() == Type::Boolean || v.isEmpty())
        return v.rawInt();
    return v.toInt32();
}

static Value logical(BinOp op, const Value &a, const Value &b)
{
    // Null rules: Null And False = False, Null Or True = True; otherwise Null.
    bool an = a.isNull(), bn = b.isNull();
    if (an || bn) {
        if (an && bn)
            return Value::null();
        const Value &o = an ? b : a;
        int64_t x = toLongArg(o);
        if (op == BinOp::And && x == 0)
            return o.type() == Type::Boolean ? Value(false) : fitInteger(0, Type::Integer);
        if (op == BinOp::Or && o.type() == Type::Boolean && x != 0)
            return Value(true);
        if (op == BinOp::Imp && an && x == -1)
            return Value(true);
        // Nothing false implies: False Imp Null is True.
        if (op == BinOp::Imp && bn && x == 0)
            return o.type() == Type::Boolean ? Value(true) : fitInteger(-1, Type::Integer);
        return Value::null();
    }
    int64_t x = toLongArg(a), y = toLongArg(b);
    int64_t v = 0;
    switch (op) {
    case BinOp::And:
        v = x & y;
        break;
    case BinOp::Or:
        v = x | y;
        break;
    case BinOp::Xor:
        v = x ^ y;
        break;
    case BinOp::Eqv:
        v = ~(x ^ y);
        break;
    case BinOp::Imp:
        v = (~x) | y;
        break;
    default:
        break;
    }
    if (a.type() == Type::Boolean && b.type() == Type::Boolean)
        return Value(v != 0);
    Type at = (a.type() == Type::Long || b.type() == Type::Long || a.isString() || b.isString() ||
               a.type() == Type::Double || b.type() == Type::Double)
                  ? Type::Long
                  : Type::Integer;
    if (a.type() == Type::Byte && b.type() == Type::Byte)
        return Value::byte(static_cast<uint8_t>(v));
    return fitInteger(at == Type::Long ? static_cast<int32_t>(v) : static_cast<int16_t>(v), at);
}

Value binary(BinOp op, const Value &av, const Value &bv, bool aLit, bool bLit)
{
    const Value &a = deref(av), &b = deref(bv);
    switch (op) {
    case BinOp::Add:
        if (a.hasLoneByte() || b.hasLoneByte())
            return Value::fromBytes(a.bytes() + b.bytes());
        if (a.isString() && b.isString()) {
            std::u16string s = a.str();
            s += b.str();
            return Value(std::move(s));
        }
        if ((a.isString() && b.isEmpty()) || (a.isEmpty() && b.isString()))
            return a.isString() ? a : b;
        [[fallthrough]];
    case BinOp::Sub:
    case BinOp::Mul:
        if (a.isString() || b.isString()) {
            if (a.isNull() || b.isNull())
                return Value::null();
            Value x = a.isString() ? Value(a.toDouble()) : a;
            Value y = b.isString() ? Value(b.toDouble()) : b;
            return arith(op, x, y);
        }
        return arith(op, a, b);
    case BinOp::Div: {
        if (a.isNull() || b.isNull())
            return Value::null();
        Value x = a.isObject() ? defaultOf(a) : a, y = b.isObject() ? defaultOf(b) : b;
        double d = y.toDouble(), n = x.toDouble();
        if (d == 0)
            fail(n == 0 ? err::Overflow : err::DivisionByZero);
        const bool single =
            x.type() == Type::Single && (y.type() == Type::Single || isIntegral(y.type()));
        if (single ? std::isinf(static_cast<float>(n / d)) : std::isinf(n / d))
            fail(err::Overflow);
        if (single)
            return Value::single(static_cast<float>(n / d));
        return Value(n / d);
    }
    case BinOp::IntDiv:
    case BinOp::Mod: {
        if (a.isNull() || b.isNull())
            return Value::null();
        Value x = a.isObject() ? defaultOf(a) : a, y = b.isObject() ? defaultOf(b) : b;
        int64_t n = toLongArg(x), d = toLongArg(y);
        if (d == 0)
            fail(err::DivisionByZero);
        int64_t v = op == BinOp::IntDiv ? n / d : n % d;
        Type at = (x.type() == Type::Byte && y.type() == Type::Byte)
                      ? Type::Byte
                      : ((rank(x.type()) <= 1 && rank(y.type()) <= 1) ? Type::Integer : Type::Long);
        return fitInteger(v, at);
    }
    case BinOp::Pow: {
        if (a.isNull() || b.isNull())
            return Value::null();
        double x = a.toDouble(), y = b.toDouble();
        if (x < 0 && y != std::floor(y))
            fail(err::InvalidCall);
        double v = std::pow(x, y);
        if (std::isinf(v))
            fail(err::Overflow);
        return Value(v);
    }
    case BinOp::Concat: {
        if (a.isNull() && b.isNull())
            return Value::null();
        if (a.hasLoneByte() || b.hasLoneByte()) { // byte strings join byte by byte
            std::string bytes = a.isNull() ? std::string() : a.bytes();
            const std::string more = b.isNull() ? std::string() : b.bytes();
            checkStringLength((bytes.size() + more.size() + 1) / 2);
            return Value::fromBytes(bytes + more);
        }
        // Nothing has no value to give, as opposed to an object without a default one.
        if ((a.isObject() && !a.objectPtr()) || (b.isObject() && !b.objectPtr()))
            fail(err::ObjectNotSet);
        checkStringLength((a.isString() ? a.str().size() : 0) +
                          (b.isString() ? b.str().size() : 0));
        std::u16string s = a.isNull() ? u"" : a.toU16();
        if (!b.isNull())
            s += b.toU16();
        return Value(std::move(s));
    }
    case BinOp::Eq:
    case BinOp::Ne:
    case BinOp::Lt:
    case BinOp::Gt:
    case BinOp::Le:
    case BinOp::Ge: {
        int c = compare(a, b, aLit, bLit, false);
        if (c == 2)
            return Value::null();
        switch (op) {
        case BinOp::Eq:
            return Value(c == 0);
        case BinOp::Ne:
            return Value(c != 0);
        case BinOp::Lt:
            return Value(c < 0);
        case BinOp::Gt:
            return Value(c > 0);
        case BinOp::Le:
            return Value(c <= 0);
        default:
            return Value(c >= 0);
        }
    }
    case BinOp::Is: {
        if (!a.isObject() || !b.isObject())
            fail(err::ObjectRequired);
        return Value(a.objectPtr() == b.objectPtr());
    }
    case BinOp::And:
    case BinOp::Or:
    case BinOp::Xor:
    case BinOp::Eqv:
    case BinOp::Imp:
        return logical(op, a, b);
    }
    return Value();
}

Value negate(const Value &av)
{
    const Value &a = deref(av);
    switch (a.type()) {
    case Type::Null:
        return Value::null();
    case Type::Empty:
        return Value::integer(0);
    case Type::Byte:
    case Type::Boolean:
    case Type::Integer:
        return fitInteger(-a.rawInt(), Type::Integer);
    case Type::Long:
        return fitInteger(-a.rawInt(), Type::Long);
    case Type::Single:
        return Value::single(static_cast<float>(-a.rawDouble()));
    case Type::Double:
        return Value(-a.rawDouble());
    case Type::Date:
        // The range is not symmetric: -#12/31/9999# is no date.
        if (!inDateRange(-a.rawDouble()))
            fail(err::Overflow);
        return Value::date(-a.rawDouble());
    case Type::Currency:
        return Value::currency(-a.rawInt());
    case Type::String:
        return Value(-a.toDouble());
    case Type::Object:
        return negate(defaultOf(a));
    default:
        fail(err::TypeMismatch);
    }
}

Value logicalNot(const Value &av)
{
    const Value &a = deref(av);
    switch (a.type()) {
    case Type::Null:
        return Value::null();
    case Type::Boolean:
        return Value(a.rawInt() == 0);
    case Type::Empty:
        return Value::integer(-1);
    case Type::Byte:
        return Value::byte(static_cast<uint8_t>(~a.rawInt()));
    case Type::Integer:
        return Value::integer(static_cast<int16_t>(~a.rawInt()));
    case Type::Object:
        return logicalNot(defaultOf(a));
    default:
        return Value(static_cast<int32_t>(~toLongArg(a)));
    }
}

void appendInPlace(Value &a, const Value &b)
{
    const Value &bb = deref(b);
    if (a.isString() && !a.hasLoneByte() && !bb.hasLoneByte() &&
        (bb.isString() || bb.isEmpty() || bb.isNumeric())) {
        if (bb.isString())
            checkStringLength(a.str().size() + bb.str().size());
        std::u16string &s = a.mutableStr();
        if (bb.isString())
            s += bb.str();
        else
            s += bb.toU16();
        return;
    }
    a = binary(BinOp::Concat, a, bb);
}

} // namespace vbs
