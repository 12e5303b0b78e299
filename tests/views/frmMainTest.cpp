// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakePlatform.h"
#include "ShippedData.h"
#include "shell/Program.h"
#include "shell/StartUp.h"
#include "stats/KeyboardView.h"
#include "stats/frmStats.h"
#include "platform/Platform.h"
#include "typing/Game.h"
#include "typing/Judge.h"
#include "settings/aplMain.h"
#include "views/GameView.h"
#include "views/frmHowTo.h"
#include "views/frmLoad.h"
#include "views/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScopeGuard>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>
#include <QTranslator>
#include <gtest/gtest.h>

TEST(frmMain, ControlsStartAtTheirDesignPlaces)
{
    FakePlatform fake;
    frmMain form;
    EXPECT_EQ(form.windowTitle(), "疾鍵");
    EXPECT_EQ(form.picMain->size(), QSize(490, 216));
    EXPECT_EQ(form.lblRoman->pos(), QPoint(48, 192));
    EXPECT_EQ(form.lblQuest->pos(), QPoint(48, 176));
    EXPECT_FALSE(form.lblNext->isVisibleTo(&form));
    EXPECT_EQ(form.lblString.size(), 7);
    EXPECT_EQ(form.lblString[0]->text(), "残り時間[sec]：");
    EXPECT_EQ(form.lblString[6]->text(), "1 名前：");
    // Right-aligned counters keep their right edge at 4080 twips.
    form.lblTime->setText("120.001");
    EXPECT_EQ(form.lblTime->x() + form.lblTime->width(), 272);
    EXPECT_EQ(form.lblName->font().bold(), true);
    EXPECT_EQ(form.lblName->textFormat(), Qt::PlainText);
    EXPECT_EQ(form.mnuSpeed->shortcut(), QKeySequence(Qt::Key_F2));
    EXPECT_EQ(form.mnuTime->shortcut(), QKeySequence(Qt::Key_F3));
    EXPECT_EQ(form.mnuNet->shortcut(), QKeySequence(Qt::Key_F4));
    EXPECT_EQ(form.mnuOuit->text(), "終了(&Q)");
    for (auto *array : {&form.mnuCopipe, &form.mnuRanking, &form.mnuQlsChange, &form.mnuChange, &form.mnuCopipeScore}) {
        ASSERT_EQ(array->size(), 1);
        EXPECT_EQ(array->first()->text(), "a");
    }
}

TEST(frmMain, MenuEnabledGreysExactlyTheGameMenus)
{
    FakePlatform fake;
    frmMain form;
    form.MenuEnabled(false);
    // The ten of the game and the drill, which plays like them; the 成績 item
    // goes with its high-score menu.
    for (QAction *a : {form.mnuTime, form.mnuSpeed, form.mnuDrill, form.mnuCopype->menuAction(), form.mnuNet, form.mnuRoman,
                       form.mnuReload, form.mnuI->menuAction(), form.mnuC->menuAction(), form.mnuK->menuAction(),
                       form.mnuScore->menuAction()})
        EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();
    for (QAction *a : {form.mnuBold, form.mnuBig, form.mnuMissType, form.mnuRomanView, form.mnuNext, form.mnuEnglish,
                       form.mnuKotehan, form.mnuOuit, form.mnuAbout, form.mnuS->menuAction(), form.mnuH->menuAction(),
                       form.mnuG->menuAction()})
        EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
    form.MenuEnabled(true);
    EXPECT_TRUE(form.mnuScore->menuAction()->isEnabled());
    EXPECT_TRUE(form.mnuRoman->isEnabled());
}

TEST(frmMain, InitResetsTheGameStateAndCounters)
{
    FakePlatform fake;
    frmMain form;
    Game game(&form);
    ShowGameOn(form, game);
    GameState &state = game.state;
    state.Playing = state.Aborted = state.Restart = true;
    state.LastKey = 65;
    state.LineNo = 3;
    state.Speed = 2.5;
    state.TypeCount = 12;
    state.MissCount = 3;
    state.Seconds = 9.5;
    form.lblType->setText("12");
    game.ShowQuestion({"学校", "GAKKOU"});
    game.Init();
    EXPECT_FALSE(state.Aborted || state.Restart);
    EXPECT_TRUE(state.Playing);
    EXPECT_EQ(state.LastKey, 0);
    EXPECT_EQ(state.LineNo, 0);
    EXPECT_EQ(state.Speed, 0.0);
    EXPECT_EQ(state.TypeCount + state.MissCount, 0);
    EXPECT_EQ(state.Seconds, 0.0);
    EXPECT_EQ(state.Roman, "GAKKOU");
    EXPECT_EQ(form.lblMissType->text(), "");
    EXPECT_EQ(form.lblRest->text(), "-");
    EXPECT_EQ(form.lblSpeed->text(), "-");
    EXPECT_EQ(form.lblType->text(), "0");
    EXPECT_EQ(form.lblMiss->text(), "0");
    EXPECT_EQ(form.lblTime->text(), "0");
    EXPECT_EQ(form.lblQuest->text(), "学校");
}

