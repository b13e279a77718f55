#include "platform/ui/datepicker.h"

#include <commctrl.h>

#include "platform/vb/error.h"

namespace ui {

void DatePicker::Create(Container& parent, int left, int top, int width, int height) {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_DATE_CLASSES};
  InitCommonControlsEx(&icc);
  createWindow(parent, DATETIMEPICK_CLASSW, WS_TABSTOP | DTS_SHORTDATEFORMAT, 0, left, top, width, height);
}

int DatePicker::Format() { ensureLoaded(); return format_; }
void DatePicker::Format(int f) {
  ensureLoaded();
  format_ = f;
  applyFormat();
}
std::string DatePicker::CustomFormat() { ensureLoaded(); return custom_; }
void DatePicker::CustomFormat(const std::string& pattern) {
  ensureLoaded();
  custom_ = pattern;
  applyFormat();
}

void DatePicker::applyFormat() {
  HWND h = Control::hwnd();
  if (!h) return;
  LONG style = GetWindowLongW(h, GWL_STYLE) & ~(DTS_SHORTDATEFORMAT | DTS_LONGDATEFORMAT | DTS_TIMEFORMAT);
  if (format_ == dtpLongDate) style |= DTS_LONGDATEFORMAT;
  else if (format_ == dtpTime) style |= DTS_TIMEFORMAT;
  else style |= DTS_SHORTDATEFORMAT;
  SetWindowLongW(h, GWL_STYLE, style);
  if (format_ == dtpCustom) {
    std::wstring w = Widen(custom_.empty() ? "dd/MM/yyyy" : custom_);
    SendMessageW(h, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(w.c_str()));
  } else {
    SendMessageW(h, DTM_SETFORMATW, 0, 0);
  }
  InvalidateRect(h, nullptr, TRUE);
}

vb::Date DatePicker::Value() {
  HWND h = hwnd();
  SYSTEMTIME st{};
  if (!h || SendMessageW(h, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) != GDT_VALID) return vb::Date{};
  return vb::Date::fromParts(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
}

void DatePicker::Value(vb::Date d) {
  HWND h = hwnd();
  if (!h) return;
  // The control holds dates from 1601 to 9999.
  if (d.year() < 1601 || d.year() > 9999) vb::raise(380, "Invalid property value");
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(d.year());
  st.wMonth = static_cast<WORD>(d.month());
  st.wDay = static_cast<WORD>(d.day());
  st.wHour = static_cast<WORD>(d.hour());
  st.wMinute = static_cast<WORD>(d.minute());
  st.wSecond = static_cast<WORD>(d.second());
  st.wDayOfWeek = static_cast<WORD>(d.weekday() - 1);
  SendMessageW(h, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
}

bool DatePicker::onNotify(NMHDR* nm, LRESULT& result) {
  if (nm->code == DTN_DATETIMECHANGE) {
    if (Change) Change();
    result = 0;
    return true;
  }
  return false;
}

void DatePicker::resetState() {
  format_ = dtpShortDate;
  custom_.clear();
}

}  // namespace ui
