#include "WindowActivator.h"
#include "FakeWindowActivator.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

TEST(WindowActivator, EqualTitleWinsOverOneThatBeginsOrEndsWithIt)
{
    const QStringList titles{"Notes - Editor", "Notes", "My Notes"};
    EXPECT_EQ(WindowActivator::bestMatch(titles, "notes"), 1);
    EXPECT_EQ(WindowActivator::bestMatch(titles, "NOTES - EDITOR"), 0);
}

TEST(WindowActivator, BeginningWinsOverEnding)
{
    const QStringList titles{"Report - Viewer", "Viewer - Report", "Report Viewer"};
    EXPECT_EQ(WindowActivator::bestMatch(titles, "report"), 0);
    EXPECT_EQ(WindowActivator::bestMatch(titles, "viewer - r"), 1);
    // Only when nothing begins with it does the end count; the first such window is taken.
    EXPECT_EQ(WindowActivator::bestMatch(titles, "VIEWER"), 1);
    EXPECT_EQ(WindowActivator::bestMatch({"a Viewer", "b Viewer"}, "viewer"), 0);
}

TEST(WindowActivator, TextInTheMiddleOrNothingMatchesNoWindow)
{
    const QStringList titles{"Report - Viewer", ""};
    EXPECT_EQ(WindowActivator::bestMatch(titles, "port - View"), -1);
    EXPECT_EQ(WindowActivator::bestMatch(titles, ""), -1);
    EXPECT_EQ(WindowActivator::bestMatch(titles, "Report - Viewer and more"), -1);
    EXPECT_EQ(WindowActivator::bestMatch({}, "Report"), -1);
}

TEST(WindowActivator, CaseIsIgnoredBeyondAscii)
{
    EXPECT_EQ(WindowActivator::bestMatch({"Überblick – Ärger"}, "überblick – ärger"), 0);
}

TEST(FakeWindowActivator, ActivatesByTheSameRuleAndRecordsEveryRequest)
{
    FakeWindowActivator windows;
    windows.setTitles({"Calculator", "Text Editor"});
    EXPECT_FALSE(windows.activate("Browser"));
    EXPECT_EQ(windows.active(), "");
    EXPECT_TRUE(windows.activate("editor"));
    EXPECT_EQ(windows.active(), "Text Editor");
    EXPECT_EQ(windows.requests(), (QStringList{"Browser", "editor"}));
}

TEST(FakeWindowActivator, ActivatesTheWindowOfAProcess)
{
    FakeWindowActivator windows;
    windows.setTitles({"Calculator", "Text Editor"});
    windows.setProcessIds({100, 200});
    EXPECT_TRUE(windows.activateProcess(200));
    EXPECT_EQ(windows.active(), "Text Editor");
    EXPECT_FALSE(windows.activateProcess(300));
    EXPECT_EQ(windows.requests(), (QStringList{"process 200", "process 300"}));
}
