#include "ExecStreams.h"

#include "Library.h"
#include "MemberArgs.h"

namespace vbs {

using namespace args;

namespace {

// The length of the bytes that end with a whole UTF-8 character.
size_t wholeCharacters(const std::string &bytes)
{
    size_t end = bytes.size();
    size_t back = 0;
    while (back < 4 && back < end &&
           (static_cast<unsigned char>(bytes[end - 1 - back]) & 0xC0) == 0x80)
        ++back;
    if (back == end)
        return end;
    const unsigned char lead = static_cast<unsigned char>(bytes[end - 1 - back]);
    size_t need = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    return back + 1 < need ? end - 1 - back : end;
}

// Windows' own message for a pipe whose reader has gone.
[[noreturn]] void pipeClosed()
{
    throw ScriptError{-2147024664, "The pipe is being closed."};
}

} // namespace

bool ExecReader::hasMember(const std::string &name) const
{
    return inList(lowerAscii(name), {"readline", "readall", "read", "skip", "skipline",
                                     "atendofstream", "atendofline", "line", "column", "close",
                                     "write", "writeline", "writeblanklines"});
}

bool ExecReader::fill()
{
    if (m_ended)
        return false;
    std::string bytes = std::move(m_partial);
    m_partial.clear();
    if (!m_process->read(m_stream, bytes)) {
        m_ended = true;
        m_text += fromUtf8(bytes);
        return !bytes.empty();
    }
    const size_t whole = wholeCharacters(bytes);
    m_partial = bytes.substr(whole);
    bytes.resize(whole);
    m_text += fromUtf8(bytes);
    return true;
}

void ExecReader::fillTo(size_t count)
{
    while (m_text.size() - m_pos < count && fill()) {
    }
}

size_t ExecReader::lineLength()
{
    size_t searched = m_pos;
    for (;;) {
        const size_t nl = m_text.find(u'\n', searched);
        if (nl != std::u16string::npos)
            return nl + 1 - m_pos;
        searched = m_text.size();
        if (!fill())
            return m_text.size() - m_pos;
    }
}

std::u16string ExecReader::take(size_t count)
{
    std::u16string part = m_text.substr(m_pos, count);
    m_pos += part.size();
    for (char16_t c : part) {
        if (c == u'\n') {
            ++m_line;
            m_column = 1;
        } else {
            ++m_column;
        }
    }
    // What has been read is not kept.
    if (m_pos > 65536) {
        m_text.erase(0, m_pos);
        m_pos = 0;
    }
    return part;
}

Value ExecReader::invoke(const std::string &name, std::vector<Value> &args)
{
    const std::string n = lowerAscii(name);
    if (n == "close") {
        m_closed = true;
        return Value();
    }
    if (m_closed || n == "write" || n == "writeline" || n == "writeblanklines")
        fail(err::BadFileMode);
    if (n == "line")
        return Value(static_cast<int32_t>(m_line));
    if (n == "column")
        return Value(static_cast<int32_t>(m_column));
    if (n == "atendofstream") {
        fillTo(1);
        return Value(m_pos >= m_text.size());
    }
    if (n == "atendofline") {
        fillTo(1);
        return Value(m_pos >= m_text.size() || m_text[m_pos] == u'\n' || m_text[m_pos] == u'\r');
    }
    if (n == "readall") {
        count(args, 0, 0);
        while (fill()) {
        }
        return Value(take(m_text.size() - m_pos));
    }
    if (n == "readline" || n == "skipline") {
        count(args, 0, 0);
        const size_t length = lineLength();
        if (length == 0)
            fail(err::InputPastEnd);
        std::u16string line = take(length);
        if (!line.empty() && line.back() == u'\n')
            line.pop_back();
        if (!line.empty() && line.back() == u'\r')
            line.pop_back();
        return n == "readline" ? Value(std::move(line)) : Value();
    }
    if (n == "read" || n == "skip") {
        count(args, 1, 1);
        const int32_t k = args[0].toInt32();
        if (k < 0)
            fail(err::InvalidCall);
        fillTo(static_cast<size_t>(k));
        if (k > 0 && m_pos >= m_text.size())
            fail(err::InputPastEnd);
        std::u16string part = take(static_cast<size_t>(k));
        return n == "read" ? Value(std::move(part)) : Value();
    }
    fail(err::NoSuchMember);
}

void ExecReader::setProperty(const std::string &, std::vector<Value> &, const Value &)
{
    fail(err::NoSuchMember);
}

bool ExecWriter::hasMember(const std::string &name) const
{
    return inList(lowerAscii(name),
                  {"write", "writeline", "writeblanklines", "close", "line", "column", "readline",
                   "readall", "read", "skip", "skipline", "atendofstream", "atendofline"});
}

void ExecWriter::send(const std::string &bytes)
{
    if (!m_process->write(bytes))
        pipeClosed();
    for (char c : bytes) {
        if (c == '\n') {
            ++m_line;
            m_column = 1;
        } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++m_column;
        }
    }
}

Value ExecWriter::invoke(const std::string &name, std::vector<Value> &args)
{
    const std::string n = lowerAscii(name);
    if (n == "close") {
        if (!m_closed)
            m_process->closeInput();
        m_closed = true;
        return Value();
    }
    if (n == "line")
        return Value(static_cast<int32_t>(m_line));
    if (n == "column")
        return Value(static_cast<int32_t>(m_column));
    // Reading the program's input is as wrong as writing after Close.
    if (m_closed || !inList(n, {"write", "writeline", "writeblanklines"}))
        fail(err::BadFileMode);
    if (n == "write") {
        count(args, 1, 1);
        send(args[0].toString());
    } else if (n == "writeline") {
        count(args, 0, 1);
        // The programs reading it are this system's: a line ends with LF alone.
        send((args.empty() ? std::string() : args[0].toString()) + "\n");
    } else {
        count(args, 1, 1);
        send(std::string(static_cast<size_t>(std::max(0, args[0].toInt32())), '\n'));
    }
    return Value();
}

void ExecWriter::setProperty(const std::string &, std::vector<Value> &, const Value &)
{
    fail(err::NoSuchMember);
}

} // namespace vbs
