#pragma once

#include <QImage>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class MenuState;
class QLabel;
class TickTimer;
class WindowMover;

// The character window `character`: one frame of the character strip, cut to the outline of
// frame 0, always on top. It carries the program-wide state that the other windows and the
// scripts read and change.
class CharacterWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kFrames = 14;
    static constexpr int kTwipsPerPixel = 15;

    explicit CharacterWindow(MenuState &menu, QWidget *parent = nullptr);
    ~CharacterWindow() override;

    // Program-wide state; flags hold -1 for true and 0 for false.
    QString nameoftheguy;
    qint16 listen = 0;
    qint16 sleeping = 0;
    qint16 trans = 255;
    float a = 0;
    float widthofguy = 0;

    // Blink and idle tick counts (whole values, compared exactly); the speaking code sets
    // idlecount to 499 to start the falling-asleep gesture.
    float winkcount = 0;
    float idlecount = 0;

    // A newly chosen picture, waiting until the fade switches to it.
    QImage temp;
    void setTempPicture(const QImage &picture) { temp = picture; }
    bool isFading() const;

    TickTimer *wink() const { return m_wink; }
    TickTimer *animate() const { return m_animate; }
    TickTimer *fadeinout() const { return m_fadeinout; }

    // The picture of the window and of the frame strip `animation`.
    void setCharacterPicture(const QImage &strip);
    QImage picture() const { return m_picture; }

    // Slides the strip so that frame n shows; fractions show parts of two frames.
    void showframe(double n);
    // The frame on show, -Left / widthofguy.
    double shownFrame() const;

    // Sizes the window to one frame and cuts away the pixels of frame 0 that are exactly
    // the transparent colour; sets widthofguy.
    void MakeTransparent(QRgb transparentColor = 0xFFFFFF);
    void SetTrans(int level);
    void settingtrans();
    void keepontop();

    // Saves the command list and rewrites the grammar; the program supplies the routine.
    void setSaveTheList(std::function<void()> save) { m_saveTheList = std::move(save); }
    void savethelist();

    // Geometry in twips, as scripts see it.
    int leftTwips() const { return x() * kTwipsPerPixel; }
    int topTwips() const { return y() * kTwipsPerPixel; }
    int widthTwips() const { return width() * kTwipsPerPixel; }
    int heightTwips() const { return height() * kTwipsPerPixel; }

    // Moves the window with the mouse; refused while a fade runs.
    void dragwindow();
    // The mover the window uses; the window keeps ownership of none it is given.
    void setWindowMover(WindowMover *mover);

public slots:
    void winkTick();
    void animateTick();
    void fadeTick();

signals:
    // A right press asks for the menu at the cursor.
    void menuRequested(const QPoint &globalPos);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    MenuState &m_menu;
    std::unique_ptr<WindowMover> m_systemMover;
    WindowMover *m_mover;
    // Set while the window follows the mouse itself: the press point inside the window.
    std::optional<QPoint> m_manualDrag;
    QLabel *m_animation;
    QImage m_picture;
    TickTimer *m_wink;
    TickTimer *m_animate;
    TickTimer *m_fadeinout;
    double m_stripLeftTwips = 0;
    std::function<void()> m_saveTheList;
};
