// SPDX-License-Identifier: GPL-3.0-or-later
#include "NetTestSupport.h"

#include "EnglishTexts.h"
#include "FakePlatform.h"
#include "modes/GameLoop.h"
#include "net/NetGame.h"
#include "net/NetRecord.h"
#include "net/frmNet.h"
#include "net/frmNetResult.h"
#include "settings/aplMain.h"
#include "typing/Judge.h"
#include "util/Functions.h"
#include "views/frmMain.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

using Phase = GameLoop::Phase;

class NetBattleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fake.process->throwOnEnd = false;
        aplMain::Kotehan = QStringLiteral("太郎");
        desk = std::make_unique<NetDesk>();
        desk->form->show();
    }
    void TearDown() override { desk.reset(); }

    frmMain &Form() { return *desk->form; }
    GameState &State() { return desk->game->state; }
    NetGame &Net() { return *desk->net; }
    GameLoop &Loop() { return *desk->loop; }
    NetBattle &Battle() { return desk->net->Battle(); }
    const NetBattle::Values &Values() { return Battle().Current(); }
    void SetClientHP(qint16 hp)
    {
        NetBattle::Values v = Values();
        v.ClientHP = hp;
        Battle().SetValues(v);
    }

    // Opens the battle command, serves, and lets the peer in as 花子.
    void OpenAndConnect()
    {
        Net().OpenNetWindow();
        net = Net().Window();
        ASSERT_NE(net, nullptr);
        Net().Link().SetPort(FreePort());
        net->mnuServer_Click();
        ASSERT_TRUE(peer.ConnectTo(Net().Link().Port()));
        ASSERT_TRUE(peer.Expect("NAM 太郎"));
        peer.Send("NAM 花子");
        ASSERT_TRUE(WaitUntil([&] { return Net().Link().ClientName() == "花子"; }));
    }

    // The server's start button: the round leaves its wait at once.
    void Start()
    {
        net->cmdStart->click();
        ASSERT_TRUE(peer.Expect("STR"));
        ASSERT_EQ(Loop().CurrentPhase(), Phase::Running);
        Tick();
    }

    void Tick(int passes = 1)
    {
        for (int i = 0; i < passes; ++i)
            Loop().Tick();
    }

    QStringList LastLines(int n) const
    {
        QStringList lines = net->LogText().split("\r\n");
        lines.removeLast();
        QStringList last = lines.mid(lines.size() - n);
        for (QString &line : last)
            line.remove(0, 6);
        return last;
    }

    QStringList Records() const
    {
        return NetRecord::CountRecords(Functions::ReadWholeFile(fake.PathOf(NetRecord::FileName))).rows;
    }

    int EndBoxes() const { return fake.dialogs->Texts().count("-------------------終了-------------------"); }

    FakePlatform fake;
    std::unique_ptr<NetDesk> desk;
    frmNet *net = nullptr;
    RawPeer peer;
};

QString Today(const char *result)
{
    return QDate::currentDate().toString("yy/MM/dd") + QString::fromUtf8(result);
}

} // namespace

