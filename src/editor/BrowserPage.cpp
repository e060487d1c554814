#include "BrowserPage.h"

#include "EditorWidgets.h"
#include "ImageButton.h"
#include "PictureBox.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>

using namespace EditorWidgets;

BrowserPage::BrowserPage(QWidget *addPage)
    : QObject(addPage)
{
    m_page = pictureBox("browser", "browserpage", addPage, {0, 0, 4305, 4305});
    m_page->setMovesWindow(true);
    m_page->hide();

    // The drive list lies beneath its picture, which lets clicks through: a click on the drive
    // name opens the list of volumes.
    m_drive1 = new QComboBox(m_page);
    m_drive1->setObjectName(QStringLiteral("Drive1"));
    place(m_drive1, {240, 720, 3735, 315});
    connect(m_drive1, &QComboBox::activated, this, &BrowserPage::chooseDrive);
    PictureBox *picture3 = pictureBox("Picture3", "drive", m_page, {240, 720, 3750, 345});
    picture3->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_drivething = new QLabel(picture3);
    m_drivething->setObjectName(QStringLiteral("drivething"));
    m_drivething->setTextFormat(Qt::PlainText);
    place(m_drivething, {480, 105, 1635, 195});
    m_drivething->setFont(smallFont(10));

    PictureBox *picture1 = pictureBox("Picture1", QString(), m_page, {290, 1200, 3690, 700});
    picture1->setColor(Qt::white);
    pictureBox("scroll2", "scroll2", picture1, {3480, 0, 210, 705});
    m_dir1 = new QListWidget(picture1);
    m_dir1->setObjectName(QStringLiteral("Dir1"));
    place(m_dir1, {-30, -30, 3800, 765});
    PictureBox *picture2 = pictureBox("Picture2", QString(), m_page, {290, 2130, 3705, 975});
    picture2->setColor(Qt::white);
    pictureBox("scroll1", "scroll1", picture2, {3450, -10, 270, 990});
    m_filelist = new QListWidget(picture2);
    m_filelist->setObjectName(QStringLiteral("Filelist"));
    place(m_filelist, {-45, -45, 3800, 1065});
    for (QListWidget *list : {m_dir1, m_filelist}) {
        list->setFrameShape(QFrame::NoFrame);
        list->setAutoFillBackground(false);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        list->verticalScrollBar()->setStyleSheet(QString::fromLatin1(kSkinnedScrollBar));
        list->setFont(smallFont(10));
    }
    connect(m_dir1, &QListWidget::itemClicked, this, [this] { m_openvrap->show(); });
    connect(m_dir1, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { showFolder(item->data(Qt::UserRole).toString()); });

    m_openvrap = imageButton("openvrap", "select", m_page, {240, 3300, 1230, 405});
    connect(m_openvrap, &ImageButton::clicked, this, &BrowserPage::select);
    m_cancelBrowser = imageButton("cancelBrowser", "cancel", m_page, {2880, 3320, 1215, 375});
    connect(m_cancelBrowser, &ImageButton::clicked, this, &BrowserPage::cancel);
}

void BrowserPage::load()
{
    m_page->move(m_page->x(), 0);
    m_volumes = FileBrowsing::volumes();
    m_drive1->clear();
    for (const FileBrowsing::Volume &volume : m_volumes)
        m_drive1->addItem(volume.name, volume.root);
    openFolder(QDir::homePath());
}

void BrowserPage::show()
{
    m_page->show();
}

void BrowserPage::hide()
{
    m_page->hide();
}

void BrowserPage::showDriveName(const QString &name)
{
    // The name's box keeps its rectangle; a longer name ends in an ellipsis, and the drive
    // list shows it whole.
    m_drivething->setText(
        m_drivething->fontMetrics().elidedText(name, Qt::ElideRight, m_drivething->width()));
}

void BrowserPage::chooseDrive(int index)
{
    if (index < 0 || index >= m_volumes.size())
        return;
    showDriveName(m_volumes[index].name);
    showFolder(m_volumes[index].root);
}

void BrowserPage::openFolder(const QString &folder)
{
    const FileBrowsing::Volume volume = FileBrowsing::volumeOf(m_volumes, folder);
    const int index = m_drive1->findData(volume.root);
    if (index >= 0)
        m_drive1->setCurrentIndex(index);
    showDriveName(volume.name);
    showFolder(folder);
}

void BrowserPage::showFolder(const QString &folder)
{
    m_folder = folder;
    const QString root = m_drive1->currentData().toString();
    m_dir1->clear();
    for (const FileBrowsing::FolderRow &row :
         FileBrowsing::folderRows(root.isEmpty() ? QStringLiteral("/") : root, folder)) {
        const QString mark = row.open ? QStringLiteral("\u25BE ") : QStringLiteral("\u25B8 ");
        auto *item = new QListWidgetItem(QString(row.depth * 2, ' ') + mark + row.name, m_dir1);
        item->setData(Qt::UserRole, row.path);
        item->setToolTip(row.path);
        if (row.path == folder)
            m_dir1->setCurrentItem(item, QItemSelectionModel::NoUpdate);
    }
    m_filelist->clear();
    m_filelist->addItems(FileBrowsing::files(folder));
}

void BrowserPage::select()
{
    const QListWidgetItem *file = m_filelist->currentItem();
    const bool picked = file && file->isSelected();
    const QString path = FileBrowsing::chosenPath(m_folder, picked ? file->text() : QString());
    m_page->hide();
    emit chosen(path);
}

void BrowserPage::cancel()
{
    m_page->hide();
    m_openvrap->hide();
    emit cancelled();
}
