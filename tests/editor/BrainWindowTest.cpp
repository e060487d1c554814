// The command editor with its real widgets, driven by clicks and typing as a user would.
#include "BrainWindow.h"
#include "CharacterChooser.h"
#include "CommandList.h"
#include "FakeServices.h"
#include "ImageButton.h"
#include "PictureBox.h"
#include "Program.h"
#include "RecordingDialogs.h"
#include "TempAppFolder.h"
#include "TickTimer.h"
#include "UserClick.h"
#include "WindowMover.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const char kList[] = "Pebble listen\r\nSpeak\r\nI hear you\r\n"
                     "never mind\r\nSpeak\r\nWhat ever\r\n"
                     "stop speak\r\nSpeak\r\nOk\r\n"
                     "go to sleep\r\nSpeak\r\nI hope I am sleepy\r\n"
                     "Hello\r\nSpeak\r\nHello there\r\n"           // 4
                     "what time is it\r\nRead\r\nthe time\r\n"     // 5
                     "Lights\r\nScript\r\nLights.txt\r\n"          // 6
                     "open my notes\r\nOpen\r\n/tmp/notes.txt\r\n" // 7
                     "clock\r\nPlugin\r\n@PLUGINS@/clock\r\n";     // 8

class BrainWindowTest : public testing::Test {
protected:
    BrainWindowTest()
    {
        QByteArray list(kList);
        list.replace("@PLUGINS@", m_app.paths().pluginsDir().toUtf8());
        m_app.write("data/brainlist", list);
        m_app.write("data/Lights.txt", "Bubble.caption = \"on\"\r\n");
        m_app.write("data/Other.txt", "keep me\r\n");
        m_app.write("Plugins/clock", "#!/bin/sh\n");
        m_app.write("Plugins/weather", "#!/bin/sh\n");
        m_program = std::make_unique<Program>(m_app.paths(), m_fakes.make(), m_dialogs);
        EXPECT_TRUE(m_program->start());
        brain().brainOpen = true;
        brain().show();
    }

    BrainWindow &brain() { return m_program->brain(); }
    CommandList &list() { return m_program->commands(); }

    template <typename T = QWidget>
    T *control(const char *name)
    {
        T *found = brain().findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    bool shown(const char *name) { return control(name)->isVisible(); }

    // Clicks the control as a user does: at its middle in the window, which must be the
    // control itself and not another page over it.
    void click(const char *name)
    {
        QWidget *widget = control(name);
        ASSERT_TRUE(widget->isVisible()) << name << " is not shown";
        const QWidget *hit = UserClick::widgetAt(&brain(), UserClick::centreOf(widget));
        ASSERT_TRUE(hit == widget || widget->isAncestorOf(hit))
            << name << " is covered by " << qPrintable(hit->objectName());
        UserClick::on(widget);
        finishFlip();
    }
    // Runs a flip the click started to its end, as its timer would.
    void finishFlip()
    {
        for (int tick = 0; tick < 40 && brain().flippflopp()->isEnabled(); ++tick)
            brain().flipTick();
    }
    void type(const char *name, const QString &text)
    {
        QWidget *box = control(name);
        box->setFocus();
        QTest::keyClicks(box, text);
    }
    void selectRow(int row)
    {
        auto *view = control<QListView>("FalseBrainlist");
        const QRect at = view->visualRect(list().index(row, 0));
        if (at.isValid() && view->viewport()->rect().contains(at.center())) {
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at.center());
        } else {
            view->scrollTo(list().index(row, 0));
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                              view->visualRect(list().index(row, 0)).center());
        }
        ASSERT_EQ(list().selectedIndex(CommandList::FalseBrainlist), row);
    }
    void clickListItem(const char *listName, const QString &text)
    {
        auto *widget = control<QListWidget>(listName);
        const QList<QListWidgetItem *> items = widget->findItems(text, Qt::MatchEndsWith);
        ASSERT_FALSE(items.isEmpty()) << text.toStdString();
        widget->scrollToItem(items.first());
        QTest::mouseClick(widget->viewport(), Qt::LeftButton, {},
                          widget->visualItemRect(items.first()).center());
    }
    void doubleClickListItem(const char *listName, const QString &text)
    {
        auto *widget = control<QListWidget>(listName);
        const QList<QListWidgetItem *> items = widget->findItems(text, Qt::MatchEndsWith);
        ASSERT_FALSE(items.isEmpty()) << text.toStdString();
        widget->scrollToItem(items.first());
        const QPoint at = widget->visualItemRect(items.first()).center();
        QTest::mouseClick(widget->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(widget->viewport(), Qt::LeftButton, {}, at);
    }

    // The file as saved, three lines an entry.
    QStringList saved()
    {
        return QString::fromUtf8(m_app.read("data/brainlist")).split("\r\n", Qt::SkipEmptyParts);
    }
    QStringList grammarPhrases()
    {
        QStringList phrases;
        for (const QString &line : QString::fromUtf8(m_app.read("data/Temp")).split("\r\n")) {
            if (line.startsWith("<start>="))
                phrases << line.mid(8);
        }
        return phrases;
    }
    void openAddPage(const QString &phrase)
    {
        click("addnewbutton");
        ASSERT_TRUE(shown("addform"));
        type("phrasetext", phrase);
    }

    TempAppFolder m_app;
    FakeServices m_fakes;
    RecordingDialogs m_dialogs;
    std::unique_ptr<Program> m_program;
};

