// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The services the game needs from the system, each behind a small interface
// so tests can replace them. Reach them through the accessors at the bottom.

#include <QString>
#include <QStringList>
#include <memory>

namespace platform {

// Message and input boxes. Titles default to the application title when empty.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual void Message(const QString &text, const QString &title = QString(), bool information = false) = 0;
    virtual bool AskYesNo(const QString &text, const QString &title = QString()) = 0;
    // Cancel gives the empty text.
    virtual QString Input(const QString &prompt, const QString &title, const QString &defaultAnswer) = 0;
};

// Monotonic 64-bit milliseconds; never wraps during a run.
class Clock {
public:
    virtual ~Clock() = default;
    virtual qint64 Now() = 0;
    virtual void Sleep(int ms) = 0;
};

// Physical state of the keys the game polls (Shift 16, Esc 27, Tab 9, Enter 13),
// whichever window of the program has the focus.
class KeyState {
public:
    virtual ~KeyState() = default;
    virtual bool IsDown(int virtualKey) = 0;
    // Whether Esc, Tab or Enter went down since the last call for that key;
    // the call forgets it. Lets a pass see a tap made between two passes.
    virtual bool TakeWentDown(int virtualKey) = 0;
    // Counts the key as up and forgets a press not taken yet. A release the
    // program never saw (a message box took the key) would keep it down.
    virtual void Forget(int virtualKey) = 0;
};

class Sound {
public:
    virtual ~Sound() = default;
    // Starts the wave file and returns at once, cutting off the sound still playing.
    virtual void Play(const QString &path) = 0;

    // The player's 効果音 switch: while off, PlayWave starts nothing.
    void SetOn(bool on) { on_ = on; }
    bool IsOn() const { return on_; }

private:
    bool on_ = true;
};

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual QString Text() = 0;
    virtual void Clear() = 0;
    virtual void SetText(const QString &text) = 0;
};

// Per-user text values addressed by section and key.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // A missing key reads as the empty text.
    virtual QString Read(const QString &section, const QString &key) = 0;
    virtual void Write(const QString &section, const QString &key, const QString &value) = 0;
    // Pushes the written values to storage; false when they could not be stored.
    virtual bool Flush() = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Names (no folder) of the files in folder matching the wildcard, in listing order.
    virtual QStringList List(const QString &folder, const QString &pattern) = 0;
    // The program's folder, ending with "/".
    virtual QString ProgramFolder() = 0;
    // Where an installed program keeps this user's files, ending with "/"
    // (it may not exist yet).
    virtual QString UserDataFolder() = 0;
    // The data an installed program ships (dictionaries, romaji table, sounds),
    // ending with "/"; empty when none is installed.
    virtual QString ShippedDataFolder() = 0;
};

class Random {
public:
    virtual ~Random() = default;
    virtual void Seed(quint64 seed) = 0;
    // Uniform in [0, 1).
    virtual double Next() = 0;
};

class Process {
public:
    virtual ~Process() = default;
    // Ends the program at once: no window is unloaded and nothing is saved.
    virtual void EndProgram() = 0;
};

struct Services {
    std::shared_ptr<Dialogs> dialogs;
    std::shared_ptr<Clock> clock;
    std::shared_ptr<KeyState> keys;
    std::shared_ptr<Sound> sound;
    std::shared_ptr<Clipboard> clipboard;
    std::shared_ptr<SettingsStore> settings;
    std::shared_ptr<FileSystem> files;
    std::shared_ptr<Random> random;
    std::shared_ptr<Process> process;
};

// The services in use; the Qt implementations unless a test installed others.
Services &Current();
// Replaces the services; members left empty keep their current implementation.
void Install(const Services &services);
// Back to the Qt implementations.
void InstallDefaults();

inline Dialogs &dialogs() { return *Current().dialogs; }
inline Clock &clock() { return *Current().clock; }
inline KeyState &keys() { return *Current().keys; }
inline Sound &sound() { return *Current().sound; }
inline Clipboard &clipboard() { return *Current().clipboard; }
inline SettingsStore &settings() { return *Current().settings; }
inline FileSystem &files() { return *Current().files; }
inline Random &random() { return *Current().random; }
inline Process &process() { return *Current().process; }

// Starts a wave file of the program and returns at once; nothing while the
// player has turned the sounds off.
inline void PlayWave(const QString &path)
{
    if (sound().IsOn())
        sound().Play(path);
}

extern const char *const ApplicationTitle;

} // namespace platform
