// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModesFixture.h"

#include "history/DrillDraw.h"
#include "history/HistoryStore.h"
#include "util/Functions.h"
#include "util/ShiftJis.h"
#include "views/frmHiScore.h"

#include <QDir>
#include <QFile>

namespace {

// Reads the program's history file with a store of its own.
struct StoredHistory {
    explicit StoredHistory(const QString &path) : store(path) { store.Open(); }
    QList<history::GamePoint> Games() const { return store.Games({}); }
    history::CharCount Tally(QChar c) const
    {
        for (const history::CharCount &count : store.CharTallies({}))
            if (count.expected == c)
                return count;
        return {};
    }
    history::HistoryStore store;
};

} // namespace

TEST_F(ModesTest, FinishedGamesAreRecordedWithTheirTalliesAndAbortedOnesAreNot)
{
    game->dict.Words = {{"犬", "INU", "いぬ"}};
    game->dict.WordMax = "0";
    modes->PlayTime();
    fake.clock->now = 1000;
    Key('I');
    Key('X'); // a miss where N stands
    TypeCorrect(498);
    Key('Y'); // another miss where U or I stands
    TypeCorrect(1);
    TickAt(3000);
    ASSERT_FALSE(Loop().Running());

    // Esc and Tab end games that are not kept.
    for (int vk : {27, 9}) {
        modes->PlaySpeed();
        fake.clock->now = 4000;
        TypeCorrect(3);
        fake.keys->down[vk] = true;
        TickAt(4100);
        fake.keys->down[vk] = false;
    }
    ASSERT_TRUE(Loop().Running()) << "Tab started a new game";

    StoredHistory stored(fake.PathOf("history.sqlite3"));
    const QList<history::GamePoint> games = stored.Games();
    ASSERT_EQ(games.size(), 1);
    EXPECT_EQ(games[0].mode, history::Mode::Time);
    EXPECT_DOUBLE_EQ(games[0].speed, 250.0) << "500 keys in 2 s";
    EXPECT_NEAR(games[0].accuracy, 100.0 * 500 / 502, 1e-9);
    const history::CharCount n = stored.Tally('N');
    EXPECT_EQ(n.wrong, 2) << "X after the first I, Y after the 499th correct key";
    ASSERT_EQ(n.instead.size(), 2);
    EXPECT_EQ(QString(n.instead[0].typed) + n.instead[1].typed, "XY");
    const int rights = stored.Tally('I').right + stored.Tally('N').right + stored.Tally('U').right;
    EXPECT_EQ(rights, 500);
    // Per kana of the 166 words finished: ぬ took the X; the Y fell on the
    // 167th word, which the goal cut short.
    QHash<QString, std::pair<int, int>> kana;
    for (const history::KanaCount &count : stored.store.WeakestKana({}, 10, 1))
        kana.insert(count.kana, {count.right, count.wrong});
    EXPECT_EQ(kana.value("ぬ"), std::make_pair(165, 1));
    EXPECT_FALSE(kana.contains("い")) << "never missed, so not among the weakest";
    EXPECT_TRUE(fake.dialogs->Texts().filter("成績").isEmpty());
    EXPECT_TRUE(stored.store.Runs(history::Mode::Time, QString(), history::Input::Romaji, 1, history::RunOrder::Newest)
                    .isEmpty())
        << "with the pace option off no run is kept";
}

TEST_F(ModesTest, AHistoryThatCannotBeWrittenIsToldOnceAndPlayGoesOn)
{
    ASSERT_TRUE(QDir().mkdir(fake.PathOf("history.sqlite3")));
    for (int round = 0; round < 2; ++round) {
        modes->PlayTime();
        fake.clock->now = 1000 + round * 10000;
        TypeCorrect(500);
        TickAt(fake.clock->now + 2000);
        ASSERT_FALSE(Loop().Running());
    }
    EXPECT_EQ(Boxes().filter("成績ファイル").size(), 1);
    EXPECT_EQ(Boxes().filter("-------------------終了-------------------").size(), 2);
    EXPECT_TRUE(QFileInfo(fake.PathOf("history.sqlite3")).isDir()) << "left as it was";
}

