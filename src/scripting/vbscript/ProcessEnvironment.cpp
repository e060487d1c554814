#include "ProcessEnvironment.h"

#include "Library.h"

#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <unistd.h>

extern char **environ;

namespace vbs {

namespace {

std::string upperAscii(std::string s)
{
    for (char &c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

std::string variable(const char *name)
{
    const char *v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

std::string userName()
{
    std::string user = variable("USER");
    if (user.empty())
        user = variable("LOGNAME");
    if (user.empty())
        if (const passwd *pw = getpwuid(getuid()))
            user = pw->pw_name;
    return user;
}

} // namespace

std::string ProcessEnvironment::home()
{
    std::string home = variable("HOME");
    if (home.empty())
        if (const passwd *pw = getpwuid(getuid()))
            home = pw->pw_dir;
    return home;
}

std::string ProcessEnvironment::configHome()
{
    // The base directory rules: a relative value is to be ignored.
    std::string config = variable("XDG_CONFIG_HOME");
    return !config.empty() && config[0] == '/' ? config : home() + "/.config";
}

std::string ProcessEnvironment::dataHome()
{
    std::string data = variable("XDG_DATA_HOME");
    return !data.empty() && data[0] == '/' ? data : home() + "/.local/share";
}

std::string ProcessEnvironment::tempFolder()
{
    std::string temp = variable("TMPDIR");
    return temp.empty() ? std::string("/tmp") : temp;
}

std::optional<std::string> ProcessEnvironment::actualName(const std::string &name)
{
    if (name.empty() || name.find('=') != std::string::npos)
        return std::nullopt;
    if (std::getenv(name.c_str()))
        return name;
    const std::string wanted = lowerAscii(name);
    for (char **e = environ; e && *e; ++e) {
        const char *eq = std::strchr(*e, '=');
        if (eq && lowerAscii(std::string(*e, static_cast<size_t>(eq - *e))) == wanted)
            return std::string(*e, static_cast<size_t>(eq - *e));
    }
    return std::nullopt;
}

std::optional<std::string> ProcessEnvironment::counterpart(const std::string &upperName)
{
    if (upperName == "USERPROFILE" || upperName == "HOMEPATH")
        return home();
    if (upperName == "APPDATA")
        return configHome();
    if (upperName == "LOCALAPPDATA")
        return dataHome();
    if (upperName == "TEMP" || upperName == "TMP")
        return tempFolder();
    if (upperName == "USERNAME")
        return userName();
    if (upperName == "COMPUTERNAME") {
        char host[256] = {};
        if (gethostname(host, sizeof host - 1) == 0)
            return std::string(host);
    }
    return std::nullopt;
}

std::optional<std::string> ProcessEnvironment::get(const std::string &name)
{
    if (auto actual = actualName(name))
        return variable(actual->c_str());
    return counterpart(upperAscii(name));
}

void ProcessEnvironment::set(const std::string &name, const std::string &value)
{
    ::setenv(actualName(name).value_or(name).c_str(), value.c_str(), 1);
}

bool ProcessEnvironment::remove(const std::string &name)
{
    auto actual = actualName(name);
    if (!actual)
        return false;
    ::unsetenv(actual->c_str());
    return true;
}

std::vector<std::string> ProcessEnvironment::all()
{
    std::vector<std::string> out;
    for (char **e = environ; e && *e; ++e)
        out.emplace_back(*e);
    return out;
}

} // namespace vbs
