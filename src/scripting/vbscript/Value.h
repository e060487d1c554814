#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace vbs {

class HostObject;

// VarType numbers, so that VarType() can return the tag itself.
enum class Type : uint16_t {
    Empty = 0,
    Null = 1,
    Integer = 2,
    Long = 3,
    Single = 4,
    Double = 5,
    Currency = 6,
    Date = 7,
    String = 8,
    Object = 9,
    Error = 10,
    Boolean = 11,
    Byte = 17,
    Array = 8204,
    Ref = 250 // internal: a by-reference parameter slot pointing at the caller's variable
};

// Shared text; unique ownership lets `s = s & x` append in place.
struct StrRep {
    int refs = 1;
    std::u16string s;
    // The byte functions (ChrB, MidB...) make strings of an odd number of bytes: the last,
    // lone byte is kept here, -1 when there is none. Only they and concatenation see it.
    int16_t loneByte = -1;
};

class Value;

struct ArrayRep {
    int refs = 1;
    std::vector<int32_t> upper; // upper bound of each dimension; lower bounds are always 0
    std::vector<Value> data;    // first dimension varies fastest
    bool fixed = false;
    int locks = 0; // references to elements lent out, see ArrayLock
};

struct ObjRep {
    int refs = 1;
    std::shared_ptr<HostObject> obj;
};

// The Variant: a 16-byte tagged union with reference-counted strings, arrays and objects.
class Value {
public:
    Value()
        : m_type(Type::Empty)
    {
        m_u.i64 = 0;
    }
    Value(bool b)
        : m_type(Type::Boolean)
    {
        m_u.i64 = b ? -1 : 0;
    }
    Value(int32_t i)
        : m_type(Type::Long)
    {
        m_u.i64 = i;
    }
    Value(double d)
        : m_type(Type::Double)
    {
        m_u.d = d;
    }
    Value(const std::string &utf8);
    Value(const char *utf8)
        : Value(std::string(utf8))
    {}
    Value(std::u16string s);
    Value(std::shared_ptr<HostObject> obj);
    Value(const Value &o)
        : m_type(o.m_type)
        , m_u(o.m_u)
    {
        retain();
    }
    Value(Value &&o) noexcept
        : m_type(o.m_type)
        , m_u(o.m_u)
    {
        o.m_type = Type::Empty;
    }
    ~Value() { release(); }
    Value &operator=(const Value &o)
    {
        if (o.m_type == Type::Array) {
            Value copy(o); // a locked array is copied in full
            return *this = std::move(copy);
        }
        if (this != &o) {
            o.retainConst();
            release();
            m_type = o.m_type;
            m_u = o.m_u;
        }
        return *this;
    }
    [[gnu::always_inline]] Value &operator=(Value &&o) noexcept
    {
        if (this != &o) {
            release();
            m_type = o.m_type;
            m_u = o.m_u;
            o.m_type = Type::Empty;
        }
        return *this;
    }

    static Value empty() { return Value(); }
    static Value null()
    {
        Value v;
        v.m_type = Type::Null;
        return v;
    }
    static Value nothing()
    {
        Value v;
        v.m_type = Type::Object;
        v.m_u.obj = nullptr;
        return v;
    }
    static Value integer(int16_t i)
    {
        Value v;
        v.m_type = Type::Integer;
        v.m_u.i64 = i;
        return v;
    }
    static Value byte(uint8_t b)
    {
        Value v;
        v.m_type = Type::Byte;
        v.m_u.i64 = b;
        return v;
    }
    static Value single(float f)
    {
        Value v;
        v.m_type = Type::Single;
        v.m_u.d = f;
        return v;
    }
    static Value date(double d)
    {
        Value v;
        v.m_type = Type::Date;
        v.m_u.d = d;
        return v;
    }
    // Currency scaled by 10000.
    static Value currency(int64_t scaled)
    {
        Value v;
        v.m_type = Type::Currency;
        v.m_u.i64 = scaled;
        return v;
    }
    static Value error(int32_t code)
    {
        Value v;
        v.m_type = Type::Error;
        v.m_u.i64 = code;
        return v;
    }
    static Value array(std::vector<int32_t> upper);
    static Value ref(Value *target)
    {
        Value v;
        v.m_type = Type::Ref;
        v.m_u.ref = target;
        return v;
    }

