#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

// The phrases of a grammar folded into the smallest graph of word transitions that says
// exactly them: phrases that begin alike share their first states, and phrases that end
// alike share their last ones. The decoder spends a few kilobytes on every state of its
// grammar, so a list of thousands of commands, one path each, took hundreds of megabytes.
// State 0 is the start and state 1 the end, which no transition leaves.
class PhraseGraph {
public:
    static constexpr int kStart = 0;
    static constexpr int kEnd = 1;

    struct Transition {
        int from;
        int to;
        QString word;
    };

    explicit PhraseGraph(const QList<QStringList> &phrases);

    int stateCount() const { return m_stateCount; }
    const std::vector<Transition> &transitions() const { return m_transitions; }

private:
    int m_stateCount = 2;
    std::vector<Transition> m_transitions;
};
