#pragma once

#include <QImage>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

class CharacterWindow;
class CommandList;
class MenuState;
class QLabel;

// The chooser `Characterlist`: a thumbnail of every character file of the character folder,
// after the built-in no-character choice `guy(0)`. A double-click chooses. Positions are kept
// in twips, as the character page lays them out: cells of 735 x 855, 50 apart, four to a row.
class CharacterChooser : public QWidget {
    Q_OBJECT
public:
    using Loader = std::function<QImage(const QString &path)>;

    static constexpr int kCellWidth = 735;
    static constexpr int kCellHeight = 855;
    static constexpr int kGap = 50;
    static constexpr int kFirstLeft = 120;
    static constexpr int kPerRow = 4;
    static constexpr int kThumbnailWidth = 14 * kCellWidth;
    static constexpr int kWidth = 3255;
    static constexpr int kHiderWidth = 2895;

    struct Guy {
        QString fileName; // the tooltip: the file name, extension included
        QImage picture;
        QLabel *thumbnail = nullptr;
        int leftTwips = 0;
        int topTwips = 0;
    };

    explicit CharacterChooser(QWidget *parent = nullptr);

    void setFolder(const QString &characterDir) { m_folder = characterDir; }
    void setLoader(Loader loader) { m_loader = std::move(loader); }
    // What a choice changes: the character window, the menu and the list's reserved entries.
    void setServices(CommandList *list, CharacterWindow *character, MenuState *menu);

    // Fills the chooser from the folder's "*.qlc" files sorted by name, after guy(0). A file
    // that does not decode is left out, and said once on standard error: one bad file must
    // not keep the user from the good ones, nor the program from starting. The files left
    // out, by name.
    QStringList loadguys();

    // guy(0) followed by one entry per file, in order.
    const QList<Guy> &guys() const { return m_guys; }
    int heightTwips() const { return m_heightTwips; }
    QRect hiderTwips() const;
    QLabel *thumbnail(int index) const;

    // The double-click on guy(index): 0 hides the character, any other switches to it.
    void choose(int index);

    // The name a file is chosen under: its name up to the first ".".
    static QString characterName(const QString &fileName);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *makeThumbnail(const QImage &picture, int leftTwips, int topTwips, int widthTwips);
    void chooseNobody();
    void chooseGuy(const Guy &guy);

    QString m_folder;
    Loader m_loader;
    QList<Guy> m_guys;
    QWidget *m_hider = nullptr;
    int m_heightTwips = kCellHeight;
    CommandList *m_list = nullptr;
    CharacterWindow *m_character = nullptr;
    MenuState *m_menu = nullptr;
    // Files already said to be unreadable, so a refill does not say it again.
    QSet<QString> m_toldUnreadable;
};
