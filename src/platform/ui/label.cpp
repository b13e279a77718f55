#include "platform/ui/label.h"

namespace ui {

void Label::Create(Container& parent, int left, int top, int width, int height, const std::string& caption) {
  fore_ = vbButtonText;
  caption_ = caption;
  createWindowless(parent, left, top, width, height);
}

std::string Label::Caption() { ensureLoaded(); return caption_; }
void Label::Caption(const std::string& text) {
  ensureLoaded();
  caption_ = text;
  fit();
  invalidate();
}

int Label::Alignment() { ensureLoaded(); return align_; }
void Label::Alignment(int a) { ensureLoaded(); align_ = a; invalidate(); }
bool Label::AutoSize() { ensureLoaded(); return autoSize_; }
void Label::AutoSize(bool on) { ensureLoaded(); autoSize_ = on; fit(); invalidate(); }
bool Label::WordWrap() { ensureLoaded(); return wordWrap_; }
void Label::WordWrap(bool on) { ensureLoaded(); wordWrap_ = on; fit(); invalidate(); }
int Label::BackStyle() { ensureLoaded(); return backStyle_; }
void Label::BackStyle(int s) { ensureLoaded(); backStyle_ = s; invalidate(); }

void Label::applyFont() {
  fit();
  Control::applyFont();
}

// AutoSize measures the caption with the font it is drawn with: one line
// (or the lines of the current width when WordWrap is on).
void Label::fit() {
  if (!autoSize_ || !created()) return;
  ScopedGetDC dc(nullptr);
  ScopedSelect font(dc, FontFor(font_));
  std::wstring text = Widen(caption_.empty() ? " " : caption_);
  RECT r{0, 0, wordWrap_ ? TwipsToPixelsX(Width()) : 0, 0};
  DrawTextW(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE));
  int w = wordWrap_ ? Width() : PixelsToTwipsX(r.right - r.left);
  Move(Left(), Top(), w, PixelsToTwipsY(r.bottom - r.top));
}

void Label::paintWindowless(HDC dc) {
  RECT r = pixelRect();
  if (backStyle_ == vbOpaque) FillRect(dc, &r, BrushFor(back_));
  ScopedSelect font(dc, FontFor(font_));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, Enabled() ? ResolveColor(fore_) : GetSysColor(COLOR_GRAYTEXT));
  // A fixed-size label wraps at its width. An AutoSize label without WordWrap
  // is one line as wide as its text advances, which wrapping could only
  // break; a last glyph may reach past that width, so it is not clipped.
  UINT fmt = DT_EXPANDTABS | (autoSize_ && !wordWrap_ ? DT_SINGLELINE | DT_NOCLIP : DT_WORDBREAK);
  if (align_ == vbRightJustify) fmt |= DT_RIGHT;
  else if (align_ == vbCenter) fmt |= DT_CENTER;
  std::wstring text = Widen(caption_);
  DrawTextW(dc, text.c_str(), -1, &r, fmt);
}

void Label::resetState() {
  caption_.clear();
  align_ = vbLeftJustify;
  backStyle_ = vbOpaque;
  autoSize_ = wordWrap_ = false;
}

}  // namespace ui