TEST_F(NetBattleTest, ARoundWaitsForTheStartThenTimesTheBattle)
{
    OpenAndConnect();
    EXPECT_TRUE(net->isVisible());
    EXPECT_EQ(net->pos().y(), Form().frameGeometry().top() + Form().frameGeometry().height());
    EXPECT_EQ(Form().lblGameMode->text(), "疾鍵@ネット対戦");
    EXPECT_EQ(Form().lblString[0]->text(), "相手の残りH.P.");
    EXPECT_FALSE(Form().mnuSpeed->isEnabled());
    EXPECT_FALSE(Form().mnuNet->isEnabled());
    EXPECT_TRUE(Form().mnuS->menuAction()->isEnabled());
    EXPECT_TRUE(State().LoopRunning);
    EXPECT_EQ(Loop().CurrentPhase(), Phase::Waiting);
    Tick(3);
    EXPECT_EQ(Loop().CurrentPhase(), Phase::Waiting);
    EXPECT_FALSE(State().Playing);
    EXPECT_FALSE(Loop().PassesRunning()) << "the wait for the start polls nothing";

    Start();
    EXPECT_TRUE(Loop().PassesRunning());
    EXPECT_TRUE(State().Playing);
    EXPECT_EQ(desk->game->CurrentRound(), &Net().CurrentRound()) << "the judge asks the battle's round";
    EXPECT_EQ(net->lblMyName->text(), "太郎");
    EXPECT_EQ(net->lblClientName->text(), "花子");

    // A pass in the same millisecond as the start counts over 0.001 s.
    State().TypeCount = 1;
    Tick();
    EXPECT_EQ(Form().lblTime->text(), "0.000");
    EXPECT_EQ(Form().lblRest->text(), "200");
    EXPECT_DOUBLE_EQ(State().Speed, 1000.0);

    fake.clock->now += 2000;
    State().TypeCount = 10;
    SetClientHP(123);
    Tick();
    EXPECT_EQ(Form().lblTime->text(), "2.000");
    EXPECT_EQ(Form().lblSpeed->text(), "5.000");
    EXPECT_EQ(Form().lblRest->text(), "123");
    EXPECT_DOUBLE_EQ(desk->game->ShownSpeed(), 5.0);

    // Every pass computes; the labels are painted at display rate.
    fake.clock->now += 5;
    Tick();
    EXPECT_DOUBLE_EQ(State().Speed, 10 / 2.005);
    EXPECT_EQ(Form().lblTime->text(), "2.000");
    EXPECT_DOUBLE_EQ(desk->game->ShownSpeed(), 4.988);
    fake.clock->now += LabelPushIntervalMs - 5;
    Tick();
    EXPECT_EQ(Form().lblTime->text(), Functions::Format000((2000 + LabelPushIntervalMs) / 1000.0));

    // The server's start during a battle starts it again on both sides.
    Battle().SetMyAP(150);
    SetClientHP(20);
    net->cmdStart->click();
    EXPECT_TRUE(peer.Expect("STR"));
    EXPECT_EQ(Values().MyAP, 0);
    EXPECT_EQ(Values().ClientHP, 200);
    EXPECT_EQ(Loop().CurrentPhase(), Phase::Running);
}

TEST_F(NetBattleTest, FourFullAttacksOnEnterWinTheBattleOnce)
{
    OpenAndConnect();
    Start();
    const int linesBefore = net->LogText().count("\r\n");

    fake.keys->down[13] = true;
    for (int attack = 1; attack <= 4; ++attack) {
        Battle().SetMyAP(200);
        Tick();
        EXPECT_EQ(Values().MyAP, 0);
        EXPECT_EQ(Values().ClientHP, 200 - 50 * attack);
        EXPECT_TRUE(peer.Expect(QStringLiteral("ATK %1").arg(200 - 50 * attack)));
        EXPECT_EQ(fake.sound->played.last(), fake.PathOf("attack2.wav"));
        // Enter still held without attack points: nothing more.
        Tick();
        EXPECT_TRUE(peer.Expect(""));
        if (attack == 4)
            break;
        EXPECT_EQ(LastLines(2), (QStringList{"実況> 太郎の攻撃", "実況> 花子に50のダメージを与えた"}));
        EXPECT_EQ(Loop().CurrentPhase(), Phase::Running);
    }
    fake.keys->down[13] = false;
    EXPECT_EQ(LastLines(3), (QStringList{"実況> 太郎の攻撃", "実況> 花子に50のダメージを与えた", "実況> あなたは勝ちました"}));
    EXPECT_EQ(net->LogText().count("\r\n"), linesBefore + 9);
    EXPECT_EQ(Records(), QStringList{Today(" 勝利：太郎 vs 花子")});
    EXPECT_FALSE(Battle().Running());

    // The pass that attacked saw the end: the end box, then the next round waits.
    EXPECT_EQ(EndBoxes(), 1);
    EXPECT_EQ(fake.dialogs->shown.last().title, "疾鍵");
    EXPECT_EQ(Loop().CurrentPhase(), Phase::Waiting);
    EXPECT_FALSE(State().Playing);
    EXPECT_FALSE(Form().mnuSpeed->isEnabled());

    // Late reports after the end change values but tell no second end.
    peer.Send("ATK 0");
    ASSERT_TRUE(WaitUntil([&] { return Values().MyHP == 0; }));
    peer.Send("STT 50");
    ASSERT_TRUE(WaitUntil([&] { return Values().ClientAP == 50; }));
    Settle(20);
    EXPECT_FALSE(net->LogText().contains("あなたは負けました"));
    EXPECT_EQ(net->LogText().count("あなたは勝ちました"), 1);
    EXPECT_EQ(Records().size(), 1);
    EXPECT_EQ(Loop().CurrentPhase(), Phase::Waiting);
    EXPECT_EQ(EndBoxes(), 1);

    // The next battle can end again.
    Start();
    EXPECT_EQ(Values().MyHP, 200);
    peer.Send("ATK 0");
    // The round's own timer runs the passes while the test waits.
    ASSERT_TRUE(WaitUntil([&] { return EndBoxes() == 2; }));
    EXPECT_EQ(Records(), (QStringList{Today(" 勝利：太郎 vs 花子"), Today(" 敗北：太郎 vs 花子")}));
}

