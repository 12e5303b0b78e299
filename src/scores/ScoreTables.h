#pragma once

// Fills the Time and Speed attack tables with their default rows.
void InitScoreTables();
void LoadTimeScore();
void LoadSpeedScore();
