#pragma once
// The pictures the host hands to the ribbon for its button icons, numbered
// from 1 in the order they were added. The ribbon takes one picture by number
// in AddButton; the host keeps the list alive while it adds buttons.
#include <string>
#include <vector>

#include "controls/ribbon/ribbon_picture.h"

namespace ctl {

class RibbonImages {
public:
  void Add(RibbonPicture picture) { pictures_.push_back(std::move(picture)); }
  int Count() const { return static_cast<int>(pictures_.size()); }
  // Throws vb::Error 35600 "Index out of bounds" for a number outside 1..Count().
  const RibbonPicture& Picture(int number) const;

private:
  std::vector<RibbonPicture> pictures_;
};

}  // namespace ctl
