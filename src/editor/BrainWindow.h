#pragma once

#include "AboutFade.h"
#include "AddOptions.h"
#include "CommandEditing.h"
#include "RegionBuffer.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class AddPage;
class AppPaths;
class BrowserPage;
class ChangeBox;
class CharacterChooser;
class CharacterPage;
class CommandList;
class Dialogs;
class ImageButton;
class MenuState;
class PictureBox;
class PluginList;
class QLabel;
class QLineEdit;
class QListView;
class QTextBrowser;
class ShellOpener;
class TickTimer;
class WindowMover;

// The command editor `Brain`: a borderless, skinned window whose pages lie one over another at
// fixed places, as the pictures are drawn for them. It owns the command list for the whole run;
// the list view `FalseBrainlist` shows the phrases. Every control is named (objectName) as the
// program and its scripts refer to it.
class BrainWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidthTwips = 4335;
    static constexpr int kHeightTwips = 4350;

    BrainWindow(const AppPaths &paths, CommandList &list, Dialogs &dialogs,
                QWidget *parent = nullptr);
    ~BrainWindow() override;

    void setSaveTheList(std::function<void()> save);
    void setShellOpener(ShellOpener *opener) { m_opener = opener; }
    void setWindowMover(WindowMover *mover);
    // The tray menu whose "About" and "Edit brain" wait while the window fades.
    void setMenu(MenuState *menu) { m_menu = menu; }

    // The form's load step, run once during start-up.
    void load();

    CommandList &commands() const { return m_list; }
    CommandEditing &editing() { return m_editing; }
    CharacterChooser *characterlist() const;
    QLineEdit *phrasetext() const;
    QLineEdit *action() const;

    // The action kinds the add page offers.
    using Option = AddOptions::Option;
    void chooseOption(Option option);

    // Opens a folder in the browser page as a double-click in the folder list would, moving the
    // drive list to the folder's volume first.
    void openBrowserFolder(const QString &folder);
    QString browserFolder() const;

    // The character page `CHCH` over whatever page is open.
    void showCharacterPage();
    void hideCharacterPage();
    bool characterPageShown() const;

    // The chooser's top inside its frame, in twips.
    int chooserTop() const;
    void setChooserTop(int twips);

    // True while the editor page is open.
    bool brainOpen = false;
    // The window's alpha, 255 opaque.
    int trans = 255;
    // The flip's step: 1 at the front page, 19 at the add page, 0 before the first flip.
    float flipp = 0;
    // The action kind chosen on the add page.
    QString Commandtype = QStringLiteral("Speak");
    // The three hidden lists keep a height in twips only because start-up sets it.
    int hiddenListHeight = 255;

    // The Tag of `addnewbutton`: "true" when the next flip turns to the add page.
    QString addnewbuttonTag() const { return m_addnewTag; }
    bool changeBrowse() const { return m_changeBrowse; }

    // The flip: opening the add page turns the card over, adding or cancelling turns it back.
    TickTimer *flippflopp() const { return m_flippflopp; }
    void flipTick();
    // The script object's way to the add page and back: nothing when already there.
    void addflipp();
    void cancelflipp();

    // The fade: the window's alpha steps by 2 a tick to 0 or to 255; at 0 the about picture
    // comes or goes.
    TickTimer *fadeinout() const { return m_fadeinout; }
    void fadeTick();
    bool fadingIn() const { return m_fade.fadingIn(); }
    void SetTrans(int alpha);
    // Makes the window opaque at once.
    void settingtrans();
    // Shows the window fully transparent and fades the about picture in.
    void aboutgrej();
    void startFadeOut();
    QWidget *aboutPicture() const;
    static QString aboutMessage();

    // The window's shape as region data, and the flip picture's place.
    const RegionBuffer &regionBuffer() const { return m_region; }
    QWidget *flippi() const;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Whether the change box or the add page is up, when the list may not change its row.
    bool listLocked() const;
    bool addPageUp() const;
    void buildFrontPage();
    void buildChangeBox();
    void buildAddPage();
    void buildPluginList();
    void buildCharacterPage();
    void buildAboutAndFlipPictures();
    void applyBaseShape();
    void applyFrame(int frame);
    // The turning card's strip is decoded only while someone can see it.
    void holdFlipStrip(bool hold);
    void applyShape(const QList<ShapeRect> &rects);
    void setFadeMenuItemsEnabled(bool enabled);

    // Front page.
    void closeEditor();
    void selectionChanged();
    void updateRemoveAndChange();
    void openLink();
    void dragwindow();

    // The add page, the change box and Remove.
    void openAddPage();
    void startFlip();
    void openChangeBox();
    void changeSaved(int row);
    void removeCommand();

    // The browser, from the add page or the change box.
    void browseFromAddPage();
    void browseFromChangeBox();
    void browsed(const QString &path);
    void browserCancelled();

    // The plugin list.
    void pluginClicked();

    // The character page.
    void closeCharacterPage();

    const AppPaths &m_paths;
    CommandList &m_list;
    Dialogs &m_dialogs;
    CommandEditing m_editing;
    ShellOpener *m_opener = nullptr;
    WindowMover *m_mover = nullptr;
    MenuState *m_menu = nullptr;
    TickTimer *m_flippflopp = nullptr;
    TickTimer *m_fadeinout = nullptr;
    AboutFade m_fade;
    RegionBuffer m_region;
    std::unique_ptr<WindowMover> m_systemMover;
    std::optional<QPoint> m_manualDrag;
    QPixmap m_background;

    QString m_addnewTag = QStringLiteral("true");
    bool m_changeBrowse = false;

    // Front page.
    ImageButton *m_closebutton = nullptr;
    ImageButton *m_image1 = nullptr;
    PictureBox *m_picture5 = nullptr;
    QTextBrowser *m_webBrowser = nullptr;
    PictureBox *m_listcontainer = nullptr;
    QListView *m_falseBrainlist = nullptr;
    QLabel *m_current = nullptr;
    ImageButton *m_addnewbutton = nullptr;
    ImageButton *m_removeB = nullptr;
    ImageButton *m_changeB = nullptr;

    ChangeBox *m_changeBox = nullptr;

    AddPage *m_addPage = nullptr;

    // The pages that keep to themselves.
    BrowserPage *m_browserPage = nullptr;
    PluginList *m_pluginList = nullptr;
    CharacterPage *m_characterPage = nullptr;

    PictureBox *m_aboutPicture = nullptr;
    PictureBox *m_flippi = nullptr;
};
