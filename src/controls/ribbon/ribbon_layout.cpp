// Layout of the tab row, the categories of the current tab and their buttons.
// Every statement runs on its own: one that fails (a piece that does not
// exist, an entry that is not there) is skipped and the layout goes on.
#include <windows.h>
#include <commctrl.h>

#include <cmath>
#include <stdexcept>

#include "controls/ribbon/ribbon_bar.h"
#include "platform/ui/utf16.h"

namespace ctl {

namespace {

// Runs one statement of a layout; an error skips just that statement.
template <class F>
void SkipOnError(F&& f) {
  try {
    f();
  } catch (const std::exception&) {
    // skipped: the layout goes on with the next statement
  }
}

}  // namespace

// Tabs, categories and buttons are built alike: a frame of a left end, a
// stretched middle and a right end, a second frame laid over it (the hot look
// of a tab or category, the pressed look of a button) and a hit area.
struct RibbonBar::ItemPieces {
  Piece left, center, right;
  Piece overLeft, overCenter, overRight;
  Piece mouse;
  std::vector<Piece> all;  // in the order in which their elements are created and removed
};

const RibbonBar::ItemPieces RibbonBar::kTab{
    Piece::Tab_left,      Piece::Tab_center,      Piece::Tab_right,
    Piece::Tab_left_over, Piece::Tab_center_over, Piece::Tab_right_over,
    Piece::TabMouse,
    {Piece::Tab_caption, Piece::Tab_left, Piece::Tab_center, Piece::Tab_right, Piece::Tab_left_over,
     Piece::Tab_center_over, Piece::Tab_right_over, Piece::TabMouse}};
const RibbonBar::ItemPieces RibbonBar::kCat{
    Piece::Cat_Left_off, Piece::Cat_Center_off, Piece::Cat_Right_off,
    Piece::Cat_Left_on,  Piece::Cat_Center_on,  Piece::Cat_Right_on,
    Piece::CatMouse,
    {Piece::Cat_Left_off, Piece::Cat_Left_on, Piece::Cat_Right_off, Piece::Cat_Right_on,
     Piece::Cat_Center_off, Piece::Cat_Center_on, Piece::Cat_Caption, Piece::CatMouse,
     Piece::Cat_Dlg, Piece::Cat_Dlg_on, Piece::Cat_Dlg_over}};
const RibbonBar::ItemPieces RibbonBar::kButton{
    Piece::Button_left,      Piece::Button_center,      Piece::Button_right,
    Piece::Button_left_over, Piece::Button_center_over, Piece::Button_right_over,
    Piece::ButMouse,
    {Piece::Button_left, Piece::Button_center, Piece::Button_right, Piece::Button_left_over,
     Piece::Button_center_over, Piece::Button_right_over, Piece::Button_Caption, Piece::Button_Icon,
     Piece::Glip_on, Piece::Glip_off, Piece::ButMouse}};

// Removes elements 1 to top of each of the item's arrays, index by index.
void RibbonBar::RemoveItems(const ItemPieces& item, int top) {
  for (int i = 1; i <= top; ++i)
    for (Piece p : item.all) SkipOnError([&] { Unload(p, i); });
}

// Creates item i of a row (item 0 is the templates themselves) and starts it
// where the right end of the item before ends; the first starts at firstLeft.
void RibbonBar::StartItem(const ItemPieces& item, int i, float firstLeft) {
  if (i != 0) {
    for (Piece p : item.all) SkipOnError([&] { Load(p, i); });
    SkipOnError([&] {
      ElementAt(item.left, i).left =
          ElementAt(item.right, i - 1).left + ElementAt(item.right, i).width;
    });
  } else {
    SkipOnError([&] { ElementAt(item.left, 0).left = firstLeft; });
  }
  SkipOnError([&] { ElementAt(item.mouse, i).left = ElementAt(item.left, i).left; });
}

// The frame laid over takes the frame's place and middle width.
void RibbonBar::LayOverFrame(const ItemPieces& item, int i) {
  SkipOnError([&] { ElementAt(item.overCenter, i).width = ElementAt(item.center, i).width; });
  SkipOnError([&] { ElementAt(item.overCenter, i).left = ElementAt(item.center, i).left; });
  SkipOnError([&] { ElementAt(item.overLeft, i).left = ElementAt(item.left, i).left; });
  SkipOnError([&] { ElementAt(item.overRight, i).left = ElementAt(item.right, i).left; });
}

// The hit area runs over the whole frame; its height stays the template's.
void RibbonBar::SpanHitArea(const ItemPieces& item, int i) {
  SkipOnError([&] {
    ElementAt(item.mouse, i).width = ElementAt(item.left, i).width +
                                     ElementAt(item.center, i).width +
                                     ElementAt(item.right, i).width;
  });
}

void RibbonBar::Refresh() {
  RunLayout([this] {
    ApplyHeightRule();
    DrawTabs();
    DrawCats();
  });
}

// A layout asked for while another runs (from a message delivered by the
// category layout's message pass) waits until the running one has finished,
// so that no layout ever tears down pieces another is still placing.
void RibbonBar::RunLayout(std::function<void()> work) {
  if (layoutDepth_ > 0) {
    deferred_.push_back(std::move(work));
    return;
  }
  struct Depth {
    int& d;
    explicit Depth(int& x) : d(x) { ++d; }
    ~Depth() { --d; }
  };
  {
    Depth guard(layoutDepth_);
    work();
    while (!deferred_.empty()) {
      auto next = std::move(deferred_.front());
      deferred_.erase(deferred_.begin());
      next();
    }
  }
  Invalidate();
}

void RibbonBar::DrawTabs() {
  RemoveItems(kTab, tabCount_ - 1);
  for (int i = 0; i <= tabCount_ - 1; ++i) {
    StartItem(kTab, i, 90);
    SkipOnError([&] { ElementAt(Piece::Tab_caption, i).top = 60; });
    for (Piece p : {Piece::Tab_center, Piece::Tab_left, Piece::Tab_right, Piece::Tab_center_over,
                    Piece::Tab_left_over, Piece::Tab_right_over, Piece::TabMouse})
      SkipOnError([&] { ElementAt(p, i).top = 0; });
    SkipOnError([&] {
      SetCaption(ElementAt(Piece::Tab_caption, i), tabs_.at(static_cast<size_t>(i)).caption);
    });
    SkipOnError(
        [&] { ElementAt(Piece::Tab_center, i).width = ElementAt(Piece::Tab_caption, i).width; });
    SkipOnError([&] {
      ElementAt(Piece::Tab_center, i).left =
          ElementAt(Piece::Tab_left, i).left + ElementAt(Piece::Tab_left, i).width;
    });
    SkipOnError(
        [&] { ElementAt(Piece::Tab_caption, i).left = ElementAt(Piece::Tab_center, i).left; });
    SkipOnError([&] {
      ElementAt(Piece::Tab_right, i).left =
          ElementAt(Piece::Tab_center, i).left + ElementAt(Piece::Tab_center, i).width;
    });
    LayOverFrame(kTab, i);
    SpanHitArea(kTab, i);
    SkipOnError([&] { ElementAt(Piece::Tab_caption, i).fore = tabForeNormal_; });
    Show(Piece::Tab_caption, i, true);
    bool selected = tabs_[static_cast<size_t>(i)].id == currentTab_;
    for (Piece p : {Piece::Tab_center, Piece::Tab_left, Piece::Tab_right}) Show(p, i, selected);
    if (selected) SkipOnError([&] { ElementAt(Piece::Tab_caption, i).fore = tabForeSelected_; });
    Show(Piece::TabMouse, i, true);
    for (Piece p :
         {Piece::Tab_center, Piece::Tab_left, Piece::Tab_right, Piece::Tab_center_over,
          Piece::Tab_left_over, Piece::Tab_right_over, Piece::Tab_caption, Piece::TabMouse})
      SkipOnError([&] { ToFront(p, i); });
  }
}

void RibbonBar::DrawCats() {
  SetCatTemplateTops();
  std::vector<StoredCat> list = CatsOfCurrentTab();
  RemoveCatsAndButtons();
  // Kept from one category to the next: a category whose buttons cannot be
  // laid out is sized by the width of the category before it.
  int16_t buttonsWidth = 0;
  for (int i = 0, n = static_cast<int>(list.size()); i < n; ++i) {
    const StoredCat& c = list[static_cast<size_t>(i)];
    StartCat(c, i);
    SkipOnError([&] {
      float left = std::nearbyint(ElementAt(Piece::Cat_Center_off, i).left);  // halves to even
      buttonsWidth = DrawButtons(c.id, static_cast<int16_t>(left), static_cast<int16_t>(i));
    });
    FitCatFrame(c, i, buttonsWidth);
    ShowCat(i);
    PlaceLauncher(c, i);
  }
  PumpMessagesOnce();
  RestackButtons();
  UpdateToolTips();
  Invalidate();
}

// The pieces a category layout creates take their tops from the templates.
void RibbonBar::SetCatTemplateTops() {
  for (Piece p : {Piece::Cat_Center_off, Piece::Cat_Center_on, Piece::Cat_Left_off,
                  Piece::Cat_Left_on, Piece::Cat_Right_off, Piece::Cat_Right_on, Piece::CatMouse})
    SkipOnError([&] { ElementAt(p, 0).top = 360; });
  SkipOnError([&] { ElementAt(Piece::Cat_Caption, 0).top = 1400; });
}

// The current tab's categories, in the order they were added.
std::vector<RibbonBar::StoredCat> RibbonBar::CatsOfCurrentTab() const {
  std::vector<StoredCat> list;
  for (const StoredCat& c : cats_)
    if (!c.tab.empty() && !currentTab_.empty() && c.tab == currentTab_) list.push_back(c);
  return list;
}

// Throws away the categories and buttons of the last layout and hides the
// templates.
void RibbonBar::RemoveCatsAndButtons() {
  RemoveItems(kCat, Highest(Piece::CatMouse));
  RemoveItems(kButton, Highest(Piece::Button_center));
  for (Piece p : {Piece::Button_left, Piece::Button_center, Piece::Button_right,
                  Piece::Button_Caption, Piece::Button_Icon, Piece::ButMouse, Piece::Cat_Left_off,
                  Piece::Cat_Left_on, Piece::Cat_Right_off, Piece::Cat_Right_on,
                  Piece::Cat_Center_off, Piece::Cat_Center_on, Piece::Cat_Caption, Piece::CatMouse,
                  Piece::Cat_Dlg, Piece::Cat_Dlg_on, Piece::Cat_Dlg_over})
    Show(p, 0, false);
}

// Creates category i where the one before ends, names it and places the left
// of its middle piece, where its buttons begin.
void RibbonBar::StartCat(const StoredCat& c, int i) {
  StartItem(kCat, i, 120);
  SkipOnError([&] { SetCaption(ElementAt(Piece::Cat_Caption, i), c.caption); });
  SkipOnError([&] { ElementAt(Piece::Cat_Caption, i).tag = c.id; });
  SkipOnError([&] {
    ElementAt(Piece::Cat_Center_off, i).left =
        ElementAt(Piece::Cat_Left_off, i).left + ElementAt(Piece::Cat_Left_off, i).width;
  });
}

// The frame is as wide as the caption (and launcher) or, when they need more,
// the buttons; then its right end, the hot frame over it and the hit area.
void RibbonBar::FitCatFrame(const StoredCat& c, int i, int16_t buttonsWidth) {
  SkipOnError([&] {
    ElementAt(Piece::Cat_Center_off, i).width =
        c.dlg ? ElementAt(Piece::Cat_Dlg, i).width + ElementAt(Piece::Cat_Caption, i).width
              : ElementAt(Piece::Cat_Caption, i).width;
  });
  SkipOnError([&] {
    WindowlessElement& centre = ElementAt(Piece::Cat_Center_off, i);
    WindowlessElement& caption = ElementAt(Piece::Cat_Caption, i);
    if (centre.width < buttonsWidth) {
      centre.width = buttonsWidth;
      caption.left = centre.left + (centre.width - caption.width) / 2;
    } else {
      caption.left = centre.left;
    }
  });
  SkipOnError([&] {
    ElementAt(Piece::Cat_Right_off, i).left =
        ElementAt(Piece::Cat_Center_off, i).left + ElementAt(Piece::Cat_Center_off, i).width;
  });
  LayOverFrame(kCat, i);
  SpanHitArea(kCat, i);
}

// Shows the frame, caption and hit area (the hot frame stays hidden) and puts
// them in front of the category's buttons.
void RibbonBar::ShowCat(int i) {
  for (Piece p : {Piece::Cat_Caption, Piece::Cat_Center_off, Piece::Cat_Left_off,
                  Piece::Cat_Right_off, Piece::CatMouse})
    Show(p, i, true);
  for (Piece p :
       {Piece::Cat_Center_off, Piece::Cat_Left_off, Piece::Cat_Right_off, Piece::Cat_Center_on,
        Piece::Cat_Left_on, Piece::Cat_Right_on, Piece::Cat_Caption, Piece::CatMouse})
    SkipOnError([&] { ToFront(p, i); });
}

// The launcher sits in the frame's lower right corner, reaching into its right
// end; it shows only for a category that has one.
void RibbonBar::PlaceLauncher(const StoredCat& c, int i) {
  SkipOnError([&] {
    ElementAt(Piece::Cat_Dlg, i).left =
        ElementAt(Piece::Cat_Right_off, i).left - ElementAt(Piece::Cat_Dlg, i).width + 15;
  });
  SkipOnError([&] {
    ElementAt(Piece::Cat_Dlg, i).top = ElementAt(Piece::Cat_Right_off, i).top +
                                       ElementAt(Piece::Cat_Right_off, i).height -
                                       (ElementAt(Piece::Cat_Dlg, i).height + 60);
  });
  for (Piece p : {Piece::Cat_Dlg_on, Piece::Cat_Dlg_over})
    SkipOnError([&] { ElementAt(p, i).left = ElementAt(Piece::Cat_Dlg, i).left; });
  for (Piece p : {Piece::Cat_Dlg_on, Piece::Cat_Dlg_over})
    SkipOnError([&] { ElementAt(p, i).top = ElementAt(Piece::Cat_Dlg, i).top; });
  Show(Piece::Cat_Dlg_on, i, false);
  Show(Piece::Cat_Dlg_over, i, false);
  Show(Piece::Cat_Dlg, i, c.dlg);
  for (Piece p : {Piece::Cat_Dlg, Piece::Cat_Dlg_on, Piece::Cat_Dlg_over})
    SkipOnError([&] { ToFront(p, i); });
}

// Each frame came to the front after its buttons were made: every button goes
// back in front of all frames, its hit area in front of its own pieces.
void RibbonBar::RestackButtons() {
  for (int j = 0, top = Highest(Piece::ButMouse); j <= top; ++j) {
    for (Piece p : {Piece::Button_left, Piece::Button_right, Piece::Button_center,
                    Piece::Button_left_over, Piece::Button_right_over, Piece::Button_center_over}) {
      Show(p, j, false);
      SkipOnError([&] { ToFront(p, j); });
    }
    for (Piece p : {Piece::Button_Icon, Piece::Button_Caption, Piece::Glip_off, Piece::Glip_on,
                    Piece::ButMouse})
      SkipOnError([&] { ToFront(p, j); });
  }
}

int16_t RibbonBar::DrawButtons(const std::string& catId, int16_t startLeft, int16_t catIndex) {
  std::vector<StoredButton> snap;
  for (const StoredButton& b : buttons_)
    if (b.subCat == catId) snap.push_back(b);
  int n = static_cast<int>(snap.size());
  for (Piece p : {Piece::Button_left, Piece::Button_center, Piece::Button_right}) Show(p, 0, false);
  for (Piece p : {Piece::Button_Caption, Piece::Button_Icon, Piece::ButMouse}) Show(p, 0, true);

  int first = Highest(Piece::ButMouse) + 1;
  double total = 0;
  for (int i = first; i <= first + n - 1; ++i) {
    const StoredButton& b = snap[static_cast<size_t>(i - first)];
    LoadButton(b, i, catIndex);
    PlaceButtonFrame(i, i == first, startLeft);
    StackIconAndCaption(b, i);
    float width = CentreIconAndCaption(i);
    CloseButtonFrame(b, i, width);
    ShowButton(b, i);
    SkipOnError([&] { total += ElementAt(Piece::ButMouse, i).width + 30; });
  }
  // A row wider than the 16-bit twips range is held at its largest value, so
  // that the frame still runs under every button the strip can show.
  double result = std::nearbyint(total - 30);
  if (result > 32767) result = 32767;
  return static_cast<int16_t>(result);
}

// Creates button i; its hit area carries its ID, its middle piece the index of
// the category it lights.
void RibbonBar::LoadButton(const StoredButton& b, int i, int16_t catIndex) {
  for (Piece p : kButton.all) SkipOnError([&] { Load(p, i); });
  SkipOnError([&] { ElementAt(Piece::ButMouse, i).tag = b.id; });
  SkipOnError([&] { ElementAt(Piece::Button_center, i).tag = std::to_string(catIndex); });
}

// The hit area and the hover and pressed frames start 60 twips below the top
// of the category frames; the button's left is startLeft for its category's
// first button, else 30 twips after the button before; then the left end and
// the left of the middle piece follow.
void RibbonBar::PlaceButtonFrame(int i, bool firstOfCat, int16_t startLeft) {
  SkipOnError(
      [&] { ElementAt(Piece::ButMouse, i).top = ElementAt(Piece::Cat_Left_off, 0).top + 60; });
  for (Piece p : {Piece::Button_left, Piece::Button_center, Piece::Button_right,
                  Piece::Button_left_over, Piece::Button_center_over, Piece::Button_right_over})
    SkipOnError([&] { ElementAt(p, i).top = ElementAt(Piece::ButMouse, i).top; });
  SkipOnError([&] {
    ElementAt(Piece::ButMouse, i).left =
        firstOfCat
            ? startLeft
            : ElementAt(Piece::ButMouse, i - 1).left + ElementAt(Piece::ButMouse, i - 1).width + 30;
  });
  SkipOnError([&] { ElementAt(Piece::Button_left, i).left = ElementAt(Piece::ButMouse, i).left; });
  SkipOnError(
      [&] { ElementAt(Piece::Button_left_over, i).left = ElementAt(Piece::Button_left, i).left; });
  SkipOnError([&] {
    ElementAt(Piece::Button_center, i).left =
        ElementAt(Piece::Button_left, i).left + ElementAt(Piece::Button_left, i).width;
  });
  SkipOnError([&] {
    ElementAt(Piece::Button_center_over, i).left = ElementAt(Piece::Button_center, i).left;
  });
}

// Caption and picture (each sizes its piece), then from the top down: the
// icon (at a fixed offset, or centred with the caption when ButtonCenter is
// on), the caption under it and the "more" glyph under the caption.
void RibbonBar::StackIconAndCaption(const StoredButton& b, int i) {
  SkipOnError([&] { SetCaption(ElementAt(Piece::Button_Caption, i), b.caption); });
  SkipOnError([&] { SetPicture(ElementAt(Piece::Button_Icon, i), b.picture); });
  SkipOnError([&] {
    WindowlessElement& icon = ElementAt(Piece::Button_Icon, i);
    const WindowlessElement& centre = ElementAt(Piece::Button_center, i);
    if (!buttonCenter_) {
      icon.top = centre.top + 90;
    } else {
      float capH = ElementAt(Piece::Button_Caption, i).height;
      float free = centre.height - (icon.height + capH);
      icon.top = b.more ? centre.top + (free - capH / 2) / 2 : centre.top + free / 2;
    }
  });
  SkipOnError([&] {
    ElementAt(Piece::Button_Caption, i).top =
        ElementAt(Piece::Button_Icon, i).top + ElementAt(Piece::Button_Icon, i).height;
  });
  SkipOnError([&] {
    const WindowlessElement& cap = ElementAt(Piece::Button_Caption, i);
    ElementAt(Piece::Glip_off, i).top =
        cap.top + cap.height + (cap.height - ElementAt(Piece::Glip_off, i).height) / 2;
  });
  SkipOnError([&] { ElementAt(Piece::Glip_on, i).top = ElementAt(Piece::Glip_off, i).top; });
}

// The wider of caption and icon starts at the middle piece's left, the other
// is centred on it, and so is the glyph on the caption. Returns the wider's
// width (0 when it cannot be read).
float RibbonBar::CentreIconAndCaption(int i) {
  float w = 0;
  SkipOnError([&] {
    WindowlessElement& cap = ElementAt(Piece::Button_Caption, i);
    WindowlessElement& icon = ElementAt(Piece::Button_Icon, i);
    const WindowlessElement& centre = ElementAt(Piece::Button_center, i);
    if (cap.width > icon.width) {
      cap.left = centre.left;
      icon.left = cap.left + (cap.width - icon.width) / 2;
      w = cap.width;
    } else {
      icon.left = centre.left;
      cap.left = icon.left + (icon.width - cap.width) / 2;
      w = icon.width;
    }
  });
  SkipOnError([&] {
    const WindowlessElement& cap = ElementAt(Piece::Button_Caption, i);
    ElementAt(Piece::Glip_off, i).left =
        cap.left + (cap.width - ElementAt(Piece::Glip_on, i).width) / 2;
  });
  SkipOnError([&] { ElementAt(Piece::Glip_on, i).left = ElementAt(Piece::Glip_off, i).left; });
  return w;
}

// The middle pieces take the content's width; then the right ends, the hit
// area over the whole frame and its tooltip.
void RibbonBar::CloseButtonFrame(const StoredButton& b, int i, float width) {
  SkipOnError([&] { ElementAt(Piece::Button_center, i).width = width; });
  SkipOnError([&] {
    ElementAt(Piece::Button_center_over, i).width = ElementAt(Piece::Button_center, i).width;
  });
  SkipOnError([&] {
    ElementAt(Piece::Button_right, i).left =
        ElementAt(Piece::Button_center, i).left + ElementAt(Piece::Button_center, i).width;
  });
  SkipOnError([&] {
    ElementAt(Piece::Button_right_over, i).left = ElementAt(Piece::Button_right, i).left;
  });
  SpanHitArea(kButton, i);
  SkipOnError([&] { ElementAt(Piece::ButMouse, i).toolTip = b.toolTip; });
}

// Icon, caption and hit area show; the "more" glyph too, in front; the hover
// and pressed frames stay hidden until the mouse lights them.
void RibbonBar::ShowButton(const StoredButton& b, int i) {
  for (Piece p : {Piece::Button_Icon, Piece::Button_Caption, Piece::ButMouse}) Show(p, i, true);
  if (b.more) {
    Show(Piece::Glip_off, i, true);
    SkipOnError([&] { ToFront(Piece::Glip_off, i); });
    SkipOnError([&] { ToFront(Piece::Glip_on, i); });
  }
}

// The one place where the ribbon lets pending messages through in the middle
// of its work; a layout they ask for is deferred by RunLayout.
void RibbonBar::PumpMessagesOnce() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void RibbonBar::UpdateToolTips() {
  if (!tips_) return;
  TTTOOLINFOW ti{};
  ti.cbSize = TTTOOLINFOW_V2_SIZE;
  ti.hwnd = hwnd_;
  for (int k = 0; k < tipCount_; ++k) {
    ti.uId = static_cast<UINT_PTR>(k + 1);
    SendMessageW(tips_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  }
  tipCount_ = 0;
  for (int j = 1, top = Highest(Piece::ButMouse); j <= top; ++j) {
    const WindowlessElement* e = Find(Piece::ButMouse, j);
    if (!e || !e->visible || e->toolTip.empty()) continue;
    std::wstring text = ui::Widen(e->toolTip);
    ti.uFlags = TTF_SUBCLASS;
    ti.uId = static_cast<UINT_PTR>(++tipCount_);
    ti.rect = {static_cast<LONG>(e->left / kTwipsPerPixel), static_cast<LONG>(e->top / kTwipsPerPixel),
               static_cast<LONG>((e->left + e->width) / kTwipsPerPixel),
               static_cast<LONG>((e->top + e->height) / kTwipsPerPixel)};
    ti.lpszText = text.data();
    SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  }
}

}  // namespace ctl
