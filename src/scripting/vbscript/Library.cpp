#include "Library.h"

#include "DateTime.h"
#include "Errors.h"
#include "HostObject.h"
#include "Interpreter.h"
#include "Ops.h"
#include "Utf16.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <unordered_map>

namespace vbs {

bool parseNumber(const std::u16string &text, double &out);
double roundHalfEven(double d);

namespace {

[[noreturn]] void fail(int number)
{
    throw ScriptError{number, errorText(number)};
}

bool missing(const Value *a, int n, int i)
{
    return i >= n || a[i].type() == Type::Error;
}

std::u16string s16(const Value &v)
{
    return v.toU16();
}

int64_t lng(const Value &v)
{
    if (v.isNull())
        fail(err::InvalidUseOfNull);
    return v.toInt32();
}

bool textMode(const Value *a, int n, int i)
{
    if (missing(a, n, i))
        return false;
    // vbDatabaseCompare means nothing without a database.
    const int64_t mode = lng(a[i]);
    if (mode != 0 && mode != 1)
        fail(err::InvalidCall);
    return mode == 1;
}

Value str(std::u16string s)
{
    return Value(std::move(s));
}

std::u16string ascii16(const std::string &s)
{
    return std::u16string(s.begin(), s.end());
}

size_t findText(const std::u16string &hay, const std::u16string &needle, size_t from, bool text)
{
    if (!text)
        return hay.find(needle, from);
    std::u16string h = lower(hay), nd = lower(needle);
    return h.find(nd, from);
}

size_t rfindText(const std::u16string &hay, const std::u16string &needle, size_t from, bool text)
{
    if (!text)
        return hay.rfind(needle, from);
    return lower(hay).rfind(lower(needle), from);
}

// --- strings
Value fLen(Interpreter &, Value *a, int)
{
    if (a[0].isNull())
        return Value::null();
    return Value(static_cast<int32_t>(s16(a[0]).size()));
}
Value fLeft(Interpreter &, Value *a, int)
{
    if (a[0].isNull())
        return Value::null();
    int64_t k = lng(a[1]);
    if (k < 0)
        fail(err::InvalidCall);
    std::u16string s = s16(a[0]);
    return str(s.substr(0, std::min<size_t>(k, s.size())));
}
Value fRight(Interpreter &, Value *a, int)
{
    if (a[0].isNull())
        return Value::null();
    int64_t k = lng(a[1]);
    if (k < 0)
        fail(err::InvalidCall);
    std::u16string s = s16(a[0]);
    size_t kk = std::min<size_t>(k, s.size());
    return str(s.substr(s.size() - kk));
}
Value fMid(Interpreter &, Value *a, int n)
{
    if (a[0].isNull())
        return Value::null();
    int64_t start = lng(a[1]);
    if (start < 1)
        fail(err::InvalidCall);
    std::u16string s = s16(a[0]);
    if (static_cast<size_t>(start) > s.size())
        return str(u"");
    if (missing(a, n, 2))
        return str(s.substr(start - 1));
    int64_t len = lng(a[2]);
    if (len < 0)
        fail(err::InvalidCall);
    return str(s.substr(start - 1, len));
}
Value fInStr(Interpreter &, Value *a, int n)
{
    int64_t start = 1;
    int i = 0;
    if (n >= 3) {
        if (a[0].isNull())
            fail(err::InvalidUseOfNull);
        start = lng(a[0]);
        if (start < 1)
            fail(err::InvalidCall);
        i = 1;
    }
    if (a[i].isNull() || a[i + 1].isNull())
        return Value::null();
    std::u16string hay = s16(a[i]), nd = s16(a[i + 1]);
    bool text = textMode(a, n, i + 2);
    if (static_cast<size_t>(start) > hay.size())
        return Value(static_cast<int32_t>(nd.empty() && hay.empty() && start == 1 ? 0 : 0));
    if (nd.empty())
        return Value(static_cast<int32_t>(start));
    size_t p = findText(hay, nd, start - 1, text);
    return Value(static_cast<int32_t>(p == std::u16string::npos ? 0 : p + 1));
}
Value fInStrRev(Interpreter &, Value *a, int n)
{
    std::u16string hay = s16(a[0]), nd = s16(a[1]);
    int64_t start = missing(a, n, 2) ? -1 : lng(a[2]);
    if (start == 0 || start < -1)
        fail(err::InvalidCall);
    const bool text = textMode(a, n, 3);
    if (start == -1)
        start = static_cast<int64_t>(hay.size());
    if (static_cast<size_t>(start) > hay.size())
        return Value(static_cast<int32_t>(0));
    if (nd.empty())
        return Value(static_cast<int32_t>(start));
    if (static_cast<size_t>(start) < nd.size())
        return Value(static_cast<int32_t>(0));
    size_t p = rfindText(hay, nd, start - nd.size(), text);
    return Value(static_cast<int32_t>(p == std::u16string::npos ? 0 : p + 1));
}
Value fLCase(Interpreter &, Value *a, int)
{
    if (a[0].isNull())
        return Value::null();
    return str(lower(s16(a[0])));
}
Value fUCase(Interpreter &, Value *a, int)
{
    if (a[0].isNull())
        return Value::null();
    return str(upper(s16(a[0])));
}
std::u16string trim(const std::u16string &s, bool left, bool right)
{
    size_t b = 0, e = s.size();
    if (left)
        while (b < e && s[b] == ' ')
            ++b;
    if (right)
        while (e > b && s[e - 1] == ' ')
            --e;
    return s.substr(b, e - b);
}
Value fTrim(Interpreter &, Value *a, int)
{
    return a[0].isNull() ? Value::null() : str(trim(s16(a[0]), true, true));
}
Value fLTrim(Interpreter &, Value *a, int)
{
    return a[0].isNull() ? Value::null() : str(trim(s16(a[0]), true, false));
}
Value fRTrim(Interpreter &, Value *a, int)
{
    return a[0].isNull() ? Value::null() : str(trim(s16(a[0]), false, true));
}
Value fReplace(Interpreter &, Value *a, int n)
{
    std::u16string s = s16(a[0]), find = s16(a[1]), with = s16(a[2]);
    int64_t start = missing(a, n, 3) ? 1 : lng(a[3]);
    int64_t count = missing(a, n, 4) ? -1 : lng(a[4]);
    if (start < 1 || count < -1)
        fail(err::InvalidCall);
    bool text = textMode(a, n, 5);
    if (static_cast<size_t>(start) > s.size())
        return str(u"");
    s = s.substr(start - 1);
    if (find.empty() || count == 0)
        return str(s);
    std::u16string out;
    std::u16string hay = text ? lower(s) : s, nd = text ? lower(find) : find;
    // The matches are counted first, so that a result too long is refused before it is made.
    auto forEachMatch = [&](auto &&match) {
        size_t pos = 0;
        for (int64_t done = 0; count == -1 || done < count; ++done) {
            const size_t p = hay.find(nd, pos);
            if (p == std::u16string::npos)
                break;
            match(pos, p);
            pos = p + find.size();
        }
        return pos;
    };
    size_t matches = 0;
    forEachMatch([&](size_t, size_t) { ++matches; });
    const size_t grows = with.size() > find.size() ? with.size() - find.size() : 0;
    if (grows && (s.size() > kMaxStringLength || matches > (kMaxStringLength - s.size()) / grows))
        fail(err::OutOfStringSpace);
    out.reserve(s.size() + matches * with.size() - matches * find.size());
    const size_t rest = forEachMatch([&](size_t from, size_t at) {
        out.append(s, from, at - from);
        out += with;
    });
    out.append(s, rest, std::u16string::npos);
    return str(out);
}
Value makeStringArray(const std::vector<std::u16string> &parts)
{
    Value arr = Value::array({static_cast<int32_t>(parts.size()) - 1});
    ArrayRep *r = arr.mutableArray();
    for (size_t i = 0; i < parts.size(); ++i)
        r->data[i] = Value(parts[i]);
    return arr;
}
Value fSplit(Interpreter &, Value *a, int n)
{
    std::u16string s = s16(a[0]);
    std::u16string d = missing(a, n, 1) ? u" " : s16(a[1]);
    int64_t count = missing(a, n, 2) ? -1 : lng(a[2]);
    if (count < -1)
        fail(err::InvalidCall);
    bool text = textMode(a, n, 3);
    std::vector<std::u16string> parts;
    if (s.empty())
        return makeStringArray(parts);
    if (d.empty()) {
        parts.push_back(s);
        return makeStringArray(parts);
    }
    // Lowered once rather than for every delimiter.
    const std::u16string loweredText = text ? lower(s) : std::u16string();
    const std::u16string &hay = text ? loweredText : s;
    const std::u16string needle = text ? lower(d) : d;
    // Where the parts end, counted before any is made: each costs far more than its
    // characters, and a string of commas must not use up the memory before it is refused.
    auto forEachCut = [&](auto &&cut) {
        size_t pos = 0;
        for (int64_t made = 0; count == -1 || made < count - 1; ++made) {
            const size_t p = hay.find(needle, pos);
            if (p == std::u16string::npos)
                break;
            cut(pos, p);
            pos = p + d.size();
        }
        return pos;
    };
    size_t cuts = 0;
    forEachCut([&](size_t, size_t) { ++cuts; });
    const size_t total = cuts + (count != 0 ? 1 : 0);
    checkArraySize(total, sizeof(StrRep) + 16);
    Value arr = Value::array({static_cast<int32_t>(total) - 1});
    ArrayRep *r = arr.mutableArray();
    size_t i = 0;
    const size_t last = forEachCut(
        [&](size_t from, size_t to) { r->data[i++] = Value(s.substr(from, to - from)); });
    if (count != 0)
        r->data[i] = Value(s.substr(last));
    return arr;
}
const ArrayRep *oneDim(const Value &v)
{
    if (!v.isArray())
        fail(err::TypeMismatch);
    const ArrayRep *r = v.arrayRep();
    if (r->upper.size() > 1)
        fail(err::SubscriptRange);
    return r;
}
Value fJoin(Interpreter &, Value *a, int n)
{
    if (a[0].isObject() && a[0].objectPtr()) {
        if (!a[0].objectPtr()->hasMember(""))
            fail(err::NoSuchMember);
        a[0] = defaultOf(a[0]);
    }
    if (a[0].isNull())
        fail(err::InvalidUseOfNull);
    if (a[0].isArray() && a[0].arrayRep()->upper.size() > 1)
        fail(err::TypeMismatch);
    const ArrayRep *r = oneDim(a[0]);
    std::u16string d = missing(a, n, 1) ? u" " : s16(a[1]);
    // The length of the strings is known before any is copied; an array of one long string
    // many times over is refused without the memory.
    const size_t delimiters = r->data.empty() ? 0 : r->data.size() - 1;
    if (!d.empty() && delimiters > kMaxStringLength / d.size())
        fail(err::OutOfStringSpace);
    size_t length = delimiters * d.size();
    for (const Value &element : r->data) {
        if (element.isString())
            checkStringLength(length += element.str().size());
    }
    std::u16string out;
    for (size_t i = 0; i < r->data.size(); ++i) {
        if (i)
            out += d;
        if (r->data[i].isString()) {
            out += r->data[i].str();
        } else {
            const Value &element = r->data[i];
            if (element.isNull())
                fail(err::TypeMismatch);
            if (element.isObject() && element.objectPtr() && !element.objectPtr()->hasMember(""))
                fail(err::NoSuchMember);
            out += element.toU16();
            checkStringLength(out.size()); // numbers and dates: a few characters each
        }
    }
    return str(out);
}
Value fStrReverse(Interpreter &, Value *a, int)
{
    if (a[0].isNull())
        fail(err::InvalidUseOfNull);
    std::u16string s = s16(a[0]);
    std::reverse(s.begin(), s.end());
    return str(s);
}
Value fStrComp(Interpreter &, Value *a, int n)
{
    const bool text = textMode(a, n, 2);
    if (a[0].isNull() || a[1].isNull())
        return Value::null();
    return Value::integer(static_cast<int16_t>(compareText(s16(a[0]), s16(a[1]), text)));
}
// Chr and Asc speak the Windows code page VBScript's users have, Windows-1252: its bytes
// 0x80-0x9F stand for these characters; every other byte is the same code point in Unicode.
const char16_t kWindows1252[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                   0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                   0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                   0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
char16_t fromWindows1252(int64_t byte)
{
    return byte >= 0x80 && byte < 0xA0 ? kWindows1252[byte - 0x80] : static_cast<char16_t>(byte);
}
int toWindows1252(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i)
        if (kWindows1252[i] == c)
            return 0x80 + i;
    return '?'; // not in the code page
}
Value fString(Interpreter &, Value *a, int)
{
    if (a[0].isNull() || a[1].isNull())
        return Value::null();
    int64_t k = lng(a[0]);
    if (k < 0)
        fail(err::InvalidCall);
    char16_t c;
    if (a[1].isString()) {
        if (a[1].str().empty())
            fail(err::InvalidCall);
        c = a[1].str()[0];
    } else {
        c = fromWindows1252(lng(a[1]) & 0xFF);
    }
    checkStringLength(static_cast<size_t>(k));
    return str(std::u16string(k, c));
}
Value fSpace(Interpreter &, Value *a, int)
{
    int64_t k = lng(a[0]);
    if (k < 0)
        fail(err::InvalidCall);
    checkStringLength(static_cast<size_t>(k));
    return str(std::u16string(k, u' '));
}
Value fAsc(Interpreter &, Value *a, int)
{
    if (a[0].isNull())
        fail(err::InvalidUseOfNull);
    std::u16string s = s16(a[0]);
    if (s.empty())
        fail(err::InvalidCall);
    return Value::integer(static_cast<int16_t>(toWindows1252(s[0])));
}
Value fAscW(Interpreter &, Value *a, int)
{
    if (a[0].isNull())
        fail(err::InvalidUseOfNull);
    std::u16string s = s16(a[0]);
    if (s.empty())
        fail(err::InvalidCall);
    return Value::integer(static_cast<int16_t>(s[0]));
}
Value fChr(Interpreter &, Value *a, int)
{
    int64_t c = lng(a[0]);
    if (c < 0 || c > 255)
        fail(err::InvalidCall);
    return str(std::u16string(1, fromWindows1252(c)));
}

// The B functions see a string as its bytes: two to a UTF-16 code unit, low byte first.
Value fLenB(Interpreter &, Value *a, int)
{
    if (a[0].isNull())
        return Value::null();
    return Value(static_cast<int32_t>(a[0].bytes().size()));
}
Value fLeftB(Interpreter &, Value *a, int)
{
    if (a[0].isNull())
        return Value::null();
    int64_t k = lng(a[1]);
    if (k < 0)
        fail(err::InvalidCall);
    return Value::fromBytes(a[0].bytes().substr(0, k));
}
Value fRightB(Interpreter &, Value *a, int)
{
    if (a[0].isNull())
        return Value::null();
    int64_t k = lng(a[1]);
    if (k < 0)
        fail(err::InvalidCall);
    std::string b = a[0].bytes();
    return Value::fromBytes(b.substr(b.size() - std::min<size_t>(k, b.size())));
}
Value fMidB(Interpreter &, Value *a, int n)
{
    if (a[0].isNull())
        return Value::null();
    int64_t start = lng(a[1]);
    if (start < 1)
        fail(err::InvalidCall);
    std::string b = a[0].bytes();
    if (static_cast<size_t>(start) > b.size())
        return str(u"");
    if (missing(a, n, 2))
        return Value::fromBytes(b.substr(start - 1));
    int64_t len = lng(a[2]);
    if (len < 0)
        fail(err::InvalidCall);
    return Value::fromBytes(b.substr(start - 1, len));
}
Value fInStrB(Interpreter &, Value *a, int n)
{
    int64_t start = 1;
    int i = 0;
    if (n >= 3) {
        if (a[0].isNull())
            fail(err::InvalidUseOfNull);
        start = lng(a[0]);
        if (start < 1)
            fail(err::InvalidCall);
        i = 1;
    }
    if (a[i].isNull() || a[i + 1].isNull())
        return Value::null();
    std::string hay = a[i].bytes(), needle = a[i + 1].bytes();
    if (static_cast<size_t>(start) > hay.size())
        return Value(static_cast<int32_t>(0));
    if (needle.empty())
        return Value(static_cast<int32_t>(start));
    size_t p = hay.find(needle, start - 1);
    return Value(static_cast<int32_t>(p == std::string::npos ? 0 : p + 1));
}
Value fAscB(Interpreter &, Value *a, int)
{
    if (a[0].isNull())
        fail(err::InvalidUseOfNull);
    std::string b = a[0].bytes();
    if (b.empty())
        fail(err::InvalidCall);
    return Value::integer(static_cast<unsigned char>(b[0]));
}
Value fChrB(Interpreter &, Value *a, int)
{
    int64_t c = lng(a[0]);
    if (c < 0 || c > 255)
        fail(err::InvalidCall);
    return Value::fromBytes(std::string(1, static_cast<char>(c)));
}
Value fChrW(Interpreter &, Value *a, int)
{
    int64_t c = lng(a[0]);
    if (c < -32768 || c > 65535)
        fail(err::InvalidCall);
    return str(std::u16string(1, static_cast<char16_t>(c & 0xFFFF)));
}
Value fFilter(Interpreter &, Value *a, int n)
{
    const ArrayRep *r = oneDim(a[0]);
    std::u16string v = s16(a[1]);
    bool include = missing(a, n, 2) ? true : a[2].toBool();
    bool text = textMode(a, n, 3);
    std::vector<std::u16string> out;
    for (auto &e : r->data) {
        std::u16string s = e.toU16();
        bool has = findText(s, v, 0, text) != std::u16string::npos;
        if (has == include)
            out.push_back(s);
    }
    return makeStringArray(out);
}

std::string groupDigits(const std::string &intPart)
{
    std::string out;
    int c = 0;
    for (size_t i = intPart.size(); i-- > 0;) {
        out.insert(out.begin(), intPart[i]);
        if (++c % 3 == 0 && i > 0)
            out.insert(out.begin(), ',');
    }
    return out;
}

// The shared body of FormatNumber, FormatCurrency and FormatPercent.
std::string formatFixed(double d, int digits, int leading, int parens, int group)
{
    if (digits < 0)
        digits = 2;
    double scale = std::pow(10.0, digits);
    double r = std::round(std::fabs(d) * scale) / scale;
    bool neg = d < 0 && r != 0;
    char buf[400];
    const auto [end, ec] =
        std::to_chars(buf, buf + sizeof buf, r, std::chars_format::fixed, digits);
    if (ec != std::errc())
        fail(err::InvalidCall);
    std::string s(buf, end);
    std::string ip = s, fp;
    size_t dot = s.find('.');
    if (dot != std::string::npos) {
        ip = s.substr(0, dot);
        fp = s.substr(dot);
    }
    if (group != 0)
        ip = groupDigits(ip);
    if (ip == "0" && leading == 0)
        ip = "";
    std::string body = ip + fp;
    if (neg)
        return parens == -1 ? "(" + body + ")" : "-" + body;
    return body;
}
int optInt(const Value *a, int n, int i, int def)
{
    return missing(a, n, i) ? def : static_cast<int>(lng(a[i]));
}
Value fFormatNumber(Interpreter &, Value *a, int n)
{
    if (a[0].isNull())
        fail(err::TypeMismatch);
    return Value(formatFixed(a[0].toDouble(), optInt(a, n, 1, 2), optInt(a, n, 2, -1),
                             optInt(a, n, 3, 0), optInt(a, n, 4, -1)));
}
Value fFormatCurrency(Interpreter &, Value *a, int n)
{
    if (a[0].isNull())
        fail(err::TypeMismatch);
    double d = a[0].toDouble();
    std::string body =
        formatFixed(std::fabs(d), optInt(a, n, 1, 2), optInt(a, n, 2, -1), 0, optInt(a, n, 4, -1));
    int parens = optInt(a, n, 3, -1);
    if (d < 0 && body.find_first_not_of("0.,") != std::string::npos)
        return Value(parens == 0 ? "-$" + body : "($" + body + ")");
    return Value("$" + body);
}
Value fFormatPercent(Interpreter &, Value *a, int n)
{
    if (a[0].isNull())
        fail(err::TypeMismatch);
    return Value(formatFixed(a[0].toDouble() * 100, optInt(a, n, 1, 2), optInt(a, n, 2, -1),
                             optInt(a, n, 3, 0), optInt(a, n, 4, -1)) +
                 "%");
}
Value fFormatDateTime(Interpreter &, Value *a, int n)
{
    if (a[0].isNull())
        fail(err::TypeMismatch);
    double d = a[0].toDate();
    switch (optInt(a, n, 1, 0)) {
    case 0:
        return Value(formatDate(d));
    case 1:
        return Value(formatLongDate(d));
    case 2:
        return Value(formatShortDate(d));
    case 3:
        return Value(formatTime(d));
    case 4: {
        int h, m, s;
        splitTime(d, h, m, s);
        char buf[16];
        std::snprintf(buf, sizeof buf, "%02d:%02d", h, m);
        return Value(std::string(buf));
    }
    default:
        fail(err::InvalidCall);
    }
}
// Hex and Oct: 16-bit values print as 16 bits, everything else as a 32-bit Long.
Value radixString(const Value &v, const char *format)
{
    if (v.isNull())
        return Value::null();
    char buf[32];
    if (v.type() == Type::Integer || v.type() == Type::Byte || v.isEmpty() ||
        v.type() == Type::Boolean)
        std::snprintf(buf, sizeof buf, format, static_cast<unsigned>(v.rawInt() & 0xFFFF));
    else
        std::snprintf(buf, sizeof buf, format, static_cast<uint32_t>(v.toInt32()));
    return Value(std::string(buf));
}
Value fHex(Interpreter &, Value *a, int)
{
    return radixString(a[0], "%X");
}
Value fOct(Interpreter &, Value *a, int)
{
    return radixString(a[0], "%o");
}
Value fEscape(Interpreter &, Value *a, int)
{
    if (a[0].isNull())
        return Value::null();
    std::u16string s = s16(a[0]), out;
    const char *keep = "@*_+-./";
    auto kept = [keep](char16_t c) {
        return c < 128 && (isalnum(c) || std::strchr(keep, static_cast<char>(c)));
    };
    size_t length = 0;
    for (char16_t c : s)
        length += kept(c) ? 1 : c < 256 ? 3 : 6;
    checkStringLength(length);
    out.reserve(length);
    for (char16_t c : s) {
        if (kept(c)) {
            out.push_back(c);
        } else {
            char buf[8];
            if (c < 256)
                std::snprintf(buf, sizeof buf, "%%%02X", static_cast<unsigned>(c));
            else
                std::snprintf(buf, sizeof buf, "%%u%04X", static_cast<unsigned>(c));
            out += ascii16(buf);
        }
    }
    return str(out);
}
Value fUnescape(Interpreter &, Value *a, int)
{
    if (a[0].isNull())
        return Value::null();
    std::u16string s = s16(a[0]), out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 5 < s.size() + 0 && (s[i + 1] == 'u' || s[i + 1] == 'U')) {
            int v = 0;
            bool ok = true;
            for (int k = 2; k < 6; ++k) {
                int h = hexDigit(s[i + k]);
                ok = ok && h >= 0;
                v = v * 16 + h;
            }
            if (ok) {
                out.push_back(static_cast<char16_t>(v));
                i += 5;
                continue;
            }
        }
        if (s[i] == '%' && i + 2 < s.size() && hexDigit(s[i + 1]) >= 0 && hexDigit(s[i + 2]) >= 0) {
            out.push_back(static_cast<char16_t>(hexDigit(s[i + 1]) * 16 + hexDigit(s[i + 2])));
            i += 2;
            continue;
        }
        out.push_back(s[i]);
    }
    return str(out);
}

