#include "AddPage.h"

#include "BrowserPage.h"
#include "CommandEditing.h"
#include "EditorSkin.h"
#include "EditorWidgets.h"
#include "ImageButton.h"
#include "LinkLabel.h"
#include "PictureBox.h"
#include "PluginList.h"
#include "Twips.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

using namespace EditorWidgets;
using Option = AddOptions::Option;

AddPage::AddPage(CommandEditing &editing, QString &kind, QWidget *window)
    : QObject(window)
    , m_editing(editing)
    , m_kind(kind)
{
    m_page = pictureBox("addform", "addpage", window, {0, 0, 4305, 4305});
    m_page->setMovesWindow(true);
    m_page->hide();

    const struct {
        const char *name;
        const char *picture;
        QRect twips;
        Option option;
    } options[] = {{"scriptradio", "scriptradio", {300, 1770, 650, 195}, Option::Script},
                   {"openradio", "openradio", {1080, 1770, 655, 195}, Option::Open},
                   {"speakhider", "speakradio", {1800, 1770, 720, 195}, Option::Speak},
                   {"typeradio", "typeradio", {2600, 1770, 615, 195}, Option::Type},
                   {"readradio", "readradio", {3270, 1770, 665, 195}, Option::Read}};
    for (const auto &o : options) {
        ImageButton *button = imageButton(o.name, o.picture, m_page, o.twips);
        m_markers[int(o.option)] = button;
        const Option option = o.option;
        connect(button, &ImageButton::clicked, this, [this, option] { chooseOption(option); });
    }
    m_speakhider = m_markers[int(Option::Speak)];
    m_speakhider->hide();
    m_dot = new QLabel(m_page);
    m_dot->setObjectName(QStringLiteral("dot"));
    m_dot->setPixmap(EditorSkin::picture(QStringLiteral("dot")));
    place(m_dot, {1800, 1770, 195, 195});
    // The marker sits on its option; a click on it is a click on the option.
    m_dot->setAttribute(Qt::WA_TransparentForMouseEvents);

    m_loadplugin = new LinkLabel(QStringLiteral("Load a plugin"), m_page);
    m_loadplugin->setObjectName(QStringLiteral("loadplugin"));
    place(m_loadplugin, {240, 2400, 960, 195});
    m_loadplugin->setFont(smallFont(9));
    m_loadplugin->setStyleSheet(
        QStringLiteral("QLabel { color: rgb(30, 70, 150); text-decoration: underline; }"));
    m_loadplugin->hide();
    connect(m_loadplugin, &LinkLabel::clicked, this, &AddPage::loadPlugin);

    m_phrasetext = new QLineEdit(m_page);
    m_phrasetext->setObjectName(QStringLiteral("phrasetext"));
    place(m_phrasetext, {360, 1320, 3495, 255});
    m_action = new QLineEdit(m_page);
    m_action->setObjectName(QStringLiteral("action"));
    place(m_action, {360, 2100, 3495, 255});
    m_browseButton = imageButton("BrowseButton", "browsebutton", m_page, {3690, 2100, 240, 210});
    m_browseButton->setToolTip(QStringLiteral("Choose a file or folder"));
    m_browseButton->hide();
    connect(m_browseButton, &ImageButton::clicked, this, &AddPage::browseClicked);
    connect(m_phrasetext, &QLineEdit::textChanged, this, [this] {
        if (m_plugins && m_plugins->isVisible())
            m_action->setText(m_plugins->selectedPath());
        updateAddButton();
    });
    connect(m_action, &QLineEdit::textChanged, this, &AddPage::updateAddButton);

    m_sellectedcontainer =
        pictureBox("sellectedcontainer", "readchoices", m_page, {240, 2040, 3780, 840});
    m_sellectedcontainer->hide();
    const struct {
        const char *name;
        QRect twips;
    } rows[AddOptions::kReadRows] = {{"telltime", {0, 120, 975, 255}},
                                     {"telldate", {0, 360, 975, 255}},
                                     {"readtext", {0, 600, 2175, 255}}};
    for (int row = 0; row < AddOptions::kReadRows; ++row) {
        ImageButton *choice =
            imageButton(rows[row].name, rows[row].name, m_sellectedcontainer, rows[row].twips);
        connect(choice, &ImageButton::clicked, this, [this, row] { chooseReadRow(row); });
    }
    m_dot2 = new QLabel(m_sellectedcontainer);
    m_dot2->setObjectName(QStringLiteral("dot2"));
    m_dot2->setPixmap(EditorSkin::picture(QStringLiteral("dot2")));
    place(m_dot2, {30, 120, 195, 195});
    m_dot2->setAttribute(Qt::WA_TransparentForMouseEvents);

    m_scriptcontainer = pictureBox("scriptcontainer", "scriptbox", m_page, {240, 2040, 3795, 1200});
    m_scriptcontainer->hide();
    m_scriptthing = new QPlainTextEdit(m_scriptcontainer);
    m_scriptthing->setObjectName(QStringLiteral("scriptthing"));
    place(m_scriptthing, {60, 70, 3650, 1050});
    m_scriptthing->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    m_add = imageButton("add", "add", m_page, {240, 3320, 1230, 405});
    m_add->hide();
    connect(m_add, &ImageButton::clicked, this, &AddPage::add);
    ImageButton *cancelb = imageButton("cancelb", "cancel", m_page, {2880, 3320, 1215, 375});
    connect(cancelb, &ImageButton::clicked, this, &AddPage::cancel);

    // Over the page's other controls.
    m_browser = new BrowserPage(m_page);
}

