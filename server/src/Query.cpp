// SPDX-License-Identifier: GPL-3.0-or-later
#include "Query.h"

#include <QList>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

namespace ranking {

namespace {

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Keys go into replies and the log only when they look like keys.
std::string Printable(const std::string &key)
{
    if (key.empty() || key.size() > 16)
        return "a key";
    for (const char c : key) {
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_'))
            return "a key";
    }
    return key;
}

bool IsControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

} // namespace

std::optional<std::string> PercentDecode(std::string_view text, PercentRules rules)
{
    const bool query = rules == PercentRules::Query;
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const int high = c == '%' && i + 1 < text.size() ? HexValue(text[i + 1]) : -1;
        const int low = high >= 0 && i + 2 < text.size() ? HexValue(text[i + 2]) : -1;
        if (c == '+' && query) {
            out += ' ';
        } else if (c != '%' || (!query && high == 0 && low == 0)) {
            out += c;
        } else if (low >= 0) {
            out += static_cast<char>(high * 16 + low);
            i += 2;
        } else if (query) {
            return std::nullopt;
        } else {
            out += c;
        }
    }
    return out;
}

namespace {

// The bytes as text in the decoder's encoding, or nothing when they are not
// valid there or hold a control character.
std::optional<QString> DecodeChecked(QStringDecoder &decoder, const std::string &bytes)
{
    const QString text = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (decoder.hasError())
        return std::nullopt;
    for (const char32_t c : text.toUcs4()) {
        if (IsControl(c) || c == 0xFFFD)
            return std::nullopt;
    }
    return text;
}

} // namespace

std::optional<std::string> ShiftJisToUtf8(const std::string &bytes)
{
    QStringDecoder decoder("windows-31j", QStringDecoder::Flag::Stateless);
    const std::optional<QString> text = DecodeChecked(decoder, bytes);
    if (!text)
        return std::nullopt;
    return text->toStdString();
}

std::optional<std::string> CheckedUtf8(const std::string &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    if (!DecodeChecked(decoder, bytes))
        return std::nullopt;
    return bytes;
}

std::string Utf8ToPercentShiftJis(const std::string &text)
{
    QStringEncoder encoder("windows-31j", QStringEncoder::Flag::Stateless);
    const QByteArray bytes = encoder.encode(QString::fromStdString(text));
    return bytes.toPercentEncoding().toStdString();
}

QueryResult ParseQuery(const std::string &query, QueryEncoding encoding)
{
    QueryResult result;
    if (query.size() > MaxQueryLength) {
        result.error = "request too long";
        return result;
    }
    std::size_t start = 0;
    while (start <= query.size() && !query.empty()) {
        std::size_t end = query.find('&', start);
        if (end == std::string::npos)
            end = query.size();
        const std::string pair = query.substr(start, end - start);
        start = end + 1;
        if (pair.empty())
            continue;
        const std::size_t equals = pair.find('=');
        const std::string key = pair.substr(0, equals);
        const std::string raw = equals == std::string::npos ? std::string() : pair.substr(equals + 1);
        const auto bytes = PercentDecode(raw);
        if (!bytes) {
            result.error = "bad percent-encoding in " + Printable(key);
            return result;
        }
        const auto text = encoding == QueryEncoding::ShiftJis ? ShiftJisToUtf8(*bytes) : CheckedUtf8(*bytes);
        if (!text) {
            result.error = "value of " + Printable(key)
                + (encoding == QueryEncoding::ShiftJis ? " is not Shift-JIS text" : " is not UTF-8 text");
            return result;
        }
        if (!result.values.emplace(key, *text).second) {
            result.error = "key " + Printable(key) + " given twice";
            return result;
        }
    }
    return result;
}

} // namespace ranking
