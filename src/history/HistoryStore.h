// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The player's finished games in an SQLite file ("history.sqlite3" in the data
// folder), through Qt SQL: opening, recording and damaged files here; its
// schema steps, queries and CSV export each in a file of their own. Each store has its own connection, so several stores (and
// tests) never share one. Nothing here throws or shows a box: failures come
// back as values, and the text to show comes back only the first time a kind
// of failure happens, so a game shows at most one box for it.

#include "history/GameRecord.h"

#include <QCoreApplication>
#include <QDate>
#include <QList>
#include <QString>

#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <utility>

class QSqlDatabase;
class QSqlError;

namespace history {

enum class Failure { None, Open, Write, Export };

struct Outcome {
    Failure failure = Failure::None;
    // The text for a message box; empty on success and for a failure already told.
    QString message;
    // The database's own words, for the log.
    QString detail;

    bool Ok() const { return failure == Failure::None; }
};

// Shows the outcome's message to the player, if it has one; whether it worked.
bool Tell(const Outcome &outcome);

// Which games a query looks at: one mode or all, from a first day (local
// date, inclusive) or from the beginning.
struct Filter {
    std::optional<Mode> mode;
    std::optional<QDate> firstDay;
    // Romaji and kana games are never mixed.
    Input input = Input::Romaji;
};

enum class Period { Week, Month, All };
// The filter's first day for "the last 7 days", "the last 30 days" (today
// included) or all games.
std::optional<QDate> FirstDayOf(Period period, const QDate &today);

// One game on the charts. Times stay numbers: the window reads thousands.
struct GamePoint {
    qint64 finishedMs = 0; // since the epoch
    QDate day;             // the local date it finished on
    Mode mode = Mode::Speed;
    double speed = 0;
    double accuracy = 0;
};

// The games of one mode that finished on one day: how many, and the sums of
// their speeds and accuracies.
struct DayGames {
    Mode mode = Mode::Speed;
    QDate day;
    int games = 0;
    double speedSum = 0;
    double accuracySum = 0;
};

// The best of the games of one lesson (a text name of the lesson mode).
struct LessonBest {
    QString textName;
    double speed = 0;
    double accuracy = 0;
    // The best speed among the games at or above an accuracy; nothing when none reached it.
    std::optional<double> speedAtAccuracy;
};

// A game's run as the history kept it.
struct KeptRun {
    qint64 finishedMs = 0;
    double speed = 0;
    KeyRun run;
};

enum class RunOrder { Fastest, Newest };

// A kept run's game, as a list of runs to replay names it.
struct RunListing {
    qint64 gameId = 0;
    QDateTime finished;
    Mode mode = Mode::Speed;
    QString textName;
    Input input = Input::Romaji;
    double speed = 0;
};

class HistoryStore {
    Q_DECLARE_TR_FUNCTIONS(HistoryStore)

public:
    // The file's version: the newest that older versions of the program must
    // know to write to it. Later steps that they can write through keep it.
    static constexpr int SchemaVersion = 2;
    // The schema's last step.
    static constexpr int LastStep = 5;

    // Nothing is opened until Open or the first Record.
    explicit HistoryStore(QString path);
    ~HistoryStore();
    HistoryStore(const HistoryStore &) = delete;
    HistoryStore &operator=(const HistoryStore &) = delete;

    // "history.sqlite3"
    static QString FileName();
    // The message texts, with the file's path.
    static QString OpenFailureText(const QString &path);
    static QString WriteFailureText(const QString &path);
    static QString ExportFailureText(const QString &path);
    // A damaged file was renamed to aside and a new one started.
    static QString DamagedText(const QString &path, const QString &aside);
    static QString NewerVersionText(const QString &path);
    // Another program held the file for longer than the wait.
    static QString BusyText(const QString &path);
    // How long a file another program holds is waited for.
    static constexpr int BusyWaitMs = 5000;
    // The second line of an export's failure when the history is not open.
    static QString ExportNoHistoryText(const QString &path);

    QString Path() const { return path_; }

    // Opens the file, creating it and its tables, or bringing an older file
    // up to date. A file that is no database or is damaged is renamed
    // "history.sqlite3.bad" (".bad2", ... when taken) and a new one started;
    // the outcome is then a success whose message says so. A file made by a
    // newer version, or one it cannot reach, is left untouched.
    Outcome Open();
    bool IsOpen() const;
    // Checks an existing file's pages and reads its sums on the pool's
    // threads, touching nothing in it, so that the first Open (and the first
    // 成績 window) need not: Open takes what was found, waiting for it if
    // need be. Does nothing while the store is open.
    void ReadAhead();

