#include "Objects.h"

#include <cerrno>

#include "DateTime.h"
#include "Errors.h"
#include "Interpreter.h"
#include "Library.h"
#include "Ops.h"
#include "RegExpObject.h"
#include "ScriptClock.h"
#include "ShellObject.h"

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace vbs {

namespace {

[[noreturn]] void fail(int number)
{
    throw ScriptError{number, errorText(number)};
}

void argCount(const std::vector<Value> &args, size_t lo, size_t hi)
{
    if (args.size() < lo || args.size() > hi)
        fail(err::WrongArgCount);
}

bool given(const std::vector<Value> &args, size_t i)
{
    return i < args.size() && args[i].type() != Type::Error;
}

bool inList(const std::string &n, std::initializer_list<const char *> names)
{
    for (const char *x : names)
        if (n == x)
            return true;
    return false;
}

// A read-only list handed out by Dictionary.Items/Keys-like members and folders.
class ListObject : public HostObject {
public:
    explicit ListObject(std::vector<Value> items, std::string type)
        : m_items(std::move(items))
        , m_type(std::move(type))
    {}
    bool hasMember(const std::string &name) const override
    {
        std::string n = lowerAscii(name);
        return n == "count" || n == "item" || n.empty();
    }
    Value invoke(const std::string &name, std::vector<Value> &args) override
    {
        std::string n = lowerAscii(name);
        if (n == "count")
            return Value(static_cast<int32_t>(m_items.size()));
        if (n == "item" || n.empty()) {
            argCount(args, 1, 1);
            if (args[0].isString()) {
                for (auto &it : m_items) {
                    HostObject *o = it.objectPtr();
                    std::vector<Value> none;
                    if (o && lowerAscii(o->invoke("Name", none).toString()) ==
                                 lowerAscii(args[0].toString()))
                        return it;
                }
                fail(err::PathNotFound);
            }
            int32_t i = args[0].toInt32();
            if (i < 0 || static_cast<size_t>(i) >= m_items.size())
                fail(err::SubscriptRange);
            return m_items[i];
        }
        fail(err::NoSuchMember);
    }
    void setProperty(const std::string &, std::vector<Value> &, const Value &) override
    {
        fail(err::NoSuchMember);
    }
    bool enumerate(std::vector<Value> &out) override
    {
        out = m_items;
        return true;
    }
    std::string typeName() const override { return m_type; }

private:
    std::vector<Value> m_items;
    std::string m_type;
};

std::string pathArg(const std::vector<Value> &args, size_t i)
{
    if (i >= args.size())
        fail(err::WrongArgCount);
    return args[i].toString();
}

double fileDate(const fs::path &p)
{
    std::error_code ec;
    auto ft = fs::last_write_time(p, ec);
    if (ec)
        return 0;
    auto sys = std::chrono::time_point_cast<std::chrono::system_clock::duration>(
        ft - fs::file_time_type::clock::now() + std::chrono::system_clock::now());
    std::time_t t = std::chrono::system_clock::to_time_t(sys);
    std::tm tm{};
    localtime_r(&t, &tm);
    return dateSerial(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday) +
           timeSerial(tm.tm_hour, tm.tm_min, tm.tm_sec);
}

class TextStream : public HostObject {
public:
    TextStream(const std::string &path, int mode)
        : m_mode(mode)
    {
        if (mode == 1) {
            std::ifstream in(path, std::ios::binary);
            if (!in)
                fail(err::FileNotFound);
            std::stringstream ss;
            ss << in.rdbuf();
            m_data = fromUtf8(ss.str());
        } else {
            m_out.open(path, std::ios::binary | (mode == 8 ? std::ios::app : std::ios::trunc));
            if (!m_out)
                fail(errno == EACCES || errno == EROFS || errno == EPERM ? err::PermissionDenied
                                                                         : err::PathNotFound);
        }
    }
    bool hasMember(const std::string &name) const override
    {
        return inList(lowerAscii(name), {"readline", "readall", "read", "write", "writeline",
                                         "writeblanklines", "skipline", "skip", "atendofstream",
                                         "atendofline", "line", "column", "close"});
    }
    Value invoke(const std::string &name, std::vector<Value> &args) override
    {
        std::string n = lowerAscii(name);
        if (n == "close") {
            m_closed = true;
            if (m_out.is_open()) {
                // The last of the text reaches the disk here; a script that is told nothing
                // would take a file cut short for one written whole.
                m_out.flush();
                const bool written = m_out.good();
                m_out.close();
                if (!written || m_out.fail())
                    fail(err::DiskFull);
            }
            return Value();
        }
        if (m_closed)
            fail(err::BadFileMode);
        if (n == "atendofstream")
            return Value(readable() && m_pos >= m_data.size());
        if (n == "atendofline")
            return Value(readable() && (m_pos >= m_data.size() || m_data[m_pos] == u'\r' ||
                                        m_data[m_pos] == u'\n'));
        if (n == "line")
            return Value(static_cast<int32_t>(m_line));
        if (n == "column")
            return Value(static_cast<int32_t>(m_column));
        if (n == "readline" || n == "skipline") {
            requireRead();
            if (m_pos >= m_data.size())
                fail(err::InputPastEnd);
            size_t e = m_pos;
            while (e < m_data.size() && m_data[e] != u'\n' && m_data[e] != u'\r')
                ++e;
            std::u16string line = m_data.substr(m_pos, e - m_pos);
            if (e < m_data.size() && m_data[e] == u'\r')
                ++e;
            if (e < m_data.size() && m_data[e] == u'\n')
                ++e;
            m_pos = e;
            ++m_line;
            return n == "readline" ? Value(line) : Value();
        }
        if (n == "readall") {
            requireRead();
            if (m_pos >= m_data.size() && !m_data.empty())
                fail(err::InputPastEnd);
            std::u16string rest = m_data.substr(m_pos);
            m_pos = m_data.size();
            return Value(rest);
        }
        if (n == "read" || n == "skip") {
            requireRead();
            argCount(args, 1, 1);
            int32_t k = args[0].toInt32();
            if (k < 0)
                fail(err::InvalidCall);
            std::u16string part = m_data.substr(m_pos, k);
            m_pos += part.size();
            return n == "read" ? Value(part) : Value();
        }
        if (n == "write" || n == "writeline") {
            requireWrite();
            if (n == "write")
                argCount(args, 1, 1);
            else
                argCount(args, 0, 1);
            if (!args.empty())
                m_out << args[0].toString();
            if (n == "writeline") {
                m_out << "\r\n";
                ++m_line;
            }
            requireWritten();
            return Value();
        }
        if (n == "writeblanklines") {
            requireWrite();
            argCount(args, 1, 1);
            for (int32_t i = 0; i < args[0].toInt32(); ++i)
                m_out << "\r\n";
            requireWritten();
            return Value();
        }
        fail(err::NoSuchMember);
    }
    void setProperty(const std::string &, std::vector<Value> &, const Value &) override
    {
        fail(err::NoSuchMember);
    }
    std::string typeName() const override { return "TextStream"; }

private:
    bool readable() const { return m_mode == 1; }
    void requireRead()
    {
        if (m_mode != 1)
            fail(err::BadFileMode);
    }
    void requireWrite()
    {
        if (m_mode == 1)
            fail(err::BadFileMode);
    }
    // The stream writes its buffer when it fills, so a full disk shows at some later write.
    void requireWritten()
    {
        if (!m_out) {
            m_out.clear();
            fail(err::DiskFull);
        }
    }
    int m_mode;
    std::u16string m_data;
    size_t m_pos = 0;
    int m_line = 1, m_column = 1;
    std::ofstream m_out;
    bool m_closed = false;
};

std::shared_ptr<HostObject> openText(const std::string &path, int mode, bool create)
{
    std::error_code ec;
    bool exists = fs::exists(path, ec);
    if (mode == 1 && !exists)
        fail(err::FileNotFound);
    if (mode != 1 && !exists && !create)
        fail(err::FileNotFound);
    if (mode != 1 && mode != 2 && mode != 8)
        fail(err::InvalidCall);
    return std::make_shared<TextStream>(path, mode);
}

class FileObject : public HostObject {
public:
    FileObject(fs::path p, bool folder)
        : m_path(std::move(p))
        , m_folder(folder)
    {}
    bool hasMember(const std::string &name) const override
    {
        return inList(lowerAscii(name),
                      {"", "name", "path", "size", "datelastmodified", "parentfolder", "delete",
                       "copy", "move", "openastextstream", "files", "subfolders", "isrootfolder",
                       "shortname", "type"});
    }
    Value invoke(const std::string &name, std::vector<Value> &args) override
    {
        std::string n = lowerAscii(name);
        std::error_code ec;
        if (n == "name" || n == "shortname")
            return Value(m_path.filename().string());
        if (n == "path" || n.empty())
            return Value(m_path.string());
        if (n == "type")
            return Value(std::string(m_folder ? "File folder" : "File"));
        if (n == "isrootfolder")
            return Value(m_path == m_path.root_path());
        if (n == "size") {
            if (m_folder) {
                uintmax_t total = 0;
                for (auto &e : fs::recursive_directory_iterator(m_path, ec))
                    if (e.is_regular_file(ec))
                        total += e.file_size(ec);
                return Value(static_cast<double>(total));
            }
            auto sz = fs::file_size(m_path, ec);
            if (ec)
                fail(err::FileNotFound);
            return sz <= INT32_MAX ? Value(static_cast<int32_t>(sz))
                                   : Value(static_cast<double>(sz));
        }
        if (n == "datelastmodified")
            return Value::date(fileDate(m_path));
        if (n == "parentfolder")
            return Value(std::shared_ptr<HostObject>(
                std::make_shared<FileObject>(m_path.parent_path(), true)));
        if (n == "delete") {
            if (m_folder)
                fs::remove_all(m_path, ec);
            else
                fs::remove(m_path, ec);
            if (ec)
                fail(err::PermissionDenied);
            return Value();
        }
        if (n == "copy" || n == "move") {
            argCount(args, 1, 2);
            fs::path dest = args[0].toString();
            if (fs::is_directory(dest, ec))
                dest /= m_path.filename();
            if (n == "copy") {
                fs::copy(m_path, dest,
                         fs::copy_options::overwrite_existing | fs::copy_options::recursive, ec);
            } else {
                fs::rename(m_path, dest, ec);
                if (!ec)
                    m_path = dest;
            }
            if (ec)
                fail(err::PermissionDenied);
            return Value();
        }
        if (n == "openastextstream") {
            int mode = given(args, 0) ? args[0].toInt32() : 1;
            return Value(openText(m_path.string(), mode, true));
        }
        if (n == "files" || n == "subfolders") {
            std::vector<Value> items;
            std::vector<fs::path> paths;
            for (auto &e : fs::directory_iterator(m_path, ec))
                if ((n == "files") == !e.is_directory(ec))
                    paths.push_back(e.path());
            std::sort(paths.begin(), paths.end());
            for (auto &p : paths)
                items.push_back(Value(std::shared_ptr<HostObject>(
                    std::make_shared<FileObject>(p, n == "subfolders"))));
            return Value(std::shared_ptr<HostObject>(std::make_shared<ListObject>(
                std::move(items), n == "files" ? "Files" : "Folders")));
        }
        fail(err::NoSuchMember);
    }
    void setProperty(const std::string &name, std::vector<Value> &, const Value &value) override
    {
        if (lowerAscii(name) == "name") {
            fs::path dest = m_path.parent_path() / value.toString();
            std::error_code ec;
            fs::rename(m_path, dest, ec);
            if (ec)
                fail(err::FileExists);
            m_path = dest;
            return;
        }
        fail(err::NoSuchMember);
    }
    std::string typeName() const override { return m_folder ? "Folder" : "File"; }

private:
    fs::path m_path;
    bool m_folder;
};

bool hasWildcard(const std::string &s)
{
    return s.find_first_of("*?") != std::string::npos;
}

bool wildMatch(const char *p, const char *s)
{
    if (!*p)
        return !*s;
    if (*p == '*')
        return wildMatch(p + 1, s) || (*s && wildMatch(p, s + 1));
    auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (*s && (*p == '?' || fold(*p) == fold(*s)))
        return wildMatch(p + 1, s + 1);
    return false;
}

// Sources of CopyFile/MoveFile/DeleteFile: one path or a wildcard in the last component.
std::vector<fs::path> expandSources(const std::string &pattern, bool folders)
{
    std::vector<fs::path> out;
    std::error_code ec;
    fs::path p(pattern);
    if (!hasWildcard(p.filename().string())) {
        bool ok = folders ? fs::is_directory(p, ec) : fs::is_regular_file(p, ec);
        if (ok)
            out.push_back(p);
        return out;
    }
    fs::path dir = p.parent_path().empty() ? fs::path(".") : p.parent_path();
    std::string pat = p.filename().string();
    for (auto &e : fs::directory_iterator(dir, ec)) {
        if (e.is_directory(ec) != folders)
            continue;
        if (wildMatch(pat.c_str(), e.path().filename().string().c_str()))
            out.push_back(e.path());
    }
    return out;
}

} // namespace

// --- Err

bool ErrObject::hasMember(const std::string &name) const
{
    return inList(lowerAscii(name), {"", "number", "description", "source", "raise", "clear",
                                     "helpfile", "helpcontext"});
}

Value ErrObject::invoke(const std::string &name, std::vector<Value> &args)
{
    std::string n = lowerAscii(name);
    auto &e = m_in.errState();
    if (n == "number" || n.empty())
        return Value(static_cast<int32_t>(e.number));
    if (n == "description")
        return Value(e.description);
    if (n == "source")
        return Value(e.source);
    if (n == "helpfile")
        return Value(e.helpFile);
    if (n == "helpcontext")
        return Value(e.helpContext);
    if (n == "clear") {
        e = Interpreter::ErrState{};
        return Value();
    }
    if (n == "raise") {
        argCount(args, 1, 5);
        int32_t number = args[0].toInt32();
        // Past 65535 only an HRESULT, with its severity bit, is a number an error can have.
        if (number > 0xFFFF)
            fail(err::InvalidCall);
        number = errorOfHresult(number);
        if (number == 0)
            fail(err::InvalidCall);
        // What is left out comes from the Err object as it stands, until Err.Clear.
        std::string source = given(args, 1)     ? args[1].toString()
                             : e.source.empty() ? "Microsoft VBScript runtime error"
                                                : e.source;
        std::string desc = given(args, 2)          ? args[2].toString()
                           : e.description.empty() ? errorText(number)
                                                   : e.description;
        if (given(args, 3))
            e.helpFile = args[3].toString();
        if (given(args, 4))
            e.helpContext = args[4].toInt32();
        m_in.setRaisedSource(source);
        throw ScriptError{number, desc};
    }
    fail(err::NoSuchMember);
}

void ErrObject::setProperty(const std::string &name, std::vector<Value> &, const Value &value)
{
    std::string n = lowerAscii(name);
    auto &e = m_in.errState();
    if (n == "number" || n.empty()) {
        e.number = value.toInt32();
        if (e.description.empty())
            e.description = errorText(e.number);
    } else if (n == "description")
        e.description = value.toString();
    else if (n == "source")
        e.source = value.toString();
    else if (n == "helpfile")
        e.helpFile = value.toString();
    else if (n == "helpcontext")
        e.helpContext = value.toInt32();
    else
        fail(err::NoSuchMember);
}

// --- Dictionary

std::string Dictionary::keyOf(const Value &key) const
{
    // Numbers and strings never collide: 1 and "1" are different keys.
    switch (key.type()) {
    case Type::String:
        return "s" + toUtf8(m_compareMode == 1 ? lower(key.str()) : key.str());
    case Type::Object: {
        char buf[32];
        std::snprintf(buf, sizeof buf, "o%p", static_cast<void *>(key.objectPtr()));
        return buf;
    }
    case Type::Empty:
        return "e";
    case Type::Null:
        return "z";
    case Type::Array:
        fail(err::TypeMismatch);
    case Type::Boolean:
        return "b" + std::to_string(key.rawInt());
    case Type::Date:
        return "d" + formatNumber(key.toDouble(), 17);
    default:
        return "n" + formatNumber(key.toDouble(), 17);
    }
}

int Dictionary::find(const Value &key) const
{
    auto it = m_index.find(keyOf(key));
    return it == m_index.end() ? -1 : it->second;
}

bool Dictionary::hasMember(const std::string &name) const
{
    return inList(lowerAscii(name), {"", "add", "exists", "item", "items", "keys", "remove",
                                     "removeall", "count", "comparemode", "key"});
}

Value Dictionary::invoke(const std::string &name, std::vector<Value> &args)
{
    std::string n = lowerAscii(name);
    if (n == "count")
        return Value(static_cast<int32_t>(m_keys.size()));
    if (n == "comparemode")
        return Value(static_cast<int32_t>(m_compareMode));
    if (n == "add") {
        argCount(args, 2, 2);
        if (find(args[0]) >= 0)
            fail(err::KeyExists);
        append(args[0], args[1]);
        return Value();
    }
    if (n == "exists") {
        argCount(args, 1, 1);
        return Value(find(args[0]) >= 0);
    }
    if (n == "item" || n.empty()) {
        argCount(args, 1, 1);
        int i = find(args[0]);
        if (i < 0) {
            // Reading a missing key adds it with an empty item, as the original does.
            append(args[0], Value());
            return Value();
        }
        return m_items[i];
    }
    if (n == "items" || n == "keys") {
        const auto &src = n == "items" ? m_items : m_keys;
        Value arr = Value::array({static_cast<int32_t>(src.size()) - 1});
        ArrayRep *r = arr.mutableArray();
        for (size_t i = 0; i < src.size(); ++i)
            r->data[i] = src[i];
        return arr;
    }
    if (n == "remove") {
        argCount(args, 1, 1);
        int i = find(args[0]);
        if (i < 0)
            fail(err::ElementNotFound);
        m_keys.erase(m_keys.begin() + i);
        m_items.erase(m_items.begin() + i);
        m_index.clear();
        for (size_t k = 0; k < m_keys.size(); ++k)
            m_index[keyOf(m_keys[k])] = static_cast<int>(k);
        return Value();
    }
    if (n == "removeall") {
        m_keys.clear();
        m_items.clear();
        m_index.clear();
        return Value();
    }
    fail(err::NoSuchMember);
}

void Dictionary::append(const Value &key, const Value &item)
{
    m_index[keyOf(key)] = static_cast<int>(m_keys.size());
    m_keys.push_back(key);
    m_items.push_back(item);
}

void Dictionary::setProperty(const std::string &name, std::vector<Value> &args, const Value &value)
{
    std::string n = lowerAscii(name);
    if (n == "item" || n.empty()) {
        argCount(args, 1, 1);
        int i = find(args[0]);
        if (i < 0)
            append(args[0], value);
        else
            m_items[i] = value;
        return;
    }
    if (n == "key") {
        argCount(args, 1, 1);
        int i = find(args[0]);
        if (i < 0)
            fail(err::ElementNotFound);
        if (find(value) >= 0)
            fail(err::KeyExists);
        m_index.erase(keyOf(args[0]));
        m_keys[i] = value;
        m_index[keyOf(value)] = i;
        return;
    }
    if (n == "comparemode") {
        if (!m_keys.empty())
            fail(err::InvalidCall);
        m_compareMode = value.toInt32();
        return;
    }
    fail(err::NoSuchMember);
}

bool Dictionary::enumerate(std::vector<Value> &out)
{
    out = m_keys;
    return true;
}

// --- FileSystemObject

bool FileSystem::hasMember(const std::string &name) const
{
    return inList(lowerAscii(name), {"fileexists",
                                     "folderexists",
                                     "createfolder",
                                     "deletefile",
                                     "deletefolder",
                                     "copyfile",
                                     "movefile",
                                     "copyfolder",
                                     "movefolder",
                                     "getfile",
                                     "getfolder",
                                     "opentextfile",
                                     "createtextfile",
                                     "buildpath",
                                     "getfilename",
                                     "getparentfoldername",
                                     "getbasename",
                                     "getextensionname",
                                     "getabsolutepathname",
                                     "gettempname",
                                     "getspecialfolder",
                                     "driveexists"});
}

Value FileSystem::invoke(const std::string &name, std::vector<Value> &args)
{
    std::string n = lowerAscii(name);
    std::error_code ec;
    if (n == "fileexists") {
        argCount(args, 1, 1);
        return Value(fs::is_regular_file(pathArg(args, 0), ec));
    }
    if (n == "folderexists") {
        argCount(args, 1, 1);
        return Value(fs::is_directory(pathArg(args, 0), ec));
    }
    if (n == "driveexists")
        return Value(pathArg(args, 0) == "/");
    if (n == "createfolder") {
        argCount(args, 1, 1);
        std::string p = pathArg(args, 0);
        if (fs::exists(p, ec))
            fail(err::FileExists);
        if (!fs::create_directory(p, ec))
            fail(err::PathNotFound);
        return Value(std::shared_ptr<HostObject>(std::make_shared<FileObject>(p, true)));
    }
    if (n == "deletefile" || n == "deletefolder") {
        argCount(args, 1, 2);
        auto list = expandSources(pathArg(args, 0), n == "deletefolder");
        if (list.empty())
            fail(n == "deletefile" ? err::FileNotFound : err::PathNotFound);
        for (auto &p : list) {
            fs::remove_all(p, ec);
            if (ec)
                fail(err::PermissionDenied);
        }
        return Value();
    }
    if (n == "copyfile" || n == "movefile" || n == "copyfolder" || n == "movefolder") {
        argCount(args, 2, 3);
        bool folders = n == "copyfolder" || n == "movefolder";
        bool move = n == "movefile" || n == "movefolder";
        bool overwrite = move ? false : (given(args, 2) ? args[2].toBool() : true);
        std::string dest = pathArg(args, 1);
        auto list = expandSources(pathArg(args, 0), folders);
        if (list.empty())
            fail(folders ? err::PathNotFound : err::FileNotFound);
        bool destIsDir = fs::is_directory(dest, ec) || (!dest.empty() && dest.back() == '/');
        if (list.size() > 1 && !destIsDir)
            fail(err::PathNotFound);
        for (auto &src : list) {
            fs::path target = destIsDir ? fs::path(dest) / src.filename() : fs::path(dest);
            if (fs::exists(target, ec) && (!overwrite || move))
                fail(err::FileExists);
            if (move)
                fs::rename(src, target, ec);
            else
                fs::copy(src, target,
                         fs::copy_options::overwrite_existing | fs::copy_options::recursive, ec);
            if (ec)
                fail(err::PermissionDenied);
        }
        return Value();
    }
    if (n == "getfile" || n == "getfolder") {
        argCount(args, 1, 1);
        std::string p = pathArg(args, 0);
        bool folder = n == "getfolder";
        if (folder ? !fs::is_directory(p, ec) : !fs::is_regular_file(p, ec))
            fail(folder ? err::PathNotFound : err::FileNotFound);
        return Value(
            std::shared_ptr<HostObject>(std::make_shared<FileObject>(fs::absolute(p, ec), folder)));
    }
    if (n == "opentextfile") {
        argCount(args, 1, 4);
        int mode = given(args, 1) ? args[1].toInt32() : 1;
        bool create = given(args, 2) && args[2].toBool();
        return Value(openText(pathArg(args, 0), mode, create));
    }
    if (n == "createtextfile") {
        argCount(args, 1, 3);
        std::string p = pathArg(args, 0);
        bool overwrite = given(args, 1) ? args[1].toBool() : true;
        if (!overwrite && fs::exists(p, ec))
            fail(err::FileExists);
        return Value(openText(p, 2, true));
    }
    if (n == "buildpath") {
        argCount(args, 2, 2);
        std::string a = pathArg(args, 0), b = pathArg(args, 1);
        if (a.empty())
            return Value(b);
        if (a.back() == '/' || (!b.empty() && b.front() == '/'))
            return Value(a + b);
        return Value(a + "/" + b);
    }
    if (n == "getfilename") {
        std::string p = pathArg(args, 0);
        while (p.size() > 1 && p.back() == '/')
            p.pop_back();
        size_t s = p.find_last_of('/');
        return Value(s == std::string::npos ? p : p.substr(s + 1));
    }
    if (n == "getparentfoldername") {
        std::string p = pathArg(args, 0);
        while (p.size() > 1 && p.back() == '/')
            p.pop_back();
        size_t s = p.find_last_of('/');
        if (s == std::string::npos)
            return Value(std::string());
        return Value(s == 0 ? std::string("/") : p.substr(0, s));
    }
    if (n == "getbasename" || n == "getextensionname") {
        std::string p = pathArg(args, 0);
        size_t s = p.find_last_of('/');
        std::string f = s == std::string::npos ? p : p.substr(s + 1);
        size_t dot = f.find_last_of('.');
        if (n == "getbasename")
            return Value(dot == std::string::npos ? f : f.substr(0, dot));
        return Value(dot == std::string::npos ? std::string() : f.substr(dot + 1));
    }
    if (n == "getabsolutepathname") {
        fs::path p = fs::absolute(pathArg(args, 0), ec).lexically_normal();
        std::string s = p.string();
        while (s.size() > 1 && s.back() == '/')
            s.pop_back();
        return Value(s);
    }
    if (n == "gettempname") {
        // Seeded per process: scripts started one after another must not be handed the
        // same names, as they were from the C library's unseeded generator.
        static std::mt19937 generator{std::random_device{}()};
        char buf[32];
        std::snprintf(buf, sizeof buf, "rad%05X.tmp", static_cast<unsigned>(generator() & 0xFFFFF));
        return Value(std::string(buf));
    }
    if (n == "getspecialfolder") {
        int which = args.empty() ? 2 : args[0].toInt32();
        std::string p = which == 2 ? fs::temp_directory_path(ec).string() : std::string("/usr");
        return Value(std::shared_ptr<HostObject>(std::make_shared<FileObject>(p, true)));
    }
    fail(err::NoSuchMember);
}

void FileSystem::setProperty(const std::string &, std::vector<Value> &, const Value &)
{
    fail(err::NoSuchMember);
}

// --- WScript

bool WScriptObject::hasMember(const std::string &name) const
{
    return inList(lowerAscii(name), {"echo", "quit", "sleep", "createobject", "scriptname",
                                     "scriptfullname", "name", "version", "stdout"});
}

Value WScriptObject::invoke(const std::string &name, std::vector<Value> &args)
{
    std::string n = lowerAscii(name);
    if (n == "echo") {
        std::string line;
        for (size_t i = 0; i < args.size(); ++i) {
            if (i)
                line += " ";
            const Value &v = args[i];
            if (v.isNull())
                line += "Null";
            else if (v.type() != Type::Error)
                line += v.toString();
        }
        if (m_services.echo)
            m_services.echo(line);
        return Value();
    }
    if (n == "quit")
        throw QuitRequest{args.empty() ? 0 : args[0].toInt32()};
    if (n == "sleep") {
        argCount(args, 1, 1);
        // No longer than the script may still wait: the time-out stops it once that is spent.
        const auto asked = std::chrono::milliseconds(std::max(0, args[0].toInt32()));
        {
            ScriptClock::Waiting waiting;
            std::this_thread::sleep_for(
                std::min<ScriptClock::Clock::duration>(asked, ScriptClock::waitsLeft()));
        }
        ScriptClock::stopIfWaitsSpent();
        return Value();
    }
    if (n == "createobject") {
        argCount(args, 1, 2);
        auto obj = createKnownObject(args[0].toString(), m_services);
        if (!obj)
            fail(err::CantCreateObject);
        return Value(obj);
    }
    if (n == "scriptname")
        return Value(fs::path(m_path).filename().string());
    if (n == "scriptfullname")
        return Value(fs::absolute(m_path).string());
    if (n == "name")
        return Value(std::string("vbsrun"));
    if (n == "version")
        return Value(std::string("5.8"));
    fail(err::NoSuchMember);
}

void WScriptObject::setProperty(const std::string &, std::vector<Value> &, const Value &)
{
    fail(err::NoSuchMember);
}

std::shared_ptr<HostObject> createKnownObject(const std::string &progId, HostServices &services)
{
    std::string id = lowerAscii(progId);
    if (id == "scripting.dictionary")
        return std::make_shared<Dictionary>();
    if (id == "vbscript.regexp")
        return std::make_shared<RegExpObject>();
    if (id == "scripting.filesystemobject")
        return std::make_shared<FileSystem>();
    if (id == "wscript.shell")
        return std::make_shared<Shell>(services);
    return nullptr;
}

// --- the interpreter's parts that reach these objects

Value Interpreter::createObject(const std::string &progId)
{
    auto obj = createKnownObject(progId, m_services);
    if (!obj)
        fail(err::CantCreateObject);
    return Value(obj);
}

// VBScript's generator: a 24-bit linear congruence, reseeded by Randomize and negative Rnd.
double Interpreter::nextRandom(const Value *arg)
{
    if (arg && arg->type() != Type::Error) {
        double d = arg->toDouble();
        if (d == 0)
            return m_lastRnd;
        if (d < 0) {
            float f = static_cast<float>(d);
            uint32_t bits;
            std::memcpy(&bits, &f, sizeof bits);
            m_rndSeed = (bits + (bits >> 24)) & 0xFFFFFF;
        }
    }
    m_rndSeed = (m_rndSeed * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFFu;
    m_lastRnd = static_cast<double>(m_rndSeed) / 16777216.0;
    return m_lastRnd;
}

void Interpreter::randomize(const Value *seed)
{
    double d;
    if (seed && seed->type() != Type::Error) {
        d = seed->toDouble();
    } else {
        auto now = std::chrono::system_clock::now().time_since_epoch();
        d = static_cast<double>(std::chrono::duration_cast<std::chrono::microseconds>(now).count() %
                                86400000000LL) /
            1e6;
    }
    uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    uint32_t hi = static_cast<uint32_t>(bits >> 32);
    hi ^= hi >> 16;
    m_rndSeed = (m_rndSeed & 0xFF) | ((hi & 0xFFFF) << 8);
}

} // namespace vbs
