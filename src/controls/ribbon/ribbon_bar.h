#pragma once
// RibbonBar: a band of tabs, under the selected tab a row of categories
// (groups), in each category a row of icon buttons. The host fills it with
// AddTab / AddCat / AddButton, picks a theme, hands over its pictures and
// calls Refresh; clicks come back through TabClick, CatClick and ButtonClick.
//
// The ribbon is built from light pieces (images and labels grouped in arrays
// whose element 0 is the template for the others). All of them live in ONE
// child window that paints them back to front and gives each mouse event to
// the front-most visible piece under the cursor. Positions are twips
// (15 per pixel).
#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "controls/ribbon/ribbon_images.h"
#include "controls/ribbon/ribbon_picture.h"

namespace ctl {

// Every piece array, in design order (which is also the stacking order at
// creation, first = front-most).
enum class Piece {
  ButMouse, Glip_on, Glip_off, Button_left_over, Button_center_over, Button_right_over,
  Cat_Dlg_over, Cat_Dlg_on, Cat_Dlg, Button_Icon, Button_Caption, Button_right, Button_center,
  Button_left, TabMouse, Tab_caption, Tab_right, Tab_center, Tab_left, Tab_left_over,
  Tab_center_over, Tab_right_over, CatMouse, Cat_Caption, Cat_Right_on, Cat_Center_on,
  Cat_Left_on, Cat_Right_off, Cat_Left_off, Cat_Center_off, BarraLeft, BarraRight, Barra2,
  Count
};
constexpr int kPieceCount = static_cast<int>(Piece::Count);
const char* PieceName(Piece p);

// What a test or the host can read back of one piece.
struct RibbonElementInfo {
  bool exists = false;
  bool visible = false;
  float left = 0, top = 0, width = 0, height = 0;  // twips
  std::string caption, tag, toolTip;
  uint32_t foreColor = 0;  // OLE colour (0x80000008 = the system's window text)
  RibbonPicture picture;
};

// One saved property of the host's form, in the order they are written.
struct RibbonSavedProperty {
  std::string key;
  long value;
};

class RibbonBar {
public:
  static constexpr int kTwipsPerPixel = 15;
  static constexpr int kMaxTabs = 31, kMaxCats = 31, kMaxButtons = 91;

  RibbonBar();
  ~RibbonBar();
  RibbonBar(const RibbonBar&) = delete;
  RibbonBar& operator=(const RibbonBar&) = delete;

  // Creates the control's window as a child of parent at (x, y) pixels with
  // the given width; the height follows the height rule.
  HWND Create(HWND parent, int x, int y, int width, int controlId = 0);
  HWND hwnd() const { return hwnd_; }

  // --- public members in their declared order ---
  void Refresh();
  bool AddTab(const std::string& zID, const std::string& zCaption);
  bool AddCat(const std::string& zID, const std::string& zTab, const std::string& zCaption,
              bool zDlgButton);
  bool AddButton(const std::string& zID, const std::string& zSubCat, const std::string& zCaption,
                 int16_t zPicture, bool zMore = false, const std::string& zToolTip = "");
  int16_t Theme() const { return static_cast<int16_t>(theme_); }
  void Theme(int16_t New_Theme);
  bool ButtonCenter() const { return buttonCenter_; }
  void ButtonCenter(bool New_BC);
  RibbonPicture LoadBackground() const;
  void Resize();
  void ImageList(const RibbonImages* zImageList) { imageList_ = zImageList; }
  uint32_t BackColor() const { return backColor_; }
  uint32_t ForeColor() const { return foreColor_; }

  std::function<void(const std::string& id, const std::string& Caption)> TabClick, CatClick,
      ButtonClick;

  // --- saved properties ---
  void InitProperties();  // a newly placed control
  void ReadProperties(const std::vector<RibbonSavedProperty>& bag);
  std::vector<RibbonSavedProperty> WriteProperties() const;
  // Keys marked as changed since the last WriteProperties.
  const std::vector<std::string>& ChangedProperties() const { return changed_; }

  // Draws the control, as it stands, into dc with its top-left at (0, 0),
  // clipped to width x the control's height (pixels).
  void Paint(HDC dc, int width) const;

  // --- read-back for the host's layout and for tests ---
  int16_t TabCount() const { return tabCount_; }
  int16_t CatCount() const { return catCount_; }
  int16_t ButtonCount() const { return buttonCount_; }
  const std::string& CurrentTab() const { return currentTab_; }
  uint32_t TabForeNormal() const { return tabForeNormal_; }
  uint32_t TabForeSelected() const { return tabForeSelected_; }
  int HeightTwips() const;
  RibbonElementInfo Element(Piece piece, int index) const;
  int HighestIndex(Piece piece) const;  // -1 when the array is empty
  // Pieces from back to front (visible or not).
  std::vector<std::pair<Piece, int>> Stacking() const;
  // The front-most visible piece at a point in pixels; {Piece::Count, -1} for none.
  std::pair<Piece, int> HitTest(int x, int y) const;
  struct StoredTab { std::string id, caption; };
  struct StoredCat { std::string id, tab, caption; bool dlg = false; };
  struct StoredButton {
    std::string id, subCat, caption, toolTip;
    RibbonPicture picture;
    bool more = false;
  };
  const std::vector<StoredTab>& Tabs() const { return tabs_; }
  const std::vector<StoredCat>& Cats() const { return cats_; }
  const std::vector<StoredButton>& Buttons() const { return buttons_; }

private:
  enum class Font { None, Caption, Tab, Cat };
  struct WindowlessElement {
    Piece piece;
    int index = 0;
    bool visible = false;
    bool label = false, stretch = false, centred = false;
    float left = 0, top = 0, width = 0, height = 0;
    RibbonPicture picture;
    std::string caption, tag, toolTip;
    uint32_t fore = 0;
    Font font = Font::None;
  };
  using Array = std::map<int, std::unique_ptr<WindowlessElement>>;

