#pragma once
// Keys as a user gives them (support/real_input), each handled by the
// program's own message loop before the next one is sent.
#include <windows.h>

#include <string>

namespace vt::test {

// Types text into whatever has the focus; '\r' is Enter, '\b' Backspace and
// '\t' Tab, every other character is typed as itself.
void keyboardType(const std::string& text);
// Presses a key (with Ctrl held when ctrl is set).
void keyboardKey(WORD vk, bool ctrl = false);

}  // namespace vt::test
