// Shared fixtures of the button tests: a host window and small pictures.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "controls/button/button.h"

namespace bt {

// The mask colour the test pictures use for their transparent parts.
constexpr COLORREF kMask = 0xC0C0C0;
// The picture's colours: an outer ring, a dark centre and a light dot.
constexpr COLORREF kRing = RGB(200, 40, 40);
constexpr COLORREF kCentre = RGB(20, 60, 160);
constexpr COLORREF kDot = RGB(250, 250, 120);

// One visible host window per test program, at a fixed place on the screen.
HWND Host();
// A 16 x 16 bitmap: mask-coloured corners, a ring, a dark centre, a light dot.
ctl::PicturePtr TestBitmap();
// A bitmap of one colour, w x h.
ctl::PicturePtr SolidBitmap(int w, int h, COLORREF c);

// A button on the host at (x, y), w x h, with a caption, type and scheme.
std::unique_ptr<ctl::Button> MakeButton(int x, int y, int w, int h, const std::string& caption,
                                        int type = 5, int scheme = 1, bool visible = true);

}  // namespace bt
