// SPDX-License-Identifier: GPL-3.0-or-later
#include "typing/Course.h"

#include "dictionary/WordList.h"
#include "history/DrillDraw.h"
#include "history/HistoryStore.h"

#include <QSet>

#include <algorithm>
#include <cmath>

namespace course {

namespace {

struct KeyStep {
    const char *title;
    const char *newKeys; // empty: a review of the row
};

const KeyStep KeySteps[] = {
    {"F と J", "FJ"},  {"D と K", "DK"},  {"S と L", "SL"},   {"A と ;", "A;"},  {"G と H", "GH"},
    {"ホームポジションの復習", ""},
    {"R と U", "RU"},  {"E と I", "EI"},  {"W と O", "WO"},   {"Q と P", "QP"},  {"T と Y", "TY"},
    {"上の段の復習", ""},
    {"V と M", "VM"},  {"C と ,", "C,"},  {"X と .", "X."},   {"Z と /", "Z/"},  {"B と N", "BN"},
    {"下の段の復習", ""},
};

struct SyllableStep {
    const char *title;
    const char *syllables; // "kana:ROMAJI" separated by spaces
};

const SyllableStep SyllableSteps[] = {
    {"母音 あいうえお", "あ:A い:I う:U え:E お:O"},
    {"か行・さ行", "か:KA き:KI く:KU け:KE こ:KO さ:SA し:SHI す:SU せ:SE そ:SO"},
    {"た行・な行", "た:TA ち:CHI つ:TSU て:TE と:TO な:NA に:NI ぬ:NU ね:NE の:NO"},
    {"は行・ま行", "は:HA ひ:HI ふ:FU へ:HE ほ:HO ま:MA み:MI む:MU め:ME も:MO"},
    {"や行・ら行・わ", "や:YA ゆ:YU よ:YO ら:RA り:RI る:RU れ:RE ろ:RO わ:WA を:WO"},
    {"濁音・半濁音", "が:GA ぎ:GI ぐ:GU げ:GE ご:GO ざ:ZA じ:JI ず:ZU ぜ:ZE ぞ:ZO だ:DA で:DE ど:DO "
                     "ば:BA び:BI ぶ:BU べ:BE ぼ:BO ぱ:PA ぴ:PI ぷ:PU ぺ:PE ぽ:PO"},
    {"拗音", "きゃ:KYA きゅ:KYU きょ:KYO しゃ:SHA しゅ:SHU しょ:SHO ちゃ:CHA ちゅ:CHU ちょ:CHO "
             "にゃ:NYA ひゃ:HYA みゅ:MYU りょ:RYO ぎょ:GYO じゃ:JA じゅ:JU じょ:JO びょ:BYO ぴゃ:PYA"},
    {"っ と ん", "っか:KKA っさ:SSA った:TTA っぱ:PPA っと:TTO っき:KKI っぷ:PPU ん:NN かん:KANN "
                "しん:SHINN てん:TENN ぽん:PONN"},
};

constexpr int ShortWord = 8;

QString Letters(const QString &roman)
{
    QString keys;
    for (QChar c : roman) {
        if (!keys.contains(c))
            keys.append(c);
    }
    return keys;
}

QList<Lesson> Build()
{
    QList<Lesson> lessons;
    QString learned;
    QString rowKeys;
    for (const KeyStep &step : KeySteps) {
        Lesson lesson;
        lesson.title = QString::fromUtf8(step.title);
        lesson.newKeys = QString::fromLatin1(step.newKeys);
        if (lesson.newKeys.isEmpty()) {
            lesson.newKeys = rowKeys; // the review: the row just learned, weighted over the rest
            rowKeys.clear();
        } else {
            rowKeys += lesson.newKeys;
        }
        learned += QString::fromLatin1(step.newKeys);
        lesson.keys = learned + QLatin1Char(' ');
        lessons.append(lesson);
    }
    QStringList everySyllable;
    for (const SyllableStep &step : SyllableSteps) {
        Lesson lesson;
        lesson.title = QString::fromUtf8(step.title);
        lesson.kind = Kind::Syllables;
        lesson.syllables = QString::fromUtf8(step.syllables).split(QLatin1Char(' '));
        for (const QString &syllable : std::as_const(lesson.syllables))
            lesson.keys += Letters(syllable.section(QLatin1Char(':'), 1));
        lesson.keys = Letters(lesson.keys);
        everySyllable += lesson.syllables;
        lessons.append(lesson);
    }
    for (int maxLength : {ShortWord, 0}) {
        Lesson lesson;
        lesson.title = maxLength ? QStringLiteral("短い単語") : QStringLiteral("単語");
        lesson.kind = Kind::Words;
        lesson.keys = learned;
        lesson.maxWordLength = maxLength;
        lesson.syllables = everySyllable; // for a dictionary without a word to use
        lessons.append(lesson);
    }
    // Targets rise evenly from 1 to 3 keys a second, lengths from 60 to 120 keys.
    const int last = int(lessons.size()) - 1;
    for (int i = 0; i <= last; ++i) {
        lessons[i].number = i + 1;
        lessons[i].targetSpeed = std::round((1.0 + 2.0 * i / last) * 10) / 10;
        lessons[i].length = int(std::round((60.0 + 60.0 * i / last) / 5) * 5);
    }
    return lessons;
}

int Below(double uniform, int count)
{
    return std::clamp(int(uniform * count), 0, count - 1);
}

// Lines of groups of keys with spaces between, new keys three times as likely.
QVector<QuestItem> KeyText(const Lesson &lesson, const QList<history::CharCount> &weak,
                           const std::function<double()> &uniform)
{
    QStringList pool;
    for (QChar c : lesson.keys) {
        if (c == QLatin1Char(' '))
            continue;
        const int copies = lesson.newKeys.contains(c) ? 3 : 1;
        for (int i = 0; i < copies; ++i)
            pool.append(QString(c));
    }
    const history::DrillDraw draw(pool, weak);
    QVector<QuestItem> lines;
    int total = 0;
    while (total < lesson.length) {
        QString roman;
        for (int group = 0; group < 4 && total + roman.size() < lesson.length; ++group) {
            if (!roman.isEmpty())
                roman += QLatin1Char(' ');
            const int size = 2 + Below(uniform(), 3);
            for (int i = 0; i < size; ++i)
                roman += pool.at(draw.Pick(uniform()));
        }
        total += int(roman.size());
        lines.append({roman, roman, QString()});
    }
    return lines;
}

// Made-up words of two to four syllables.
QVector<QuestItem> SyllableText(const Lesson &lesson, const QList<history::CharCount> &weak,
                                const std::function<double()> &uniform)
{
    QStringList romaji;
    for (const QString &syllable : lesson.syllables)
        romaji.append(syllable.section(QLatin1Char(':'), 1));
    const history::DrillDraw draw(romaji, weak);
    QVector<QuestItem> words;
    int total = 0;
    while (total < lesson.length) {
        QuestItem word;
        const int size = 2 + Below(uniform(), 3);
        for (int i = 0; i < size; ++i) {
            const QString &syllable = lesson.syllables.at(draw.Pick(uniform()));
            const QString kana = syllable.section(QLatin1Char(':'), 0, 0);
            // A word does not start with ん or a doubled consonant.
            if (i == 0 && (kana.startsWith(QStringLiteral("ん")) || kana.startsWith(QStringLiteral("っ"))))
                continue;
            word.Quest += kana;
            word.Roman += syllable.section(QLatin1Char(':'), 1);
        }
        if (word.Roman.isEmpty())
            continue;
        word.Reading = word.Quest;
        total += int(word.Roman.size());
        words.append(word);
    }
    return words;
}

QVector<QuestItem> WordText(const Lesson &lesson, const QList<history::CharCount> &weak, const WordList &words,
                            const std::function<double()> &uniform)
{
    QSet<QChar> allowed(lesson.keys.begin(), lesson.keys.end());
    QList<qsizetype> usable;
    QStringList romaji;
    qsizetype index = 0;
    words.EachRoman([&](QStringView roman) {
        const qsizetype i = index++;
        if (roman.isEmpty() || (lesson.maxWordLength && roman.size() > lesson.maxWordLength))
            return;
        if (std::all_of(roman.begin(), roman.end(), [&allowed](QChar c) { return allowed.contains(c); })) {
            usable.append(i);
            romaji.append(roman.toString());
        }
    });
    if (usable.isEmpty())
        return SyllableText(lesson, weak, uniform);
    const history::DrillDraw draw(romaji, weak);
    QVector<QuestItem> text;
    int total = 0;
    while (total < lesson.length) {
        const QuestItem word = words.at(usable.at(draw.Pick(uniform())));
        total += int(word.Roman.size());
        text.append(word);
    }
    return text;
}

} // namespace

const QList<Lesson> &Lessons()
{
    static const QList<Lesson> lessons = Build();
    return lessons;
}

const Lesson *LessonAt(int number)
{
    const QList<Lesson> &lessons = Lessons();
    return number >= 1 && number <= lessons.size() ? &lessons.at(number - 1) : nullptr;
}

QString TextName(const Lesson &lesson)
{
    return QString::number(lesson.number);
}

bool Passes(const Lesson &lesson, double accuracy, double speed)
{
    // The speed as shown, to the thousandth, is what the player reads against the target.
    return accuracy >= PassAccuracy && speed + 1e-9 >= lesson.targetSpeed;
}

QList<Standing> Standings(const QList<history::LessonBest> &bests)
{
    QList<Standing> standings;
    bool open = true;
    for (const Lesson &lesson : Lessons()) {
        Standing standing;
        standing.open = open;
        for (const history::LessonBest &best : bests) {
            if (best.textName != TextName(lesson))
                continue;
            standing.bestSpeed = best.speed;
            standing.bestAccuracy = best.accuracy;
            standing.passed = best.speedAtAccuracy && Passes(lesson, PassAccuracy, *best.speedAtAccuracy);
        }
        standing.open = standing.open || standing.passed;
        open = standing.passed;
        standings.append(standing);
    }
    return standings;
}

QVector<QuestItem> LessonText(const Lesson &lesson, const QList<history::CharCount> &weak, const WordList &words,
                              const std::function<double()> &uniform)
{
    switch (lesson.kind) {
    case Kind::Keys: return KeyText(lesson, weak, uniform);
    case Kind::Syllables: return SyllableText(lesson, weak, uniform);
    case Kind::Words: break;
    }
    return WordText(lesson, weak, words, uniform);
}

} // namespace course
