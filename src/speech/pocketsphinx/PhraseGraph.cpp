#include "PhraseGraph.h"

#include <QHash>

#include <map>

namespace {

// A tree of the phrases, one node per distinct beginning.
struct Node {
    std::map<int, int> children; // word number -> node
    bool ends = false;           // a phrase ends here
};

} // namespace

PhraseGraph::PhraseGraph(const QList<QStringList> &phrases)
{
    QHash<QString, int> wordNumbers;
    QStringList words;
    std::vector<Node> nodes(1);
    for (const QStringList &phrase : phrases) {
        if (phrase.isEmpty())
            continue;
        int node = 0;
        for (const QString &word : phrase) {
            auto number = wordNumbers.constFind(word);
            if (number == wordNumbers.constEnd()) {
                number = wordNumbers.insert(word, int(words.size()));
                words << word;
            }
            const auto child = nodes[node].children.find(*number);
            if (child != nodes[node].children.end()) {
                node = child->second;
            } else {
                nodes[node].children.emplace(*number, int(nodes.size()));
                node = int(nodes.size());
                nodes.emplace_back();
            }
        }
        nodes[node].ends = true;
    }

    // Nodes with the same way on (the same words to the same kinds of node) become one
    // state. Children come after their parents in the tree, so going backwards meets every
    // child first. A node that nothing leaves is the end itself; one where a phrase ends and
    // others go on reaches the end straight from the word that leads to it.
    std::vector<int> stateOf(nodes.size(), kEnd);
    std::map<std::vector<int>, int> states;
    std::vector<std::vector<int>> ways;
    for (int n = int(nodes.size()) - 1; n >= 0; --n) {
        const Node &node = nodes[n];
        if (node.children.empty())
            continue;
        std::vector<int> way;
        way.reserve(node.children.size() * 3);
        for (const auto &[word, child] : node.children) {
            way.push_back(word);
            way.push_back(nodes[child].ends ? 1 : 0);
            way.push_back(nodes[child].children.empty() ? -1 : stateOf[child]);
        }
        if (n == 0) {
            stateOf[n] = kStart;
            ways.push_back(std::move(way));
            continue;
        }
        const auto [it, added] = states.try_emplace(way, m_stateCount);
        if (added) {
            ++m_stateCount;
            ways.push_back(way);
        }
        stateOf[n] = it->second;
    }

    // ways holds each state's way on in the order the states were numbered from 2, with the
    // start's last.
    for (size_t i = 0; i < ways.size(); ++i) {
        const bool start = i + 1 == ways.size() && !nodes[0].children.empty();
        const int from = start ? kStart : int(i) + 2;
        const std::vector<int> &way = ways[i];
        for (size_t w = 0; w < way.size(); w += 3) {
            const QString &word = words.at(way[w]);
            if (way[w + 1])
                m_transitions.push_back({from, kEnd, word});
            if (way[w + 2] >= 0)
                m_transitions.push_back({from, way[w + 2], word});
        }
    }
}
