// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Start-up: the application, the settings, the tables and the program.

#include "settings/Language.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class Program;
class QTranslator;

namespace platform {
class TerminationSignals;
}

// Creates the application, starts the program and runs it to the end.
int RunProgram(int &argc, char **argv);

// What the command line asks for before any window opens: the text "--help"
// or "--version" prints (status 0, standard output), or why the command line
// is refused (status 2, standard error). Nothing when the game is to start;
// Qt's own options (-style, -platform …) and file names are let through.
struct CommandLineAnswer {
    QString text;
    int status = 0;
};
std::optional<CommandLineAnswer> AnswerCommandLine(
    const QStringList &arguments,
    aplMain::UiLanguage language = aplMain::LanguageOfEnvironment(aplMain::ReadLocaleEnvironment()));

// Names the application (its data folder follows the name) and its desktop
// entry, and starts decoding its window icon.
void SetUpApplication();
// Gives the application the icon SetUpApplication decoded (waiting for it);
// done before the first window or box shows.
void ApplyApplicationIcon();
// Qt's own texts in the language (the buttons of message and input boxes);
// nothing when they are not installed.
std::unique_ptr<QTranslator> LoadQtTranslation(aplMain::UiLanguage language);
// The game's own texts in the language; nothing for Japanese, the language
// they are written in.
std::unique_ptr<QTranslator> LoadGameTranslation(aplMain::UiLanguage language);
// The language the settings file chooses, or the desktop's; read before any
// window is made, since a window's texts are set once.
aplMain::UiLanguage StartUpLanguage();
// Both translations installed for the rest of the application's life.
void InstallTranslations(aplMain::UiLanguage language);
// A session that ends the program (SIGTERM, SIGHUP) quits it as the quit
// command does, so the options are saved unless a game is running.
void QuitOnTermination(platform::TerminationSignals &termination, Program &program);

// The start-up steps; the program, or nothing when start-up failed (its
// message has been shown).
Program *StartUp();

void InitApp();
void InstallFontSubstitutions();
// Starts loading the data folder's dictionaries on a thread of the pool, with
// the options as stored, for the start's load to take (see LoadDictionariesAhead).
void LoadDictionariesOfTheStart();
