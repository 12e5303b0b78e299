// SPDX-License-Identifier: GPL-3.0-or-later
#include "modes/frmRanking.h"

#include "platform/HttpClient.h"
#include "platform/Platform.h"
#include "scores/RankingRequest.h"
#include "settings/aplMain.h"
#include "typing/Game.h"
#include "util/Functions.h"
#include "util/Logging.h"
#include "views/frmMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>

#include <algorithm>

namespace {

const char *const Caption = QT_TRANSLATE_NOOP("frmRanking", "インターネットランキング申請");

constexpr int MinimumWidth = 400;
constexpr int Margin = 8;
constexpr int FieldLeft = 88;
constexpr int RowHeight = 24;

} // namespace

frmRanking::frmRanking(frmMain &main, const Result &result)
    : QWidget(nullptr, Qt::Window), requestTimeoutMs(RankingTimeoutMs), main_(&main)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr(Caption));
    CreateControls();
    LayOutControls();
    connect(cmdRegist, &QPushButton::clicked, this, &frmRanking::cmdRegist_Click);
    connect(intSystem, &platform::HttpClient::finished, this, &frmRanking::intSystem_Finished);
    Form_Load(result);
}

frmRanking::~frmRanking()
{
    Form_Unload();
}

void frmRanking::CreateControls()
{
    auto label = [this](const QString &caption) {
        auto *l = new AutoLabel(caption, this);
        l->Fit();
        return l;
    };
    lblString = {nullptr, label(tr("コピペ名"))};
    lnlString = {label(tr("名前")), label(tr("経過時間")), label(tr("コメント")), label(tr("速度")),
                 label(tr("パスワード"))};
    lblTitle = label(QString());
    lblTime = label(QString());
    lblSpeed = label(QString());

    auto box = [this](int maxLength) {
        auto *edit = new QLineEdit(this);
        edit->setMaxLength(maxLength);
        edit->setEchoMode(QLineEdit::Normal);
        return edit;
    };
    txtName = box(9);
    txtComment = box(20);
    txtPassWord = box(8);
    txtPassWord->setEchoMode(QLineEdit::Password);

    Label2 = label(tr("※パスワードは必ず前回と同じものを入力してください。前回の記録が破棄され、新しい記録でソートされます。"
                      "また、パスワードは絶対に他の人とかぶらない文字列にしてください。"
                      "もし他の人のパスワードと一致すると、他の人のデータが破棄されてしまいます。"));
    Label2->setWordWrap(true);
    Label1 = label(tr("※どうしてもここから申請できない方はメールを下さい。"));
    cmdRegist = new QPushButton(tr("申請(&R)"), this);
    intSystem = new platform::HttpClient(this);
}

void frmRanking::LayOutControls()
{
    const QSize button(96, 26);
    // The mail notice and the send button share the bottom line.
    const int windowWidth = std::max(MinimumWidth, Margin + Label1->width() + 12 + button.width() + Margin);
    int y = Margin;
    auto row = [&y](AutoLabel *caption, QWidget *field, int fieldWidth) {
        caption->move(Margin, y + 3);
        field->setGeometry(FieldLeft, y, fieldWidth, 22);
        y += RowHeight + 4;
    };

    lblString[1]->move(Margin, y);
    lblTitle->move(FieldLeft, y);
    y += RowHeight;
    lnlString[1]->move(Margin, y);
    lblTime->move(FieldLeft, y);
    lnlString[3]->move(FieldLeft + 120, y);
    lblSpeed->move(FieldLeft + 180, y);
    y += RowHeight + 4;

    row(lnlString[0], txtName, 160);
    row(lnlString[2], txtComment, windowWidth - FieldLeft - Margin);
    row(lnlString[4], txtPassWord, 120);

    const int noticeWidth = windowWidth - 2 * Margin;
    Label2->setGeometry(Margin, y, noticeWidth, Label2->heightForWidth(noticeWidth));
    y += Label2->height() + 12;

    cmdRegist->setGeometry(windowWidth - Margin - button.width(), y, button.width(), button.height());
    Label1->move(Margin, y + (button.height() - Label1->height()) / 2);
    y += button.height() + Margin;

    setFixedSize(windowWidth, y);
}

void frmRanking::Form_Load(const Result &result)
{
    windowLock_.DisableAllBut({this});
    // A disabled window can still be asked to close by the window system; the
    // main window waits until this one has kept the password.
    if (main_)
        main_->installEventFilter(this);

    txtName->setText(aplMain::Kotehan);
    txtPassWord->setText(aplMain::PassWord);
    lblTime->setText(result.time);
    lblSpeed->setText(result.speed);
    lblTitle->setText(result.copipeTitle);
    result_ = result;
    setWindowTitle(tr(Caption) + QStringLiteral(" (") + result_.rankingTitle + QStringLiteral(")"));
}

