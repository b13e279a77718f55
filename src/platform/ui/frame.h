#pragma once
// The frame: a captioned group box that holds other controls. Disabling it
// keeps its controls from taking input, as grouped controls expect.
#include "platform/ui/control.h"

namespace ui {

class Frame : public Control, public Container {
public:
  using Control::Control;

  void Create(Container& parent, int left, int top, int width, int height, const std::string& caption = "");
  std::string Caption();
  void Caption(const std::string& text);
  int BorderStyle();
  void BorderStyle(int s);  // 0 none, 1 the etched outline

  HWND containerHwnd() override { return hwnd(); }
  Form& containerForm() override { return form(); }
  Color containerBackColor() override { return BackColor(); }

protected:
  bool handleMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  void resetState() override;

private:
  void paint(HDC dc, const RECT& clip);
  std::string caption_;
  int border_ = 1;
};

// The window class of the runtime's own child containers (frames, picture boxes).
const wchar_t* ContainerClass();

}  // namespace ui
