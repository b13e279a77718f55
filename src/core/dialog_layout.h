#pragma once
// Small helpers the dialogs lay themselves out with: they place controls in
// pixels of the screen they are shown on and size boxes from the font they use.
#include <windows.h>

#include "platform/ui/label.h"
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

// A one-line box: the line with its border and margins.
inline int boxHeightPx(int lineH) { return lineH + 8; }

// The labels of a frame's rows, in a column at the rows' left (pixels): each
// centred on the first line of the box just placed at y, after which y moves
// below the row (rowH pixels tall) and the gap under it.
struct LabelColumn {
  int left, width, gap;
  void place(ui::Container& frame, ui::Label& label, const char* caption, int lineH, int rowH, int& y) const {
    label.Create(frame, px(left), py(y + (boxHeightPx(lineH) - lineH) / 2), px(width), py(lineH), caption);
    y += rowH + gap;
  }
};

}  // namespace layout
