// SPDX-License-Identifier: GPL-3.0-or-later
#include "typing/Game.h"

#include "history/HistoryStore.h"
#include "platform/Platform.h"
#include "settings/aplMain.h"
#include "typing/Round.h"
#include "util/Functions.h"

#include <algorithm>
#include <limits>

Game::Game(QObject *parent) : QObject(parent) {}

void Game::SetOptions(const RoundOptions &options)
{
    options_ = options;
}

void Game::Init()
{
    state.Speed = 0.0;
    state.Aborted = false;
    state.LineNo = 0;
    state.Restart = false;
    state.LastKey = 0;
    state.TypeCount = 0;
    state.MissCount = 0;
    state.Seconds = 0.0;
    tally.Clear();
    // Cleared, not freed: the keys of the next game go where these went.
    run_.keyMs.clear();
    run_.questionStarts.clear();
    run_.typed.clear();
    run_.keyMs.reserve(4096);
    run_.typed.reserve(4096);
    emit cleared();
}

void Game::StartRound(Round &round)
{
    Init();
    round_ = &round;
    options_ = round.Options();
    pace_.reset();
    if (options_.pace.on && round.Race() != PaceRace::None) {
        history::Tell(OpenHistory());
        const RoundEnd end = round.End(*this);
        pace_ = ChoosePace(options_.pace, history, round.Race(), end.historyMode, end.textName, round.Input());
    }
    emit roundStarted(round.ShownTitle(), round.RestCaption());
    round.ShowFirst(*this);
}

void Game::EndRound()
{
    state.Playing = false;
    emit roundEnded();
}

void Game::ShowQuestion(const QuestItem &item)
{
    question_ = item;
    run_.questionStarts.push_back(quint32(state.TypeCount));
    state.KanaKeys = 0;
    state.KanaMissed = false;
    freeSpelling_ = false;
    kanaTracked_ = false;
    state.Roman = options_.input.TextToType(item);
    if (options_.input.IsKana()) {
        // The judge counts the kana itself as they are finished.
        emit questionShown(item.Quest, state.Roman);
        return;
    }
    if (options_.freeSpelling) {
        spelling_.Reset(item.Reading, item.Roman, true);
        freeSpelling_ = spelling_.FreeSpelling();
    }
    // Kana are counted only on the shown spelling, which the free matcher does not keep to.
    if (history && !freeSpelling_) {
        kanaUnits_.Reset(item.Reading, item.Roman, true);
        kanaTracked_ = kanaUnits_.FreeSpelling();
        missedAt_.assign(static_cast<std::size_t>(item.Roman.size()), 0);
    }
    emit questionShown(item.Quest, item.Roman);
}

void Game::StartRunClock()
{
    runClockAt_ = platform::clock().Now();
}

void Game::NoteCorrectKey(QChar typed)
{
    run_.typed.append(typed.isNull() ? QChar(u'?') : typed);
    const qint64 ms = platform::clock().Now() - runClockAt_;
    run_.keyMs.push_back(quint32(std::clamp<qint64>(ms, 0, std::numeric_limits<quint32>::max())));
}

void Game::NoteMiss()
{
    // Once the player leaves the shown spelling, its places no longer say which kana.
    if (!kanaTracked_ || freeSpelling_)
        return;
    const qsizetype at = question_.Roman.size() - state.Roman.size();
    if (at >= 0 && at < static_cast<qsizetype>(missedAt_.size()))
        missedAt_[static_cast<std::size_t>(at)] = 1;
}

void Game::QuestionFinished()
{
    if (!kanaTracked_ || freeSpelling_)
        return;
    const QStringView reading(question_.Reading);
    kanaUnits_.ForEachShownUnit([&](int readingFrom, int readingTo, int shownFrom, int shownTo) {
        bool missed = false;
        for (int i = shownFrom; i < shownTo && i < static_cast<int>(missedAt_.size()); ++i)
            missed = missed || missedAt_[static_cast<std::size_t>(i)];
        tally.AddKana(reading.mid(readingFrom, readingTo - readingFrom), missed);
    });
    kanaTracked_ = false;
}

void Game::SetFreeSpelling(bool on)
{
    // Turning it off leaves the rest in the spelling the player took, which
    // is then typed as shown.
    options_.freeSpelling = on;
    freeSpelling_ = false;
    const QString &shown = question_.Roman;
    if (!on || options_.input.IsKana() || !shown.endsWith(state.Roman))
        return;
    spelling_.Reset(question_.Reading, shown, true);
    if (!spelling_.FreeSpelling())
        return;
    // The keys typed so far were the shown spelling's; type them again.
    const qsizetype typed = shown.size() - state.Roman.size();
    for (qsizetype i = 0; i < typed; ++i) {
        if (!spelling_.Accept(shown.at(i)))
            return;
    }
    freeSpelling_ = spelling_.Remaining() == state.Roman;
}

void Game::ShowNextLine(const QString &quest)
{
    emit nextLineShown(quest);
}

void Game::ShowPass(const QString &rest)
{
    emit passTimed(rest);
}

double Game::ShownSpeed() const
{
    return Functions::Val(Functions::Format000(state.Speed));
}

history::Outcome Game::RecordGame(history::Mode mode, const QString &textName, const QString &dictionaryPath)
{
    if (!history)
        return {};
    history::GameRecord record;
    record.mode = mode;
    record.input = options_.input.Kind();
    record.textName = textName;
    record.dictionary = Functions::GetFileName(dictionaryPath);
    record.elapsedMs = qRound64(state.Seconds * 1000.0);
    record.correct = state.TypeCount;
    record.misses = state.MissCount;
    record.speed = ShownSpeed();
    tally.FillRecord(record);
    // Without the pace option the history stays as it always was.
    if (options_.pace.on)
        record.run = run_;
    return history->Record(record);
}

history::Outcome Game::OpenHistory()
{
    if (!history)
        return {history::Failure::Open, QString(), QStringLiteral("no history")};
    if (history->IsOpen())
        return {};
    return history->Open();
}

const QString &Game::TypeWave()
{
    RefreshWaves();
    return typeWave_;
}

const QString &Game::MissWave()
{
    RefreshWaves();
    return missWave_;
}

void Game::RefreshWaves()
{
    if (wavesFor_ == aplMain::AppPath && !typeWave_.isEmpty())
        return;
    wavesFor_ = aplMain::AppPath;
    typeWave_ = wavesFor_ + QStringLiteral("type.wav");
    missWave_ = wavesFor_ + QStringLiteral("miss.wav");
}
