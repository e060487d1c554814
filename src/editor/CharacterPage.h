#pragma once

#include <QObject>

class CharacterChooser;
class PictureBox;
class QWidget;

// The character page `CHCH`: the chooser's thumbnails in a frame that scrolls by rows, over
// whatever page the editor shows. Close asks the window, which knows whether the editor stays.
class CharacterPage : public QObject {
    Q_OBJECT
public:
    explicit CharacterPage(QWidget *window);

    // The load step: back at the top of the window.
    void load();

    CharacterChooser *chooser() const { return m_characterlist; }
    void show();
    void hide();
    bool isShown() const;

    // The chooser's top inside its frame, in twips.
    int chooserTop() const { return m_chooserTop; }
    void setChooserTop(int twips);

signals:
    void closeClicked();

private:
    PictureBox *m_chch = nullptr;
    CharacterChooser *m_characterlist = nullptr;
    int m_chooserTop = 0;
};
