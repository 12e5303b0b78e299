// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Stand-ins for the system services: scripted boxes, a clock the test moves,
// keys the test holds, recorded sounds, an in-memory settings store and a real
// temporary program folder.

#include "platform/Platform.h"
#include "settings/aplMain.h"

#include <QHash>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <memory>
#include <stdexcept>

// Thrown by the fake when the program would end at once, so the test sees where.
struct ProgramEnded : std::runtime_error {
    ProgramEnded() : std::runtime_error("program ended") {}
};

struct ShownBox {
    enum class Kind { Message, YesNo, Input } kind;
    QString text;
    QString title;
    bool information = false;
    QString defaultAnswer;
};

class FakeDialogs : public platform::Dialogs {
public:
    void Message(const QString &text, const QString &title, bool information) override;
    bool AskYesNo(const QString &text, const QString &title) override;
    QString Input(const QString &prompt, const QString &title, const QString &defaultAnswer) override;

    // Answers in order; Yes/No boxes with no scripted answer say No, input boxes Cancel.
    std::deque<bool> yesNoAnswers;
    std::deque<QString> inputAnswers;
    QList<ShownBox> shown;
    // Runs while each box is open, as the event loop of a real box would.
    std::function<void(const ShownBox &)> whileOpen;
    QStringList Texts() const;
};

class FakeClock : public platform::Clock {
public:
    qint64 Now() override { return now; }
    void Sleep(int ms) override { now += ms; }
    qint64 now = 1000;
};

class FakeKeyState : public platform::KeyState {
public:
    bool IsDown(int virtualKey) override { return down.value(virtualKey, false); }
    bool TakeWentDown(int virtualKey) override { return wentDown.remove(virtualKey) > 0; }
    void Forget(int virtualKey) override
    {
        down.remove(virtualKey);
        wentDown.remove(virtualKey);
    }
    // Presses a key and lets it go again before the next pass.
    void Tap(int virtualKey) { wentDown.insert(virtualKey); }
    QHash<int, bool> down;
    QSet<int> wentDown;
};

class FakeSound : public platform::Sound {
public:
    void Play(const QString &path) override { played.append(path); }
    QStringList played;
};

class FakeClipboard : public platform::Clipboard {
public:
    QString Text() override { return text; }
    void Clear() override { text.clear(); ++clears; }
    void SetText(const QString &t) override { text = t; }
    QString text;
    int clears = 0;
};

class FakeSettingsStore : public platform::SettingsStore {
public:
    QString Read(const QString &section, const QString &key) override { return values.value(section + '/' + key); }
    void Write(const QString &section, const QString &key, const QString &value) override;
    bool Flush() override { return !failFlush; }
    QHash<QString, QString> values;
    QStringList writeOrder;
    bool failFlush = false;
};

class FakeFileSystem : public platform::FileSystem {
public:
    explicit FakeFileSystem(QString folder) : folder_(std::move(folder)) {}
    QStringList List(const QString &folder, const QString &pattern) override;
    QString ProgramFolder() override { return folder_; }
    QString UserDataFolder() override { return userData; }
    QString ShippedDataFolder() override { return shipped; }
    // An installed program's folders, outside the program folder; made by the tests that use them.
    QString userData;
    QString shipped;

private:
    QString folder_;
};

class FakeRandom : public platform::Random {
public:
    void Seed(quint64 s) override { seeded = true; seed = s; }
    double Next() override;
    // Values handed out first, in order; after them a fixed-seed sequence.
    std::deque<double> script;
    bool seeded = false;
    quint64 seed = 0;
    quint64 state = 88172645463325252ull;
};

class FakeProcess : public platform::Process {
public:
    void EndProgram() override
    {
        ++ends;
        if (throwOnEnd)
            throw ProgramEnded();
    }
    int ends = 0;
    bool throwOnEnd = true;
};

// Installs a full set of fakes for its lifetime, with a fresh temporary program
// folder, and resets the player's options to those of a first run.
class FakePlatform {
public:
    FakePlatform();
    ~FakePlatform();

    // The program folder, ending with "/".
    QString Folder() const { return folder_; }
    QString PathOf(const QString &name) const { return folder_ + name; }

    std::shared_ptr<FakeDialogs> dialogs = std::make_shared<FakeDialogs>();
    std::shared_ptr<FakeClock> clock = std::make_shared<FakeClock>();
    std::shared_ptr<FakeKeyState> keys = std::make_shared<FakeKeyState>();
    std::shared_ptr<FakeSound> sound = std::make_shared<FakeSound>();
    std::shared_ptr<FakeClipboard> clipboard = std::make_shared<FakeClipboard>();
    std::shared_ptr<FakeSettingsStore> settings = std::make_shared<FakeSettingsStore>();
    std::shared_ptr<FakeFileSystem> files;
    std::shared_ptr<FakeRandom> random = std::make_shared<FakeRandom>();
    std::shared_ptr<FakeProcess> process = std::make_shared<FakeProcess>();
    // The options of a first run, in use until a program made later takes over.
    aplMain::Settings options;

private:
    QTemporaryDir dir_;
    QTemporaryDir dataDir_;
    QString folder_;
};

// Writes text to a file as Shift-JIS bytes, exactly as given (no line ends added).
void WriteShiftJisFile(const QString &path, const QString &text);
QByteArray ReadBytes(const QString &path);

#include <ostream>
// Readable QString values in test failure messages.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}
