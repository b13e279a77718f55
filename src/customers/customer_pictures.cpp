#include "customers/customer_pictures.h"

#include "platform/ui/win_util.h"

namespace {

HBITMAP newBitmap(COLORREF back) {
  ui::ScopedGetDC screen(nullptr);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 16, 16);
  ui::OwnedMemDC mem(screen);
  ui::ScopedSelect sel(mem, bmp);
  RECT all{0, 0, 16, 16};
  ui::OwnedBrush brush(CreateSolidBrush(back));
  FillRect(mem, &all, brush);
  return bmp;
}

}  // namespace

ctl::PicturePtr searchPicture() {
  HBITMAP bmp = newBitmap(kPictureMask);
  {
    ui::ScopedGetDC screen(nullptr);
    ui::OwnedMemDC mem(screen);
    ui::ScopedSelect selBitmap(mem, bmp);
    ui::OwnedPen ring(CreatePen(PS_SOLID, 2, RGB(40, 70, 120)));
    ui::OwnedPen handle(CreatePen(PS_SOLID, 3, RGB(90, 60, 30)));
    ui::OwnedBrush glass(CreateSolidBrush(RGB(200, 225, 250)));
    {
      ui::ScopedSelect selPen(mem, ring);
      ui::ScopedSelect selBrush(mem, glass);
      Ellipse(mem, 1, 1, 11, 11);
    }
    ui::ScopedSelect selPen(mem, handle);
    MoveToEx(mem, 10, 10, nullptr);
    LineTo(mem, 14, 14);
  }
  return ctl::Picture::FromBitmap(bmp);
}

HBITMAP sortArrowBitmap(bool down) {
  HBITMAP bmp = newBitmap(RGB(255, 255, 255));
  ui::ScopedGetDC screen(nullptr);
  ui::OwnedMemDC mem(screen);
  ui::ScopedSelect selBitmap(mem, bmp);
  const POINT downArrow[3] = {{3, 5}, {12, 5}, {7, 11}};
  const POINT upArrow[3] = {{3, 11}, {12, 11}, {7, 5}};
  ui::OwnedBrush fill(CreateSolidBrush(RGB(90, 90, 90)));
  ui::OwnedPen pen(CreatePen(PS_SOLID, 1, RGB(90, 90, 90)));
  ui::ScopedSelect selBrush(mem, fill);
  ui::ScopedSelect selPen(mem, pen);
  Polygon(mem, down ? downArrow : upArrow, 3);
  return bmp;
}
