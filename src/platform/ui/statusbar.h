#pragma once
// The status bar, docked at the bottom of its form: panels with a text, a
// width in twips and a tool tip; Caps Lock and Num Lock panels keep themselves
// current.
#include <memory>
#include <vector>

#include "platform/ui/control.h"

namespace ui {

enum PanelStyle { sbrText = 0, sbrCaps = 1, sbrNum = 2 };

class StatusBar;

class Panel {
public:
  const std::string& Text() const { return text_; }
  void Text(const std::string& t);
  int Width() const { return width_; }
  void Width(int twips);
  const std::string& ToolTipText() const { return tip_; }
  void ToolTipText(const std::string& t);
  int Style() const { return style_; }
  int Index() const { return index_ + 1; }

private:
  friend class StatusBar;
  StatusBar* owner_ = nullptr;
  std::string text_, tip_;
  int width_ = 1440, style_ = sbrText, index_ = 0;
};

class StatusBar : public Control {
public:
  using Control::Control;

  void Create(Container& parent);

  struct PanelList {
    StatusBar* sb;
    // Caps and Num panels show "CAPS" and "NUM", dimmed while the key is off.
    Panel& Add(const std::string& text = "", int widthTwips = 1440, int style = sbrText,
               const std::string& toolTip = "");
    int Count();
    Panel& Item(int index);  // from 1
  } Panels{this};

  // Whether the key's light is on as the panel shows it.
  bool indicatorOn(int style) const;

  bool onDrawItem(DRAWITEMSTRUCT* dis) override;
  void panelChanged(Panel& p);

protected:
  bool handleMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  void resetState() override;

private:
  void applyParts();
  std::vector<std::unique_ptr<Panel>> panels_;
  bool caps_ = false, num_ = false;
};

}  // namespace ui
