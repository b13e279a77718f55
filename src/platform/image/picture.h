#pragma once
// Pictures loaded and saved with GDI+: JPEG, PNG, GIF and BMP from and to a
// file, size, an HBITMAP for GDI drawing and stretch drawing into a DC.
// A loaded picture keeps no hold on its file, so the file can be replaced
// while the picture is shown (the settings dialog saves the logo it shows).
#include <windows.h>

#include <memory>
#include <string>

namespace img {

// GDI+ for the whole process: started on first use and kept until the process
// ends, since pictures live in program-wide dialogs until the very end.
class GdiplusSession {
public:
  static void ensure();
  GdiplusSession();
  ~GdiplusSession();
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;

private:
  ULONG_PTR token_ = 0;
};

class Picture {
public:
  Picture() = default;  // empty

  // Throws vb::Error 53 (file not found) or 481 (invalid picture).
  static Picture load(const std::string& path);
  // A copy of the bitmap's pixels (the bitmap stays the caller's).
  static Picture fromHBITMAP(HBITMAP bitmap);

  bool empty() const { return !impl_; }
  int width() const;
  int height() const;

  // Saves in the format the extension names (.jpg/.jpeg, .png, .gif, .bmp;
  // anything else as JPEG). Throws vb::Error on failure.
  void save(const std::string& path) const;
  // JPEG has no transparency: transparent parts become white.
  void saveJpeg(const std::string& path, int quality = 90) const;

  // A bitmap owned by the picture (valid while the picture lives).
  HBITMAP hbitmap() const;
  // Stretches the whole picture, or the source rectangle, over the destination.
  void draw(HDC dc, int x, int y, int w, int h) const;
  void draw(HDC dc, int x, int y, int w, int h, int sx, int sy, int sw, int sh) const;

  friend bool operator==(const Picture& a, const Picture& b) { return a.impl_ == b.impl_; }

private:
  struct Impl;
  std::shared_ptr<Impl> impl_;
};

}  // namespace img
