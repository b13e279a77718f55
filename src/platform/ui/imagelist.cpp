#include "platform/ui/imagelist.h"

#include "platform/vb/error.h"

namespace ui {

ImageList::~ImageList() {
  if (list_) ImageList_Destroy(list_);
}

void ImageList::ImageSize(int w, int h) {
  ensureLoaded();
  if (list_ && ImageList_GetImageCount(list_) > 0) vb::raise(35611, "Property is read-only if image list contains images");
  if (list_) ImageList_Destroy(list_);
  list_ = nullptr;
  w_ = w, h_ = h;
}

void ImageList::ensureList() {
  if (!list_) list_ = ImageList_Create(w_, h_, ILC_COLOR32 | ILC_MASK, 4, 4);
}

int ImageList::Add(const std::string& key, const img::Picture& picture) {
  ensureLoaded();
  if (picture.empty()) vb::raise(481, "Invalid picture");
  ensureList();
  // Stretch onto a bitmap of the list's size so every picture fits.
  ScopedGetDC screen(nullptr);
  OwnedBitmap bmp(CreateCompatibleBitmap(screen, w_, h_));
  {
    OwnedMemDC mem(screen);
    ScopedSelect sel(mem, bmp);
    RECT all{0, 0, w_, h_};
    FillRect(mem, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    picture.draw(mem, 0, 0, w_, h_);
  }
  ImageList_AddMasked(list_, bmp, RGB(255, 255, 255));
  keys_.push_back(key);
  return static_cast<int>(keys_.size());
}

int ImageList::Add(const std::string& key, HBITMAP bitmap, COLORREF mask) {
  ensureLoaded();
  ensureList();
  if (mask == CLR_NONE) ImageList_Add(list_, bitmap, nullptr);
  else ImageList_AddMasked(list_, bitmap, mask);
  keys_.push_back(key);
  return static_cast<int>(keys_.size());
}

int ImageList::AddIcon(const std::string& key, HICON icon) {
  ensureLoaded();
  ensureList();
  ImageList_AddIcon(list_, icon);
  keys_.push_back(key);
  return static_cast<int>(keys_.size());
}

int ImageList::Count() { ensureLoaded(); return static_cast<int>(keys_.size()); }

int ImageList::Index(const std::string& key) {
  ensureLoaded();
  if (key.empty()) return 0;
  for (size_t i = 0; i < keys_.size(); ++i)
    if (keys_[i] == key) return static_cast<int>(i) + 1;
  return 0;
}

const std::string& ImageList::Key(int index) {
  ensureLoaded();
  if (index < 1 || index > static_cast<int>(keys_.size())) vb::raise(35600, "Index out of bounds");
  return keys_[static_cast<size_t>(index) - 1];
}

void ImageList::Clear() {
  ensureLoaded();
  if (list_) ImageList_RemoveAll(list_);
  keys_.clear();
}

HIMAGELIST ImageList::Handle() {
  ensureLoaded();
  ensureList();
  return list_;
}

void ImageList::resetState() {
  if (list_) ImageList_Destroy(list_);
  list_ = nullptr;
  keys_.clear();
  w_ = h_ = 16;
}

}  // namespace ui
