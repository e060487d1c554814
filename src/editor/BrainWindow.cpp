#include "BrainWindow.h"

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
#include "LinkLabel.h"
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
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
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
    m_addform = pictureBox("addform", "addpage", this, {0, 0, 4305, 4305});
    m_addform->setMovesWindow(true);
    m_addform->hide();

    m_scriptradio = imageButton("scriptradio", "scriptradio", m_addform, {300, 1770, 650, 195});
    m_openradio = imageButton("openradio", "openradio", m_addform, {1080, 1770, 655, 195});
    m_speakhider = imageButton("speakhider", "speakradio", m_addform, {1800, 1770, 720, 195});
    m_speakhider->hide();
    m_typeradio = imageButton("typeradio", "typeradio", m_addform, {2600, 1770, 615, 195});
    m_readradio = imageButton("readradio", "readradio", m_addform, {3270, 1770, 665, 195});
    connect(m_scriptradio, &ImageButton::clicked, this, [this] { chooseOption(Option::Script); });
    connect(m_openradio, &ImageButton::clicked, this, [this] { chooseOption(Option::Open); });
    connect(m_speakhider, &ImageButton::clicked, this, [this] { chooseOption(Option::Speak); });
    connect(m_typeradio, &ImageButton::clicked, this, [this] { chooseOption(Option::Type); });
    connect(m_readradio, &ImageButton::clicked, this, [this] { chooseOption(Option::Read); });
    m_dot = new QLabel(m_addform);
    m_dot->setObjectName(QStringLiteral("dot"));
    m_dot->setPixmap(EditorSkin::picture(QStringLiteral("dot")));
    place(m_dot, {1800, 1770, 195, 195});
    // The marker sits on its option; a click on it is a click on the option.
    m_dot->setAttribute(Qt::WA_TransparentForMouseEvents);

    m_loadplugin = new LinkLabel(QStringLiteral("Load a plugin"), m_addform);
    m_loadplugin->setObjectName(QStringLiteral("loadplugin"));
    place(m_loadplugin, {240, 2400, 960, 195});
    m_loadplugin->setFont(smallFont(9));
    m_loadplugin->setStyleSheet(
        QStringLiteral("QLabel { color: rgb(30, 70, 150); text-decoration: underline; }"));
    m_loadplugin->hide();
    connect(m_loadplugin, &LinkLabel::clicked, this, &BrainWindow::loadPlugin);

    m_phrasetext = new QLineEdit(m_addform);
    m_phrasetext->setObjectName(QStringLiteral("phrasetext"));
    place(m_phrasetext, {360, 1320, 3495, 255});
    m_action = new QLineEdit(m_addform);
    m_action->setObjectName(QStringLiteral("action"));
    place(m_action, {360, 2100, 3495, 255});
    m_browseButton = imageButton("BrowseButton", "browsebutton", m_addform, {3690, 2100, 240, 210});
    m_browseButton->setToolTip(QStringLiteral("Choose a file or folder"));
    m_browseButton->hide();
    connect(m_browseButton, &ImageButton::clicked, this, &BrainWindow::browseFromAddPage);
    connect(m_phrasetext, &QLineEdit::textChanged, this, [this] {
        if (m_pluginList->isVisible())
            m_action->setText(m_pluginList->selectedPath());
        updateAddButton();
    });
    connect(m_action, &QLineEdit::textChanged, this, &BrainWindow::updateAddButton);

    m_sellectedcontainer =
        pictureBox("sellectedcontainer", "readchoices", m_addform, {240, 2040, 3780, 840});
    m_sellectedcontainer->hide();
    const struct {
        const char *name;
        QRect twips;
    } rows[] = {{"telltime", {0, 120, 975, 255}},
                {"telldate", {0, 360, 975, 255}},
                {"readtext", {0, 600, 2175, 255}}};
    for (int row = 0; row < 3; ++row) {
        ImageButton *choice =
            imageButton(rows[row].name, rows[row].name, m_sellectedcontainer, rows[row].twips);
        connect(choice, &ImageButton::clicked, this, [this, row] { chooseReadRow(row); });
    }
    m_dot2 = new QLabel(m_sellectedcontainer);
    m_dot2->setObjectName(QStringLiteral("dot2"));
    m_dot2->setPixmap(EditorSkin::picture(QStringLiteral("dot2")));
    place(m_dot2, {30, 120, 195, 195});
    m_dot2->setAttribute(Qt::WA_TransparentForMouseEvents);

    m_scriptcontainer =
        pictureBox("scriptcontainer", "scriptbox", m_addform, {240, 2040, 3795, 1200});
    m_scriptcontainer->hide();
    m_scriptthing = new QPlainTextEdit(m_scriptcontainer);
    m_scriptthing->setObjectName(QStringLiteral("scriptthing"));
    place(m_scriptthing, {60, 70, 3650, 1050});
    m_scriptthing->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    m_add = imageButton("add", "add", m_addform, {240, 3320, 1230, 405});
    m_add->hide();
    connect(m_add, &ImageButton::clicked, this, &BrainWindow::addCommand);
    m_cancelb = imageButton("cancelb", "cancel", m_addform, {2880, 3320, 1215, 375});
    connect(m_cancelb, &ImageButton::clicked, this, &BrainWindow::cancelAddPage);

    // Over the add page's other controls.
    m_browserPage = new BrowserPage(m_addform);
    connect(m_browserPage, &BrowserPage::chosen, this, &BrainWindow::browsed);
    connect(m_browserPage, &BrowserPage::cancelled, this, &BrainWindow::browserCancelled);
}

