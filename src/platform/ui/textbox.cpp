#include "platform/ui/textbox.h"

#include <commctrl.h>

#include <algorithm>

namespace ui {

void TextBox::Create(Container& parent, int left, int top, int width, int height, bool multiLine,
                     bool verticalScroll) {
  multiLine_ = multiLine;
  DWORD style = WS_TABSTOP | ES_LEFT;
  style |= multiLine ? (ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL) : ES_AUTOHSCROLL;
  if (multiLine && verticalScroll) style |= WS_VSCROLL;
  createWindow(parent, L"EDIT", style, WS_EX_CLIENTEDGE, left, top, width, height);
}

std::string TextBox::Text() {
  HWND h = hwnd();
  return h ? WindowText(h) : std::string();
}

void TextBox::Text(const std::string& text) {
  HWND h = hwnd();
  if (!h) return;
  std::wstring w = Widen(text);
  if (multiLine_) {
    // A lone line feed shows as a line break, as the program writes them.
    std::wstring fixed;
    for (size_t i = 0; i < w.size(); ++i) {
      if (w[i] == L'\n' && (i == 0 || w[i - 1] != L'\r')) fixed += L'\r';
      fixed += w[i];
    }
    w.swap(fixed);
  }
  if (Narrow(w) == WindowText(h)) return;
  ++quiet_;
  SetWindowTextW(h, w.c_str());
  --quiet_;
  if (!designing()) fire(Change);
}

int TextBox::FitHeight(const std::vector<std::string>& texts) {
  HWND h = hwnd();
  if (!h || !multiLine_) return Height();
  // The box wraps each text itself, so the count of lines is the box's own.
  const std::wstring old = Widen(WindowText(h));
  int lines = 1;
  ++quiet_;
  for (const std::string& t : texts) {
    SetWindowTextW(h, Widen(t).c_str());
    lines = std::max(lines, static_cast<int>(SendMessageW(h, EM_GETLINECOUNT, 0, 0)));
  }
  SetWindowTextW(h, old.c_str());
  --quiet_;
  int lineH = 0;
  {
    ScopedGetDC dc(h);
    ScopedSelect sel(dc, FontFor(font_));
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    lineH = tm.tmHeight;
  }
  // What the box keeps beside its lines: borders, margins and the part of a
  // line the formatting rectangle leaves unused, all as they are now.
  RECT window{}, client{}, format{};
  GetWindowRect(h, &window);
  GetClientRect(h, &client);
  SendMessageW(h, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  const int visible = lineH > 0 ? (format.bottom - format.top) / lineH : lines;
  const int need = (window.bottom - window.top) + (lines - visible) * lineH;
  int twips = PixelsToTwipsY(need);
  while (TwipsToPixelsY(twips) < need) ++twips;
  return twips;
}

void TextBox::onCommand(int code) {
  if (code == EN_CHANGE && !quiet_ && !designing()) fire(Change);
}

bool TextBox::handleMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  // A one-line box has no use for Enter; passing it on only beeps.
  if (msg == WM_CHAR) return charThroughKeyPress(hwnd, wp, lp, result, !multiLine_);
  return Control::handleMessage(hwnd, msg, wp, lp, result);
}

bool TextBox::onCtlColor(HDC dc, LRESULT& result) { return Control::onCtlColor(dc, result); }

std::string TextBox::PasswordChar() { ensureLoaded(); return password_; }
void TextBox::PasswordChar(const std::string& ch) {
  HWND h = hwnd();
  password_ = ch;
  std::wstring w = Widen(ch);
  if (h) {
    SendMessageW(h, EM_SETPASSWORDCHAR, w.empty() ? 0 : w[0], 0);
    InvalidateRect(h, nullptr, TRUE);
  }
}

bool TextBox::Locked() { ensureLoaded(); return locked_; }
void TextBox::Locked(bool on) {
  HWND h = hwnd();
  locked_ = on;
  if (h) SendMessageW(h, EM_SETREADONLY, on, 0);
}

int TextBox::MaxLength() { ensureLoaded(); return maxLength_; }
void TextBox::MaxLength(int n) {
  HWND h = hwnd();
  maxLength_ = n < 0 ? 0 : n;
  if (h) SendMessageW(h, EM_SETLIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

int TextBox::SelStart() {
  HWND h = hwnd();
  DWORD s = 0, e = 0;
  if (h) SendMessageW(h, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
  return static_cast<int>(s);
}
void TextBox::SelStart(int pos) {
  HWND h = hwnd();
  if (!h) return;
  int len = GetWindowTextLengthW(h);
  pos = pos < 0 ? 0 : pos > len ? len : pos;
  SendMessageW(h, EM_SETSEL, static_cast<WPARAM>(pos), static_cast<LPARAM>(pos));
  SendMessageW(h, EM_SCROLLCARET, 0, 0);
}
int TextBox::SelLength() {
  HWND h = hwnd();
  DWORD s = 0, e = 0;
  if (h) SendMessageW(h, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
  return static_cast<int>(e - s);
}
void TextBox::SelLength(int len) {
  HWND h = hwnd();
  if (!h) return;
  int start = SelStart(), total = GetWindowTextLengthW(h);
  int end = start + (len < 0 ? 0 : len);
  if (end > total) end = total;
  SendMessageW(h, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
}
std::string TextBox::SelText() {
  std::wstring all = Widen(Text());
  size_t s = static_cast<size_t>(SelStart()), n = static_cast<size_t>(SelLength());
  return s < all.size() ? Narrow(all.substr(s, n)) : std::string();
}

void TextBox::resetState() {
  multiLine_ = locked_ = false;
  maxLength_ = 0;
  password_.clear();
  quiet_ = 0;
}

}  // namespace ui
