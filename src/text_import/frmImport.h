// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// 文章の取り込み: a text of the player's own, each line beside its reading
// and its romaji, lines and readings corrected in place, saved as a copipe text to
// "mytexts.cls" or as words to "mywords.qls".

#include "dictionary/DictionaryWriter.h"
#include "dictionary/RomajiRules.h"

#include <QPlainTextEdit>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class Reader;
class frmMain;

// A paste box that refuses a paste larger than a text the game can use,
// before the editor spends minutes laying it out.
class PasteBox : public QPlainTextEdit {
    Q_OBJECT
public:
    using QPlainTextEdit::QPlainTextEdit;
signals:
    void refused(const QString &why);

protected:
    void insertFromMimeData(const QMimeData *source) override;
};

class frmImport : public QWidget {
    Q_OBJECT
public:
    // folder: the data folder, ending with "/"; its "roman.dat" gives the romaji.
    frmImport(const QString &folder, bool shortenNN, QWidget *parent = nullptr);
    ~frmImport() override;

    static constexpr qint64 LargestText = 1024 * 1024;
    static constexpr int MostLines = 2000;
    static constexpr int LongestLine = 20;

    // The text a file holds, or the sentence that says why it cannot be used.
    static std::optional<QString> TextOfFile(const QString &path, QString *why);
    // Opens a text into the paste box and reads it.
    void OpenText(const QString &text);
    void cmdRead_Click();
    bool cmdSaveCopipe_Click();
    bool cmdSaveWords_Click();

    QLineEdit *txtTitle = nullptr;
    PasteBox *txtSource = nullptr;
    QPushButton *cmdOpen = nullptr;
    QPushButton *cmdRead = nullptr;
    QTableWidget *grdLines = nullptr;
    QLabel *lblStatus = nullptr;
    QPushButton *cmdSaveCopipe = nullptr;
    QPushButton *cmdSaveWords = nullptr;
    QPushButton *cmdClose = nullptr;

signals:
    // A dictionary file was written: "mytexts.cls" (copipe) or "mywords.qls".
    void saved(const QString &path, bool copipe);

private:
    void CreateControls();
    void LayOut();
    void Connect();
    void cmdOpen_Click();
    void ReadingEdited(int row, int column);
    void ShowRow(int row);
    void TellUnread();
    // The entries to save, or nothing when a row is unread or untypable
    // (the player is told which).
    std::optional<QVector<DictEntry>> EntriesToSave();
    bool Write(const QString &name, const QString &text, bool copipe);
    void Tell(const QString &text);

    QString folder_;
    std::optional<RomajiConverter> converter_;
    std::unique_ptr<Reader> reader_;
    bool filling_ = false;
};

// The menu item: one window at a time, application-modal so that no game or
// load runs while a dictionary is written.
void OpenImportWindow(QPointer<frmImport> &window, frmMain &form, const QString &folder, bool shortenNN,
                     const std::function<void(const QString &path, bool copipe)> &saved);
