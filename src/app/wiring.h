#pragma once
// Connects the program's subsystems: registers the dialogs that the main
// window's commands open and the settings object the core reads. Called once
// by WinMain before the first window, and by the tests that open the
// program's windows.
namespace app {
void wireProgram();

// The start: the login dialog, which opens the database and upgrades it, is
// shown and painted; then the settings object loads hidden from the upgraded
// tblset, before the user can log in. The login's caption reads the
// institution's name from the same row without waiting for the settings
// dialog's windows.
void startProgram();
}
