// The idle character: its window with the blink and idle timers, and the closed bubble
// following it on its own timer, as the program leaves them after start-up.
//   quillet_idle_harness <character.qlc>
#include "BubbleWindow.h"
#include "CharacterFile.h"
#include "CharacterWindow.h"
#include "MenuState.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QImage strip = CharacterFile::load(QString::fromLocal8Bit(argv[1]));
    if (strip.isNull()) {
        std::fprintf(stderr, "no character in %s\n", argv[1]);
        return 1;
    }
    MenuState menu;
    CharacterWindow character(menu);
    BubbleWindow bubble(character);
    bubble.setWidthTwips(BubbleWindow::kClosedWidthTwips);
    bubble.show();
    character.setCharacterPicture(strip);
    character.MakeTransparent();
    character.keepontop();
    character.move(600, 400);
    character.show();
    return QApplication::exec();
}
