#pragma once
// Picture box and image. The picture box is a window that shows a picture at
// its own size, can keep a drawing canvas (AutoRedraw) that PaintPicture
// stretches pictures onto and Image reads back, and can hold controls. The
// image is windowless (painted by its container) and can stretch.
#include "platform/image/picture.h"
#include "platform/ui/control.h"

namespace ui {

class PictureBox : public Control, public Container {
public:
  using Control::Control;
  ~PictureBox() override;

  void Create(Container& parent, int left, int top, int width, int height);
  img::Picture Picture();
  void Picture(const img::Picture& p);
  void LoadPicture(const std::string& path);  // errors as img::Picture::load
  bool AutoSize();
  void AutoSize(bool on);  // the box takes the picture's size
  bool AutoRedraw();
  void AutoRedraw(bool on);
  int BorderStyle();
  void BorderStyle(int s);
  int ScaleWidth();  // inner size, twips
  int ScaleHeight();
  // Stretches the source part of a picture onto the box (its canvas when
  // AutoRedraw is on); all in twips.
  void PaintPicture(const img::Picture& p, int x, int y, int w, int h, int sx = 0, int sy = 0, int sw = -1, int sh = -1);
  void Cls();
  // What the box shows: its canvas, or its picture.
  img::Picture Image();

  HWND containerHwnd() override { return hwnd(); }
  Form& containerForm() override { return form(); }
  Color containerBackColor() override { return BackColor(); }

protected:
  bool handleMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  void resetState() override;

private:
  void fitToPicture();
  void ensureCanvas();
  void paintBase(HDC dc, const RECT& rc);
  img::Picture picture_;
  bool autoSize_ = false, autoRedraw_ = false;
  int border_ = 1;
  HBITMAP canvas_ = nullptr;
  SIZE canvasSize_{0, 0};
};

class Image : public Control {
public:
  using Control::Control;
  void Create(Container& parent, int left, int top, int width, int height);
  img::Picture Picture();
  void Picture(const img::Picture& p);
  bool Stretch();
  void Stretch(bool on);
  void paintWindowless(HDC dc) override;

protected:
  void resetState() override;

private:
  img::Picture picture_;
  bool stretch_ = false;
};

}  // namespace ui
