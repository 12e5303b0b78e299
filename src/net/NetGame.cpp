#include "net/NetGame.h"

#include "modes/PassTimer.h"
#include "net/NetBattle.h"
#include "net/NetMenu.h"
#include "net/frmNet.h"
#include "platform/Platform.h"
#include "views/frmMain.h"
#include "typing/NetHooks.h"
#include "typing/QuestionFeed.h"
#include "util/Functions.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLoggingCategory>
#include <QPointer>

#include <algorithm>

Q_DECLARE_LOGGING_CATEGORY(lcNet)

using namespace NetBattle;

namespace {

constexpr int VkReturn = 13;

// Follows Enter through every key event of the program, whichever window has
// the focus, and remembers a press that came and went between two passes.
// Installed last, it sees each key before any filter that keeps the key for
// itself (the judge's key path takes Enter on the main window).
class EnterWatcher : public QObject {
public:
    bool down = false;
    bool wentDown = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                if (type == QEvent::KeyPress) {
                    wentDown = wentDown || !down;
                    down = true;
                } else if (!key->isAutoRepeat()) {
                    down = false;
                }
            }
        } else if (type == QEvent::ApplicationDeactivate) {
            down = false;
        }
        return QObject::eventFilter(watched, event);
    }
};

QPointer<EnterWatcher> g_enter;

void WatchEnter()
{
    if (g_enter || !qApp)
        return;
    g_enter = new EnterWatcher;
    g_enter->setParent(qApp);
    qApp->installEventFilter(g_enter);
}

// Enter is down now, or was pressed since the last pass; the press is
// forgotten either way, so a tap without points to spend attacks later never.
bool TakeEnter()
{
    bool enter = platform::keys().IsDown(VkReturn);
    if (g_enter) {
        enter = enter || g_enter->down || g_enter->wentDown;
        g_enter->wentDown = false;
    }
    return enter;
}

struct Rounds {
    NetPhase phase = NetPhase::Idle;
    qint64 start = 0;
    QPointer<PassTimer> timer;
};

Rounds &rounds()
{
    static Rounds r;
    return r;
}

void StartTimer(frmMain &form)
{
    Rounds &r = rounds();
    if (r.timer && r.timer->parent() != &form)
        delete r.timer;
    if (!r.timer) {
        r.timer = new PassTimer(&form, [f = &form] { NetBattleTick(*f); });
    }
    r.timer->Start();
}

void StopTimer()
{
    if (rounds().timer)
        rounds().timer->Stop();
}

// Steps 1 to 4 of a round: the main window is made ready and waits for a start.
void BeginRound(frmMain &form)
{
    form.Init();
    NetOver = false;
    form.lblGameMode->setText(QStringLiteral("疾鍵@ネット対戦"));
    form.lblString[0]->setText(QStringLiteral("相手の残りH.P."));
    form.MenuEnabled(false);
    GetQuest(form);
    rounds().phase = NetPhase::Waiting;
    form.LoopRunning = true;
    StartTimer(form);
}

void EndProgramNow()
{
    StopTimer();
    platform::process().EndProgram();
}

void EndRound(frmMain &form)
{
    StopTimer();
    rounds().phase = NetPhase::Idle;
    form.MenuEnabled(true);
    form.Playing = false;
    form.NetMode = false;
    form.LoopRunning = false;
    if (!NetOpen)
        return; // the net window was closed: the command ends
    platform::dialogs().Message(QStringLiteral("-------------------終了-------------------"), QStringLiteral("疾鍵"));
    BeginRound(form);
}

void ShowPass(frmMain &form, double elapsed)
{
    form.lblRest->setText(QString::number(ClientHP));
    form.lblTime->setText(Functions::Format000(elapsed));
    form.lblSpeed->setText(Functions::Format000(form.Speed));
}

} // namespace

void StartNetBattle(frmMain &form)
{
    LoadNetWindow(form);
    // Rounds left behind by a main window that is gone do not count.
    if (rounds().phase != NetPhase::Idle && rounds().timer && rounds().timer->parent() == &form)
        return;
    InstallNetHooks(form);
    WatchEnter();
    BeginRound(form);
}

NetPhase NetBattlePhase()
{
    return rounds().phase;
}

void NetBattleTick(frmMain &form)
{
    Rounds &r = rounds();
    const qint64 now = platform::clock().Now();

    if (r.phase == NetPhase::Waiting) {
        if (!NetRunning && !form.Unloading && !NetOver && NetOpen)
            return;
        form.Playing = true;
        form.NetMode = true;
        if (form.Unloading) {
            EndProgramNow();
            return;
        }
        r.start = now;
        if (r.timer)
            r.timer->PaintSoon();
        r.phase = NetPhase::Running;
        if (g_enter)
            g_enter->wentDown = false;
        return;
    }
    if (r.phase != NetPhase::Running)
        return;

    double elapsed = static_cast<double>(now - r.start) / 1000.0;
    const double shownElapsed = elapsed;
    if (elapsed == 0.0)
        elapsed = 0.001;
    form.Speed = Functions::Val(form.lblType->text()) / elapsed;

    frmNet *net = NetWindow();
    if (TakeEnter() && MyAP != 0 && net)
        net->Attack();

    bool leave = false;
    if (NetOver) {
        if (form.Unloading) {
            EndProgramNow();
            return;
        }
        leave = true;
    } else if (form.Unloading) {
        EndProgramNow();
        return;
    } else if (!NetOpen) {
        leave = true;
    }

    // Tests may run a pass without the timer; they always see the labels.
    if (!r.timer || r.timer->PaintDue(now, leave))
        ShowPass(form, shownElapsed);
    if (leave)
        EndRound(form);
}

int NetMyAP()
{
    return MyAP;
}

void NetSetMyAP(int ap)
{
    MyAP = static_cast<qint16>(std::clamp(ap, 0, 200));
}

double NetShownSpeed(const frmMain &form)
{
    return Functions::Val(Functions::Format000(form.Speed));
}

void NetSendState(const QString &text)
{
    if (frmNet *net = NetWindow())
        net->SendState(text);
}

void NetDraw()
{
    if (frmNet *net = NetWindow())
        net->Draw();
}

void InstallNetHooks(frmMain &form)
{
    NetHooks &hooks = netHooks();
    hooks.myAP = NetMyAP;
    hooks.setMyAP = NetSetMyAP;
    hooks.shownSpeed = [f = QPointer<frmMain>(&form)] { return f ? NetShownSpeed(*f) : 0.0; };
    hooks.sendState = NetSendState;
    hooks.draw = NetDraw;
}
