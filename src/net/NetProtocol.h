// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The battle link's wire rules, without any window or socket: a message is
// three upper-case letters, then for most commands one space and an argument;
// nothing marks where a message ends.

#include <QString>
#include <QStringList>
#include <QTime>

#include <optional>

namespace NetProtocol {

constexpr quint16 Port = 21225;
constexpr qint64 ConnectLimitMs = 5000;
constexpr int MaxArgument = 256;
constexpr int MaxNameLength = 9;
constexpr int LogLimit = 10000;
constexpr int LogKeep = 9000;
// How far a peer may get ahead of this side, in characters received and not
// yet handled or bytes written and not yet taken by the peer: no honest peer
// comes near it, and a flood beyond it drops the link.
constexpr qint64 MaxBacklog = 1024 * 1024;
// A room on the ranking server: the protocol its upgrade asks for, and how
// long a host waits there (the server sends it away after ten minutes).
constexpr const char *RoomProtocol = "tokira-battle";
constexpr int RoomHostWaitMs = 11 * 60 * 1000;

struct Message {
    QString command;  // the first three characters (fewer when the text is shorter)
    QString argument; // characters 5 to 260; the fourth is skipped whatever it is
};

// The command words this program understands, compared exactly.
bool IsKnownCommand(QStringView word);

// Cuts one received arrival into messages. An arrival holding one message
// gives it back whole. A second message is cut off only where a known command
// word directly follows a complete message that has no argument (STR, PNG,
// POK) or whose argument is a number (STT, ATK: after its digits); MSG, NAM
// and anything else keep the rest of the arrival as their argument.
QStringList SplitArrival(const QString &arrival);
// The length of the first message of what is left of an arrival, cut as
// SplitArrival cuts it.
qsizetype FirstMessageLength(QStringView rest);

Message ParseMessage(const QString &message);

// The number at the start of an argument (leading blanks skipped, no digits
// gives 0), rounded half to even to a 16-bit integer; nothing when it does
// not fit.
std::optional<qint16> ToInteger16(const QString &argument);
// The same number before rounding; nothing when it is too large for a double.
std::optional<double> NumberValue(const QString &argument);

// A number the way the log shows a computed value: whole numbers without a
// point, others with as many digits as they need.
QString FormatNumber(double value);

// Text from the peer as the log shows it: every line break a space, so a
// chat or a name cannot add lines that look like the program's own.
QString OnOneLine(const QString &text);

// One log line: "hh:mm", "<", the text, CR LF.
QString LogLine(const QTime &time, const QString &text);
// The log after an insertion: beyond LogLimit characters only the last
// LogKeep are kept.
QString CutLog(const QString &log);

} // namespace NetProtocol
