#pragma once

#include <QByteArray>
#include <QString>

class AppPaths;
class CommandList;
class MenuState;
class Recognizer;

// `savethelist`: writes the command list file, rewrites the recognition grammar from the
// phrases and reloads it into the recognizer. Every step's failure is ignored and the next
// step runs, so a list that cannot be written still gets its grammar rebuilt.
class ListSaver {
public:
    ListSaver(const AppPaths &paths, CommandList &list, MenuState &menu, Recognizer &recognizer);

    void savethelist();

    // The grammar file's bytes for the list: a header, one "<start>=" line per phrase that is
    // not empty, in list order and unchanged, and a closing empty line.
    static QByteArray grammarText(const CommandList &list);

private:
    const AppPaths &m_paths;
    CommandList &m_list;
    MenuState &m_menu;
    Recognizer &m_recognizer;
};
