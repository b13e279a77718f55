// Input as a user's keyboard and mouse give it: through the system's input
// queue (SendInput), to the window in front, so that it passes through the
// message loop that is running, with its translation and keyboard handling.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <string>

namespace vt::test {

// Presses and releases a key while the given keys (VK_MENU, VK_SHIFT,
// VK_CONTROL) are held down around it.
void SendKey(WORD vk, std::initializer_list<WORD> held = {});
// Types lower-case letters, digits and blanks, one key press each.
void SendText(const std::string& text);
// Types one character as itself (any Unicode character, no key code).
void SendChar(wchar_t c);
// Types UTF-8 text, each character as itself.
void SendUnicodeText(const std::string& utf8);
// Moves the mouse pointer to a point of the screen.
void MouseTo(POINT screen);
// Presses (down) or releases the left mouse button where the pointer is.
void MouseLeft(bool down);
// A left click where the pointer is: press and release in one go.
void MouseClick();

}  // namespace vt::test
