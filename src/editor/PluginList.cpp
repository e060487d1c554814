#include "PluginList.h"

#include "AppPaths.h"
#include "EditorWidgets.h"
#include "FileBrowsing.h"
#include "PictureBox.h"

#include <QListWidget>

using namespace EditorWidgets;

PluginList::PluginList(const AppPaths &paths, QWidget *window)
    : QObject(window)
    , m_paths(paths)
{
    m_container = pictureBox("plugincontainer", "scriptbox", window, {240, 2040, 3795, 1200});
    m_container->hide();
    PictureBox *hider = pictureBox("pluginhider", QString(), m_container, {80, 120, 3635, 980});
    hider->setColor(window->palette().color(QPalette::Base));
    m_plugins = new QListWidget(hider);
    m_plugins->setObjectName(QStringLiteral("plugins"));
    place(m_plugins, {-15, -15, 3660, 1005});
    m_plugins->setFont(smallFont(10));
    connect(m_plugins, &QListWidget::itemClicked, this, &PluginList::clicked);
}

void PluginList::load(const QPixmap &picture)
{
    refresh();
    place(m_container, {240, 2040, 3795, 1200});
    m_container->setPicture(picture);
}

void PluginList::refresh()
{
    const QString selected = m_plugins->currentItem() && m_plugins->currentItem()->isSelected()
                                 ? m_plugins->currentItem()->text()
                                 : QString();
    m_plugins->clear();
    m_plugins->addItems(FileBrowsing::files(m_paths.pluginsDir()));
    if (!selected.isEmpty()) {
        const QList<QListWidgetItem *> same = m_plugins->findItems(selected, Qt::MatchExactly);
        if (!same.isEmpty())
            m_plugins->setCurrentItem(same.first());
    }
}

QString PluginList::selectedPath() const
{
    const QListWidgetItem *item = m_plugins->currentItem();
    if (!item || !item->isSelected())
        return {};
    return m_paths.pluginsDir() + '/' + item->text();
}

void PluginList::show()
{
    m_container->show();
}

void PluginList::hide()
{
    m_container->hide();
}

bool PluginList::isVisible() const
{
    return m_container->isVisible();
}
