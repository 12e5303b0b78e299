// SPDX-License-Identifier: GPL-3.0-or-later
#include "typing/Course.h"

#include "dictionary/WordList.h"
#include "history/DrillDraw.h"
#include "history/HistoryStore.h"
#include "typing/KanaLayout.h"

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

// Kana lessons after the three letter rows: the rest of the kana layout.
const SyllableStep KanaSteps[] = {
    {"数字の段 ぬ〜わ", "ぬ ふ あ う え お や ゆ よ わ"},
    {"ほ へ ー け む ろ", "ほ へ ー け む ろ"},
    {"濁音 ゛", "が ぎ ぐ げ ご ざ じ ず ぜ ぞ だ ぢ づ で ど ば び ぶ べ ぼ"},
    {"半濁音 ゜", "ぱ ぴ ぷ ぺ ぽ"},
    {"小さい字・を・、。", "きゃ しゅ ちょ にゃ ひゅ みょ りゃ じゅ ぴょ っか っと っさ ふぁ うぃ てぃ うぇ つぉ を 、 。"},
};

// The longest short word: in romaji characters, and in kana keys.
constexpr int ShortWord = 8;
constexpr int ShortKanaWord = 5;
// The longest word a lesson takes: as long as a keys lesson's longest line,
// four groups of four keys (with the spaces between them in romaji), so a
// huge line in the word list never becomes one huge question.
constexpr int LongWord = 4 * 4 + 3;
constexpr int LongKanaWord = 4 * 4;

// The kana of a JIS key by its keytop, without Shift.
QChar KanaOfKeytop(QChar keytop)
{
    return QChar(kana::KanaOfKey(kana::JisKeyCode(keytop.unicode()), false));
}

bool IsKana(const Lesson &lesson)
{
    return lesson.input == history::Input::Kana;
}

// The keys of a question: its romaji, or the keytops of its kana.
int KeyCount(const QuestItem &item)
{
    return int(item.Roman.size());
}

QString Letters(const QString &roman)
{
    QString keys;
    for (QChar c : roman) {
        if (!keys.contains(c))
            keys.append(c);
    }
    return keys;
}

// Keytops, in order, without repeats.
QString Keytops(const QString &kanaText)
{
    return Letters(kana::KeyLegends(kanaText));
}

QList<Lesson> Build(history::Input input)
{
    const bool kana = input == history::Input::Kana;
    QList<Lesson> lessons;
    QString learned;
    QString rowKeys;
    for (const KeyStep &step : KeySteps) {
        Lesson lesson;
        lesson.input = input;
        lesson.title = QString::fromUtf8(step.title);
        lesson.newKeys = QString::fromLatin1(step.newKeys);
        if (kana && !lesson.newKeys.isEmpty()) {
            // The keys by their kana: "は と ま" for F and J.
            lesson.title = QString(KanaOfKeytop(lesson.newKeys.at(0))) + QStringLiteral(" と ")
                           + KanaOfKeytop(lesson.newKeys.at(1));
        }
        if (lesson.newKeys.isEmpty()) {
            lesson.newKeys = rowKeys; // the review: the row just learned, weighted over the rest
            rowKeys.clear();
        } else {
            rowKeys += lesson.newKeys;
        }
        learned += QString::fromLatin1(step.newKeys);
        // Kana input has no space to type between the groups.
        lesson.keys = kana ? learned : learned + QLatin1Char(' ');
        lessons.append(lesson);
    }
    QStringList everySyllable;
    for (const SyllableStep &step : kana ? QList<SyllableStep>(std::begin(KanaSteps), std::end(KanaSteps))
                                         : QList<SyllableStep>(std::begin(SyllableSteps), std::end(SyllableSteps))) {
        Lesson lesson;
        lesson.input = input;
        lesson.title = QString::fromUtf8(step.title);
        lesson.kind = Kind::Syllables;
        lesson.syllables = QString::fromUtf8(step.syllables).split(QLatin1Char(' '));
        for (const QString &syllable : std::as_const(lesson.syllables))
            lesson.keys += kana ? Keytops(syllable) : Letters(syllable.section(QLatin1Char(':'), 1));
        lesson.keys = Letters(lesson.keys);
        learned += lesson.keys;
        everySyllable += lesson.syllables;
        lessons.append(lesson);
    }
    for (const bool shortWords : {true, false}) {
        Lesson lesson;
        lesson.input = input;
        lesson.title = shortWords ? QStringLiteral("短い単語") : QStringLiteral("単語");
        lesson.kind = Kind::Words;
        lesson.keys = Letters(learned);
        lesson.maxWordLength = shortWords ? (kana ? ShortKanaWord : ShortWord) : (kana ? LongKanaWord : LongWord);
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
        QString keys;
        for (int group = 0; group < 4 && total + keys.size() < lesson.length; ++group) {
            if (!keys.isEmpty())
                keys += QLatin1Char(' ');
            const int size = 2 + Below(uniform(), 3);
            for (int i = 0; i < size; ++i)
                keys += pool.at(draw.Pick(uniform()));
        }
        if (IsKana(lesson)) {
            // The groups as the kana their keys type, the spaces only shown.
            QString text;
            for (QChar c : keys)
                text += c == QLatin1Char(' ') ? QChar(u'\u3000') : KanaOfKeytop(c);
            lines.append({text, kana::KeyLegends(text), text});
        } else {
            lines.append({keys, keys, QString()});
        }
        total += KeyCount(lines.last());
    }
    return lines;
}

