#include "controls/ribbon/ribbon_images.h"

#include "platform/vb/error.h"

namespace ctl {

const RibbonPicture& RibbonImages::Picture(int number) const {
  if (number < 1 || number > Count()) vb::raise(35600, "Index out of bounds");
  return pictures_[static_cast<size_t>(number - 1)];
}

}  // namespace ctl
