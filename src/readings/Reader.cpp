// SPDX-License-Identifier: GPL-3.0-or-later
#include "readings/Reader.h"

#include "readings/MecabEngine.h"

#include <array>

namespace {

bool IsHiragana(char16_t c) { return (c >= 0x3041 && c <= 0x3096) || c == 0x309D || c == 0x309E; }
bool IsKatakana(char16_t c) { return (c >= 0x30A1 && c <= 0x30FA) || c == 0x30FD || c == 0x30FE; }
bool IsKana(char16_t c) { return IsHiragana(c) || IsKatakana(c) || c == u'ー'; }
bool IsAsciiAlnum(QChar c) { return c.unicode() < 0x80 && c.isLetterOrNumber(); }
// ":" ends the reading of an entry line, so it can never stand in one.
bool IsTypableAscii(char16_t c) { return c >= 0x20 && c < 0x7F && c != u':'; }

bool AllOf(const QString &text, bool (*test)(char16_t))
{
    if (text.isEmpty())
        return false;
    for (QChar c : text)
        if (!test(c.unicode()))
            return false;
    return true;
}

// Text against a literal, whatever the types on either side.
bool Is(QStringView text, QStringView literal)
{
    return text.compare(literal) == 0;
}

bool IsAsciiDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

bool HoldsHan(const QString &text)
{
    for (char32_t c : text.toUcs4())
        if (QChar::script(c) == QChar::Script_Han)
            return true;
    return false;
}

// Full-width Latin letters, digits and signs as typed on a keyboard, and
// half-width katakana as katakana; the punctuation the table types as it is.
QString Normalise(const QString &line, const QString &typable)
{
    QString out;
    out.reserve(line.size());
    for (qsizetype i = 0; i < line.size(); ++i) {
        const char16_t c = line.at(i).unicode();
        if (c == 0x3000) {
            out += QLatin1Char(' ');
        } else if (c >= 0xFF01 && c <= 0xFF5E && !typable.contains(QChar(c))) {
            out += QChar(char16_t(c - 0xFEE0));
        } else if (c >= 0xFF61 && c <= 0xFF9F) {
            qsizetype end = i;
            while (end < line.size() && line.at(end).unicode() >= 0xFF61 && line.at(end).unicode() <= 0xFF9F)
                ++end;
            out += line.mid(i, end - i).normalized(QString::NormalizationForm_KC);
            i = end - 1;
        } else {
            out += QChar(c);
        }
    }
    return out;
}

QString Field(const Morpheme &word, int index)
{
    return index < word.Features.size() ? word.Features.at(index) : QString();
}

// The spelling reading, where the dictionary has one.
QString ReadingOf(const Morpheme &word)
{
    const QString reading = Field(word, 7);
    return word.Unknown || reading.isEmpty() || reading == QLatin1String("*") ? QString() : ToHiragana(reading);
}

// How a counter's first sound changes after a number: 'k' doubles the
// number's last sound after 1, 6, 8, 10, 100 (いっこ); 's' after 1, 8, 10
// (いっさつ); 'h' doubles as 'k' and turns h to p, and to b after さん
// (いっぽん, さんぼん); 'f' the same but p after さん and よん (さんぷん);
// 'g' as 'k' and turns k to g after さん (さんがい); 'n' changes nothing.
struct Counter {
    const char16_t *Surface;
    const char16_t *Reading;
    char Sound;
};

// Counters as an input method converts them after digits, and as people say
// them after a number in kanji.
const std::array<Counter, 43> Counters = {{
    {u"ヶ月", u"かげつ", 'k'}, {u"か月", u"かげつ", 'k'}, {u"カ月", u"かげつ", 'k'}, {u"ヵ月", u"かげつ", 'k'},
    {u"ケ月", u"かげつ", 'k'}, {u"箇月", u"かげつ", 'k'},
    {u"時間", u"じかん", 'n'}, {u"時半", u"じはん", 'n'}, {u"日間", u"にちかん", 'n'}, {u"年間", u"ねんかん", 'n'}, {u"週間", u"しゅうかん", 's'},
    {u"分間", u"ふんかん", 'f'}, {u"秒間", u"びょうかん", 'n'}, {u"番目", u"ばんめ", 'n'},
    {u"月", u"がつ", 'n'}, {u"日", u"にち", 'n'}, {u"時", u"じ", 'n'}, {u"分", u"ふん", 'f'}, {u"秒", u"びょう", 'n'},
    {u"年", u"ねん", 'n'}, {u"円", u"えん", 'n'}, {u"人", u"にん", 'n'}, {u"本", u"ほん", 'h'}, {u"匹", u"ひき", 'h'},
    {u"杯", u"はい", 'h'}, {u"個", u"こ", 'k'}, {u"回", u"かい", 'k'}, {u"階", u"かい", 'g'}, {u"枚", u"まい", 'n'},
    {u"冊", u"さつ", 's'}, {u"歳", u"さい", 's'}, {u"才", u"さい", 's'}, {u"週", u"しゅう", 's'}, {u"台", u"だい", 'n'},
    {u"度", u"ど", 'n'}, {u"番", u"ばん", 'n'}, {u"件", u"けん", 'k'}, {u"点", u"てん", 's'}, {u"倍", u"ばい", 'n'},
    {u"名", u"めい", 'n'}, {u"号", u"ごう", 'n'}, {u"着", u"ちゃく", 's'}, {u"頭", u"とう", 's'},
}};

// Compounds the dictionary reads wrong, as whole words in a row.
const std::array<std::pair<const char16_t *, const char16_t *>, 21> Compounds = {{
    {u"一日中", u"いちにちじゅう"}, {u"一年中", u"いちねんじゅう"}, {u"一晩中", u"ひとばんじゅう"},
    {u"世界中", u"せかいじゅう"}, {u"日本中", u"にほんじゅう"}, {u"町中", u"まちじゅう"},
    {u"家中", u"いえじゅう"}, {u"体中", u"からだじゅう"}, {u"今日中", u"きょうじゅう"},
    {u"明日中", u"あしたじゅう"}, {u"一昨日", u"おととい"}, {u"一昨年", u"おととし"},
    {u"雨が降り", u"あめがふり"}, {u"雪が降り", u"ゆきがふり"}, {u"雨の降り", u"あめのふり"},
    {u"雪の降り", u"ゆきのふり"}, {u"雨も降り", u"あめもふり"}, {u"雪も降り", u"ゆきもふり"},
    {u"大人一人", u"おとなひとり"}, {u"一人一人", u"ひとりひとり"}, {u"人々", u"ひとびと"},
}};

// How many words from "at" on spell exactly the text, or 0.
int WordsSpelling(const QVector<Morpheme> &words, int at, QStringView text, int maxWords = 8)
{
    qsizetype matched = 0;
    for (int i = at; i < words.size() && i < at + maxWords; ++i) {
        const QString &surface = words.at(i).Surface;
        if (!text.sliced(matched).startsWith(surface))
            return 0;
        matched += surface.size();
        if (matched == text.size())
            return i - at + 1;
    }
    return 0;
}

// The counter that the words from "at" on spell, the longest first, and how many words it takes.
const Counter *CounterAt(const QVector<Morpheme> &words, int at, int *used)
{
    if (at >= words.size())
        return nullptr;
    for (const Counter &counter : Counters) {
        const int n = WordsSpelling(words, at, counter.Surface, 2);
        if (!n)
            continue;
        const Morpheme &first = words.at(at);
        // 分 in 六人分 is "a share", not minutes; 月 after a number is a month.
        const bool isCounter = n > 1 || Field(first, 2) == QStringView(u"助数詞") || Is(first.Surface, u"月")
                               || Is(first.Surface, u"日");
        if (!isCounter)
            return nullptr;
        *used = n;
        return &counter;
    }
    return nullptr;
}

const std::array<const char16_t *, 10> Digits = {u"ぜろ", u"いち", u"に", u"さん", u"よん",
                                                 u"ご", u"ろく", u"なな", u"はち", u"きゅう"};

bool IsKanjiNumeral(QChar c) { return QStringView(u"〇一二三四五六七八九十百千万億").contains(c); }

int KanjiDigit(QChar c) { return int(QStringView(u"〇一二三四五六七八九").indexOf(c)); }

// A number in kanji: with units (二十四, 三百) or digit by digit (二〇二四).
bool ParseKanjiNumber(const QString &text, qint64 *value)
{
    qint64 total = 0;
    qint64 section = 0;
    qint64 current = 0;
    bool any = false;
    for (QChar c : text) {
        const int digit = KanjiDigit(c);
        if (digit >= 0) {
            current = current * 10 + digit;
            any = true;
            continue;
        }
        const int unit = int(QStringView(u"十百千").indexOf(c));
        if (unit >= 0) {
            section += (any ? current : 1) * (unit == 0 ? 10 : unit == 1 ? 100 : 1000);
        } else {
            const qint64 big = c == u'万' ? 10000 : 100000000;
            total += (section + current == 0 ? 1 : section + current) * big;
            section = 0;
        }
        current = 0;
        any = false;
    }
    *value = total + section + current;
    return *value < 1000000000000LL;
}

// The number as words, so that the last one can change before a counter.
QStringList NumberWords(qint64 value)
{
    if (value == 0)
        return {QString::fromUtf16(Digits[0])};
    QStringList words;
    auto group = [&words](int n) {
        const int thousands = n / 1000, hundreds = n / 100 % 10, tens = n / 10 % 10, ones = n % 10;
        if (thousands == 1)
            words << QStringLiteral("せん");
        else if (thousands == 3)
            words << QStringLiteral("さん") << QStringLiteral("ぜん");
        else if (thousands == 8)
            words << QStringLiteral("はっ") << QStringLiteral("せん");
        else if (thousands)
            words << QString::fromUtf16(Digits[thousands]) << QStringLiteral("せん");
        if (hundreds == 1)
            words << QStringLiteral("ひゃく");
        else if (hundreds == 3)
            words << QStringLiteral("さん") << QStringLiteral("びゃく");
        else if (hundreds == 6)
            words << QStringLiteral("ろっ") << QStringLiteral("ぴゃく");
        else if (hundreds == 8)
            words << QStringLiteral("はっ") << QStringLiteral("ぴゃく");
        else if (hundreds)
            words << QString::fromUtf16(Digits[hundreds]) << QStringLiteral("ひゃく");
        if (tens > 1)
            words << QString::fromUtf16(Digits[tens]);
        if (tens)
            words << QStringLiteral("じゅう");
        if (ones)
            words << QString::fromUtf16(Digits[ones]);
    };
    const int oku = int(value / 100000000), man = int(value / 10000 % 10000), rest = int(value % 10000);
    if (oku) {
        group(oku);
        words << QStringLiteral("おく");
    }
    if (man) {
        group(man);
        words << QStringLiteral("まん");
    }
    if (rest)
        group(rest);
    return words;
}

// The counter's reading after a number whose last word is "last", and that
// word as it is said before the counter.
QString CounterAfter(const Counter &counter, QString *last)
{
    QString reading = QString::fromUtf16(counter.Reading);
    const char sound = counter.Sound;
    if (sound == 'n')
        return reading;
    static const QStringList doublesAlways = {QStringLiteral("いち"), QStringLiteral("はち"), QStringLiteral("じゅう")};
    const bool doubles = doublesAlways.contains(*last)
                         || (sound != 's' && (Is(*last, u"ろく") || Is(*last, u"ひゃく") || Is(*last, u"ぴゃく")
                                              || Is(*last, u"びゃく")));
    const QChar first = reading.at(0);
    if (doubles) {
        last->chop(1);
        last->append(u'っ');
        if (sound == 'h' || sound == 'f')
            reading[0] = QChar(char16_t(first.unicode() + 2)); // は→ぱ, ひ→ぴ, ふ→ぷ
        return reading;
    }
    const bool nasal = last->endsWith(u'ん');
    if ((sound == 'h' && (Is(*last, u"さん") || Is(*last, u"なん") || Is(*last, u"せん") || Is(*last, u"ぜん")
                             || Is(*last, u"まん")))
        || (sound == 'g' && (Is(*last, u"さん") || Is(*last, u"なん"))))
        reading[0] = QChar(char16_t(first.unicode() + 1)); // ほ→ぼ, か→が
    else if (sound == 'f' && nasal)
        reading[0] = QChar(char16_t(first.unicode() + 2)); // ふ→ぷ
    return reading;
}

const std::array<const char16_t *, 11> DaysOfMonth = {u"", u"", u"ふつか", u"みっか", u"よっか", u"いつか",
                                                      u"むいか", u"なのか", u"ようか", u"ここのか", u"とおか"};

// A number in kanji followed by a counter, as people say it.
QString KanjiWithCounter(qint64 value, const QStringList &numberWords, const Counter &counter)
{
    const QStringView surface(counter.Surface);
    const bool days = Is(surface, u"日") || Is(surface, u"日間");
    const QString after = Is(surface, u"日間") ? QStringLiteral("かん") : QString();
    if (Is(surface, u"人") && (value == 1 || value == 2))
        return value == 1 ? QStringLiteral("ひとり") : QStringLiteral("ふたり");
    if (days && value >= 2 && value <= 10)
        return QString::fromUtf16(DaysOfMonth[value]) + after;
    if (days && value == 20)
        return QStringLiteral("はつか") + after;
    QStringList words = numberWords;
    QString &last = words.last();
    if (days && value > 10 && value % 10 == 4)
        return words.mid(0, words.size() - 1).join(QString()) + QStringLiteral("よっか") + after;
    if (Is(last, u"よん") && (Is(surface, u"人") || Is(surface, u"年") || Is(surface, u"円") || surface.startsWith(QStringView(u"時"))))
        last = QStringLiteral("よ");
    if (Is(last, u"よん") && Is(surface, u"月"))
        last = QStringLiteral("し");
    if (Is(last, u"なな") && (days || Is(surface, u"月") || surface.startsWith(QStringView(u"時"))))
        last = QStringLiteral("しち");
    if (Is(last, u"きゅう") && (days || Is(surface, u"月") || surface.startsWith(QStringView(u"時"))))
        last = QStringLiteral("く");
    const QString reading = CounterAfter(counter, &last);
    return words.join(QString()) + reading;
}

// A counter after digits: its reading with the sound the last digit gives it,
// which an input method converts.
QString DigitCounter(const QString &digits, const Counter &counter)
{
    static const std::array<const char16_t *, 10> lastWords = {u"じゅう", u"いち", u"に", u"さん", u"よん",
                                                                u"ご", u"ろく", u"なな", u"はち", u"きゅう"};
    QString last = QString::fromUtf16(lastWords[digits.back().unicode() - u'0']);
    return CounterAfter(counter, &last);
}

bool IsNumberWord(const Morpheme &word)
{
    if (Field(word, 1) != QStringView(u"数"))
        return false;
    for (QChar c : word.Surface)
        if (!IsKanjiNumeral(c))
            return false;
    return !word.Surface.isEmpty();
}

class Builder {
public:
    explicit Builder(const QString &typable) : typable_(typable) {}

