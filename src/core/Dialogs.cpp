#include "Dialogs.h"

#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>

namespace {

// Every box shows text from scripts, files and the command list; "<b>" there is what the user
// wrote, not formatting, and a link in it must not be clickable.
void showAsPlainText(QMessageBox &box)
{
    box.setTextFormat(Qt::PlainText);
}

} // namespace

void WidgetDialogs::message(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok);
    showAsPlainText(box);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

int WidgetDialogs::ask(const QString &title, const QString &text, int style)
{
    using B = QMessageBox::StandardButton;
    struct Choice {
        B button;
        int code;
    };
    static const std::vector<std::vector<Choice>> sets = {
        {{B::Ok, 1}},
        {{B::Ok, 1}, {B::Cancel, 2}},
        {{B::Abort, 3}, {B::Retry, 4}, {B::Ignore, 5}},
        {{B::Yes, 6}, {B::No, 7}, {B::Cancel, 2}},
        {{B::Yes, 6}, {B::No, 7}},
        {{B::Retry, 4}, {B::Cancel, 2}},
    };
    const int set = style & 0x7;
    const auto &choices = sets[set < int(sets.size()) ? set : 0];

    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (style & 0x70) {
    case 16:
        icon = QMessageBox::Critical;
        break;
    case 32:
        icon = QMessageBox::Question;
        break;
    case 48:
        icon = QMessageBox::Warning;
        break;
    case 64:
        icon = QMessageBox::Information;
        break;
    }
    QMessageBox box(icon, title, text);
    showAsPlainText(box);
    for (const Choice &c : choices)
        box.addButton(c.button);
    const int defaultIndex = (style >> 8) & 0x3;
    if (defaultIndex < int(choices.size()))
        box.setDefaultButton(choices[defaultIndex].button);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
    const auto *clicked = box.clickedButton();
    for (const Choice &c : choices) {
        if (clicked == box.button(c.button))
            return c.code;
    }
    // Closing the box counts as its cancel button, or OK where there is none.
    for (const Choice &c : choices) {
        if (c.code == 2)
            return 2;
    }
    return choices.front().code;
}

QString WidgetDialogs::input(const QString &title, const QString &prompt,
                             const QString &defaultText, bool *ok)
{
    QInputDialog box;
    box.setWindowTitle(title);
    box.setInputMode(QInputDialog::TextInput);
    box.setLabelText(prompt);
    box.setTextValue(defaultText);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    for (QLabel *label : box.findChildren<QLabel *>())
        label->setTextFormat(Qt::PlainText);
    const bool accepted = box.exec() == QDialog::Accepted;
    if (ok)
        *ok = accepted;
    return accepted ? box.textValue() : QString();
}
