// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Platform.h"

#include "platform/IniText.h"
#include "platform/InstanceLock.h"
#include "util/Logging.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFileInfo>
#include <QHash>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QSettings>
#include <QSoundEffect>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>

#include <cstdlib>
#include <random>

namespace platform {

const char *const ApplicationTitle = "tokira";

namespace {

QString TitleOrDefault(const QString &title)
{
    return title.isEmpty() ? QString::fromLatin1(ApplicationTitle) : title;
}

class QtDialogs : public Dialogs {
public:
    void Message(const QString &text, const QString &title, bool information) override
    {
        QMessageBox box(information ? QMessageBox::Information : QMessageBox::NoIcon, TitleOrDefault(title), text,
                        QMessageBox::Ok, QApplication::activeWindow());
        box.setTextFormat(Qt::PlainText);
        box.exec();
    }

    bool AskYesNo(const QString &text, const QString &title) override
    {
        QMessageBox box(QMessageBox::NoIcon, TitleOrDefault(title), text, QMessageBox::Yes | QMessageBox::No,
                        QApplication::activeWindow());
        box.setTextFormat(Qt::PlainText);
        return box.exec() == QMessageBox::Yes;
    }

    QString Input(const QString &prompt, const QString &title, const QString &defaultAnswer) override
    {
        QInputDialog dialog(QApplication::activeWindow());
        dialog.setWindowTitle(TitleOrDefault(title));
        dialog.setLabelText(prompt);
        dialog.setTextValue(defaultAnswer);
        // A prompt can hold a romaji rule or a name: never read it as markup.
        for (QLabel *label : dialog.findChildren<QLabel *>())
            label->setTextFormat(Qt::PlainText);
        return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
    }
};

class QtClock : public Clock {
public:
    QtClock() { timer_.start(); }
    qint64 Now() override { return timer_.elapsed(); }
    void Sleep(int ms) override { QThread::msleep(static_cast<unsigned long>(ms)); }

private:
    QElapsedTimer timer_;
};

// Follows the polled keys through every key event of the application, whichever
// of its windows has the focus.
class QtKeyState : public KeyState, public QObject {
public:
    QtKeyState()
    {
        if (qApp)
            qApp->installEventFilter(this);
    }

    bool IsDown(int virtualKey) override
    {
        switch (virtualKey) {
        case 16: return shift_;
        case 27: return esc_.down;
        case 9: return tab_.down;
        case 13: return enter_.down;
        default: return false;
        }
    }

    bool TakeWentDown(int virtualKey) override
    {
        Latch *latch = virtualKey == 27 ? &esc_ : virtualKey == 9 ? &tab_ : virtualKey == 13 ? &enter_ : nullptr;
        if (!latch)
            return false;
        const bool wentDown = latch->wentDown;
        latch->wentDown = false;
        return wentDown;
    }

    void Forget(int virtualKey) override
    {
        Latch *latch = virtualKey == 27 ? &esc_ : virtualKey == 9 ? &tab_ : virtualKey == 13 ? &enter_ : nullptr;
        if (latch)
            *latch = Latch();
        else if (virtualKey == 16)
            shift_ = false;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
            const auto *key = static_cast<QKeyEvent *>(event);
            const bool down = type == QEvent::KeyPress;
            // A key event is delivered to several objects on its way up; the
            // auto-repeat releases in between are not real releases.
            if (!(key->isAutoRepeat() && !down)) {
                switch (key->key()) {
                case Qt::Key_Shift: shift_ = down; break;
                case Qt::Key_Escape: esc_.Set(down); break;
                case Qt::Key_Tab:
                case Qt::Key_Backtab: tab_.Set(down); break;
                case Qt::Key_Return:
                case Qt::Key_Enter: enter_.Set(down); break;
                default: break;
                }
            }
        } else if (type == QEvent::ApplicationDeactivate) {
            // Releases that happen in another program never reach us.
            shift_ = esc_.down = tab_.down = enter_.down = false;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    struct Latch {
        bool down = false;
        bool wentDown = false;
        void Set(bool isDown)
        {
            down = isDown;
            wentDown = wentDown || isDown;
        }
    };

    bool shift_ = false;
    Latch esc_;
    Latch tab_;
    Latch enter_;
};

class QtSound : public Sound {
public:
    void Play(const QString &path) override
    {
        // Looked up once per file: a key press must not touch the disk.
        auto found = effects_.find(path);
        if (found == effects_.end()) {
            QSoundEffect *loaded = nullptr;
            if (QFileInfo::exists(path)) {
                loaded = new QSoundEffect(qApp);
                loaded->setSource(QUrl::fromLocalFile(path));
            }
            found = effects_.insert(path, loaded);
        }
        QSoundEffect *effect = found.value();
        if (!effect) {
            QApplication::beep();
            return;
        }
        if (playing_ && playing_ != effect)
            playing_->stop();
        effect->stop();
        effect->play();
        playing_ = effect;
    }

private:
    QHash<QString, QSoundEffect *> effects_;
    QSoundEffect *playing_ = nullptr;
};

class QtClipboard : public Clipboard {
public:
    QString Text() override { return QGuiApplication::clipboard()->text(); }
    void Clear() override { QGuiApplication::clipboard()->clear(); }
    void SetText(const QString &text) override { QGuiApplication::clipboard()->setText(text); }
};

class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore()
        : settings_(IniTextFormat(), QSettings::UserScope, QStringLiteral("疾鍵"), QStringLiteral("疾鍵"))
    {
    }

