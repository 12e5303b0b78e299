// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program folder and the player's options. Every option is one row of
// SettingRows; the values live in a Settings object the program owns, read
// once at start-up and written once when the main window unloads. The names
// below (aplMain::Bold, aplMain::Kotehan ...) read and write the settings in use.

#include <QObject>
#include <QString>

#include <cstring>
#include <optional>
#include <vector>

namespace aplMain {

extern QString AppPath; // the program folder, ending with "/"

extern const char *const ProgramName;
extern const char *const Version;
// The ranking server that ships with the game, on this machine.
inline constexpr const char *DefaultRankingServer = "http://127.0.0.1:21226";

enum class SettingType {
    Boolean,   // stored "True"/"False"; a number or another case also reads
    Integer16, // a 16-bit number
    Name,      // the handle: made safe for the record files on reading
    Text,      // kept exactly as stored
    Address,   // trimmed; an empty value keeps the default
};

struct SettingRow {
    const char *section;
    const char *key;
    const char *initial; // a first run's value, as stored
    SettingType type;
    // A check item of the settings menu: its caption (translated where the
    // menu is made) and its place among the check items (the menu's order is
    // not the file's).
    const char *check = nullptr;
    int checkPlace = 0;
};

// In the order they are written; our own keys after the original ones.
inline constexpr SettingRow SettingRows[] = {
    {"Setting", "NN2N", "0", SettingType::Integer16},
    {"Setting", "Bold", "False", SettingType::Boolean, QT_TRANSLATE_NOOP("aplMain", "ローマ字表示を太字にする(&B)"), 1},
    {"Setting", "Big", "False", SettingType::Boolean, QT_TRANSLATE_NOOP("aplMain", "ローマ字を大きくする(&L)"), 2},
    {"Setting", "MissType", "False", SettingType::Boolean, QT_TRANSLATE_NOOP("aplMain", "ミスタイプを表示する(&M)"), 3},
    {"Setting", "Kotehan", "", SettingType::Name},
    {"Setting", "PassWord", "", SettingType::Text},
    {"Setting", "RomanView", "False", SettingType::Boolean, QT_TRANSLATE_NOOP("aplMain", "ローマ字は表示しない(&V)"), 4},
    {"Setting", "English", "False", SettingType::Boolean, QT_TRANSLATE_NOOP("aplMain", "英語キーボードで判定(&E)"), 6},
    {"Setting", "Next", "False", SettingType::Boolean, QT_TRANSLATE_NOOP("aplMain", "次の行を表示(&N)"), 5},
    {"Setting", "RankingServer", DefaultRankingServer, SettingType::Address},
    {"Setting", "AutoLayout", "True", SettingType::Boolean, QT_TRANSLATE_NOOP("aplMain", "キー配列を自動で判定(&A)"), 7},
    {"Setting", "FreeRomaji", "False", SettingType::Boolean, QT_TRANSLATE_NOOP("aplMain", "いろいろなローマ字を受け付ける(&F)"), 8},
    {"Setting", "Sound", "True", SettingType::Boolean, QT_TRANSLATE_NOOP("aplMain", "効果音を鳴らす(&O)"), 10},
    {"Setting", "KanaInput", "False", SettingType::Boolean, QT_TRANSLATE_NOOP("aplMain", "かな入力(&J)"), 9},
    {"Setting", "KeyboardGuide", "False", SettingType::Boolean, QT_TRANSLATE_NOOP("aplMain", "キーボードを表示(&V)"), 11},
    {"Setting", "Pace", "False", SettingType::Boolean, QT_TRANSLATE_NOOP("aplMain", "ペースを表示(&P)"), 12},
    {"Setting", "PaceKind", "best", SettingType::Text},
    {"Setting", "Language", "auto", SettingType::Text},
};
inline constexpr int SettingCount = static_cast<int>(sizeof SettingRows / sizeof SettingRows[0]);

// The row of a key; a key no row has does not compile where a constant is needed.
constexpr int SettingRowOf(const char *key)
{
    for (int row = 0; row < SettingCount; ++row) {
        const char *a = SettingRows[row].key;
        const char *b = key;
        while (*a && *a == *b)
            ++a, ++b;
        if (*a == *b)
            return row;
    }
    throw "no setting has this key";
}

// The option values. The newest one alive is the settings in use, which the
// names below reach; destroying it brings the one before it back.
class Settings : public QObject {
    Q_OBJECT

public:
    Settings();
    ~Settings() override;
    Settings(const Settings &) = delete;
    Settings &operator=(const Settings &) = delete;

