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

void CommandButton::onCommand(int code) {
  if (code == BN_CLICKED) press();
}

}  // namespace ui
