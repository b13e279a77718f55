#pragma once
// The line: a straight line painted by its container, ends in twips.
#include "platform/ui/control.h"

namespace ui {

class Line : public Control {
public:
  using Control::Control;

  void Create(Container& parent, int x1, int y1, int x2, int y2);
  int X1();
  int Y1();
  int X2();
  int Y2();
  void SetEnds(int x1, int y1, int x2, int y2);
  Color BorderColor();
  void BorderColor(Color c);
  int BorderWidth();
  void BorderWidth(int px);

  void paintWindowless(HDC dc) override;

protected:
  void resetState() override;

private:
  int x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0, width_ = 1;
  Color color_ = vbButtonText;
};

}  // namespace ui