    void Add(const QString &text) { reading_.Text += text; }
    void AddUnread(const QString &text)
    {
        reading_.Unread.append({int(reading_.Text.size()), int(text.size())});
        reading_.Text += text;
    }
    // Signs: what a key types stays, the rest goes; a kanji is never dropped.
    void AddSigns(const QString &text)
    {
        for (QChar c : text) {
            if (IsTypableAscii(c.unicode()) || typable_.contains(c) || IsKana(c.unicode()))
                Add(IsKatakana(c.unicode()) ? ToHiragana(QString(c)) : QString(c));
            else if (HoldsHan(QString(c)) || c.isHighSurrogate())
                AddUnread(QString(c));
        }
    }
    bool EndsInAsciiAlnum() const { return !reading_.Text.isEmpty() && IsAsciiAlnum(reading_.Text.back()); }
    Reading Take() { return std::move(reading_); }

private:
    Reading reading_;
    const QString &typable_;
};

} // namespace

QString ToHiragana(const QString &text)
{
    QString out = text;
    for (QChar &c : out) {
        const char16_t u = c.unicode();
        if (u == u'ヵ')
            c = u'か';
        else if (u == u'ヶ')
            c = u'け';
        else if ((u >= 0x30A1 && u <= 0x30F6) || u == 0x30FD || u == 0x30FE)
            c = QChar(char16_t(u - 0x60));
    }
    return out;
}

