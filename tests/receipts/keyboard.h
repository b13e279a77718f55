#pragma once
// Keys as a user gives them: into the system's input queue (SendInput) for
// the window in front, then through the program's own message loop.
#include <windows.h>

#include <string>

namespace vt::test {

// Types text into whatever has the focus; '\r' is Enter, '\b' Backspace and
// '\t' Tab, every other character is typed as itself.
void keyboardType(const std::string& text);
// Presses a key (with Ctrl held when ctrl is set).
void keyboardKey(WORD vk, bool ctrl = false);

}  // namespace vt::test