// --- conversions
void noNull(const Value &v)
{
    if (v.isNull())
        fail(err::InvalidUseOfNull);
}
Value fCBool(Interpreter &, Value *a, int)
{
    noNull(a[0]);
    return Value(a[0].toBool());
}
Value fCByte(Interpreter &, Value *a, int)
{
    noNull(a[0]);
    if (a[0].type() == Type::Boolean) // True's bits, all ones
        return Value::byte(a[0].rawInt() ? 255 : 0);
    double d = roundHalfEven(a[0].toDouble());
    if (d < 0 || d > 255)
        fail(err::Overflow);
    return Value::byte(static_cast<uint8_t>(d));
}
Value fCInt(Interpreter &, Value *a, int)
{
    noNull(a[0]);
    return Value::integer(a[0].toInt16());
}
Value fCLng(Interpreter &, Value *a, int)
{
    noNull(a[0]);
    return Value(a[0].toInt32());
}
Value fCSng(Interpreter &, Value *a, int)
{
    noNull(a[0]);
    double d = a[0].toDouble();
    if (std::fabs(d) > 3.402823466e38)
        fail(err::Overflow);
    return Value::single(static_cast<float>(d));
}
Value fCDbl(Interpreter &, Value *a, int)
{
    noNull(a[0]);
    return Value(a[0].toDouble());
}
Value fCCur(Interpreter &, Value *a, int)
{
    noNull(a[0]);
    return Value::currency(a[0].toCurrency());
}
Value fCDate(Interpreter &, Value *a, int)
{
    noNull(a[0]);
    return Value::date(a[0].toDate());
}
Value fCStr(Interpreter &, Value *a, int)
{
    noNull(a[0]);
    return str(a[0].toU16());
}
Value roundLike(const Value &v, double r)
{
    switch (v.type()) {
    case Type::Integer:
    case Type::Long:
    case Type::Byte:
        return v;
    case Type::Boolean:
    case Type::Empty:
        return Value::integer(static_cast<int16_t>(v.rawInt()));
    case Type::Single:
        return Value::single(static_cast<float>(r));
    case Type::Currency:
        return Value::currency(static_cast<int64_t>(r * 10000));
    case Type::Date:
        return Value::date(r);
    default:
        return Value(r);
    }
}
Value fInt(Interpreter &, Value *a, int)
{
    if (a[0].isNull())
        return Value::null();
    return roundLike(a[0], std::floor(a[0].toDouble()));
}
Value fFix(Interpreter &, Value *a, int)
{
    if (a[0].isNull())
        return Value::null();
    return roundLike(a[0], std::trunc(a[0].toDouble()));
}
Value fRound(Interpreter &, Value *a, int n)
{
    if (a[0].isNull())
        return Value::null();
    int64_t digits = missing(a, n, 1) ? 0 : lng(a[1]);
    if (digits < 0)
        fail(err::InvalidCall);
    double d = a[0].toDouble();
    double scale = std::pow(10.0, static_cast<double>(digits));
    // Past 2^52 a double holds no fraction to round; scaling there would only add error, or
    // give infinity (Round(1e300, 20)) and NaN (Round(1.25, 400)).
    double scaled = d * scale;
    double r = std::isfinite(scaled) && std::fabs(scaled) < 4503599627370496.0
                   ? roundHalfEven(scaled) / scale
                   : d;
    if (a[0].isString())
        return Value(r);
    if (a[0].type() == Type::Boolean)
        return a[0];
    return roundLike(a[0], r);
}

