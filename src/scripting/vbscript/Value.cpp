#include "Value.h"

#include "ScriptClock.h"

#include "DateTime.h"
#include "Errors.h"
#include "HostObject.h"
#include "Ops.h"
#include "ScriptClock.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace vbs {

namespace {
// The most an array may hold. Past it the memory is refused rather than promised: Linux would
// grant far more and only fail, or end the program, when the elements are written.
constexpr size_t kMaxArrayBytes = size_t(1) << 30;
constexpr size_t kMaxArrayElements = kMaxArrayBytes / sizeof(Value);
// Building this much takes long enough for the time-out to want a look at the clock.
constexpr size_t kLongWork = size_t(1) << 16;
} // namespace

void checkStringLength(size_t length)
{
    if (length > kMaxStringLength)
        throw ScriptError{err::OutOfStringSpace, errorText(err::OutOfStringSpace)};
    if (length > kLongWork)
        ScriptClock::noteLongWork();
}

void checkArraySize(size_t elements, size_t bytesEach)
{
    if (elements > kMaxArrayBytes / (sizeof(Value) + bytesEach))
        throw ScriptError{err::OutOfMemory, errorText(err::OutOfMemory)};
    if (elements > kLongWork)
        ScriptClock::noteLongWork();
}

Value::Value(const std::string &utf8)
    : m_type(Type::String)
{
    m_u.str = new StrRep{1, fromUtf8(utf8)};
}

Value::Value(std::u16string s)
    : m_type(Type::String)
{
    m_u.str = new StrRep{1, std::move(s)};
}

Value::Value(std::shared_ptr<HostObject> obj)
    : m_type(Type::Object)
{
    m_u.obj = obj ? new ObjRep{1, std::move(obj)} : nullptr;
}

Value Value::array(std::vector<int32_t> upper)
{
    Value v;
    v.m_type = Type::Array;
    v.m_u.arr = new ArrayRep;
    v.m_u.arr->upper = std::move(upper);
    // The product of the dimensions can pass any integer type, so each factor is checked
    // against what is still allowed before multiplying.
    size_t n = v.m_u.arr->upper.empty() ? 0 : 1;
    for (int32_t u : v.m_u.arr->upper) {
        if (u < -1)
            throw ScriptError{err::SubscriptRange, errorText(err::SubscriptRange)};
        const size_t extent = static_cast<size_t>(static_cast<int64_t>(u) + 1);
        if (extent != 0 && n > kMaxArrayElements / extent)
            throw ScriptError{err::OutOfMemory, errorText(err::OutOfMemory)};
        n *= extent;
    }
    if (n > kLongWork)
        ScriptClock::noteLongWork();
    try {
        v.m_u.arr->data.resize(n);
    } catch (const std::bad_alloc &) {
        throw ScriptError{err::OutOfMemory, errorText(err::OutOfMemory)};
    }
    return v;
}

namespace {
// Freeing an array or an object frees what it holds, and so on down: a list of a million
// linked script objects would free a million levels deep and overflow the stack. While one
// release is under way, the further ones it causes wait here and the outermost release works
// through them one after another.
struct Unreferenced {
    ArrayRep *array;
    ObjRep *object;
    void destroy() const
    {
        delete array;
        delete object;
    }
};
thread_local std::vector<Unreferenced> t_waiting;
thread_local bool t_releasing = false;

void dispose(Unreferenced rep)
{
    if (t_releasing) {
        try {
            t_waiting.push_back(rep);
            return;
        } catch (const std::bad_alloc &) {
            // No room to wait: free it at once, recursing one level deeper.
        }
        rep.destroy();
        return;
    }
    t_releasing = true;
    rep.destroy();
    while (!t_waiting.empty()) {
        Unreferenced next = t_waiting.back();
        t_waiting.pop_back();
        next.destroy();
    }
    t_releasing = false;
}
} // namespace

void Value::releaseSlow()
{
    switch (m_type) {
    case Type::String:
        if (--m_u.str->refs == 0)
            delete m_u.str;
        break;
    case Type::Array:
        if (--m_u.arr->refs == 0)
            dispose({m_u.arr, nullptr});
        break;
    case Type::Object:
        if (m_u.obj && --m_u.obj->refs == 0)
            dispose({nullptr, m_u.obj});
        break;
    default:
        break;
    }
}

std::u16string &Value::mutableStr()
{
    if (m_u.str->refs > 1) {
        --m_u.str->refs;
        m_u.str = new StrRep{1, m_u.str->s, m_u.str->loneByte};
    }
    return m_u.str->s;
}

