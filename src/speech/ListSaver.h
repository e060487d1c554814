#pragma once

#include <QByteArray>
#include <QString>

class AppPaths;
class CommandList;
class Dialogs;
class MenuState;
class Recognizer;

// `savethelist`: writes the command list file, rewrites the recognition grammar from the
// phrases and reloads it into the recognizer. A step's failure does not stop the next, so a
// list that cannot be written still gets its grammar rebuilt. The list in memory is never
// touched by a failure: it is what the next save that can be written writes.
class ListSaver {
public:
    ListSaver(const AppPaths &paths, CommandList &list, MenuState &menu, Recognizer &recognizer,
              Dialogs &dialogs);

    // False when a file could not be written.
    bool savethelist();
    // Whether the last save failed, so the files are behind the list in memory.
    bool isBehind() const { return m_failing; }

    // What the user is told when the files cannot be written, with the file and the reason.
    static QString failureMessage(const QString &path, const QString &reason);

    // The grammar file's bytes for the list: a header, one "<start>=" line per phrase that is
    // not empty, in list order and unchanged, and a closing empty line.
    static QByteArray grammarText(const CommandList &list);

private:
    const AppPaths &m_paths;
    CommandList &m_list;
    MenuState &m_menu;
    Recognizer &m_recognizer;
    Dialogs &m_dialogs;
    // A disk that is full or read-only stays so for a while; every change made meanwhile
    // would bring the same box up again, so it is said once until a save succeeds.
    bool m_failing = false;
};