// --- maths
Value fAbs(Interpreter &, Value *a, int)
{
    const Value &v = a[0];
    switch (v.type()) {
    case Type::Null:
        return Value::null();
    case Type::Empty:
        return Value::integer(0);
    case Type::Byte:
        return v;
    case Type::Integer:
    case Type::Long:
    case Type::Boolean:
        return fitInteger(std::llabs(v.rawInt()),
                          v.type() == Type::Long ? Type::Long : Type::Integer);
    case Type::Currency:
        return Value::currency(std::llabs(v.rawInt()));
    case Type::Single:
        return Value::single(static_cast<float>(std::fabs(v.rawDouble())));
    default:
        return Value(std::fabs(v.toDouble()));
    }
}
Value fSgn(Interpreter &, Value *a, int)
{
    noNull(a[0]);
    double d = a[0].toDouble();
    return Value::integer(static_cast<int16_t>(d > 0 ? 1 : (d < 0 ? -1 : 0)));
}
double num(const Value &v)
{
    noNull(v);
    return v.toDouble();
}
Value fSqr(Interpreter &, Value *a, int)
{
    double d = num(a[0]);
    if (d < 0)
        fail(err::InvalidCall);
    return Value(std::sqrt(d));
}
Value fExp(Interpreter &, Value *a, int)
{
    double r = std::exp(num(a[0]));
    if (std::isinf(r))
        fail(err::Overflow);
    return Value(r);
}
Value fLog(Interpreter &, Value *a, int)
{
    double d = num(a[0]);
    if (d <= 0)
        fail(err::InvalidCall);
    return Value(std::log(d));
}
Value fSin(Interpreter &, Value *a, int)
{
    return Value(std::sin(num(a[0])));
}
Value fCos(Interpreter &, Value *a, int)
{
    return Value(std::cos(num(a[0])));
}
Value fTan(Interpreter &, Value *a, int)
{
    return Value(std::tan(num(a[0])));
}
Value fAtn(Interpreter &, Value *a, int)
{
    return Value(std::atan(num(a[0])));
}
Value fRnd(Interpreter &in, Value *a, int n)
{
    return Value::single(static_cast<float>(in.nextRandom(n > 0 ? &a[0] : nullptr)));
}
Value fRGB(Interpreter &, Value *a, int)
{
    auto part = [&](int i) {
        int64_t v = lng(a[i]);
        if (v < 0)
            fail(err::InvalidCall);
        return std::min<int64_t>(v, 255);
    };
    return Value(static_cast<int32_t>(part(0) + part(1) * 256 + part(2) * 65536));
}

