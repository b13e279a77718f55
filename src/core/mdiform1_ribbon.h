#pragma once
// The ribbon as a control of the main window: the ribbon's own child window,
// docked at the top of the frame, and the pictures of the window's image list.
#include <functional>
#include <memory>
#include <string>

#include "controls/ribbon/ribbon_bar.h"
#include "controls/ribbon/ribbon_images.h"
#include "platform/ui/hosted.h"

// The resource type under which the program carries the image list's pictures.
constexpr const char* kImageListResourceType = "MAINICONS";
constexpr int kImageListCount = 51;

// Fills list with the pictures 1 to kImageListCount from the executable's
// resources. Raises vb::Error when one is missing or is no picture.
void LoadImageList(ctl::RibbonImages& list);

// Adds the main window's tabs, its four categories and its buttons to the
// ribbon: the tabs "Data", "Admin", "About" whose flag is set, and of the
// twelve command buttons (IDs 0 to 10 and 12, in that order) those whose flag
// is set. The flags go by position in core::kTabPermissions and
// core::kButtonPermissions (core/permissions.h).
void FillRibbon(ctl::RibbonBar& ribbon, const bool tabFlags[], const bool buttonFlags[]);

class RibbonHost : public ui::HostedControl {
public:
  explicit RibbonHost(ui::Form* form) : ui::HostedControl(form) {}

  // Makes the ribbon's window on the container, docked at the top (in Design).
  void Create(ui::Container& parent);
  // The ribbon object (loads the form first).
  ctl::RibbonBar& bar();

  std::function<void(const std::string& id, const std::string& caption)> ButtonClick;

protected:
  void onHostedDestroyed() override { bar_.reset(); }

private:
  std::unique_ptr<ctl::RibbonBar> bar_;
};
