#include "BrainWindow.h"

#include "CommandList.h"

#include <QListView>
#include <QVBoxLayout>

BrainWindow::BrainWindow(CommandList &list, QWidget *parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_list(list)
    , m_falseBrainlist(new QListView(this))
{
    setObjectName(QStringLiteral("Brain"));
    setWindowTitle(QStringLiteral("Quillet brain"));
    m_falseBrainlist->setObjectName(QStringLiteral("FalseBrainlist"));
    m_falseBrainlist->setModel(&m_list);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_falseBrainlist);
    resize(287, 287);
}