void AddPage::load()
{
    m_page->move(m_page->x(), 0);
}

void AddPage::chooseOption(Option option)
{
    const AddOptions::Offer offer = AddOptions::offer(option);
    m_kind = offer.kind;
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
    if (m_plugins)
        m_plugins->hide();
    m_dot->move(m_markers[int(option)]->pos());
}

void AddPage::setArgument(const QString &argument)
{
    m_action->setText(argument);
}

bool AddPage::isShown() const
{
    return m_page->isVisible();
}

void AddPage::show()
{
    m_page->show();
}

void AddPage::hide()
{
    m_page->hide();
}

void AddPage::hideForTurn()
{
    m_loadplugin->hide();
    QCoreApplication::processEvents();
}

void AddPage::showAfterTurn()
{
    m_page->show();
    m_page->move(m_page->x(), 0);
}

void AddPage::prepareForScript()
{
    m_action->clear();
    m_browseButton->hide();
    m_action->setReadOnly(false);
    m_speakhider->hide();
    m_dot->move(m_speakhider->pos());
    m_kind = QStringLiteral("Speak");
    m_sellectedcontainer->hide();
    m_scriptcontainer->hide();
}

void AddPage::clearForScript()
{
    m_scriptcontainer->hide();
    m_sellectedcontainer->hide();
    clearEntry();
}

void AddPage::updateAddButton()
{
    m_add->setVisible(CommandEditing::isComplete(m_phrasetext->text(), m_action->text()));
}

void AddPage::add()
{
    m_sellectedcontainer->hide();
    m_scriptcontainer->hide();
    if (m_plugins)
        m_plugins->hide();
    if (!m_editing.add(m_phrasetext->text(), m_kind, m_action->text(),
                       m_scriptthing->toPlainText()))
        return;
    emit turnBack();
    clearEntry();
}

void AddPage::cancel()
{
    if (m_plugins)
        m_plugins->hide();
    m_scriptcontainer->hide();
    m_sellectedcontainer->hide();
    QCoreApplication::processEvents();
    emit turnBack();
    clearEntry();
}

void AddPage::clearEntry()
{
    m_add->hide();
    m_action->clear();
    m_phrasetext->clear();
}

void AddPage::chooseReadRow(int row)
{
    m_dot2->move(Twips::toPixels(30), Twips::toPixels(AddOptions::readRowTopTwips(row)));
    m_action->setText(AddOptions::readArgument(row));
}

void AddPage::loadPlugin()
{
    if (!m_plugins)
        return;
    m_kind = QStringLiteral("Plugin");
    m_plugins->refresh();
    m_plugins->show();
    m_action->setText(m_plugins->selectedPath());
}