std::string Value::bytes() const
{
    const std::u16string text = toU16();
    std::string out;
    out.reserve(text.size() * 2 + 1);
    for (char16_t c : text) {
        out.push_back(static_cast<char>(c & 0xFF));
        out.push_back(static_cast<char>(c >> 8));
    }
    if (hasLoneByte())
        out.push_back(static_cast<char>(m_u.str->loneByte));
    return out;
}

Value Value::fromBytes(const std::string &bytes)
{
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                             static_cast<unsigned char>(bytes[i + 1]) << 8));
    Value v(std::move(text));
    if (bytes.size() % 2)
        v.m_u.str->loneByte = static_cast<unsigned char>(bytes.back());
    return v;
}

ArrayRep *Value::cloneArray(const ArrayRep &a)
{
    auto *copy = new ArrayRep;
    copy->upper = a.upper;
    copy->data = a.data;
    copy->fixed = a.fixed;
    return copy;
}

ArrayRep *Value::mutableArray()
{
    // A locked array is shared only with its locks, which want the writes to reach it.
    if (m_u.arr->refs > 1 && m_u.arr->locks == 0) {
        ArrayRep *copy = cloneArray(*m_u.arr);
        --m_u.arr->refs;
        m_u.arr = copy;
    }
    return m_u.arr;
}

ArrayLock::~ArrayLock()
{
    if (!m_rep)
        return;
    --m_rep->locks;
    if (--m_rep->refs == 0)
        dispose({m_rep, nullptr});
}

bool Value::isNumeric() const
{
    switch (m_type) {
    case Type::Integer:
    case Type::Long:
    case Type::Single:
    case Type::Double:
    case Type::Currency:
    case Type::Byte:
    case Type::Boolean:
    case Type::Date:
        return true;
    default:
        return false;
    }
}

std::u16string fromUtf8(const std::string &s)
{
    std::u16string out;
    out.reserve(s.size());
    auto cont = [&](size_t k) { return k < s.size() && (s[k] & 0xC0) == 0x80; };
    for (size_t i = 0; i < s.size();) {
        unsigned char c = s[i];
        uint32_t cp;
        int len;
        if (c < 0x80) {
            cp = c;
            len = 1;
        } else if ((c >> 5) == 6 && cont(i + 1)) {
            cp = ((c & 0x1F) << 6) | (s[i + 1] & 0x3F);
            len = 2;
        } else if ((c >> 4) == 14 && cont(i + 1) && cont(i + 2)) {
            cp = ((c & 0x0F) << 12) | ((s[i + 1] & 0x3F) << 6) | (s[i + 2] & 0x3F);
            len = 3;
        } else if ((c >> 3) == 30 && cont(i + 1) && cont(i + 2) && cont(i + 3)) {
            cp = ((c & 0x07) << 18) | ((s[i + 1] & 0x3F) << 12) | ((s[i + 2] & 0x3F) << 6) |
                 (s[i + 3] & 0x3F);
            len = 4;
        } else {
            // Not UTF-8: files in the old ANSI code page keep their Latin-1 characters.
            cp = c;
            len = 1;
        }
        i += len;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

std::string toUtf8(const std::u16string &s)
{
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        uint32_t cp = s[i];
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 &&
            s[i + 1] < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

// The C library reads and writes numbers by the locale the program set, and the program's
// windowing library sets the user's, whose decimal separator may be a comma. Script text and
// VBScript's own output always use the point, so numbers go through the "C" locale or the
// locale-free character conversions only.
double parseDecimal(const std::string &text)
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return strtod_l(text.c_str(), nullptr, c);
}

std::string formatNumber(double d, int digits)
{
    if (d == 0)
        return "0";
    if (std::isnan(d))
        return "NaN";
    if (std::isinf(d))
        return d > 0 ? "Infinity" : "-Infinity";
    char buf[64];
    const auto end =
        std::to_chars(buf, buf + sizeof buf, d, std::chars_format::general, digits).ptr;
    std::string s(buf, end);
    // At least two exponent digits, as VBScript writes them ("1E+20", "1E-05").
    for (char &ch : s)
        if (ch == 'e')
            ch = 'E';
    return s;
}

static std::u16string ascii(const std::string &s)
{
    return std::u16string(s.begin(), s.end());
}

std::u16string Value::toU16() const
{
    switch (m_type) {
    case Type::String:
        return m_u.str->s;
    case Type::Empty:
        return u"";
    case Type::Null:
        throw ScriptError{err::InvalidUseOfNull, errorText(err::InvalidUseOfNull)};
    case Type::Boolean:
        return m_u.i64 ? u"True" : u"False";
    case Type::Integer:
    case Type::Long:
    case Type::Byte:
        return ascii(std::to_string(m_u.i64));
    case Type::Single:
        return ascii(formatNumber(m_u.d, 7));
    case Type::Double:
        return ascii(formatNumber(m_u.d, 15));
    case Type::Currency: {
        int64_t v = m_u.i64;
        std::string s = v < 0 ? "-" : "";
        uint64_t a = v < 0 ? -static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
        s += std::to_string(a / 10000);
        uint64_t frac = a % 10000;
        if (frac) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "%04u", static_cast<unsigned>(frac));
            std::string f = buf;
            while (!f.empty() && f.back() == '0')
                f.pop_back();
            s += "." + f;
        }
        return ascii(s);
    }
    case Type::Date:
        return ascii(formatDate(m_u.d));
    case Type::Error:
        return ascii("Error " + std::to_string(m_u.i64));
    case Type::Object: {
        HostObject *o = objectPtr();
        if (o && o->hasMember(""))
            return defaultOf(*this).toU16();
        throw ScriptError{err::TypeMismatch, errorText(err::TypeMismatch)};
    }
    case Type::Array:
        throw ScriptError{err::TypeMismatch, errorText(err::TypeMismatch)};
    case Type::Ref:
        return m_u.ref->toU16();
    }
    return u"";
}

