#pragma once

#include "FileBrowsing.h"

#include <QObject>

class ImageButton;
class PictureBox;
class QComboBox;
class QLabel;
class QListWidget;
class QWidget;

// The editor's file browser `browser`: the drive list, the folders on the way to the open one
// and its files. Select hands on the path chosen, Cancel nothing; either closes the page.
class BrowserPage : public QObject {
    Q_OBJECT
public:
    // Built inside the add page, over its other controls.
    explicit BrowserPage(QWidget *addPage);

    // The load step: back at the top of the add page, the machine's volumes in the drive list,
    // and the home folder open.
    void load();

    // Opens a folder as a double-click in the folder list would, moving the drive list to the
    // folder's volume first.
    void openFolder(const QString &folder);
    QString folder() const { return m_folder; }

    void show();
    void hide();

signals:
    void chosen(const QString &path);
    void cancelled();

private:
    void showDriveName(const QString &name);
    void chooseDrive(int index);
    void showFolder(const QString &folder);
    void select();
    void cancel();

    PictureBox *m_page = nullptr;
    QComboBox *m_drive1 = nullptr;
    QLabel *m_drivething = nullptr;
    QListWidget *m_dir1 = nullptr;
    QListWidget *m_filelist = nullptr;
    ImageButton *m_openvrap = nullptr;
    ImageButton *m_cancelBrowser = nullptr;
    QString m_folder;
    QList<FileBrowsing::Volume> m_volumes;
};
