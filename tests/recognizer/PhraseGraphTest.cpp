#include "PhraseGraph.h"

#include <QSet>

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace {

QList<QStringList> phrasesOf(const QStringList &lines)
{
    QList<QStringList> phrases;
    for (const QString &line : lines)
        phrases << line.split(' ');
    return phrases;
}

// Every word sequence that leads from the start to the end.
QSet<QString> spoken(const PhraseGraph &graph)
{
    QSet<QString> said;
    std::function<void(int, QStringList &)> walk = [&](int state, QStringList &words) {
        for (const PhraseGraph::Transition &t : graph.transitions()) {
            if (t.from != state)
                continue;
            words << t.word;
            if (t.to == PhraseGraph::kEnd)
                said.insert(words.join(' '));
            else
                walk(t.to, words);
            words.removeLast();
        }
    };
    QStringList words;
    walk(PhraseGraph::kStart, words);
    return said;
}

void expectWellFormed(const PhraseGraph &graph)
{
    for (const PhraseGraph::Transition &t : graph.transitions()) {
        EXPECT_NE(t.from, PhraseGraph::kEnd) << "nothing leaves the end";
        EXPECT_NE(t.to, PhraseGraph::kStart) << "nothing leads back to the start";
        EXPECT_GE(t.from, 0);
        EXPECT_LT(t.from, graph.stateCount());
        EXPECT_GE(t.to, 0);
        EXPECT_LT(t.to, graph.stateCount());
    }
}

} // namespace

TEST(PhraseGraph, SaysExactlyThePhrasesEvenWhenOneBeginsAnother)
{
    const QStringList lines = {
        "stop",       "stop speak",      "stop the music", "go to sleep", "go to the car",
        "stop speak", "what time is it", "is it",          "the music",   "go to sleep",
        "sleep"};
    const PhraseGraph graph(phrasesOf(lines));
    expectWellFormed(graph);
    EXPECT_EQ(spoken(graph), QSet<QString>(lines.begin(), lines.end()));
}

TEST(PhraseGraph, RandomListsKeepTheirPhrases)
{
    const QStringList vocabulary = {"open", "the", "red", "door", "now", "close", "box", "a"};
    std::minstd_rand random(11);
    for (int round = 0; round < 20; ++round) {
        QStringList lines;
        const int count = 1 + int(random() % 200);
        for (int i = 0; i < count; ++i) {
            QStringList words;
            const int length = 1 + int(random() % 5);
            for (int w = 0; w < length; ++w)
                words << vocabulary.at(int(random() % vocabulary.size()));
            lines << words.join(' ');
        }
        const PhraseGraph graph(phrasesOf(lines));
        expectWellFormed(graph);
        ASSERT_EQ(spoken(graph), QSet<QString>(lines.begin(), lines.end())) << "round " << round;
    }
}

TEST(PhraseGraph, SharedBeginningsAndEndingsShareStates)
{
    const QStringList verbs = {"open", "close", "show", "hide", "wash"};
    const QStringList things = {"door", "box", "lamp", "book"};
    QStringList lines;
    for (const QString &verb : verbs)
        for (const QString &thing : things)
            lines << verb + " the " + thing;
    const PhraseGraph graph(phrasesOf(lines));
    // The start, the end, after a verb, and after "the": one path per phrase would take 42.
    EXPECT_EQ(graph.stateCount(), 4);
    EXPECT_EQ(graph.transitions().size(), size_t(verbs.size() + 1 + things.size()));
    EXPECT_EQ(spoken(graph).size(), lines.size());
}

TEST(PhraseGraph, NoPhrasesLeaveOnlyTheStartAndTheEnd)
{
    const PhraseGraph graph({});
    EXPECT_EQ(graph.stateCount(), 2);
    EXPECT_TRUE(graph.transitions().empty());
}
