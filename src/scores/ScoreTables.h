// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The best-ten tables (score books) and their files in the program folder.
// Nothing here talks to the player: failures come back to be told.

#include "settings/InputKind.h"

#include <QList>
#include <QSet>
#include <QString>

#include <array>
#include <optional>

struct ScoreEntry {
    QString Player;
    double Score = 0.0; // seconds, or the key count in Speed attack
    double Speed = 0.0; // keys per second
};

using ScoreTable = std::array<ScoreEntry, 10>;

// A score file's failure that the player has not been told of yet.
struct ScoreFailure {
    enum class Kind {
        Unwritable,        // the rows of this run live only in memory
        Unreadable,        // left alone; the table starts from its default rows
        Malformed,         // renamed aside; the table starts from its default rows
        MalformedNotMoved, // could not even be renamed
    };
    Kind kind;
    QString path;
    QString aside; // where a malformed file now is
    // The message box text.
    QString Text() const;
};
using ScoreFailures = QList<ScoreFailure>;

// One best-ten table: its rows, its file, which way is better, and which of
// its failures the player has been told of. A failure is told once, and again
// only after its file has worked once more, so a read-only folder does not nag
// every game.
class ScoreBook {
public:
    enum class Order {
        Time, // fewer seconds first; default rows at 999
        Keys, // more keys first; default rows at 0
    };
    explicit ScoreBook(Order order, QString path = QString());

    const ScoreTable &Rows() const { return rows_; }
    ScoreTable &Rows() { return rows_; }
    const QString &Path() const { return path_; }
    void SetPath(const QString &path) { path_ = path; }
    Order Ordering() const { return order_; }
    ScoreTable DefaultRows() const;
    // Back to the default rows, forgetting a failed save.
    void Reset();
    // Whether the last save failed, so only memory holds the rows.
    bool Unsaved() const { return unsaved_; }

    // Whether a result would enter the table: strictly better than its last row.
    bool Takes(double score) const;
    // The carry-down insert (see InsertScore); the row the entry took.
    std::optional<int> Insert(const ScoreEntry &entry);

    // Creates a missing file from the rows in memory, then reads it. A file
    // that does not hold ten good rows is renamed aside and the table starts
    // from its default rows; a file that cannot be written or read leaves the
    // table as it is in memory. Neither throws; each gives the failures to tell.
    ScoreFailures Load();
    ScoreFailures Save();

private:
    bool Write(ScoreFailures &failures);
    void Tell(ScoreFailures &failures, ScoreFailure failure);

    Order order_;
    QString path_;
    ScoreTable rows_;
    bool unsaved_ = false;
    // Files whose failure has been told.
    QSet<QString> reported_;
    // Files that exist but could not be read: never replaced during the run,
    // since they may still hold rows the player wants back.
    QSet<QString> unreadable_;
};

// The tables each input method keeps of its own, besides the copipe texts'.
enum class BookKind { Time, Speed, Drill };

// The program's best-ten tables, each in its file in the data folder. Kana
// input keeps tables of its own, since a kana typist presses fewer keys.
class ScoreBooks {
public:
    explicit ScoreBooks(QString folder);

    const QString &Folder() const { return folder_; }
    ScoreBook &Book(BookKind kind, InputKind input);
    // The table of the copipe text shown or played last.
    ScoreBook &Copipe() { return copipe_; }

    // The romaji tables at start-up, and those of the input in use; the other
    // input's only once it is used, so their files are made only then.
    ScoreFailures LoadFixed(InputKind inUse);
    // The tables of an input method, each read once.
    ScoreFailures LoadInput(InputKind input);
    // The table of a copipe text for an input method; rows a failed save left
    // in memory for the same text are kept (and stored, if the file now takes them).
    ScoreFailures LoadCopipe(const QString &stem, InputKind input);
    ScoreFailures SaveCopipe(const QString &stem, InputKind input);

private:
    static std::size_t Index(BookKind kind, InputKind input);

    QString folder_;
    std::array<ScoreBook, 6> books_;
    std::array<bool, 2> loaded_{};
    ScoreBook copipe_{ScoreBook::Order::Time};
};

// The file of each table in a data folder; kana tables have "kana_" before the name.
QString ScorePath(const QString &folder, BookKind kind, InputKind input);
QString CopipeScorePath(const QString &folder, const QString &stem, InputKind input);

ScoreTable DefaultTimeRows();  // "名無しさん", 999, 0
ScoreTable DefaultSpeedRows(); // "名無しさん", 0, 0

// The carry-down pass: the entry passes every row it is not strictly better
// than, so it lands below equal rows. The row it took, or nothing.
std::optional<int> InsertScore(ScoreTable &table, const ScoreEntry &entry, bool smallerIsBetter);

// A number as the files and the Speed attack column hold it: plain decimal
// notation, no exponent, no trailing zeros, and it reads back to the same value.
QString ScoreNumber(double value);
// The whole file text: ten lines "name",score,speed each ending with CR LF.
QString ScoreFileText(const ScoreTable &table);
// Nothing when the text does not begin with ten good rows.
std::optional<ScoreTable> ParseScoreFile(const QString &text);
