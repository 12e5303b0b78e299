// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/frmHowTo.h"

#include "views/EscapeCloses.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <algorithm>

frmHowTo::frmHowTo(const QString &appPath, QWidget *parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(tr("遊び方"));

    lblBegin = new QLabel(tr("はじめる： F2 を押し、「出題」の下に出るローマ字をそのまま打つ（Esc でやめる）"), this);
    lblBegin->setTextFormat(Qt::PlainText);
    lblBegin->setWordWrap(true);
    QFont bold = lblBegin->font();
    bold.setBold(true);
    lblBegin->setFont(bold);

    txtGuide = new QTextBrowser(this);
    txtGuide->setOpenLinks(false);
    txtGuide->setHtml(GuideHtml(appPath));
    cmdClose = new QPushButton(tr("閉じる(&C)"), this);

    auto *buttons = new QHBoxLayout();
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblBegin);
    layout->addWidget(txtGuide, 1);
    layout->addLayout(buttons);

    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);

    // Wide enough for a line of the guide, never beyond the screen.
    const int unit = fontMetrics().height();
    QSize size(unit * 40, unit * 46);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    resize(size);
}

void frmHowTo::keyPressEvent(QKeyEvent *event)
{
    if (!CloseOnEscape(*this, *event))
        QWidget::keyPressEvent(event);
}

QString frmHowTo::GuideHtml(const QString &appPath)
{
    // One piece a section, so that a change to one leaves the others translated.
    return tr(
               "<h3>ゲームをはじめる</h3>"
               "<ul>"
               "<li><b>F2</b> スピードアタック：120秒でできるだけ多くのキーを正しく打ちます。</li>"
               "<li><b>F3</b> タイムアタック：正しいキー500回を打ち終えるまでの時間を競います。</li>"
               "<li>ゲーム → 苦手キー練習：よく間違える文字を含む単語で、2分間スピードアタックと同じように打ちます。</li>"
               "<li>ゲーム → コピペアタック → 題名：文章をまるごと1行ずつ打ちます。</li>"
               "<li>ゲーム → インターネットランキング → 題名：打ち終えたら、時間をランキングサーバーに送れます"
               "（送り先は 設定 → ランキングサーバー）。</li>"
               "<li><b>F4</b> ネット対戦：片方が「サーバーを立てる」、もう片方が「サーバーに接続する」を選びます。"
               "打つほど A.P. が貯まり、<b>Enter</b> で相手を攻撃します。</li>"
               "<li>ゲーム → 基礎練習：F と J から始めて、キーの位置をひとつずつ覚えるレッスンです。"
               "正確率95%以上で目標の速度を出すと、次のレッスンが開きます。</li>"
               "</ul>")
           + tr(
               "<h3>ゲーム中のキー</h3>"
               "<ul>"
               "<li>時計は最初のキーを押したときに動き始めます。ゆっくり問題を読んでから打ちはじめてかまいません。</li>"
               "<li><b>Esc</b> ゲームをやめます（記録は残りません）。</li>"
               "<li><b>Tab</b> 同じゲームを最初からやり直します。</li>"
               "</ul>")
           + tr(
               "<h3>画面の数字</h3>"
               "<ul>"
               "<li>経過時間[sec]：最初のキーからの秒数。</li>"
               "<li>残り時間[sec]：スピードアタックの残りの秒数。タイムアタックでは残り文字数、コピペアタックとランキングでは残り行数に変わります。</li>"
               "<li>速度[type/sec]：1秒あたりに正しく打ったキーの数。</li>"
               "<li>タイプ数：正しく打ったキーの数。ミスタイプ数：間違えたキーの数。</li>"
               "<li>出題の左の赤い文字：最後に間違えて打った文字（設定 → ミスタイプを表示する）。</li>"
               "</ul>")
           + tr(
               "<h3>打ち方の設定（設定メニュー）</h3>"
               "<ul>"
               "<li><b>キー配列を自動で判定</b>：キーボードの配列が打った文字で判定します。JIS でも US でも、"
               "ほかの配列でもそのまま打てます。切ると、<b>英語キーボードで判定</b> に従ってキーの位置で判定します。</li>"
               "<li><b>いろいろなローマ字を受け付ける</b>：SI と SHI、TI と CHI、N 一つの「ん」など、"
               "日本語入力で使えるつづりをどれでも受け付けます。切ると、表示されたつづりだけを受け付けます。</li>"
               "<li><b>かな入力</b>：JIS かな配列で、キーの位置どおりにかなを打ちます。ローマ字の代わりに"
               "読みがひらがなで出ます。濁音・半濁音はかなのあとに ゛ か ゜ のキー。結果はかな専用の"
               "ハイスコアに残ります（ゲーム中は切り替えられません）。</li>"
               "<li><b>キーボードを表示</b>：画面の下にキーボードを出し、次に打つキーと Shift を光らせます。"
               "キーの色は打つ指を表します（F と J の印がホームポジション）。基礎練習ではいつも表示されます。"
               "かな入力では JIS キーボードにかなを書いて表示し、基礎練習もかなのレッスンになります。</li>"
               "</ul>")
           + tr(
               "<h3>ファイルの場所</h3>"
               "<ul>"
               "<li>辞書、ローマ字表、ハイスコア、成績の記録、効果音：<code>%1</code></li>"
               "<li>自分の単語辞書（*.qls）やコピペ辞書（*.cls）もここに置くと、ゲーム → 辞書の切り替えに出ます。</li>"
               "<li>設定：<code>~/.config/疾鍵/疾鍵.ini</code>（ゲームを終えたときに保存されます）</li>"
               "</ul>")
                 .arg(appPath.toHtmlEscaped());
}
