// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakePlatform.h"
#include "HttpFixture.h"
#include "typing/Game.h"
#include "platform/HttpClient.h"
#include "scores/RankingRequest.h"
#include "modes/frmRanking.h"
#include "settings/aplMain.h"
#include "views/frmMain.h"

#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString Failed = "エラー発生\r\nスコアは申請されませんでした";
const QString Done = "スコア申請完了！\r\n・・・たぶん";

// The main window after a Ranking attack, a stand-in for the high-score window
// and a ranking server fixture the setting points at.
struct Scene {
    FakePlatform fake;
    HttpFixture server;
    frmMain form;
    Game game{&form};
    QWidget hiScore;
    QPointer<frmRanking> window;
    bool closing = false;

    Scene()
    {
        aplMain::RankingServer = server.Address();
        aplMain::Kotehan = "太郎";
        aplMain::PassWord = "secret";
        game.RankingTitle = "tokira_aiueo";
        game.CopipeTitle = "五十音";
        game.state.Seconds = 83.125;
        game.state.Speed = 5.2144;
        QObject::connect(&form, &frmMain::closing, [this] { closing = true; });
    }
    ~Scene() { delete window.data(); }

    // The submission window while it is open.
    frmRanking *Current() const { return window && window->isVisible() ? window.data() : nullptr; }

    frmRanking &Open()
    {
        ShowRankingSubmission(window, form, game);
        return *Current();
    }

    // Fills the boxes, presses the button and waits until the window has gone.
    bool SendAndWait(frmRanking &window, const QString &name, const QString &comment, const QString &password)
    {
        window.txtName->setText(name);
        window.txtComment->setText(comment);
        window.txtPassWord->setText(password);
        QTest::mouseClick(window.cmdRegist, Qt::LeftButton);
        return WaitFor([this] { return Current() == nullptr; }, 10000);
    }
};

} // namespace

TEST(frmRanking, OpensWithTheResultTheDefaultsAndTheOtherWindowsDisabled)
{
    Scene scene;
    QMenu popup;
    scene.form.show();
    scene.hiScore.show();
    frmRanking &window = scene.Open();

    EXPECT_EQ(window.windowTitle(), "インターネットランキング申請 (tokira_aiueo)");
    EXPECT_EQ(window.lblString[1]->text(), "コピペ名");
    EXPECT_EQ(window.lnlString[0]->text(), "名前");
    EXPECT_EQ(window.lnlString[1]->text(), "経過時間");
    EXPECT_EQ(window.lnlString[2]->text(), "コメント");
    EXPECT_EQ(window.lnlString[3]->text(), "速度");
    EXPECT_EQ(window.lnlString[4]->text(), "パスワード");
    EXPECT_EQ(window.cmdRegist->text(), "申請(&R)");
    EXPECT_TRUE(window.Label1->text().startsWith("※どうしてもここから申請できない方は"));
    EXPECT_TRUE(window.Label2->text().endsWith("他の人のデータが破棄されてしまいます。"));
    EXPECT_EQ(window.lblTitle->text(), "五十音");
    EXPECT_EQ(window.lblTime->text(), "83.125");
    EXPECT_EQ(window.lblSpeed->text(), "5.214");
    EXPECT_EQ(window.txtName->text(), "太郎");
    EXPECT_EQ(window.txtPassWord->text(), "secret");
    EXPECT_EQ(window.txtComment->text(), "");
    EXPECT_EQ(window.txtName->maxLength(), 9);
    EXPECT_EQ(window.txtComment->maxLength(), 20);
    EXPECT_EQ(window.txtPassWord->maxLength(), 8);
    EXPECT_EQ(window.txtPassWord->echoMode(), QLineEdit::Password); // not shown to onlookers
    EXPECT_EQ(window.requestTimeoutMs, 15000);

    // Top to bottom as designed, every control inside the window, the notice
    // beside the button without touching it.
    const QList<QWidget *> order = {window.lblTitle, window.lblTime, window.txtName, window.txtComment,
                                    window.txtPassWord, window.Label2, window.cmdRegist};
    for (int i = 1; i < order.size(); ++i)
        EXPECT_GE(order[i]->y(), order[i - 1]->geometry().bottom()) << i;
    EXPECT_EQ(window.lblSpeed->y(), window.lblTime->y());
    EXPECT_LT(window.Label1->geometry().right(), window.cmdRegist->x());
    for (QWidget *control : window.findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        EXPECT_TRUE(window.rect().contains(control->geometry())) << control->metaObject()->className();

    // Typing stops at the box's length.
    window.txtComment->clear();
    QTest::keyClicks(window.txtComment, "123456789012345678901234");
    EXPECT_EQ(window.txtComment->text(), "12345678901234567890");

    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.isEnabled());
    EXPECT_FALSE(scene.form.isEnabled());
    EXPECT_FALSE(scene.hiScore.isEnabled());
    EXPECT_TRUE(popup.isEnabled());

    // A second open only raises the window that is there.
    scene.game.CopipeTitle = "other";
    ShowRankingSubmission(scene.window, scene.form, scene.game);
    EXPECT_EQ(scene.Current(), &window);
    EXPECT_EQ(window.lblTitle->text(), "五十音");

    // The main window cannot go away under the open window.
    scene.form.close();
    EXPECT_TRUE(scene.form.isVisible());
    EXPECT_FALSE(scene.closing);

    // Closing without sending keeps the password typed, not the name.
    window.txtName->setText("次郎");
    window.txtPassWord->setText("newpw");
    window.close();
    EXPECT_EQ(scene.Current(), nullptr);
    EXPECT_EQ(aplMain::PassWord, "newpw");
    EXPECT_EQ(aplMain::Kotehan, "太郎");
    EXPECT_TRUE(scene.form.isEnabled());
    EXPECT_TRUE(scene.hiScore.isEnabled());
    EXPECT_TRUE(scene.server.requestLines.isEmpty());
    EXPECT_TRUE(scene.fake.dialogs->shown.isEmpty());

    // It shows again the next time.
    frmRanking &again = scene.Open();
    EXPECT_EQ(again.txtPassWord->text(), "newpw");
    EXPECT_EQ(again.txtName->text(), "太郎");
}