// --- dates
double dateArg(const Value &v)
{
    noNull(v);
    return v.toDate();
}
Value fNow(Interpreter &, Value *, int)
{
    return Value::date(nowLocal());
}
Value fDate(Interpreter &, Value *, int)
{
    return Value::date(std::floor(nowLocal()));
}
Value fTime(Interpreter &, Value *, int)
{
    double d = nowLocal();
    return Value::date(d - std::floor(d));
}
Value datePartValue(Value *a, int which)
{
    if (a[0].isNull())
        return Value::null();
    double d = dateArg(a[0]);
    int y, m, dd, h, mi, s;
    splitDate(d, y, m, dd);
    splitTime(d, h, mi, s);
    int v[] = {y, m, dd, h, mi, s};
    return Value::integer(static_cast<int16_t>(v[which]));
}
Value fYear(Interpreter &, Value *a, int)
{
    return datePartValue(a, 0);
}
Value fMonth(Interpreter &, Value *a, int)
{
    return datePartValue(a, 1);
}
Value fDay(Interpreter &, Value *a, int)
{
    return datePartValue(a, 2);
}
Value fHour(Interpreter &, Value *a, int)
{
    return datePartValue(a, 3);
}
Value fMinute(Interpreter &, Value *a, int)
{
    return datePartValue(a, 4);
}
Value fSecond(Interpreter &, Value *a, int)
{
    return datePartValue(a, 5);
}
int firstDay(const Value *a, int n, int i)
{
    int f = optInt(a, n, i, 1);
    if (f == 0)
        f = 1;
    if (f < 1 || f > 7)
        fail(err::InvalidCall);
    return f;
}
Value fWeekday(Interpreter &, Value *a, int n)
{
    if (a[0].isNull())
        return Value::null();
    int w = weekday(dateArg(a[0]));
    int f = firstDay(a, n, 1);
    return Value::integer(static_cast<int16_t>((w - f + 7) % 7 + 1));
}
Value fWeekdayName(Interpreter &, Value *a, int n)
{
    int d = static_cast<int>(lng(a[0]));
    bool abbr = !missing(a, n, 1) && a[1].toBool();
    int f = firstDay(a, n, 2);
    if (d < 1 || d > 7)
        fail(err::InvalidCall);
    int real = (d - 1 + f - 1) % 7 + 1;
    return Value(std::string(weekdayName(real, abbr)));
}
Value fMonthName(Interpreter &, Value *a, int n)
{
    int m = static_cast<int>(lng(a[0]));
    if (m < 1 || m > 12)
        fail(err::InvalidCall);
    return Value(std::string(monthName(m, !missing(a, n, 1) && a[1].toBool())));
}
// A date that a function computed, which must still lie in the years 100 to 9999.
Value madeDate(double d)
{
    if (!inDateRange(d))
        fail(err::InvalidCall);
    return Value::date(d);
}
Value fDateSerial(Interpreter &, Value *a, int)
{
    return madeDate(dateSerial(static_cast<int>(lng(a[0])), static_cast<int>(lng(a[1])),
                               static_cast<int>(lng(a[2]))));
}
Value fTimeSerial(Interpreter &, Value *a, int)
{
    return madeDate(timeSerial(static_cast<int>(lng(a[0])), static_cast<int>(lng(a[1])),
                               static_cast<int>(lng(a[2]))));
}
Value fDateValue(Interpreter &, Value *a, int)
{
    if (a[0].isNull())
        return Value::null();
    return Value::date(std::trunc(dateArg(a[0])));
}
Value fTimeValue(Interpreter &, Value *a, int)
{
    if (a[0].isNull())
        return Value::null();
    double d = dateArg(a[0]);
    return Value::date(std::fabs(d - std::trunc(d)));
}
Value fTimer(Interpreter &, Value *, int)
{
    auto now = std::chrono::system_clock::now();
    std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm tm{};
    localtime_r(&t, &tm);
    auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000;
    return Value::single(
        static_cast<float>(tm.tm_hour * 3600 + tm.tm_min * 60 + tm.tm_sec + ms / 1000.0));
}
std::string intervalOf(const Value &v)
{
    return lowerAscii(v.toString());
}
Value fDateAdd(Interpreter &, Value *a, int)
{
    std::string iv = intervalOf(a[0]);
    double k = num(a[1]);
    if (a[2].isNull())
        return Value::null();
    double d = dateArg(a[2]);
    // More than the range holds in seconds, and the counts below would overflow.
    if (!(std::fabs(k) < 1e12))
        fail(err::InvalidCall);
    int64_t kk = static_cast<int64_t>(std::trunc(k));
    int y, m, dd, h, mi, s;
    splitDate(d, y, m, dd);
    double timePart = std::fabs(d - std::trunc(d));
    if (iv == "yyyy" || iv == "q" || iv == "m") {
        int64_t months = iv == "yyyy" ? kk * 12 : (iv == "q" ? kk * 3 : kk);
        int64_t total = static_cast<int64_t>(y) * 12 + (m - 1) + months;
        int ny = static_cast<int>(total / 12), nm = static_cast<int>(total % 12) + 1;
        static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        int lim = days[nm - 1];
        if (nm == 2 && ((ny % 4 == 0 && ny % 100 != 0) || ny % 400 == 0))
            lim = 29;
        if (ny < 100 || ny > 9999)
            fail(err::InvalidCall);
        double base = dateSerial(ny, nm, std::min(dd, lim));
        return madeDate(base + (base < 0 ? -timePart : timePart));
    }
    double delta;
    if (iv == "y" || iv == "d" || iv == "w")
        delta = static_cast<double>(kk);
    else if (iv == "ww")
        delta = static_cast<double>(kk) * 7;
    else if (iv == "h")
        delta = static_cast<double>(kk) / 24.0;
    else if (iv == "n")
        delta = static_cast<double>(kk) / 1440.0;
    else if (iv == "s")
        delta = static_cast<double>(kk) / 86400.0;
    else
        fail(err::InvalidCall);
    (void)h;
    (void)mi;
    (void)s;
    return madeDate(dateFromLinear(linearFromDate(d) + delta));
}
Value fDateDiff(Interpreter &, Value *a, int n)
{
    std::string iv = intervalOf(a[0]);
    double d1 = dateArg(a[1]), d2 = dateArg(a[2]);
    int y1, m1, dd1, y2, m2, dd2;
    splitDate(d1, y1, m1, dd1);
    splitDate(d2, y2, m2, dd2);
    double r;
    if (iv == "yyyy")
        r = y2 - y1;
    else if (iv == "q")
        r = (y2 * 4 + (m2 - 1) / 3) - (y1 * 4 + (m1 - 1) / 3);
    else if (iv == "m")
        r = (y2 * 12 + m2) - (y1 * 12 + m1);
    else if (iv == "y" || iv == "d")
        r = std::floor(d2) - std::floor(d1);
    else if (iv == "w")
        r = std::trunc((std::floor(d2) - std::floor(d1)) / 7);
    else if (iv == "ww") {
        int f = firstDay(a, n, 3);
        auto weekStart = [&](double d) {
            double day = std::floor(d);
            int w = weekday(day);
            return day - ((w - f + 7) % 7);
        };
        r = (weekStart(d2) - weekStart(d1)) / 7;
    } else if (iv == "h")
        r = std::floor(d2 * 24 + 1e-9) - std::floor(d1 * 24 + 1e-9);
    else if (iv == "n")
        r = std::floor(d2 * 1440 + 1e-7) - std::floor(d1 * 1440 + 1e-7);
    else if (iv == "s")
        r = std::round(d2 * 86400) - std::round(d1 * 86400);
    else
        fail(err::InvalidCall);
    return Value(static_cast<int32_t>(r));
}
Value fDatePart(Interpreter &in, Value *a, int n)
{
    std::string iv = intervalOf(a[0]);
    double d = dateArg(a[1]);
    int y, m, dd, h, mi, s;
    splitDate(d, y, m, dd);
    splitTime(d, h, mi, s);
    int r;
    if (iv == "yyyy")
        r = y;
    else if (iv == "q")
        r = (m - 1) / 3 + 1;
    else if (iv == "m")
        r = m;
    else if (iv == "y")
        r = static_cast<int>(std::floor(d) - dateSerial(y, 1, 1)) + 1;
    else if (iv == "d")
        r = dd;
    else if (iv == "w") {
        Value args[2] = {a[1], missing(a, n, 2) ? Value::integer(1) : a[2]};
        return fWeekday(in, args, 2);
    } else if (iv == "ww") {
        int f = firstDay(a, n, 2);
        double jan1 = dateSerial(y, 1, 1);
        int w = weekday(jan1);
        double start = jan1 - ((w - f + 7) % 7);
        r = static_cast<int>((std::floor(d) - start) / 7) + 1;
    } else if (iv == "h")
        r = h;
    else if (iv == "n")
        r = mi;
    else if (iv == "s")
        r = s;
    else
        fail(err::InvalidCall);
    return Value::integer(static_cast<int16_t>(r));
}

