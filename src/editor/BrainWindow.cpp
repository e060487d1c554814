#include "BrainWindow.h"

#include "AddPage.h"
#include "AppPaths.h"
#include "BrowserPage.h"
#include "CardFlip.h"
#include "ChangeBox.h"
#include "CharacterChooser.h"
#include "CharacterPage.h"
#include "CommandList.h"
#include "Dialogs.h"
#include "EditorSkin.h"
#include "EditorWidgets.h"
#include "FlipShapes.h"
#include "ImageButton.h"
#include "MenuState.h"
#include "PictureBox.h"
#include "PluginList.h"
#include "ShellOpener.h"
#include "TickTimer.h"
#include "Twips.h"
#include "WindowMover.h"

#include <QCoreApplication>
#include <QDate>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBrowser>
#include <QUrl>

using namespace EditorWidgets;

BrainWindow::BrainWindow(const AppPaths &paths, CommandList &list, Dialogs &dialogs,
                         QWidget *parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_paths(paths)
    , m_list(list)
    , m_dialogs(dialogs)
    , m_editing(paths, list, dialogs)
    , m_systemMover(std::make_unique<SystemWindowMover>())
    , m_background(EditorSkin::picture(QStringLiteral("background")))
{
    m_mover = m_systemMover.get();
    setObjectName(QStringLiteral("Brain"));
    setWindowTitle(QStringLiteral("Quillet brain"));
    setFixedSize(Twips::toPixels(kWidthTwips), Twips::toPixels(kHeightTwips));
    setFont(smallFont(11));

    // Created back to front: a later sibling covers an earlier one.
    buildFrontPage();
    buildChangeBox();
    buildAddPage();
    buildPluginList();
    buildCharacterPage();
    buildAboutAndFlipPictures();

    m_flippflopp = new TickTimer(40, false, this);
    connect(m_flippflopp, &TickTimer::tick, this, &BrainWindow::flipTick);
    m_fadeinout = new TickTimer(1, false, this);
    connect(m_fadeinout, &TickTimer::tick, this, &BrainWindow::fadeTick);
}

BrainWindow::~BrainWindow() = default;

void BrainWindow::setSaveTheList(std::function<void()> save)
{
    m_editing.setSaveTheList(std::move(save));
}

void BrainWindow::setWindowMover(WindowMover *mover)
{
    m_mover = mover ? mover : m_systemMover.get();
}

// ---- Building the pages ----

void BrainWindow::buildFrontPage()
{
    m_closebutton = imageButton("closebutton", "closebutton", this, {165, 600, 255, 255});
    connect(m_closebutton, &ImageButton::clicked, this, &BrainWindow::closeEditor);

    // The link image lies beneath the web strip; the strip lets clicks through to it, so a click
    // on the page's preview opens the whole page in the browser.
    m_image1 = imageButton("Image1", "link", this, {240, 1000, 3855, 350});
    m_image1->setToolTip(QStringLiteral("Open the help page in your browser"));
    connect(m_image1, &ImageButton::clicked, this, &BrainWindow::openLink);
    m_picture5 = pictureBox("Picture5", QString(), this, {240, 1005, 3855, 350});
    m_picture5->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_webBrowser = new QTextBrowser(m_picture5);
    m_webBrowser->setObjectName(QStringLiteral("WebBrowser"));
    place(m_webBrowser, {-30, -30, 4455, 1095});
    m_webBrowser->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_webBrowser->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_webBrowser->setOpenLinks(false);

    m_listcontainer = pictureBox("Listcontainer", QString(), this, {380, 1465, 3650, 1540});
    m_listcontainer->setColor(Qt::white);
    pictureBox("scrolllist", "scrolllist", m_listcontainer, {3420, -10, 300, 1575});
    m_falseBrainlist = new QListView(m_listcontainer);
    m_falseBrainlist->setObjectName(QStringLiteral("FalseBrainlist"));
    place(m_falseBrainlist, {-15, -25, 3735, 1590});
    m_falseBrainlist->setModel(&m_list);
    m_falseBrainlist->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_falseBrainlist->setSelectionMode(QAbstractItemView::SingleSelection);
    // Every row is one line: without this the view measures each row again after every add,
    // which is most of an add's time in a list of thousands.
    m_falseBrainlist->setUniformItemSizes(true);
    m_falseBrainlist->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_falseBrainlist->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_falseBrainlist->setFrameShape(QFrame::NoFrame);
    m_falseBrainlist->setAutoFillBackground(false);
    m_falseBrainlist->verticalScrollBar()->setStyleSheet(QString::fromLatin1(kSkinnedScrollBar));
    m_falseBrainlist->installEventFilter(this);
    m_falseBrainlist->viewport()->installEventFilter(this);
    connect(m_falseBrainlist->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                m_list.setSelectedIndex(CommandList::FalseBrainlist,
                                        current.isValid() ? current.row() : -1);
            });
    // A click on the row already selected runs the handler as well.
    connect(m_falseBrainlist, &QListView::clicked, this, [this](const QModelIndex &index) {
        m_list.setSelectedIndex(CommandList::FalseBrainlist, index.row());
        selectionChanged();
    });
    connect(&m_list, &CommandList::selectionChanged, this, [this](CommandList::List which, int) {
        if (which == CommandList::FalseBrainlist)
            selectionChanged();
    });

    m_current = new QLabel(this);
    m_current->setObjectName(QStringLiteral("current"));
    // Shows a command's argument, which is the user's text, never markup.
    m_current->setTextFormat(Qt::PlainText);
    place(m_current, {360, 3075, 3675, 195});
    m_current->setFont(smallFont(10));
    m_current->setStyleSheet(
        QStringLiteral("QLabel { background: rgb(214, 218, 224); color: rgb(40, 44, 52); "
                       "padding-left: 3px; }"));

    m_addnewbutton = imageButton("addnewbutton", "addnew", this, {195, 3285, 1230, 405});
    connect(m_addnewbutton, &ImageButton::clicked, this, &BrainWindow::openAddPage);
    m_removeB = imageButton("removeB", "remove", this, {1540, 3300, 1230, 405});
    m_removeB->hide();
    connect(m_removeB, &ImageButton::clicked, this, &BrainWindow::removeCommand);
    m_changeB = imageButton("changeB", "change", this, {2900, 3300, 1230, 405});
    m_changeB->hide();
    connect(m_changeB, &ImageButton::clicked, this, &BrainWindow::openChangeBox);
}