Reading ReadMorphemes(const QVector<Morpheme> &words, const QString &typablePunctuation)
{
    Builder out(typablePunctuation);
    for (int i = 0; i < words.size();) {
        const Morpheme &word = words.at(i);
        if (word.Surface.isEmpty()) {
            ++i;
            continue;
        }
        if (word.SpaceBefore && out.EndsInAsciiAlnum() && IsAsciiAlnum(word.Surface.front()))
            out.Add(QStringLiteral(" "));

        int used = 0;
        if (IsNumberWord(word) || Is(word.Surface, u"何")) {
            int end = i;
            QString numerals;
            while (end < words.size() && IsNumberWord(words.at(end)))
                numerals += words.at(end++).Surface;
            if (Is(word.Surface, u"何"))
                end = i + 1;
            qint64 value = 0;
            const Counter *counter = CounterAt(words, end, &used);
            if (Is(word.Surface, u"何") && counter) {
                QString last = QStringLiteral("なん");
                const QString after = CounterAfter(*counter, &last);
                out.Add(last + after);
                i = end + used;
                continue;
            }
            if (!Is(word.Surface, u"何") && ParseKanjiNumber(numerals, &value)) {
                const QStringList numberWords = NumberWords(value);
                out.Add(counter ? KanjiWithCounter(value, numberWords, *counter) : numberWords.join(QString()));
                i = counter ? end + used : end;
                continue;
            }
        }
        if (AllOf(word.Surface, IsAsciiDigit)) {
            out.Add(word.Surface);
            if (const Counter *counter = CounterAt(words, i + 1, &used)) {
                out.Add(DigitCounter(word.Surface, *counter));
                i += 1 + used;
            } else {
                ++i;
            }
            continue;
        }
        ++i;
        if (AllOf(word.Surface, IsKana)) {
            out.Add(ToHiragana(word.Surface));
            continue;
        }
        const QString reading = ReadingOf(word);
        if (!reading.isEmpty() && !HoldsHan(reading) && AllOf(reading, IsKana)) {
            out.Add(reading);
            continue;
        }
        if (HoldsHan(word.Surface)) {
            out.AddUnread(word.Surface);
            continue;
        }
        out.AddSigns(word.Surface);
    }
    return out.Take();
}