    QString Read(const QString &section, const QString &key) override
    {
        return settings_.value(section + QLatin1Char('/') + key).toString();
    }

    void Write(const QString &section, const QString &key, const QString &value) override
    {
        lastKey_ = section + QLatin1Char('/') + key;
        lastValue_ = value;
        settings_.setValue(lastKey_, value);
    }

    bool Flush() override
    {
        settings_.sync();
        QSettings::Status status = settings_.status();
        if (status == QSettings::FormatError) {
            // A garbled file read earlier leaves its format error in status()
            // for good, and hides a write error behind it: judge the write by
            // what the file holds now.
            QSettings written(settings_.fileName(), QSettings::IniFormat);
            status = written.value(lastKey_).toString() == lastValue_ ? written.status() : QSettings::AccessError;
        }
        if (status != QSettings::NoError) {
            qCWarning(lcPlatform) << "settings could not be stored in" << settings_.fileName();
            return false;
        }
        return true;
    }

private:
    QSettings settings_;
    QString lastKey_;
    QString lastValue_;
};

class QtFileSystem : public FileSystem {
public:
    QStringList List(const QString &folder, const QString &pattern) override
    {
        // Sorted by name: the raw directory order of Linux file systems means nothing to a player.
        return QDir(folder).entryList({pattern}, QDir::Files | QDir::Readable, QDir::Name);
    }

    QString ProgramFolder() override { return QCoreApplication::applicationDirPath() + QLatin1Char('/'); }

    QString UserDataFolder() override
    {
        return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QLatin1Char('/');
    }

    QString ShippedDataFolder() override
    {
        // Found from the program first, so a prefix moved elsewhere as a whole
        // still finds its data; then where it was installed.
        const QStringList candidates = {
            QCoreApplication::applicationDirPath() + QLatin1Char('/') + QStringLiteral(TOKIRA_SHIPPED_DATA_FROM_PROGRAM),
            QStringLiteral(TOKIRA_SHIPPED_DATA_DIR)};
        for (const QString &candidate : candidates) {
            if (QFileInfo(candidate + QStringLiteral("/tokira.qls")).isFile())
                return QDir::cleanPath(candidate) + QLatin1Char('/');
        }
        return QString();
    }
};

class StdRandom : public Random {
public:
    void Seed(quint64 seed) override { engine_.seed(seed); }
    double Next() override
    {
        // 53 random bits: every double in [0, 1) with equal spacing, never 1.
        return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
    }

private:
    std::mt19937_64 engine_{5489u};
};

class QtProcess : public Process {
public:
    void EndProgram() override
    {
        InstanceLock::ReleaseAll();
        std::_Exit(0);
    }
};

Services MakeDefaults()
{
    Services s;
    s.dialogs = std::make_shared<QtDialogs>();
    s.clock = std::make_shared<QtClock>();
    s.keys = std::make_shared<QtKeyState>();
    s.sound = std::make_shared<QtSound>();
    s.clipboard = std::make_shared<QtClipboard>();
    s.settings = std::make_shared<QtSettingsStore>();
    s.files = std::make_shared<QtFileSystem>();
    s.random = std::make_shared<StdRandom>();
    s.process = std::make_shared<QtProcess>();
    return s;
}

std::unique_ptr<Services> g_services;

} // namespace

Services &Current()
{
    if (!g_services)
        g_services = std::make_unique<Services>(MakeDefaults());
    return *g_services;
}

void Install(const Services &services)
{
    Services &s = Current();
    if (services.dialogs) s.dialogs = services.dialogs;
    if (services.clock) s.clock = services.clock;
    if (services.keys) s.keys = services.keys;
    if (services.sound) s.sound = services.sound;
    if (services.clipboard) s.clipboard = services.clipboard;
    if (services.settings) s.settings = services.settings;
    if (services.files) s.files = services.files;
    if (services.random) s.random = services.random;
    if (services.process) s.process = services.process;
}

void InstallDefaults()
{
    g_services = std::make_unique<Services>(MakeDefaults());
}

} // namespace platform