// Made-up words of two to four syllables.
QVector<QuestItem> SyllableText(const Lesson &lesson, const QList<history::CharCount> &weak,
                                const std::function<double()> &uniform)
{
    const bool kana = IsKana(lesson);
    QStringList keys;
    for (const QString &syllable : lesson.syllables)
        keys.append(kana ? kana::KeyLegends(syllable) : syllable.section(QLatin1Char(':'), 1));
    const history::DrillDraw draw(keys, weak);
    QVector<QuestItem> words;
    int total = 0;
    while (total < lesson.length) {
        QuestItem word;
        const int size = 2 + Below(uniform(), 3);
        for (int i = 0; i < size; ++i) {
            const int drawn = draw.Pick(uniform());
            const QString kanaUnit = lesson.syllables.at(drawn).section(QLatin1Char(':'), 0, 0);
            // A word does not start with ん, a doubled consonant, a long vowel or a comma.
            if (i == 0 && QStringLiteral("んっー、。").contains(kanaUnit.at(0)))
                continue;
            word.Quest += kanaUnit;
            word.Roman += keys.at(drawn);
        }
        if (word.Roman.isEmpty())
            continue;
        word.Reading = word.Quest;
        total += KeyCount(word);
        words.append(word);
    }
    return words;
}

QVector<QuestItem> WordText(const Lesson &lesson, const QList<history::CharCount> &weak, const WordList &words,
                            const std::function<double()> &uniform)
{
    const bool kana = IsKana(lesson);
    QSet<QChar> allowed(lesson.keys.begin(), lesson.keys.end());
    QList<qsizetype> usable;
    QStringList keys; // the keys of each usable word: its romaji, or its kana's JIS keytops
    // A word's keys are taken from the one the list hands out, so each is
    // made once: romaji in large pieces, kana from the reading.
    auto consider = [&](qsizetype i, QStringView wordKeys) {
        if (wordKeys.isEmpty() || (lesson.maxWordLength && wordKeys.size() > lesson.maxWordLength))
            return;
        if (std::all_of(wordKeys.begin(), wordKeys.end(), [&allowed](QChar c) { return allowed.contains(c); })) {
            usable.append(i);
            keys.append(wordKeys.toString());
        }
    };
    if (kana) {
        for (qsizetype i = 0; i < words.size(); ++i) {
            // Only words the kana layout types whole: nothing of the reading is skipped.
            const QStringView reading = words.ReadingAt(i);
            const QString typed = kana::TypedKana(reading);
            if (typed.size() == reading.size())
                consider(i, kana::KeyLegends(typed));
        }
    } else {
        qsizetype index = 0;
        words.EachRoman([&](QStringView roman) { consider(index++, roman); });
    }
    if (usable.isEmpty())
        return SyllableText(lesson, weak, uniform);
    const history::DrillDraw draw(keys, weak);
    QVector<QuestItem> text;
    int total = 0;
    while (total < lesson.length) {
        const int drawn = draw.Pick(uniform());
        QuestItem word = words.at(usable.at(drawn));
        if (kana)
            word.Roman = keys.at(drawn);
        total += KeyCount(word);
        text.append(word);
    }
    return text;
}

} // namespace

const QList<Lesson> &Lessons(history::Input input)
{
    static const QList<Lesson> romaji = Build(history::Input::Romaji);
    static const QList<Lesson> kana = Build(history::Input::Kana);
    return input == history::Input::Kana ? kana : romaji;
}

const Lesson *LessonAt(int number, history::Input input)
{
    const QList<Lesson> &lessons = Lessons(input);
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

QList<Standing> Standings(const QList<history::LessonBest> &bests, history::Input input)
{
    QList<Standing> standings;
    bool open = true;
    for (const Lesson &lesson : Lessons(input)) {
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