TEST_F(NetBattleTest, InEnglishTheWindowSpeaksEnglishWhileTheWireAndTheRecordStayJapanese)
{
    const EnglishTexts english;
    ASSERT_TRUE(english.Loaded());
    OpenAndConnect(); // the peer was told "NAM 太郎"
    EXPECT_EQ(net->windowTitle(), "Net battle");
    Start();
    EXPECT_EQ(Form().lblGameMode->text(), "疾鍵@Net battle");

    SetClientHP(50);
    Battle().SetMyAP(200);
    fake.keys->down[13] = true;
    Tick();
    fake.keys->down[13] = false;
    EXPECT_TRUE(peer.Expect("ATK 0"));
    EXPECT_EQ(LastLines(3), (QStringList{"battle> 太郎 attacks", "battle> 花子 takes 50 damage", "battle> You won"}));
    // The record keeps its Japanese lines, and the record window still counts the win in them.
    EXPECT_EQ(Records(), QStringList{Today(" 勝利：太郎 vs 花子")});
    frmNetResult results(net);
    EXPECT_EQ(results.windowTitle(), "Battle results");
    EXPECT_EQ(results.Label1->text(), "Total: 1 won, 0 lost");
    ASSERT_EQ(results.lstNetResult->count(), 1);
    EXPECT_EQ(results.lstNetResult->item(0)->text(), Today(" 勝利：太郎 vs 花子"));
}

TEST_F(NetBattleTest, AnEnterTapBetweenTwoPassesAttacksOnceWhereverItWasPressed)
{
    // The program's own key state, fed by the key events of every window.
    platform::Services fakes = platform::Current();
    platform::InstallDefaults();
    fakes.keys = platform::Current().keys;
    platform::Install(fakes);

    OpenAndConnect();
    Start();
    Battle().SetMyAP(100);
    QTest::keyClick(&Form(), Qt::Key_Return);
    Tick();
    EXPECT_TRUE(peer.Expect("ATK 175"));
    Tick();
    EXPECT_TRUE(peer.Expect(""));
    // A tap without points is forgotten, not kept for later.
    net->txtSend->clear();
    QTest::keyClick(net->txtSend, Qt::Key_Return);
    Tick();
    Battle().SetMyAP(40);
    Tick();
    EXPECT_TRUE(peer.Expect(""));
    // Enter typed into the chat box attacks too.
    QTest::keyClick(net->txtSend, Qt::Key_Return);
    Tick();
    EXPECT_TRUE(peer.Expect("ATK 165"));
    // Held down, it attacks whenever there are points again.
    QTest::keyPress(&Form(), Qt::Key_Return);
    Battle().SetMyAP(8);
    Tick();
    EXPECT_TRUE(peer.Expect("ATK 163"));
    Tick();
    Battle().SetMyAP(4);
    Tick();
    EXPECT_TRUE(peer.Expect("ATK 162"));
    QTest::keyRelease(&Form(), Qt::Key_Return);
    Battle().SetMyAP(4);
    Tick();
    EXPECT_TRUE(peer.Expect(""));
}

TEST_F(NetBattleTest, AnAttackWithThreePointsDoesNoDamageButIsSpent)
{
    OpenAndConnect();
    Start();
    Battle().SetMyAP(3);
    fake.keys->down[13] = true;
    Tick();
    EXPECT_TRUE(peer.Expect("ATK 200"));
    EXPECT_EQ(LastLines(2), (QStringList{"実況> 太郎の攻撃", "実況> 花子に0のダメージを与えた"}));
    EXPECT_EQ(fake.sound->played.last(), fake.PathOf("attack2.wav"));
    EXPECT_EQ(Values().MyAP, 0);
    EXPECT_EQ(Values().ClientHP, 200);
    EXPECT_EQ(net->shpMyAG->width(), 0);
}