TEST_F(ModesTest, AGameCutOffWhileItsTableIsWrittenIsAlreadyInTheHistory)
{
    // A folder in the table's place makes its write fail; the box that says
    // so stands where a kill during the write would.
    ASSERT_TRUE(QDir().mkdir(fake.PathOf("timeattack.hst")));
    NewProgram();
    int keptWhenTheTableWasWritten = -1;
    fake.dialogs->whileOpen = [&](const ShownBox &box) {
        if (box.text.contains("timeattack.hst") && keptWhenTheTableWasWritten < 0)
            keptWhenTheTableWasWritten = int(StoredHistory(fake.PathOf("history.sqlite3")).Games().size());
    };
    fake.dialogs->inputAnswers = {"花子"};
    modes->PlayTime();
    fake.clock->now = 1000;
    TypeCorrect(500);
    TickAt(3000);
    fake.dialogs->whileOpen = nullptr;
    ASSERT_FALSE(Loop().Running());
    EXPECT_EQ(keptWhenTheTableWasWritten, 1);
    EXPECT_EQ(StoredHistory(fake.PathOf("history.sqlite3")).Games().size(), 1) << "and only once";
}

TEST_F(ModesTest, TheDrillPlaysOnSpeedRulesWithItsOwnTableAndAimsAtWeakCharacters)
{
    // A history in which Q, Z and X are missed far more than anything else.
    {
        history::HistoryStore store(fake.PathOf("history.sqlite3"));
        history::GameRecord record;
        record.mode = history::Mode::Speed;
        record.correct = 300;
        for (QChar c : {QChar('Q'), QChar('Z'), QChar('X'), QChar('A')})
            record.chars.append({c, 50, c == 'A' ? 0 : 25, {}});
        ASSERT_TRUE(store.Record(record).Ok());
    }
    game->dict.Words = {{"甲", "QZX"}, {"乙", "AAA"}, {"丙", "BBB"}, {"丁", "CCC"}};
    game->dict.WordMax = "3";
    form->mnuDrill->trigger();
    EXPECT_EQ(form->lblGameMode->text(), "疾鍵@苦手キー練習");
    EXPECT_FALSE(form->mnuDrill->isEnabled());
    EXPECT_FALSE(form->mnuSpeed->isEnabled());
    ASSERT_NE(Current<DrillRound>(), nullptr);
    EXPECT_EQ(Current<DrillRound>()->LimitMs(), 120000);
    ASSERT_TRUE(Current<DrillRound>()->Draw().has_value());
    EXPECT_TRUE(Current<DrillRound>()->Draw()->Aimed());
    int aimed = 0;
    fake.clock->now = 1000;
    for (int word = 0; word < 400; ++word) {
        aimed += game->state.Roman == "QZX";
        TypeCorrect(3);
    }
    EXPECT_GT(aimed, 200) << "a plain draw would give about 100 of 400";

    fake.dialogs->inputAnswers = {"練習生"};
    TickAt(1000 + 120001);
    ASSERT_FALSE(Loop().Running());
    EXPECT_EQ(Books().Book(BookKind::Drill, InputKind::Romaji).Rows()[0].Score, 1200);
    const QString saved = Functions::FromShiftJis(ReadBytes(fake.PathOf("drill.hss")));
    EXPECT_TRUE(saved.startsWith("\"練習生\",1200,")) << saved.toStdString();
    EXPECT_EQ(Books().Book(BookKind::Speed, InputKind::Romaji).Rows()[0].Score, 0) << "the Speed attack table is not touched";
    EXPECT_EQ(hiScores->Window()->windowTitle(), "苦手キー練習");
    EXPECT_EQ(StoredHistory(fake.PathOf("history.sqlite3")).store.Games({history::Mode::Drill, {}}).size(), 1);
}

TEST_F(ModesTest, ALogoutDuringTheEndBoxesKeepsTheFinishedGame)
{
    // The end box, the clipboard question and the name entry.
    for (const ShownBox::Kind kind : {ShownBox::Kind::Message, ShownBox::Kind::YesNo, ShownBox::Kind::Input}) {
        SCOPED_TRACE(int(kind));
        QFile::remove(fake.PathOf("history.sqlite3"));
        NewProgram(); // with its score books at their first-run rows
        aplMain::Kotehan = "太郎";
        bool ended = false;
        fake.dialogs->whileOpen = [&](const ShownBox &box) {
            if (box.kind == kind && !ended) {
                ended = true;
                program->mnuOuit_Click();
            }
        };
        modes->PlaySpeed();
        fake.clock->now = 1000;
        TypeCorrect(4);
        TickAt(1000);
        EXPECT_THROW(TickAt(122000), ProgramEnded);
        fake.dialogs->whileOpen = nullptr;
        EXPECT_TRUE(ended);
        EXPECT_TRUE(ReadBytes(fake.PathOf("speedattack.hss")).startsWith(Functions::ToShiftJis("\"太郎\",4,")));
        EXPECT_EQ(StoredHistory(fake.PathOf("history.sqlite3")).Games().size(), 1);
    }
}
