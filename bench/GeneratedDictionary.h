// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A word dictionary of any size made up for the benchmarks: one to four kanji
// shown, a reading of plain kana, youon, small tsu and ん, the same text for
// the same size on every run.

#include "util/ShiftJis.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <random>

namespace bench {

// Kanji that survive a trip through Shift-JIS, so the file holds what was made.
inline QStringList KanjiPool()
{
    QStringList pool;
    for (int lead = 0x88; lead <= 0x9F; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F)
                continue;
            QByteArray bytes;
            bytes.append(static_cast<char>(lead)).append(static_cast<char>(trail));
            const QString text = Functions::FromShiftJis(bytes);
            if (text.size() == 1 && text.at(0).unicode() >= 0x4E00 && text.at(0).unicode() <= 0x9FFF)
                pool.append(text);
        }
    }
    return pool;
}

// Reading pieces: plain kana, youon, っ before a consonant, ん, ー.
inline QStringList ReadingPool()
{
    QStringList pool;
    const QString kana = QStringLiteral("あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめも"
                                        "やゆよらりるれろわをがぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽ");
    for (QChar c : kana)
        pool.append(QString(c));
    for (const QString &head : {QStringLiteral("き"), QStringLiteral("し"), QStringLiteral("ち"), QStringLiteral("に"),
                                QStringLiteral("ひ"), QStringLiteral("み"), QStringLiteral("り"), QStringLiteral("ぎ"),
                                QStringLiteral("じ"), QStringLiteral("び"), QStringLiteral("ぴ")}) {
        for (const QString &small : {QStringLiteral("ゃ"), QStringLiteral("ゅ"), QStringLiteral("ょ")})
            pool.append(head + small);
    }
    const QString doubled = QStringLiteral("かきくけこさしすせそたちつてとぱぴぷぺぽ");
    for (QChar c : doubled)
        pool.append(QStringLiteral("っ") + c);
    for (const QString &youon : {QStringLiteral("っきょ"), QStringLiteral("っしゃ"), QStringLiteral("っちゅ")})
        pool.append(youon);
    for (int i = 0; i < 6; ++i)
        pool.append(QStringLiteral("ん"));
    pool.append(QStringLiteral("ー"));
    return pool;
}

inline QString MakeDictionary(qsizetype bytes)
{
    std::mt19937 generator(20240611);
    const QStringList kanji = KanjiPool();
    const QStringList reading = ReadingPool();
    if (kanji.isEmpty())
        qFatal("no kanji decode from Shift-JIS");
    auto pick = [&generator](const QStringList &list) {
        return list.at(std::uniform_int_distribution<qsizetype>(0, list.size() - 1)(generator));
    };
    QString text;
    text.reserve(bytes / 2 + 1024);
    qsizetype size = 0;
    while (size < bytes) {
        QString line;
        const int shown = std::uniform_int_distribution<int>(1, 4)(generator);
        for (int i = 0; i < shown; ++i)
            line += pick(kanji);
        line += QLatin1Char(':');
        const int pieces = std::uniform_int_distribution<int>(2, 7)(generator);
        for (int i = 0; i < pieces; ++i)
            line += pick(reading);
        line += QStringLiteral("\r\n");
        // Every character but ":" and the line end takes two bytes.
        size += 2 * line.size() - 3;
        text += line;
    }
    return text;
}

// The size asked for on the command line, in whole megabytes from 1 to 1024;
// nothing when the text is no such number.
inline std::optional<qsizetype> Megabytes(const char *text)
{
    bool ok = false;
    const qlonglong value = QByteArray(text).trimmed().toLongLong(&ok);
    if (!ok || value < 1 || value > 1024)
        return std::nullopt;
    return value;
}

} // namespace bench
