#include "PasteBlocker.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <memory>
#include <new>

namespace {

enum class Box { LineEdit, PlainTextEdit, TextEdit };

std::string boxName(Box box)
{
    switch (box) {
    case Box::LineEdit:
        return "LineEdit";
    case Box::PlainTextEdit:
        return "PlainTextEdit";
    case Box::TextEdit:
        return "TextEdit";
    }
    return {};
}

void PrintTo(Box box, std::ostream *out)
{
    *out << boxName(box);
}

// Records the middle-button events that got past every filter installed after it.
class MiddleButtonSpy : public QObject {
public:
    QList<QEvent::Type> seen;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if ((type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
             type == QEvent::MouseButtonDblClick) &&
            static_cast<QMouseEvent *>(event)->button() == Qt::MiddleButton)
            seen << type;
        return false;
    }
};

// What the menu shows, without accelerators and shortcuts: "Copy", "Select All".
QStringList labels(const QMenu &menu)
{
    QStringList shown;
    for (const QAction *action : menu.actions())
        shown << action->text().section('\t', 0, 0).remove('&');
    return shown;
}

bool offersPaste(const QMenu &menu)
{
    for (const QAction *action : menu.actions()) {
        if (action->objectName() == "edit-paste")
            return true;
    }
    return labels(menu).contains("Paste");
}

class PasteBlockerTest : public testing::TestWithParam<Box> {
protected:
    void SetUp() override
    {
        switch (GetParam()) {
        case Box::LineEdit:
            m_box = std::make_unique<QLineEdit>();
            break;
        case Box::PlainTextEdit:
            m_box = std::make_unique<QPlainTextEdit>();
            break;
        case Box::TextEdit:
            m_box = std::make_unique<QTextEdit>();
            break;
        }
        QClipboard *clipboard = QGuiApplication::clipboard();
        clipboard->setText("pasted");
        if (clipboard->supportsSelection())
            clipboard->setText("selected", QClipboard::Selection);
        m_box->show();
        m_box->activateWindow();
        m_box->setFocus();
    }

