// SPDX-License-Identifier: GPL-3.0-or-later
#include "dictionary/RomajiSpelling.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <unordered_map>

namespace {

constexpr char16_t SmallTsu = u'っ';
constexpr char16_t Nn = u'ん';

// Kana and the spellings the common input methods take for them, the usual
// Hepburn one first. A few Hepburn spellings that the input methods give to
// another kana (ぢ JI, づ ZU, ゐ WI, ゑ WE, ぢゃ JA) are here too, since tables
// use them. っ before a consonant and ん before anything but a vowel, N or Y
// are built from what follows them.
struct Unit {
    const char16_t *kana;
    const char *spellings;
};

const Unit Units[] = {
    {u"あ", "A"}, {u"い", "I YI"}, {u"う", "U WU WHU"}, {u"え", "E"}, {u"お", "O"},
    {u"か", "KA CA"}, {u"き", "KI"}, {u"く", "KU CU QU"}, {u"け", "KE"}, {u"こ", "KO CO"},
    {u"さ", "SA"}, {u"し", "SHI SI CI"}, {u"す", "SU"}, {u"せ", "SE CE"}, {u"そ", "SO"},
    {u"た", "TA"}, {u"ち", "CHI TI"}, {u"つ", "TSU TU"}, {u"て", "TE"}, {u"と", "TO"},
    {u"な", "NA"}, {u"に", "NI"}, {u"ぬ", "NU"}, {u"ね", "NE"}, {u"の", "NO"},
    {u"は", "HA"}, {u"ひ", "HI"}, {u"ふ", "FU HU"}, {u"へ", "HE"}, {u"ほ", "HO"},
    {u"ま", "MA"}, {u"み", "MI"}, {u"む", "MU"}, {u"め", "ME"}, {u"も", "MO"},
    {u"や", "YA"}, {u"ゆ", "YU"}, {u"よ", "YO"},
    {u"ら", "RA"}, {u"り", "RI"}, {u"る", "RU"}, {u"れ", "RE"}, {u"ろ", "RO"},
    {u"わ", "WA"}, {u"ゐ", "WI WYI"}, {u"ゑ", "WE WYE"}, {u"を", "WO"}, {u"ん", "NN XN N'"},
    {u"が", "GA"}, {u"ぎ", "GI"}, {u"ぐ", "GU"}, {u"げ", "GE"}, {u"ご", "GO"},
    {u"ざ", "ZA"}, {u"じ", "JI ZI"}, {u"ず", "ZU"}, {u"ぜ", "ZE"}, {u"ぞ", "ZO"},
    {u"だ", "DA"}, {u"ぢ", "DI JI"}, {u"づ", "DU ZU"}, {u"で", "DE"}, {u"ど", "DO"},
    {u"ば", "BA"}, {u"び", "BI"}, {u"ぶ", "BU"}, {u"べ", "BE"}, {u"ぼ", "BO"},
    {u"ぱ", "PA"}, {u"ぴ", "PI"}, {u"ぷ", "PU"}, {u"ぺ", "PE"}, {u"ぽ", "PO"},
    {u"ゔ", "VU"},
    {u"ぁ", "XA LA"}, {u"ぃ", "XI LI XYI LYI"}, {u"ぅ", "XU LU"}, {u"ぇ", "XE LE XYE LYE"}, {u"ぉ", "XO LO"},
    {u"ゃ", "XYA LYA"}, {u"ゅ", "XYU LYU"}, {u"ょ", "XYO LYO"}, {u"ゎ", "XWA LWA"},
    {u"っ", "XTU LTU XTSU LTSU"}, {u"ゕ", "XKA LKA"}, {u"ゖ", "XKE LKE"},
    {u"ー", "-"}, {u"、", ","}, {u"。", "."}, {u"「", "["}, {u"」", "]"}, {u"・", "/"}, {u"〜", "~"},
    {u"\u3000", " "},

    {u"きゃ", "KYA"}, {u"きぃ", "KYI"}, {u"きゅ", "KYU"}, {u"きぇ", "KYE"}, {u"きょ", "KYO"},
    {u"ぎゃ", "GYA"}, {u"ぎぃ", "GYI"}, {u"ぎゅ", "GYU"}, {u"ぎぇ", "GYE"}, {u"ぎょ", "GYO"},
    {u"しゃ", "SHA SYA"}, {u"しぃ", "SYI"}, {u"しゅ", "SHU SYU"}, {u"しぇ", "SHE SYE"}, {u"しょ", "SHO SYO"},
    {u"じゃ", "JA ZYA JYA"}, {u"じぃ", "ZYI JYI"}, {u"じゅ", "JU ZYU JYU"}, {u"じぇ", "JE ZYE JYE"},
    {u"じょ", "JO ZYO JYO"},
    {u"ちゃ", "CHA TYA CYA"}, {u"ちぃ", "TYI CYI"}, {u"ちゅ", "CHU TYU CYU"}, {u"ちぇ", "CHE TYE CYE"},
    {u"ちょ", "CHO TYO CYO"},
    {u"ぢゃ", "DYA JA"}, {u"ぢぃ", "DYI"}, {u"ぢゅ", "DYU JU"}, {u"ぢぇ", "DYE JE"}, {u"ぢょ", "DYO JO"},
    {u"にゃ", "NYA"}, {u"にぃ", "NYI"}, {u"にゅ", "NYU"}, {u"にぇ", "NYE"}, {u"にょ", "NYO"},
    {u"ひゃ", "HYA"}, {u"ひぃ", "HYI"}, {u"ひゅ", "HYU"}, {u"ひぇ", "HYE"}, {u"ひょ", "HYO"},
    {u"びゃ", "BYA"}, {u"びぃ", "BYI"}, {u"びゅ", "BYU"}, {u"びぇ", "BYE"}, {u"びょ", "BYO"},
    {u"ぴゃ", "PYA"}, {u"ぴぃ", "PYI"}, {u"ぴゅ", "PYU"}, {u"ぴぇ", "PYE"}, {u"ぴょ", "PYO"},
    {u"みゃ", "MYA"}, {u"みぃ", "MYI"}, {u"みゅ", "MYU"}, {u"みぇ", "MYE"}, {u"みょ", "MYO"},
    {u"りゃ", "RYA"}, {u"りぃ", "RYI"}, {u"りゅ", "RYU"}, {u"りぇ", "RYE"}, {u"りょ", "RYO"},
    {u"ふぁ", "FA FWA"}, {u"ふぃ", "FI FWI FYI"}, {u"ふぅ", "FWU"}, {u"ふぇ", "FE FWE FYE"}, {u"ふぉ", "FO FWO"},
    {u"ふゃ", "FYA"}, {u"ふゅ", "FYU"}, {u"ふょ", "FYO"},
    {u"てゃ", "THA"}, {u"てぃ", "THI"}, {u"てゅ", "THU"}, {u"てぇ", "THE"}, {u"てょ", "THO"},
    {u"でゃ", "DHA"}, {u"でぃ", "DHI"}, {u"でゅ", "DHU"}, {u"でぇ", "DHE"}, {u"でょ", "DHO"},
    {u"とぁ", "TWA"}, {u"とぃ", "TWI"}, {u"とぅ", "TWU"}, {u"とぇ", "TWE"}, {u"とぉ", "TWO"},
    {u"どぁ", "DWA"}, {u"どぃ", "DWI"}, {u"どぅ", "DWU"}, {u"どぇ", "DWE"}, {u"どぉ", "DWO"},
    {u"うぁ", "WHA"}, {u"うぃ", "WI WHI"}, {u"うぇ", "WE WHE"}, {u"うぉ", "WHO"}, {u"いぇ", "YE"},
    {u"くぁ", "KWA QA QWA"}, {u"くぃ", "QI QWI QYI"}, {u"くぅ", "QWU"}, {u"くぇ", "QE QWE QYE"},
    {u"くぉ", "QO QWO"}, {u"くゃ", "QYA"}, {u"くゅ", "QYU"}, {u"くょ", "QYO"},
    {u"ぐぁ", "GWA"}, {u"ぐぃ", "GWI"}, {u"ぐぅ", "GWU"}, {u"ぐぇ", "GWE"}, {u"ぐぉ", "GWO"},
    {u"すぁ", "SWA"}, {u"すぃ", "SWI"}, {u"すぅ", "SWU"}, {u"すぇ", "SWE"}, {u"すぉ", "SWO"},
    {u"つぁ", "TSA"}, {u"つぃ", "TSI"}, {u"つぇ", "TSE"}, {u"つぉ", "TSO"},
    {u"ゔぁ", "VA"}, {u"ゔぃ", "VI VYI"}, {u"ゔぇ", "VE VYE"}, {u"ゔぉ", "VO"},
    {u"ゔゃ", "VYA"}, {u"ゔゅ", "VYU"}, {u"ゔょ", "VYO"},
};

using Spellings = std::vector<std::u16string>;

quint32 UnitKey(char16_t first, char16_t second) { return quint32(first) | (quint32(second) << 16); }

const std::unordered_map<quint32, Spellings> &UnitTable()
{
    static const std::unordered_map<quint32, Spellings> table = [] {
        std::unordered_map<quint32, Spellings> made;
        for (const Unit &unit : Units) {
            const std::u16string_view kana(unit.kana);
            Spellings &list = made[UnitKey(kana[0], kana.size() > 1 ? kana[1] : 0)];
            // Spellings are parted by spaces, but one that is a space itself
            // (the ideographic space's) stands alone.
            if (std::strcmp(unit.spellings, " ") == 0) {
                list.push_back(u" ");
                continue;
            }
            std::u16string spelling;
            for (const char *p = unit.spellings;; ++p) {
                if (*p == ' ' || *p == 0) {
                    list.push_back(spelling);
                    spelling.clear();
                    if (*p == 0)
                        break;
                } else {
                    spelling.push_back(static_cast<char16_t>(*p));
                }
            }
        }
        return made;
    }();
    return table;
}

const Spellings *Lookup(char16_t first, char16_t second)
{
    const auto &table = UnitTable();
    const auto found = table.find(UnitKey(first, second));
    return found == table.end() ? nullptr : &found->second;
}

// Katakana are looked up as hiragana (ヴ ヵ ヶ included).
char16_t AsHiragana(char16_t c)
{
    return c >= 0x30A1 && c <= 0x30F6 ? static_cast<char16_t>(c - 0x60) : c;
}

bool Typable(char16_t c)
{
    return c >= 0x20 && c <= 0x7E && !(c >= 'a' && c <= 'z');
}

// The ASCII a character may be typed as besides itself: full-width forms and
// lowercase letters; 0 when there is none.
char16_t AsciiForm(char16_t c)
{
    if (c >= 0xFF01 && c <= 0xFF5E)
        c = static_cast<char16_t>(c - 0xFEE0);
    else if (!(c >= 'a' && c <= 'z'))
        return 0;
    return c >= 'a' && c <= 'z' ? static_cast<char16_t>(c - ('a' - 'A')) : c;
}

// っ may be typed as the first letter of what follows when that is one of these.
bool Doubles(char16_t c)
{
    return c >= 'B' && c <= 'Z' && c != 'E' && c != 'I' && c != 'O' && c != 'U' && c != 'N' && c != 'X' &&
           c != 'L';
}

// A single N stands for ん unless what follows begins with one of these.
bool EndsSingleN(char16_t c)
{
    return std::u16string_view(u"AIUEONY'").find(c) != std::u16string_view::npos;
}

// っ and ん take their spelling from the unit after them, of at most this many kana.
constexpr int LongestFollower = 3;

int CostOf(std::u16string_view text)
{
    int cost = 0;
    for (char16_t c : text)
        cost += Typable(c) ? 1 : 1000;
    return cost;
}

} // namespace