void frmRanking::Form_Unload()
{
    if (unloaded_)
        return;
    unloaded_ = true;
    intSystem->Abort();
    aplMain::PassWord = txtPassWord->text();
    if (main_)
        main_->removeEventFilter(this);
    windowLock_.Restore();
    if (main_)
        main_->activateWindow();
}

void frmRanking::SetFieldsEnabled(bool enabled)
{
    cmdRegist->setEnabled(enabled);
    txtName->setEnabled(enabled);
    txtComment->setEnabled(enabled);
    txtPassWord->setEnabled(enabled);
}

void frmRanking::cmdRegist_Click()
{
    if (sending_)
        return;
    if (txtPassWord->text().isEmpty() || txtName->text().isEmpty() || txtComment->text().isEmpty()) {
        platform::dialogs().Message(tr("入力に不備があります"));
        return;
    }
    if (ContainsError(txtName->text()) || ContainsError(txtComment->text()) || ContainsError(txtPassWord->text())) {
        platform::dialogs().Message(tr("errorとか入れられるとイヤな感じがするんだな"));
        return;
    }

    SetFieldsEnabled(false);
    RankingSubmission submission;
    submission.kyokumei = result_.rankingTitle;
    submission.name = txtName->text();
    submission.score = result_.time;
    submission.comment = txtComment->text();
    submission.sokudo = result_.speed;
    submission.password = txtPassWord->text();
    submission.kana = result_.kana;
    const QByteArray url = BuildRankingUrl(aplMain::RankingServer, submission);
    setWindowTitle(tr("スコア申請中...　しばらくお待ちください"));
    sending_ = true;
    if (url.isEmpty())
        qCWarning(lcModes) << "the ranking server setting names no host:" << aplMain::RankingServer;
    // An empty URL fails inside the client and comes back through the same path.
    intSystem->Get(QUrl::fromEncoded(url, QUrl::StrictMode), requestTimeoutMs);
}

void frmRanking::intSystem_Finished(const platform::HttpResult &result)
{
    if (!sending_)
        return;
    const bool accepted = RankingAccepted(result);
    if (!accepted)
        qCInfo(lcModes) << "submission refused or failed:"
                        << (result.received ? QStringLiteral("status %1").arg(result.status) : result.failure);
    const QString lineEnd = QStringLiteral("\r\n");
    platform::dialogs().Message(accepted ? tr("スコア申請完了！") + lineEnd + tr("・・・たぶん")
                                         : tr("エラー発生") + lineEnd + tr("スコアは申請されませんでした") + lineEnd
                                               + RankingFailureReason(result, aplMain::RankingServer));
    sending_ = false;
    close();
}

void frmRanking::closeEvent(QCloseEvent *event)
{
    // The outcome must be told before the window goes; the request ends within its time-out.
    if (sending_) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

bool frmRanking::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == main_ && event->type() == QEvent::Close) {
        event->ignore();
        raise();
        activateWindow();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ShowRankingSubmission(QPointer<frmRanking> &window, frmMain &form, const Game &game)
{
    // A closed window may still wait for its deletion.
    if (window && window->isVisible()) {
        window->raise();
        window->activateWindow();
        return;
    }
    window = new frmRanking(form, {game.CopipeTitle, game.RankingTitle, Functions::Format000(game.state.Seconds),
                                        Functions::Format000(game.state.Speed), game.Options().input.IsKana()});
    window->show();
    window->activateWindow();
}

void AskRankingServer()
{
    const QString prompt =
        QCoreApplication::translate("frmRanking", "ランキングサーバーのアドレス（http://ホスト:ポート）")
        + QStringLiteral("\r\n") + QCoreApplication::translate("frmRanking", "現在: %1").arg(aplMain::RankingServer);
    const QString answer = platform::dialogs()
                               .Input(prompt, QCoreApplication::translate("frmRanking", "ランキングサーバー"),
                                      aplMain::RankingServer)
                               .trimmed();
    if (answer.isEmpty())
        return;
    if (!IsRankingServerAddress(answer)) {
        platform::dialogs().Message(QCoreApplication::translate(
            "frmRanking", "ランキングサーバーのアドレスは http:// か https:// で始まるURLで入力してください"));
        return;
    }
    aplMain::RankingServer = answer;
}
