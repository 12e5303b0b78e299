// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text in, reading out: the hiragana an input method is typed with, in the
// notation of the romaji table's find sides. MeCab cuts the text into words
// and gives their spelling readings; the rules here put digits, Latin
// letters, numbers with counters and punctuation the way a player types them.

#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>

struct Reading {
    // Where a word nobody could read stands in Text, left as written.
    struct Span {
        int Start = 0;
        int Length = 0;
    };
    QString Text;
    QVector<Span> Unread;
    bool IsRead() const { return Unread.isEmpty(); }
};

// One word as the analyser cut it.
struct Morpheme {
    QString Surface;
    // The analyser's fields: part of speech, its subdivisions, ..., base
    // form, reading, pronunciation; fewer for a word it does not know.
    QStringList Features;
    bool Unknown = false;
    // Blanks the analyser skipped before the word.
    bool SpaceBefore = false;
};

class MecabEngine;

class Reader {
public:
    Reader();
    ~Reader();
    Reader(const Reader &) = delete;
    Reader &operator=(const Reader &) = delete;

    // False when the program was built without MeCab or its dictionary is
    // missing; Problem() then says what to install.
    bool IsAvailable() const;
    QString Problem() const;

    // The punctuation kept in readings besides printable ASCII; the rest is
    // dropped. By default what the shipped romaji table types.
    void SetTypablePunctuation(const QString &characters) { typable_ = characters; }
    static QString DefaultTypablePunctuation();

    Reading Read(const QString &line) const;
    // The analyser's own readings, katakana turned to hiragana, with nothing
    // of the rules here: what the rules are measured against.
    QString ReadAsAnalysed(const QString &line) const;
    // The words of the line; empty without MeCab.
    QVector<Morpheme> Analyse(const QString &line) const;

private:
    std::unique_ptr<MecabEngine> engine_;
    QString typable_;
};

// The rules alone, over words already cut.
Reading ReadMorphemes(const QVector<Morpheme> &words, const QString &typablePunctuation);

// Katakana to hiragana; everything else as it is.
QString ToHiragana(const QString &text);

// A line cut into pieces of at most maxLength characters, after a sentence
// end (。！？!?) where there is one, else after a comma, else where hiragana
// meets another script, else anywhere.
QStringList CutAtSentenceEnds(const QString &line, int maxLength);