void RomajiSpelling::Reset(const QString &reading, const QString &shown, bool freeSpelling)
{
    shown_ = shown;
    free_ = freeSpelling;
    if (free_) {
        BuildEdges(reading);
        free_ = AlignShown();
    }
    if (!free_)
        UseShownOnly();
    ChooseContinuations();

    std::size_t cursors = 1;
    for (const Edge &edge : edges_)
        cursors += static_cast<std::size_t>(edge.length);
    for (auto *list : {&inside_, &nextInside_}) {
        list->clear();
        list->reserve(cursors);
    }
    for (auto *list : {&nodes_, &nextNodes_}) {
        list->clear();
        list->reserve(static_cast<std::size_t>(end_) + 1);
    }
    nodeStamp_.assign(static_cast<std::size_t>(end_) + 1, 0);
    stamp_ = 0;
    nodes_.push_back(0);
    display_ = DisplayAt(0);
}

void RomajiSpelling::BuildEdges(const QString &reading)
{
    const int length = static_cast<int>(reading.size());
    end_ = length;
    kana_.resize(static_cast<std::size_t>(length));
    for (int i = 0; i < length; ++i)
        kana_[i] = AsHiragana(reading.at(i).unicode());
    if (byNode_.size() < static_cast<std::size_t>(length) + 1)
        byNode_.resize(static_cast<std::size_t>(length) + 1);
    for (int i = 0; i <= length; ++i)
        byNode_[i].clear();
    spellings_.clear();

    std::u16string made;
    auto add = [this, &made](int from, int to) {
        std::vector<Edge> &list = byNode_[from];
        for (const Edge &edge : list) {
            if (edge.to == to && spellings_.compare(edge.spelling, edge.length, made) == 0)
                return;
        }
        list.push_back({from, to, static_cast<int>(spellings_.size()), static_cast<int>(made.size()), CostOf(made)});
        spellings_ += made;
    };
    auto addText = [&made, &add](int from, int to, std::u16string_view text) {
        made.assign(text);
        add(from, to);
    };

    // From the end backwards, so that っ and ん find the edges after them made.
    for (int i = length - 1; i >= 0; --i) {
        const char16_t kana = static_cast<char16_t>(kana_[i]);
        if (i + 1 < length) {
            if (const Spellings *pair = Lookup(kana, static_cast<char16_t>(kana_[i + 1]))) {
                for (const std::u16string &spelling : *pair)
                    addText(i, i + 2, spelling);
            }
        }
        if (const Spellings *single = Lookup(kana, 0)) {
            for (const std::u16string &spelling : *single)
                addText(i, i + 1, spelling);
        }
        const char16_t original = reading.at(i).unicode();
        if (const char16_t ascii = AsciiForm(original))
            addText(i, i + 1, std::u16string_view(&ascii, 1));
        // The character itself, for whatever a table leaves as it is.
        addText(i, i + 1, std::u16string_view(&original, 1));

        if (kana != SmallTsu && kana != Nn)
            continue;
        if (kana == Nn && i + 1 == length)
            addText(i, i + 1, u"N");
        // byNode_[i + 1] does not grow while this loop adds to byNode_[i].
        for (const Edge &next : byNode_[i + 1]) {
            if (next.to - (i + 1) > LongestFollower)
                continue;
            const std::u16string_view spelling(spellings_.data() + next.spelling, static_cast<std::size_t>(next.length));
            const char16_t first = spelling.front();
            if (kana == SmallTsu && Doubles(first)) {
                // add() may move spellings_, and spelling with it.
                const std::u16string after(spelling);
                made.assign(1, first).append(after);
                add(i, next.to);
                if (after.compare(0, 2, u"CH") == 0) {
                    made.assign(u"T").append(after);
                    add(i, next.to);
                }
            } else if (kana == Nn && !EndsSingleN(first)) {
                made.assign(u"N").append(spelling);
                add(i, next.to);
            }
        }
    }

    edges_.clear();
    firstEdge_.assign(static_cast<std::size_t>(length) + 2, 0);
    for (int i = 0; i <= length; ++i) {
        firstEdge_[i] = static_cast<int>(edges_.size());
        edges_.insert(edges_.end(), byNode_[i].begin(), byNode_[i].end());
    }
    firstEdge_[length + 1] = static_cast<int>(edges_.size());
}

