#include "CommandList.h"

#include "TextFile.h"

namespace {
const char *const kOptionSentences[CommandList::kReservedCount] = {"I hear you", "What ever", "Ok",
                                                                   "I hope I am sleepy"};
}

CommandList::CommandList(QObject *parent)
    : QAbstractListModel(parent)
{}

CommandList::Entry CommandList::entry(int index) const
{
    return {phrase(index), kind(index), argument(index)};
}

bool CommandList::isField(const QString &text)
{
    return !text.contains('\r') && !text.contains('\n');
}

bool CommandList::append(const Entry &entry)
{
    if (count() >= kMaxEntries || !isField(entry.phrase) || !isField(entry.kind) ||
        !isField(entry.argument))
        return false;
    beginInsertRows(QModelIndex(), count(), count());
    m_brain.append(entry.phrase);
    m_commands.append(entry.kind);
    m_actions.append(entry.argument);
    m_falseBrain.append(entry.phrase);
    endInsertRows();
    return true;
}

bool CommandList::setEntry(int index, const Entry &entry)
{
    if (index < 0 || index >= count() || !isField(entry.kind) || !isField(entry.argument) ||
        !setPhrase(index, entry.phrase))
        return false;
    m_commands[index] = entry.kind;
    m_actions[index] = entry.argument;
    return true;
}

void CommandList::remove(int index)
{
    if (index < 0 || index >= count())
        return;
    beginRemoveRows(QModelIndex(), index, index);
    m_brain.removeAt(index);
    m_commands.removeAt(index);
    m_actions.removeAt(index);
    m_falseBrain.removeAt(index);
    endRemoveRows();
    // A list box drops its selection when the selected row goes and keeps the others in step.
    for (int &selected : m_selected) {
        if (selected == index)
            selected = -1;
        else if (selected > index)
            --selected;
    }
}

void CommandList::clear()
{
    beginResetModel();
    m_brain.clear();
    m_commands.clear();
    m_actions.clear();
    m_falseBrain.clear();
    for (int &selected : m_selected)
        selected = -1;
    endResetModel();
}

bool CommandList::setPhrase(int index, const QString &phrase)
{
    if (index < 0 || index >= count() || !isField(phrase))
        return false;
    m_brain[index] = phrase;
    m_falseBrain[index] = phrase;
    const QModelIndex changed = createIndex(index, 0);
    emit dataChanged(changed, changed);
    return true;
}

bool CommandList::setKind(int index, const QString &kind)
{
    if (index < 0 || index >= count() || !isField(kind))
        return false;
    m_commands[index] = kind;
    return true;
}

bool CommandList::setArgument(int index, const QString &argument)
{
    if (index < 0 || index >= count() || !isField(argument))
        return false;
    m_actions[index] = argument;
    return true;
}

void CommandList::setSelectedIndex(List list, int index)
{
    if (index < -1 || index >= count())
        index = -1;
    if (m_selected[list] == index)
        return;
    m_selected[list] = index;
    emit selectionChanged(list, index);
}

void CommandList::selectEntry(int index)
{
    setSelectedIndex(Brainlist, index);
    setSelectedIndex(Commandlist, index);
    setSelectedIndex(Actionlist, index);
}

int CommandList::selectByPhrase(const QString &phrase)
{
    int found = -1;
    for (int i = 0; i < count(); ++i) {
        if (m_brain[i].compare(phrase, Qt::CaseInsensitive) == 0) {
            found = i;
            break;
        }
    }
    selectEntry(found);
    return found;
}

QString CommandList::selectedKind() const
{
    return m_commands.value(m_selected[Commandlist]);
}

QString CommandList::selectedArgument() const
{
    return m_actions.value(m_selected[Actionlist]);
}

QString CommandList::optionText(int option, bool on)
{
    if (option < 0 || option >= kReservedCount)
        return {};
    QString text = QString::fromLatin1(kOptionSentences[option]);
    return on ? text + ' ' : text;
}

bool CommandList::option(int option) const
{
    if (option < 0 || option >= kReservedCount || option >= count())
        return false;
    return m_actions[option] == optionText(option, true);
}

void CommandList::setOption(int option, bool on)
{
    if (option >= 0 && option < kReservedCount)
        setArgument(option, optionText(option, on));
}

void CommandList::setWakePhrase(const QString &characterName)
{
    setPhrase(0, characterName + QStringLiteral(" listen"));
}

QString CommandList::firstWord(const QString &phrase)
{
    return phrase.section(' ', 0, 0);
}

bool CommandList::load(const QString &path, QString *characterName)
{
    clear();
    QStringList lines;
    if (!TextFile::readLines(path, &lines))
        return false;
    beginResetModel();
    int line = 0;
    bool whole = true;
    while (line < lines.size()) {
        if (lines.size() - line < 3 || count() >= kMaxEntries) {
            whole = false;
            break;
        }
        const QString &phrase = lines[line];
        m_brain.append(phrase);
        m_falseBrain.append(phrase);
        m_commands.append(lines[line + 1]);
        m_actions.append(lines[line + 2]);
        line += 3;
        if (characterName && characterName->isEmpty())
            *characterName = firstWord(phrase);
    }
    endResetModel();
    return whole;
}

QByteArray CommandList::serialize() const
{
    QStringList lines;
    lines.reserve(count() * 3);
    for (int i = 0; i < count(); ++i)
        lines << m_brain[i] << m_commands[i] << m_actions[i];
    return TextFile::joinLines(lines);
}

bool CommandList::save(const QString &path) const
{
    return TextFile::writeAtomically(path, serialize());
}

int CommandList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_falseBrain.size());
}

QVariant CommandList::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_falseBrain.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return m_falseBrain[index.row()];
    return {};
}
