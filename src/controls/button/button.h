// ctl::Button: the owner-drawn command button of the program's dialogs.
//
// A child window drawn entirely by this class in one of fourteen styles, four
// colour schemes, with caption, access key, picture, hover tracking and an
// optional check-box (toggle) behaviour. Every look is drawn by Paint(), which
// takes any HDC, so a memory bitmap shows exactly what the window shows.
//
// Hosting: Create() places it on a parent as a tab stop; the dialogs use
// Caption, Enabled, events.Click, SetFocus and the position accessors.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "controls/button/picture.h"
#include "controls/button/property_bag.h"
#include "platform/ui/win_util.h"

namespace ctl {

// An OLE colour: &H00BBGGRR, or &H800000nn for system colour nn.
using OleColor = uint32_t;

// ---- colour arithmetic (pure) ----------------------------------------------
// Adds amount to each channel (halved first when soft), clamping in the
// direction of the shift; with blueScaled the blue channel moves by b*a/192.
COLORREF ShiftColor(COLORREF color, long amount, bool blueScaled = false, bool soft = false);
// Moves each channel towards white: c*(255-amount)/255 + amount.
COLORREF LightenColor(COLORREF color, long amount);
// The RGB value of an OLE colour; 0 when it cannot be translated.
COLORREF TranslateColor(OleColor color);
// The access key a caption sets ("" for none), lower case, UTF-8.
std::string AccessKeyOf(const std::string& caption);
// Rounds half to even, the way stored designs convert fractions to integers.
long RoundHalfEven(double v);
// Greyscale of one pixel as the picture drawing computes it.
int GreyOf(int red, int green, int blue);

// The colours one paint uses, built by SetColors from the colour scheme.
struct ColorTable {
  COLORREF face = 0, light = 0, highlight = 0, shadow = 0, darkShadow = 0;
  COLORREF caption = 0, captionOver = 0, faceOver = 0, mask = 0, lightFace = 0;
  COLORREF selection = 0, lightSelection = 0;
};

// Callbacks for the control's events; each may be left empty.
struct ButtonEvents {
  std::function<void()> Click;
  std::function<void(int button, int shift, float x, float y)> MouseDown, MouseMove, MouseUp;
  std::function<void(int keyAscii)> KeyPress;
  std::function<void(int keyCode, int shift)> KeyDown, KeyUp;
  std::function<void()> MouseOver, MouseOut;
  // A stored property changed; names its saved key ("TX", "BCOL", ...).
  std::function<void(const std::string& key)> PropertyChanged;
};

class Button {
 public:
  static constexpr const char* kClassName = "VantorelButton";
  enum State : int { kUp = 0, kPressed = 2 };

  Button();
  ~Button();
  Button(const Button&) = delete;
  Button& operator=(const Button&) = delete;

  // Creates the window as a child of parent at (x, y), w x h pixels, with the
  // control id; visible unless told otherwise. False when the window fails.
  bool Create(HWND parent, int x, int y, int w, int h, int id, bool visible = true);
  void Destroy();
  HWND hwnd() const { return hwnd_; }

  ButtonEvents events;

  // ---- container facts ------------------------------------------------------
  // False while the dialog is being designed (the container's user mode off).
  void SetUserMode(bool userMode) { userMode_ = userMode; }
  bool UserMode() const { return userMode_; }
  // The container shows this button as its default button (style 2 and 3).
  void SetDisplayAsDefault(bool v);
  bool DisplayAsDefault() const { return displayAsDefault_; }
  // The container changed an inherited font or colour.
  void AmbientChanged();
  // The container's way of sending Tab (false) or Shift+Tab (true), which the
  // arrow keys use so that they follow the container's own tab order. Left
  // empty, the arrows move in the window system's order of the windows.
  std::function<void(bool shiftTab)> SendTab;

  // ---- placement, visibility, focus -----------------------------------------
  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;
  void Move(int x, int y, int w, int h);
  void SetLeft(int x) { Move(x, Top(), Width(), Height()); }
  void SetTop(int y) { Move(Left(), y, Width(), Height()); }
  void SetWidth(int w) { Move(Left(), Top(), w, Height()); }
  void SetHeight(int h) { Move(Left(), Top(), Width(), h); }
  void Show();
  void Hide();
  bool Visible() const;
  void SetFocus();
  bool HasFocus() const { return hasFocus_; }

  // ---- persistence -----------------------------------------------------------
  // Defaults of a newly placed button: caption = the container's name for it.
  void InitProperties(const std::string& displayName, const FontDesc& ambientFont);
  void ReadProperties(const PropertyBag& bag);
  void WriteProperties(PropertyBag& bag) const;