// Finds the path of edges whose spellings, one after another, make shown_.
bool RomajiSpelling::AlignShown()
{
    std::vector<Step> &steps = steps_;
    std::vector<std::vector<int>> &stepsAt = stepsAt_;
    steps.assign(1, Step{0, 0, -1, -1});
    if (stepsAt.size() < static_cast<std::size_t>(end_) + 1)
        stepsAt.resize(static_cast<std::size_t>(end_) + 1);
    for (int node = 0; node <= end_; ++node)
        stepsAt[node].clear();
    stepsAt[0].push_back(0);
    const std::u16string_view shown(reinterpret_cast<const char16_t *>(shown_.utf16()),
                                    static_cast<std::size_t>(shown_.size()));
    // Only a table full of ambiguous spellings comes near this.
    const std::size_t limit = 16 * (static_cast<std::size_t>(end_) + 1) + 64;

    for (int node = 0; node < end_; ++node) {
        for (std::size_t k = 0; k < stepsAt[node].size(); ++k) {
            const int index = stepsAt[node][k];
            const int offset = steps[index].offset;
            for (int e = firstEdge_[node]; e < firstEdge_[node + 1]; ++e) {
                const Edge &edge = edges_[e];
                if (shown.compare(offset, edge.length, spellings_.data() + edge.spelling, edge.length) != 0)
                    continue;
                const int reached = offset + edge.length;
                std::vector<int> &there = stepsAt[edge.to];
                if (std::any_of(there.begin(), there.end(), [&](int s) { return steps[s].offset == reached; }))
                    continue;
                there.push_back(static_cast<int>(steps.size()));
                steps.push_back({edge.to, reached, index, e});
                if (steps.size() > limit)
                    return false;
            }
        }
    }

    const std::vector<int> &last = stepsAt[end_];
    const auto whole = std::find_if(last.begin(), last.end(),
                                    [&](int s) { return steps[s].offset == static_cast<int>(shown.size()); });
    if (whole == last.end())
        return false;
    tableOffset_.assign(static_cast<std::size_t>(end_) + 1, -1);
    tableEdge_.assign(static_cast<std::size_t>(end_) + 1, -1);
    for (int s = *whole; s >= 0; s = steps[s].previous) {
        tableOffset_[steps[s].node] = steps[s].offset;
        if (steps[s].previous >= 0)
            tableEdge_[steps[steps[s].previous].node] = steps[s].edge;
    }
    return true;
}

