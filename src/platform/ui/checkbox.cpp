#include "platform/ui/checkbox.h"

namespace ui {

void CheckBox::Create(Container& parent, int left, int top, int width, int height, const std::string& caption) {
  fore_ = vbButtonText;
  // Not an auto check box: the wrapper owns the value, so a click and code
  // go through the same path and Click fires exactly once per change.
  createWindow(parent, L"BUTTON", WS_TABSTOP | BS_CHECKBOX, 0, left, top, width, height, Widen(caption));
}

std::string CheckBox::Caption() {
  HWND h = hwnd();
  return h ? WindowText(h) : std::string();
}
void CheckBox::Caption(const std::string& text) {
  if (HWND h = hwnd()) SetWindowTextW(h, Widen(text).c_str());
}

int CheckBox::Value() { ensureLoaded(); return value_; }

void CheckBox::Value(int v) {
  HWND h = hwnd();
  if (v < vbUnchecked || v > vbGrayed) v = v ? vbChecked : vbUnchecked;
  if (v == value_) return;
  value_ = v;
  if (h) SendMessageW(h, BM_SETCHECK, static_cast<WPARAM>(v == vbChecked ? BST_CHECKED : v == vbGrayed ? BST_INDETERMINATE : BST_UNCHECKED), 0);
  if (!designing()) fire(Click);
}

void CheckBox::onCommand(int code) {
  if (code == BN_CLICKED) Value(value_ == vbChecked ? vbUnchecked : vbChecked);
}

void CheckBox::resetState() { value_ = vbUnchecked; }

}  // namespace ui