// A picture larger than its control is cut at the control's edge, a smaller one leaves a gap:
// either is what a user sees as a broken skin.
TEST_F(BrainWindowTest, EveryPictureFillsTheControlThatShowsIt)
{
    int boxes = 0;
    for (PictureBox *box : brain().findChildren<PictureBox *>()) {
        // The turning card's strip holds every frame side by side and moves behind its window.
        if (box->picture().isNull() || box->objectName() == "flippi")
            continue;
        ++boxes;
        const QSize picture = box->picture().deviceIndependentSize().toSize();
        EXPECT_LE(std::abs(picture.width() - box->width()), 1)
            << qPrintable(box->objectName()) << " " << picture.width() << " in " << box->width();
        EXPECT_LE(std::abs(picture.height() - box->height()), 1)
            << qPrintable(box->objectName()) << " " << picture.height() << " in " << box->height();
    }
    EXPECT_GT(boxes, 10);
    // A button is its picture: sizeHint is the picture's size.
    const QList<ImageButton *> buttons = brain().findChildren<ImageButton *>();
    EXPECT_GT(buttons.size(), 20);
    for (ImageButton *button : buttons) {
        EXPECT_LE(std::abs(button->sizeHint().width() - button->width()), 1)
            << qPrintable(button->objectName());
        EXPECT_LE(std::abs(button->sizeHint().height() - button->height()), 1)
            << qPrintable(button->objectName());
    }
}