void RomajiSpelling::UseShownOnly()
{
    spellings_.assign(reinterpret_cast<const char16_t *>(shown_.utf16()), static_cast<std::size_t>(shown_.size()));
    edges_.clear();
    end_ = shown_.isEmpty() ? 0 : 1;
    if (end_ == 1) {
        const int length = static_cast<int>(shown_.size());
        edges_.push_back({0, 1, 0, length, CostOf(spellings_)});
    }
    firstEdge_.assign(static_cast<std::size_t>(end_) + 2, static_cast<int>(edges_.size()));
    firstEdge_[0] = 0;
    tableOffset_.assign(static_cast<std::size_t>(end_) + 1, static_cast<int>(shown_.size()));
    tableOffset_[0] = 0;
    tableEdge_.assign(static_cast<std::size_t>(end_) + 1, -1);
    if (end_ == 1)
        tableEdge_[0] = 0;
}

// What is shown from each node: shown_ from nodes on its path; elsewhere the
// cheapest way back to that path, so that kana not started yet keep the
// table's spelling.
void RomajiSpelling::ChooseContinuations()
{
    const std::size_t nodes = static_cast<std::size_t>(end_) + 1;
    nextEdge_.assign(nodes, -1);
    rejoin_.assign(nodes, end_);
    restCost_.assign(nodes, 0);
    restLength_.assign(nodes, 0);
    for (int node = end_ - 1; node >= 0; --node) {
        int chosen = tableEdge_[node];
        if (tableOffset_[node] >= 0) {
            rejoin_[node] = node;
        } else {
            for (int e = firstEdge_[node]; e < firstEdge_[node + 1]; ++e) {
                const Edge &edge = edges_[e];
                if (chosen < 0 || rejoin_[edge.to] < rejoin_[edges_[chosen].to] ||
                    (rejoin_[edge.to] == rejoin_[edges_[chosen].to] &&
                     edge.cost + restCost_[edge.to] < edges_[chosen].cost + restCost_[edges_[chosen].to]))
                    chosen = e;
            }
            nextEdge_[node] = chosen;
            rejoin_[node] = rejoin_[edges_[chosen].to];
        }
        const Edge &edge = edges_[chosen];
        restCost_[node] = edge.cost + restCost_[edge.to];
        restLength_[node] = edge.length + restLength_[edge.to];
    }
}

