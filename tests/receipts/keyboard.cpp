#include "keyboard.h"

#include "platform/ui/testing.h"
#include "platform/ui/utf16.h"
#include "support/real_input.h"

namespace vt::test {

namespace {

// Lets the program's loop handle the key just sent.
void settle() { ui::testing::pumpFor(20); }

}  // namespace

void keyboardKey(WORD vk, bool ctrl) {
  if (ctrl)
    SendKey(vk, {VK_CONTROL});
  else
    SendKey(vk);
  settle();
}

void keyboardType(const std::string& text) {
  for (wchar_t c : ui::Widen(text)) {
    if (c == L'\r') {
      keyboardKey(VK_RETURN);
    } else if (c == L'\b') {
      keyboardKey(VK_BACK);
    } else if (c == L'\t') {
      keyboardKey(VK_TAB);
    } else {
      SendChar(c);
      settle();
    }
  }
}

}  // namespace vt::test
