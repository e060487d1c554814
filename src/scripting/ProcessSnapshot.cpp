#include "ProcessSnapshot.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>

extern char **environ;

ProcessSnapshot::ProcessSnapshot()
{
    std::error_code ec;
    m_folder = std::filesystem::current_path(ec).string();
    for (char **e = environ; e && *e; ++e)
        m_environment.emplace_back(*e);
}

void ProcessSnapshot::restore() const
{
    std::error_code ec;
    if (!m_folder.empty())
        std::filesystem::current_path(m_folder, ec);

    // Only what differs is touched: the program's other threads may read the environment
    // meanwhile, and a script that changed nothing leaves nothing to do.
    std::map<std::string, std::string> wanted;
    for (const std::string &entry : m_environment) {
        const size_t eq = entry.find('=');
        if (eq != std::string::npos && eq > 0)
            wanted.emplace(entry.substr(0, eq), entry.substr(eq + 1));
    }
    std::vector<std::string> extra;
    for (char **e = environ; e && *e; ++e) {
        const char *eq = std::strchr(*e, '=');
        if (eq && !wanted.count(std::string(*e, static_cast<size_t>(eq - *e))))
            extra.emplace_back(*e, static_cast<size_t>(eq - *e));
    }
    for (const std::string &name : extra)
        ::unsetenv(name.c_str());
    for (const auto &[name, value] : wanted) {
        const char *now = std::getenv(name.c_str());
        if (!now || value != now)
            ::setenv(name.c_str(), value.c_str(), 1);
    }
}
