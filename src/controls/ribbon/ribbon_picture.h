#pragma once
// A picture the ribbon draws: 32-bit pixels with alpha, held in a DIB section
// so that drawing is one AlphaBlend. Copies share the pixels (immutable).
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace ctl {

class RibbonPicture {
public:
  RibbonPicture() = default;

  // Loads a GIF, PNG, JPEG or BMP file (UTF-8 path) through GDI+.
  // Throws vb::Error 481 "Invalid picture" when the file is no picture.
  static RibbonPicture FromFile(const std::string& path);
  // The same for a picture held in memory (a resource's bytes, say).
  static RibbonPicture FromMemory(const void* data, size_t size);
  // Straight (not premultiplied) 0xAARRGGBB pixels, row by row from the top.
  static RibbonPicture FromPixels(int width, int height, const std::vector<uint32_t>& argb);

  bool empty() const { return !d_; }
  int Width() const;   // pixels; 0 when empty
  int Height() const;
  uint32_t Pixel(int x, int y) const;  // straight 0xAARRGGBB

  // Draws the picture scaled into the rectangle (x, y, w, h) of dc, blending
  // by its alpha. Nothing happens for an empty picture.
  void Draw(HDC dc, int x, int y, int w, int h) const;
  // A 32-bit top-down DIB copy with premultiplied alpha, owned by the caller.
  HBITMAP CopyBitmap() const;

private:
  struct Data;
  std::shared_ptr<const Data> d_;
};

}  // namespace ctl
