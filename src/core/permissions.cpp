#include "core/permissions.h"

#include <iterator>

#include "core/frmotoritas.h"
#include "platform/vb/error.h"

namespace core {

const Permission kTabPermissions[kTabPermissionCount] = {
    {"checkmaster", "1", "", "Data", 0, &frmotoritas::Checkmaster, "MAIN MENU"},
    {"checknasabah", "2", "", "Admin", 0, &frmotoritas::Checknasabah, "ADMIN"},
    {"checkpengaturan", "3", "", "About", 0, &frmotoritas::Checkpengaturan, "Admin"},
};

const Permission kButtonPermissions[kButtonPermissionCount] = {
    // On "Data": the receipts and the customers.
    {"check1", "0", "1", "Kwitansi", 48, &frmotoritas::Check1, "Kwitansi"},
    {"check2", "1", "1", "Customer", 40, &frmotoritas::Check2, "Customer"},
    {"check3", "2", "1", "Data Kwitansi", 49, &frmotoritas::Check3, "Data Kwitansi"},
    {"check4", "3", "1", "Data Customer", 49, &frmotoritas::Check4, "Data Customer"},
    // On "Admin": settings, users, the database and the wallpaper.
    {"check5", "4", "2", "Pengaturan", 50, &frmotoritas::Check5, "Pengaturan "},
    {"check6", "5", "2", "Data User", 36, &frmotoritas::Check6, "Data User"},
    {"check7", "6", "2", "Backup", 7, &frmotoritas::Check7, "Backup"},
    {"check8", "7", "2", "Restore", 8, &frmotoritas::Check8, "Restore"},
    {"check9", "8", "2", "Reset", 6, &frmotoritas::Check9, "Reset"},
    {"check10", "9", "2", "Wallpaper", 32, &frmotoritas::Check10, "WallPaper"},
    // On "About".
    {"check11", "10", "3", "About", 16, &frmotoritas::Check11, "About"},
    {"check13", "12", "3", "Panduan", 51, &frmotoritas::Check13, "Panduan"},
};

namespace {
const Permission& find(const Permission* first, const Permission* last, const std::string& id) {
  for (const Permission* p = first; p != last; ++p)
    if (id == p->ribbonId) return *p;
  vb::raise(5, "No permission with ribbon ID " + id);
}
}  // namespace

const Permission& tabPermission(const std::string& id) {
  return find(std::begin(kTabPermissions), std::end(kTabPermissions), id);
}

const Permission& buttonPermission(const std::string& id) {
  return find(std::begin(kButtonPermissions), std::end(kButtonPermissions), id);
}

std::vector<const Permission*> buttonsOn(const Permission& tab) {
  std::vector<const Permission*> buttons;
  for (const Permission& b : kButtonPermissions)
    if (std::string(b.category) == tab.ribbonId) buttons.push_back(&b);
  return buttons;
}

std::vector<const Permission*> everyPermission() {
  std::vector<const Permission*> all;
  for (const Permission& tab : kTabPermissions) all.push_back(&tab);
  for (const Permission& button : kButtonPermissions) all.push_back(&button);
  return all;
}

}  // namespace core