void BrainWindow::buildPluginList()
{
    m_pluginList = new PluginList(m_paths, this);
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
    m_addform->move(m_addform->x(), 0);
    m_pluginList->load(m_scriptcontainer->picture());
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
    ImageButton *const markers[] = {m_scriptradio, m_openradio, m_speakhider, m_typeradio,
                                    m_readradio};
    const AddOptions::Offer offer = AddOptions::offer(option);
    Commandtype = offer.kind;
    m_action->setText(offer.startArgument);
    m_action->setReadOnly(offer.argumentReadOnly);
    m_browseButton->setVisible(offer.browse);
    m_loadplugin->setVisible(offer.browse);
    // The Speak option's picture hides the word drawn on the page beneath it while chosen.
    m_speakhider->setVisible(option != Option::Speak);
    m_sellectedcontainer->setVisible(offer.readChoices);
    m_scriptcontainer->setVisible(offer.scriptBox);
    if (offer.scriptBox)
        m_scriptthing->clear();
    m_pluginList->hide();
    m_dot->move(markers[int(option)]->pos());
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

void BrainWindow::updateAddButton()
{
    m_add->setVisible(CommandEditing::isComplete(m_phrasetext->text(), m_action->text()));
}

void BrainWindow::addCommand()
{
    m_sellectedcontainer->hide();
    m_scriptcontainer->hide();
    m_pluginList->hide();
    if (!m_editing.add(m_phrasetext->text(), Commandtype, m_action->text(),
                       m_scriptthing->toPlainText()))
        return;
    startFlip();
    m_add->hide();
    m_action->clear();
    m_phrasetext->clear();
}

void BrainWindow::cancelAddPage()
{
    m_pluginList->hide();
    m_scriptcontainer->hide();
    m_sellectedcontainer->hide();
    QCoreApplication::processEvents();
    startFlip();
    m_add->hide();
    m_action->clear();
    m_phrasetext->clear();
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

void BrainWindow::chooseReadRow(int row)
{
    m_dot2->move(Twips::toPixels(30), Twips::toPixels(AddOptions::readRowTopTwips(row)));
    m_action->setText(AddOptions::readArgument(row));
}

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
    m_addform->show();
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
        m_addform->hide();
    } else {
        m_action->setText(path);
    }
}

void BrainWindow::browserCancelled()
{
    if (m_changeBrowse)
        m_addform->hide();
}

// ---- The plugin list ----

void BrainWindow::loadPlugin()
{
    Commandtype = QStringLiteral("Plugin");
    m_pluginList->refresh();
    m_pluginList->show();
    m_action->setText(m_pluginList->selectedPath());
}

void BrainWindow::pluginClicked()
{
    const QString path = m_pluginList->selectedPath();
    if (m_changeBox->isShown())
        m_changeBox->setText(path);
    else if (m_addform->isVisible() && Commandtype == QLatin1String("Plugin"))
        m_action->setText(path);
}

// ---- Shape, flip and fade ----

void BrainWindow::buildAboutAndFlipPictures()
{
    m_aboutPicture = pictureBox("aboutpicture", "about", this, {0, 0, 4290, 3345});
    m_aboutPicture->setToolTip(QStringLiteral("Click to hide"));
    m_aboutPicture->hide();
    m_aboutPicture->installEventFilter(this);

    m_flippi = pictureBox("flippi", "flipstrip", this, {4320, 0, 73095, 4305});
    m_flippi->resize(m_flippi->picture().size());
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

void BrainWindow::flipTick()
{
    const CardFlip::Step step = CardFlip::tick(flipp, m_addnewTag);
    switch (step.show) {
    case CardFlip::Show::FrontPage:
        applyBaseShape();
        break;
    case CardFlip::Show::Frame:
        applyFrame(step.frame);
        break;
    case CardFlip::Show::Edge:
        m_loadplugin->hide();
        QCoreApplication::processEvents();
        applyFrame(step.frame);
        QCoreApplication::processEvents();
        m_addform->hide();
        break;
    case CardFlip::Show::AddPage:
        applyBaseShape();
        m_addform->show();
        m_addform->move(m_addform->x(), 0);
        break;
    case CardFlip::Show::Nothing:
        break;
    }
    if (step.ended)
        m_flippflopp->setEnabled(false);
}

void BrainWindow::addflipp()
{
    if (m_addform->isVisible())
        return;
    show();
    m_action->clear();
    m_browseButton->hide();
    m_action->setReadOnly(false);
    m_speakhider->hide();
    m_dot->move(m_speakhider->pos());
    Commandtype = QStringLiteral("Speak");
    m_sellectedcontainer->hide();
    m_scriptcontainer->hide();
    m_addnewTag = QStringLiteral("true");
    flipp = 1;
    m_flippflopp->setEnabled(true);
}

void BrainWindow::cancelflipp()
{
    if (!m_addform->isVisible())
        return;
    m_scriptcontainer->hide();
    m_sellectedcontainer->hide();
    m_flippflopp->setEnabled(true);
    m_add->hide();
    m_action->clear();
    m_phrasetext->clear();
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
