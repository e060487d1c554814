#include "DesktopFolders.h"

#include "Library.h"
#include "MemberArgs.h"
#include "ProcessEnvironment.h"

#include <fstream>

namespace vbs {

using namespace args;

namespace {

// The value of KEY="..." in the user-dirs file, with a leading $HOME expanded; the file is
// written for the shell, but only these two forms are allowed in it.
std::string readUserDir(const std::string &file, const std::string &key)
{
    std::ifstream in(file);
    std::string line;
    const std::string prefix = "XDG_" + key + "_DIR=";
    while (std::getline(in, line)) {
        if (line.compare(0, prefix.size(), prefix) != 0)
            continue;
        std::string value = line.substr(prefix.size());
        while (!value.empty() && (value.back() == '\r' || value.back() == ' '))
            value.pop_back();
        if (value.size() < 2 || value.front() != '"' || value.back() != '"')
            return {};
        value = value.substr(1, value.size() - 2);
        if (value.compare(0, 5, "$HOME") == 0)
            value = ProcessEnvironment::home() + value.substr(5);
        else if (value.empty() || value[0] != '/')
            return {};
        while (value.size() > 1 && value.back() == '/')
            value.pop_back();
        return value;
    }
    return {};
}

} // namespace

std::string DesktopFolders::userDir(const std::string &key, const std::string &fallback)
{
    std::string dir = readUserDir(ProcessEnvironment::configHome() + "/user-dirs.dirs", key);
    return dir.empty() ? ProcessEnvironment::home() + "/" + fallback : dir;
}

const std::vector<std::string> &DesktopFolders::names()
{
    static const std::vector<std::string> list = {
        "Desktop", "MyDocuments", "Templates", "Startup",          "AppData",
        "Fonts",   "Programs",    "StartMenu", "AllUsersPrograms", "AllUsersStartup"};
    return list;
}

std::string DesktopFolders::path(const std::string &name)
{
    const std::string n = lowerAscii(name);
    if (n == "desktop")
        return userDir("DESKTOP", "Desktop");
    if (n == "mydocuments")
        return userDir("DOCUMENTS", "Documents");
    if (n == "templates")
        return userDir("TEMPLATES", "Templates");
    if (n == "startup")
        return ProcessEnvironment::configHome() + "/autostart";
    if (n == "appdata")
        return ProcessEnvironment::configHome();
    if (n == "fonts")
        return ProcessEnvironment::dataHome() + "/fonts";
    // The menu is made of the desktop entries in the applications folders.
    if (n == "programs" || n == "startmenu")
        return ProcessEnvironment::dataHome() + "/applications";
    if (n == "allusersprograms" || n == "allusersstartmenu")
        return "/usr/share/applications";
    if (n == "allusersstartup")
        return "/etc/xdg/autostart";
    return {};
}

bool DesktopFolders::hasMember(const std::string &name) const
{
    return inList(lowerAscii(name), {"", "item", "count", "length"});
}

Value DesktopFolders::invoke(const std::string &name, std::vector<Value> &args)
{
    const std::string n = lowerAscii(name);
    if (n == "count" || n == "length") {
        count(args, 0, 0);
        return Value(static_cast<int32_t>(names().size()));
    }
    if (n.empty() || n == "item") {
        count(args, 1, 1);
        if (args[0].isString())
            return Value(path(args[0].toString()));
        const int32_t i = args[0].toInt32();
        if (i < 0 || static_cast<size_t>(i) >= names().size())
            fail(err::SubscriptRange);
        return Value(path(names()[i]));
    }
    fail(err::NoSuchMember);
}

void DesktopFolders::setProperty(const std::string &, std::vector<Value> &, const Value &)
{
    fail(err::NoSuchMember);
}

bool DesktopFolders::enumerate(std::vector<Value> &out)
{
    out.clear();
    for (const std::string &name : names())
        out.emplace_back(path(name));
    return true;
}

} // namespace vbs
