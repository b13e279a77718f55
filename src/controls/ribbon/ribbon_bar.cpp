#include "controls/ribbon/ribbon_bar.h"

#include <algorithm>
#include <stdexcept>

#include "controls/ribbon/ribbon_resources.h"
#include "platform/vb/error.h"

namespace ctl {

namespace {

const char* const kPieceNames[] = {
    "ButMouse", "Glip_on", "Glip_off", "Button_left_over", "Button_center_over",
    "Button_right_over", "Cat_Dlg_over", "Cat_Dlg_on", "Cat_Dlg", "Button_Icon", "Button_Caption",
    "Button_right", "Button_center", "Button_left", "TabMouse", "Tab_caption", "Tab_right",
    "Tab_center", "Tab_left", "Tab_left_over", "Tab_center_over", "Tab_right_over", "CatMouse",
    "Cat_Caption", "Cat_Right_on", "Cat_Center_on", "Cat_Left_on", "Cat_Right_off",
    "Cat_Left_off", "Cat_Center_off", "BarraLeft", "BarraRight", "Barra2"};
static_assert(sizeof kPieceNames / sizeof kPieceNames[0] == kPieceCount);

// Tab and category captions hold no line breaks: each CR LF becomes a blank.
std::string JoinLines(std::string s) {
  for (size_t at; (at = s.find("\r\n")) != std::string::npos;) s.replace(at, 2, " ");
  return s;
}

}  // namespace

const char* PieceName(Piece p) {
  int i = static_cast<int>(p);
  return i >= 0 && i < kPieceCount ? kPieceNames[i] : "";
}

RibbonBar::RibbonBar() {
  // Design order = stacking order, first front-most; Design() puts each new
  // piece behind the ones before it.
  Design(Piece::ButMouse, 2040, 1800, 375, 990, true);
  Design(Piece::Glip_on, 2280, 1560, 75, 60, false);
  Design(Piece::Glip_off, 2160, 1560, 75, 60, false);
  Design(Piece::Button_left_over, 2520, 1800, 45, 990, false);
  Design(Piece::Button_center_over, 2640, 1800, 735, 990, false, true);
  Design(Piece::Button_right_over, 3480, 1800, 45, 990, false);
  Design(Piece::Cat_Dlg_over, 4080, 1320, 225, 210, false);
  Design(Piece::Cat_Dlg_on, 3840, 1320, 225, 210, false);
  Design(Piece::Cat_Dlg, 3600, 1320, 225, 210, false);
  Design(Piece::Button_Icon, 1200, 1800, 615, 495, false);
  Design(Piece::Button_Caption, 1410, 2520, 570, 195, true, false, Font::Caption, true);
  Design(Piece::Button_right, 1920, 1800, 45, 990, false);
  Design(Piece::Button_center, 1080, 1800, 735, 990, false, true);
  Design(Piece::Button_left, 960, 1800, 45, 990, false);
  Design(Piece::TabMouse, 2520, 120, 735, 360, true);
  Design(Piece::Tab_caption, 840, 180, 750, 240, true, false, Font::Tab);
  Design(Piece::Tab_right, 2280, 120, 150, 360, false);
  Design(Piece::Tab_center, 1920, 120, 270, 360, false, true);
  Design(Piece::Tab_left, 1680, 120, 150, 360, false);
  Design(Piece::Tab_left_over, 1680, 600, 150, 360, false);
  Design(Piece::Tab_center_over, 1920, 600, 270, 360, false, true);
  Design(Piece::Tab_right_over, 2280, 600, 150, 360, false);
  Design(Piece::CatMouse, 4560, 240, 375, 1350, true);
  Design(Piece::Cat_Caption, 5400, 1200, 630, 240, true, false, Font::Cat);
  Design(Piece::Cat_Right_on, 6120, 150, 75, 1335, false);
  Design(Piece::Cat_Center_on, 5880, 150, 60, 1335, false, true);
  Design(Piece::Cat_Left_on, 5760, 150, 60, 1335, false);
  Design(Piece::Cat_Right_off, 5400, 150, 75, 1335, false);
  Design(Piece::Cat_Left_off, 5040, 150, 60, 1335, false);
  Design(Piece::Cat_Center_off, 5160, 150, 75, 1335, false, true);
  Design(Piece::BarraLeft, 0, 0, 165, 2130, false);
  Design(Piece::BarraRight, 480, 0, 165, 2130, false);
  Design(Piece::Barra2, 0, 0, 405, 2130, false, true);
  for (Piece p : {Piece::BarraLeft, Piece::BarraRight, Piece::Barra2})
    ElementAt(p, 0).visible = true;
  // The captions of the label templates are empty; the foreground is the
  // design's white for the tab and category captions.
  ElementAt(Piece::Tab_caption, 0).fore = 0xFFFFFF;
  ElementAt(Piece::Cat_Caption, 0).fore = 0xFFFFFF;
  ElementAt(Piece::Button_Caption, 0).fore = 0x80000008;

  // Creation: the strip hangs 390 twips above the top edge.
  ElementAt(Piece::Barra2, 0).top = -390;
  ElementAt(Piece::BarraLeft, 0).top = ElementAt(Piece::Barra2, 0).top;
  ElementAt(Piece::BarraRight, 0).top = ElementAt(Piece::Barra2, 0).top;
  ElementAt(Piece::Barra2, 0).width = 30720;
  InitProperties();
  changed_.clear();
}

RibbonBar::~RibbonBar() {
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  for (HFONT f : fonts_)
    if (f) DeleteObject(f);
}

void RibbonBar::Design(Piece p, float l, float t, float w, float h, bool label, bool stretch,
                       Font font, bool centred) {
  auto e = std::make_unique<WindowlessElement>();
  e->piece = p;
  e->left = l;
  e->top = t;
  e->width = w;
  e->height = h;
  e->label = label;
  e->stretch = stretch;
  e->font = font;
  e->centred = centred;
  stack_.insert(stack_.begin(), e.get());
  arrays_[static_cast<size_t>(p)][0] = std::move(e);
}

const RibbonBar::WindowlessElement* RibbonBar::Find(Piece p, int i) const {
  const Array& a = arrays_[static_cast<size_t>(p)];
  auto it = a.find(i);
  return it == a.end() ? nullptr : it->second.get();
}

RibbonBar::WindowlessElement& RibbonBar::ElementAt(Piece p, int i) {
  WindowlessElement* e = Find(p, i);
  if (!e) throw std::out_of_range("no such piece");
  return *e;
}

void RibbonBar::Load(Piece p, int i) {
  Array& a = arrays_[static_cast<size_t>(p)];
  if (i <= 0 || a.count(i)) throw std::out_of_range("piece already there");
  auto e = std::make_unique<WindowlessElement>(ElementAt(p, 0));
  e->index = i;
  e->visible = false;
  stack_.push_back(e.get());  // a new piece comes in front
  a[i] = std::move(e);
}

void RibbonBar::Unload(Piece p, int i) {
  Array& a = arrays_[static_cast<size_t>(p)];
  auto it = a.find(i);
  if (i == 0 || it == a.end()) throw std::out_of_range("no such piece");
  stack_.erase(std::find(stack_.begin(), stack_.end(), it->second.get()));
  if (captured_ == std::make_pair(p, i)) captured_ = {Piece::Count, -1};
  a.erase(it);
}

void RibbonBar::ToFront(Piece p, int i) {
  WindowlessElement* e = &ElementAt(p, i);
  stack_.erase(std::find(stack_.begin(), stack_.end(), e));
  stack_.push_back(e);
}

bool RibbonBar::Visible(Piece p, int i) const {
  const WindowlessElement* e = Find(p, i);
  return e && e->visible;
}

void RibbonBar::Show(Piece p, int i, bool on) {
  if (WindowlessElement* e = Find(p, i)) e->visible = on;
}

int RibbonBar::Highest(Piece p) const {
  const Array& a = arrays_[static_cast<size_t>(p)];
  return a.empty() ? -1 : a.rbegin()->first;
}

void RibbonBar::SetPicture(WindowlessElement& e, const RibbonPicture& pic) {
  e.picture = pic;
  // An image that does not stretch takes its picture's size.
  if (!e.stretch && !pic.empty()) {
    e.width = static_cast<float>(pic.Width() * kTwipsPerPixel);
    e.height = static_cast<float>(pic.Height() * kTwipsPerPixel);
  }
}

void RibbonBar::SetCaption(WindowlessElement& e, const std::string& text) {
  e.caption = text;
  // Caption labels size themselves to their text in their own font.
  SIZE s = MeasureText(e.font, text);
  e.width = static_cast<float>(s.cx * kTwipsPerPixel);
  e.height = static_cast<float>(s.cy * kTwipsPerPixel);
}

void RibbonBar::MarkChanged(const std::string& key) {
  if (std::find(changed_.begin(), changed_.end(), key) == changed_.end()) changed_.push_back(key);
}

void RibbonBar::Invalidate() {
  if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

// ---------------------------------------------------------------------------
// Lists

bool RibbonBar::AddTab(const std::string& zID, const std::string& zCaption) {
  if (tabCount_ >= kMaxTabs) vb::raise(vb::err::SubscriptOutOfRange, "", ExeName());
  tabs_.push_back({zID, JoinLines(zCaption)});
  tabCount_ = static_cast<int16_t>(tabs_.size());
  if (currentTab_.empty()) currentTab_ = zID;
  return false;
}

bool RibbonBar::AddCat(const std::string& zID, const std::string& zTab,
                       const std::string& zCaption, bool zDlgButton) {
  if (catCount_ >= kMaxCats) vb::raise(vb::err::SubscriptOutOfRange, "", ExeName());
  cats_.push_back({zID, zTab, JoinLines(zCaption), zDlgButton});
  catCount_ = static_cast<int16_t>(cats_.size());
  return false;
}

bool RibbonBar::AddButton(const std::string& zID, const std::string& zSubCat,
                          const std::string& zCaption, int16_t zPicture, bool zMore,
                          const std::string& zToolTip) {
  if (buttonCount_ >= kMaxButtons) vb::raise(vb::err::SubscriptOutOfRange, "", ExeName());
  StoredButton b;
  b.id = zID;
  b.subCat = zSubCat;
  b.caption = zCaption;  // a CR LF stays: a two-line caption
  b.toolTip = JoinLines(zToolTip.empty() ? zCaption : zToolTip);
  buttons_.push_back(b);
  buttonCount_ = static_cast<int16_t>(buttons_.size());
  // The button is counted and stored before its picture is looked up; a bad
  // picture number leaves it without picture and "more" flag.
  if (!imageList_) vb::raise(91, "Object variable or With block variable not set", ExeName());
  buttons_.back().picture = imageList_->Picture(zPicture);
  buttons_.back().more = zMore;
  return false;
}

// ---------------------------------------------------------------------------
// Properties

void RibbonBar::Theme(int16_t New_Theme) {
  int t = New_Theme < 0 || New_Theme > 2 ? 0 : New_Theme;
  theme_ = t;
  MarkChanged("Theme");
  ApplyTheme(t);
}

void RibbonBar::ButtonCenter(bool New_BC) {
  buttonCenter_ = New_BC;
  MarkChanged("ButtonCenter");
}

void RibbonBar::InitProperties() {
  theme_ = 0;
  buttonCenter_ = false;
}

void RibbonBar::ReadProperties(const std::vector<RibbonSavedProperty>& bag) {
  InitProperties();
  for (const auto& p : bag) {
    if (p.key == "Theme") theme_ = static_cast<int16_t>(p.value);  // kept as read, not applied
    if (p.key == "ButtonCenter") buttonCenter_ = p.value != 0;
  }
}

std::vector<RibbonSavedProperty> RibbonBar::WriteProperties() const {
  return {{"Theme", theme_},
          {"ButtonCenter", buttonCenter_ ? -1L : 0L},
          {"BackColor", static_cast<long>(backColor_)},
          {"ForeColor", static_cast<long>(foreColor_)}};
}

int RibbonBar::HeightTwips() const {
  const WindowlessElement* strip = Find(Piece::Barra2, 0);
  return static_cast<int>(strip->height) - 390;
}

void RibbonBar::Resize() { ApplyHeightRule(); }

void RibbonBar::ApplyHeightRule() {
  if (!hwnd_ || sizing_) return;
  RECT r;
  GetClientRect(hwnd_, &r);
  int h = HeightTwips() / kTwipsPerPixel;
  if (r.bottom - r.top == h) return;
  sizing_ = true;
  SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, h,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  sizing_ = false;
}

// ---------------------------------------------------------------------------
// Read-back

RibbonElementInfo RibbonBar::Element(Piece piece, int index) const {
  RibbonElementInfo info;
  const WindowlessElement* e = Find(piece, index);
  if (!e) return info;
  info.exists = true;
  info.visible = e->visible;
  info.left = e->left;
  info.top = e->top;
  info.width = e->width;
  info.height = e->height;
  info.caption = e->caption;
  info.tag = e->tag;
  info.toolTip = e->toolTip;
  info.foreColor = e->fore;
  info.picture = e->picture;
  return info;
}

int RibbonBar::HighestIndex(Piece piece) const { return Highest(piece); }

std::vector<std::pair<Piece, int>> RibbonBar::Stacking() const {
  std::vector<std::pair<Piece, int>> out;
  out.reserve(stack_.size());
  for (const WindowlessElement* e : stack_) out.emplace_back(e->piece, e->index);
  return out;
}

std::pair<Piece, int> RibbonBar::HitTest(int x, int y) const {
  // Pixel centres in twips, so that a piece's own pixels hit it.
  float tx = (static_cast<float>(x) + 0.5f) * kTwipsPerPixel;
  float ty = (static_cast<float>(y) + 0.5f) * kTwipsPerPixel;
  if (ty >= static_cast<float>(HeightTwips()) || ty < 0) return {Piece::Count, -1};
  for (auto it = stack_.rbegin(); it != stack_.rend(); ++it) {
    const WindowlessElement* e = *it;
    if (e->visible && tx >= e->left && tx < e->left + e->width && ty >= e->top &&
        ty < e->top + e->height)
      return {e->piece, e->index};
  }
  return {Piece::Count, -1};
}

}  // namespace ctl
