#pragma once
// The multiple-document frame: a form whose client area is an MDIClient
// window showing a background picture stretched over it. Aligned controls (the
// ribbon's host at the top, the status bar at the bottom) take their strips
// first; the client fills what is left.
#include "platform/image/picture.h"
#include "platform/ui/form.h"

namespace ui {

class MDIForm : public Form {
public:
  MDIForm();
  // The frame's background picture, stretched over the client area.
  img::Picture Picture();
  void Picture(const img::Picture& p);
  // The MDIClient window.
  HWND clientHwnd();

protected:
  HWND createFormWindow() override;
  LRESULT defaultProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) override;
  RECT layoutAligned() override;

private:
  static LRESULT CALLBACK ClientProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  HWND client_ = nullptr;
  img::Picture picture_;
};

}  // namespace ui
