#pragma once

#include <QObject>
#include <QString>

class AppPaths;
class PictureBox;
class QListWidget;
class QPixmap;
class QWidget;

// The list of the programs in Plugins/ `plugincontainer`, over the add page's lower half and
// the change box alike.
class PluginList : public QObject {
    Q_OBJECT
public:
    PluginList(const AppPaths &paths, QWidget *window);

    // The load step: the box at its place with the picture of the script box, and the list
    // read afresh.
    void load(const QPixmap &picture);
    // Reads the folder again, keeping the program chosen where it is still there.
    void refresh();
    // The program chosen, as the argument a Plugin command keeps; empty when none is.
    QString selectedPath() const;

    void show();
    void hide();
    bool isVisible() const;

signals:
    void clicked();

private:
    const AppPaths &m_paths;
    PictureBox *m_container = nullptr;
    QListWidget *m_plugins = nullptr;
};
