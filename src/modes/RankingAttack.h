#pragma once
// What a finished Ranking attack leaves for the submission window.

#include <QString>

#include <functional>

class frmMain;

// The name of the ranking text last played to its end.
extern QString CopipeTitle;

// Opens the ranking submission window (modeless) after the player has agreed
// to send the result. Does nothing until the submission window installs itself.
extern std::function<void(frmMain &)> OpenRankingSubmission;
