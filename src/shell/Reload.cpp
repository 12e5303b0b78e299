#include "shell/Reload.h"

#include "dictionary/RomajiRules.h"
#include "platform/Platform.h"
#include "settings/aplMain.h"
#include "views/frmLoad.h"
#include "views/frmMain.h"
#include "util/Functions.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>

#include <optional>

Q_LOGGING_CATEGORY(lcDictionary, "tokira.dictionary", QtInfoMsg)

namespace {

const QString LineEnd = QStringLiteral("\r\n");
const QString HeaderTag = QStringLiteral("[CopipeName=");

// The loading window and the hourglass for the length of one load. Nothing
// here hands events a chance to run, so no command sees a half-finished load.
class LoadSession {
public:
    explicit LoadSession(frmMain &form) : form_(form)
    {
        form_.LoadWindow()->show();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        form_.LoadWindow()->ClearProgress();
    }
    ~LoadSession()
    {
        form_.LoadWindow()->hide();
        RestoreCursor();
    }
    LoadSession(const LoadSession &) = delete;
    LoadSession &operator=(const LoadSession &) = delete;

    // The message box and the end of the program; returns only where ending
    // the program does not end the process.
    void Fail(const QString &message)
    {
        RestoreCursor();
        qCWarning(lcDictionary) << "load failed:" << message;
        platform::dialogs().Message(message);
        platform::process().EndProgram();
    }

private:
    void RestoreCursor()
    {
        if (cursorSet_)
            QApplication::restoreOverrideCursor();
        cursorSet_ = false;
    }

    frmMain &form_;
    bool cursorSet_ = true;
};

const QString GeneralFailure = QStringLiteral("辞書データ読み込み中に何らかのエラーが発生しました");

QString NotFound(const QString &path)
{
    return Functions::GetFileName(path) + QStringLiteral("が見つかりません");
}

// Every line before the last CR LF, split at ":"; nothing when there is no
// CR LF at all or a line is blank or holds no ":".
std::optional<QVector<QuestItem>> CutWords(const QString &text)
{
    const QStringView all(text);
    QVector<QuestItem> words;
    qsizetype start = 0;
    for (qsizetype end = all.indexOf(LineEnd); end >= 0; end = all.indexOf(LineEnd, start)) {
        const QStringView line = all.sliced(start, end - start);
        const qsizetype colon = line.indexOf(u':');
        if (colon < 0)
            return std::nullopt;
        const qsizetype second = line.indexOf(u':', colon + 1);
        const qsizetype romanEnd = second < 0 ? line.size() : second;
        words.append({line.left(colon).toString(), line.sliced(colon + 1, romanEnd - colon - 1).toString()});
        start = end + LineEnd.size();
    }
    if (words.isEmpty())
        return std::nullopt;
    return words;
}

// The titles of the block headers, in file order; the piece after the last
// CR LF counts too.
QStringList BlockTitles(const QString &text)
{
    const QStringView all(text);
    QStringList titles;
    qsizetype start = 0;
    while (start <= all.size()) {
        qsizetype end = all.indexOf(LineEnd, start);
        if (end < 0)
            end = all.size();
        const QStringView line = all.sliced(start, end - start);
        if (line.startsWith(HeaderTag))
            titles.append(line.sliced(HeaderTag.size(), std::max<qsizetype>(0, line.size() - HeaderTag.size() - 1)).toString());
        start = end + LineEnd.size();
    }
    return titles;
}

void FillTitleMenus(frmMain &form, std::initializer_list<frmMain::MenuArray> arrays, const QStringList &titles)
{
    for (frmMain::MenuArray which : arrays)
        form.ClearMenuArray(which);
    for (const QString &title : titles) {
        for (frmMain::MenuArray which : arrays)
            form.AddMenuArrayItem(which, title);
    }
    for (frmMain::MenuArray which : arrays)
        form.HideMenuArrayPlaceholder(which);
}

} // namespace

void mnuReload_Click(frmMain &form)
{
    LoadSession session(form);
    QElapsedTimer timer;
    timer.start();

    form.SetLoad(35, QStringLiteral("単語辞書のロード..."));
    QString wordText = Functions::ReadWholeFile(form.WordPath);
    if (wordText.isEmpty())
        return session.Fail(NotFound(form.WordPath));

    form.SetLoad(70, QStringLiteral("コピペ辞書のロード..."));
    QString copipeText = Functions::ReadWholeFile(form.CopipePath);
    if (copipeText.isEmpty())
        return session.Fail(NotFound(form.CopipePath));

    form.SetLoad(100, QStringLiteral("ランキング辞書のロード..."));
    QString rankingText = Functions::ReadWholeFile(aplMain::AppPath + QStringLiteral("tokira.rls"));
    if (rankingText.isEmpty())
        return session.Fail(QStringLiteral("tokira.rlsが見つからないか、データが不正です"));

    form.SetLoad(135, QStringLiteral("ローマ字設定..."));
    const QString tableText = Functions::ReadWholeFile(aplMain::AppPath + QStringLiteral("roman.dat"));
    if (tableText.isEmpty())
        return session.Fail(QStringLiteral("roman.datが見つかりません"));
    const std::optional<QVector<RomajiRule>> table = ParseRomajiTable(tableText);
    if (!table)
        return session.Fail(GeneralFailure);
    const QVector<RomajiRule> rules = ConversionRules(*table, aplMain::NN2N == 1);
    wordText = ConvertText(wordText, rules);
    copipeText = ConvertText(copipeText, rules);
    rankingText = ConvertText(rankingText, rules);
    qCDebug(lcDictionary) << "converted in" << timer.elapsed() << "ms";

    form.SetLoad(170, QStringLiteral("単語辞書の解析..."));
    std::optional<QVector<QuestItem>> words = CutWords(wordText);
    if (!words)
        return session.Fail(GeneralFailure);
    // Only a load that got this far replaces what the window holds.
    form.WordText = std::move(wordText);
    form.CopipeText = std::move(copipeText);
    form.RankingText = std::move(rankingText);
    form.Words = std::move(*words);
    form.WordMax = QString::number(form.Words.size() - 1);

    form.SetLoad(200, QStringLiteral("コピペ辞書の解析..."));
    FillTitleMenus(form, {frmMain::MenuArray::Copipe, frmMain::MenuArray::CopipeScore}, BlockTitles(form.CopipeText));

    form.SetLoad(235, QStringLiteral("ランキング辞書の解析..."));
    FillTitleMenus(form, {frmMain::MenuArray::Ranking}, BlockTitles(form.RankingText));

    form.SetLoad(293, QStringLiteral("すべて完了しました"));
    form.setWindowTitle(QStringLiteral("疾鍵 - 単語辞書[") + Functions::GetFileName(form.WordPath)
                        + QStringLiteral("] コピペ辞書[") + Functions::GetFileName(form.CopipePath)
                        + QLatin1Char(']'));
    qCDebug(lcDictionary) << "loaded" << form.Words.size() << "words in" << timer.elapsed() << "ms";
}