TEST_F(BrainWindowTest, ControlsSitAtTheirRectangles)
{
    EXPECT_EQ(brain().size(), QSize(289, 290));
    EXPECT_TRUE(brain().windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(brain().windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(control("closebutton")->geometry(), QRect(11, 40, 17, 17));
    EXPECT_EQ(control("addnewbutton")->geometry(), QRect(13, 219, 82, 27));
    EXPECT_EQ(control("removeB")->geometry(), QRect(103, 220, 82, 27));
    EXPECT_EQ(control("changeB")->geometry(), QRect(193, 220, 82, 27));
    EXPECT_EQ(control("Listcontainer")->geometry(), QRect(25, 98, 243, 103));
    EXPECT_EQ(control("changebox")->geometry(), QRect(0, 90, 287, 165));
    EXPECT_EQ(control("changeb2")->mapTo(&brain(), QPoint()), QPoint(13, 90 + 130));
    EXPECT_EQ(control("phrasetext")->geometry(), QRect(24, 88, 233, 17));
    EXPECT_EQ(control("plugincontainer")->geometry(), QRect(16, 136, 253, 80));
    EXPECT_EQ(control("openvrap")->mapTo(&brain(), QPoint()), QPoint(16, 220));
    // Later pages cover earlier ones: the character page over all of them.
    const QObjectList children = brain().children();
    EXPECT_LT(children.indexOf(control("changebox")), children.indexOf(control("addform")));
    EXPECT_LT(children.indexOf(control("addform")), children.indexOf(control("plugincontainer")));
    EXPECT_LT(children.indexOf(control("plugincontainer")), children.indexOf(control("CHCH")));
    EXPECT_TRUE(brain().mask().contains(QPoint(140, 140)));
    EXPECT_FALSE(brain().mask().contains(QPoint(140, 10)));
}

TEST_F(BrainWindowTest, SelectingShowsTheEntryAndOffersChangeOnlyBeyondTheReservedRows)
{
    selectRow(3);
    EXPECT_EQ(control<QLabel>("current")->text(), "Speak: I hope I am sleepy");
    EXPECT_FALSE(shown("changeB"));
    EXPECT_FALSE(shown("removeB"));
    selectRow(5);
    EXPECT_EQ(control<QLabel>("current")->text(), "Read the time");
    EXPECT_TRUE(shown("changeB"));
    EXPECT_TRUE(shown("removeB"));
    EXPECT_EQ(list().selectedIndex(CommandList::Actionlist), 5);
    selectRow(4);
    EXPECT_EQ(control<QLabel>("current")->text(), "Speak: Hello there");
}

TEST_F(BrainWindowTest, AddRefusesAnExactDuplicateButNotOneDifferingInCase)
{
    openAddPage("Hello");
    type("action", "Hi");
    click("add");
    EXPECT_EQ(m_dialogs.shown,
              QStringList({"Quillet brain|There is already a command with that name"}));
    EXPECT_EQ(list().count(), 9);
    EXPECT_TRUE(shown("addform")) << "the page stays open with its texts";
    EXPECT_EQ(control<QLineEdit>("phrasetext")->text(), "Hello");

    control<QLineEdit>("phrasetext")->clear();
    type("phrasetext", "hello");
    click("add");
    EXPECT_EQ(list().count(), 10);
    EXPECT_FALSE(shown("addform"));
    EXPECT_EQ(saved().mid(27), QStringList({"hello", "Speak", "Hi"}));
    EXPECT_TRUE(grammarPhrases().contains("hello"));

    // A third spelling matching one already there is refused, wherever it stands.
    openAddPage("hello");
    type("action", "again");
    click("add");
    EXPECT_EQ(list().count(), 10);
    EXPECT_EQ(m_dialogs.shown.size(), 2);
}

TEST_F(BrainWindowTest, AddIsOnDiskAndHeardWhenTheHandlerReturns)
{
    openAddPage("say goodbye");
    EXPECT_FALSE(shown("add")) << "no argument yet";
    type("action", "Goodbye now");
    ASSERT_TRUE(shown("add"));
    m_fakes.reco->clearCalls();
    click("add");
    EXPECT_EQ(saved().mid(27), QStringList({"say goodbye", "Speak", "Goodbye now"}));
    EXPECT_EQ(grammarPhrases().last(), "say goodbye");
    EXPECT_TRUE(m_fakes.reco->loadedGrammar().contains("<start>=say goodbye\r\n"));
    EXPECT_TRUE(m_fakes.reco->isActive());
    EXPECT_FALSE(shown("add"));
    EXPECT_TRUE(control<QLineEdit>("phrasetext")->text().isEmpty());
    EXPECT_TRUE(m_fakes.reco->hear("say goodbye"));
}

TEST_F(BrainWindowTest, OptionsSetTheKindAndTheArgumentBox)
{
    click("addnewbutton");
    EXPECT_EQ(brain().Commandtype, "Speak");
    EXPECT_FALSE(shown("speakhider"));
    EXPECT_EQ(control("dot")->pos(), QPoint(120, 118));

    click("openradio");
    EXPECT_EQ(brain().Commandtype, "Open");
    EXPECT_TRUE(control<QLineEdit>("action")->isReadOnly());
    EXPECT_TRUE(shown("BrowseButton"));
    EXPECT_TRUE(shown("loadplugin"));
    EXPECT_TRUE(shown("speakhider"));
    EXPECT_EQ(control("dot")->pos(), control("openradio")->pos());

    click("readradio");
    EXPECT_EQ(brain().Commandtype, "Read");
    EXPECT_FALSE(control<QLineEdit>("action")->isReadOnly());
    EXPECT_EQ(control<QLineEdit>("action")->text(), "the time");
    EXPECT_TRUE(shown("sellectedcontainer"));
    click("readtext");
    EXPECT_EQ(control<QLineEdit>("action")->text(), "the selected text");
    EXPECT_EQ(control("dot2")->pos(), QPoint(2, 40));

    click("scriptradio");
    EXPECT_FALSE(shown("sellectedcontainer"));
    EXPECT_TRUE(shown("scriptcontainer"));
    EXPECT_EQ(control<QLineEdit>("action")->text(), "a");
    type("scriptthing", "typed");
    click("typeradio");
    click("scriptradio");
    EXPECT_TRUE(control<QPlainTextEdit>("scriptthing")->toPlainText().isEmpty());
}

TEST_F(BrainWindowTest, ScriptAddWritesItsFileAndRefusesPhrasesThatCannotNameOne)
{
    openAddPage("Lamps");
    click("scriptradio");
    type("scriptthing", "Bubble.caption = 1");
    QTest::keyClick(control("scriptthing"), Qt::Key_Return);
    type("scriptthing", "Mouth.speak \"done\"");
    click("add");
    EXPECT_EQ(m_app.read("data/Lamps.txt"), "Bubble.caption = 1\r\nMouth.speak \"done\"\r\n");
    EXPECT_EQ(saved().mid(27), QStringList({"Lamps", "Script", "Lamps.txt"}));

    for (const QString &bad :
         {QStringLiteral("a/b"), QStringLiteral("..\\up"), QStringLiteral("..")}) {
        m_dialogs.shown.clear();
        openAddPage(bad);
        click("scriptradio");
        type("scriptthing", "x");
        click("add");
        EXPECT_EQ(m_dialogs.shown.size(), 1) << bad.toStdString();
        EXPECT_EQ(list().count(), 10) << bad.toStdString();
        click("cancelb");
    }
    EXPECT_FALSE(QFileInfo::exists(m_app.path() + "/a/b.txt"));
    EXPECT_FALSE(QFileInfo::exists(m_app.path() + "/up.txt"));
}

TEST_F(BrainWindowTest, ChangeRefusesAnotherEntrysPhraseAndRenamesOnCase)
{
    selectRow(4);
    click("changeB");
    ASSERT_TRUE(shown("changebox"));
    EXPECT_EQ(control<QLineEdit>("changephrase")->text(), "Hello");
    control<QLineEdit>("changephrase")->setText("Lights");
    click("changeb2");
    EXPECT_EQ(m_dialogs.shown, QStringList({"Quillet brain|This command already exists"}));
    EXPECT_TRUE(shown("changebox"));
    EXPECT_EQ(list().phrase(4), "Hello");

    // Its own phrase is no duplicate of itself.
    control<QLineEdit>("changephrase")->setText("Hello");
    control<QPlainTextEdit>("changeaction")->setPlainText("Hi again");
    click("changeb2");
    EXPECT_FALSE(shown("changebox"));
    EXPECT_EQ(saved().mid(12, 3), QStringList({"Hello", "Speak", "Hi again"}));
    EXPECT_EQ(control<QLabel>("current")->text(), "Speak: Hi again");

    click("changeB");
    control<QLineEdit>("changephrase")->setText("HELLO");
    click("changeb2");
    EXPECT_EQ(list().phrase(4), "HELLO");
    EXPECT_EQ(list().shownPhrase(4), "HELLO");
    EXPECT_TRUE(grammarPhrases().contains("HELLO"));
    EXPECT_FALSE(grammarPhrases().contains("Hello"));
}

// The list keeps the keyboard while the change box is up: what the user types or clicks there
// between Change and Save must not send the change to another entry.
TEST_F(BrainWindowTest, ChangeIsSavedToItsEntryWhateverIsPressedMeanwhile)
{
    const QStringList before = saved();
    selectRow(4);
    click("changeB");
    ASSERT_TRUE(shown("changebox"));
    auto *view = control<QListView>("FalseBrainlist");
    QTest::keyClick(view, Qt::Key_Home);
    QTest::keyClick(view, Qt::Key_P);
    QTest::keyClick(view, Qt::Key_Up);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(list().index(1, 0)).center());
    EXPECT_EQ(list().selectedIndex(CommandList::FalseBrainlist), 4);

    control<QLineEdit>("changephrase")->setText("greet");
    control<QPlainTextEdit>("changeaction")->setPlainText("Hi everybody");
    click("changeb2");
    EXPECT_FALSE(shown("changebox"));
    EXPECT_EQ(saved().mid(0, 12), before.mid(0, 12)) << "the reserved entries stay";
    EXPECT_EQ(saved().mid(12, 3), QStringList({"greet", "Speak", "Hi everybody"}));
    EXPECT_EQ(list().phrase(0), "Pebble listen");

    // Once the box is gone, the keys move the selection again.
    QTest::keyClick(view, Qt::Key_Home);
    EXPECT_EQ(list().selectedIndex(CommandList::FalseBrainlist), 0);
}

TEST_F(BrainWindowTest, ChangeOfAScriptRenamesItsFileAndAReloadGainsALineBreak)
{
    selectRow(6);
    click("changeB");
    EXPECT_EQ(control<QPlainTextEdit>("changeaction")->toPlainText(), "Bubble.caption = \"on\"\n");
    EXPECT_FALSE(control<QPlainTextEdit>("changeaction")->isReadOnly());
    click("changeb2");
    EXPECT_EQ(m_app.read("data/Lights.txt"), "Bubble.caption = \"on\"\r\n\r\n");

    click("changeB");
    control<QLineEdit>("changephrase")->setText("Lamps");
    click("changeb2");
    EXPECT_FALSE(m_app.exists("data/Lights.txt"));
    EXPECT_EQ(m_app.read("data/Lamps.txt"), "Bubble.caption = \"on\"\r\n\r\n\r\n");
    EXPECT_EQ(saved().mid(18, 3), QStringList({"Lamps", "Script", "Lamps.txt"}));
    EXPECT_TRUE(m_app.exists("data/Other.txt"));
}

TEST_F(BrainWindowTest, ScriptFilesMissingOrUnwritableLoseNothing)
{
    QFile::remove(m_app.path() + "/data/Lights.txt");
    selectRow(6);
    click("changeB");
    EXPECT_TRUE(control<QPlainTextEdit>("changeaction")->toPlainText().isEmpty());
    EXPECT_TRUE(m_dialogs.shown.isEmpty());

    // A folder standing where the new script file would go cannot be written over.
    QDir(m_app.path()).mkpath("data/Lamps.txt");
    control<QPlainTextEdit>("changeaction")->setPlainText("new text");
    control<QLineEdit>("changephrase")->setText("Lamps");
    const QByteArray before = m_app.read("data/brainlist");
    click("changeb2");
    ASSERT_EQ(m_dialogs.shown.size(), 1);
    EXPECT_TRUE(m_dialogs.shown[0].contains("could not be saved"));
    EXPECT_EQ(list().phrase(6), "Lights");
    EXPECT_EQ(m_app.read("data/brainlist"), before);
}

TEST_F(BrainWindowTest, ChangeOfAReadKeepsItsArgumentAndOfOthersRefusesLineBreaks)
{
    selectRow(5);
    click("changeB");
    EXPECT_EQ(control<QPlainTextEdit>("changeaction")->toPlainText(), "Read the time");
    EXPECT_TRUE(control<QPlainTextEdit>("changeaction")->isReadOnly());
    control<QLineEdit>("changephrase")->setText("the time please");
    click("changeb2");
    EXPECT_EQ(saved().mid(15, 3), QStringList({"the time please", "Read", "the time"}));
    EXPECT_EQ(control<QLabel>("current")->text(), "Read: the time");

    selectRow(4);
    click("changeB");
    control<QPlainTextEdit>("changeaction")->setPlainText("two\nlines");
    const QByteArray before = m_app.read("data/brainlist");
    click("changeb2");
    EXPECT_EQ(m_dialogs.shown.size(), 1);
    EXPECT_TRUE(shown("changebox"));
    EXPECT_EQ(list().argument(4), "Hello there");
    EXPECT_EQ(m_app.read("data/brainlist"), before);
}

TEST_F(BrainWindowTest, RemovingSelectsTheRowAboveAndDeletesOnlyItsScript)
{
    selectRow(6);
    click("removeB");
    EXPECT_FALSE(m_app.exists("data/Lights.txt"));
    EXPECT_TRUE(m_app.exists("data/Other.txt"));
    EXPECT_FALSE(saved().contains("Lights"));
    EXPECT_FALSE(grammarPhrases().contains("Lights"));
    EXPECT_EQ(list().selectedIndex(CommandList::FalseBrainlist), 5);
    EXPECT_EQ(control<QLabel>("current")->text(), "Read the time");

    selectRow(5);
    click("removeB");
    selectRow(4);
    click("removeB");
    EXPECT_EQ(list().selectedIndex(CommandList::FalseBrainlist), 3);
    EXPECT_FALSE(shown("removeB"));
    EXPECT_FALSE(shown("changeB"));
    EXPECT_EQ(list().count(), 6);
}

TEST_F(BrainWindowTest, ClosingDropsAnUnfinishedChange)
{
    selectRow(8);
    click("changeB");
    EXPECT_TRUE(shown("plugincontainer"));
    click("closebutton");
    EXPECT_FALSE(brain().isVisible());
    EXPECT_FALSE(brain().brainOpen);
    brain().brainOpen = true;
    brain().show();
    EXPECT_FALSE(shown("changebox"));
    EXPECT_FALSE(shown("plugincontainer"));
    EXPECT_TRUE(control<QLineEdit>("changephrase")->text().isEmpty());
    EXPECT_EQ(control<QLabel>("current")->text(),
              "Plugin: " + m_app.paths().pluginsDir() + "/clock");
}

class BrowserTest : public BrainWindowTest {
protected:
    BrowserTest()
    {
        QDir(m_app.path()).mkpath("docs/letters");
        m_app.write("docs/letters/mum.odt", "x");
        m_docs = m_app.path() + "/docs";
    }
    QString m_docs;
};

TEST_F(BrowserTest, OpenFromTheAddPageWithAndWithoutAFile)
{
    openAddPage("open letters");
    click("openradio");
    click("BrowseButton");
    ASSERT_TRUE(shown("browser"));
    EXPECT_FALSE(brain().changeBrowse());
    brain().openBrowserFolder(m_docs);
    doubleClickListItem("Dir1", "letters");
    EXPECT_EQ(brain().browserFolder(), m_docs + "/letters");
    clickListItem("Dir1", "letters");
    click("openvrap");
    EXPECT_FALSE(shown("browser"));
    EXPECT_EQ(control<QLineEdit>("action")->text(), m_docs + "/letters");

    click("BrowseButton");
    clickListItem("Filelist", "mum.odt");
    click("openvrap");
    EXPECT_EQ(control<QLineEdit>("action")->text(), m_docs + "/letters/mum.odt");
    click("add");
    EXPECT_EQ(saved().mid(27), QStringList({"open letters", "Open", m_docs + "/letters/mum.odt"}));
}

TEST_F(BrowserTest, OpenFromTheChangeBoxAndCancelled)
{
    selectRow(7);
    click("changeB");
    ASSERT_TRUE(shown("OpenB"));
    EXPECT_TRUE(control<QPlainTextEdit>("changeaction")->isReadOnly());
    click("OpenB");
    EXPECT_TRUE(brain().changeBrowse());
    ASSERT_TRUE(shown("browser"));
    brain().openBrowserFolder(m_docs + "/letters");
    clickListItem("Dir1", "letters");
    click("cancelBrowser");
    EXPECT_FALSE(shown("addform"));
    EXPECT_TRUE(shown("changebox"));
    EXPECT_EQ(control<QPlainTextEdit>("changeaction")->toPlainText(), "/tmp/notes.txt");
    EXPECT_FALSE(control("openvrap")->isVisibleTo(control("browser")));

    click("OpenB");
    clickListItem("Dir1", "letters");
    clickListItem("Filelist", "mum.odt");
    click("openvrap");
    EXPECT_FALSE(shown("addform"));
    EXPECT_EQ(control<QPlainTextEdit>("changeaction")->toPlainText(), m_docs + "/letters/mum.odt");
    click("changeb2");
    EXPECT_EQ(list().argument(7), m_docs + "/letters/mum.odt");
    EXPECT_FALSE(shown("OpenB"));
}

TEST_F(BrowserTest, AfterLoadAPluginTheOpenOptionLeadsBackToAFile)
{
    openAddPage("open letters");
    click("openradio");
    click("loadplugin");
    clickListItem("plugins", "clock");
    // The plugin list covers the browse button; nobody can click it there.
    QWidget *browse = control("BrowseButton");
    EXPECT_TRUE(control("plugincontainer")
                    ->isAncestorOf(UserClick::widgetAt(&brain(), UserClick::centreOf(browse))));
    click("openradio");
    EXPECT_FALSE(shown("plugincontainer"));
    click("BrowseButton");
    EXPECT_EQ(brain().Commandtype, "Open");
    brain().openBrowserFolder(m_docs + "/letters");
    clickListItem("Filelist", "mum.odt");
    click("openvrap");
    click("add");
    EXPECT_EQ(saved().mid(27), QStringList({"open letters", "Open", m_docs + "/letters/mum.odt"}));
}

TEST_F(BrowserTest, ChoosingAVolumeMovesTheFolderListAndNamesIt)
{
    openAddPage("open home");
    click("openradio");
    click("BrowseButton");
    brain().openBrowserFolder(m_docs);
    EXPECT_EQ(control<QLabel>("drivething")->text(), "Computer (/)");
    auto *drives = control<QComboBox>("Drive1");
    ASSERT_GE(drives->count(), 2) << "the root and the home folder";
    // The keyboard moves the list to the next volume, as a user does.
    drives->setFocus();
    QTest::keyClick(drives, Qt::Key_Down);
    EXPECT_EQ(brain().browserFolder(), QDir::homePath());
    EXPECT_EQ(control<QLabel>("drivething")->text(), drives->itemText(1));
    EXPECT_EQ(control<QListWidget>("Dir1")->item(0)->data(Qt::UserRole).toString(),
              QDir::homePath());
}

TEST_F(BrowserTest, AVolumeRootIsChosenAsItself)
{
    openAddPage("open root");
    click("openradio");
    click("BrowseButton");
    brain().openBrowserFolder("/");
    EXPECT_EQ(brain().browserFolder(), "/");
    clickListItem("Dir1", "/");
    click("openvrap");
    EXPECT_EQ(control<QLineEdit>("action")->text(), "/");
}

TEST_F(BrainWindowTest, PluginChosenOnAddAndOnChangeAndCancelKeepsTheOld)
{
    openAddPage("weather please");
    click("openradio");
    click("loadplugin");
    EXPECT_EQ(brain().Commandtype, "Plugin");
    EXPECT_TRUE(shown("plugincontainer"));
    EXPECT_FALSE(shown("add")) << "no plugin chosen yet";
    clickListItem("plugins", "weather");
    ASSERT_TRUE(shown("add"));
    click("add");
    EXPECT_EQ(saved().mid(27),
              QStringList({"weather please", "Plugin", m_app.paths().pluginsDir() + "/weather"}));
    EXPECT_FALSE(shown("plugincontainer"));

    selectRow(8);
    click("changeB");
    clickListItem("plugins", "weather");
    EXPECT_EQ(control<QPlainTextEdit>("changeaction")->toPlainText(),
              m_app.paths().pluginsDir() + "/weather");
    click("changecancel");
    EXPECT_EQ(list().argument(8), m_app.paths().pluginsDir() + "/clock");
    EXPECT_FALSE(shown("plugincontainer"));

    click("changeB");
    clickListItem("plugins", "weather");
    click("changeb2");
    EXPECT_EQ(saved().mid(24, 3),
              QStringList({"clock", "Plugin", m_app.paths().pluginsDir() + "/weather"}));
    EXPECT_FALSE(shown("plugincontainer"));
}

TEST_F(BrainWindowTest, CharacterPageScrollsByRowsAndClosesToWhereItCameFrom)
{
    // Eight files and the no-character choice make three rows.
    for (int i = 0; i < 8; ++i)
        QFile::copy(m_app.path() + "/Character/Pebble.qlc",
                    m_app.path() + QStringLiteral("/Character/Copy%1.qlc").arg(i));
    auto *chooser = brain().characterlist();
    ASSERT_TRUE(chooser->loadguys().isEmpty());
    ASSERT_EQ(chooser->heightTwips(), 1810 + 855);
    control("CHCH")->show();
    click("scrollup");
    EXPECT_EQ(brain().chooserTop(), 0);
    click("scrolldown");
    EXPECT_EQ(brain().chooserTop(), -905);
    EXPECT_EQ(chooser->y(), -60);
    // Its bottom edge is still below two rows, so it moves once more, and then no further.
    click("scrolldown");
    EXPECT_EQ(brain().chooserTop(), -1810);
    click("scrolldown");
    EXPECT_EQ(brain().chooserTop(), -1810);
    click("scrollup");
    click("scrollup");
    EXPECT_EQ(brain().chooserTop(), 0);

    click("CCHCH");
    EXPECT_TRUE(brain().isVisible()) << "the editor was open";
    EXPECT_FALSE(shown("CHCH"));
    brain().brainOpen = false;
    control("CHCH")->show();
    click("CCHCH");
    EXPECT_FALSE(brain().isVisible());
}

// Counts the moves asked of the window manager.
class CountingMover : public WindowMover {
public:
    bool startMove(QWidget &) override
    {
        ++moves;
        return true;
    }
    int moves = 0;
};

TEST_F(BrainWindowTest, TheWindowIsDraggedByItsSurfacesButNotByItsControls)
{
    CountingMover mover;
    brain().setWindowMover(&mover);
    auto pressOn = [&](QWidget *widget, QPoint at) {
        const int before = mover.moves;
        QTest::mousePress(widget, Qt::LeftButton, {}, at);
        QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
        return mover.moves - before;
    };
    EXPECT_EQ(pressOn(&brain(), QPoint(140, 60)), 1);
    EXPECT_EQ(pressOn(control("current"), QPoint(5, 5)), 1);
    EXPECT_EQ(pressOn(control("addnewbutton"), QPoint(5, 5)), 0);
    EXPECT_EQ(pressOn(control("Listcontainer"), QPoint(1, 100)), 0);
    click("addnewbutton");
    EXPECT_EQ(pressOn(control("addform"), QPoint(140, 250)), 1);
    EXPECT_EQ(pressOn(control("sellectedcontainer"), QPoint(5, 5)), 0);
    control("browser")->show();
    EXPECT_EQ(pressOn(control("browser"), QPoint(140, 250)), 1);
    click("cancelBrowser");
    click("cancelb");
    selectRow(4);
    click("changeB");
    EXPECT_EQ(pressOn(control("changebox"), QPoint(140, 155)), 1);
    control("CHCH")->show();
    EXPECT_EQ(pressOn(control("CHCH"), QPoint(140, 240)), 1);
    brain().setWindowMover(nullptr);
}

TEST_F(BrainWindowTest, SaveShowsOnlyWithAPhraseAndAnArgument)
{
    selectRow(4);
    click("changeB");
    EXPECT_TRUE(shown("changeb2"));
    control<QLineEdit>("changephrase")->clear();
    EXPECT_FALSE(shown("changeb2"));
    type("changephrase", "Hi");
    EXPECT_TRUE(shown("changeb2"));
    control<QPlainTextEdit>("changeaction")->clear();
    EXPECT_FALSE(shown("changeb2"));
}

TEST_F(BrainWindowTest, TheLinkOpensTheHelpPage)
{
    click("Image1");
    EXPECT_EQ(m_fakes.opener->opened(), QStringList({m_app.paths().helpPage()}));
}

} // namespace
