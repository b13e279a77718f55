#include "platform/ui/command_button.h"

#include "platform/ui/form.h"

namespace ui {

void CommandButton::Create(Container& parent, int left, int top, int width, int height, const std::string& caption) {
  fore_ = vbButtonText;
  createWindow(parent, L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0, left, top, width, height, Widen(caption));
}

std::string CommandButton::Caption() {
  HWND h = hwnd();
  return h ? WindowText(h) : std::string();
}
void CommandButton::Caption(const std::string& text) {
  if (HWND h = hwnd()) SetWindowTextW(h, Widen(text).c_str());
}

bool CommandButton::Default() { ensureLoaded(); return form().defaultButton() == this; }
void CommandButton::Default(bool on) {
  HWND h = hwnd();
  if (on) {
    if (auto* old = dynamic_cast<CommandButton*>(form().defaultButton()); old && old != this && old->created())
      SendMessageW(old->Control::hwnd(), BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    form().setDefaultButton(this);
  } else if (form().defaultButton() == this) {
    form().setDefaultButton(nullptr);
  }
  if (h) SendMessageW(h, BM_SETSTYLE, on ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

bool CommandButton::Cancel() { ensureLoaded(); return form().cancelButton() == this; }
void CommandButton::Cancel(bool on) {
  ensureLoaded();
  if (on) form().setCancelButton(this);
  else if (form().cancelButton() == this) form().setCancelButton(nullptr);
}

void CommandButton::Value(bool pressed) {
  ensureLoaded();
  if (pressed) press();
}

void CommandButton::press() { fire(Click); }

// The letter after the caption's first single "&" ("&&" shows an ampersand),
// in lower case; 0 for none.
wchar_t CommandButton::accessKey() {
  if (!created()) return 0;
  const std::wstring text = Widen(Caption());
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != L'&') continue;
    if (text[i + 1] == L'&') {
      ++i;
      continue;
    }
    wchar_t key[2] = {text[i + 1], 0};
    CharLowerBuffW(key, 1);
    return key[0];
  }
  return 0;
}

void CommandButton::pressAccessKey() { press(); }

void CommandButton::onCommand(int code) {
  if (code == BN_CLICKED) press();
}

}  // namespace ui
