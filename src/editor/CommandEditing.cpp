#include "CommandEditing.h"

#include "AppPaths.h"
#include "CommandList.h"
#include "Dialogs.h"
#include "ScriptName.h"
#include "TextFile.h"

#include <QCoreApplication>
#include <QFile>

const QString CommandEditing::kAddDuplicateMessage =
    QStringLiteral("There is already a command with that name");
const QString CommandEditing::kChangeDuplicateMessage =
    QStringLiteral("This command already exists");
const QString CommandEditing::kMessageTitle = QStringLiteral("Quillet brain");

namespace {
const QString kScript = QStringLiteral("Script");
const QString kRead = QStringLiteral("Read");
const QString kScriptSuffix = QStringLiteral(".txt");
} // namespace

CommandEditing::CommandEditing(const AppPaths &paths, CommandList &list, Dialogs &dialogs)
    : m_paths(paths)
    , m_list(list)
    , m_dialogs(dialogs)
    , m_yield([] { QCoreApplication::processEvents(); })
{}

bool CommandEditing::isDuplicate(const QString &phrase) const
{
    // Phrases that differ only in letter case are different commands, so only an exact match
    // counts. Every row is compared: looking at the first case-blind match alone would let a
    // second "Hello" in once "hello" stands above the first one.
    for (int i = 0; i < m_list.count(); ++i) {
        if (m_list.phrase(i) == phrase)
            return true;
    }
    return false;
}

bool CommandEditing::refuseUnfit(const QString &phrase, const QString &kind,
                                 const QString &argument)
{
    if (!CommandList::isField(phrase)) {
        refuse(QStringLiteral("A command's phrase must be a single line."));
        return true;
    }
    if (kind == kScript) {
        const QString problem = ScriptName::problem(phrase);
        if (!problem.isEmpty()) {
            refuse(problem);
            return true;
        }
        return false;
    }
    if (!CommandList::isField(argument)) {
        refuse(QStringLiteral("What a ") + kind +
               QStringLiteral(" command does must be a single line: please remove the line "
                              "breaks."));
        return true;
    }
    return false;
}

bool CommandEditing::add(const QString &phrase, const QString &kind, const QString &argument,
                         const QString &scriptText)
{
    // The list box's search leaves its find selected in the hidden lists.
    m_list.selectByPhrase(phrase);
    if (isDuplicate(phrase)) {
        refuse(kAddDuplicateMessage);
        m_list.selectEntry(m_list.selectedIndex(CommandList::FalseBrainlist));
        return false;
    }
    if (refuseUnfit(phrase, kind, argument)) {
        m_list.selectEntry(m_list.selectedIndex(CommandList::FalseBrainlist));
        return false;
    }
    const bool script = kind == kScript;
    // The file comes first, so that a script that cannot be written leaves no entry behind.
    if (script && !writeScript(phrase + kScriptSuffix, scriptText))
        return false;
    m_list.append({phrase, kind, script ? phrase + kScriptSuffix : argument});
    save();
    yield();
    return true;
}

CommandEditing::ChangeBox CommandEditing::openChange(int row)
{
    m_list.selectEntry(row);
    ChangeBox box;
    box.phrase = m_list.phrase(row);
    const QString kind = m_list.kind(row);
    const QString argument = m_list.argument(row);
    box.text = argument;
    if (kind == QLatin1String("Open")) {
        box.locked = true;
        box.browsable = true;
    } else if (kind == QLatin1String("Plugin")) {
        box.locked = true;
        box.pluginChoice = true;
    } else if (kind == kRead) {
        box.locked = true;
        box.text = QStringLiteral("Read ") + argument;
    } else if (kind == kScript) {
        // A script file that has gone missing is simply an empty script.
        box.text.clear();
        QFile file(scriptFilePath(argument));
        if (ScriptName::isUsable(argument) && file.open(QIODevice::ReadOnly))
            box.text = scriptFileText(file.readAll());
    }
    return box;
}

bool CommandEditing::isEditable(int row) const
{
    // The reserved entries hold the wake phrase and the stored options, which only the
    // program itself rewrites.
    return row >= CommandList::kReservedCount && row < m_list.count();
}

bool CommandEditing::saveChange(int row, const QString &newPhrase, const QString &text)
{
    if (!isEditable(row))
        return false;
    const QString oldPhrase = m_list.phrase(row);
    const QString kind = m_list.kind(row);
    m_list.selectByPhrase(newPhrase);
    if (newPhrase != oldPhrase && isDuplicate(newPhrase)) {
        refuse(kChangeDuplicateMessage);
        m_list.selectEntry(row);
        return false;
    }
    m_list.selectEntry(row);
    if (refuseUnfit(newPhrase, kind, kind == kRead ? m_list.argument(row) : text))
        return false;

    if (kind == kScript) {
        const QString oldFile = m_list.argument(row);
        const QString newFile = newPhrase + kScriptSuffix;
        // The new file is written before the old one goes, so a failure loses no script.
        if (!writeScript(newFile, text))
            return false;
        if (oldFile != newFile)
            removeScript(oldFile);
        yield();
        m_list.setPhrase(row, newPhrase);
        m_list.setArgument(row, newFile);
    } else if (kind == kRead) {
        m_list.setPhrase(row, newPhrase);
    } else {
        m_list.setPhrase(row, newPhrase);
        m_list.setArgument(row, text);
    }
    save();
    yield();
    return true;
}

void CommandEditing::remove(int row)
{
    if (!isEditable(row))
        return;
    if (m_list.kind(row) == kScript)
        removeScript(m_list.phrase(row) + kScriptSuffix);
    m_list.remove(row);
    save();
}

QString CommandEditing::selectionCaption(const QString &kind, const QString &argument)
{
    if (kind == kRead)
        return kind + ' ' + argument;
    return savedCaption(kind, argument);
}

QString CommandEditing::savedCaption(const QString &kind, const QString &argument)
{
    return kind + QStringLiteral(": ") + argument;
}

QByteArray CommandEditing::scriptFileBytes(const QString &text)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace('\n', QStringLiteral("\r\n"));
    return TextFile::encode(lines + QStringLiteral("\r\n"));
}

QString CommandEditing::scriptFileText(const QByteArray &bytes)
{
    QString text = TextFile::decode(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

QString CommandEditing::scriptFilePath(const QString &fileName) const
{
    return m_paths.scriptPath(fileName);
}

bool CommandEditing::writeScript(const QString &fileName, const QString &text)
{
    if (TextFile::writeAtomically(scriptFilePath(fileName), scriptFileBytes(text)))
        return true;
    refuse(QStringLiteral("The script could not be saved in \"") + scriptFilePath(fileName) +
           QStringLiteral("\". The command list is left as it was."));
    return false;
}

void CommandEditing::removeScript(const QString &fileName)
{
    // A hand-edited list must not make the editor delete a file outside data/.
    if (ScriptName::isUsable(fileName))
        QFile::remove(scriptFilePath(fileName));
}

void CommandEditing::refuse(const QString &text)
{
    m_dialogs.message(kMessageTitle, text);
}

void CommandEditing::save()
{
    if (m_save)
        m_save();
}

void CommandEditing::yield()
{
    if (m_yield)
        m_yield();
}
