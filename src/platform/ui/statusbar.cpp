#include "platform/ui/statusbar.h"

#include <commctrl.h>

#include "platform/vb/error.h"

namespace ui {

namespace {
const UINT_PTR kKeyTimer = 0x5B;
}

void Panel::Text(const std::string& t) {
  text_ = t;
  if (owner_) owner_->panelChanged(*this);
}
void Panel::Width(int twips) {
  width_ = twips;
  if (owner_) owner_->panelChanged(*this);
}
void Panel::ToolTipText(const std::string& t) {
  tip_ = t;
  if (owner_) owner_->panelChanged(*this);
}

void StatusBar::Create(Container& parent) {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  HWND h = createWindow(parent, STATUSCLASSNAMEW, SBARS_TOOLTIPS | CCS_BOTTOM, 0, 0, 0, 0, 0);
  RECT r;
  GetWindowRect(h, &r);
  setTwipsSize(0, PixelsToTwipsY(r.bottom - r.top));
  TabStop(false);
  Align(vbAlignBottom);
  caps_ = (GetKeyState(VK_CAPITAL) & 1) != 0;
  num_ = (GetKeyState(VK_NUMLOCK) & 1) != 0;
  SetTimer(h, kKeyTimer, 250, nullptr);
}

Panel& StatusBar::PanelList::Add(const std::string& text, int widthTwips, int style, const std::string& toolTip) {
  sb->ensureLoaded();
  auto p = std::make_unique<Panel>();
  p->owner_ = sb;
  p->width_ = widthTwips;
  p->style_ = style;
  p->text_ = style == sbrCaps ? "CAPS" : style == sbrNum ? "NUM" : text;
  p->tip_ = toolTip;
  p->index_ = static_cast<int>(sb->panels_.size());
  sb->panels_.push_back(std::move(p));
  sb->applyParts();
  return *sb->panels_.back();
}

int StatusBar::PanelList::Count() {
  sb->ensureLoaded();
  return static_cast<int>(sb->panels_.size());
}

Panel& StatusBar::PanelList::Item(int index) {
  sb->ensureLoaded();
  if (index < 1 || index > static_cast<int>(sb->panels_.size())) vb::raise(35600, "Index out of bounds");
  return *sb->panels_[static_cast<size_t>(index) - 1];
}

bool StatusBar::indicatorOn(int style) const { return style == sbrCaps ? caps_ : style == sbrNum ? num_ : true; }

void StatusBar::applyParts() {
  HWND h = Control::hwnd();
  if (!h) return;
  std::vector<int> edges;
  int x = 0;
  for (auto& p : panels_) {
    x += TwipsToPixelsX(p->width_);
    edges.push_back(x);
  }
  if (edges.empty()) edges.push_back(-1);
  SendMessageW(h, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  for (auto& p : panels_) panelChanged(*p);
}

void StatusBar::panelChanged(Panel& p) {
  HWND h = Control::hwnd();
  if (!h) return;
  WPARAM part = static_cast<WPARAM>(p.index_);
  if (p.style_ == sbrText) {
    std::wstring w = Widen(p.text_);
    SendMessageW(h, SB_SETTEXTW, part, reinterpret_cast<LPARAM>(w.c_str()));
  } else {
    SendMessageW(h, SB_SETTEXTW, part | SBT_OWNERDRAW, reinterpret_cast<LPARAM>(&p));
  }
  std::wstring tip = Widen(p.tip_);
  SendMessageW(h, SB_SETTIPTEXTW, part, reinterpret_cast<LPARAM>(tip.c_str()));
}

bool StatusBar::onDrawItem(DRAWITEMSTRUCT* dis) {
  auto* p = reinterpret_cast<Panel*>(dis->itemData);
  if (!p) return false;
  ScopedSelect font(dis->hDC, FontFor(font_));
  SetBkMode(dis->hDC, TRANSPARENT);
  SetTextColor(dis->hDC, indicatorOn(p->style_) ? ResolveColor(vbButtonText) : GetSysColor(COLOR_GRAYTEXT));
  std::wstring w = Widen(p->text_);
  RECT r = dis->rcItem;
  DrawTextW(dis->hDC, w.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  return true;
}

bool StatusBar::handleMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (msg == WM_TIMER && wp == kKeyTimer) {
    bool caps = (GetKeyState(VK_CAPITAL) & 1) != 0, num = (GetKeyState(VK_NUMLOCK) & 1) != 0;
    if (caps != caps_ || num != num_) {
      caps_ = caps, num_ = num;
      InvalidateRect(hwnd, nullptr, TRUE);
    }
    result = 0;
    return true;
  }
  if (msg == WM_DESTROY) KillTimer(hwnd, kKeyTimer);
  return Control::handleMessage(hwnd, msg, wp, lp, result);
}

void StatusBar::resetState() {
  panels_.clear();
  caps_ = num_ = false;
}

}  // namespace ui
