#include "core/mdiform1_ribbon.h"

#include <windows.h>

#include <string>

#include "platform/ui/form.h"
#include "platform/vb/error.h"

void LoadImageList(ctl::RibbonImages& list) {
  HMODULE module = GetModuleHandleW(nullptr);
  const std::wstring type(kImageListResourceType, kImageListResourceType + std::char_traits<char>::length(kImageListResourceType));
  for (int n = 1; n <= kImageListCount; ++n) {
    HRSRC res = FindResourceW(module, MAKEINTRESOURCEW(n), type.c_str());
    HGLOBAL handle = res ? LoadResource(module, res) : nullptr;
    const void* bytes = handle ? LockResource(handle) : nullptr;
    if (!bytes) vb::raise(326, "Resource with identifier '" + std::to_string(n) + "' not found");
    list.Add(ctl::RibbonPicture::FromMemory(bytes, SizeofResource(module, res)));
  }
}

void RibbonHost::Create(ui::Container& parent) {
  bar_ = std::make_unique<ctl::RibbonBar>();
  const int height = bar_->HeightTwips();
  RECT client{};
  GetClientRect(parent.containerHwnd(), &client);
  CreateHosted(parent, 0, 0, ui::PixelsToTwipsX(client.right), height,
               [this](HWND owner, const RECT& px) {
                 return bar_->Create(owner, px.left, px.top, px.right - px.left);
               });
  Align(ui::vbAlignTop);
  // The ribbon raises its clicks on its own object; the form listens here,
  // so that it never holds on to an object that a later load replaces. Errors
  // stop here, at the ribbon's window procedure.
  bar_->ButtonClick = [this](const std::string& id, const std::string& caption) {
    if (ButtonClick) ui::SafeCall([&] { ButtonClick(id, caption); });
  };
}

ctl::RibbonBar& RibbonHost::bar() {
  ensureLoaded();
  if (!bar_) vb::raise(91, "Object variable or With block variable not set");
  return *bar_;
}

void FillRibbon(ctl::RibbonBar& ribbon, const bool tabFlags[3], const bool buttonFlags[12]) {
  const char* tabs[][2] = {{"1", "Data"}, {"2", "Admin"}, {"3", "About"}};
  for (int i = 0; i < 3; ++i)
    if (tabFlags[i]) ribbon.AddTab(tabs[i][0], tabs[i][1]);

  ribbon.AddCat("1", "1", "Kwitansi", false);
  ribbon.AddCat("2", "2", "Customer", false);
  ribbon.AddCat("3", "3", "Data. Kwitansi", false);
  ribbon.AddCat("4", "4", "Data Customer", false);

  struct ButtonDef {
    const char *id, *group, *caption;
    int16_t picture;
  };
  static const ButtonDef buttons[12] = {
      {"0", "1", "Kwitansi", 48},   {"1", "1", "Customer", 40},   {"2", "1", "Data Kwitansi", 49},
      {"3", "1", "Data Customer", 49}, {"4", "2", "Pengaturan", 50}, {"5", "2", "Data User", 36},
      {"6", "2", "Backup", 7},      {"7", "2", "Restore", 8},     {"8", "2", "Reset", 6},
      {"9", "2", "Wallpaper", 32},  {"10", "3", "About", 16},     {"12", "3", "Panduan", 51}};
  for (int i = 0; i < 12; ++i)
    if (buttonFlags[i]) ribbon.AddButton(buttons[i].id, buttons[i].group, buttons[i].caption, buttons[i].picture);
}
