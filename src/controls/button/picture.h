// A picture the button shows or keeps as its mouse icon: a bitmap or an icon
// (cursors are icons), with its size in HIMETRIC as picture objects report it.
#pragma once
#include <windows.h>

#include <memory>

namespace ctl {

class Picture;
using PicturePtr = std::shared_ptr<const Picture>;

class Picture {
 public:
  enum class Type { kBitmap = 1, kIcon = 3 };

  // Wraps a bitmap or an icon. With own set the handle is destroyed with the
  // picture; shared handles (system cursors) are passed with own = false.
  static PicturePtr FromBitmap(HBITMAP bmp, bool own = true);
  static PicturePtr FromIcon(HICON icon, bool own = true);

  ~Picture();
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  Type type() const { return type_; }
  HBITMAP bitmap() const { return bitmap_; }
  HICON icon() const { return icon_; }
  long WidthHimetric() const { return widthHm_; }
  long HeightHimetric() const { return heightHm_; }

 private:
  Picture() = default;
  Type type_ = Type::kBitmap;
  HBITMAP bitmap_ = nullptr;
  HICON icon_ = nullptr;
  bool own_ = false;
  long widthHm_ = 0, heightHm_ = 0;
};

// HIMETRIC (0.01 mm) to screen pixels, to the nearest whole pixel.
int HimetricToPixels(long himetric, bool vertical);

}  // namespace ctl
