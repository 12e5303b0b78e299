// SPDX-License-Identifier: GPL-3.0-or-later
// Any characters through the kana layout: a character has strokes only when
// its keys type it (its base kana, then its mark), no key types U+0000, and
// the kana to type of a reading are all typable and no more than it holds.

#include "FuzzCheck.h"
#include "typing/KanaLayout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return fuzz::Run([&] {
        const QString reading = fuzz::Utf16(data, size);
        for (const QChar c : reading) {
            const char16_t u = c.unicode();
            const kana::Strokes strokes = kana::StrokesOf(u);
            FUZZ_CHECK(strokes.count >= 0 && strokes.count <= 2);
            if (u == 0)
                FUZZ_CHECK(strokes.count == 0);
            const kana::Parts parts = kana::Split(u);
            if (strokes.count >= 1) {
                const kana::Stroke first = strokes.keys[0];
                FUZZ_CHECK(kana::KanaOfKey(first.keyCode, first.shift) == parts.base);
                FUZZ_CHECK(kana::KeyLegend(u) != 0 && kana::JisKeyCode(kana::KeyLegend(u)) != 0);
                const kana::Stroke fallback = kana::WithoutJisKeys(first);
                FUZZ_CHECK(kana::KanaOfKey(fallback.keyCode, fallback.shift) != 0);
            }
            if (strokes.count == 2) {
                FUZZ_CHECK(parts.mark != 0);
                FUZZ_CHECK(kana::KanaOfKey(strokes.keys[1].keyCode, strokes.keys[1].shift) == parts.mark);
            }
            if (strokes.count == 0)
                FUZZ_CHECK(kana::KeyLegend(u) == 0 || parts.base != u);
        }
        const QString typed = kana::TypedKana(reading);
        FUZZ_CHECK(typed.size() <= reading.size());
        for (const QChar c : typed)
            FUZZ_CHECK(kana::StrokesOf(c.unicode()).count > 0);
        FUZZ_CHECK(kana::KeyLegends(typed).size() <= 2 * typed.size());
        for (const uint8_t b : QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)))
            kana::KeyCaption(b);
    });
}