    Type type() const { return m_type; }
    bool isEmpty() const { return m_type == Type::Empty; }
    bool isNull() const { return m_type == Type::Null; }
    bool isString() const { return m_type == Type::String; }
    bool isArray() const { return m_type == Type::Array; }
    bool isObject() const { return m_type == Type::Object; }
    bool isNothing() const { return m_type == Type::Object && !m_u.obj; }
    bool isNumeric() const; // a number type (no strings)

    // Conversions with VBScript's rules; they throw vbs::ScriptError on failure.
    std::string toString() const; // UTF-8
    std::u16string toU16() const;
    double toDouble() const;
    bool toBool() const;
    int32_t toInt32() const;
    int16_t toInt16() const;
    int64_t toCurrency() const;
    double toDate() const;
    std::shared_ptr<HostObject> toObject() const; // throws 424 when not an object
    HostObject *objectPtr() const { return m_u.obj ? m_u.obj->obj.get() : nullptr; }

    // Raw access for the interpreter.
    int64_t rawInt() const { return m_u.i64; }
    double rawDouble() const { return m_u.d; }
    const std::u16string &str() const { return m_u.str->s; }
    StrRep *strRep() const { return m_u.str; }
    ArrayRep *arrayRep() const { return m_u.arr; }
    Value *refTarget() const { return m_u.ref; }
    // Makes the string uniquely owned and returns it for in-place change.
    std::u16string &mutableStr();
    // The text as bytes: each UTF-16 code unit low byte first, then a lone byte if any.
    std::string bytes() const;
    static Value fromBytes(const std::string &bytes);
    bool hasLoneByte() const { return m_type == Type::String && m_u.str->loneByte >= 0; }
    // Makes the array uniquely owned (copy-on-write) and returns it.
    ArrayRep *mutableArray();

private:
    void retain()
    {
        switch (m_type) {
        case Type::String:
            ++m_u.str->refs;
            break;
        case Type::Array:
            if (m_u.arr->locks)
                m_u.arr = cloneArray(*m_u.arr);
            else
                ++m_u.arr->refs;
            break;
        case Type::Object:
            if (m_u.obj)
                ++m_u.obj->refs;
            break;
        default:
            break;
        }
    }
    void retainConst() const { const_cast<Value *>(this)->retain(); }
    [[gnu::always_inline]] void release()
    {
        if (m_type == Type::String || m_type == Type::Array || m_type == Type::Object)
            releaseSlow();
    }
    void releaseSlow();
    static ArrayRep *cloneArray(const ArrayRep &a);

    Type m_type;
    union U {
        int64_t i64;
        double d;
        StrRep *str;
        ArrayRep *arr;
        ObjRep *obj;
        Value *ref;
    } m_u;
};

// Keeps an array where it is while a reference to one of its elements is lent out (ByRef):
// the array is not freed, writes through its variable go to it rather than to a copy, and
// copies of it are made in full instead of shared. The interpreter refuses to ReDim, Erase or
// replace a locked array, as VBScript does.
class ArrayLock {
public:
    explicit ArrayLock(const Value &array)
        : m_rep(array.arrayRep())
    {
        ++m_rep->refs;
        ++m_rep->locks;
    }
    ArrayLock(ArrayLock &&o) noexcept
        : m_rep(std::exchange(o.m_rep, nullptr))
    {}
    ArrayLock(const ArrayLock &) = delete;
    ArrayLock &operator=(const ArrayLock &) = delete;
    ArrayLock &operator=(ArrayLock &&) = delete;
    ~ArrayLock();

private:
    ArrayRep *m_rep;
};

// Numbers as script text writes them, whatever locale the C library follows: a decimal point,
// an optional exponent. formatNumber gives at most `digits` significant digits ("1E+20").
double parseDecimal(const std::string &text);
std::string formatNumber(double d, int digits);

// The longest string scripts may build: 128 Mi characters, 256 MB. VBScript's own strings
// reach nearly 2^31 characters, but one of those takes 4 GB and longer to fill than the whole
// time-out, and a script that doubles a string would hold three times the limit at the last
// step; the builders refuse past this with "Out of string space" before they allocate.
constexpr size_t kMaxStringLength = size_t(1) << 27;
// Throws "Out of string space" for a string that long.
void checkStringLength(size_t length);
// Throws "Out of memory" for an array of that many elements, each holding bytesEach more of
// its own (the text of a string element, say) besides its slot.
void checkArraySize(size_t elements, size_t bytesEach = 0);

// UTF conversion at the API boundary.
std::u16string fromUtf8(const std::string &s);
std::string toUtf8(const std::u16string &s);

} // namespace vbs
