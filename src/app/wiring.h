#pragma once
// Connects the program's subsystems: registers the dialogs that the main
// window's commands open and the settings object the core reads. Called once
// by WinMain before the first window, and by the tests that open the
// program's windows.
namespace app {
void wireProgram();
}
