#include "CharacterPage.h"

#include "CharacterChooser.h"
#include "ChooserScroll.h"
#include "EditorWidgets.h"
#include "ImageButton.h"
#include "PictureBox.h"
#include "Twips.h"

using namespace EditorWidgets;

CharacterPage::CharacterPage(QWidget *window)
    : QObject(window)
{
    m_chch = pictureBox("CHCH", "characterpage", window, {0, 0, 4305, 3825});
    m_chch->setMovesWindow(true);
    m_chch->hide();
    PictureBox *container = pictureBox("container", QString(), m_chch, {320, 1260, 3375, 1815});
    m_characterlist = new CharacterChooser(container);
    place(m_characterlist, {120, 0, 3255, 855});
    // The white bars part the columns of thumbnails.
    const struct {
        const char *name;
        int left;
        int width;
    } bars[] = {{"bar2", 1290, 50}, {"bar1", 2070, 60}, {"Bar3", 2860, 50}, {"Picture4", 3640, 50}};
    for (const auto &bar : bars)
        pictureBox(bar.name, QString(), m_chch, {bar.left, 1200, bar.width, 1935})
            ->setColor(Qt::white);
    ImageButton *up = imageButton("scrollup", "scrollup", m_chch, {3720, 1200, 210, 210});
    ImageButton *down = imageButton("scrolldown", "scrolldown", m_chch, {3720, 2925, 210, 210});
    connect(up, &ImageButton::clicked, this,
            [this] { setChooserTop(ChooserScroll::up(m_chooserTop)); });
    connect(down, &ImageButton::clicked, this, [this] {
        setChooserTop(ChooserScroll::down(m_chooserTop, m_characterlist->heightTwips()));
    });
    ImageButton *close = imageButton("CCHCH", "close", m_chch, {2880, 3360, 1215, 375});
    connect(close, &ImageButton::clicked, this, &CharacterPage::closeClicked);
}

void CharacterPage::load()
{
    m_chch->move(m_chch->x(), 0);
}

void CharacterPage::show()
{
    m_chch->show();
}

void CharacterPage::hide()
{
    m_chch->hide();
}

bool CharacterPage::isShown() const
{
    return m_chch->isVisible();
}

void CharacterPage::setChooserTop(int twips)
{
    m_chooserTop = twips;
    m_characterlist->move(m_characterlist->x(), Twips::toPixels(twips));
}