    // Stores the game with its tallies in one transaction: all of it or
    // nothing. Opens the file first when it is not open yet.
    Outcome Record(const GameRecord &game);
    // Several games in one transaction (imports, benchmarks, tests).
    Outcome Record(const QList<GameRecord> &games);

    // The queries give nothing while the store is not open.
    // Games in the order they finished.
    QList<GamePoint> Games(const Filter &filter) const;
    // The games by mode, then by day, summed in the database: what the charts
    // and the summary need of a long history, without a row per game.
    QList<DayGames> GamesByDay(const Filter &filter) const;
    // The days the first and the last game (in the order Games gives them)
    // finished on; nothing when the filter takes no game.
    std::optional<std::pair<QDate, QDate>> FirstAndLastDay(const Filter &filter) const;
    // The ten fastest games of a mode, fastest first (speeds).
    QList<double> BestTen(Mode mode, Input input = Input::Romaji) const;
    // Every expected character's counts over the filter, by character.
    QList<CharCount> CharTallies(const Filter &filter) const;
    // The characters most often missed: by miss rate, then by misses, among
    // characters typed at least minSamples times.
    QList<CharCount> WeakestChars(const Filter &filter, int count, int minSamples) const;
    QList<KanaCount> WeakestKana(const Filter &filter, int count, int minSamples) const;
    // Per text name of the lesson games typed with an input method: the best
    // speed and accuracy, and the best speed of a game whose accuracy was at
    // least minAccuracy.
    QList<LessonBest> LessonBests(double minAccuracy, Input input = Input::Romaji) const;

    // The kept runs of one mode's games on one text with one input method:
    // the fastest first, or the newest first; at most count of them.
    QList<KeptRun> Runs(Mode mode, const QString &textName, Input input, int count, RunOrder order) const;
    // The speeds of a mode's latest games (on one text, when textName is not
    // empty), newest first; at most count of them.
    QList<double> RecentSpeeds(Mode mode, const QString &textName, Input input, int count) const;
    // The games that kept a run, newest first; at most count of them.
    QList<RunListing> RunList(int count) const;
    // A listed game's run; nothing when it has none or it is damaged.
    std::optional<KeyRun> RunOfGame(qint64 gameId) const;

    // Every game as CSV (UTF-8, header row, one row per game), replacing the
    // file only once it is complete. Fails, touching no file, while the
    // history is not open.
    Outcome ExportCsv(const QString &csvPath) const;

    // The schema number stored in the open file; 0 when none is open.
    int StoredVersion() const;

private:
    struct Connection;

    // A text given replaces the failure's usual one.
    Outcome Fail(Failure failure, const QString &detail, const QString &text = QString()) const;
    Outcome FailToOpen(const QSqlError &error);
    Outcome OpenFile();
    Outcome Migrate();
    static std::optional<QString> SetAside(const QString &path);
    // The page check's first line ("ok" for a sound file), or, when it could
    // not run, why. beside, when given, runs on one of the check's threads
    // with a connection of its own.
    struct Check;
    static Check CheckPages(const QString &path, std::function<void(const QSqlDatabase &)> beside = {});

    // The games' sums by input, mode and day, and the best tens asked for:
    // read from the file when first wanted, then kept up to date by Record,
    // so the 成績 window reads no row per game.
    struct Sums;
    struct Ahead;
    const Sums *ReadSums() const;
    static std::unique_ptr<Sums> SumsOf(const QSqlDatabase &db);
    // What ReadAhead found, once it is done; nothing when nothing was started.
    std::shared_ptr<Ahead> TakeAhead();
    void AddToSums(const GamePoint &game, Input input);

    QString path_;
    std::unique_ptr<Connection> db_;
    mutable std::unique_ptr<Sums> sums_;
    std::future<std::shared_ptr<Ahead>> ahead_;
    QString checkedAhead_; // for the Migrate of one OpenFile
    bool damaged_ = false; // the last OpenFile found a damaged file
    mutable bool told_[4] = {}; // by Failure: its box was shown and nothing has worked since
};

// The weakest of the counts, ordered and cut as WeakestChars does.
QList<CharCount> Weakest(QList<CharCount> counts, int count, int minSamples);

// One CSV field, quoted when it holds a comma, a quotation mark or a line end,
// and quoted after an apostrophe when it starts with = + - @, a tab or a line end.
QString CsvField(const QString &text);

} // namespace history
