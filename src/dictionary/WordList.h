// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The word list, kept compact: the texts of all words stay in shared buffers
// and each word is only where its parts lie in them. A word is handed out as
// a QuestItem, made when it is asked for; three strings per word for a list
// of half a million words cost far more than the text itself. A loaded list
// whose romaji table keeps every line and ":" in place holds only the text
// as read and converts a word when it is asked for; otherwise it holds the
// whole text converted beside it.

#include "dictionary/QuestItem.h"
#include "dictionary/RomajiRules.h"

#include <QString>
#include <QStringView>

#include <functional>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <vector>

class WordList {
public:
    // Where one word lies: its text shown is [Quest, Colon) and its romaji
    // (Colon, RomanEnd) of the converted text, or of the text as read when
    // the list converts on demand; its reading [Reading, ReadingEnd) of the
    // text as read.
    struct Span {
        quint32 Quest = 0;
        quint32 Colon = 0;
        quint32 RomanEnd = 0;
        quint32 Reading = 0;
        quint32 ReadingEnd = 0;
    };
    // The largest text a span can point into.
    static constexpr qsizetype MaxText = 0xFFFFFFFF;

    WordList() = default;
    WordList(std::initializer_list<QuestItem> items);
    // The words lying in text (converted) and source (read) at the given spans.
    WordList(QString text, QString source, std::vector<Span> spans);
    // The words lying in source (read) at the given spans, each converted
    // with converter when asked for; it must keep lines and ":" in place.
    WordList(QString source, std::vector<Span> spans, const RomajiConverter &converter);

    qsizetype size() const { return static_cast<qsizetype>(spans_.size()); }
    bool isEmpty() const { return spans_.empty(); }
    QuestItem at(qsizetype index) const;
    QuestItem operator[](qsizetype index) const { return at(index); }
    // A word's reading where it lies, valid until the list changes.
    QStringView ReadingAt(qsizetype index) const;
    // Calls each with the romaji of every word in order; the view lives
    // during the call. Converts the words in large pieces, much faster than
    // asking for them one by one.
    void EachRoman(const std::function<void(QStringView)> &each) const;
    void append(const QuestItem &item);
    void clear();
    // Forgets every reading, keeping the text shown and the romaji.
    void ClearReadings();
    // Tells the words apart from those of any other list or of this list
    // before a change: lists with the same stamp hold the same words, so
    // what is worked out from them once can be kept by it.
    quint64 Stamp() const { return stamp_; }

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = QuestItem;
        using difference_type = qsizetype;
        using pointer = void;
        using reference = QuestItem;

        const_iterator(const WordList *list, qsizetype index) : list_(list), index_(index) {}
        QuestItem operator*() const { return list_->at(index_); }
        const_iterator &operator++()
        {
            ++index_;
            return *this;
        }
        bool operator==(const const_iterator &other) const { return index_ == other.index_; }
        bool operator!=(const const_iterator &other) const { return index_ != other.index_; }

    private:
        const WordList *list_;
        qsizetype index_;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

private:
    // Makes a list that converts on demand one that holds its romaji, for
    // changing it.
    void Hold();

    // Converted text; empty when the words convert on demand.
    QString text_;
    QString source_;
    std::vector<Span> spans_;
    std::optional<RomajiConverter> converter_;
    quint64 stamp_ = NewStamp();

    static quint64 NewStamp();
};