// --- arrays
Value fArray(Interpreter &, Value *a, int n)
{
    Value arr = Value::array({n - 1});
    ArrayRep *r = arr.mutableArray();
    for (int i = 0; i < n; ++i)
        r->data[i] = a[i];
    return arr;
}
Value bound(Value *a, int n, bool upperBound)
{
    if (!a[0].isArray())
        fail(err::TypeMismatch);
    const ArrayRep *r = a[0].arrayRep();
    int64_t dim = missing(a, n, 1) ? 1 : lng(a[1]);
    if (dim < 1 || static_cast<size_t>(dim) > r->upper.size())
        fail(err::SubscriptRange);
    return Value(static_cast<int32_t>(upperBound ? r->upper[dim - 1] : 0));
}
Value fLBound(Interpreter &, Value *a, int n)
{
    return bound(a, n, false);
}
Value fUBound(Interpreter &, Value *a, int n)
{
    return bound(a, n, true);
}
Value fIsArray(Interpreter &, Value *a, int)
{
    return Value(a[0].isArray());
}

// --- type inspection
Value fIsEmpty(Interpreter &, Value *a, int)
{
    return Value(a[0].isEmpty());
}
Value fIsNull(Interpreter &, Value *a, int)
{
    return Value(a[0].isNull());
}
Value fIsNumeric(Interpreter &in, Value *a, int)
{
    const Value &v = a[0];
    switch (v.type()) {
    case Type::Empty:
    case Type::Integer:
    case Type::Long:
    case Type::Single:
    case Type::Double:
    case Type::Currency:
    case Type::Byte:
    case Type::Boolean:
        return Value(true);
    case Type::String: {
        double d; // "1e309" is no number: converting it overflows
        return Value(parseNumber(v.str(), d) && std::isfinite(d));
    }
    case Type::Object: {
        if (!v.objectPtr() || !v.objectPtr()->hasMember(""))
            return Value(false);
        Value inner = defaultOf(v);
        return fIsNumeric(in, &inner, 1);
    }
    default:
        return Value(false);
    }
}
Value fIsDate(Interpreter &, Value *a, int)
{
    if (a[0].type() == Type::Date)
        return Value(true);
    if (a[0].isString()) {
        double d;
        return Value(parseDate(a[0].str(), d));
    }
    return Value(false);
}
Value fIsObject(Interpreter &, Value *a, int)
{
    return Value(a[0].isObject());
}
Value fTypeName(Interpreter &, Value *a, int)
{
    return Value(typeName(a[0]));
}
Value fVarType(Interpreter &, Value *a, int)
{
    return Value::integer(static_cast<int16_t>(static_cast<int>(a[0].type())));
}

