// SPDX-License-Identifier: GPL-3.0-or-later
#include "dictionary/RomajiSpelling.h"
#include "dictionary/WordList.h"
#include "history/DrillDraw.h"
#include "history/HistoryStore.h"
#include "typing/Course.h"
#include "typing/KanaLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <random>

namespace {

std::function<double()> Uniform(unsigned seed)
{
    auto engine = std::make_shared<std::mt19937>(seed);
    return [engine] { return std::uniform_real_distribution<double>(0.0, 1.0)(*engine); };
}

QString Romaji(const QVector<QuestItem> &text)
{
    QString all;
    for (const QuestItem &item : text)
        all += item.Roman;
    return all;
}

} // namespace

TEST(Course, EveryLessonDrawsAFreshTextOfAboutItsLengthFromItsKeySetOnly)
{
    const WordList words = {{"犬", "INU", "いぬ"},
                            {"学校", "GAKKOU", "がっこう"},
                            {"ラーメン", "RA-MENN", "らーめん"},
                            {"ABC", "ABC1", "ABC1"},
                            {"自転車置き場", "JITENNSHAOKIBA", "じてんしゃおきば"},
                            {"家", "IE", "いえ"}};
    // Kana lessons hold the keytops of their kana where romaji ones hold romaji.
    for (const history::Input input : {history::Input::Romaji, history::Input::Kana}) {
        const bool kana = input == history::Input::Kana;
        SCOPED_TRACE(kana ? "kana" : "romaji");
        const QList<course::Lesson> &lessons = course::Lessons(input);
        ASSERT_GE(lessons.size(), 20);
        ASSERT_LE(lessons.size(), 30);
        EXPECT_EQ(lessons.first().newKeys, "FJ");
        double target = 0;
        for (const course::Lesson &lesson : lessons) {
            SCOPED_TRACE(lesson.number);
            EXPECT_EQ(lesson.input, input);
            EXPECT_GE(lesson.targetSpeed, target) << "targets never fall";
            target = lesson.targetSpeed;
            const QString first = Romaji(course::LessonText(lesson, {}, words, Uniform(1)));
            const QString second = Romaji(course::LessonText(lesson, {}, words, Uniform(2)));
            EXPECT_NE(first, second);
            EXPECT_GE(first.size(), lesson.length);
            EXPECT_LE(first.size(), lesson.length + 24);
            for (QChar c : first)
                ASSERT_TRUE(lesson.keys.contains(c)) << QString(c).toStdString() << " in " << first.toStdString();
            for (QChar c : lesson.newKeys)
                EXPECT_TRUE(first.contains(c)) << "its new key " << QString(c).toStdString();
            for (const QuestItem &item : course::LessonText(lesson, {}, words, Uniform(4))) {
                if (kana) {
                    // Every kana shown is typed, by exactly the keys counted.
                    const QString typed = kana::TypedKana(item.Reading);
                    EXPECT_EQ(typed, QString(item.Reading).remove(u'\u3000')) << item.Reading.toStdString();
                    EXPECT_EQ(kana::KeyLegends(typed), item.Roman) << item.Reading.toStdString();
                } else if (lesson.kind == course::Kind::Syllables) {
                    // Syllables line up with their kana, so the other spellings can be accepted.
                    RomajiSpelling spelling;
                    spelling.Reset(item.Reading, item.Roman, true);
                    EXPECT_TRUE(spelling.FreeSpelling()) << item.Reading.toStdString() << " " << item.Roman.toStdString();
                }
            }
        }
        EXPECT_DOUBLE_EQ(lessons.first().targetSpeed, 1.0);
        EXPECT_DOUBLE_EQ(lessons.last().targetSpeed, 3.0);
        // The words lessons take only the dictionary's words their keys can type.
        auto quests = [&words](const course::Lesson &lesson) {
            QString all;
            for (const QuestItem &item : course::LessonText(lesson, {}, words, Uniform(3)))
                all += item.Quest + '|';
            return all;
        };
        const QString every = quests(lessons.last());
        EXPECT_EQ(every.contains("ラーメン"), kana) << "ー is a kana key, - is not a learned one";
        EXPECT_FALSE(every.contains("ABC"));
        EXPECT_TRUE(every.contains("自転車置き場"));
        // A word longer than a keys lesson's line is no question: alone in the list, syllables stand in.
        const WordList huge = {{"長文", QString("KA").repeated(5000), QString("か").repeated(5000)}};
        for (const QuestItem &item : course::LessonText(lessons.last(), {}, huge, Uniform(3)))
            ASSERT_LE(item.Roman.size(), 19) << item.Quest.toStdString();
        const QString shortWords = quests(lessons.at(lessons.size() - 2));
        EXPECT_FALSE(shortWords.contains("自転車置き場")) << "too long for the short words";
        EXPECT_TRUE(shortWords.contains("犬"));
    }
}