TEST_F(NetBattleTest, HitsTakeTheHitPointsTheAttackerSentAndTheLastOneLoses)
{
    OpenAndConnect();
    peer.Send("STR");
    ASSERT_TRUE(WaitUntil([&] { return Battle().Running(); }));
    EXPECT_EQ(Loop().CurrentPhase(), Phase::Running);
    Tick();

    peer.Send("ATK 30");
    ASSERT_TRUE(WaitUntil([&] { return Values().MyHP == 30; }));
    EXPECT_EQ(LastLines(2), (QStringList{"実況> 花子の攻撃", "実況> 太郎は170のダメージを受けた"}));
    EXPECT_EQ(fake.sound->played.last(), fake.PathOf("attack.wav"));
    EXPECT_EQ(net->shpMyHP->width(), 30);

    // A 50-point attack on 30 hit points: the receiver counts 30.
    peer.Send("ATK 0");
    ASSERT_TRUE(WaitUntil([&] { return Values().MyHP == 0; }));
    EXPECT_EQ(LastLines(3), (QStringList{"実況> 花子の攻撃", "実況> 太郎は30のダメージを受けた", "実況> あなたは負けました"}));

    // Crossing final attacks: this side's own last attack (the pass attacks
    // before it looks at the end) lands after its loss.
    SetClientHP(40);
    Battle().SetMyAP(200);
    Battle().Attack();
    EXPECT_TRUE(peer.Expect("ATK 0"));
    EXPECT_EQ(Values().ClientHP, 0);
    EXPECT_FALSE(net->LogText().contains("あなたは勝ちました"));
    EXPECT_EQ(Records(), QStringList{Today(" 敗北：太郎 vs 花子")});
    EXPECT_EQ(EndBoxes(), 1);
}

TEST_F(NetBattleTest, GaugesAreAsWideAsTheirValues)
{
    OpenAndConnect();
    Battle().SetValues({200, 199, 77, -5});
    EXPECT_EQ(net->shpMyAG->width(), 200);
    EXPECT_EQ(net->shpMyAG->palette().color(QPalette::Window), QColor(255, 0, 0));
    EXPECT_EQ(net->shpClientAG->width(), 199);
    EXPECT_EQ(net->shpClientAG->palette().color(QPalette::Window), QColor(255, 128, 128));
    EXPECT_EQ(net->shpMyHP->width(), 77);
    EXPECT_EQ(net->shpMyHP->palette().color(QPalette::Window), QColor(128, 128, 255));
    EXPECT_EQ(net->shpClientHP->width(), 0);
    EXPECT_EQ(net->shpClientHP->x(), 280);
    // The judge's charge is held within 0..200.
    Battle().SetMyAP(250);
    EXPECT_EQ(Values().MyAP, 200);
    Battle().SetMyAP(-3);
    EXPECT_EQ(Values().MyAP, 0);
    Battle().Draw();
    EXPECT_EQ(net->shpMyAG->width(), 0);
}

TEST_F(NetBattleTest, ClosingTheNetWindowGivesTheMenusBackWithoutTheEndBox)
{
    Net().OpenNetWindow();
    ASSERT_EQ(Loop().CurrentPhase(), Phase::Waiting);
    Net().Window()->close();
    EXPECT_EQ(Net().Window(), nullptr);
    Tick(2);
    EXPECT_EQ(Loop().CurrentPhase(), Phase::Idle);
    EXPECT_TRUE(Form().mnuSpeed->isEnabled());
    EXPECT_FALSE(State().LoopRunning);
    EXPECT_FALSE(State().Playing);
    EXPECT_EQ(EndBoxes(), 0);

    // Closed in the middle of a battle: the same, and the next command waits again.
    OpenAndConnect();
    Start();
    net->close();
    Tick();
    EXPECT_EQ(Loop().CurrentPhase(), Phase::Idle);
    EXPECT_EQ(EndBoxes(), 0);
    EXPECT_TRUE(WaitUntil([&] { return !peer.Connected(); })) << "the link goes with the window";
    Net().OpenNetWindow();
    Tick(2);
    EXPECT_EQ(Loop().CurrentPhase(), Phase::Waiting) << "no battle runs without a link";
}

TEST_F(NetBattleTest, ThePeerLeavingEndsTheBattleWithoutARecord)
{
    OpenAndConnect();
    Start();
    ASSERT_EQ(Loop().NextPassAt(), fake.clock->now + LabelPushIntervalMs);
    // The round's end is looked at by a pass at once, not at the next frame.
    bool passAtOnce = false;
    QObject::connect(&Net().Link(), &NetLink::closed, desk->form.get(),
                     [&] { passAtOnce = Loop().PassesRunning() && Loop().NextPassAt() == fake.clock->now; });
    peer.socket->disconnectFromHost();
    ASSERT_TRUE(WaitUntil([&] { return EndBoxes() == 1; }));
    EXPECT_TRUE(passAtOnce);
    EXPECT_TRUE(Records().isEmpty());
    EXPECT_EQ(Loop().CurrentPhase(), Phase::Waiting);
}