void BrainWindow::buildChangeBox()
{
    m_changeBox = new ChangeBox(m_editing, this);
    connect(m_changeBox, &ChangeBox::pluginListWanted, this, [this] {
        m_pluginList->refresh();
        m_pluginList->show();
    });
    connect(m_changeBox, &ChangeBox::browseClicked, this, &BrainWindow::browseFromChangeBox);
    connect(m_changeBox, &ChangeBox::saved, this, &BrainWindow::changeSaved);
    // The plugin list is made later, above the box.
    connect(m_changeBox, &ChangeBox::closed, this, [this] { m_pluginList->hide(); });
}

void BrainWindow::buildAddPage()
{
    m_addPage = new AddPage(m_editing, Commandtype, this);
    connect(m_addPage, &AddPage::turnBack, this, &BrainWindow::startFlip);
    connect(m_addPage, &AddPage::browseClicked, this, &BrainWindow::browseFromAddPage);
    m_browserPage = m_addPage->browser();
    connect(m_browserPage, &BrowserPage::chosen, this, &BrainWindow::browsed);
    connect(m_browserPage, &BrowserPage::cancelled, this, &BrainWindow::browserCancelled);
}

void BrainWindow::buildPluginList()
{
    m_pluginList = new PluginList(m_paths, this);
    m_addPage->setPluginList(m_pluginList);
    connect(m_pluginList, &PluginList::clicked, this, &BrainWindow::pluginClicked);
}

void BrainWindow::buildCharacterPage()
{
    m_characterPage = new CharacterPage(this);
    connect(m_characterPage, &CharacterPage::closeClicked, this, &BrainWindow::closeCharacterPage);
}

// ---- Load ----

