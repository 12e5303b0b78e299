// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Follows the keys typed for one question's reading, accepting the romaji the
// player's table made of it and, when asked, every spelling the common
// Japanese input methods accept (SI for SHI, TU for TSU, single N for ん before
// a consonant, XTU for っ, …). The romaji still to type is shown in the
// spelling the player has started, and in the table's spelling beyond it.

#include <QString>

#include <vector>

class RomajiSpelling {
public:
    // Starts a question: reading is its kana reading, shown the romaji the
    // table made of it. Without freeSpelling only shown is accepted. With it,
    // when shown cannot be lined up with the kana of the reading (a table with
    // spellings of its own), only shown is accepted as well.
    void Reset(const QString &reading, const QString &shown, bool freeSpelling);

    // Takes one typed character (letters in upper case). True when some
    // spelling goes on with it; otherwise nothing changes. Never allocates.
    bool Accept(QChar typed);

    // The romaji still to type, as it is to be shown.
    QString Remaining() const;
    // The question has been typed to its end.
    bool Finished() const { return display_.edge < 0; }
    // Whether other spellings than the shown one are being accepted.
    bool FreeSpelling() const { return free_; }

    // Walks the kana units of the reading along the shown spelling: f(first
    // and one-past-last index in the reading, then in the shown romaji). Only
    // where the shown romaji lines up with the kana (FreeSpelling() is true).
    template <typename F>
    void ForEachShownUnit(F f) const
    {
        if (!free_)
            return;
        for (int node = 0; node < end_;) {
            const int edge = tableEdge_[static_cast<std::size_t>(node)];
            if (edge < 0)
                return;
            const int to = edges_[static_cast<std::size_t>(edge)].to;
            f(node, to, tableOffset_[static_cast<std::size_t>(node)], tableOffset_[static_cast<std::size_t>(to)]);
            node = to;
        }
    }

private:
    struct Edge {
        int from;
        int to;
        int spelling; // offset into spellings_
        int length;
        int cost;     // what showing it costs: a character no key types costs much
    };
    struct Cursor {
        int edge;
        int offset; // characters of the edge's spelling typed so far
    };

    void BuildEdges(const QString &reading);
    bool AlignShown();
    void ChooseContinuations();
    void UseShownOnly();
    void StartAt(int node);
    QChar CharAt(const Cursor &cursor) const;
    Cursor DisplayAt(int node) const;

    QString shown_;
    bool free_ = false;
    int end_ = 0; // the last node: the whole reading typed

    std::u16string spellings_;
    std::vector<Edge> edges_;     // ordered by from
    std::vector<int> firstEdge_;  // per node, plus one past the end
    std::vector<int> tableOffset_; // per node: where shown_ passes it, or -1
    std::vector<int> tableEdge_;   // per node on shown_'s path: the edge it takes
    std::vector<int> nextEdge_;    // per node off that path: the edge shown
    std::vector<int> rejoin_;      // per node: the first node on shown_'s path that the shown text reaches
    std::vector<int> restCost_;    // per node: cost of the text shown from it
    std::vector<int> restLength_;  // per node: length of the text shown from it

    // Where the keys typed so far may stand: inside an edge, or at a node.
    std::vector<Cursor> inside_, nextInside_;
    std::vector<int> nodes_, nextNodes_;
    std::vector<unsigned> nodeStamp_;
    unsigned stamp_ = 0;
    Cursor display_{-1, 0};

    // Scratch of Reset, kept for its capacity.
    struct Step {
        int node;
        int offset;
        int previous; // the step before, or -1
        int edge;
    };
    std::vector<std::vector<Edge>> byNode_;
    std::vector<int> kana_;
    std::vector<Step> steps_;
    std::vector<std::vector<int>> stepsAt_;
};
