// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A game: its state, the dictionaries it draws from, and the values that pass
// between the subsystems that play it. It knows no window: it tells what
// happened by signals, and the views paint from them and from the state.

#include "dictionary/Dictionaries.h"
#include "history/GameRecord.h"
#include "history/KeyTally.h"
#include "dictionary/RomajiSpelling.h"
#include "typing/GameState.h"
#include "typing/InputMethod.h"
#include "typing/Pace.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

class Round;
namespace history {
class HistoryStore;
struct Outcome;
}

class Game : public QObject {
    Q_OBJECT

public:
    explicit Game(QObject *parent = nullptr);

    GameState state;
    Dictionaries dict;

    // The name of the ranking text last played to its end, and the decoded
    // registration name of the ranking text chosen last.
    QString CopipeTitle;
    QString RankingTitle;
    // Opens the ranking submission window after a Ranking attack.
    std::function<void()> OpenRankingSubmission;
    // How each expected character of the game was typed, for the history.
    history::KeyTally tally;
    // Where finished games are kept; none in a bare game.
    history::HistoryStore *history = nullptr;

    // Resets the counters and flags of a new game.
    void Init();
    // A round begins: the counters reset, its first question shown. It
    // stays the round the judge asks until the next one begins, and its
    // options stay the game's until then.
    void StartRound(Round &round);
    // The round has ended: no key is judged any more.
    void EndRound();
    Round *CurrentRound() const { return round_; }
    // How the current (or last) round is typed.
    const RoundOptions &Options() const { return options_; }
    // The options of a game played without a round.
    void SetOptions(const RoundOptions &options);
    // Shows a question and makes its romaji the one to type.
    void ShowQuestion(const QuestItem &item);
    // Turns the acceptance of every romaji spelling on or off for the rest of
    // the round, the question being typed as well: the keys typed so far stay typed.
    void SetFreeSpelling(bool on);
    // The spellings of the question being typed, when other spellings than
    // the one shown are accepted; nothing otherwise.
    RomajiSpelling *FreeSpelling() { return freeSpelling_ ? &spelling_ : nullptr; }
    void ShowNextLine(const QString &quest);
    // Tells what a pass computed: the remaining amount, the time and the speed.
    void ShowPass(const QString &rest);
    // The speed as it is shown (to the thousandth).
    double ShownSpeed() const;
    // Keeps the game just finished in the history, after its end steps; a
    // history that cannot be written gives its message once, for the caller
    // to tell, and play goes on.
    history::Outcome RecordGame(history::Mode mode, const QString &textName, const QString &dictionaryPath);
    // Opens the history for reading; a failure (its message given once) when
    // it cannot be used.
    history::Outcome OpenHistory();
    // For the history's kana counts: a wrong key on the question shown, and
    // the question typed to its end.
    void NoteMiss();
    void QuestionFinished();
    // The run of the current (or last) round: the judge notes the first key
    // and each correct one with the character it typed.
    void StartRunClock();
    void NoteCorrectKey(QChar typed);
    const history::KeyRun &Run() const { return run_; }
    // The pace the current round races; none when the option is off.
    const Pace *CurrentPace() const { return pace_ ? &*pace_ : nullptr; }
    void SetPace(std::optional<Pace> pace) { pace_ = std::move(pace); }
    // The judge's sounds, built once per program folder rather than per key.
    const QString &TypeWave();
    const QString &MissWave();

signals:
    // A round began (its title and the caption of its remaining amount), or ended.
    void roundStarted(const QString &title, const QString &restCaption);
    void roundEnded();
    // A new game's counters are back to nothing.
    void cleared();
    void questionShown(const QString &quest, const QString &roman);
    void nextLineShown(const QString &quest);
    // A judged key: a type, or a miss with the character it shows (the
    // counters and the romaji still to type are in the state).
    void keyJudged(bool correct, const QString &missType);
    void missTypeShown(const QString &text);
    // A pass was timed: the remaining amount as shown; time and speed are in the state.
    void passTimed(const QString &rest);
    // The first key of a game was judged: its clock starts now.
    void firstKeyJudged();

private:
    void RefreshWaves();

    Round *round_ = nullptr;
    RoundOptions options_;

    // The question being typed, as it was shown first.
    QuestItem question_;
    // One for the whole game, so that a new question reuses its storage.
    RomajiSpelling spelling_;
    bool freeSpelling_ = false;
    // The question's kana lined up with its romaji, and which romaji
    // characters took a wrong key, while the history wants kana counts.
    RomajiSpelling kanaUnits_;
    std::vector<char> missedAt_;
    bool kanaTracked_ = false;

    history::KeyRun run_;
    qint64 runClockAt_ = 0;
    std::optional<Pace> pace_;

    QString wavesFor_;
    QString typeWave_;
    QString missWave_;
};
