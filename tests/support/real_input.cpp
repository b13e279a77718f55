#include "support/real_input.h"

#include <vector>

#include "platform/ui/utf16.h"

namespace vt::test {

namespace {

INPUT KeyInput(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return in;
}

INPUT CharInput(wchar_t c, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wScan = static_cast<WORD>(c);
  in.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
  return in;
}

INPUT ButtonInput(DWORD flags) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  return in;
}

}  // namespace

void SendKey(WORD vk, std::initializer_list<WORD> held) {
  std::vector<INPUT> in;
  for (WORD h : held) in.push_back(KeyInput(h, false));
  in.push_back(KeyInput(vk, false));
  in.push_back(KeyInput(vk, true));
  for (auto it = held.end(); it != held.begin();) in.push_back(KeyInput(*--it, true));
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

void SendText(const std::string& text) {
  for (char c : text) {
    WORD vk = 0;
    if (c >= 'a' && c <= 'z') vk = static_cast<WORD>('A' + (c - 'a'));
    else if ((c >= '0' && c <= '9') || c == ' ') vk = static_cast<WORD>(c);
    if (vk) SendKey(vk);
  }
}

void SendChar(wchar_t c) {
  INPUT in[2] = {CharInput(c, false), CharInput(c, true)};
  SendInput(2, in, sizeof(INPUT));
}

void SendUnicodeText(const std::string& utf8) {
  for (wchar_t c : ui::Widen(utf8)) SendChar(c);
}

void MouseTo(POINT screen) {
  // Absolute positions are given in 0..65535 over the primary screen.
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = static_cast<LONG>((screen.x * 65536 + w / 2) / w);
  in.mi.dy = static_cast<LONG>((screen.y * 65536 + h / 2) / h);
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &in, sizeof(INPUT));
}

void MouseLeft(bool down) {
  INPUT in = ButtonInput(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
  SendInput(1, &in, sizeof(INPUT));
}

void MouseClick() {
  INPUT in[2] = {ButtonInput(MOUSEEVENTF_LEFTDOWN), ButtonInput(MOUSEEVENTF_LEFTUP)};
  SendInput(2, in, sizeof(INPUT));
}

}  // namespace vt::test
