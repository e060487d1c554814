#pragma once

#include <QString>

#include <functional>

class AppPaths;
class CommandList;
class Dialogs;

// What the editor's Add, Save and Remove do to the command list and the script files, apart
// from any widget: every edit that is made is on disk (list, grammar and script file) when
// the call returns. An edit that is refused shows why and changes nothing.
class CommandEditing {
public:
    static const QString kAddDuplicateMessage;
    static const QString kChangeDuplicateMessage;
    static const QString kMessageTitle;

    CommandEditing(const AppPaths &paths, CommandList &list, Dialogs &dialogs);

    // `savethelist`, and the yield to pending events made after it and at the other points
    // where the editor lets the program breathe.
    void setSaveTheList(std::function<void()> save) { m_save = std::move(save); }
    void setYield(std::function<void()> yield) { m_yield = std::move(yield); }

    // Appends an entry; for a Script the argument stored is the phrase and ".txt", and the
    // script text goes to its file. False when refused.
    bool add(const QString &phrase, const QString &kind, const QString &argument,
             const QString &scriptText);

    // What the change box shows for a row: its phrase, and its argument as the box shows it
    // (a Read entry as "Read " and the argument, a Script entry as its script's whole text).
    struct ChangeBox {
        QString phrase;
        QString text;
        bool locked = false;
        bool browsable = false;    // an Open entry: the browser may fill the argument
        bool pluginChoice = false; // a Plugin entry: the plugin list is offered
    };
    ChangeBox openChange(int row);

    // Whether a row may be changed or removed: the four reserved entries may not. The
    // editor offers Change and Remove only for such a row.
    bool isEditable(int row) const;
    // Whether a phrase and its argument are enough to offer Add, or Save in the change box.
    static bool isComplete(const QString &phrase, const QString &argument)
    {
        return !phrase.isEmpty() && !argument.isEmpty();
    }

    // Saves row's change to the new phrase and the change box's text. False when refused.
    bool saveChange(int row, const QString &newPhrase, const QString &text);

    // Removes the row (deleting a Script's file) and saves; a reserved row stays.
    void remove(int row);

    // The caption of the editor's current-entry line when a row is selected, and the one
    // written after a change is saved (which keeps the ": " even for Read).
    static QString selectionCaption(const QString &kind, const QString &argument);
    static QString savedCaption(const QString &kind, const QString &argument);

    // The script text as kept in its file (CR LF line ends and one closing line break), and
    // the file's bytes as the text box shows them.
    static QByteArray scriptFileBytes(const QString &text);
    static QString scriptFileText(const QByteArray &bytes);

private:
    bool isDuplicate(const QString &phrase) const;
    bool refuseUnfit(const QString &phrase, const QString &kind, const QString &argument);
    QString scriptFilePath(const QString &fileName) const;
    bool writeScript(const QString &fileName, const QString &text);
    void removeScript(const QString &fileName);
    void refuse(const QString &text);
    void save();
    void yield();

    const AppPaths &m_paths;
    CommandList &m_list;
    Dialogs &m_dialogs;
    std::function<void()> m_save;
    std::function<void()> m_yield;
};
