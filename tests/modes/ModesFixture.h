#pragma once
// A real main window on the fake platform with a tiny word list, and helpers
// that play a game pass by pass with the fake clock.

#include "FakePlatform.h"
#include "modes/GameLoop.h"
#include "modes/Modes.h"
#include "modes/RankingAttack.h"
#include "scores/ScoreTables.h"
#include "settings/aplMain.h"
#include "views/frmMain.h"
#include "typing/Judge.h"

#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

#include <memory>

class ModesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<frmMain>();
        form->Words = {{"犬", "INU"}, {"猫", "NEKO"}};
        form->WordMax = "1";
        aplMain::Kotehan = "名無しさん";
        for (ScoreEntry &row : aplMain::SpeedScores)
            row = {"名無しさん", 0, 0};
        for (ScoreEntry &row : aplMain::TimeScores)
            row = {"名無しさん", 999, 0};
        CopipeTitle.clear();
    }

    void TearDown() override
    {
        form.reset();
        OpenRankingSubmission = [](frmMain &) {};
        CopipeTitle.clear();
    }

    // One tick of the game loop at the given clock time (ms).
    void TickAt(qint64 ms)
    {
        fake.clock->now = ms;
        GameTick(*form);
    }
    void Key(int code, bool shift = false) { KeyDown(*form, code, shift, true); }
    // Types the next n letters of the romaji shown, whatever it is.
    void TypeCorrect(int n)
    {
        for (int i = 0; i < n; ++i) {
            const QString roman = form->lblRoman->text();
            Key(roman.isEmpty() ? 'Q' : roman.at(0).unicode());
        }
    }
    // A text of the copipe (or ranking) menu, with its lines as the loader
    // would cut them out of the dictionary text.
    int AddText(frmMain::MenuArray which, const QString &title, const QVector<QuestItem> &lines,
                const QString &registrationName = QString())
    {
        QString block = "[CopipeName=" + title + "]\r\n";
        if (which == frmMain::MenuArray::Ranking)
            block += registrationName + "\r\n";
        for (const QuestItem &line : lines)
            block += line.Quest + ":" + line.Roman + "\r\n";
        block += "[END]\r\n";
        if (which == frmMain::MenuArray::Ranking) {
            form->RankingText += block;
            form->RankingLines = lines;
        } else {
            form->CopipeText += block;
            form->CopipeLines = lines;
            form->AddMenuArrayItem(frmMain::MenuArray::CopipeScore, title);
        }
        form->AddMenuArrayItem(which, title);
        return static_cast<int>(form->MenuArrayItems(which).size() - 1);
    }
    QStringList Boxes() const { return fake.dialogs->Texts(); }

    FakePlatform fake;
    std::unique_ptr<frmMain> form;
};
