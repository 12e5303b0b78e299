#pragma once
// Start-up: the application, the settings, the tables and the program.

class Program;

// Creates the application, starts the program and runs it to the end.
int RunProgram(int &argc, char **argv);

// The start-up steps; the program, or nothing when start-up failed (its
// message has been shown).
Program *StartUp();

void InitApp();
void InstallFontSubstitutions();