namespace {

// The word lessons' rule as it was first written: every word of the list
// looked at on every start, each kept whose keys are all the lesson's and
// few enough, drawn by the weak-key weights over their keys.
QVector<QuestItem> WordTextByTheRule(const course::Lesson &lesson, const QList<history::CharCount> &weak,
                                     const WordList &words, const std::function<double()> &uniform)
{
    const bool kana = lesson.input == history::Input::Kana;
    QList<qsizetype> usable;
    QStringList keys;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QuestItem word = words.at(i);
        const QString typed = kana::TypedKana(word.Reading);
        if (kana && typed.size() != word.Reading.size())
            continue;
        const QString wordKeys = kana ? kana::KeyLegends(typed) : word.Roman;
        if (wordKeys.isEmpty() || wordKeys.size() > lesson.maxWordLength)
            continue;
        if (std::all_of(wordKeys.begin(), wordKeys.end(), [&](QChar c) { return lesson.keys.contains(c); })) {
            usable.append(i);
            keys.append(wordKeys);
        }
    }
    const history::DrillDraw draw(keys, weak);
    QVector<QuestItem> text;
    int total = 0;
    while (total < lesson.length) {
        const int drawn = draw.Pick(uniform());
        QuestItem word = words.at(usable.at(drawn));
        if (kana)
            word.Roman = keys.at(drawn);
        total += int(word.Roman.size());
        text.append(word);
    }
    return text;
}

QString Shown(const QVector<QuestItem> &text)
{
    QString all;
    for (const QuestItem &item : text)
        all += item.Quest + '/' + item.Roman + '/' + item.Reading + '|';
    return all;
}

} // namespace

