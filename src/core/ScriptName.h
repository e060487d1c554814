#pragma once

#include <QString>

// A Script command's text lives in data/ under its phrase followed by ".txt". Only a name that
// stays a single file inside data/ may be used, whether the editor is about to write it or the
// program is about to run it.
namespace ScriptName {

// Empty when the name can be a file of data/; otherwise why not, for the user.
QString problem(const QString &name);
inline bool isUsable(const QString &name)
{
    return problem(name).isEmpty();
}

} // namespace ScriptName
