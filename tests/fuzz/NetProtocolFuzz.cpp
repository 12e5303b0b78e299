// SPDX-License-Identifier: GPL-3.0-or-later
// Any arrival on the battle link: cut into messages that put back together
// give the arrival, each message's command and argument within their
// lengths, numbers read without a fault, and the log kept to its size with
// no line break from the peer.

#include "FuzzCheck.h"
#include "net/NetProtocol.h"
#include "util/ShiftJis.h"

using namespace NetProtocol;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return fuzz::Run([&] {
        const QString arrival = size && data[0] & 1 ? fuzz::Utf16(data + 1, size - 1)
                                                    : Functions::FromShiftJis(fuzz::Bytes(data, size));
        const QStringList messages = SplitArrival(arrival);
        FUZZ_CHECK(messages.join(QString()) == arrival);
        if (!arrival.isEmpty())
            FUZZ_CHECK(!messages.isEmpty() && FirstMessageLength(arrival) == messages.first().size());
        for (const QString &message : messages) {
            FUZZ_CHECK(!message.isEmpty() || arrival.isEmpty());
            const Message parsed = ParseMessage(message);
            FUZZ_CHECK(parsed.command.size() <= 3 && parsed.argument.size() <= MaxArgument);
            FUZZ_CHECK(parsed.command == message.left(3));
            if (const auto number = ToInteger16(parsed.argument))
                FUZZ_CHECK(NumberValue(parsed.argument).has_value());
            if (const auto value = NumberValue(parsed.argument))
                FormatNumber(*value);
        }
        const QString line = OnOneLine(arrival);
        FUZZ_CHECK(!line.contains(QLatin1Char('\r')) && !line.contains(QLatin1Char('\n')));
        FUZZ_CHECK(LogLine(QTime(12, 34), line).endsWith(QLatin1String("\r\n")));
        FUZZ_CHECK(CutLog(LogLine(QTime(12, 34), line).repeated(3)).size() <= LogLimit);
    });
}
