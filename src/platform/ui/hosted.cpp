#include "platform/ui/hosted.h"

namespace ui {

HWND HostedControl::CreateHosted(Container& parent, int left, int top, int width, int height,
                                 const CreateFn& create) {
  RECT px{TwipsToPixelsX(left), TwipsToPixelsY(top), 0, 0};
  px.right = px.left + TwipsToPixelsX(width);
  px.bottom = px.top + TwipsToPixelsY(height);
  HWND h = create ? create(parent.containerHwnd(), px) : nullptr;
  adoptWindow(parent, h, left, top, width, height);
  return h;
}

}  // namespace ui
