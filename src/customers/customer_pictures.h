#pragma once
// The small pictures of the customer dialogs, drawn once at run time: the
// magnifier of the customer dialog's search button and the two arrows of the
// report dialog's column headers.
#include <windows.h>

#include "controls/button/picture.h"

// Colour the button treats as transparent in searchPicture().
constexpr COLORREF kPictureMask = RGB(255, 0, 255);

// A 16 x 16 magnifier on the mask colour.
ctl::PicturePtr searchPicture();
// A 16 x 16 arrow on white (mask: white) pointing down or up; the caller owns it.
HBITMAP sortArrowBitmap(bool down);
