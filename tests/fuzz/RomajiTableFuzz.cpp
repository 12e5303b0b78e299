// SPDX-License-Identifier: GPL-3.0-or-later
// A romaji table and a text, split at the first NUL byte: the table parses or
// names a bad line, the fast conversion gives exactly what the plain one
// gives, and a table whose rules lengthen each other's output stops within
// its bound naming a rule.

#include "FuzzCheck.h"
#include "dictionary/RomajiRules.h"
#include "util/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return fuzz::Run([&] {
        const QByteArray bytes = fuzz::Bytes(data, size);
        const qsizetype split = bytes.indexOf('\0');
        const QString tableText = Functions::DecodeText(split < 0 ? bytes : bytes.left(split));
        const QString text = split < 0 ? QString() : Functions::DecodeText(bytes.mid(split + 1));

        int badLine = 0;
        const std::optional<QVector<RomajiRule>> table = ParseRomajiTable(tableText, &badLine);
        if (!table) {
            FUZZ_CHECK(badLine >= 1 && badLine <= tableText.count(QLatin1String("\r\n")));
            return;
        }
        for (const RomajiRule &rule : *table)
            FUZZ_CHECK(!rule.Find.contains(QLatin1Char(':')) && !rule.Put.contains(QLatin1Char(':')));
        for (const bool nn2n : {false, true}) {
            const QVector<RomajiRule> rules = ConversionRules(*table, nn2n);
            const RomajiConverter converter(rules);
            int tooLong = -2;
            const QString converted = converter.Convert(text, &tooLong);
            if (tooLong >= 0) {
                FUZZ_CHECK(tooLong < rules.size() && converted.isEmpty());
                FUZZ_CHECK(rules.at(tooLong).Put.size() > rules.at(tooLong).Find.size());
                continue;
            }
            FUZZ_CHECK(tooLong == -1);
            FUZZ_CHECK(converted.size() <= MaxConvertedGrowth * text.size() + 4096 * (text.size() / 16384 + 1));
            // Within the bound, the plain reference stays small enough to compare.
            FUZZ_CHECK(converted == ConvertPlain(text, rules));
        }
    });
}
