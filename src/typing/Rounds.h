// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The goals the solo ways to play are made of: words against the clock,
// words until so many correct keys, and the lines of one text.

#include "dictionary/Records.h"
#include "typing/Round.h"

#include <QVector>

// Random words until the time limit has passed.
class TimedWordsRound : public Round {
public:
    explicit TimedWordsRound(qint64 limitMs) : limitMs_(limitMs) {}
    qint64 LimitMs() const { return limitMs_; }

    QString RestCaption() const override;
    void ShowFirst(Game &game) override;
    void NextQuestion(Game &game) override;
    qint64 Remaining(const GameState &state, qint64 elapsedMs) const override;
    bool Over(qint64 remaining) const override { return remaining < 0; }
    QString RestText(qint64 remaining) const override;
    // The first millisecond past the limit.
    std::optional<qint64> OverAtMs() const override { return limitMs_ + 1; }

private:
    qint64 limitMs_;
};

// Random words until so many correct keys.
class CountedWordsRound : public Round {
public:
    explicit CountedWordsRound(int keys) : keys_(keys) {}
    int Keys() const { return keys_; }

    QString RestCaption() const override;
    void ShowFirst(Game &game) override;
    void NextQuestion(Game &game) override;
    qint64 Remaining(const GameState &state, qint64 elapsedMs) const override;
    bool Over(qint64 remaining) const override { return remaining <= 0; }

private:
    int keys_;
};

// The lines of one text, each with the line after it, until past the last.
class TextLinesRound : public Round {
public:
    explicit TextLinesRound(const QVector<QuestItem> &lines) : lines_(lines) {}
    // The index of the last line.
    qint32 LastLine() const { return static_cast<qint32>(lines_.size() - 1); }

    QString RestCaption() const override;
    void ShowFirst(Game &game) override;
    void NextQuestion(Game &game) override;
    qint64 Remaining(const GameState &state, qint64 elapsedMs) const override;
    bool Over(qint64 remaining) const override { return remaining < 0; }

private:
    void ShowLine(Game &game, int n) const;

    // Shared with the dictionary, not copied.
    const QVector<QuestItem> lines_;
};
