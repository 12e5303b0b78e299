// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A program folder with small dictionaries written by the test, and the main
// window that loads them.

#include "FakePlatform.h"
#include "typing/Game.h"
#include "settings/aplMain.h"
#include "views/frmMain.h"
#include "util/ShiftJis.h"

#include <QAction>
#include <QStringList>

#include <algorithm>

// A table just large enough for the readings below.
inline const char *const TestTable = "NN:NN\r\n"
                                     "っか:KKA\r\n"
                                     "きゃ:KYA\r\n"
                                     "か:KA\r\n"
                                     "き:KI\r\n"
                                     "く:KU\r\n"
                                     "こ:KO\r\n"
                                     "さ:SA\r\n"
                                     "ち:CHI\r\n"
                                     "に:NI\r\n"
                                     "は:HA\r\n"
                                     "ほ:HO\r\n"
                                     "だ:DA\r\n"
                                     "あ:A\r\n"
                                     "ん:NN\r\n";

// The stored form of a registration name: "#" before each Shift-JIS code, all reversed.
inline QString EncodeCharCodes(const QString &name)
{
    const QByteArray bytes = Functions::ToShiftJis(name);
    QString encoded;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        int code = static_cast<unsigned char>(bytes[i]);
        if (code >= 0x81 && i + 1 < bytes.size())
            code = (code << 8) | static_cast<unsigned char>(bytes[++i]);
        encoded += QLatin1Char('#') + QString::number(code);
    }
    std::reverse(encoded.begin(), encoded.end());
    return encoded;
}

struct DictionaryFolder {
    DictionaryFolder()
    {
        game.dict.WordPath = fake.PathOf("tokira.qls");
        game.dict.CopipePath = fake.PathOf("tokira.cls");
    }

    void Write(const QString &name, const QString &text) { WriteShiftJisFile(fake.PathOf(name), text); }

    void WriteAll()
    {
        Write("tokira.qls", "今日:こんにちは\r\n三男:さんあん\r\n本田:ほんだ\r\n");
        Write("tokira.cls", "[CopipeName=挨拶]\r\n今日:こんにちは\r\n[END]\r\n"
                            "[CopipeName=名字]\r\n本田:ほんだ\r\n佐々木:ささき\r\n[END]\r\n");
        Write("tokira.rls", "[CopipeName=一番]\r\n" + EncodeCharCodes("疾鍵杯") + "\r\n客:きゃく\r\n[END]\r\n");
        Write("roman.dat", TestTable);
    }

    static QStringList Captions(const QList<QAction *> &items)
    {
        QStringList captions;
        for (qsizetype i = 1; i < items.size(); ++i)
            captions.append(items[i]->text());
        return captions;
    }

    FakePlatform fake;
    frmMain form;
    Game game{&form};
};
