// SPDX-License-Identifier: GPL-3.0-or-later
#include "romaji_editor/frmRoman.h"

#include "platform/Platform.h"
#include "settings/aplMain.h"
#include "views/frmLoad.h"
#include "views/frmMain.h"
#include "util/Functions.h"
#include "util/TextFile.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString LineEnd = QStringLiteral("\r\n");
const char *const Title = QT_TRANSLATE_NOOP("frmRoman", "ローマ字設定");
const char *const AddTitle = QT_TRANSLATE_NOOP("frmRoman", "新規追加");

// The loader reads a line without ":" as a broken table, and a typed line
// break would split one rule into two lines of the file.
bool IsRuleLine(const QString &entry)
{
    return entry.contains(QLatin1Char(':'));
}

bool IsTypedRule(const QString &entry)
{
    return IsRuleLine(entry) && !entry.contains(QLatin1Char('\r')) && !entry.contains(QLatin1Char('\n'));
}

// A rule the file's encoding cannot hold would come back with "?" in it.
bool RefuseUnencodable(const QString &entry, Functions::TextEncoding encoding, const QString &title)
{
    const QString lacking = Functions::FirstUnencodable(entry, encoding);
    if (lacking.isEmpty())
        return false;
    platform::dialogs().Message(
        QCoreApplication::translate("frmRoman", "「%1」はroman.datの文字コード（Shift-JIS）では保存できない文字です")
                .arg(lacking)
            + LineEnd + QCoreApplication::translate("frmRoman", "別の文字で入力してください"),
        title);
    return true;
}

void RefuseEntry(const QString &title)
{
    platform::dialogs().Message(
        QCoreApplication::translate("frmRoman", "「変更前の文字:変更後の文字」の形で、1行で入力してください"), title);
}

} // namespace

frmRoman::frmRoman(frmMain &main) : QWidget(nullptr, Qt::Window), main_(&main)
{
    setWindowTitle(tr(Title));
    CreateControls();
    LayOutControls();
    ConnectControls();
    Form_Load();
}

frmRoman::~frmRoman()
{
    Form_Unload();
}

void frmRoman::CreateControls()
{
    lblString = new AutoLabel(QStringLiteral("aaa"), this);
    lstRoman = new QListWidget(this);
    lstRoman->setSortingEnabled(false);
    lstRoman->setSelectionMode(QAbstractItemView::SingleSelection);
    cmdAdd = new QPushButton(tr("新規追加(&N)"), this);
    chkNN2N = new QCheckBox(tr("必要な時だけ&NNにする"), this);
    cmdOk = new QPushButton(QStringLiteral("OK"), this);
    cmdCancel = new QPushButton(tr("キャンセル"), this);
}

void frmRoman::LayOutControls()
{
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdAdd);
    buttons->addWidget(chkNN2N);
    buttons->addStretch();
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblString);
    layout->addWidget(lstRoman, 1);
    layout->addLayout(buttons);
    resize(480, 420);
}

void frmRoman::ConnectControls()
{
    connect(lstRoman, &QListWidget::itemDoubleClicked, this, [this] { lstRoman_DblClick(); });
    lstRoman->installEventFilter(this);
    connect(cmdAdd, &QPushButton::clicked, this, &frmRoman::cmdAdd_Click);
    connect(cmdOk, &QPushButton::clicked, this, &frmRoman::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmRoman::cmdCancel_Click);
    // The main window going away takes this one along, as Cancel.
    connect(main_, &frmMain::closing, this, &QWidget::close);
    connect(main_, &QObject::destroyed, this, &QWidget::close);
}

void frmRoman::Form_Load()
{
    // The loading window stays as it is: OK runs a load and shows its steps.
    windowLock_.DisableAllBut({this, main_->LoadWindow()});
    QStringList lines =
        Functions::ReadTextFile(aplMain::AppPath + QStringLiteral("roman.dat"), &encoding_).split(LineEnd);
    // What follows the last CR LF is no rule, as for the loader.
    lines.removeLast();
    lstRoman->addItems(lines);
    if (lstRoman->count() > 0)
        lstRoman->setCurrentRow(0);
    lblString->setText(tr("変更したいローマ字をダブルクリックしてください") + LineEnd
                       + tr("表示されるダイアログに自分の癖にあったローマ字を大文字で入力してください"));
    // Only a stored 1 means on; anything else shows (and is saved as) off.
    chkNN2N->setChecked(aplMain::NN2N == 1);
}

