// SPDX-License-Identifier: GPL-3.0-or-later
#include "text_import/frmImport.h"

#include "platform/Platform.h"
#include "readings/Reader.h"
#include "util/Functions.h"
#include "util/ShiftJis.h"
#include "util/TextFile.h"
#include "views/frmMain.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QString TooLarge()
{
    return frmImport::tr("文章が大きすぎます。取り込めるのは 1 MB、2000 行までです。");
}

QString NotText()
{
    return frmImport::tr("文章のファイルではないため、取り込めません。");
}

QString Title()
{
    return frmImport::tr("文章の取り込み");
}

enum Column { Shown, ReadingColumn, Romaji };

// Control characters of pasted bytes go; line ends and tabs stay.
QString CleanText(QString text)
{
    text.remove(QRegularExpression(QStringLiteral("[\\x00-\\x08\\x0B\\x0C\\x0E-\\x1F\\x7F\\x{FFFD}]")));
    return text;
}

bool HoldsHan(const QString &text)
{
    for (char32_t c : text.toUcs4())
        if (QChar::script(c) == QChar::Script_Han)
            return true;
    return false;
}

} // namespace

void PasteBox::insertFromMimeData(const QMimeData *source)
{
    if (!source->hasText())
        return;
    const QString text = source->text();
    if (text.size() + toPlainText().size() > frmImport::LargestText) {
        emit refused(TooLarge());
        return;
    }
    insertPlainText(CleanText(text));
}

frmImport::frmImport(const QString &folder, bool shortenNN, QWidget *parent)
    : QWidget(parent, Qt::Window), folder_(folder)
{
    setWindowTitle(Title());
    if (auto table = ParseRomajiTable(Functions::ReadTextFile(folder_ + QStringLiteral("roman.dat"))))
        converter_.emplace(ConversionRules(*table, shortenNN));
    CreateControls();
    LayOut();
    Connect();
    resize(760, 520);
}

frmImport::~frmImport() = default;

void frmImport::CreateControls()
{
    txtTitle = new QLineEdit(this);
    txtTitle->setMaxLength(60);
    txtSource = new PasteBox(this);
    txtSource->setPlaceholderText(tr("ここに文章を貼り付けるか、ファイルを開いてください。"));
    cmdOpen = new QPushButton(tr("ファイルを開く(&O)..."), this);
    cmdRead = new QPushButton(tr("読みを付ける(&R)"), this);
    grdLines = new QTableWidget(0, 3, this);
    grdLines->setHorizontalHeaderLabels({tr("文"), tr("読み"), tr("ローマ字")});
    grdLines->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    grdLines->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                              | QAbstractItemView::AnyKeyPressed);
    lblStatus = new QLabel(this);
    lblStatus->setTextFormat(Qt::PlainText);
    lblStatus->setWordWrap(true);
    cmdSaveCopipe = new QPushButton(tr("コピペ辞書に保存(&S)"), this);
    cmdSaveWords = new QPushButton(tr("単語辞書に保存(&W)"), this);
    cmdClose = new QPushButton(tr("閉じる"), this);
}

void frmImport::LayOut()
{
    auto *titleRow = new QHBoxLayout;
    auto *titleLabel = new QLabel(tr("題名(&T):"), this);
    titleLabel->setBuddy(txtTitle);
    titleRow->addWidget(titleLabel);
    titleRow->addWidget(txtTitle, 1);
    auto *sourceButtons = new QHBoxLayout;
    sourceButtons->addWidget(cmdOpen);
    sourceButtons->addWidget(cmdRead);
    sourceButtons->addStretch();
    auto *saveButtons = new QHBoxLayout;
    saveButtons->addStretch();
    saveButtons->addWidget(cmdSaveCopipe);
    saveButtons->addWidget(cmdSaveWords);
    saveButtons->addWidget(cmdClose);
    auto *all = new QVBoxLayout(this);
    all->addLayout(titleRow);
    all->addWidget(txtSource, 1);
    all->addLayout(sourceButtons);
    all->addWidget(grdLines, 2);
    all->addWidget(lblStatus);
    all->addLayout(saveButtons);
}

