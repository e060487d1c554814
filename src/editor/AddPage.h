#pragma once

#include "AddOptions.h"

#include <QObject>
#include <QString>

class BrowserPage;
class CommandEditing;
class ImageButton;
class LinkLabel;
class PictureBox;
class PluginList;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

// The add page `addform`, on the back of the editor's card: the phrase, the kind of action with
// its argument (the Read choices, the script box, the browser or a plugin for it), Add and
// Cancel. The window turns the card; the page asks for the turn back once it is done.
class AddPage : public QObject {
    Q_OBJECT
public:
    // `kind` is the window's `Commandtype`, the kind the page has chosen.
    AddPage(CommandEditing &editing, QString &kind, QWidget *window);
    // The plugin list lies over the page, so it is made after it.
    void setPluginList(PluginList *plugins) { m_plugins = plugins; }

    // The load step: back at the top of the window.
    void load();

    QLineEdit *phrasetext() const { return m_phrasetext; }
    QLineEdit *action() const { return m_action; }
    BrowserPage *browser() const { return m_browser; }

    void chooseOption(AddOptions::Option option);
    // Fills the argument, as the browser or the plugin list chose it.
    void setArgument(const QString &argument);

    bool isShown() const;
    void show();
    void hide();

    // The card seen edge-on: the page goes while nothing of it can be seen; and back in place
    // once the card has turned.
    void hideForTurn();
    void showAfterTurn();

    // The scripting object's turn to the page and back: the page set to Speak without the
    // plugin link, and cleared without hiding the plugin list.
    void prepareForScript();
    void clearForScript();

signals:
    void turnBack();
    void browseClicked();

private:
    void updateAddButton();
    void add();
    void cancel();
    void chooseReadRow(int row);
    void loadPlugin();
    void clearEntry();

    CommandEditing &m_editing;
    QString &m_kind;
    PluginList *m_plugins = nullptr;
    PictureBox *m_page = nullptr;
    ImageButton *m_markers[5] = {};
    ImageButton *m_speakhider = nullptr;
    QLabel *m_dot = nullptr;
    LinkLabel *m_loadplugin = nullptr;
    QLineEdit *m_phrasetext = nullptr;
    QLineEdit *m_action = nullptr;
    ImageButton *m_browseButton = nullptr;
    PictureBox *m_sellectedcontainer = nullptr;
    QLabel *m_dot2 = nullptr;
    PictureBox *m_scriptcontainer = nullptr;
    QPlainTextEdit *m_scriptthing = nullptr;
    ImageButton *m_add = nullptr;
    BrowserPage *m_browser = nullptr;
};
