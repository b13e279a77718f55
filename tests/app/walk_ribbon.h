#pragma once
// Where the running program's ribbon draws its tabs and buttons. The ribbon's
// pieces have no windows of their own, so the walk lays out a second ribbon
// of the same width with the same tabs and buttons (FillRibbon, as the main
// window fills its own) and reads the positions there; a tab click is given
// to both, so that both show the same tab.
#include <windows.h>

#include <memory>
#include <string>

#include "app/walk_driver.h"
#include "controls/ribbon/ribbon_bar.h"
#include "controls/ribbon/ribbon_images.h"

namespace vt::walk {

class RibbonMap {
public:
  // real: the program's ribbon window; the flags as the user's row has them.
  RibbonMap(HWND real, const bool tabs[3], const bool buttons[12]);
  ~RibbonMap();

  // Clicks the tab with this caption in the program (and in the copy).
  void clickTab(Driver& driver, const std::string& caption);
  // Clicks the button with this command ID on the current tab.
  void clickButton(Driver& driver, const std::string& id);
  // The captions of the tabs shown, and the IDs of the buttons shown on the
  // current tab, left to right.
  std::string tabs() const;
  std::string buttons() const;

private:
  bool centre(ctl::Piece piece, const std::string& key, bool byTag, POINT& at) const;
  HWND real_, host_ = nullptr;
  ctl::RibbonImages images_;
  std::unique_ptr<ctl::RibbonBar> bar_;
};

}  // namespace vt::walk