void frmImport::Connect()
{
    connect(txtSource, &PasteBox::refused, this, [](const QString &why) { platform::dialogs().Message(why, Title()); });
    connect(cmdOpen, &QPushButton::clicked, this, &frmImport::cmdOpen_Click);
    connect(cmdRead, &QPushButton::clicked, this, &frmImport::cmdRead_Click);
    connect(cmdSaveCopipe, &QPushButton::clicked, this, &frmImport::cmdSaveCopipe_Click);
    connect(cmdSaveWords, &QPushButton::clicked, this, &frmImport::cmdSaveWords_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    connect(grdLines, &QTableWidget::cellChanged, this, &frmImport::ReadingEdited);
}

std::optional<QString> frmImport::TextOfFile(const QString &path, QString *why)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *why = tr("%1 を開けません。").arg(Functions::GetFileName(path));
        return std::nullopt;
    }
    if (file.size() > LargestText) {
        *why = TooLarge();
        return std::nullopt;
    }
    const QByteArray bytes = file.read(LargestText + 1);
    if (bytes.size() > LargestText) {
        *why = TooLarge();
        return std::nullopt;
    }
    if (bytes.contains('\0')) {
        *why = NotText();
        return std::nullopt;
    }
    return CleanText(Functions::DecodeText(bytes));
}

void frmImport::cmdOpen_Click()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("文章のファイルを開く"), QString(),
                                                      tr("文章 (*.txt);;すべてのファイル (*)"));
    if (path.isEmpty())
        return;
    QString why;
    const std::optional<QString> text = TextOfFile(path, &why);
    if (!text) {
        platform::dialogs().Message(why, Title());
        return;
    }
    if (txtTitle->text().isEmpty())
        txtTitle->setText(QFileInfo(path).completeBaseName());
    OpenText(*text);
}

void frmImport::OpenText(const QString &text)
{
    txtSource->setPlainText(text);
    cmdRead_Click();
}

void frmImport::Tell(const QString &text)
{
    lblStatus->setText(text);
}

void frmImport::cmdRead_Click()
{
    if (!reader_)
        reader_ = std::make_unique<Reader>();
    if (!reader_->IsAvailable()) {
        platform::dialogs().Message(reader_->Problem(), Title());
        return;
    }
    QString typable = QStringLiteral("ー");
    for (const QChar c : Reader::DefaultTypablePunctuation())
        if (converter_ && converter_->Convert(QString(c)) != QString(c))
            typable += c;
    reader_->SetTypablePunctuation(typable);

    QStringList pieces;
    const QStringList lines = txtSource->toPlainText().split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    for (const QString &line : lines) {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty())
            pieces << CutAtSentenceEnds(trimmed, LongestLine);
        if (pieces.size() > MostLines) {
            platform::dialogs().Message(TooLarge(), Title());
            return;
        }
    }
    filling_ = true;
    grdLines->setRowCount(0);
    grdLines->setRowCount(int(pieces.size()));
    for (int row = 0; row < pieces.size(); ++row) {
        // Shown as the game will show it (the romaji table would turn hiragana into romaji).
        grdLines->setItem(row, Shown, new QTableWidgetItem(ShownForGame(pieces.at(row))));
        grdLines->setItem(row, ReadingColumn, new QTableWidgetItem(reader_->Read(pieces.at(row)).Text));
        auto *romaji = new QTableWidgetItem;
        romaji->setFlags(romaji->flags() & ~Qt::ItemIsEditable);
        grdLines->setItem(row, Romaji, romaji);
        ShowRow(row);
    }
    filling_ = false;
    grdLines->resizeRowsToContents();
    TellUnread();
}

void frmImport::TellUnread()
{
    int unread = 0;
    for (int row = 0; row < grdLines->rowCount(); ++row)
        unread += HoldsHan(grdLines->item(row, ReadingColumn)->text());
    Tell(unread ? tr("読めない語のある行が %1 行あります。色の付いた読みを直してください。").arg(unread)
                : tr("%1 行、すべて読みがあります。").arg(grdLines->rowCount()));
}

// The romaji of the row's reading, and the row marked when it cannot be typed.
void frmImport::ShowRow(int row)
{
    const QString reading = grdLines->item(row, ReadingColumn)->text();
    const QString romaji = converter_ ? converter_->Convert(reading) : QString();
    const bool unread = HoldsHan(reading) || reading.trimmed().isEmpty();
    const bool untypable = !IsTypableRomaji(romaji);
    const bool wasFilling = filling_;
    filling_ = true;
    grdLines->item(row, Romaji)->setText(romaji);
    grdLines->item(row, ReadingColumn)->setBackground(unread ? QColor(255, 200, 200) : QBrush());
    grdLines->item(row, Romaji)->setBackground(untypable ? QColor(255, 230, 170) : QBrush());
    filling_ = wasFilling;
}

void frmImport::ReadingEdited(int row, int column)
{
    // The text shown may be corrected too (a character the dictionary cannot hold).
    if (filling_ || column == Romaji)
        return;
    ShowRow(row);
    TellUnread();
}