std::string Value::toString() const
{
    return toUtf8(toU16());
}

// Text to number as VBScript's coercion does: blanks around, sign, &H/&O, decimals, exponent.
bool parseNumber(const std::u16string &text, double &out)
{
    size_t i = 0, n = text.size();
    while (i < n && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    while (n > i && (text[n - 1] == ' ' || text[n - 1] == '\t'))
        --n;
    if (i >= n)
        return false;
    std::string s;
    for (size_t k = i; k < n; ++k) {
        if (text[k] > 127)
            return false;
        s.push_back(static_cast<char>(text[k]));
    }
    if (s.size() > 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h' || s[1] == 'O' || s[1] == 'o')) {
        int base = (s[1] == 'H' || s[1] == 'h') ? 16 : 8;
        uint64_t v = 0;
        size_t k = 2;
        for (; k < s.size(); ++k) {
            char c = s[k];
            int d;
            if (c >= '0' && c <= '9')
                d = c - '0';
            else if (base == 16 && c >= 'a' && c <= 'f')
                d = c - 'a' + 10;
            else if (base == 16 && c >= 'A' && c <= 'F')
                d = c - 'A' + 10;
            else
                break;
            if (d >= base)
                return false;
            v = v * base + d;
        }
        if (k != s.size())
            return false;
        if (v <= 0xFFFF && s.size() <= 6 && base == 16)
            out = static_cast<int16_t>(v);
        else
            out = static_cast<int32_t>(static_cast<uint32_t>(v));
        return true;
    }
    size_t k = 0;
    if (s[k] == '+' || s[k] == '-')
        ++k;
    bool digits = false;
    // The whole part may group its digits in threes with commas ("1,234,567"); the commas go
    // before the text is read. "3,4" is no number.
    size_t group = 0;
    bool grouped = false;
    while (k < s.size() && (isdigit(static_cast<unsigned char>(s[k])) || s[k] == ',')) {
        if (s[k] == ',') {
            if (!digits || (grouped && group != 3) || group > 3)
                return false;
            grouped = true;
            group = 0;
            s.erase(k, 1);
            continue;
        }
        ++k;
        ++group;
        digits = true;
    }
    if (grouped && group != 3)
        return false;
    if (k < s.size() && s[k] == '.') {
        ++k;
        while (k < s.size() && isdigit(static_cast<unsigned char>(s[k]))) {
            ++k;
            digits = true;
        }
    }
    if (!digits)
        return false;
    if (k < s.size() && (s[k] == 'e' || s[k] == 'E' || s[k] == 'd' || s[k] == 'D')) {
        size_t e = k + 1;
        if (e < s.size() && (s[e] == '+' || s[e] == '-'))
            ++e;
        if (e < s.size() && isdigit(static_cast<unsigned char>(s[e]))) {
            s[k] = 'e';
            k = e;
            while (k < s.size() && isdigit(static_cast<unsigned char>(s[k])))
                ++k;
        }
    }
    if (k != s.size())
        return false;
    out = parseDecimal(s);
    return true;
}

double Value::toDouble() const
{
    switch (m_type) {
    case Type::Empty:
        return 0;
    case Type::Null:
        throw ScriptError{err::InvalidUseOfNull, errorText(err::InvalidUseOfNull)};
    case Type::Boolean:
    case Type::Integer:
    case Type::Long:
    case Type::Byte:
        return static_cast<double>(m_u.i64);
    case Type::Single:
    case Type::Double:
    case Type::Date:
        return m_u.d;
    case Type::Currency:
        return static_cast<double>(m_u.i64) / 10000.0;
    case Type::String: {
        // Only text that reads as a number: "3,4" is no date serial here.
        double d;
        if (parseNumber(m_u.str->s, d)) {
            if (std::isinf(d)) // "1e309"
                throw ScriptError{err::Overflow, errorText(err::Overflow)};
            return d;
        }
        throw ScriptError{err::TypeMismatch, errorText(err::TypeMismatch)};
    }
    case Type::Object: {
        HostObject *o = objectPtr();
        if (o && o->hasMember(""))
            return defaultOf(*this).toDouble();
        throw ScriptError{o ? err::NoSuchMember : err::ObjectNotSet,
                          errorText(o ? err::NoSuchMember : err::ObjectNotSet)};
    }
    case Type::Ref:
        return m_u.ref->toDouble();
    default:
        throw ScriptError{err::TypeMismatch, errorText(err::TypeMismatch)};
    }
}

bool Value::toBool() const
{
    switch (m_type) {
    case Type::Empty:
        return false;
    case Type::Boolean:
    case Type::Integer:
    case Type::Long:
    case Type::Byte:
    case Type::Currency:
        return m_u.i64 != 0;
    case Type::Single:
    case Type::Double:
    case Type::Date:
        return m_u.d != 0;
    case Type::String: {
        const std::u16string &s = m_u.str->s;
        std::u16string l;
        for (char16_t c : s)
            l.push_back(c < 128 ? static_cast<char16_t>(tolower(c)) : c);
        // The spellings a Boolean is written out with to a file, which read back as one.
        if (l == u"true" || l == u"#true#")
            return true;
        if (l == u"false" || l == u"#false#")
            return false;
        double d;
        if (parseNumber(s, d))
            return d != 0;
        throw ScriptError{err::TypeMismatch, errorText(err::TypeMismatch)};
    }
    case Type::Ref:
        return m_u.ref->toBool();
    default:
        return toDouble() != 0;
    }
}

// Banker's rounding, as CInt and CLng do.
double roundHalfEven(double d)
{
    double r = std::nearbyint(d); // default rounding mode is to nearest, ties to even
    return r;
}

int32_t Value::toInt32() const
{
    if (m_type == Type::Long || m_type == Type::Integer || m_type == Type::Byte ||
        m_type == Type::Boolean)
        return static_cast<int32_t>(m_u.i64);
    double d = roundHalfEven(toDouble());
    if (!(d >= -2147483648.0 && d <= 2147483647.0))
        throw ScriptError{err::Overflow, errorText(err::Overflow)};
    return static_cast<int32_t>(d);
}

int16_t Value::toInt16() const
{
    double d = roundHalfEven(toDouble());
    if (!(d >= -32768.0 && d <= 32767.0))
        throw ScriptError{err::Overflow, errorText(err::Overflow)};
    return static_cast<int16_t>(d);
}

int64_t Value::toCurrency() const
{
    if (m_type == Type::Currency)
        return m_u.i64;
    if (m_type == Type::Integer || m_type == Type::Long || m_type == Type::Byte ||
        m_type == Type::Boolean)
        return m_u.i64 * 10000;
    double d = toDouble();
    if (!(std::fabs(d) < 922337203685477.5807))
        throw ScriptError{err::Overflow, errorText(err::Overflow)};
    // Whole part and fraction apart, so that large amounts keep their last digits.
    double whole = std::trunc(d);
    return static_cast<int64_t>(whole) * 10000 +
           static_cast<int64_t>(roundHalfEven((d - whole) * 10000.0));
}

double Value::toDate() const
{
    double d;
    if (m_type == Type::String) {
        if (parseDate(m_u.str->s, d))
            return d;
        if (!parseNumber(m_u.str->s, d))
            throw ScriptError{err::TypeMismatch, errorText(err::TypeMismatch)};
    } else {
        d = toDouble();
    }
    if (!inDateRange(d))
        throw ScriptError{err::Overflow, errorText(err::Overflow)};
    return d;
}

std::shared_ptr<HostObject> Value::toObject() const
{
    if (m_type == Type::Ref)
        return m_u.ref->toObject();
    if (m_type != Type::Object)
        throw ScriptError{err::ObjectRequired, errorText(err::ObjectRequired)};
    if (!m_u.obj)
        throw ScriptError{err::ObjectNotSet, errorText(err::ObjectNotSet)};
    return m_u.obj->obj;
}

} // namespace vbs
