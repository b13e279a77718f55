#include "platform/ui/line.h"

#include <algorithm>

namespace ui {

void Line::Create(Container& parent, int x1, int y1, int x2, int y2) {
  x1_ = x1, y1_ = y1, x2_ = x2, y2_ = y2;
  createWindowless(parent, std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1), std::abs(y2 - y1));
}

int Line::X1() { ensureLoaded(); return x1_; }
int Line::Y1() { ensureLoaded(); return y1_; }
int Line::X2() { ensureLoaded(); return x2_; }
int Line::Y2() { ensureLoaded(); return y2_; }

void Line::SetEnds(int x1, int y1, int x2, int y2) {
  ensureLoaded();
  x1_ = x1, y1_ = y1, x2_ = x2, y2_ = y2;
  Move(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1), std::abs(y2 - y1));
}

Color Line::BorderColor() { ensureLoaded(); return color_; }
void Line::BorderColor(Color c) { ensureLoaded(); color_ = c; invalidate(); }
int Line::BorderWidth() { ensureLoaded(); return width_; }
void Line::BorderWidth(int px) { ensureLoaded(); width_ = std::max(1, px); invalidate(); }

void Line::paintWindowless(HDC dc) {
  OwnedPen pen(CreatePen(PS_SOLID, width_, ResolveColor(color_)));
  ScopedSelect sel(dc, pen);
  MoveToEx(dc, TwipsToPixelsX(x1_), TwipsToPixelsY(y1_), nullptr);
  LineTo(dc, TwipsToPixelsX(x2_), TwipsToPixelsY(y2_));
}

void Line::resetState() {
  x1_ = y1_ = x2_ = y2_ = 0;
  width_ = 1;
  color_ = vbButtonText;
}

}  // namespace ui