std::optional<QVector<DictEntry>> frmImport::EntriesToSave()
{
    if (!grdLines->rowCount()) {
        platform::dialogs().Message(tr("取り込む文がありません。文章を入れて「読みを付ける」を押してください。"), Title());
        return std::nullopt;
    }
    QVector<DictEntry> entries;
    for (int row = 0; row < grdLines->rowCount(); ++row) {
        const DictEntry entry{grdLines->item(row, Shown)->text(), grdLines->item(row, ReadingColumn)->text()};
        const QString romaji = grdLines->item(row, Romaji)->text();
        const QString line = QString::number(row + 1);
        QString why;
        if (HoldsHan(entry.Reading) || entry.Reading.trimmed().isEmpty())
            why = tr("%1行目の読みに漢字が残っています。読みを直してから保存してください。").arg(line);
        else if (!converter_)
            why = tr("roman.dat を読めないため、%1行目をローマ字にできません。").arg(line);
        else if (!IsTypableRomaji(romaji))
            why = tr("%1行目の読みにローマ字で打てない文字があります。読みを直してから保存してください。").arg(line);
        else if (const auto bad = FirstUnencodableCharacter(EntryLine(entry)))
            why = tr("%1行目の「%2」は辞書に書けない文字です。").arg(line, bad->Character);
        if (!why.isEmpty()) {
            grdLines->setCurrentCell(row, ReadingColumn);
            platform::dialogs().Message(why, Title());
            return std::nullopt;
        }
        entries.append(entry);
    }
    return entries;
}

bool frmImport::Write(const QString &name, const QString &text, bool copipe)
{
    const QString path = folder_ + name;
    if (!Functions::WriteWholeFileBytes(path, Functions::ToShiftJis(text))) {
        platform::dialogs().Message(tr("%1 に保存できませんでした。元のファイルはそのままです。").arg(name), Title());
        return false;
    }
    Tell(tr("%1 に保存しました。").arg(name));
    emit saved(path, copipe);
    return true;
}

// The dictionary as it stands; nothing when it is there but cannot be read,
// so that saving never writes over what could not be kept.
static std::optional<QString> Existing(const QString &path)
{
    if (!QFileInfo::exists(path))
        return QString();
    const QString text = Functions::ReadTextFile(path);
    if (text.isEmpty() && QFileInfo(path).size() > 0)
        return std::nullopt;
    return text;
}

bool frmImport::cmdSaveCopipe_Click()
{
    const QString title = txtTitle->text().trimmed();
    if (title.isEmpty()) {
        platform::dialogs().Message(tr("題名を入れてください。"), Title());
        txtTitle->setFocus();
        return false;
    }
    if (const auto bad = FirstUnencodableCharacter(title)) {
        platform::dialogs().Message(tr("題名の「%1」は辞書に書けない文字です。").arg(bad->Character), Title());
        return false;
    }
    const std::optional<QVector<DictEntry>> entries = EntriesToSave();
    if (!entries)
        return false;
    const QString name = QStringLiteral("mytexts.cls");
    const std::optional<QString> existing = Existing(folder_ + name);
    if (!existing) {
        platform::dialogs().Message(tr("%1 を読めないため、保存しません。").arg(name), Title());
        return false;
    }
    if (HasBlock(*existing, title)
        && !platform::dialogs().AskYesNo(tr("「%1」はもうあります。置き換えますか？").arg(title), Title()))
        return false;
    return Write(name, WithCopipeBlock(*existing, title, *entries), true);
}

bool frmImport::cmdSaveWords_Click()
{
    const std::optional<QVector<DictEntry>> entries = EntriesToSave();
    if (!entries)
        return false;
    const QString name = QStringLiteral("mywords.qls");
    std::optional<QString> existing = Existing(folder_ + name);
    if (!existing) {
        platform::dialogs().Message(tr("%1 を読めないため、保存しません。").arg(name), Title());
        return false;
    }
    if (!existing->isEmpty() && !existing->endsWith(QStringLiteral("\r\n")))
        existing->append(QStringLiteral("\r\n"));
    return Write(name, *existing + WordListText(*entries), false);
}

void OpenImportWindow(QPointer<frmImport> &window, frmMain &form, const QString &folder, bool shortenNN,
                     const std::function<void(const QString &path, bool copipe)> &saved)
{
    if (window && window->isVisible()) {
        window->raise();
        window->activateWindow();
        return;
    }
    window = new frmImport(folder, shortenNN, &form);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::ApplicationModal);
    QObject::connect(window, &frmImport::saved, &form, saved);
    window->show();
    window->activateWindow();
}
