#include "typing/KeyPath.h"

#include "platform/KeyCodes.h"
#include "settings/aplMain.h"
#include "views/frmMain.h"
#include "typing/Judge.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>

namespace {

bool g_escWentDown = false;
bool g_tabWentDown = false;

// Watches every key event of the application. A press is judged when it
// reaches the main window itself: each press for the window gets there exactly
// once (its labels never take keys; the menu bar keeps the keys it uses once
// Alt has given it the focus). The press then goes on, so that the key state
// behind the polled keys (Esc, Tab, Enter, Shift) sees it as well.
class KeyPathFilter : public QObject {
public:
    explicit KeyPathFilter(frmMain &form) : QObject(&form), form_(&form)
    {
        setObjectName(QStringLiteral("keyPath"));
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Escape)
            g_escWentDown = true;
        else if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            g_tabWentDown = true;

        if (!form_ || watched != form_)
            return false;
        const platform::VirtualKey vk = platform::TranslateKeyEvent(*key, aplMain::English);
        if (vk.kind != platform::KeyKind::NotJudged)
            KeyDown(*form_, vk.code, vk.shift, vk.kind == platform::KeyKind::Character);
        return false;
    }

private:
    QPointer<frmMain> form_;
};

} // namespace

void InstallKeyPath(frmMain &form)
{
    if (dynamic_cast<KeyPathFilter *>(form.findChild<QObject *>(QStringLiteral("keyPath"), Qt::FindDirectChildrenOnly)))
        return;
    qApp->installEventFilter(new KeyPathFilter(form));
}

bool TakeKeyWentDown(int virtualKey)
{
    bool *flag = virtualKey == 27 ? &g_escWentDown : virtualKey == 9 ? &g_tabWentDown : nullptr;
    if (!flag)
        return false;
    const bool wentDown = *flag;
    *flag = false;
    return wentDown;
}

void ForgetKeyPresses()
{
    g_escWentDown = g_tabWentDown = false;
}