TEST(frmMain, LoadAppliesStoredOptionsAndTheHandle)
{
    FakePlatform fake;
    LayShippedDictionaries(fake);
    Program program;
    frmMain &form = program.Form();
    const int plainHeight = form.height();
    for (const char *key : {"Bold", "Big", "MissType", "RomanView", "English", "Next"})
        fake.settings->values.insert(QStringLiteral("Setting/") + key, "True");
    fake.settings->values.insert("Setting/Kotehan", "とても長いコテハン");
    program.Settings().Load();
    program.Load();
    EXPECT_TRUE(form.mnuBold->isChecked() && form.lblRoman->font().bold());
    EXPECT_TRUE(form.mnuBig->isChecked());
    EXPECT_EQ(form.lblRoman->font().pointSize(), 16);
    EXPECT_TRUE(form.lblMissType->isVisible());
    EXPECT_TRUE(form.mnuEnglish->isChecked());
    EXPECT_FALSE(form.lblRoman->isVisible());
    EXPECT_TRUE(form.mnuNext->isChecked());
    EXPECT_EQ(form.lblNext->y(), 192);
    EXPECT_EQ(form.lblRoman->y(), 208);
    EXPECT_EQ(form.height(), plainHeight + 16);
    EXPECT_EQ(form.picMain->height(), 232);
    EXPECT_EQ(form.lblName->text(), "とても長いコテハン");
    EXPECT_EQ(form.lblData->x(), form.lblName->x() + form.lblName->width());
    EXPECT_GT(form.lblData->x(), 144);
    EXPECT_EQ(form.mnuKotehan->text(), "コテハンを使う[とても長いコテハン](&K)");

    form.SetNextShown(false);
    EXPECT_EQ(form.height(), plainHeight);
    EXPECT_EQ(form.lblRoman->y(), 192);
    EXPECT_FALSE(form.lblNext->isVisible());
}

TEST(frmMain, WithNextOffTheDesignLayoutStays)
{
    FakePlatform fake;
    LayShippedDictionaries(fake);
    Program program;
    frmMain &form = program.Form();
    program.Load();
    EXPECT_FALSE(form.lblNext->isVisible());
    EXPECT_EQ(form.lblRoman->y(), 192);
    EXPECT_FALSE(form.lblMissType->isVisible());
    EXPECT_TRUE(form.lblRoman->isVisible());
}

TEST(frmMain, ClosingDuringAGameEndsTheProgramWithoutSaving)
{
    FakePlatform fake;
    fake.process->throwOnEnd = false;
    Program program;
    frmMain &form = program.Form();
    program.TheGame().state.LoopRunning = true;
    form.close();
    EXPECT_TRUE(program.TheGame().state.Unloading);
    EXPECT_EQ(fake.process->ends, 1);
    EXPECT_TRUE(fake.settings->writeOrder.isEmpty());
}

TEST(frmMain, QuitUnloadsSavesAndEndsTheProgram)
{
    FakePlatform fake;
    LayShippedDictionaries(fake);
    fake.process->throwOnEnd = false;
    Program program;
    frmMain &form = program.Form();
    program.Load();
    form.mnuOuit->trigger();
    EXPECT_TRUE(program.TheGame().state.Unloading);
    EXPECT_EQ(fake.settings->writeOrder.size(), 20);
    EXPECT_EQ(fake.process->ends, 1);
    EXPECT_FALSE(form.LoadWindow()->isVisible());
}

TEST(frmMain, AboutBoxNamesTheProgramVersionAndLicence)
{
    FakePlatform fake;
    Program program;
    program.Form().mnuAbout->trigger();
    ASSERT_EQ(fake.dialogs->shown.size(), 1);
    const ShownBox &box = fake.dialogs->shown.first();
    EXPECT_EQ(box.title, "バージョン情報");
    EXPECT_TRUE(box.information);
    const QStringList lines = box.text.split("\r\n");
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], "疾鍵");
    EXPECT_EQ(lines[1], "Ver. 2.00");
    EXPECT_TRUE(lines[2].contains("GPL-3.0-or-later"));
}

