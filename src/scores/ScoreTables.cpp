#include "scores/ScoreTables.h"

void InitScoreTables() {}
void LoadTimeScore() {}
void LoadSpeedScore() {}
