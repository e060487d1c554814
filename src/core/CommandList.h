#pragma once

#include <QAbstractListModel>
#include <QStringList>

// The command list ("brain"): four index-aligned sequences, each with its own selected index.
// Entry i is (Brainlist[i], commandlist[i], actionlist[i]); FalseBrainlist[i] is the copy of
// the phrase that the editor shows, and is what this model presents to a list view.
// Entries 0 to 3 are reserved: their arguments double as the stored options.
class CommandList : public QAbstractListModel {
    Q_OBJECT
public:
    enum List { Brainlist, Commandlist, Actionlist, FalseBrainlist };
    enum Option {
        AutoListenOption = 0,
        BubbleOffOption = 1,
        SemitransparentOption = 2,
        HiddenOption = 3
    };
    static constexpr int kReservedCount = 4;
    static constexpr int kMaxEntries = 32767;

    struct Entry {
        QString phrase;
        QString kind;
        QString argument;
        bool operator==(const Entry &) const = default;
    };

    explicit CommandList(QObject *parent = nullptr);

    int count() const { return int(m_brain.size()); }
    Entry entry(int index) const;
    QString phrase(int index) const { return m_brain.value(index); }
    QString kind(int index) const { return m_commands.value(index); }
    QString argument(int index) const { return m_actions.value(index); }
    QString shownPhrase(int index) const { return m_falseBrain.value(index); }

    // The file keeps one line per field, so a field holding a line break would shift every
    // later entry: the setters refuse such a field (and an index out of range) with false and
    // leave the list as it was.
    static bool isField(const QString &text);
    bool append(const Entry &entry);
    bool setEntry(int index, const Entry &entry);
    void remove(int index);
    void clear();
    // Sets the phrase in Brainlist and FalseBrainlist.
    bool setPhrase(int index, const QString &phrase);
    bool setKind(int index, const QString &kind);
    bool setArgument(int index, const QString &argument);

    int selectedIndex(List list) const { return m_selected[list]; }
    void setSelectedIndex(List list, int index);
    // The selections of Brainlist, commandlist and actionlist move together when one entry is
    // selected; FalseBrainlist (the editor's) keeps its own.
    void selectEntry(int index);
    // Selects the first entry whose phrase equals the text, letter case ignored; -1 when none.
    int selectByPhrase(const QString &phrase);
    QString selectedKind() const;
    QString selectedArgument() const;

    // The stored options: the argument of reserved entry i compared exactly with its "on" text.
    static QString optionText(int option, bool on);
    bool option(int option) const;
    void setOption(int option, bool on);
    void setWakePhrase(const QString &characterName);
    static QString firstWord(const QString &phrase);

    // Loads the file into the (cleared) lists. While *characterName is empty it is set from
    // each phrase read, as the first word of the wake phrase. False when the file cannot be
    // read or its last entry is cut short; the entries before that stay loaded.
    bool load(const QString &path, QString *characterName);
    QByteArray serialize() const;
    bool save(const QString &path) const;

    // QAbstractListModel: the FalseBrainlist rows.
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

signals:
    void selectionChanged(CommandList::List list, int index);

private:
    QStringList m_brain;
    QStringList m_commands;
    QStringList m_actions;
    QStringList m_falseBrain;
    int m_selected[4] = {-1, -1, -1, -1};
};
