// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The state of the game on the main window. The window's labels are painted
// from it and never read back.

#include <QString>

struct GameState {
    // A game runs; only then are keys judged.
    bool Playing = false;
    // The running game was stopped with Esc, or is to start again (Tab).
    bool Aborted = false;
    bool Restart = false;
    // Translated code of the last judged key; 0 until the first key of a game.
    qint16 LastKey = 0;
    // The X keycode of the last judged key; 0 when unknown.
    quint32 LastScanCode = 0;
    // Types per second at the last pass.
    double Speed = 0.0;
    // The line of the text being typed (a round of lines).
    qint32 LineNo = 0;
    // The main window has been asked to close.
    bool Unloading = false;
    // A game or battle loop runs: closing the window then ends the program at once.
    bool LoopRunning = false;

    // The romaji still to type; with kana input, the kana still to type.
    QString Roman;
    // With kana input: the keys of the first kana already typed (a voiced
    // kana takes two), and whether a wrong key fell on that kana.
    qint8 KanaKeys = 0;
    bool KanaMissed = false;
    int TypeCount = 0;
    int MissCount = 0;
    // The elapsed seconds of the last pass, as shown (to the millisecond).
    double Seconds = 0.0;
};
