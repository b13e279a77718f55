#include "keyboard.h"

#include <vector>

#include "platform/ui/testing.h"
#include "platform/ui/utf16.h"

namespace vt::test {

namespace {

INPUT keyInput(WORD vk, WORD scan, DWORD flags) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = scan;
  in.ki.dwFlags = flags;
  return in;
}

// Sends the events and lets the program's loop handle them.
void send(std::vector<INPUT> events) {
  SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT));
  ui::testing::pumpFor(20);
}

}  // namespace

void keyboardKey(WORD vk, bool ctrl) {
  std::vector<INPUT> events;
  if (ctrl) events.push_back(keyInput(VK_CONTROL, 0, 0));
  events.push_back(keyInput(vk, 0, 0));
  events.push_back(keyInput(vk, 0, KEYEVENTF_KEYUP));
  if (ctrl) events.push_back(keyInput(VK_CONTROL, 0, KEYEVENTF_KEYUP));
  send(events);
}

void keyboardType(const std::string& text) {
  for (wchar_t c : ui::Widen(text)) {
    if (c == L'\r') keyboardKey(VK_RETURN);
    else if (c == L'\b') keyboardKey(VK_BACK);
    else if (c == L'\t') keyboardKey(VK_TAB);
    else send({keyInput(0, c, KEYEVENTF_UNICODE), keyInput(0, c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP)});
  }
}

}  // namespace vt::test
