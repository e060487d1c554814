#include "Dialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs `look` on the box once it is up, then closes it with Escape as a user would.
void whileUp(const std::function<void(QWidget *)> &look)
{
    QTimer::singleShot(0, [look] {
        QWidget *box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        look(box);
        box->close();
    });
}

// The label that shows `text`, as the box shows it.
QLabel *labelShowing(QWidget *box, const QString &text)
{
    for (QLabel *label : box->findChildren<QLabel *>()) {
        if (label->text() == text)
            return label;
    }
    return nullptr;
}

TEST(WidgetDialogs, BoxesShowScriptTextAsTheCharactersItHolds)
{
    const QString markup = QStringLiteral("<b>bold</b> <a href=\"x\">link</a> &amp;");
    WidgetDialogs dialogs;
    int looked = 0;
    const auto plain = [&](QWidget *box) {
        ++looked;
        QLabel *label = labelShowing(box, markup);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->textFormat(), Qt::PlainText);
    };

    whileUp(plain);
    dialogs.message("Title", markup);
    whileUp(plain);
    dialogs.ask("Title", markup, 1);
    whileUp(plain);
    bool ok = true;
    dialogs.input("Title", markup, "answer", &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(looked, 3);
}

TEST(WidgetDialogs, InputGivesTheTypedTextWhenAccepted)
{
    WidgetDialogs dialogs;
    QTimer::singleShot(0, [] {
        auto *box = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->textValue(), "default");
        box->setTextValue("typed");
        box->accept();
    });
    bool ok = false;
    EXPECT_EQ(dialogs.input("Title", "Name?", "default", &ok), "typed");
    EXPECT_TRUE(ok);
}

} // namespace
