#include "platform/ui/combobox.h"

#include <commctrl.h>

#include "platform/vb/error.h"

namespace ui {

namespace {
// The list part drops this many pixels below the box.
constexpr int kDropHeight = 200;
}

void ComboBox::Create(Container& parent, int left, int top, int width, int style) {
  style_ = style == vbComboDropdownList ? vbComboDropdownList : vbComboDropdown;
  DWORD ws = WS_TABSTOP | WS_VSCROLL | CBS_AUTOHSCROLL |
             (style_ == vbComboDropdownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN);
  HWND h = createWindow(parent, L"COMBOBOX", ws, 0, left, top, width, PixelsToTwipsY(kDropHeight));
  COMBOBOXINFO info{sizeof(info)};
  if (GetComboBoxInfo(h, &info) && info.hwndItem && info.hwndItem != h) {
    edit_ = info.hwndItem;
    subclassExtra(edit_);
  }
  RECT r;
  GetWindowRect(h, &r);
  setTwipsSize(width, PixelsToTwipsY(r.bottom - r.top));
}

void ComboBox::applyBounds(int x, int y, int w, int) {
  // The box's own height follows its font; the window height is the list's.
  SetWindowPos(Control::hwnd(), nullptr, x, y, w, kDropHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

void ComboBox::applyFont() {
  Control::applyFont();
  if (HWND h = Control::hwnd()) {
    RECT r;
    GetWindowRect(h, &r);
    setTwipsSize(Width(), PixelsToTwipsY(r.bottom - r.top));
  }
}

void ComboBox::AddItem(const std::string& item, int index) {
  HWND h = hwnd();
  if (!h) return;
  int n = static_cast<int>(SendMessageW(h, CB_GETCOUNT, 0, 0));
  if (index > n) vb::raise(5);
  std::wstring w = Widen(item);
  SendMessageW(h, CB_INSERTSTRING, static_cast<WPARAM>(index < 0 ? -1 : index), reinterpret_cast<LPARAM>(w.c_str()));
  lastIndex_ = static_cast<int>(SendMessageW(h, CB_GETCURSEL, 0, 0));
}

void ComboBox::RemoveItem(int index) {
  HWND h = hwnd();
  if (!h) return;
  if (index < 0 || index >= ListCount()) vb::raise(5);
  SendMessageW(h, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
  lastIndex_ = static_cast<int>(SendMessageW(h, CB_GETCURSEL, 0, 0));
}

void ComboBox::Clear() {
  HWND h = hwnd();
  if (!h) return;
  SendMessageW(h, CB_RESETCONTENT, 0, 0);
  lastIndex_ = -1;
}

int ComboBox::ListCount() {
  HWND h = hwnd();
  return h ? static_cast<int>(SendMessageW(h, CB_GETCOUNT, 0, 0)) : 0;
}

std::string ComboBox::List(int index) {
  HWND h = hwnd();
  if (!h || index < 0 || index >= ListCount()) return {};
  int len = static_cast<int>(SendMessageW(h, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0));
  std::wstring w(static_cast<size_t>(len) + 1, L'\0');
  SendMessageW(h, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&w[0]));
  w.resize(static_cast<size_t>(len));
  return Narrow(w);
}

int ComboBox::ListIndex() {
  HWND h = hwnd();
  return h ? static_cast<int>(SendMessageW(h, CB_GETCURSEL, 0, 0)) : -1;
}

void ComboBox::ListIndex(int index) {
  HWND h = hwnd();
  if (!h) return;
  if (index < -1 || index >= ListCount()) vb::raise(380, "Invalid property value");
  SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  if (index == lastIndex_) return;
  lastIndex_ = index;
  if (!designing()) fire(Click);
}

std::string ComboBox::Text() {
  HWND h = hwnd();
  if (!h) return {};
  // While the choice changes, the edit part still shows the old text.
  if (style_ == vbComboDropdownList || inSelChange_) {
    int i = ListIndex();
    return i >= 0 ? List(i) : std::string();
  }
  return WindowText(h);
}

void ComboBox::Text(const std::string& text) {
  HWND h = hwnd();
  if (!h) return;
  std::wstring w = Widen(text);
  int found = static_cast<int>(SendMessageW(h, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(w.c_str())));
  if (style_ == vbComboDropdownList) {
    if (found < 0) vb::raise(383, "'Text' property is read-only");
    ListIndex(found);
    return;
  }
  std::string before = WindowText(h);
  SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
  lastIndex_ = found;
  SetWindowTextW(h, w.c_str());
  if (before != text && !designing()) fire(Change);
}

void ComboBox::onCommand(int code) {
  if (code == CBN_SELCHANGE) {
    int i = static_cast<int>(SendMessageW(Control::hwnd(), CB_GETCURSEL, 0, 0));
    if (i == lastIndex_) return;
    lastIndex_ = i;
    inSelChange_ = true;
    fire(Click);
    inSelChange_ = false;
  } else if (code == CBN_EDITCHANGE) {
    lastIndex_ = static_cast<int>(SendMessageW(Control::hwnd(), CB_GETCURSEL, 0, 0));
    fire(Change);
  }
}

bool ComboBox::handleMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  // Enter is dropped in the edit part, as in a one-line box.
  if (msg == WM_CHAR) return charThroughKeyPress(hwnd, wp, lp, result, hwnd == edit_);
  return Control::handleMessage(hwnd, msg, wp, lp, result);
}

void ComboBox::resetState() {
  edit_ = nullptr;
  style_ = vbComboDropdown;
  lastIndex_ = -1;
  inSelChange_ = false;
}

}  // namespace ui