    void TearDown() override
    {
        if (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
    }

    QString text() const
    {
        if (auto *line = qobject_cast<QLineEdit *>(m_box.get()))
            return line->text();
        if (auto *plain = qobject_cast<QPlainTextEdit *>(m_box.get()))
            return plain->toPlainText();
        return static_cast<QTextEdit *>(m_box.get())->toPlainText();
    }

    void clear()
    {
        if (auto *line = qobject_cast<QLineEdit *>(m_box.get()))
            line->clear();
        else if (auto *plain = qobject_cast<QPlainTextEdit *>(m_box.get()))
            plain->clear();
        else
            static_cast<QTextEdit *>(m_box.get())->clear();
    }

    QMenu *standardMenu() const
    {
        if (auto *line = qobject_cast<QLineEdit *>(m_box.get()))
            return line->createStandardContextMenu();
        if (auto *plain = qobject_cast<QPlainTextEdit *>(m_box.get()))
            return plain->createStandardContextMenu();
        return static_cast<QTextEdit *>(m_box.get())->createStandardContextMenu();
    }

    // The widget the box's mouse, drop and context menu events arrive at.
    QWidget *surface() const
    {
        if (auto *area = qobject_cast<QAbstractScrollArea *>(m_box.get()))
            return area->viewport();
        return m_box.get();
    }

    void setAcceptDrops(bool on)
    {
        m_box->setAcceptDrops(on);
        surface()->setAcceptDrops(on);
    }

    bool dragEnter()
    {
        QDragEnterEvent enter(surface()->rect().center(), Qt::CopyAction, &m_dragged,
                              Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(surface(), &enter);
        return enter.isAccepted();
    }
    bool dragMove()
    {
        QDragMoveEvent move(surface()->rect().center(), Qt::CopyAction, &m_dragged, Qt::LeftButton,
                            Qt::NoModifier);
        QCoreApplication::sendEvent(surface(), &move);
        return move.isAccepted();
    }
    void drop()
    {
        QDropEvent dropped(surface()->rect().center(), Qt::CopyAction, &m_dragged, Qt::LeftButton,
                           Qt::NoModifier);
        QCoreApplication::sendEvent(surface(), &dropped);
    }

    // Asks for the context menu the way a right click does, or the Menu key when the box has
    // the focus, and returns the menu that opened.
    QMenu *openContextMenu(QContextMenuEvent::Reason reason)
    {
        QWidget *target = reason == QContextMenuEvent::Mouse ? surface() : m_box.get();
        const QPoint pos = target->rect().center();
        QContextMenuEvent event(reason, pos, target->mapToGlobal(pos));
        QCoreApplication::sendEvent(target, &event);
        return qobject_cast<QMenu *>(QApplication::activePopupWidget());
    }

    std::unique_ptr<QWidget> m_box;
    PasteBlocker m_blocker;
    QMimeData m_dragged;
};

TEST_P(PasteBlockerTest, PasteKeysAreRefusedAndTypingStillWorks)
{
    m_blocker.stoppaste(m_box.get());
    QTest::keyClick(m_box.get(), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(m_box.get(), Qt::Key_Insert, Qt::ShiftModifier);
    QTest::keyClicks(m_box.get(), "typed");
    EXPECT_EQ(text(), "typed");
}

TEST_P(PasteBlockerTest, ContextMenuKeepsEverythingButPaste)
{
    // Were Paste called otherwise, nothing would be taken out of the menu.
    const std::unique_ptr<QMenu> standard(standardMenu());
    ASSERT_TRUE(offersPaste(*standard));
    EXPECT_EQ(PasteBlocker::menuWithoutPaste(nullptr), nullptr);
    QLabel label("no text box");
    EXPECT_EQ(PasteBlocker::menuWithoutPaste(&label), nullptr);

    const std::unique_ptr<QMenu> filtered(PasteBlocker::menuWithoutPaste(m_box.get()));
    ASSERT_NE(filtered, nullptr);
    EXPECT_FALSE(offersPaste(*filtered));
    const QStringList kept = labels(*filtered);
    for (const char *label : {"Undo", "Cut", "Copy", "Select All"})
        EXPECT_TRUE(kept.contains(label)) << label;

    m_blocker.stoppaste(m_box.get());
    for (auto reason : {QContextMenuEvent::Mouse, QContextMenuEvent::Keyboard}) {
        QPointer<QMenu> shown = openContextMenu(reason);
        ASSERT_NE(shown, nullptr) << "reason " << reason;
        EXPECT_FALSE(offersPaste(*shown)) << "reason " << reason;
        EXPECT_TRUE(labels(*shown).contains("Copy")) << "reason " << reason;
        shown->close();
        // The menu is the box's to throw away once closed.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(shown.isNull());
    }
}

TEST_P(PasteBlockerTest, MiddleButtonSelectionIsRefused)
{
    MiddleButtonSpy spy;
    surface()->installEventFilter(&spy);
    m_blocker.stoppaste(m_box.get());

    QTest::mouseClick(surface(), Qt::MiddleButton);
    QTest::mouseDClick(surface(), Qt::MiddleButton);
    EXPECT_TRUE(spy.seen.isEmpty());
    EXPECT_EQ(text(), "");
}

TEST_P(PasteBlockerTest, DroppedTextIsRefused)
{
    m_dragged.setText("dropped");
    m_blocker.stoppaste(m_box.get());
    EXPECT_FALSE(m_box->acceptDrops());
    EXPECT_FALSE(surface()->acceptDrops());
    EXPECT_FALSE(dragEnter());
    drop();
    EXPECT_EQ(text(), "");

    // Drops turned on again by someone else are still refused.
    setAcceptDrops(true);
    EXPECT_FALSE(dragEnter());
    drop();
    EXPECT_EQ(text(), "");
}

TEST_P(PasteBlockerTest, DragThatEnteredBeforeBlockingCannotDrop)
{
    m_dragged.setText("dropped");
    setAcceptDrops(true);
    ASSERT_TRUE(dragEnter());
    m_blocker.stoppaste(m_box.get());
    EXPECT_FALSE(dragMove());
    drop();
    EXPECT_EQ(text(), "");
}

TEST_P(PasteBlockerTest, AllowpasteRestoresTheBoxAsItWas)
{
    // A scroll area hands its own drop setting to the viewport; a viewport set apart from it
    // must come back apart.
    const std::pair<bool, bool> dropSettings[] = {{true, true}, {false, false}, {true, false}};
    for (const auto &[boxDrops, surfaceDrops] : dropSettings) {
        for (auto policy : {Qt::DefaultContextMenu, Qt::CustomContextMenu, Qt::NoContextMenu}) {
            m_box->setAcceptDrops(boxDrops);
            surface()->setAcceptDrops(surfaceDrops);
            m_box->setContextMenuPolicy(policy);
            m_blocker.stoppaste(m_box.get());
            EXPECT_TRUE(m_blocker.isBlocking(m_box.get()));
            m_blocker.allowpaste(m_box.get());
            EXPECT_FALSE(m_blocker.isBlocking(m_box.get()));
            EXPECT_EQ(m_box->acceptDrops(), surface() == m_box.get() ? surfaceDrops : boxDrops);
            EXPECT_EQ(surface()->acceptDrops(), surfaceDrops);
            EXPECT_EQ(m_box->contextMenuPolicy(), policy);
        }
    }
}

TEST_P(PasteBlockerTest, EveryPathWorksAgainAfterAllowpaste)
{
    MiddleButtonSpy spy;
    surface()->installEventFilter(&spy);
    m_blocker.stoppaste(m_box.get());
    m_blocker.allowpaste(m_box.get());

    QTest::keyClick(m_box.get(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(text(), "pasted");
    clear();
    QTest::keyClick(m_box.get(), Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(text(), "pasted");

    QTest::mouseClick(surface(), Qt::MiddleButton);
    EXPECT_EQ(spy.seen,
              QList<QEvent::Type>({QEvent::MouseButtonPress, QEvent::MouseButtonRelease}));

    QMenu *shown = openContextMenu(QContextMenuEvent::Mouse);
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(offersPaste(*shown));
    shown->close();

    m_dragged.setText("dropped");
    clear();
    EXPECT_TRUE(dragEnter());
    EXPECT_TRUE(dragMove());
    drop();
    EXPECT_EQ(text(), "dropped");
}

INSTANTIATE_TEST_SUITE_P(TextBoxes, PasteBlockerTest,
                         testing::Values(Box::LineEdit, Box::PlainTextEdit, Box::TextEdit),
                         [](const testing::TestParamInfo<Box> &info) {
                             return boxName(info.param);
                         });

TEST(PasteBlocker, BoxDeletedWhileBlockedIsForgotten)
{
    // The next box is made where the deleted one was, as the allocator may well do.
    alignas(QLineEdit) unsigned char storage[sizeof(QLineEdit)];
    PasteBlocker blocker;
    auto *box = new (storage) QLineEdit;
    blocker.stoppaste(box);
    box->~QLineEdit();
    auto *next = new (storage) QLineEdit;
    EXPECT_FALSE(blocker.isBlocking(next));
    next->~QLineEdit();
}

} // namespace
