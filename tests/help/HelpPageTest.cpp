#include "AppPaths.h"
#include "BubbleWindow.h"
#include "CharacterWindow.h"
#include "FakeServices.h"
#include "Program.h"
#include "RecordingDialogs.h"
#include "ScriptHost.h"
#include "ScriptObjects.h"
#include "TempAppFolder.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <gtest/gtest.h>

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QString shippedPage()
{
    return QString::fromUtf8(readFile(AppPaths(QStringLiteral(QUILLET_APP_DIR)).helpPage()));
}

// The plain text of each `<pre class="script">` on the page.
QStringList exampleScripts(const QString &page)
{
    static const QRegularExpression pre(QStringLiteral("<pre class=\"script\">(.*?)</pre>"),
                                        QRegularExpression::DotMatchesEverythingOption);
    QStringList scripts;
    for (const QRegularExpressionMatch &match : pre.globalMatch(page)) {
        QString script = match.captured(1);
        script.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"");
        scripts << script.replace("&amp;", "&");
    }
    return scripts;
}

// The member names in the first column of the table after `<h3>object: ...</h3>`.
QStringList documentedMembers(const QString &page, const QString &object)
{
    const int heading = page.indexOf("<h3>" + object + ":");
    if (heading < 0)
        return {};
    const int end = page.indexOf("</table>", heading);
    const QString table = page.mid(heading, end - heading);
    static const QRegularExpression firstCell(QStringLiteral("<tr><td>(.*?)</td>"),
                                              QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression name(QStringLiteral("<code>([A-Za-z]+)"));
    QStringList names;
    for (const QRegularExpressionMatch &cell : firstCell.globalMatch(table)) {
        for (const QRegularExpressionMatch &code : name.globalMatch(cell.captured(1)))
            names << code.captured(1);
    }
    return names;
}

// Keeps the messages apart from the other boxes: the script host reports every error in one.
class ScriptErrors : public RecordingDialogs {
public:
    void message(const QString &title, const QString &text) override
    {
        errors << text;
        RecordingDialogs::message(title, text);
    }
    QStringList errors;
};

class HelpPageScripts : public testing::Test {
protected:
    HelpPageScripts()
    {
        m_app.writeCommandList();
        m_program = std::make_unique<Program>(m_app.paths(), m_fakes.make(), m_dialogs);
        m_program->setExit([] {});
        EXPECT_TRUE(m_program->start());
    }

    TempAppFolder m_app;
    FakeServices m_fakes;
    ScriptErrors m_dialogs;
    std::unique_ptr<Program> m_program;
};

TEST(HelpPage, ShippedSelfContainedInTheApplicationFolder)
{
    const QByteArray source = readFile(QStringLiteral(QUILLET_SOURCE_DIR "/help/index.html"));
    ASSERT_FALSE(source.isEmpty());
    // Laid out anew on every build, so an edited page never leaves a stale copy behind.
    EXPECT_EQ(readFile(AppPaths(QStringLiteral(QUILLET_APP_DIR)).helpPage()), source);

    // Opened from disk, offline, in the editor's viewer as in any browser.
    const QString page = QString::fromUtf8(source).toLower();
    for (const char *outside : {"<script", "<link", "<img", "<iframe", "src=", "@import", "url("})
        EXPECT_FALSE(page.contains(outside)) << outside;
}

TEST(HelpPage, FirstLineFitsTheEditorsStrip)
{
    // The editor shows the page's top left in a strip of 257 by 23 pixels, a few pixels in.
    QTextDocument document;
    document.setHtml(shippedPage());
    document.setTextWidth(10000);
    document.size(); // lays the document out
    const QTextBlock first = document.firstBlock();
    ASSERT_FALSE(first.text().trimmed().isEmpty());
    const QTextLayout *layout = first.layout();
    ASSERT_EQ(layout->lineCount(), 1);
    EXPECT_LE(layout->lineAt(0).naturalTextWidth(), 250);
    EXPECT_LE(layout->lineAt(0).height(), 20);
}

TEST_F(HelpPageScripts, EveryDocumentedMemberExists)
{
    const QString page = shippedPage();
    const std::pair<QString, std::shared_ptr<MemberObject>> objects[] = {
        {"QL", ScriptObjects::ql(m_program->ql())},
        {"Mouth", ScriptObjects::mouth(m_program->mun())},
        {"Bubble", ScriptObjects::bubble(*m_program->bubble().speech())},
        {"wink", ScriptObjects::wink(*m_program->character().wink())},
        {"character", ScriptObjects::character(m_program->character())},
    };
    for (const auto &[name, object] : objects) {
        const QStringList members = documentedMembers(page, name);
        EXPECT_GE(members.size(), 2) << qPrintable(name);
        for (const QString &member : members)
            EXPECT_TRUE(object->hasMember(member.toStdString())) << qPrintable(name + "." + member);
    }
}

TEST_F(HelpPageScripts, ExamplesRunToTheEnd)
{
    m_dialogs.inputText = "debian";
    const QStringList examples = exampleScripts(shippedPage());
    EXPECT_GE(examples.size(), 3);
    for (const QString &example : examples) {
        m_dialogs.errors.clear();
        m_fakes.mun->clearCalls();
        m_app.write("data/example.txt", example.toUtf8());
        m_program->scriptHost().runScript("example.txt");
        EXPECT_TRUE(m_dialogs.errors.isEmpty()) << qPrintable(m_dialogs.errors.join('\n')) << "\n"
                                                << qPrintable(example);
        // Each example speaks as its last step, so one that stopped halfway says nothing.
        EXPECT_FALSE(m_fakes.mun->spoken().isEmpty()) << qPrintable(example);
    }
}

} // namespace
