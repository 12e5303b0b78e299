// SPDX-License-Identifier: GPL-3.0-or-later
#include "typing/Course.h"

#include "dictionary/WordList.h"
#include "history/DrillDraw.h"
#include "history/HistoryStore.h"
#include "typing/KanaLayout.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QThreadPool>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <future>
#include <iterator>
#include <memory>
#include <utility>
#include <vector>

namespace course {

namespace {

// Titles of two keys, "F と J", are shown through one pattern (ShownTitle);
// the others are translated one by one.
struct KeyStep {
    const char *title;
    const char *newKeys; // empty: a review of the row
};

const KeyStep KeySteps[] = {
    {"F と J", "FJ"},  {"D と K", "DK"},  {"S と L", "SL"},   {"A と ;", "A;"},  {"G と H", "GH"},
    {QT_TRANSLATE_NOOP("Course", "ホームポジションの復習"), ""},
    {"R と U", "RU"},  {"E と I", "EI"},  {"W と O", "WO"},   {"Q と P", "QP"},  {"T と Y", "TY"},
    {QT_TRANSLATE_NOOP("Course", "上の段の復習"), ""},
    {"V と M", "VM"},  {"C と ,", "C,"},  {"X と .", "X."},   {"Z と /", "Z/"},  {"B と N", "BN"},
    {QT_TRANSLATE_NOOP("Course", "下の段の復習"), ""},
};

struct SyllableStep {
    const char *title;
    const char *syllables; // "kana:ROMAJI" separated by spaces
};

const SyllableStep SyllableSteps[] = {
    {QT_TRANSLATE_NOOP("Course", "母音 あいうえお"), "あ:A い:I う:U え:E お:O"},
    {QT_TRANSLATE_NOOP("Course", "か行・さ行"), "か:KA き:KI く:KU け:KE こ:KO さ:SA し:SHI す:SU せ:SE そ:SO"},
    {QT_TRANSLATE_NOOP("Course", "た行・な行"), "た:TA ち:CHI つ:TSU て:TE と:TO な:NA に:NI ぬ:NU ね:NE の:NO"},
    {QT_TRANSLATE_NOOP("Course", "は行・ま行"), "は:HA ひ:HI ふ:FU へ:HE ほ:HO ま:MA み:MI む:MU め:ME も:MO"},
    {QT_TRANSLATE_NOOP("Course", "や行・ら行・わ"), "や:YA ゆ:YU よ:YO ら:RA り:RI る:RU れ:RE ろ:RO わ:WA を:WO"},
    {QT_TRANSLATE_NOOP("Course", "濁音・半濁音"), "が:GA ぎ:GI ぐ:GU げ:GE ご:GO ざ:ZA じ:JI ず:ZU ぜ:ZE ぞ:ZO だ:DA で:DE ど:DO "
                     "ば:BA び:BI ぶ:BU べ:BE ぼ:BO ぱ:PA ぴ:PI ぷ:PU ぺ:PE ぽ:PO"},
    {QT_TRANSLATE_NOOP("Course", "拗音"), "きゃ:KYA きゅ:KYU きょ:KYO しゃ:SHA しゅ:SHU しょ:SHO ちゃ:CHA ちゅ:CHU ちょ:CHO "
             "にゃ:NYA ひゃ:HYA みゅ:MYU りょ:RYO ぎょ:GYO じゃ:JA じゅ:JU じょ:JO びょ:BYO ぴゃ:PYA"},
    {"っ と ん", "っか:KKA っさ:SSA った:TTA っぱ:PPA っと:TTO っき:KKI っぷ:PPU ん:NN かん:KANN "
                "しん:SHINN てん:TENN ぽん:PONN"},
};

// Kana lessons after the three letter rows: the rest of the kana layout.
const SyllableStep KanaSteps[] = {
    {QT_TRANSLATE_NOOP("Course", "数字の段 ぬ〜わ"), "ぬ ふ あ う え お や ゆ よ わ"},
    {QT_TRANSLATE_NOOP("Course", "ほ へ ー け む ろ"), "ほ へ ー け む ろ"},
    {QT_TRANSLATE_NOOP("Course", "濁音 ゛"), "が ぎ ぐ げ ご ざ じ ず ぜ ぞ だ ぢ づ で ど ば び ぶ べ ぼ"},
    {QT_TRANSLATE_NOOP("Course", "半濁音 ゜"), "ぱ ぴ ぷ ぺ ぽ"},
    {QT_TRANSLATE_NOOP("Course", "小さい字・を・、。"), "きゃ しゅ ちょ にゃ ひゅ みょ りゃ じゅ ぴょ っか っと っさ ふぁ うぃ てぃ うぇ つぉ を 、 。"},
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
        lesson.title = QString::fromUtf8(shortWords ? QT_TRANSLATE_NOOP("Course", "短い単語")
                                                    : QT_TRANSLATE_NOOP("Course", "単語"));
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

// The words of a list a word lesson may take, with their keys: made once per
// list and rule, so a lesson starts without going through the whole list again.
struct UsableWords {
    std::vector<quint32> words; // indexes into the list
    QString wordKeys;           // the keys of each, one after another
    std::vector<quint32> ends;  // where each one's keys end in wordKeys

    QStringView KeysOf(size_t i) const
    {
        const quint32 begin = i == 0 ? 0 : ends[i - 1];
        return QStringView(wordKeys).sliced(begin, ends[i] - begin);
    }
};

// The usable words of each lesson (all of one input method), in one pass over the list.
std::vector<UsableWords> FindUsable(const QList<Lesson> &lessons, const WordList &words)
{
    struct Rule {
        std::array<bool, 0x80> allowed{}; // the keys are ASCII; anything else is never allowed
        int maxWordLength = 0;
    };
    std::vector<UsableWords> found(size_t(lessons.size()));
    std::vector<Rule> rules(found.size());
    for (size_t l = 0; l < found.size(); ++l) {
        const Lesson &lesson = lessons.at(qsizetype(l));
        rules[l].maxWordLength = lesson.maxWordLength;
        for (QChar c : lesson.keys) {
            if (c.unicode() < rules[l].allowed.size())
                rules[l].allowed[c.unicode()] = true;
        }
    }
    auto consider = [&](qsizetype i, QStringView wordKeys) {
        if (wordKeys.isEmpty())
            return;
        for (size_t l = 0; l < found.size(); ++l) {
            const int maxLength = rules[l].maxWordLength;
            if (maxLength && wordKeys.size() > maxLength)
                continue;
            const std::array<bool, 0x80> &allowed = rules[l].allowed;
            if (!std::all_of(wordKeys.begin(), wordKeys.end(),
                             [&allowed](QChar c) { return c.unicode() < allowed.size() && allowed[c.unicode()]; }))
                continue;
            UsableWords &usable = found[l];
            usable.words.push_back(quint32(i));
            usable.wordKeys.append(wordKeys);
            usable.ends.push_back(quint32(usable.wordKeys.size()));
        }
    };
    if (!lessons.isEmpty() && IsKana(lessons.first())) {
        for (qsizetype i = 0; i < words.size(); ++i) {
            // Only words the kana layout types whole: nothing of the reading is skipped.
            const QStringView reading = words.ReadingAt(i);
            const QString typed = kana::TypedKana(reading);
            if (typed.size() == reading.size())
                consider(i, kana::KeyLegends(typed));
        }
    } else if (!lessons.isEmpty()) {
        // A word's keys are taken from the one the list hands out, so each is
        // made once: romaji in large pieces.
        qsizetype index = 0;
        words.EachRoman([&](QStringView roman) { consider(index++, roman); });
    }
    return found;
}

using Found = std::vector<std::shared_ptr<const UsableWords>>;
using Draws = std::vector<std::shared_ptr<const history::DrillDraw>>;

// The same weak characters (with the same counts) give the same weights, so
// a draw made for them is the draw a start would make.
QByteArray WeakKey(const QList<history::CharCount> &weak)
{
    QByteArray key;
    for (const history::CharCount &c : weak)
        key += QByteArray::number(c.expected.unicode()) + ':' + QByteArray::number(c.right) + ':'
               + QByteArray::number(c.wrong) + ' ';
    return key;
}

Draws DrawsFor(const Found &found, const QList<history::CharCount> &weak)
{
    Draws draws;
    for (const auto &usable : found)
        draws.push_back(usable ? std::make_shared<const history::DrillDraw>(usable->wordKeys, usable->ends, weak) : nullptr);
    return draws;
}

template <typename T>
std::shared_future<T> Ready(T value)
{
    std::promise<T> promise;
    promise.set_value(std::move(value));
    return promise.get_future().share();
}

// The word lessons of an input method on a list: their usable words (one per
// lesson of WordLessons; none yet for a lesson not prepared nor started), and their draws for the weak characters last
// prepared or used, each found on a thread of the pool or at a start. What
// the threads make is never changed after; the game's thread alone touches
// these entries.
struct Prepared {
    quint64 stamp = 0;
    qsizetype listSize = 0;
    history::Input input = history::Input::Romaji;
    std::shared_future<Found> found;
    QByteArray weakKey;
    std::shared_future<Draws> draws; // not valid: none made yet
};

// Only for the list last asked about.
std::vector<Prepared> &Entries()
{
    static std::vector<Prepared> entries;
    return entries;
}

QList<Lesson> WordLessons(history::Input input)
{
    QList<Lesson> lessons;
    for (const Lesson &lesson : Lessons(input)) {
        if (lesson.kind == Kind::Words)
            lessons.append(lesson);
    }
    return lessons;
}

Prepared *EntryOf(const WordList &words, history::Input input)
{
    std::vector<Prepared> &entries = Entries();
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [&words](const Prepared &e) {
                                     return e.stamp != words.Stamp() || e.listSize != words.size();
                                 }),
                  entries.end());
    for (Prepared &e : entries) {
        if (e.input == input)
            return &e;
    }
    return nullptr;
}

Found FindAll(const QList<Lesson> &lessons, const WordList &words)
{
    Found found;
    for (UsableWords &usable : FindUsable(lessons, words))
        found.push_back(std::make_shared<const UsableWords>(std::move(usable)));
    return found;
}

// The usable words and the draw of a word lesson for the weak characters:
// made on another thread since the lessons' window opened or the last lesson
// ended, or now. Waiting for the thread is never longer than making them again.
std::pair<std::shared_ptr<const UsableWords>, std::shared_ptr<const history::DrillDraw>>
UsableAndDraw(const Lesson &lesson, const WordList &words, const QList<history::CharCount> &weak)
{
    const QList<Lesson> lessons = WordLessons(lesson.input);
    const auto at = std::find_if(lessons.begin(), lessons.end(), [&lesson](const Lesson &l) {
        return l.keys == lesson.keys && l.maxWordLength == lesson.maxWordLength;
    });
    if (at == lessons.end()) {
        const Found found = FindAll({lesson}, words);
        return {found.front(), DrawsFor(found, weak).front()};
    }
    const size_t index = size_t(at - lessons.begin());
    Prepared *entry = EntryOf(words, lesson.input);
    if (!entry) {
        Entries().push_back({words.Stamp(), words.size(), lesson.input, Ready(Found(size_t(lessons.size()))), {}, {}});
        entry = &Entries().back();
    }
    Found found = entry->found.get();
    if (!found[index]) {
        // Nothing prepared: this lesson's words alone, as quickly as they are found.
        found[index] = FindAll({lesson}, words).front();
        entry->found = Ready(found);
    }
    const QByteArray weakKey = WeakKey(weak);
    // Only this lesson's draw is made now; the others when they start.
    Draws draws = entry->draws.valid() && entry->weakKey == weakKey ? entry->draws.get() : Draws(found.size());
    if (!draws[index]) {
        draws[index] = DrawsFor({found[index]}, weak).front();
        entry->weakKey = weakKey;
        entry->draws = Ready(draws);
    }
    return {found[index], draws[index]};
}

QVector<QuestItem> WordText(const Lesson &lesson, const QList<history::CharCount> &weak, const WordList &words,
                            const std::function<double()> &uniform)
{
    const bool kana = IsKana(lesson);
    const auto [usable, draw] = UsableAndDraw(lesson, words, weak);
    if (usable->words.empty())
        return SyllableText(lesson, weak, uniform);
    QVector<QuestItem> text;
    int total = 0;
    while (total < lesson.length) {
        const int drawn = draw->Pick(uniform());
        QuestItem word = words.at(usable->words.at(size_t(drawn)));
        if (kana)
            word.Roman = usable->KeysOf(size_t(drawn)).toString();
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

QString ShownTitle(const Lesson &lesson)
{
    const QString &title = lesson.title;
    const QString between = QStringLiteral(" と ");
    if (title.size() == between.size() + 2 && title.mid(1, between.size()) == between)
        return QCoreApplication::translate("Course", "%1 と %2").arg(title.first(1), title.last(1));
    return QCoreApplication::translate("Course", title.toUtf8().constData());
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

bool WordLessonsPrepared(const WordList &words, history::Input input)
{
    return !words.isEmpty() && EntryOf(words, input);
}

void PrepareWordLessons(const WordList &words, history::Input input, const QList<history::CharCount> &weak)
{
    if (words.isEmpty())
        return;
    Prepared *entry = EntryOf(words, input);
    const QByteArray weakKey = WeakKey(weak);
    // What a start made without preparing is for its own lesson only.
    auto someMissing = [](const auto &made) {
        return made.valid() && made.wait_for(std::chrono::seconds(0)) == std::future_status::ready
               && std::any_of(made.get().begin(), made.get().end(), [](const auto &one) { return !one; });
    };
    const bool partly = entry && someMissing(entry->found);
    if (entry && !partly && entry->draws.valid() && entry->weakKey == weakKey && !someMissing(entry->draws))
        return;
    const QList<Lesson> lessons = WordLessons(input);
    if (!entry || partly) {
        if (!entry) {
            Entries().push_back({words.Stamp(), words.size(), input, {}, {}, {}});
            entry = &Entries().back();
        }
        auto found = std::make_shared<std::promise<Found>>();
        entry->found = found->get_future().share();
        // The thread has a copy of its own: the words' texts are shared, not copied.
        QThreadPool::globalInstance()->start([found, words, lessons] { found->set_value(FindAll(lessons, words)); });
    }
    // The draws wait for the words on their own thread (started after the
    // words' one, so it never waits for a thread that cannot run).
    auto draws = std::make_shared<std::promise<Draws>>();
    entry->weakKey = weakKey;
    entry->draws = draws->get_future().share();
    QThreadPool::globalInstance()->start([draws, found = entry->found, weak] { draws->set_value(DrawsFor(found.get(), weak)); });
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
