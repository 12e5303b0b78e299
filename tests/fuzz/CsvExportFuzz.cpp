// SPDX-License-Identifier: GPL-3.0-or-later
// Any text as a field of the history's CSV export: read back by the rules a
// spreadsheet follows it gives the text (after an apostrophe when it would
// start a formula), and what the spreadsheet sees never starts one.

#include "FuzzCheck.h"
#include "history/HistoryStore.h"

namespace {

// One whole field as RFC 4180 reads it; nothing when the text is not exactly one field.
std::optional<QString> ReadField(const QString &field)
{
    if (!field.startsWith(QLatin1Char('"'))) {
        for (const QChar c : field) {
            if (c == QLatin1Char(',') || c == QLatin1Char('"') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
                return std::nullopt;
        }
        return field;
    }
    QString value;
    for (qsizetype i = 1; i < field.size(); ++i) {
        if (field.at(i) != QLatin1Char('"')) {
            value += field.at(i);
        } else if (i + 1 < field.size() && field.at(i + 1) == QLatin1Char('"')) {
            value += QLatin1Char('"');
            ++i;
        } else {
            return i + 1 == field.size() ? std::optional<QString>(value) : std::nullopt;
        }
    }
    return std::nullopt;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return fuzz::Run([&] {
        const QString text = fuzz::Utf16(data, size);
        const std::optional<QString> read = ReadField(history::CsvField(text));
        FUZZ_CHECK(read.has_value());
        static const QString formulaStarts = QStringLiteral("=+-@\t\r\n");
        const bool formula = !text.isEmpty() && formulaStarts.contains(text.front());
        FUZZ_CHECK(*read == (formula ? QLatin1Char('\'') + text : text));
        FUZZ_CHECK(read->isEmpty() || !formulaStarts.contains(read->front()));
    });
}