void frmRoman::Form_Unload()
{
    if (unloaded_)
        return;
    unloaded_ = true;
    windowLock_.Restore();
    if (main_)
        main_->activateWindow();
}

QStringList frmRoman::Entries() const
{
    QStringList entries;
    for (int i = 0; i < lstRoman->count(); ++i)
        entries.append(lstRoman->item(i)->text());
    return entries;
}

void frmRoman::lstRoman_DblClick()
{
    QListWidgetItem *item = lstRoman->currentItem();
    if (!item)
        return;
    const QString entry = item->text();
    const QString find = entry.section(QLatin1Char(':'), 0, 0);
    const QString put = entry.section(QLatin1Char(':'), 1, 1);
    const QString answer = Functions::CleanInput(platform::dialogs().Input(
        tr("%1に対応するアルファベットを大文字で入力してください").arg(find), tr(Title), put));
    if (answer.isEmpty())
        return;
    const QString changed = find + QLatin1Char(':') + answer;
    if (!IsTypedRule(changed))
        return RefuseEntry(tr(Title));
    if (RefuseUnencodable(changed, encoding_, tr(Title)))
        return;
    item->setText(changed);
}

void frmRoman::cmdAdd_Click()
{
    const QString answer = Functions::CleanInput(
        platform::dialogs().Input(tr("追加するローマ字設定を入力してください") + LineEnd
                                      + tr("変更前の文字:変更後の文字　というフォーマットです。"),
                                  tr(AddTitle), QString()));
    if (answer.isEmpty())
        return;
    if (!IsTypedRule(answer))
        return RefuseEntry(tr(AddTitle));
    if (RefuseUnencodable(answer, encoding_, tr(AddTitle)))
        return;
    lstRoman->addItem(answer);
}

void frmRoman::cmdOk_Click()
{
    QString buffer;
    const qint16 formerNN2N = aplMain::NN2N;
    aplMain::NN2N = chkNN2N->isChecked() ? 1 : 0;
    const QString nnRule = QStringLiteral("NN:NN");
    if (lstRoman->count() == 0) {
        // No table to keep: the loader still wants the NN rule as its first line.
        lstRoman->addItem(aplMain::NN2N == 1 ? nnRule : QStringLiteral("NN:N"));
    } else if (aplMain::NN2N == 1 && lstRoman->item(0)->text() != nnRule) {
        platform::dialogs().Message(tr("必要な時だけNN機能つかうならNN:NはNN:NNにするぞう") + LineEnd
                                    + tr("そうしないとチャンと動かないからノォ"));
        lstRoman->item(0)->setText(nnRule);
    }
    const QStringList entries = Entries();
    for (const QString &entry : entries) {
        // A broken line read from the file is dropped rather than written back.
        if (IsRuleLine(entry))
            buffer += entry + LineEnd;
    }
    // Written back in the encoding it was read in, so nothing turns into "?".
    if (!Functions::WriteWholeFileBytes(aplMain::AppPath + QStringLiteral("roman.dat"),
                                        Functions::EncodeText(buffer, encoding_))) {
        // Nothing was saved: keep the window and its changes, and the option as it was.
        aplMain::NN2N = formerNN2N;
        platform::dialogs().Message(tr("roman.datを保存できませんでした。"), tr(Title));
        return;
    }
    emit saved();
    close();
}

void frmRoman::cmdCancel_Click()
{
    close();
}

void frmRoman::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

bool frmRoman::eventFilter(QObject *watched, QEvent *event)
{
    // Enter changes the selected rule, so the window works from the keyboard.
    if (watched == lstRoman && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            lstRoman_DblClick();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
