// SPDX-License-Identifier: GPL-3.0-or-later
// A reading (kana, signs, anything) shown as the shipped table converts it,
// then keys: a refused key changes nothing, what is left to type never grows
// past the shown romaji's length by much, and the shown romaji typed as it
// stands always finishes the question.

#include "FuzzCheck.h"
#include "dictionary/RomajiRules.h"
#include "dictionary/RomajiSpelling.h"
#include "util/TextFile.h"

namespace {

const RomajiConverter &Shipped()
{
    static const RomajiConverter converter = [] {
        const QString text = Functions::ReadTextFile(QStringLiteral(TOKIRA_SOURCE_DIR "/data/roman.dat"));
        const auto table = ParseRomajiTable(text);
        FUZZ_CHECK(table && !table->isEmpty());
        return RomajiConverter(ConversionRules(*table, false));
    }();
    return converter;
}

// Kana the tables know, and a few that trip them: small kana, ん, っ, ー, signs.
const QString Palette = QStringLiteral("あいうえおかきくけこがぎぐげごさしすせそじたちつてとだぢづでどなにぬねのはひふへほ"
                                       "ばびぶべぼぱぴぷぺぽまみむめもやゆよらりるれろわをんっゃゅょぁぃぅぇぉゎーヴ、。A1 !");

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return fuzz::Run([&] {
        if (size < 2)
            return;
        const bool free = data[0] & 1;
        const size_t readingLength = std::min<size_t>(data[1] % 24, size - 2);
        QString reading;
        for (size_t i = 0; i < readingLength; ++i) {
            const uint8_t b = data[2 + i];
            reading += b < 250 ? Palette.at(b % Palette.size()) : QChar(0x3000 + b);
        }
        const QString shown = Shipped().Convert(reading);

        RomajiSpelling spelling;
        spelling.Reset(reading, shown, free);
        for (size_t i = 2 + readingLength; i < size && !spelling.Finished(); ++i) {
            const QString before = spelling.Remaining();
            const QChar typed = QChar(u'A' + data[i] % 26);
            if (!spelling.Accept(typed))
                FUZZ_CHECK(spelling.Remaining() == before);
            FUZZ_CHECK(spelling.Remaining().size() <= 4 * shown.size() + 4);
        }

        spelling.Reset(reading, shown, free);
        for (const QChar c : shown) {
            FUZZ_CHECK(!spelling.Finished());
            FUZZ_CHECK(spelling.Accept(c));
        }
        FUZZ_CHECK(spelling.Finished());
    });
}
