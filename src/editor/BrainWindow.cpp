#include "BrainWindow.h"

#include "CharacterChooser.h"
#include "CommandList.h"

#include <QLineEdit>
#include <QListView>
#include <QVBoxLayout>

BrainWindow::BrainWindow(CommandList &list, QWidget *parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_list(list)
    , m_falseBrainlist(new QListView(this))
    , m_phrasetext(new QLineEdit(this))
    , m_action(new QLineEdit(this))
    , m_characterlist(new CharacterChooser(this))
{
    setObjectName(QStringLiteral("Brain"));
    setWindowTitle(QStringLiteral("Quillet brain"));
    m_falseBrainlist->setObjectName(QStringLiteral("FalseBrainlist"));
    m_falseBrainlist->setModel(&m_list);
    m_phrasetext->setObjectName(QStringLiteral("phrasetext"));
    m_action->setObjectName(QStringLiteral("action"));
    // The add page is a later page of the editor; its boxes wait hidden.
    m_phrasetext->hide();
    m_action->hide();
    m_characterlist->hide();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_falseBrainlist);
    resize(287, 287);
}
