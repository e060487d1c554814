#pragma once

#include <QImage>
#include <QWidget>

class CharacterWindow;
class QLabel;
class TickTimer;

// The speech bubble `Bubble`: a small always-on-top window above the character whose label
// `speech` shows what the character says. Its width is its visibility: 2790 twips open,
// 10 twips closed.
class BubbleWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kOpenWidthTwips = 2790;
    static constexpr int kClosedWidthTwips = 10;
    static constexpr int kHeightTwips = 2325;
    static constexpr int kTwipsPerPixel = 15;
    static constexpr int kLevel = 210;

    explicit BubbleWindow(CharacterWindow &character, QWidget *parent = nullptr);

    QLabel *speech() const { return m_speech; }
    QString text() const;
    void setText(const QString &text);

    int widthTwips() const { return m_widthTwips; }
    void setWidthTwips(int twips);
    bool isOpen() const { return m_widthTwips == kOpenWidthTwips; }
    int heightTwips() const { return kHeightTwips; }

    TickTimer *timer1() const { return m_timer1; }

    // Makes the window translucent at level 0 (invisible) to 255 (opaque).
    void SetTrans(int level);
    // Moves the bubble so that its tail points at the character below it.
    void putinplace();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // Where putinplace puts the bubble.
    QPoint place() const;

    CharacterWindow &m_character;
    QLabel *m_speech;
    TickTimer *m_timer1;
    QImage m_background;
    int m_widthTwips = kOpenWidthTwips;
};