TEST(frmRanking, EmptyBoxesAndTheWordErrorAreRefusedBeforeAnythingIsSent)
{
    Scene scene;
    frmRanking &window = scene.Open();
    auto press = [&](const QString &name, const QString &comment, const QString &password) {
        scene.fake.dialogs->shown.clear();
        window.txtName->setText(name);
        window.txtComment->setText(comment);
        window.txtPassWord->setText(password);
        QTest::mouseClick(window.cmdRegist, Qt::LeftButton);
        return scene.fake.dialogs->Texts();
    };
    const QStringList incomplete = {"入力に不備があります"};
    const QStringList errorWord = {"errorとか入れられるとイヤな感じがするんだな"};
    EXPECT_EQ(press("", "c", "p"), incomplete);
    EXPECT_EQ(press("n", "", "p"), incomplete);
    EXPECT_EQ(press("n", "c", ""), incomplete);
    EXPECT_EQ(press("terror", "c", "p"), errorWord);
    EXPECT_EQ(press("n", "no error", "p"), errorWord);
    EXPECT_EQ(press("n", "c", "xerrorx"), errorWord);
    // An empty box is named before the word.
    EXPECT_EQ(press("error", "", "p"), incomplete);

    EXPECT_EQ(scene.Current(), &window);
    EXPECT_FALSE(window.Sending());
    EXPECT_TRUE(window.cmdRegist->isEnabled());
    EXPECT_TRUE(window.txtName->isEnabled());
    EXPECT_EQ(window.windowTitle(), "インターネットランキング申請 (tokira_aiueo)");
    QTest::qWait(50);
    EXPECT_TRUE(scene.server.requestLines.isEmpty());

    // The test is case-sensitive: a capital E passes and is sent.
    EXPECT_TRUE(scene.SendAndWait(window, "Error", "Err or", "ERROR"));
    ASSERT_EQ(scene.server.requestLines.size(), 1);
    EXPECT_TRUE(scene.server.requestLines[0].contains("&name=Error&score=83.125&comment=Err%20or&sokudo=5.214&pasuwa-do=ERROR "));
}

TEST(frmRanking, SendsOneRequestShowsItsOutcomeAndCloses)
{
    Scene scene;
    frmRanking &window = scene.Open();
    window.txtName->setText("花子 & =");
    window.txtComment->setText("はやい!");
    window.txtPassWord->setText("p&w");
    QTest::mouseClick(window.cmdRegist, Qt::LeftButton);

    // While the request is out the boxes and the button rest, and the window stays.
    EXPECT_TRUE(window.Sending());
    EXPECT_EQ(window.windowTitle(), "スコア申請中...　しばらくお待ちください");
    EXPECT_FALSE(window.cmdRegist->isEnabled());
    EXPECT_FALSE(window.txtName->isEnabled());
    EXPECT_FALSE(window.txtComment->isEnabled());
    EXPECT_FALSE(window.txtPassWord->isEnabled());
    window.close();
    EXPECT_EQ(scene.Current(), &window);

    ASSERT_TRUE(WaitFor([&scene] { return scene.Current() == nullptr; }));
    ASSERT_EQ(scene.server.requestLines.size(), 1);
    EXPECT_EQ(scene.server.requestLines[0],
              "GET /morubo/tokra/ranking.cgi?mode=data_touroku&syurui=tokira&kyokumei=tokira_aiueo"
              "&name=%89%D4%8Eq%20%26%20%3D&score=83.125&comment=%82%CD%82%E2%82%A2%21"
              "&sokudo=5.214&pasuwa-do=p%26w HTTP/1.1");
    ASSERT_EQ(scene.fake.dialogs->shown.size(), 1);
    EXPECT_EQ(scene.fake.dialogs->shown[0].text, Done);
    EXPECT_EQ(scene.fake.dialogs->shown[0].title, ""); // the application title
    EXPECT_EQ(aplMain::PassWord, "p&w");
    EXPECT_EQ(aplMain::Kotehan, "太郎");
    EXPECT_TRUE(scene.form.isEnabled());
    EXPECT_TRUE(scene.hiScore.isEnabled());
}