void BrainWindow::load()
{
    trans = 255;
    m_changeBrowse = false;
    m_fade.reset();
    m_addPage->load();
    m_pluginList->load(EditorSkin::picture(QStringLiteral("scriptbox")));
    m_characterPage->load();
    trans = 255;
    m_browserPage->load();

    m_aboutPicture->move(m_aboutPicture->x(), Twips::toPixels(480));
    m_changeBox->load();
    applyBaseShape();
    // Kept above other windows, as a card on the desk.
    raise();
    if (QFileInfo::exists(m_paths.helpPage()))
        m_webBrowser->setSource(QUrl::fromLocalFile(m_paths.helpPage()));
}

// ---- Front page ----

void BrainWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_background);
}

void BrainWindow::closeEditor()
{
    m_changeBox->close();
    m_pluginList->hide();
    brainOpen = false;
    hide();
}

void BrainWindow::selectionChanged()
{
    const int row = m_list.selectedIndex(CommandList::FalseBrainlist);
    m_list.selectEntry(row);
    const QModelIndex index = m_list.index(row, 0);
    if (m_falseBrainlist->currentIndex() != index) {
        if (index.isValid())
            m_falseBrainlist->setCurrentIndex(index);
        else
            m_falseBrainlist->selectionModel()->clear();
    }
    m_current->setText(row < 0 ? QString()
                               : CommandEditing::selectionCaption(m_list.selectedKind(),
                                                                  m_list.selectedArgument()));
    m_changeB->setVisible(m_editing.isEditable(row));
    updateRemoveAndChange();
}

void BrainWindow::updateRemoveAndChange()
{
    m_removeB->setVisible(m_editing.isEditable(m_list.selectedIndex(CommandList::FalseBrainlist)));
}

bool BrainWindow::listLocked() const
{
    return m_changeBox->isShown() || addPageUp();
}

bool BrainWindow::addPageUp() const
{
    return m_addnewTag == QLatin1String("false") || m_flippflopp->isEnabled();
}

bool BrainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_falseBrainlist && event->type() == QEvent::FocusOut)
        updateRemoveAndChange();
    // The list keeps the keyboard while the change box or the add page is up (the image
    // buttons take no focus); a key or a click there must not move the selection under them.
    if ((watched == m_falseBrainlist || watched == m_falseBrainlist->viewport()) && listLocked()) {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease:
        case QEvent::Wheel:
            return true;
        default:
            break;
        }
    }
    if (watched == m_aboutPicture && event->type() == QEvent::MouseButtonPress) {
        // Filters see presses on a disabled picture too; while it fades it takes none.
        if (!m_aboutPicture->isEnabled() || m_fadeinout->isEnabled())
            return true;
        if (static_cast<QMouseEvent *>(event)->button() == Qt::RightButton)
            m_dialogs.message(QStringLiteral("About Quillet"), aboutMessage());
        else
            startFadeOut();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void BrainWindow::openLink()
{
    if (m_opener)
        m_opener->open(m_paths.helpPage());
}

void BrainWindow::dragwindow()
{
    if (!m_mover->startMove(*this))
        m_manualDrag = mapFromGlobal(QCursor::pos());
}

void BrainWindow::mousePressEvent(QMouseEvent *event)
{
    // The form's own surface, the pages that move the window, and the current-entry line all
    // end up here.
    dragwindow();
    if (m_manualDrag)
        m_manualDrag = event->position().toPoint();
}

void BrainWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (m_manualDrag)
        move(event->globalPosition().toPoint() - *m_manualDrag);
}

void BrainWindow::mouseReleaseEvent(QMouseEvent *)
{
    m_manualDrag.reset();
}

// ---- The add page ----

void BrainWindow::chooseOption(Option option)
{
    m_addPage->chooseOption(option);
}

QLineEdit *BrainWindow::phrasetext() const
{
    return m_addPage->phrasetext();
}

QLineEdit *BrainWindow::action() const
{
    return m_addPage->action();
}

void BrainWindow::openAddPage()
{
    chooseOption(Option::Speak);
    m_addnewTag = QStringLiteral("true");
    flipp = 1;
    startFlip();
}

void BrainWindow::startFlip()
{
    m_flippflopp->setEnabled(true);
}

// ---- The change box ----