QStringList CutAtSentenceEnds(const QString &line, int maxLength)
{
    QStringList pieces;
    QString rest = line;
    while (rest.size() > maxLength) {
        auto lastOf = [&rest, maxLength](QStringView marks) {
            for (qsizetype i = maxLength - 1; i > 0; --i)
                if (marks.contains(rest.at(i)))
                    return i + 1;
            return qsizetype(0);
        };
        qsizetype cut = lastOf(u"。！？!?");
        if (!cut)
            cut = lastOf(u"、，,");
        // Else where a word ends in hiragana (a particle, an ending) and the
        // next begins otherwise, so that no word is cut in two.
        for (qsizetype i = maxLength - 1; !cut && i > 0; --i)
            if (IsHiragana(rest.at(i - 1).unicode()) && !IsHiragana(rest.at(i).unicode()))
                cut = i;
        if (!cut)
            cut = maxLength;
        // A surrogate pair stays whole.
        if (rest.at(cut - 1).isHighSurrogate())
            --cut;
        pieces << rest.left(cut);
        rest = rest.mid(cut);
    }
    if (!rest.isEmpty())
        pieces << rest;
    return pieces;
}

Reader::Reader() : engine_(std::make_unique<MecabEngine>()), typable_(DefaultTypablePunctuation()) {}