TEST(frmRanking, AKanaResultIsSentAsItsOwnKindWhateverTheOptionSaysLater)
{
    Scene scene;
    RoundOptions kana;
    kana.input = InputMethod::Of(InputKind::Kana);
    scene.game.SetOptions(kana); // as a round typed in kana leaves it
    frmRanking &window = scene.Open();
    aplMain::KanaInput = false;
    ASSERT_TRUE(scene.SendAndWait(window, "花子", "かな", "pw"));
    ASSERT_EQ(scene.server.requestLines.size(), 1);
    EXPECT_TRUE(scene.server.requestLines[0].startsWith(
        "GET /morubo/tokra/ranking.cgi?mode=data_touroku&syurui=tokira-kana&kyokumei=tokira_aiueo&name="));
}

TEST(frmRanking, EveryKindOfFailureGivesTheErrorBoxAndCloses)
{
    Scene scene;
    auto outcome = [&](const std::function<void()> &setUp) {
        scene.fake.dialogs->shown.clear();
        setUp();
        frmRanking &window = scene.Open();
        window.requestTimeoutMs = 500;
        EXPECT_TRUE(scene.SendAndWait(window, "n", "c", "pw"));
        EXPECT_TRUE(scene.form.isEnabled());
        EXPECT_EQ(aplMain::PassWord, "pw");
        aplMain::PassWord = "secret";
        return scene.fake.dialogs->Texts();
    };
    using Behaviour = HttpFixture::Behaviour;
    auto answer = [&](int status, const QByteArray &body) {
        return [&scene, status, body] {
            scene.server.behaviour = Behaviour::Answer;
            scene.server.status = status;
            scene.server.body = body;
        };
    };
    // The box's two lines as ever, then what happened.
    auto failed = [](const QString &reason) { return QStringList{Failed + "\r\n" + reason}; };
    EXPECT_EQ(outcome(answer(200, "スコアを登録しました")), QStringList{Done});
    EXPECT_EQ(outcome(answer(200, "\r\nerror: name too long\r\nsecond line")),
              failed("ランキングサーバーが受け付けませんでした：error: name too long"));
    EXPECT_EQ(outcome(answer(200, "")), failed("ランキングサーバーの応答が空でした"));
    EXPECT_EQ(outcome(answer(500, "Internal Server Failure")),
              failed("ランキングサーバーがHTTPエラー 500 を返しました：Internal Server Failure"));
    EXPECT_EQ(outcome(answer(200, QByteArray(1 << 20, 'k'))), failed("ランキングサーバーの応答が長すぎました"));
    const QString closed = QStringLiteral("http://127.0.0.1:%1").arg(ClosedPort());
    EXPECT_EQ(outcome([&] { aplMain::RankingServer = closed; }),
              failed("ランキングサーバー " + closed + " に接続できませんでした"));
    EXPECT_EQ(outcome([&] { aplMain::RankingServer = "http://"; }),
              failed("ランキングサーバー http:// に接続できませんでした"));

    // A server that never answers is given up on at the time-out.
    aplMain::RankingServer = scene.server.Address();
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(outcome([&] { scene.server.behaviour = Behaviour::NeverAnswer; }),
              failed("ランキングサーバーが時間内に応答しませんでした"));
    EXPECT_GE(timer.elapsed(), 500);
}


TEST(frmRanking, TheServerAddressIsAskedWithItsCurrentValueAndOnlyAnHttpUrlIsKept)
{
    FakePlatform fake;
    aplMain::RankingServer = "http://127.0.0.1:21226";
    fake.dialogs->inputAnswers = {"ftp://ranking.example", "", "  https://ranking.example:8443  "};
    AskRankingServer();
    ASSERT_EQ(fake.dialogs->shown.size(), 2);
    EXPECT_TRUE(fake.dialogs->shown[0].text.contains("http://127.0.0.1:21226"));
    EXPECT_EQ(fake.dialogs->shown[0].defaultAnswer, "http://127.0.0.1:21226");
    EXPECT_TRUE(fake.dialogs->shown[1].text.contains("http:// か https://"));
    EXPECT_EQ(aplMain::RankingServer, "http://127.0.0.1:21226");
    AskRankingServer(); // an empty answer keeps the address
    EXPECT_EQ(aplMain::RankingServer, "http://127.0.0.1:21226");
    AskRankingServer();
    EXPECT_EQ(aplMain::RankingServer, "https://ranking.example:8443");
    EXPECT_EQ(fake.dialogs->shown.size(), 4);
}