void BrainWindow::openChangeBox()
{
    m_changeBox->open(m_list.selectedIndex(CommandList::FalseBrainlist));
}

void BrainWindow::changeSaved(int row)
{
    if (m_list.kind(row) == QLatin1String("Plugin"))
        m_pluginList->hide();
    m_current->setText(CommandEditing::savedCaption(m_list.kind(row), m_list.argument(row)));
}

void BrainWindow::removeCommand()
{
    const int row = m_list.selectedIndex(CommandList::FalseBrainlist);
    if (!m_editing.isEditable(row))
        return;
    m_editing.remove(row);
    m_list.setSelectedIndex(CommandList::FalseBrainlist, row - 1);
}

// ---- The Read choices and the browser page ----

void BrainWindow::browseFromAddPage()
{
    // The plugin list, while up, covers this button: the way back to a file is the Open
    // option again.
    m_changeBrowse = false;
    m_browserPage->show();
}

void BrainWindow::browseFromChangeBox()
{
    m_changeBrowse = true;
    m_browserPage->show();
    m_addPage->show();
}

void BrainWindow::openBrowserFolder(const QString &folder)
{
    m_browserPage->openFolder(folder);
}

QString BrainWindow::browserFolder() const
{
    return m_browserPage->folder();
}

void BrainWindow::browsed(const QString &path)
{
    if (m_changeBrowse) {
        m_changeBox->setText(path);
        m_addPage->hide();
    } else {
        m_addPage->setArgument(path);
    }
}

void BrainWindow::browserCancelled()
{
    if (m_changeBrowse)
        m_addPage->hide();
}

// ---- The plugin list ----

void BrainWindow::pluginClicked()
{
    const QString path = m_pluginList->selectedPath();
    if (m_changeBox->isShown())
        m_changeBox->setText(path);
    else if (m_addPage->isShown() && Commandtype == QLatin1String("Plugin"))
        m_addPage->setArgument(path);
}

// ---- Shape, flip and fade ----

void BrainWindow::buildAboutAndFlipPictures()
{
    m_aboutPicture = pictureBox("aboutpicture", "about", this, {0, 0, 4290, 3345});
    m_aboutPicture->setToolTip(QStringLiteral("Click to hide"));
    m_aboutPicture->hide();
    m_aboutPicture->installEventFilter(this);

    // Every frame of the turn side by side, 5.6 MB decoded: held only while the editor is
    // open or its card turns.
    m_flippi = pictureBox("flippi", QString(), this, {4320, 0, 73095, 4305});
    m_flippi->resize(EditorSkin::size(QStringLiteral("flipstrip")));
}

QWidget *BrainWindow::aboutPicture() const
{
    return m_aboutPicture;
}

QWidget *BrainWindow::flippi() const
{
    return m_flippi;
}

void BrainWindow::applyShape(const QList<ShapeRect> &rects)
{
    m_region.fill(rects);
    setMask(m_region.region());
}

void BrainWindow::applyBaseShape()
{
    applyShape(RegionBuffer::baseShape());
    m_flippi->move(Twips::toPixels(4320), 0);
}

void BrainWindow::applyFrame(int frame)
{
    applyShape(FlipShapes::shape(frame));
    m_flippi->move(-FlipShapes::sliceLeft(frame), 0);
}

void BrainWindow::holdFlipStrip(bool hold)
{
    if (hold == !m_flippi->picture().isNull())
        return;
    m_flippi->setPicture(hold ? EditorSkin::picture(QStringLiteral("flipstrip")) : QPixmap());
}

void BrainWindow::showEvent(QShowEvent *event)
{
    holdFlipStrip(true);
    QWidget::showEvent(event);
}

void BrainWindow::hideEvent(QHideEvent *event)
{
    if (!m_flippflopp->isEnabled())
        holdFlipStrip(false);
    QWidget::hideEvent(event);
}

