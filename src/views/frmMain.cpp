// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/frmMain.h"

#include "settings/Language.h"
#include "settings/aplMain.h"
#include "views/GuideKeyboard.h"
#include "views/WindowFont.h"
#include "views/frmLoad.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>

namespace {

// Design positions are in twips; the window works in pixels.
constexpr int Twips(int twips) { return twips / 15; }

const QColor PlayAreaColour(239, 239, 239);
const char *const MainFont = "ＭＳ Ｐゴシック";
constexpr int PlayAreaWidth = 490;
constexpr int PlayAreaHeight = 216;
constexpr int NextStrip = 16;
constexpr int PaceStrip = 18;
// What the romaji line shows before the first question, by input method.
const char *const RomanIdle = QT_TRANSLATE_NOOP("frmMain", "KOKOHA RO-MAJI DESU");
const char *const KanaIdle = QT_TRANSLATE_NOOP("frmMain", "ここはかなです");

QFont LabelFont(qreal points, bool bold = false)
{
    QFont font = WindowFont(QString::fromUtf8(MainFont));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

} // namespace

frmMain::frmMain(QWidget *parent) : QMainWindow(parent), settings_(aplMain::InUse())
{
    setWindowTitle(QStringLiteral("疾鍵"));
    // Keys must reach the judge directly, even while a Japanese input method is on.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setFocusPolicy(Qt::StrongFocus);

    picMain = new QWidget(this);
    picMain->setAutoFillBackground(true);
    QPalette palette = picMain->palette();
    palette.setColor(QPalette::Window, PlayAreaColour);
    picMain->setPalette(palette);
    picMain->setAttribute(Qt::WA_InputMethodEnabled, false);
    setCentralWidget(picMain);

    CreateLabels();
    CreateMenus();
    picMain->setFixedSize(PlayAreaWidth, PlayAreaHeight);
    FitWindowToPlayArea();

    loadWindow_ = new frmLoad();
}

frmMain::~frmMain()
{
    delete loadWindow_;
}

void frmMain::CreateLabels()
{
    auto label = [this](const QString &caption, int left, int top, qreal points, bool bold = false,
                        QColor colour = Qt::black, bool rightAligned = false, int width = 0) {
        auto *l = new AutoLabel(caption, picMain);
        l->setAttribute(Qt::WA_InputMethodEnabled, false);
        QPalette palette = l->palette();
        palette.setColor(QPalette::WindowText, colour);
        l->setPalette(palette);
        if (rightAligned) {
            l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            l->setGeometry(Twips(left), Twips(top), Twips(width), l->sizeHint().height());
        } else {
            l->move(Twips(left), Twips(top));
        }
        l->setFont(LabelFont(points, bold));
        return l;
    };

    const QColor red(255, 0, 0);
    lblGameMode = label(QStringLiteral("疾鍵"), 120, 120, 14.25, false, red);

    lblString.resize(7);
    lblString[6] = label(tr("1 名前："), 120, 600, 12);
    lblName = label(QStringLiteral("名無しさん"), 960, 600, 12, true, QColor(0, 128, 0));
    lblData = label(QStringLiteral("01/09/26 23:00 ID:tOkirA200"), 2160, 600, 12);
    lblString[5] = label(tr("経過時間[sec]："), 480, 960, 12);
    lblTime = label(QStringLiteral("-"), 3960, 960, 12, false, Qt::black, true, 120);
    lblString[0] = label(tr("残り時間[sec]："), 480, 1200, 12);
    lblRest = label(QStringLiteral("-"), 3960, 1200, 12, false, Qt::black, true, 120);
    lblString[1] = label(tr("速度[type/sec]："), 480, 1440, 12);
    lblSpeed = label(QStringLiteral("-"), 3960, 1440, 12, false, Qt::black, true, 120);
    lblString[2] = label(tr("タイプ数："), 480, 1680, 12);
    lblType = label(QStringLiteral("0"), 3960, 1680, 12, false, Qt::black, true, 120);
    lblString[4] = label(tr("ミスタイプ数："), 480, 1920, 12);
    lblMiss = label(QStringLiteral("0"), 3960, 1920, 12, false, Qt::black, true, 120);
    lblString[3] = label(tr("出題"), 480, 2400, 12);
    lblMissType = label(QStringLiteral("W"), 240, 2640, 24, true, red);
    lblQuest = label(tr("ここに表示される文字をタイプしてください"), 720, 2640, 12);
    lblNext = label(tr("ここは次の文字が表示されます（コピペ、ランキングのみ）"), 720, 2640, 12);
    lblNext->hide();
    lblRoman = label(tr(RomanIdle), 720, 2880, 12);
    lblPace = label(QStringLiteral("▲"), 720, 3180, 9, false, QColor(0, 0, 192));
    lblPace->hide();

    picGuide = new GuideKeyboard(picMain);
    picGuide->hide();
}

void frmMain::CreateMenus()
{
    QMenuBar *bar = menuBar();
    auto placeholder = [](QMenu *menu, QList<QAction *> &array) {
        array.clear();
        array.append(menu->addAction(QStringLiteral("a")));
    };

    mnuG = bar->addMenu(tr("ゲーム(&G)"));
    mnuSpeed = mnuG->addAction(tr("スピードアタック(&S)"));
    mnuSpeed->setShortcut(Qt::Key_F2);
    mnuTime = mnuG->addAction(tr("タイムアタック(&T)"));
    mnuTime->setShortcut(Qt::Key_F3);
    mnuDrill = mnuG->addAction(tr("苦手キー練習(&W)"));
    mnuCopype = mnuG->addMenu(tr("コピペアタック(&C)"));
    placeholder(mnuCopype, mnuCopipe);
    mnuI = mnuG->addMenu(tr("インターネットランキング(&I)"));
    placeholder(mnuI, mnuRanking);
    mnuNet = mnuG->addAction(tr("ネット対戦(&N)..."));
    mnuNet->setShortcut(Qt::Key_F4);
    mnuLesson = mnuG->addAction(tr("基礎練習(&B)..."));
    mnuG->addSeparator();
    mnuK = mnuG->addMenu(tr("単語辞書の切り替え(&K)"));
    placeholder(mnuK, mnuQlsChange);
    mnuC = mnuG->addMenu(tr("コピペ辞書の切り替え(&C)"));
    placeholder(mnuC, mnuChange);
    mnuImport = mnuG->addAction(tr("自分の文章を取り込む(&M)..."));
    mnuG->addSeparator();
    mnuReload = mnuG->addAction(tr("疾辞書のリロード(&R)"));
    mnuG->addSeparator();
    mnuOuit = mnuG->addAction(tr("終了(&Q)"));

    mnuScore = bar->addMenu(tr("ハイスコア(&S)"));
    mnuSpeedScore = mnuScore->addAction(tr("スピードアタック(&S)"));
    mnuTimeScore = mnuScore->addAction(tr("タイムアタック(&T)"));
    mnuC2 = mnuScore->addMenu(tr("コピペアタック(&C)"));
    placeholder(mnuC2, mnuCopipeScore);
    mnuScore->addSeparator();
    mnuStats = mnuScore->addAction(tr("成績の推移(&G)..."));

    mnuS = bar->addMenu(tr("設定(&S)"));
    CreateSettingChecks();
    mnuRankingServer = mnuS->addAction(tr("ランキングサーバー(&U)..."));
    mnuKotehan = mnuS->addAction(tr("コテハンの設定(&K)..."));
    mnuS->addSeparator();
    mnuRoman = mnuS->addAction(tr("ローマ字設定(&R)..."));
    mnuS->addSeparator();
    // Named in both languages, so it is found by a player who reads only one.
    mnuLanguage = mnuS->addMenu(QStringLiteral("表示言語 / Language(&G)"));
    auto *languages = new QActionGroup(this);
    auto language = [this, languages](const QString &caption) {
        QAction *action = mnuLanguage->addAction(caption);
        action->setCheckable(true);
        languages->addAction(action);
        return action;
    };
    mnuLanguageJapanese = language(QStringLiteral("日本語"));
    mnuLanguageEnglish = language(QStringLiteral("English"));
    mnuLanguageAuto = language(tr("自動"));
    ShowLanguage(settings_.Text(aplMain::Language.row));

    mnuH = bar->addMenu(tr("ヘルプ(&H)"));
    mnuHowTo = mnuH->addAction(tr("遊び方(&H)..."));
    mnuAbout = mnuH->addAction(tr("バージョン情報(&A)..."));
}

void frmMain::CreateSettingChecks()
{
    QList<int> rows;
    for (int row = 0; row < aplMain::SettingCount; ++row) {
        if (aplMain::SettingRows[row].check)
            rows.append(row);
    }
    std::sort(rows.begin(), rows.end(), [](int a, int b) {
        return aplMain::SettingRows[a].checkPlace < aplMain::SettingRows[b].checkPlace;
    });
    for (int row : rows) {
        QAction *action = mnuS->addAction(QCoreApplication::translate("aplMain", aplMain::SettingRows[row].check));
        action->setCheckable(true);
        action->setChecked(settings_.Flag(row));
        settingChecks_.insert(row, action);
    }
    mnuBold = SettingCheck(aplMain::Bold.row);
    mnuBig = SettingCheck(aplMain::Big.row);
    mnuMissType = SettingCheck(aplMain::MissType.row);
    mnuRomanView = SettingCheck(aplMain::RomanView.row);
    mnuNext = SettingCheck(aplMain::Next.row);
    mnuEnglish = SettingCheck(aplMain::English.row);
    mnuAutoLayout = SettingCheck(aplMain::AutoLayout.row);
    mnuFreeRomaji = SettingCheck(aplMain::FreeRomaji.row);
    mnuSound = SettingCheck(aplMain::Sound.row);
    mnuKanaInput = SettingCheck(aplMain::KanaInput.row);
    mnuKeyboardGuide = SettingCheck(aplMain::KeyboardGuide.row);
    mnuPace = SettingCheck(aplMain::Pace.row);
    mnuPaceKind = new QMenu(tr("ペースの種類(&T)"), this);
    mnuS->insertMenu(mnuPace, mnuPaceKind);
    mnuS->insertAction(mnuPaceKind->menuAction(), mnuPace);
    auto *kinds = new QActionGroup(this);
    auto kind = [this, kinds](const QString &caption) {
        QAction *action = mnuPaceKind->addAction(caption);
        action->setCheckable(true);
        kinds->addAction(action);
        return action;
    };
    mnuPaceBest = kind(tr("自己ベスト"));
    mnuPaceAverage = kind(tr("最近10回の平均"));
    mnuPaceLast = kind(tr("前回"));
    mnuPaceSpeed = kind(tr("指定の速度…"));
    ShowPaceKind(settings_.Text(aplMain::PaceKind.row));
    connect(&settings_, &aplMain::Settings::changed, this, &frmMain::ShowSetting);
}

void frmMain::ShowSetting(int row)
{
    if (QAction *check = SettingCheck(row))
        check->setChecked(settings_.Flag(row));
    if (row == aplMain::Bold.row)
        SetRomanBold(settings_.Flag(row));
    else if (row == aplMain::Big.row)
        SetRomanBig(settings_.Flag(row));
    else if (row == aplMain::MissType.row)
        SetMissTypeVisible(settings_.Flag(row));
    else if (row == aplMain::RomanView.row)
        SetRomanHidden(settings_.Flag(row));
    else if (row == aplMain::Next.row)
        SetNextShown(settings_.Flag(row));
    else if (row == aplMain::KeyboardGuide.row)
        SetGuideShown(settings_.Flag(row));
    else if (row == aplMain::Pace.row)
        SetPaceShown(settings_.Flag(row));
    else if (row == aplMain::PaceKind.row)
        ShowPaceKind(settings_.Text(row));
    else if (row == aplMain::Language.row)
        ShowLanguage(settings_.Text(row));
}

void frmMain::ShowPaceKind(const QString &stored)
{
    const QString word = stored.trimmed();
    QAction *checked = word == QLatin1String("average") ? mnuPaceAverage
                       : word == QLatin1String("last")  ? mnuPaceLast
                       : word == QLatin1String("best") || word.isEmpty() ? mnuPaceBest
                                                                          : mnuPaceSpeed;
    checked->setChecked(true);
}

void frmMain::ShowLanguage(const QString &stored)
{
    const char *choice = aplMain::LanguageChoice(stored);
    QAction *checked = qstrcmp(choice, aplMain::LanguageJapanese) == 0  ? mnuLanguageJapanese
                       : qstrcmp(choice, aplMain::LanguageEnglish) == 0 ? mnuLanguageEnglish
                                                                        : mnuLanguageAuto;
    checked->setChecked(true);
}

void frmMain::SetPaceShown(bool shown)
{
    mnuPace->setChecked(shown);
    if (shown == paceShown_)
        return;
    paceShown_ = shown;
    if (!shown)
        lblPace->hide();
    PlacePlayArea();
}

void frmMain::FitWindowToPlayArea()
{
    const int height = picMain->height() + menuBar()->sizeHint().height();
    setFixedSize(PlayAreaWidth, height);
}

void frmMain::MenuEnabled(bool enabled)
{
    mnuTime->setEnabled(enabled);
    mnuSpeed->setEnabled(enabled);
    mnuDrill->setEnabled(enabled);
    mnuCopype->menuAction()->setEnabled(enabled);
    mnuNet->setEnabled(enabled);
    mnuLesson->setEnabled(enabled);
    mnuRoman->setEnabled(enabled);
    mnuReload->setEnabled(enabled);
    mnuImport->setEnabled(enabled);
    mnuI->menuAction()->setEnabled(enabled);
    mnuC->menuAction()->setEnabled(enabled);
    mnuK->menuAction()->setEnabled(enabled);
    mnuScore->menuAction()->setEnabled(enabled);
    // Switching the input method mid-game would mix two kinds of keys in one result.
    mnuKanaInput->setEnabled(enabled);
}

void frmMain::setWindowTitle(const QString &title)
{
    // A doubled mark is shown as one.
    QString escaped = title;
    QMainWindow::setWindowTitle(escaped.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")));
}

QString frmMain::windowTitle() const
{
    return QMainWindow::windowTitle().replace(QStringLiteral("[*][*]"), QStringLiteral("[*]"));
}

void frmMain::SetLoad(int width, const QString &text, bool paint)
{
    loadWindow_->SetProgress(width, text, paint);
}

void frmMain::ShowKotehan(const QString &name)
{
    mnuKotehan->setText(tr("コテハンを使う[%1](&K)").arg(name));
    lblName->setText(name);
    lblName->Fit();
    // The name follows its caption where the caption is longer than its place
    // (in English); otherwise it keeps that place.
    const QLabel &caption = *lblString[6];
    lblName->move(std::max(Twips(960), caption.x() + caption.width()), lblName->y());
    lblData->move(lblName->x() + lblName->width(), lblData->y());
}

void frmMain::SetIdleInput(bool kana)
{
    const QString shown = lblRoman->text();
    if (shown == tr(RomanIdle) || shown == tr(KanaIdle))
        lblRoman->setText(tr(kana ? KanaIdle : RomanIdle));
}

void frmMain::SetRomanBold(bool bold)
{
    mnuBold->setChecked(bold);
    QFont font = lblRoman->font();
    font.setBold(bold);
    lblRoman->setFont(font);
}

void frmMain::SetRomanBig(bool big)
{
    mnuBig->setChecked(big);
    QFont font = lblRoman->font();
    font.setPointSize(big ? 16 : 12);
    lblRoman->setFont(font);
    // The pace marker stays just under the romaji, whatever its size.
    lblPace->move(lblPace->x(), lblRoman->y() + lblRoman->height());
}

void frmMain::SetMissTypeVisible(bool visible)
{
    mnuMissType->setChecked(visible);
    lblMissType->setVisible(visible);
}

void frmMain::SetRomanHidden(bool hidden)
{
    mnuRomanView->setChecked(hidden);
    lblRoman->setVisible(!hidden);
}

void frmMain::SetNextShown(bool shown)
{
    mnuNext->setChecked(shown);
    if (shown == nextShown_)
        return;
    nextShown_ = shown;
    lblNext->move(lblNext->x(), shown ? 192 : 176);
    lblRoman->move(lblRoman->x(), shown ? 208 : 192);
    lblPace->move(lblPace->x(), lblRoman->y() + lblRoman->height());
    lblNext->setVisible(shown);
    PlacePlayArea();
}

void frmMain::SetGuideShown(bool shown)
{
    mnuKeyboardGuide->setChecked(shown);
    guideShown_ = shown;
    PlacePlayArea();
}

void frmMain::SetGuideForced(bool forced)
{
    guideForced_ = forced;
    PlacePlayArea();
}

void frmMain::PlacePlayArea()
{
    // Grows by one strip for the next line, and by the guide below it all.
    const int playHeight = PlayAreaHeight + (nextShown_ ? NextStrip : 0) + (paceShown_ ? PaceStrip : 0);
    lblPace->move(lblPace->x(), lblRoman->y() + lblRoman->height());
    const bool guide = guideShown_ || guideForced_;
    const int guideHeight = picGuide->heightForWidth(PlayAreaWidth);
    picGuide->setGeometry(0, playHeight, PlayAreaWidth, guideHeight);
    picGuide->setVisible(guide);
    const int height = playHeight + (guide ? guideHeight : 0);
    if (height == picMain->height())
        return;
    picMain->setFixedHeight(height);
    FitWindowToPlayArea();
}

QList<QAction *> &frmMain::MenuArrayItems(MenuArray which)
{
    switch (which) {
    case MenuArray::Copipe: return mnuCopipe;
    case MenuArray::CopipeScore: return mnuCopipeScore;
    case MenuArray::Ranking: return mnuRanking;
    case MenuArray::QlsChange: return mnuQlsChange;
    case MenuArray::Change: break;
    }
    return mnuChange;
}

std::optional<QString> frmMain::MenuArrayCaption(MenuArray which, int index)
{
    const QList<QAction *> &items = MenuArrayItems(which);
    if (index < 1 || index >= items.size())
        return std::nullopt;
    return items.at(index)->text();
}

QMenu *frmMain::MenuArrayParent(MenuArray which)
{
    switch (which) {
    case MenuArray::Copipe: return mnuCopype;
    case MenuArray::CopipeScore: return mnuC2;
    case MenuArray::Ranking: return mnuI;
    case MenuArray::QlsChange: return mnuK;
    case MenuArray::Change: break;
    }
    return mnuC;
}

void frmMain::ClearMenuArray(MenuArray which)
{
    QList<QAction *> &items = MenuArrayItems(which);
    items.first()->setVisible(true);
    while (items.size() > 1) {
        QAction *action = items.takeLast();
        MenuArrayParent(which)->removeAction(action);
        delete action;
    }
}

QAction *frmMain::AddMenuArrayItem(MenuArray which, const QString &caption)
{
    QList<QAction *> &items = MenuArrayItems(which);
    const int index = static_cast<int>(items.size());
    QAction *action = MenuArrayParent(which)->addAction(caption);
    connect(action, &QAction::triggered, this, [this, which, index] { emit menuArrayClicked(which, index); });
    items.append(action);
    return action;
}

void frmMain::HideMenuArrayPlaceholder(MenuArray which)
{
    MenuArrayItems(which).first()->setVisible(false);
}

void frmMain::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit closing();
}

void frmMain::keyPressEvent(QKeyEvent *event)
{
    // The key goes on as unhandled, so shortcuts and the key state still see it.
    emit keyPressed(*event);
    QMainWindow::keyPressEvent(event);
}

bool frmMain::focusNextPrevChild(bool)
{
    // Tab is a game key here (restart), never focus navigation.
    return false;
}