// --- host interaction
Value fMsgBox(Interpreter &in, Value *a, int n)
{
    std::string prompt = a[0].isNull() ? "Null" : a[0].toString();
    int buttons = optInt(a, n, 1, 0);
    std::string title = missing(a, n, 2) ? "VBScript" : a[2].toString();
    if (in.services().msgBox)
        return Value::integer(static_cast<int16_t>(in.services().msgBox(prompt, buttons, title)));
    if (in.services().echo)
        in.services().echo(prompt);
    return Value::integer(1);
}
Value fInputBox(Interpreter &in, Value *a, int n)
{
    std::string prompt = a[0].toString();
    std::string title = missing(a, n, 1) ? "VBScript" : a[1].toString();
    std::string def = missing(a, n, 2) ? "" : a[2].toString();
    if (!in.services().inputBox)
        return Value(def);
    std::string out;
    if (!in.services().inputBox(prompt, title, def, out))
        return Value(); // Cancel: Empty, which IsEmpty tells from an empty answer
    return Value(out);
}
Value fCreateObject(Interpreter &in, Value *a, int)
{
    return in.createObject(a[0].toString());
}
Value fGetObject(Interpreter &, Value *, int)
{
    fail(err::CantCreateObject);
}
// What GetRef hands out: an object whose default member calls the procedure.
class ProcedureReference : public HostObject {
public:
    ProcedureReference(Interpreter &in, Proc *proc)
        : m_in(in)
        , m_proc(proc)
        , m_code(in.codeLifetime())
    {}
    bool hasMember(const std::string &name) const override { return name.empty(); }
    Value invoke(const std::string &name, std::vector<Value> &args) override
    {
        if (!name.empty())
            fail(err::NoSuchMember);
        if (m_code.expired()) // the script it belonged to was reset
            fail(err::InvalidCall);
        return m_in.callMethod(m_proc, nullptr, args);
    }
    void setProperty(const std::string &, std::vector<Value> &, const Value &) override
    {
        fail(err::NoSuchMember);
    }

private:
    Interpreter &m_in;
    Proc *m_proc;
    std::weak_ptr<const void> m_code;
};
Value fGetRef(Interpreter &in, Value *a, int)
{
    Proc *p = in.procedure(lowerAscii(a[0].toString()));
    if (!p)
        fail(err::InvalidCall);
    return Value(std::shared_ptr<HostObject>(std::make_shared<ProcedureReference>(in, p)));
}
Value fEval(Interpreter &in, Value *a, int)
{
    return in.evalText(a[0].toString());
}
Value fExecute(Interpreter &in, Value *a, int)
{
    in.executeText(a[0].toString(), false);
    return Value();
}
Value fExecuteGlobal(Interpreter &in, Value *a, int)
{
    in.executeText(a[0].toString(), true);
    return Value();
}
Value fScriptEngine(Interpreter &, Value *, int)
{
    return Value("VBScript");
}
Value fScriptEngineMajor(Interpreter &, Value *, int)
{
    return Value(static_cast<int32_t>(5));
}
Value fScriptEngineMinor(Interpreter &, Value *, int)
{
    return Value(static_cast<int32_t>(8));
}
Value fScriptEngineBuild(Interpreter &, Value *, int)
{
    return Value(static_cast<int32_t>(16384));
}
Value fGetLocale(Interpreter &, Value *, int)
{
    return Value(static_cast<int32_t>(1033));
}
Value fSetLocale(Interpreter &, Value *, int)
{
    return Value(static_cast<int32_t>(1033));
}

