#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vbs {

// The program's environment as scripts written for another system see it: names match without
// regard to case, and the folders and names that system keeps in variables of its own
// (USERPROFILE, APPDATA, TEMP, TMP, USERNAME, ...) are answered from their counterparts here
// when no variable of that name is set. Changes reach every program started afterwards.
class ProcessEnvironment {
public:
    static std::optional<std::string> get(const std::string &name);
    // The variable of that name in any case is changed if there is one, else it is added.
    static void set(const std::string &name, const std::string &value);
    // False when there was no such variable.
    static bool remove(const std::string &name);
    // Every variable as "NAME=value", in the order the environment holds them.
    static std::vector<std::string> all();

    static std::string home();
    static std::string configHome();
    static std::string dataHome();
    static std::string tempFolder();

private:
    // The variable's own name when one matches, exactly or else in another case.
    static std::optional<std::string> actualName(const std::string &name);
    static std::optional<std::string> counterpart(const std::string &upperName);
};

} // namespace vbs