Reader::~Reader() = default;

bool Reader::IsAvailable() const
{
    return engine_->IsAvailable();
}

QString Reader::Problem() const
{
    return engine_->Problem();
}

QString Reader::DefaultTypablePunctuation()
{
    return QStringLiteral("、。！？（）「」ー");
}

QVector<Morpheme> Reader::Analyse(const QString &line) const
{
    // The compounds of the table are found in the text, since the analyser
    // may cut through them (一日中雨 as 一, 日, 中雨); the rest is analysed
    // piece by piece around them.
    const QString text = Normalise(line, typable_);
    QVector<Morpheme> words;
    qsizetype from = 0;
    static const QString starts = [] {
        QString first;
        for (const auto &compound : Compounds)
            first += QChar(compound.first[0]);
        return first;
    }();
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (!starts.contains(text.at(at)))
            continue;
        for (const auto &[surface, reading] : Compounds) {
            if (!QStringView(text).sliced(at).startsWith(QStringView(surface)))
                continue;
            if (at > from)
                words += engine_->Parse(text.mid(from, at - from));
            Morpheme compound;
            compound.Surface = QString::fromUtf16(surface);
            compound.Features = QStringList(7, QStringLiteral("*")) << QString::fromUtf16(reading);
            compound.SpaceBefore = at > 0 && text.at(at - 1) == QLatin1Char(' ');
            words.append(compound);
            from = at + compound.Surface.size();
            at = from - 1;
            break;
        }
    }
    if (from < text.size())
        words += engine_->Parse(text.mid(from));
    return words;
}

Reading Reader::Read(const QString &line) const
{
    return ReadMorphemes(Analyse(line), typable_);
}

QString Reader::ReadAsAnalysed(const QString &line) const
{
    QString out;
    for (const Morpheme &word : engine_->Parse(line)) {
        const QString reading = ReadingOf(word);
        out += reading.isEmpty() ? word.Surface : reading;
    }
    return out;
}
