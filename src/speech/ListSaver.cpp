#include "ListSaver.h"

#include "AppPaths.h"
#include "CommandList.h"
#include "Dialogs.h"
#include "MenuState.h"
#include "Recognizer.h"
#include "TextFile.h"

ListSaver::ListSaver(const AppPaths &paths, CommandList &list, MenuState &menu,
                     Recognizer &recognizer, Dialogs &dialogs)
    : m_paths(paths)
    , m_list(list)
    , m_menu(menu)
    , m_recognizer(recognizer)
    , m_dialogs(dialogs)
{}

QString ListSaver::failureMessage(const QString &path, const QString &reason)
{
    return QStringLiteral("Your commands could not be saved in \"") + path +
           QStringLiteral("\": ") + reason +
           QStringLiteral(".\n\nThey are kept as you made them while Quillet runs, and saved "
                          "with your next change once the disk has room and can be written.");
}

QByteArray ListSaver::grammarText(const CommandList &list)
{
    // The section name is spelled "Grammer": the recognizer reads it as written.
    QString text = QStringLiteral("[Grammer]\r\ntype=cfg\r\n[<start>]\r\n");
    for (int i = 0; i < list.count(); ++i) {
        const QString phrase = list.phrase(i);
        if (!phrase.isEmpty())
            text += QStringLiteral("<start>=") + phrase + QStringLiteral("\r\n");
    }
    text += QStringLiteral("\r\n");
    return TextFile::encode(text);
}

bool ListSaver::savethelist()
{
    QString failedPath;
    QString reason;
    if (!TextFile::writeAtomically(m_paths.brainlistPath(), m_list.serialize(), &reason))
        failedPath = m_paths.brainlistPath();
    const QByteArray grammar = grammarText(m_list);
    m_list.setSelectedIndex(CommandList::Brainlist, -1);
    QString grammarReason;
    if (!TextFile::writeAtomically(m_paths.grammarPath(), grammar, &grammarReason) &&
        failedPath.isEmpty()) {
        failedPath = m_paths.grammarPath();
        reason = grammarReason;
    }
    m_recognizer.deactivate();
    m_recognizer.loadGrammar(m_paths.grammarPath());
    if (!m_menu.isChecked(MenuState::Sleep))
        m_recognizer.activate();

    const bool saved = failedPath.isEmpty();
    // Told after the recognizer is back: the box waits for the user, who may go on talking.
    if (!saved && !m_failing) {
        m_failing = true;
        m_dialogs.message(QStringLiteral("Quillet"), failureMessage(failedPath, reason));
    }
    if (saved)
        m_failing = false;
    return saved;
}