    bool Flag(int row) const { return values_[row].flag; }
    qint16 Number(int row) const { return values_[row].number; }
    const QString &Text(int row) const { return values_[row].text; }
    // Each emits changed when the value really changes.
    void SetFlag(int row, bool value);
    void SetNumber(int row, qint16 value);
    void SetText(int row, const QString &value);

    // Every row back to a first run's value.
    void Reset();
    // Reads every row from the store; a missing or malformed value leaves its
    // option as it was.
    void Load();
    // Writes the version, the path and every row in order; false when the
    // store could not keep them.
    bool Save() const;

signals:
    void changed(int row);

private:
    struct Value {
        bool flag = false;
        qint16 number = 0;
        QString text;
    };
    void Apply(int row, const QString &stored);

    std::vector<Value> values_;
    Settings *previous_ = nullptr;
};

// The settings in use. There is always one while a program (or a test's fake
// platform) lives.
Settings &InUse();

// An option by its row, read and written like a variable.
class FlagOption {
public:
    explicit constexpr FlagOption(const char *key) : row(SettingRowOf(key)) {}
    operator bool() const { return InUse().Flag(row); }
    const FlagOption &operator=(bool value) const
    {
        InUse().SetFlag(row, value);
        return *this;
    }
    const FlagOption &operator=(const FlagOption &other) const { return *this = bool(other); }
    const int row;
};

class NumberOption {
public:
    explicit constexpr NumberOption(const char *key) : row(SettingRowOf(key)) {}
    operator qint16() const { return InUse().Number(row); }
    const NumberOption &operator=(qint16 value) const
    {
        InUse().SetNumber(row, value);
        return *this;
    }
    const int row;
};

class TextOption {
public:
    explicit constexpr TextOption(const char *key) : row(SettingRowOf(key)) {}
    operator const QString &() const { return InUse().Text(row); }
    const QString &Value() const { return InUse().Text(row); }
    bool isEmpty() const { return Value().isEmpty(); }
    const TextOption &operator=(const QString &value) const
    {
        InUse().SetText(row, value);
        return *this;
    }
    friend bool operator==(const TextOption &a, const QString &b) { return a.Value() == b; }
    friend bool operator!=(const TextOption &a, const QString &b) { return a.Value() != b; }
    const int row;
};

inline constexpr NumberOption NN2N{"NN2N"}; // 1 = shorten NN where it is not needed
inline constexpr FlagOption Bold{"Bold"};
inline constexpr FlagOption Big{"Big"};
inline constexpr FlagOption MissType{"MissType"};
inline constexpr TextOption Kotehan{"Kotehan"};
inline constexpr TextOption PassWord{"PassWord"};
inline constexpr FlagOption RomanView{"RomanView"}; // true = the romaji is hidden
inline constexpr FlagOption English{"English"};
inline constexpr FlagOption Next{"Next"};
inline constexpr TextOption RankingServer{"RankingServer"}; // scheme, host and port of the Internet ranking
inline constexpr FlagOption AutoLayout{"AutoLayout"}; // judge a key by the character the layout made it type
inline constexpr FlagOption FreeRomaji{"FreeRomaji"}; // accept every romaji spelling the common input methods accept
inline constexpr FlagOption Sound{"Sound"}; // play the type, miss and attack sounds
inline constexpr FlagOption KanaInput{"KanaInput"}; // type kana by key position on a JIS keyboard
inline constexpr FlagOption KeyboardGuide{"KeyboardGuide"}; // show the keyboard guide under the play area
inline constexpr FlagOption Pace{"Pace"};           // show the pace marker under the romaji
inline constexpr TextOption PaceKind{"PaceKind"};   // "best", "average", "last" or a speed in keys per second
inline constexpr TextOption Language{"Language"};   // "auto", "ja" or "en": read once, at start-up

// Parsers of stored values; nothing when the text does not convert.
std::optional<bool> ParseBoolean(const QString &text);
std::optional<qint16> ParseInteger16(const QString &text);

// The folder the program keeps its files in: its own folder when that holds
// "tokira.qls" and can be written (a portable copy), otherwise the user's data
// folder, created and filled with the shipped files it lacks.
QString ChooseAppPath(const QString &programFolder, const QString &userFolder, const QString &shippedFolder);
// Copies every shipped file the user's folder lacks; a file already there is
// never replaced. False when a copy failed.
bool FillUserDataFolder(const QString &userFolder, const QString &shippedFolder);

} // namespace aplMain
