#include "ListSaver.h"

#include "AppPaths.h"
#include "CommandList.h"
#include "MenuState.h"
#include "Recognizer.h"
#include "TextFile.h"

ListSaver::ListSaver(const AppPaths &paths, CommandList &list, MenuState &menu,
                     Recognizer &recognizer)
    : m_paths(paths)
    , m_list(list)
    , m_menu(menu)
    , m_recognizer(recognizer)
{}

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

void ListSaver::savethelist()
{
    m_list.save(m_paths.brainlistPath());
    const QByteArray grammar = grammarText(m_list);
    m_list.setSelectedIndex(CommandList::Brainlist, -1);
    TextFile::writeAtomically(m_paths.grammarPath(), grammar);
    m_recognizer.deactivate();
    m_recognizer.loadGrammar(m_paths.grammarPath());
    if (m_menu.isChecked(MenuState::Sleep))
        return;
    m_recognizer.activate();
}
