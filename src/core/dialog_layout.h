#pragma once
// Small helpers the dialogs lay themselves out with: they place controls in
// pixels of the screen they are shown on and size boxes from the font they use.
#include <windows.h>

#include "platform/ui/win_util.h"

namespace layout {

inline int px(int pixels) { return ui::PixelsToTwipsX(pixels); }
inline int py(int pixels) { return ui::PixelsToTwipsY(pixels); }

// Height of a line of text in the font; a one-line box adds its border and margins.
inline int lineHeightPx(const ui::FontSpec& font) {
  ui::ScopedGetDC dc(nullptr);
  ui::ScopedSelect sel(dc, ui::FontFor(font));
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  return tm.tmHeight;
}

}  // namespace layout