RomajiSpelling::Cursor RomajiSpelling::DisplayAt(int node) const
{
    if (node == end_)
        return {-1, 0};
    return {tableOffset_[node] >= 0 ? tableEdge_[node] : nextEdge_[node], 0};
}

QChar RomajiSpelling::CharAt(const Cursor &cursor) const
{
    return QChar(spellings_[edges_[cursor.edge].spelling + cursor.offset]);
}

bool RomajiSpelling::Accept(QChar typed)
{
    if (Finished() || typed.isNull())
        return false;
    const char16_t c = typed.unicode();
    if (++stamp_ == 0) {
        std::fill(nodeStamp_.begin(), nodeStamp_.end(), 0);
        stamp_ = 1;
    }
    nextInside_.clear();
    nextNodes_.clear();
    auto reach = [this](int e, int offset) {
        const Edge &edge = edges_[e];
        if (offset < edge.length) {
            nextInside_.push_back({e, offset});
        } else if (nodeStamp_[edge.to] != stamp_) {
            nodeStamp_[edge.to] = stamp_;
            nextNodes_.push_back(edge.to);
        }
    };
    for (const Cursor &cursor : inside_) {
        if (spellings_[edges_[cursor.edge].spelling + cursor.offset] == c)
            reach(cursor.edge, cursor.offset + 1);
    }
    for (int node : nodes_) {
        for (int e = firstEdge_[node]; e < firstEdge_[node + 1]; ++e) {
            if (spellings_[edges_[e].spelling] == c)
                reach(e, 1);
        }
    }
    if (nextInside_.empty() && nextNodes_.empty())
        return false;

    if (CharAt(display_) == typed) {
        // The spelling shown goes on.
        const Edge &edge = edges_[display_.edge];
        display_ = display_.offset + 1 < edge.length ? Cursor{display_.edge, display_.offset + 1} : DisplayAt(edge.to);
    } else {
        // The player has taken another spelling: show the one that gets back
        // to the table's spelling soonest, and among those the shortest.
        int bestRejoin = end_ + 1;
        int bestCost = 0;
        for (int node : nextNodes_) {
            if (rejoin_[node] < bestRejoin || (rejoin_[node] == bestRejoin && restCost_[node] < bestCost)) {
                bestRejoin = rejoin_[node];
                bestCost = restCost_[node];
                display_ = DisplayAt(node);
            }
        }
        for (const Cursor &cursor : nextInside_) {
            const Edge &edge = edges_[cursor.edge];
            const int cost = CostOf(std::u16string_view(spellings_).substr(
                                 static_cast<std::size_t>(edge.spelling + cursor.offset),
                                 static_cast<std::size_t>(edge.length - cursor.offset))) +
                             restCost_[edge.to];
            if (rejoin_[edge.to] < bestRejoin || (rejoin_[edge.to] == bestRejoin && cost < bestCost)) {
                bestRejoin = rejoin_[edge.to];
                bestCost = cost;
                display_ = cursor;
            }
        }
    }
    std::swap(inside_, nextInside_);
    std::swap(nodes_, nextNodes_);
    return true;
}

QString RomajiSpelling::Remaining() const
{
    if (Finished())
        return QString();
    const Edge &edge = edges_[display_.edge];
    QString text;
    text.reserve(edge.length - display_.offset + restLength_[edge.to]);
    text.append(reinterpret_cast<const QChar *>(spellings_.data() + edge.spelling + display_.offset),
                edge.length - display_.offset);
    for (int node = edge.to; node != end_;) {
        if (tableOffset_[node] >= 0) {
            text.append(QStringView(shown_).sliced(tableOffset_[node]));
            break;
        }
        const Edge &next = edges_[nextEdge_[node]];
        text.append(reinterpret_cast<const QChar *>(spellings_.data() + next.spelling), next.length);
        node = next.to;
    }
    return text;
}
