// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing the three dictionary formats as the loader reads them, and finding
// what in a dictionary keeps the game from using it.

#include "dictionary/RomajiRules.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

struct DictEntry {
    QString Shown;
    QString Reading;
};

// The romaji table is applied to the whole file, shown texts and titles
// included, so these are written in characters its find sides do not hold:
// hiragana as katakana (as the shipped texts write okurigana), ー 、 。 「 」
// as their half-width look-alikes and ！ ？ （ ） as ASCII.
QString ShownForGame(const QString &text);

// "shown:reading" and CR LF. The first ":" ends the shown text, so one in it
// becomes "：", and a reading cannot hold one at all.
QString EntryLine(const DictEntry &entry);
// The word list, each shown text as ShownForGame writes it.
QString WordListText(const QVector<DictEntry> &entries);

// The copipe dictionary with the block of that title put in place of the old
// one, or added at its end; title and shown texts as ShownForGame writes them.
QString WithCopipeBlock(const QString &dictionary, const QString &title, const QVector<DictEntry> &entries);
// The same for the ranking dictionary, whose blocks begin with the encoded name.
QString WithRankingBlock(const QString &dictionary, const QString &title, const QString &name,
                         const QVector<DictEntry> &entries);
// Whether a copipe or ranking dictionary holds a block of that title.
bool HasBlock(const QString &dictionary, const QString &title);

// The reversed "#code#code" form of a registration name, as the loader decodes it.
QString EncodeRankingName(const QString &name);

// A character Shift-JIS cannot hold, with its line and column (from 1).
struct Unencodable {
    int Line = 0;
    int Column = 0;
    QString Character;
};
std::optional<Unencodable> FirstUnencodableCharacter(const QString &text);

// The romaji of a reading holds only what keys type.
bool IsTypableRomaji(const QString &romaji);

enum class DictionaryKind { Words, Copipe, Ranking };
// By the file's name: ".qls", ".cls", or "tokira.rls" and any ".rls".
std::optional<DictionaryKind> KindOfDictionary(const QString &path);

struct DictionaryProblem {
    int Line = 0;
    QString Message;
};
// Every problem of a dictionary's text (CR LF line ends), converted with the
// romaji rules as the game converts it.
QVector<DictionaryProblem> CheckDictionary(const QString &text, DictionaryKind kind, const QVector<RomajiRule> &rules);