  // ---- properties (each assignment stores, recomputes, repaints, reports) -----
  OleColor BackColor() const { return backColor_; }
  void SetBackColor(OleColor c);
  OleColor BackOver() const { return backOver_; }
  void SetBackOver(OleColor c);
  OleColor ForeColor() const { return foreColor_; }
  void SetForeColor(OleColor c);
  OleColor ForeOver() const { return foreOver_; }
  void SetForeOver(OleColor c);
  OleColor MaskColor() const { return maskColor_; }
  void SetMaskColor(OleColor c);
  int ButtonType() const { return buttonType_; }
  void SetButtonType(int t);
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& text);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on);
  const FontDesc& Font() const { return font_; }
  void SetFont(const FontDesc& f);
  bool FontBold() const { return font_.bold; }
  void SetFontBold(bool v);
  bool FontItalic() const { return font_.italic; }
  void SetFontItalic(bool v);
  bool FontUnderline() const { return font_.underline; }
  void SetFontUnderline(bool v);
  double FontSize() const { return font_.size; }
  void SetFontSize(double v);
  const std::string& FontName() const { return font_.name; }
  void SetFontName(const std::string& v);
  int ColorScheme() const { return colorScheme_; }
  void SetColorScheme(int s);
  bool ShowFocusRect() const { return showFocusRect_; }
  void SetShowFocusRect(bool v);
  int MousePointer() const { return mousePointer_; }
  void SetMousePointer(int p);
  PicturePtr MouseIcon() const { return mouseIcon_; }
  void SetMouseIcon(PicturePtr icon);
  bool HandPointer() const { return handPointer_; }
  void SetHandPointer(bool v);
  bool SoftBevel() const { return softBevel_; }
  void SetSoftBevel(bool v);
  PicturePtr PictureNormal() const { return pictureNormal_; }
  void SetPictureNormal(PicturePtr p);
  PicturePtr PictureOver() const { return pictureOver_; }
  void SetPictureOver(PicturePtr p);
  int PicturePosition() const { return picturePosition_; }
  void SetPicturePosition(int p);
  bool UseMaskColor() const { return useMaskColor_; }
  void SetUseMaskColor(bool v);
  bool UseGreyscale() const { return useGreyscale_; }
  void SetUseGreyscale(bool v);
  int SpecialEffect() const { return specialEffect_; }
  void SetSpecialEffect(int v);
  bool CheckBoxBehaviour() const { return checkBox_; }
  void SetCheckBoxBehaviour(bool v);
  bool Value() const { return value_; }
  void SetValue(bool v);
  static std::string Version() { return "1.0.0"; }

  // ---- methods ---------------------------------------------------------------
  // Stops painting until Refresh or Show, so a host can set many properties.
  void DisableRefresh() { refreshAllowed_ = false; }
  // Forces a complete repaint of a object.
  void Refresh();
  // The window system's access key of the control was pressed.
  void PressAccessKey();

  // ---- painting ---------------------------------------------------------------
  // Paints the given state (0 up, 2 pressed) unless unforced and unchanged,
  // the height is 0 or refresh is not allowed.
  void DrawButton(int state, bool force);
  // Draws the whole look of a state onto any DC of the button's size, clipped
  // to the button's shape. hot and focused (0 or 1) stand in for the mouse-over
  // and focus flags for this paint; -1 keeps the control's own.
  void Paint(HDC dc, int state, int hot = -1, int focused = -1);
  // The window shape of the current style and size; the caller owns it.
  HRGN MakeRegion() const;
  void SetColors();
  // Sets the access key from the caption (see AccessKeyOf).
  void SetAccessKeys();
  COLORREF Shift(COLORREF c, long amount, bool blueScaled = false) const {
    return ShiftColor(c, amount, blueScaled, softBevel_);
  }

  // ---- state a host or test may read -------------------------------------------
  const ColorTable& Colors() const { return colors_; }
  RECT InnerRect() const { return inner_; }
  RECT CaptionRect() const { return captionRect_; }
  POINT PicturePos() const { return picPos_; }
  SIZE PictureSize() const { return {picW_, picH_}; }
  HFONT FontHandle() const { return hfont_.get(); }
  bool IsMouseOver() const;
  bool MouseOverFlag() const { return mouseOver_; }
  int LastState() const { return lastState_; }
  bool RefreshAllowed() const { return refreshAllowed_; }
  const std::string& AccessKeys() const { return accessKeys_; }
  int PaintCount() const { return paintCount_; }
  HCURSOR CurrentCursor() const;

 private:
  // The hover timer: runs only while the mouse is over the button.
  static constexpr UINT_PTR kOverTimer = 1;
  static constexpr UINT kOverInterval = 3;  // ms; the window system may round it up

  static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
  static bool RegisterClassOnce();
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  bool HandlePaintAndSize(UINT msg, WPARAM wp, LRESULT& result);
  bool HandleMouse(UINT msg, WPARAM wp, LPARAM lp);
  bool HandleKeysAndFocus(UINT msg, WPARAM wp, LRESULT& result);
  bool HandleTimerAndCursor(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

  // input (button_input.cpp)
  void OnMouseDown(int button, int shift, float x, float y);
  void OnMouseMove(int button, int shift, float x, float y);
  void OnMouseUp(int button, int shift, float x, float y);
  void OnClick();
  void OnDblClick();
  void OnKeyDown(int keyCode, int shift);
  void OnKeyUp(int keyCode, int shift);
  void OnTimer();
  void OnFocus(bool got);
  void OnResize();
  void OnShow();
  void OnHide();
  void GetParentBackground();
  void MoveFocus(bool previous);
  void ClickBaseCall();

  void Changed(const char* key);
  void ApplyFont();
  void FontChanged();
  template <class T>
  void SetFontAttribute(T FontDesc::*attribute, const T& value);
  void RepaintCurrent() { DrawButton(lastState_, true); }

  // layout and caption/picture drawing (button_caption.cpp)
  void CalcPictureSize();
  void CalcCaptionRect();
  void CalcPictureLayout();
  // The caption in a mode: 0 up, 1 hot, 2 pressed, 3 to 7 the disabled looks,
  // and one mode of the control's own beyond them: style 5's pressed caption,
  // in the caption-over colour one pixel down-right, without effect copies.
  static constexpr int kStyle5PressedCaption = 8;
  void DrawCaption(int mode);
  void DrawCaptionText(const RECT& r, COLORREF color);
  void DrawCaptionEffect(const RECT& r);
  void DrawPicture(int mode);
  void DrawPictureEffect(int offset, const PicturePtr& pic);
  void DrawPictureEx(HDC dc, int x, int y, int w, int h, const PicturePtr& pic, long transparent,
                     long solid, bool darkOnly, bool greyscale, bool blend);
  void PicturePlain(const PicturePtr& pic, int x, int y, bool grey = false, bool blend = false);
  void Silhouette(const PicturePtr& pic, int x, int y, COLORREF c, bool darkOnly);

  // primitives and looks (button_paint.cpp)
  void PaintLook(HDC dc, int state);
  void DrawRect(int x, int y, int w, int h, COLORREF c, bool frame = false);
  void DrawLine(int x1, int y1, int x2, int y2, COLORREF c);
  void DrawEllipse(const RECT& r, COLORREF pen, COLORREF brush);
  void PutPixel(int x, int y, COLORREF c);
  void PutCornerPixels(COLORREF c);
  void DrawFrame(COLORREF c1, COLORREF c2, COLORREF c3, COLORREF c4, int d, bool outerOnly);
  void DrawFocus();
  void DrawUp(bool hot);
  void DrawPressed(bool hot);
  void DrawDisabled();
  void DrawType2Up(bool hot);
  void DrawType2Pressed();
  void DrawType3Up(bool hot);
  void DrawType3Outline();
  void DrawType3Pressed();
  void DrawType4Frame();
  void DrawType4Pressed();
  void DrawType5Up(bool hot);
  void DrawType5Pressed();
  void DrawType9Up(bool hot);
  void DrawType9Pressed(bool hot);
  void DrawCapturedBackground();
  void DrawType14Face(bool hot, int captionMode);
  void DrawType14Pressed();
  void Gradient(COLORREF from, double perRow, bool bottomUp);
  bool Hot() const { return mouseOver_; }

  HWND hwnd_ = nullptr;
  HDC dc_ = nullptr;  // the target of the paint in progress

  // stored properties
  int buttonType_ = 2, colorScheme_ = 1, picturePosition_ = 0, specialEffect_ = 0;
  OleColor backColor_ = 0, backOver_ = 0, foreColor_ = 0, foreOver_ = 0, maskColor_ = 0xC0C0C0;
  bool useMaskColor_ = true, useGreyscale_ = false, handPointer_ = false, softBevel_ = false;
  bool showFocusRect_ = true, enabled_ = true, checkBox_ = false, value_ = false;
  PicturePtr pictureNormal_, pictureOver_, mouseIcon_;
  std::string caption_;
  FontDesc font_;
  int mousePointer_ = 0;

  // run-time state
  ui::OwnedFont hfont_;
  bool userMode_ = true, displayAsDefault_ = false;
  int width_ = 0, height_ = 0;
  RECT inner_{};
  RECT captionRect_{}, pressedCaptionRect_{};
  int captionW_ = 0, captionH_ = 0;
  int picW_ = 0, picH_ = 0;
  POINT picPos_{};
  int captionMode_ = 0;
  ColorTable colors_;
  int lastState_ = 0;
  std::string lastCaption_;
  bool lastPainted_ = false;
  bool refreshAllowed_ = true;
  bool mouseOver_ = false, hasFocus_ = false;
  int lastMouseButton_ = 0, lastKey_ = 0;
  bool clickArmed_ = false;
  bool backgroundBusy_ = false;
  std::string accessKeys_;
  ui::OwnedCanvas back_;        // what the window shows; WM_PAINT copies it
  ui::OwnedCanvas background_;  // style 11: the container's pixels under the button
  int paintCount_ = 0;
};

}  // namespace ctl