TEST(frmMain, MenuArraysGrowAndShrinkBehindTheirPlaceholder)
{
    FakePlatform fake;
    frmMain form;
    QList<std::pair<frmMain::MenuArray, int>> clicks;
    QObject::connect(&form, &frmMain::menuArrayClicked, [&](frmMain::MenuArray w, int i) { clicks.append({w, i}); });
    form.AddMenuArrayItem(frmMain::MenuArray::Copipe, "いろは");
    form.AddMenuArrayItem(frmMain::MenuArray::Copipe, "寿限無");
    form.HideMenuArrayPlaceholder(frmMain::MenuArray::Copipe);
    EXPECT_FALSE(form.mnuCopipe[0]->isVisible());
    form.mnuCopipe[2]->trigger();
    ASSERT_EQ(clicks.size(), 1);
    EXPECT_EQ(clicks[0].second, 2);
    form.ClearMenuArray(frmMain::MenuArray::Copipe);
    EXPECT_EQ(form.mnuCopipe.size(), 1);
    EXPECT_EQ(form.mnuCopype->actions().size(), 1);
    EXPECT_TRUE(form.mnuCopipe[0]->isVisible());
}

TEST(frmLoad, SetLoadDrawsOnlyLongerBarsAndNamesTheStep)
{
    FakePlatform fake;
    frmMain form;
    form.SetLoad(70, "コピペ辞書のロード...");
    EXPECT_EQ(form.LoadWindow()->BarWidth(), 70);
    EXPECT_EQ(form.LoadWindow()->lblLoad->text(), "コピペ辞書のロード...");
    form.SetLoad(35, "x");
    EXPECT_EQ(form.LoadWindow()->BarWidth(), 70);
    // A step left unpainted (a load read ahead replays its steps) still counts.
    form.SetLoad(200, "y", false);
    EXPECT_EQ(form.LoadWindow()->BarWidth(), 200);
    EXPECT_EQ(form.LoadWindow()->lblLoad->text(), "y");
    form.LoadWindow()->ClearProgress();
    EXPECT_EQ(form.LoadWindow()->BarWidth(), 0);
    EXPECT_EQ(form.LoadWindow()->windowTitle(), "疾辞書のロード中...");
}

TEST(frmMain, NextLineStripWorksBeforeTheWindowIsShown)
{
    FakePlatform fake;
    frmMain form;
    const int height = form.height();
    form.SetNextShown(true);
    form.SetNextShown(true); // a second call adds no second strip
    EXPECT_EQ(form.height(), height + 16);
    EXPECT_EQ(form.picMain->height(), 232);
    EXPECT_TRUE(form.mnuNext->isChecked());
    EXPECT_TRUE(form.lblNext->isVisibleTo(&form));
    form.SetNextShown(false);
    EXPECT_EQ(form.height(), height);
    EXPECT_EQ(form.lblRoman->y(), 192);
    EXPECT_FALSE(form.mnuNext->isChecked());
}

TEST(frmMain, TheSoundItemMutesTypeMissAndAttackSoundsAtOnce)
{
    FakePlatform fake;
    LayShippedDictionaries(fake);
    fake.settings->values.insert("Setting/Sound", "False"); // as stored by an earlier run
    Program program;
    program.Settings().Load();
    program.Load();
    frmMain &form = program.Form();
    Game &game = program.TheGame();
    auto typeAMissAndAHit = [&] {
        game.Init();
        game.ShowQuestion({QString(), "KA"});
        game.state.Playing = true;
        KeyDown(game, 'X', false, true);
        KeyDown(game, 'K', false, true);
        platform::PlayWave(fake.PathOf("attack.wav")); // as the net battle plays its attacks
    };
    EXPECT_FALSE(form.mnuSound->isChecked());
    typeAMissAndAHit();
    EXPECT_TRUE(fake.sound->played.isEmpty());

    form.mnuSound->trigger();
    EXPECT_TRUE(form.mnuSound->isChecked());
    typeAMissAndAHit();
    EXPECT_EQ(fake.sound->played,
              QStringList({fake.PathOf("miss.wav"), fake.PathOf("type.wav"), fake.PathOf("attack.wav")}));
    form.mnuSound->trigger();
    typeAMissAndAHit();
    EXPECT_EQ(fake.sound->played.size(), 3);
    form.close();
    EXPECT_EQ(fake.settings->values.value("Setting/Sound"), "False");
}

