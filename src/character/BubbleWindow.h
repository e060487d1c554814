#pragma once

#include <QWidget>

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

    explicit BubbleWindow(QWidget *parent = nullptr);

    QLabel *speech() const { return m_speech; }
    QString text() const;
    void setText(const QString &text);

    int widthTwips() const { return m_widthTwips; }
    void setWidthTwips(int twips);
    bool isOpen() const { return m_widthTwips == kOpenWidthTwips; }

    TickTimer *timer1() const { return m_timer1; }

private:
    QLabel *m_speech;
    TickTimer *m_timer1;
    int m_widthTwips = kOpenWidthTwips;
};
