// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a text file: decoded without a fault, UTF-8 given back as it
// came, line ends made CR LF once and for all, and lines that lie inside the
// text and never hold a line end.

#include "FuzzCheck.h"
#include "util/ShiftJis.h"
#include "util/TextFile.h"

using namespace Functions;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return fuzz::Run([&] {
        const QByteArray bytes = fuzz::Bytes(data, size);
        const TextEncoding encoding = DetectEncoding(bytes);
        const QString text = DecodeText(bytes);
        FUZZ_CHECK(text.size() <= bytes.size());
        if (encoding == TextEncoding::Utf8) {
            FUZZ_CHECK(EncodeText(text, encoding) == bytes);
            FUZZ_CHECK(FirstUnencodable(text, encoding).isEmpty());
        }
        // Shift-JIS out: at most two bytes a character, and what it holds reads back.
        const QByteArray shiftJis = ToShiftJis(text);
        FUZZ_CHECK(shiftJis.size() <= 2 * text.size());
        if (FirstUnencodable(text, TextEncoding::ShiftJis).isEmpty() && !text.contains(QChar::ReplacementCharacter))
            FUZZ_CHECK(FromShiftJis(shiftJis).size() == text.size());

        const QString crLf = ToCrLf(text);
        FUZZ_CHECK(ToCrLf(crLf) == crLf);
        const QVector<TextLine> lines = SplitLines(crLf);
        FUZZ_CHECK(lines.size() <= crLf.size() / 2 + 1);
        int number = 0;
        for (const TextLine &line : lines) {
            FUZZ_CHECK(line.number == ++number);
            FUZZ_CHECK(line.text.data() >= crLf.data() && line.text.data() + line.text.size() <= crLf.data() + crLf.size());
            FUZZ_CHECK(!line.text.contains(QLatin1String("\r\n")));
        }
    });
}
