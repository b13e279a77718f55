#pragma once
// The image list of a form: pictures of one size, by index from 1 and by key,
// for list-view column headers and the ribbon. Filled by the form's design,
// emptied when the form unloads.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/image/picture.h"
#include "platform/ui/control.h"

namespace ui {

class ImageList : public Control {
public:
  using Control::Control;
  ~ImageList() override;

  // Size of every picture, in pixels; set before the first Add.
  void ImageSize(int width, int height);
  int ImageWidth() const { return w_; }
  int ImageHeight() const { return h_; }
  // Adds a picture (stretched to the list's size); returns its index from 1.
  int Add(const std::string& key, const img::Picture& picture);
  int Add(const std::string& key, HBITMAP bitmap, COLORREF mask = CLR_NONE);
  int AddIcon(const std::string& key, HICON icon);
  int Count();
  // Index from 1 of the picture with that key; 0 when there is none.
  int Index(const std::string& key);
  const std::string& Key(int index);
  void Clear();
  HIMAGELIST Handle();

protected:
  void resetState() override;

private:
  void ensureList();
  HIMAGELIST list_ = nullptr;
  int w_ = 16, h_ = 16;
  std::vector<std::string> keys_;
};

}  // namespace ui
