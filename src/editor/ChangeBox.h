#pragma once

#include <QObject>
#include <QString>

class CommandEditing;
class ImageButton;
class PictureBox;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

// The change box `changebox` over the front page: a command's phrase and what it does, as the
// editing rules present them, saved to the entry it was opened on whatever happens to the
// list's selection while it is up.
class ChangeBox : public QObject {
    Q_OBJECT
public:
    ChangeBox(CommandEditing &editing, QWidget *window);

    // The load step: back at its place.
    void load();

    // Opens on `row`; false for a row the rules do not let change. A box for an Open entry
    // offers the browser, one for a Plugin entry asks for the plugin list.
    bool open(int row);
    // The entry the box edits, -1 while closed.
    int row() const { return m_row; }
    bool isShown() const;
    // Closes it, dropping what was typed.
    void close();

    // What the browser or the plugin list chose goes in as the box's text.
    void setText(const QString &text);

signals:
    void pluginListWanted();
    void browseClicked();
    // After a change of `row` is saved, or the box is closed without one.
    void saved(int row);
    void closed();

private:
    void updateSaveButton();
    void save();

    CommandEditing &m_editing;
    int m_row = -1;
    PictureBox *m_box = nullptr;
    QLineEdit *m_changephrase = nullptr;
    QPlainTextEdit *m_changeaction = nullptr;
    ImageButton *m_changeb2 = nullptr;
    ImageButton *m_openB = nullptr;
};