  // pieces (ribbon_bar.cpp)
  WindowlessElement& ElementAt(Piece p, int i);  // throws when the element does not exist
  const WindowlessElement* Find(Piece p, int i) const;
  WindowlessElement* Find(Piece p, int i) {
    return const_cast<WindowlessElement*>(static_cast<const RibbonBar*>(this)->Find(p, i));
  }
  void Design(Piece p, float l, float t, float w, float h, bool label, bool stretch = false,
              Font font = Font::None, bool centred = false);
  void Load(Piece p, int i);
  void Unload(Piece p, int i);
  void ToFront(Piece p, int i);
  bool Visible(Piece p, int i) const;
  void Show(Piece p, int i, bool on);
  void SetPicture(WindowlessElement& e, const RibbonPicture& pic);
  void SetCaption(WindowlessElement& e, const std::string& text);
  int Highest(Piece p) const;
  void MarkChanged(const std::string& key);
  void Invalidate();
  void ApplyHeightRule();

  // themes (ribbon_theme.cpp)
  void ApplyTheme(int theme);

  // layout (ribbon_layout.cpp)
  struct ItemPieces;
  static const ItemPieces kTab, kCat, kButton;
  void RemoveItems(const ItemPieces& item, int top);
  void StartItem(const ItemPieces& item, int i, float firstLeft);
  void LayOverFrame(const ItemPieces& item, int i);
  void SpanHitArea(const ItemPieces& item, int i);
  void DrawTabs();
  void DrawCats();
  void SetCatTemplateTops();
  std::vector<StoredCat> CatsOfCurrentTab() const;
  void RemoveCatsAndButtons();
  void StartCat(const StoredCat& c, int i);
  void FitCatFrame(const StoredCat& c, int i, int16_t buttonsWidth);
  void ShowCat(int i);
  void PlaceLauncher(const StoredCat& c, int i);
  void RestackButtons();
  int16_t DrawButtons(const std::string& catId, int16_t startLeft, int16_t catIndex);
  void LoadButton(const StoredButton& b, int i, int16_t catIndex);
  void PlaceButtonFrame(int i, bool firstOfCat, int16_t startLeft);
  void StackIconAndCaption(const StoredButton& b, int i);
  float CentreIconAndCaption(int i);
  void CloseButtonFrame(const StoredButton& b, int i, float width);
  void ShowButton(const StoredButton& b, int i);
  void PumpMessagesOnce();
  void RunLayout(std::function<void()> work);
  void UpdateToolTips();

  // mouse (ribbon_mouse.cpp)
  void HoverTab(int index);
  void HoverCat(int index);
  void HoverButton(int index);
  void SelectTab(int index);
  void MouseMove(std::pair<Piece, int> target);
  void MouseDown(std::pair<Piece, int> target);
  void MouseUp(std::pair<Piece, int> target);
  void ShowPressed(int i, bool on);
  void Click(std::pair<Piece, int> target);
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

  // paint (ribbon_paint.cpp)
  HFONT FontFor(Font f) const;
  SIZE MeasureText(Font f, const std::string& text) const;

  HWND hwnd_ = nullptr;
  HWND tips_ = nullptr;
  int tipCount_ = 0;
  std::array<Array, kPieceCount> arrays_;
  std::vector<WindowlessElement*> stack_;  // back to front

  int16_t tabCount_ = 0, catCount_ = 0, buttonCount_ = 0;
  std::string currentTab_;
  std::vector<StoredTab> tabs_;
  std::vector<StoredCat> cats_;
  std::vector<StoredButton> buttons_;
  int theme_ = 0;
  bool buttonCenter_ = false;
  const RibbonImages* imageList_ = nullptr;
  uint32_t tabForeNormal_ = 0, tabForeSelected_ = 0;
  uint32_t backColor_ = 0x464646, foreColor_ = 0xFFFFFF;
  std::vector<std::string> changed_;

  mutable std::array<HFONT, 4> fonts_{};
  int layoutDepth_ = 0;
  std::vector<std::function<void()>> deferred_;
  std::pair<Piece, int> captured_{Piece::Count, -1};
  bool trackingLeave_ = false;  // a WM_MOUSELEAVE is asked for
  bool sizing_ = false;
};

}  // namespace ctl
