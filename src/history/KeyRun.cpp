// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/KeyRun.h"

#include <algorithm>
#include <limits>

namespace history {

namespace {

constexpr char RunFormat = 2;
// zlib inflates at most about 1032 to 1; a header asking for more is damage.
constexpr quint64 MaxInflation = 1100;

void PutNumber(QByteArray &out, quint32 value)
{
    while (value >= 0x80) {
        out.append(char(0x80 | (value & 0x7F)));
        value >>= 7;
    }
    out.append(char(value));
}

void PutSeries(QByteArray &out, const std::vector<quint32> &series)
{
    quint32 previous = 0;
    for (quint32 value : series) {
        // A series that went back is kept as not moving.
        const quint32 at = std::max(value, previous);
        PutNumber(out, at - previous);
        previous = at;
    }
}

class Reader {
public:
    Reader(const char *at, const char *end) : at_(at), end_(end) {}

    std::optional<quint32> Number()
    {
        quint64 value = 0;
        for (int shift = 0; shift < 35; shift += 7) {
            if (at_ == end_)
                return std::nullopt;
            const auto byte = static_cast<unsigned char>(*at_++);
            value |= quint64(byte & 0x7F) << shift;
            if (!(byte & 0x80))
                return value <= std::numeric_limits<quint32>::max() ? std::optional<quint32>(quint32(value))
                                                                     : std::nullopt;
        }
        return std::nullopt;
    }

    // A count no larger than the bytes left could hold: a damaged count asks
    // for no huge allocation.
    std::optional<quint32> Count()
    {
        const std::optional<quint32> count = Number();
        if (!count || *count > quint64(end_ - at_))
            return std::nullopt;
        return count;
    }

    bool Series(std::vector<quint32> &series, quint32 count)
    {
        series.reserve(count);
        quint64 sum = 0;
        for (quint32 i = 0; i < count; ++i) {
            const std::optional<quint32> delta = Number();
            if (!delta)
                return false;
            sum += *delta;
            if (sum > std::numeric_limits<quint32>::max())
                return false;
            series.push_back(quint32(sum));
        }
        return true;
    }

    bool Text(QString &text, quint32 bytes)
    {
        if (bytes > quint64(end_ - at_))
            return false;
        text = QString::fromUtf8(at_, qsizetype(bytes));
        at_ += bytes;
        return true;
    }

    bool AtEnd() const { return at_ == end_; }

private:
    const char *at_;
    const char *end_;
};

} // namespace

int KeyRun::KeysAt(qint64 ms) const
{
    if (ms < 0)
        return 0;
    const quint64 limit = std::min<quint64>(quint64(ms), std::numeric_limits<quint32>::max());
    return int(std::upper_bound(keyMs.begin(), keyMs.end(), quint32(limit)) - keyMs.begin());
}

std::optional<qint64> KeyRun::MsAtKeys(int keys) const
{
    if (keys <= 0)
        return 0;
    if (keys > int(keyMs.size()))
        return std::nullopt;
    return keyMs[std::size_t(keys - 1)];
}

QByteArray EncodeRun(const KeyRun &run)
{
    QByteArray out;
    if (run.Empty())
        return out;
    const QByteArray text = run.typed.toUtf8();
    QByteArray body;
    body.reserve(int(8 + run.keyMs.size() * 2 + run.questionStarts.size() + text.size()));
    PutNumber(body, quint32(run.keyMs.size()));
    PutNumber(body, quint32(run.questionStarts.size()));
    PutSeries(body, run.keyMs);
    PutSeries(body, run.questionStarts);
    PutNumber(body, quint32(text.size()));
    body.append(text);
    const QByteArray packed = qCompress(body, 9);
    out.reserve(int(6 + packed.size()));
    out.append(RunFormat);
    PutNumber(out, quint32(packed.size()));
    out.append(packed);
    return out;
}

std::optional<KeyRun> DecodeRun(const QByteArray &blob)
{
    if (blob.isEmpty() || blob.at(0) != RunFormat)
        return std::nullopt;
    Reader outer(blob.constData() + 1, blob.constData() + blob.size());
    const std::optional<quint32> packedSize = outer.Number();
    const qsizetype packedAt = blob.size() - qsizetype(packedSize.value_or(0));
    // The deflated part fills the rest exactly; its header says how large it
    // inflates, which must be something deflating could have come from.
    if (!packedSize || *packedSize < 5 || packedAt < 2 || blob.size() - packedAt != qsizetype(*packedSize))
        return std::nullopt;
    const auto *header = reinterpret_cast<const unsigned char *>(blob.constData() + packedAt);
    const quint64 inflated = quint64(header[0]) << 24 | quint64(header[1]) << 16 | quint64(header[2]) << 8 | header[3];
    if (inflated == 0 || inflated > quint64(*packedSize) * MaxInflation)
        return std::nullopt;
    const QByteArray body = qUncompress(reinterpret_cast<const uchar *>(blob.constData() + packedAt), *packedSize);
    if (quint64(body.size()) != inflated)
        return std::nullopt;
    Reader reader(body.constData(), body.constData() + body.size());
    const std::optional<quint32> keys = reader.Count();
    const std::optional<quint32> questions = keys ? reader.Count() : std::nullopt;
    KeyRun run;
    if (!questions || *keys == 0 || !reader.Series(run.keyMs, *keys) || !reader.Series(run.questionStarts, *questions))
        return std::nullopt;
    const std::optional<quint32> textBytes = reader.Number();
    if (!textBytes || !reader.Text(run.typed, *textBytes) || !reader.AtEnd())
        return std::nullopt;
    return run;
}

} // namespace history