void BrainWindow::flipTick()
{
    // A script may turn the card of a closed editor.
    holdFlipStrip(true);
    const CardFlip::Step step = CardFlip::tick(flipp, m_addnewTag);
    switch (step.show) {
    case CardFlip::Show::FrontPage:
        applyBaseShape();
        break;
    case CardFlip::Show::Frame:
        applyFrame(step.frame);
        break;
    case CardFlip::Show::Edge:
        m_addPage->hideForTurn();
        applyFrame(step.frame);
        QCoreApplication::processEvents();
        m_addPage->hide();
        break;
    case CardFlip::Show::AddPage:
        applyBaseShape();
        m_addPage->showAfterTurn();
        break;
    case CardFlip::Show::Nothing:
        break;
    }
    if (step.ended) {
        m_flippflopp->setEnabled(false);
        if (isHidden())
            holdFlipStrip(false);
    }
}

void BrainWindow::addflipp()
{
    if (m_addPage->isShown())
        return;
    show();
    m_addPage->prepareForScript();
    m_addnewTag = QStringLiteral("true");
    flipp = 1;
    m_flippflopp->setEnabled(true);
}

void BrainWindow::cancelflipp()
{
    if (!m_addPage->isShown())
        return;
    m_flippflopp->setEnabled(true);
    m_addPage->clearForScript();
}

void BrainWindow::SetTrans(int alpha)
{
    setWindowOpacity(qBound(0, alpha, 255) / 255.0);
}

void BrainWindow::settingtrans()
{
    // A fade left running would go on from the new level and never meet its end.
    if (m_fadeinout->isEnabled()) {
        m_fadeinout->setEnabled(false);
        m_fade.reset();
        m_aboutPicture->setEnabled(true);
        setFadeMenuItemsEnabled(true);
    }
    if (trans == 255)
        return;
    trans = 255;
    SetTrans(trans);
    QCoreApplication::processEvents();
}

void BrainWindow::aboutgrej()
{
    // No second fade may start while this one runs, whoever asked for it.
    setFadeMenuItemsEnabled(false);
    show();
    trans = 0;
    SetTrans(0);
    m_fadeinout->setEnabled(true);
}

void BrainWindow::startFadeOut()
{
    if (m_fadeinout->isEnabled())
        return;
    trans = 254;
    m_fadeinout->setEnabled(true);
    setFadeMenuItemsEnabled(false);
}

void BrainWindow::setFadeMenuItemsEnabled(bool enabled)
{
    if (!m_menu)
        return;
    m_menu->setEnabled(MenuState::About, enabled);
    m_menu->setEnabled(MenuState::EditBrain, enabled);
}

void BrainWindow::fadeTick()
{
    const AboutFade::Step step = m_fade.tick(trans, m_aboutPicture->isVisible(), brainOpen);
    if (step.showPicture)
        m_aboutPicture->show();
    if (step.hidePicture)
        m_aboutPicture->hide();
    if (step.hideWindow)
        hide();
    else
        SetTrans(trans);
    m_aboutPicture->setEnabled(step.ended);
    if (step.ended) {
        setFadeMenuItemsEnabled(true);
        m_fadeinout->setEnabled(false);
    }
}

QString BrainWindow::aboutMessage()
{
    const QDate built =
        QDate::fromString(QString::fromLatin1(__DATE__).simplified(), QStringLiteral("MMM d yyyy"));
    return QStringLiteral("Quillet %1, built on %2\nWritten by the Quillet developers; made by "
                          "the Quillet project.")
        .arg(QCoreApplication::applicationVersion().isEmpty()
                 ? QStringLiteral("0.1")
                 : QCoreApplication::applicationVersion(),
             built.toString(QStringLiteral("d MMMM yyyy")));
}

// ---- The character page ----

CharacterChooser *BrainWindow::characterlist() const
{
    return m_characterPage->chooser();
}

int BrainWindow::chooserTop() const
{
    return m_characterPage->chooserTop();
}

void BrainWindow::setChooserTop(int twips)
{
    m_characterPage->setChooserTop(twips);
}

void BrainWindow::showCharacterPage()
{
    m_characterPage->show();
}

void BrainWindow::hideCharacterPage()
{
    m_characterPage->hide();
}

bool BrainWindow::characterPageShown() const
{
    return m_characterPage->isShown();
}

void BrainWindow::closeCharacterPage()
{
    // A window without the editor open goes first, so the page beneath never shows.
    if (!brainOpen)
        hide();
    m_characterPage->hide();
}