TEST(Course, AWordLessonDrawsExactlyAsTheRuleOverTheWholeListWouldOnEveryStart)
{
    // Words of every sort: too long, with a key no lesson has, katakana, kana
    // the layout cannot type, and plain ones of each length.
    std::mt19937 random(11);
    const QString syllables[][2] = {{"か", "KA"}, {"し", "SHI"}, {"つ", "TSU"}, {"ん", "NN"},  {"ー", "-"},
                                    {"ぴゃ", "PYA"}, {"ゔ", "VU"}, {"ず", "ZU"}, {"、", ","}, {"1", "1"},
                                    {"ヨ", "YO"}, {"っと", "TTO"}};
    WordList words;
    for (int i = 0; i < 400; ++i) {
        QuestItem word;
        const int size = 1 + int(random() % 7);
        for (int j = 0; j < size; ++j) {
            const QString *syllable = syllables[random() % std::size(syllables)];
            word.Reading += syllable[0];
            word.Roman += syllable[1];
        }
        word.Quest = "語" + QString::number(i);
        words.append(word);
    }
    const QList<history::CharCount> weak = {{'Z', 50, 30, {}}, {'P', 80, 20, {}}, {'T', 90, 12, {}}, {'4', 9, 9, {}}};
    // The kana lessons' words are found on another thread, the romaji ones' when first asked for.
    course::PrepareWordLessons(words, history::Input::Kana);
    for (const history::Input input : {history::Input::Romaji, history::Input::Kana}) {
        for (const course::Lesson &lesson : course::Lessons(input)) {
            if (lesson.kind != course::Kind::Words)
                continue;
            SCOPED_TRACE(lesson.title.toStdString() + (input == history::Input::Kana ? " kana" : " romaji"));
            for (const QList<history::CharCount> &aim : {QList<history::CharCount>{}, weak}) {
                // The first start and the ones after it, which keep what the first found.
                for (unsigned seed : {1u, 2u, 3u}) {
                    const QString drawn = Shown(course::LessonText(lesson, aim, words, Uniform(seed)));
                    EXPECT_EQ(drawn, Shown(WordTextByTheRule(lesson, aim, words, Uniform(seed))));
                    EXPECT_TRUE(drawn.startsWith("語")) << "words of the list, not syllables";
                }
            }
        }
    }
    // Draws made on another thread for weak keys, then a start whose weak
    // keys are these, and one whose keys changed after they were made.
    const course::Lesson &lesson = course::Lessons().last();
    const QList<history::CharCount> later = {{'T', 50, 30, {}}, {'Z', 80, 20, {}}, {'P', 90, 12, {}}};
    ASSERT_NE(Shown(WordTextByTheRule(lesson, weak, words, Uniform(4))),
              Shown(WordTextByTheRule(lesson, later, words, Uniform(4))));
    for (const QList<history::CharCount> &prepared : {weak, later}) {
        course::PrepareWordLessons(words, history::Input::Romaji, prepared);
        for (const QList<history::CharCount> &aim : {later, weak})
            EXPECT_EQ(Shown(course::LessonText(lesson, aim, words, Uniform(4))),
                      Shown(WordTextByTheRule(lesson, aim, words, Uniform(4))));
    }
    // A list that changes is looked at again.
    WordList changed = words;
    changed.clear();
    changed.append({"唯一", "ZUTTO", "ずっと"});
    EXPECT_EQ(Shown(course::LessonText(lesson, {}, changed, Uniform(1))), Shown(WordTextByTheRule(lesson, {}, changed, Uniform(1))));
    EXPECT_TRUE(Shown(course::LessonText(lesson, {}, changed, Uniform(1))).startsWith("唯一/ZUTTO/ずっと|"));
}

TEST(Course, TheKeysThePlayerMissesAreDrawnMoreOften)
{
    const course::Lesson &home = *course::LessonAt(6);
    ASSERT_TRUE(home.keys.contains('A') && home.keys.contains('G'));
    auto count = [&home](const QList<history::CharCount> &weak) {
        QString text;
        for (unsigned seed = 1; seed <= 30; ++seed)
            text += Romaji(course::LessonText(home, weak, {}, Uniform(seed)));
        return double(text.count('A')) / text.size();
    };
    const QList<history::CharCount> weak = {{'A', 60, 40, {}}, {'S', 90, 10, {}}, {'G', 95, 5, {}}};
    EXPECT_GT(count(weak), 2 * count({}));
}

TEST(Course, APassedLessonOpensTheNextOnlyAtItsAccuracyAndSpeed)
{
    auto best = [](const char *lesson, double speed, double accuracy, std::optional<double> speedAt95) {
        return history::LessonBest{lesson, speed, accuracy, speedAt95};
    };
    QList<course::Standing> standing = course::Standings({});
    EXPECT_TRUE(standing[0].open && !standing[0].passed && !standing[0].bestSpeed);
    EXPECT_FALSE(standing[1].open);

    // Lesson 1 passed; lesson 2 fast enough only below 95 %, and at 95 % too slow for its 1.1.
    standing = course::Standings({best("1", 1.0, 100, 1.0), best("2", 2.5, 97, 1.05)});
    EXPECT_TRUE(standing[0].passed);
    EXPECT_TRUE(standing[1].open && !standing[1].passed);
    EXPECT_DOUBLE_EQ(*standing[1].bestSpeed, 2.5);
    EXPECT_FALSE(standing[2].open);
    standing = course::Standings({best("1", 1.0, 100, 1.0), best("2", 2.5, 90, std::nullopt)});
    EXPECT_FALSE(standing[1].passed);

    EXPECT_TRUE(course::Passes(*course::LessonAt(1), 95.0, 1.0));
    EXPECT_FALSE(course::Passes(*course::LessonAt(1), 94.99, 5.0));
    EXPECT_FALSE(course::Passes(*course::LessonAt(2), 100.0, 1.09));
}