const Builtin kBuiltins[] = {
    {"len", 1, 1, fLen},
    {"left", 2, 2, fLeft},
    {"right", 2, 2, fRight},
    {"mid", 2, 3, fMid},
    {"instr", 2, 4, fInStr},
    {"instrrev", 2, 4, fInStrRev},
    {"lcase", 1, 1, fLCase},
    {"ucase", 1, 1, fUCase},
    {"trim", 1, 1, fTrim},
    {"ltrim", 1, 1, fLTrim},
    {"rtrim", 1, 1, fRTrim},
    {"replace", 3, 6, fReplace},
    {"split", 1, 4, fSplit},
    {"join", 1, 2, fJoin},
    {"strreverse", 1, 1, fStrReverse},
    {"strcomp", 2, 3, fStrComp},
    {"string", 2, 2, fString},
    {"space", 1, 1, fSpace},
    {"asc", 1, 1, fAsc},
    {"ascw", 1, 1, fAscW},
    {"ascb", 1, 1, fAscB},
    {"chr", 1, 1, fChr},
    {"chrw", 1, 1, fChrW},
    {"chrb", 1, 1, fChrB},
    {"lenb", 1, 1, fLenB},
    {"leftb", 2, 2, fLeftB},
    {"rightb", 2, 2, fRightB},
    {"midb", 2, 3, fMidB},
    {"instrb", 2, 4, fInStrB},
    {"filter", 2, 4, fFilter},
    {"formatnumber", 1, 5, fFormatNumber},
    {"formatcurrency", 1, 5, fFormatCurrency},
    {"formatpercent", 1, 5, fFormatPercent},
    {"formatdatetime", 1, 2, fFormatDateTime},
    {"hex", 1, 1, fHex},
    {"oct", 1, 1, fOct},
    {"escape", 1, 1, fEscape},
    {"unescape", 1, 1, fUnescape},
    {"cbool", 1, 1, fCBool},
    {"cbyte", 1, 1, fCByte},
    {"cint", 1, 1, fCInt},
    {"clng", 1, 1, fCLng},
    {"csng", 1, 1, fCSng},
    {"cdbl", 1, 1, fCDbl},
    {"ccur", 1, 1, fCCur},
    {"cdate", 1, 1, fCDate},
    {"cstr", 1, 1, fCStr},
    {"int", 1, 1, fInt},
    {"fix", 1, 1, fFix},
    {"round", 1, 2, fRound},
    {"abs", 1, 1, fAbs},
    {"sgn", 1, 1, fSgn},
    {"sqr", 1, 1, fSqr},
    {"exp", 1, 1, fExp},
    {"log", 1, 1, fLog},
    {"sin", 1, 1, fSin},
    {"cos", 1, 1, fCos},
    {"tan", 1, 1, fTan},
    {"atn", 1, 1, fAtn},
    {"rnd", 0, 1, fRnd},
    {"rgb", 3, 3, fRGB},
    {"now", 0, 0, fNow},
    {"date", 0, 0, fDate},
    {"time", 0, 0, fTime},
    {"year", 1, 1, fYear},
    {"month", 1, 1, fMonth},
    {"day", 1, 1, fDay},
    {"hour", 1, 1, fHour},
    {"minute", 1, 1, fMinute},
    {"second", 1, 1, fSecond},
    {"weekday", 1, 2, fWeekday},
    {"weekdayname", 1, 3, fWeekdayName},
    {"monthname", 1, 2, fMonthName},
    {"dateadd", 3, 3, fDateAdd},
    {"datediff", 3, 5, fDateDiff},
    {"datepart", 2, 4, fDatePart},
    {"dateserial", 3, 3, fDateSerial},
    {"datevalue", 1, 1, fDateValue},
    {"timeserial", 3, 3, fTimeSerial},
    {"timevalue", 1, 1, fTimeValue},
    {"timer", 0, 0, fTimer},
    {"array", 0, INT_MAX, fArray},
    {"lbound", 1, 2, fLBound},
    {"ubound", 1, 2, fUBound},
    {"isarray", 1, 1, fIsArray},
    {"isempty", 1, 1, fIsEmpty},
    {"isnull", 1, 1, fIsNull},
    {"isnumeric", 1, 1, fIsNumeric},
    {"isdate", 1, 1, fIsDate},
    {"isobject", 1, 1, fIsObject},
    {"typename", 1, 1, fTypeName},
    {"vartype", 1, 1, fVarType},
    {"msgbox", 1, 5, fMsgBox},
    {"inputbox", 1, 7, fInputBox},
    {"createobject", 1, 2, fCreateObject},
    {"getobject", 0, 2, fGetObject},
    {"eval", 1, 1, fEval},
    {"getref", 1, 1, fGetRef},
    {"execute", 1, 1, fExecute},
    {"executeglobal", 1, 1, fExecuteGlobal},
    {"scriptengine", 0, 0, fScriptEngine},
    {"scriptenginemajorversion", 0, 0, fScriptEngineMajor},
    {"scriptengineminorversion", 0, 0, fScriptEngineMinor},
    {"scriptenginebuildversion", 0, 0, fScriptEngineBuild},
    {"getlocale", 0, 0, fGetLocale},
    {"setlocale", 0, 1, fSetLocale},
};

} // namespace