TEST(frmMain, HowToPlayOpensFirstInTheHelpMenuAndEscClosesIt)
{
    FakePlatform fake;
    LayShippedDictionaries(fake);
    Program program;
    program.Load();
    frmMain &form = program.Form();
    ASSERT_EQ(form.mnuH->actions().value(0), form.mnuHowTo);
    EXPECT_EQ(form.mnuHowTo->text(), "遊び方(&H)...");
    form.mnuHowTo->trigger();
    frmHowTo *window = nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *found = dynamic_cast<frmHowTo *>(widget); found && found->isVisible())
            window = found;
    }
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "遊び方");
    const QString guide = window->txtGuide->toPlainText();
    for (const QString &told : {QString("F2"), QString("F3"), QString("最初のキー"), QString("Esc"), QString("Tab"),
                                QString("タイプ数"), QString("キー配列を自動で判定"),
                                QString("いろいろなローマ字を受け付ける"), fake.Folder()})
        EXPECT_TRUE(guide.contains(told)) << told.toStdString();
    EXPECT_TRUE(window->lblBegin->text().contains("F2"));
    const QRect screen = window->screen()->availableGeometry();
    EXPECT_LE(window->width(), screen.width());
    EXPECT_LE(window->height(), screen.height());

    QTest::keyClick(window->txtGuide, Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
}

TEST(frmMain, TheStatsKeyboardFollowsTheLayoutTheKeysTypeOn)
{
    FakePlatform fake;
    LayShippedDictionaries(fake);
    Program program;
    program.Load();
    frmMain &form = program.Form();
    auto press = [&form](int key, quint32 scanCode, const QString &text) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::ShiftModifier, scanCode, 0, 0, text);
        QApplication::sendEvent(&form, &event);
    };
    auto statsUs = [&program] {
        program.mnuStats_Click();
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *stats = dynamic_cast<frmStats *>(widget); stats && stats->isVisible())
                return stats->picKeyboard->UsLayout();
        }
        ADD_FAILURE() << "no 成績 window";
        return false;
    };

    EXPECT_FALSE(statsUs()); // nothing typed yet: 英語キーボードで判定, off
    press(Qt::Key_At, 11, "@"); // Shift+2 typing "@": a US keyboard
    EXPECT_TRUE(statsUs());
    press(Qt::Key_QuoteDbl, 11, "\""); // the same key typing a double quote: JIS
    EXPECT_FALSE(statsUs());
    press(Qt::Key_At, 11, "@");
    // Without キー配列を自動で判定 the English setting decides.
    form.mnuAutoLayout->trigger();
    EXPECT_FALSE(statsUs());
    form.mnuEnglish->trigger();
    EXPECT_TRUE(statsUs());
}

TEST(frmMain, InEnglishTheMenusChecksAndIdleLineAreEnglishAndTheNameStaysAsStored)
{
    std::unique_ptr<QTranslator> english = LoadGameTranslation(aplMain::UiLanguage::English);
    ASSERT_NE(english, nullptr);
    QCoreApplication::installTranslator(english.get());
    const auto removed = qScopeGuard([&] { QCoreApplication::removeTranslator(english.get()); });
    FakePlatform fake;
    Program program;
    frmMain &form = program.Form();
    EXPECT_EQ(form.mnuSpeed->text(), "&Speed attack");
    // The check captions are marked in one place and translated in another.
    EXPECT_EQ(form.SettingCheck(aplMain::KanaInput.row)->text(), "&Kana input");
    EXPECT_EQ(form.lblRoman->text(), "ROMAJI SHOWS HERE");
    form.SetIdleInput(true);
    EXPECT_EQ(form.lblRoman->text(), "Kana shows here");
    form.SetIdleInput(false);
    EXPECT_EQ(form.lblRoman->text(), "ROMAJI SHOWS HERE");
    form.ShowKotehan("名無しさん");
    EXPECT_EQ(form.mnuKotehan->text(), "Use &handle [名無しさん]");
    EXPECT_EQ(form.lblName->text(), "名無しさん");
    // The longer English caption pushes the name along rather than under it.
    EXPECT_GE(form.lblName->x(), form.lblString[6]->x() + form.lblString[6]->width());
    EXPECT_EQ(form.lblData->x(), form.lblName->x() + form.lblName->width());
    // The program's name and version read the same in both languages.
    form.mnuAbout->trigger();
    ASSERT_EQ(fake.dialogs->shown.size(), 1);
    EXPECT_EQ(fake.dialogs->shown[0].title, "About");
    EXPECT_TRUE(fake.dialogs->shown[0].text.startsWith("疾鍵\r\nVer. 2.00\r\n疾鍵 development team"));
}
