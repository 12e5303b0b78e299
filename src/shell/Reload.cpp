// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Reload.h"

#include "dictionary/Loader.h"
#include "platform/Platform.h"
#include "settings/aplMain.h"
#include "typing/Game.h"
#include "util/Functions.h"
#include "util/Logging.h"
#include "views/frmLoad.h"
#include "views/frmMain.h"

#include <QApplication>
#include <QCoreApplication>
#include <QThreadPool>

#include <chrono>
#include <future>
#include <memory>
#include <utility>
#include <vector>

namespace {

// The loading window and the hourglass for the length of one load. Nothing
// here hands events a chance to run, so no command sees a half-finished load.
class LoadSession {
public:
    // A load that has nothing left to wait for (one read ahead and ended)
    // shows no hourglass: the player could not see it, and the first one of a
    // run costs milliseconds to make.
    LoadSession(frmMain &form, bool hourglass) : form_(form), cursorSet_(hourglass)
    {
        form_.LoadWindow()->show();
        if (hourglass)
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

    // The message box, and the end of the program when there is nothing to
    // go on with; returns only where ending the program does not end the process.
    void Fail(const QString &message, bool endProgram)
    {
        RestoreCursor();
        qCWarning(lcShell) << "load failed:" << message;
        platform::dialogs().Message(message);
        if (endProgram)
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
    bool cursorSet_;
};

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

// A load started ahead: its outcome and the loading window's steps it went
// through, shown when it is taken. The game's thread alone touches this.
struct Ahead {
    using Step = std::pair<int, QString>;
    using Outcome = std::pair<std::variant<Dictionaries, LoadFailure>, std::vector<Step>>;
    LoadRequest request;
    std::future<Outcome> outcome;
};

std::unique_ptr<Ahead> &Started()
{
    static std::unique_ptr<Ahead> started;
    return started;
}

bool SameFiles(const LoadRequest &a, const LoadRequest &b)
{
    return a.WordPath == b.WordPath && a.CopipePath == b.CopipePath && a.Folder == b.Folder
           && a.ShortenNN == b.ShortenNN;
}

} // namespace

LoadRequest StartRequest()
{
    return {aplMain::AppPath + QStringLiteral("tokira.qls"), aplMain::AppPath + QStringLiteral("tokira.cls"),
            aplMain::AppPath, aplMain::NN2N == 1};
}

void LoadDictionariesAhead(const LoadRequest &request)
{
    auto promise = std::make_shared<std::promise<Ahead::Outcome>>();
    Started() = std::make_unique<Ahead>(Ahead{request, promise->get_future()});
    QThreadPool::globalInstance()->start([promise, request] {
        std::vector<Ahead::Step> steps;
        auto loaded = LoadDictionaries(request, [&steps](int width, const QString &caption) {
            steps.emplace_back(width, caption);
        });
        promise->set_value({std::move(loaded), std::move(steps)});
    });
}

bool ReloadDictionaries(frmMain &form, Game &game)
{
    const LoadRequest request{game.dict.WordPath, game.dict.CopipePath, aplMain::AppPath, aplMain::NN2N == 1};
    const auto progress = [&form](int width, const QString &caption) { form.SetLoad(width, caption); };
    std::unique_ptr<Ahead> ahead = std::move(Started());
    if (ahead && !SameFiles(ahead->request, request))
        ahead.reset();
    const bool waits = !ahead || ahead->outcome.wait_for(std::chrono::seconds(0)) != std::future_status::ready;
    LoadSession session(form, waits);
    std::variant<Dictionaries, LoadFailure> loaded;
    if (ahead) {
        // The same steps as a load here, one after another, with no event
        // between them; the last of them is painted with the end's step.
        Ahead::Outcome outcome = ahead->outcome.get();
        for (const Ahead::Step &step : outcome.second)
            form.SetLoad(step.first, step.second, false);
        loaded = std::move(outcome.first);
    } else {
        loaded = LoadDictionaries(request, progress);
    }
    if (const auto *failure = std::get_if<LoadFailure>(&loaded)) {
        // Every load that succeeded left words behind; without them this is the first.
        session.Fail(failure->Message, game.dict.Words.isEmpty());
        return false;
    }

    // Only a load that got this far replaces what the window holds.
    game.dict = std::move(std::get<Dictionaries>(loaded));
    FillTitleMenus(form, {frmMain::MenuArray::Copipe, frmMain::MenuArray::CopipeScore}, game.dict.CopipeTitles);
    FillTitleMenus(form, {frmMain::MenuArray::Ranking}, game.dict.RankingTitles);
    form.SetLoad(293, QCoreApplication::translate("Reload", "すべて完了しました"));
    // One pass of arg(): a "%2" in the word list's file name stays as it is.
    form.setWindowTitle(QCoreApplication::translate("Reload", "疾鍵 - 単語辞書[%1] コピペ辞書[%2]")
                            .arg(Functions::GetFileName(game.dict.WordPath), Functions::GetFileName(game.dict.CopipePath)));
    return true;
}
