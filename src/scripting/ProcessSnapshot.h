#pragma once

#include <string>
#include <vector>

// The working folder and the environment of the program as they were when taken. A script
// may change both through WScript.Shell, as a script run on its own may change those of its
// own process; put back afterwards, the change ends with the script here too, and the next
// script and the program's own work find them as they were.
class ProcessSnapshot {
public:
    ProcessSnapshot();
    void restore() const;

private:
    std::string m_folder;
    std::vector<std::string> m_environment;
};
