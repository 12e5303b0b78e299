// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every fuzz target shares: a check that stops the run with the input
// kept when an invariant fails, and the input as the texts the parsers take.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: invariant failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)

namespace fuzz {

inline QByteArray Bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
}

inline std::string String(const uint8_t *data, size_t size)
{
    return std::string(reinterpret_cast<const char *>(data), size);
}

// The bytes as UTF-16 code units, any of them: lone surrogates and
// noncharacters included, as a damaged file might decode to.
inline QString Utf16(const uint8_t *data, size_t size)
{
    QString text(static_cast<qsizetype>(size / 2), Qt::Uninitialized);
    std::memcpy(text.data(), data, size / 2 * 2);
    return text;
}

// Runs the body; an exception escaping it is a fault.
template <typename Body> int Run(Body body)
{
    try {
        body();
    } catch (const std::exception &e) {
        std::fprintf(stderr, "exception escaped: %s\n", e.what());
        std::abort();
    } catch (...) {
        std::fprintf(stderr, "unknown exception escaped\n");
        std::abort();
    }
    return 0;
}

} // namespace fuzz