TEST_F(NetBattleTest, ClosingTheMainWindowDuringABattleEndsTheProgram)
{
    OpenAndConnect();
    Start();
    State().Unloading = true;
    Tick();
    EXPECT_EQ(fake.process->ends, 1);
    EXPECT_TRUE(Records().isEmpty());
    EXPECT_EQ(EndBoxes(), 0);
}

TEST_F(NetBattleTest, ClosingTheMainWindowWhileWaitingEndsTheProgram)
{
    Net().OpenNetWindow();
    fake.process->throwOnEnd = true;
    State().Unloading = true;
    EXPECT_THROW(Tick(), ProgramEnded);
    fake.process->throwOnEnd = false;
}

TEST_F(NetBattleTest, HelpShowsTheRules)
{
    Net().OpenNetWindow();
    Net().Window()->mnuHelp->trigger();
    ASSERT_FALSE(fake.dialogs->shown.isEmpty());
    const ShownBox &box = fake.dialogs->shown.last();
    EXPECT_EQ(box.title, "ネット対戦の遊び方");
    EXPECT_TRUE(box.information);
    const QStringList lines = box.text.split("\r\n");
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], "ゲームが開始されたらひたすら早くタイピングしてください。");
    EXPECT_EQ(lines[6], "なお、サーバーでゲームを開始すると即カウントが始まるので注意してください。");
}

TEST_F(NetBattleTest, TypingChargesAttackPointsAtTheSpeedOfThePasses)
{
    desk->game->dict.Words = {{"犬", "INU"}};
    desk->game->dict.WordMax = "0";
    OpenAndConnect();
    Start();
    ASSERT_EQ(State().Roman, "INU");
    Tick();
    Game &game = *desk->game;
    // The first key: the passes so far saw no type, so it gains nothing.
    KeyDown(game, 'I', false, true);
    EXPECT_EQ(Values().MyAP, 0);
    // 9 correct keys in 10 s: 0.9 keys per second.
    fake.clock->now += 10000;
    State().TypeCount = 9;
    Tick();
    EXPECT_EQ(Form().lblSpeed->text(), "0.900");
    KeyDown(game, 'X', false, true);
    EXPECT_EQ(Values().MyAP, 0) << "a miss never takes the points below 0";
    Battle().SetMyAP(10);
    KeyDown(game, 'X', false, true);
    EXPECT_EQ(Values().MyAP, 8) << "three times 0.9 is 2.7: two points";
    KeyDown(game, 'N', false, true);
    EXPECT_EQ(Values().MyAP, 8) << "below one key per second a correct key gains nothing";
    EXPECT_EQ(net->shpMyAG->width(), 8);
    // Faster: 47 keys in 10 s.
    State().TypeCount = 47;
    fake.clock->now += 16;
    Tick();
    KeyDown(game, 'U', false, true);
    EXPECT_EQ(Values().MyAP, 12);
    // The finished word reports the points to the peer.
    EXPECT_TRUE(peer.Expect("STT 12"));
    EXPECT_EQ(State().Roman, "INU");
    EXPECT_EQ(Form().lblRoman->text(), "INU");
}

TEST_F(NetBattleTest, AKanaBattleTypesTheReadingAndChargesLikeRomaji)
{
    aplMain::KanaInput = true;
    desk->game->dict.Words = {{"犬", "INU", "いぬ"}};
    desk->game->dict.WordMax = "0";
    OpenAndConnect();
    Start();
    ASSERT_EQ(State().Roman, "いぬ");
    Tick();
    Game &game = *desk->game;
    Battle().SetMyAP(10);
    fake.clock->now += 10000;
    State().TypeCount = 20;
    Tick();
    KeyDown(game, 0, false, false, 0, 26); // い
    EXPECT_EQ(Values().MyAP, 12);
    KeyDown(game, 0, false, false, 0, 24); // た
    EXPECT_EQ(Values().MyAP, 6) << "a miss costs three times the speed";
    KeyDown(game, 0, false, false, 0, 10); // ぬ
    EXPECT_TRUE(peer.Expect("STT 8"));
    EXPECT_EQ(State().Roman, "いぬ");
}
