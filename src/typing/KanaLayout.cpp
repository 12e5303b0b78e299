// SPDX-License-Identifier: GPL-3.0-or-later
#include "typing/KanaLayout.h"

namespace kana {

namespace {

struct Key {
    quint8 keyCode;
    char16_t plain;
    char16_t shifted; // 0: the plain kana
};

// The fallback keys come last, so the JIS key of a kana is the one found first.
constexpr Key Keys[] = {
    {10, u'ぬ', 0},     {11, u'ふ', 0},     {12, u'あ', u'ぁ'}, {13, u'う', u'ぅ'}, {14, u'え', u'ぇ'},
    {15, u'お', u'ぉ'}, {16, u'や', u'ゃ'}, {17, u'ゆ', u'ゅ'}, {18, u'よ', u'ょ'}, {19, u'わ', u'を'},
    {20, u'ほ', 0},     {21, u'へ', 0},     {132, u'ー', 0},

    {24, u'た', 0},     {25, u'て', 0},     {26, u'い', u'ぃ'}, {27, u'す', 0},     {28, u'か', 0},
    {29, u'ん', 0},     {30, u'な', 0},     {31, u'に', 0},     {32, u'ら', 0},     {33, u'せ', 0},
    {34, Dakuten, 0},   {35, Handakuten, u'「'},

    {38, u'ち', 0},     {39, u'と', 0},     {40, u'し', 0},     {41, u'は', 0},     {42, u'き', 0},
    {43, u'く', 0},     {44, u'ま', 0},     {45, u'の', 0},     {46, u'り', 0},     {47, u'れ', 0},
    {48, u'け', 0},     {51, u'む', u'」'},

    {52, u'つ', u'っ'}, {53, u'さ', 0},     {54, u'そ', 0},     {55, u'ひ', 0},     {56, u'こ', 0},
    {57, u'み', 0},     {58, u'も', 0},     {59, u'ね', u'、'}, {60, u'る', u'。'}, {61, u'め', u'・'},
    {97, u'ろ', 0},

    {FallbackKey, u'ー', u'ろ'}, {94, u'ろ', 0},
};

} // namespace

char16_t KanaOfKey(quint32 keyCode, bool shift)
{
    for (const Key &key : Keys) {
        if (key.keyCode == keyCode)
            return shift && key.shifted ? key.shifted : key.plain;
    }
    return 0;
}

Parts Split(char16_t kana)
{
    // が..ぢ alternate with their bases; づ で ど follow theirs; ば ぱ follow は ..ほ.
    if (kana == u'ゔ')
        return {u'う', Dakuten};
    if (kana >= u'が' && kana <= u'ぢ' && (kana - u'が') % 2 == 0)
        return {static_cast<char16_t>(kana - 1), Dakuten};
    if (kana == u'づ' || kana == u'で' || kana == u'ど')
        return {static_cast<char16_t>(kana - 1), Dakuten};
    if (kana >= u'ば' && kana <= u'ぽ') {
        const int step = (kana - u'は') % 3;
        if (step == 1)
            return {static_cast<char16_t>(kana - 1), Dakuten};
        if (step == 2)
            return {static_cast<char16_t>(kana - 2), Handakuten};
    }
    return {kana, 0};
}

namespace {

bool StrokeOf(char16_t kana, Stroke &stroke)
{
    // 0 marks a key's empty slot in the table, never a kana it types.
    if (kana == 0)
        return false;
    for (const Key &key : Keys) {
        if (key.plain == kana) {
            stroke = {key.keyCode, false};
            return true;
        }
        if (key.shifted == kana) {
            stroke = {key.keyCode, true};
            return true;
        }
    }
    return false;
}

char16_t AsHiragana(QChar c)
{
    const char16_t u = c.unicode();
    // ァ..ヶ sit 0x60 above ぁ..ゖ; ー and ・ are shared by both.
    if (u >= u'ァ' && u <= u'ヶ')
        return static_cast<char16_t>(u - 0x60);
    return u;
}

} // namespace

namespace {

// The plain keytops of the JIS keys by X keycode from 10; blanks are keys
// without a kana between them.
constexpr char Keytops[] = "1234567890-^  QWERTYUIOP@[  ASDFGHJKL;:  ]ZXCVBNM,./";
constexpr quint32 FirstKeytop = 10;
constexpr quint32 YenKey = 132;
constexpr quint32 RoKey = 97;

} // namespace

char16_t KeyLegend(char16_t kana)
{
    Stroke stroke;
    if (!StrokeOf(Split(kana).base, stroke))
        return 0;
    const quint32 keyCode = stroke.keyCode;
    if (keyCode == YenKey)
        return u'|';
    if (keyCode == RoKey)
        return u'_';
    const quint32 at = keyCode - FirstKeytop;
    return keyCode >= FirstKeytop && at < sizeof Keytops - 1 ? static_cast<char16_t>(Keytops[at]) : 0;
}

quint32 JisKeyCode(char16_t keytop)
{
    if (keytop == u'|')
        return YenKey;
    if (keytop == u'_')
        return RoKey;
    for (quint32 at = 0; at + 1 < sizeof Keytops; ++at) {
        if (Keytops[at] != ' ' && Keytops[at] == keytop)
            return FirstKeytop + at;
    }
    return 0;
}

QString KeyLegends(QStringView kana)
{
    QString keys;
    keys.reserve(kana.size() * 2);
    for (const QChar c : kana) {
        const Parts parts = Split(c.unicode());
        for (const char16_t part : {parts.base, parts.mark}) {
            if (const char16_t legend = part ? KeyLegend(part) : 0)
                keys.append(QChar(legend));
        }
    }
    return keys;
}

Strokes StrokesOf(char16_t kana)
{
    Strokes strokes;
    const Parts parts = Split(kana);
    if (!StrokeOf(parts.base, strokes.keys[0]))
        return strokes;
    strokes.count = 1;
    if (parts.mark && StrokeOf(parts.mark, strokes.keys[1]))
        strokes.count = 2;
    return strokes;
}

Stroke WithoutJisKeys(Stroke stroke)
{
    if (stroke.keyCode == YenKey)
        return {FallbackKey, false};
    if (stroke.keyCode == RoKey)
        return {FallbackKey, true};
    return stroke;
}

QString KeyCaption(quint32 keyCode)
{
    const char16_t plain = KanaOfKey(keyCode, false);
    if (!plain)
        return QString();
    QString caption(QChar{plain});
    const char16_t withShift = KanaOfKey(keyCode, true);
    if (withShift != plain)
        caption += QChar(withShift);
    return caption;
}

QString TypedKana(QStringView reading)
{
    QString typed;
    typed.reserve(reading.size());
    for (const QChar c : reading) {
        const char16_t kana = AsHiragana(c);
        if (StrokesOf(kana).count > 0)
            typed.append(QChar(kana));
    }
    return typed;
}

} // namespace kana