std::string lowerAscii(const std::string &s)
{
    // Not the C library's tolower, which follows the locale and would change UTF-8 bytes.
    std::string r = s;
    for (auto &c : r)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    return r;
}

const Builtin *findBuiltin(const std::string &name)
{
    static const std::unordered_map<std::string, const Builtin *> map = [] {
        std::unordered_map<std::string, const Builtin *> m;
        for (const Builtin &b : kBuiltins)
            m[b.name] = &b;
        return m;
    }();
    auto it = map.find(name);
    return it == map.end() ? nullptr : it->second;
}

bool findConstant(const std::string &name, Value &out)
{
    static const std::unordered_map<std::string, Value> map = [] {
        std::unordered_map<std::string, Value> m;
        m["vbcrlf"] = Value(std::u16string(u"\r\n"));
        m["vbnewline"] = Value(std::u16string(u"\r\n"));
        m["vbcr"] = Value(std::u16string(u"\r"));
        m["vblf"] = Value(std::u16string(u"\n"));
        m["vbtab"] = Value(std::u16string(u"\t"));
        m["vbformfeed"] = Value(std::u16string(u"\f"));
        m["vbverticaltab"] = Value(std::u16string(u"\v"));
        m["vbnullchar"] = Value(std::u16string(1, u'\0'));
        m["vbnullstring"] = Value(std::u16string());
        m["vbback"] = Value(std::u16string(u"\b"));
        auto i16 = [&](const char *n, int v) { m[n] = Value::integer(static_cast<int16_t>(v)); };
        auto i32 = [&](const char *n, int32_t v) { m[n] = Value(v); };
        i16("vbtrue", -1);
        i16("vbfalse", 0);
        i16("vbusedefault", -2);
        i16("vbbinarycompare", 0);
        i16("vbtextcompare", 1);
        i16("vbdatabasecompare", 2);
        const char *buttons[] = {"vbokonly",      "vbokcancel", "vbabortretryignore",
                                 "vbyesnocancel", "vbyesno",    "vbretrycancel"};
        for (int i = 0; i < 6; ++i)
            i16(buttons[i], i);
        i16("vbcritical", 16);
        i16("vbquestion", 32);
        i16("vbexclamation", 48);
        i16("vbinformation", 64);
        i16("vbdefaultbutton1", 0);
        i16("vbdefaultbutton2", 256);
        i16("vbdefaultbutton3", 512);
        i16("vbdefaultbutton4", 768);
        i16("vbapplicationmodal", 0);
        i16("vbsystemmodal", 4096);
        i16("vbmsgboxhelpbutton", 16384);
        i32("vbmsgboxsetforeground", 65536);
        i32("vbmsgboxright", 524288);
        i32("vbmsgboxrtlreading", 1048576);
        const char *answers[] = {"vbok",     "vbcancel", "vbabort", "vbretry",
                                 "vbignore", "vbyes",    "vbno"};
        for (int i = 0; i < 7; ++i)
            i16(answers[i], i + 1);
        const char *days[] = {"vbsunday",   "vbmonday", "vbtuesday", "vbwednesday",
                              "vbthursday", "vbfriday", "vbsaturday"};
        for (int i = 0; i < 7; ++i)
            i16(days[i], i + 1);
        i16("vbusesystem", 0);
        i16("vbusesystemdayofweek", 0);
        i16("vbfirstjan1", 1);
        i16("vbfirstfourdays", 2);
        i16("vbfirstfullweek", 3);
        i16("vbgeneraldate", 0);
        i16("vblongdate", 1);
        i16("vbshortdate", 2);
        i16("vblongtime", 3);
        i16("vbshorttime", 4);
        const char *types[] = {"vbempty",  "vbnull",     "vbinteger", "vblong",       "vbsingle",
                               "vbdouble", "vbcurrency", "vbdate",    "vbstring",     "vbobject",
                               "vberror",  "vbboolean",  "vbvariant", "vbdataobject", "vbdecimal"};
        for (int i = 0; i < 15; ++i)
            i16(types[i], i);
        i16("vbbyte", 17);
        i16("vbarray", 8192);
        i32("vbobjecterror", static_cast<int32_t>(0x80040000));
        i32("vbblack", 0);
        i32("vbred", 0xFF);
        i32("vbgreen", 0xFF00);
        i32("vbyellow", 0xFFFF);
        i32("vbblue", 0xFF0000);
        i32("vbmagenta", 0xFF00FF);
        i32("vbcyan", 0xFFFF00);
        i32("vbwhite", 0xFFFFFF);
        return m;
    }();
    auto it = map.find(name);
    if (it == map.end())
        return false;
    out = it->second;
    return true;
}

static size_t offsetOf(const ArrayRep *r, const std::vector<Value> &idx)
{
    if (idx.size() != r->upper.size())
        fail(err::SubscriptRange);
    size_t off = 0, mult = 1;
    for (size_t k = 0; k < idx.size(); ++k) {
        int64_t i = idx[k].toInt32();
        if (i < 0 || i > r->upper[k])
            fail(err::SubscriptRange);
        off += static_cast<size_t>(i) * mult;
        mult *= static_cast<size_t>(r->upper[k] + 1);
    }
    return off;
}

Value arrayGet(const Value &arr, const std::vector<Value> &idx)
{
    return arr.arrayRep()->data[offsetOf(arr.arrayRep(), idx)];
}

void arraySet(Value &arr, const std::vector<Value> &idx, const Value &v)
{
    ArrayRep *r = arr.mutableArray();
    r->data[offsetOf(r, idx)] = v;
}

std::string typeName(const Value &v)
{
    switch (v.type()) {
    case Type::Empty:
        return "Empty";
    case Type::Null:
        return "Null";
    case Type::Integer:
        return "Integer";
    case Type::Long:
        return "Long";
    case Type::Single:
        return "Single";
    case Type::Double:
        return "Double";
    case Type::Currency:
        return "Currency";
    case Type::Date:
        return "Date";
    case Type::String:
        return "String";
    case Type::Boolean:
        return "Boolean";
    case Type::Byte:
        return "Byte";
    case Type::Error:
        return "Error";
    case Type::Array:
        return "Variant()";
    case Type::Object: {
        HostObject *o = v.objectPtr();
        return o ? o->typeName() : "Nothing";
    }
    case Type::Ref:
        return typeName(*v.refTarget());
    }
    return "Unknown";
}

} // namespace vbs
