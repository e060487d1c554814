#include "ChangeBox.h"

#include "CommandEditing.h"
#include "EditorWidgets.h"
#include "ImageButton.h"
#include "PictureBox.h"
#include "Twips.h"

#include <QLineEdit>
#include <QPlainTextEdit>

using namespace EditorWidgets;

ChangeBox::ChangeBox(CommandEditing &editing, QWidget *window)
    : QObject(window)
    , m_editing(editing)
{
    m_box = pictureBox("changebox", "changepage", window, {0, 1350, 4305, 2475});
    m_box->setMovesWindow(true);
    m_box->hide();
    m_changephrase = new QLineEdit(m_box);
    m_changephrase->setObjectName(QStringLiteral("changephrase"));
    place(m_changephrase, {360, 240, 3495, 285});
    m_changeaction = new QPlainTextEdit(m_box);
    m_changeaction->setObjectName(QStringLiteral("changeaction"));
    place(m_changeaction, {340, 750, 3615, 1075});
    m_changeaction->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_changeb2 = imageButton("changeb2", "save", m_box, {195, 1950, 1230, 405});
    m_openB = imageButton("OpenB", "browse", m_box, {1540, 1950, 1230, 405});
    m_openB->hide();
    ImageButton *cancel =
        imageButton("changecancel", "cancelchange", m_box, {2880, 1940, 1260, 440});
    connect(m_changephrase, &QLineEdit::textChanged, this, &ChangeBox::updateSaveButton);
    connect(m_changeaction, &QPlainTextEdit::textChanged, this, &ChangeBox::updateSaveButton);
    connect(m_changeb2, &ImageButton::clicked, this, &ChangeBox::save);
    connect(m_openB, &ImageButton::clicked, this, &ChangeBox::browseClicked);
    connect(cancel, &ImageButton::clicked, this, [this] {
        close();
        emit closed();
    });
}

void ChangeBox::load()
{
    m_box->move(m_box->x(), Twips::toPixels(1350));
}

bool ChangeBox::open(int row)
{
    if (!m_editing.isEditable(row))
        return false;
    m_row = row;
    const CommandEditing::ChangeBox box = m_editing.openChange(row);
    m_changephrase->setText(box.phrase);
    m_changeaction->setPlainText(box.text);
    m_changeaction->setReadOnly(box.locked);
    if (box.browsable)
        m_openB->show();
    if (box.pluginChoice)
        emit pluginListWanted();
    m_box->show();
    return true;
}

bool ChangeBox::isShown() const
{
    return m_box->isVisible();
}

void ChangeBox::close()
{
    m_box->hide();
    m_changephrase->clear();
    m_changeaction->clear();
    m_openB->hide();
    m_row = -1;
}

void ChangeBox::setText(const QString &text)
{
    m_changeaction->setPlainText(text);
}

void ChangeBox::updateSaveButton()
{
    m_changeb2->setVisible(
        CommandEditing::isComplete(m_changephrase->text(), m_changeaction->toPlainText()));
}

void ChangeBox::save()
{
    const int row = m_row;
    if (!m_editing.saveChange(row, m_changephrase->text(), m_changeaction->toPlainText()))
        return;
    close();
    emit saved(row);
}
