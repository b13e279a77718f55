#pragma once
// A user's permissions in one table: each Yes/No column of Tuser together
// with what it gives in the main window's ribbon and the check box that sets
// it in the users dialog. The three masters give the tabs; each button sits in
// the category that has its tab's ID, and a master in the users dialog ticks
// or clears the buttons of its tab. Tuser's column check12 gives nothing and
// has no box.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/ui/checkbox.h"

class frmotoritas;

namespace core {

struct Permission {
  const char* column;    // the Yes/No column of Tuser
  const char* ribbonId;  // the tab's or the button's ID
  const char* category;  // a button's category, the ID of its tab ("" for a tab)
  const char* caption;   // on the ribbon
  int16_t picture;       // a button's picture in the main window's image list (0 for a tab)
  ui::CheckBox frmotoritas::*box;  // the users dialog's check box
  const char* boxCaption;
};

constexpr int kTabPermissionCount = 3;
constexpr int kButtonPermissionCount = 12;
// In the order the ribbon adds them and the users dialog loads and saves
// them: the masters first, then the buttons "0" to "10" and "12".
extern const Permission kTabPermissions[kTabPermissionCount];
extern const Permission kButtonPermissions[kButtonPermissionCount];

// The tab, or the button, with this ribbon ID; raises when there is none.
const Permission& tabPermission(const std::string& id);
const Permission& buttonPermission(const std::string& id);
// The buttons on a tab, in table order.
std::vector<const Permission*> buttonsOn(const Permission& tab);
// Every permission in table order: the tabs, then the buttons.
std::vector<const Permission*> everyPermission();

}  // namespace core
