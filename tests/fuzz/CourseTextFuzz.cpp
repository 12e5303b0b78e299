// SPDX-License-Identifier: GPL-3.0-or-later
// Any word list and any weak keys for any lesson: a text of about the
// lesson's length, every key of it in the lesson's key set, no question
// longer than the longest made-up word, whatever the list holds.

#include "FuzzCheck.h"
#include "dictionary/WordList.h"
#include "history/GameRecord.h"
#include "typing/Course.h"
#include "typing/KanaLayout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return fuzz::Run([&] {
        if (size < 4)
            return;
        const history::Input input = data[0] & 1 ? history::Input::Kana : history::Input::Romaji;
        const QList<course::Lesson> &lessons = course::Lessons(input);
        const course::Lesson &lesson = lessons.at(data[1] % lessons.size());
        QList<history::CharCount> weak;
        for (int i = 0; i < data[2] % 8; ++i)
            weak.append({QChar(u'A' + i * 3), 10 + i, data[3] % 20, {}});
        // Lines of "text:romaji:reading"; the reading holds kana for kana lessons.
        WordList words;
        const QString text = fuzz::Utf16(data + 4, size - 4);
        for (const QString &line : text.split(QLatin1Char('\n'))) {
            const QStringList parts = line.split(QLatin1Char(':'));
            words.append({parts.value(0), parts.value(1).toUpper(), parts.value(2)});
        }
        quint32 seed = data[2] * 2654435761u + data[3];
        const auto uniform = [&seed] {
            seed = seed * 1664525u + 1013904223u;
            return (seed >> 8) / double(1 << 24);
        };
        int total = 0;
        for (const QuestItem &item : course::LessonText(lesson, weak, words, uniform)) {
            // A keys lesson's line or a word: 19 keys; a made-up word of four
            // syllables of up to five letters ("SHINN"): 20.
            FUZZ_CHECK(!item.Roman.isEmpty() && item.Roman.size() <= 20);
            for (const QChar c : item.Roman)
                FUZZ_CHECK(lesson.keys.contains(c));
            if (input == history::Input::Kana)
                FUZZ_CHECK(kana::KeyLegends(kana::TypedKana(item.Reading)) == item.Roman);
            FUZZ_CHECK(total < lesson.length);
            total += int(item.Roman.size() - item.Roman.count(QLatin1Char(' ')));
        }
        FUZZ_CHECK(total >= lesson.length / 2);
    });
}
