#include "core/mdiform1_ribbon.h"

#include <windows.h>

#include <string>

#include "core/permissions.h"
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

void FillRibbon(ctl::RibbonBar& ribbon, const bool tabFlags[], const bool buttonFlags[]) {
  for (int i = 0; i < core::kTabPermissionCount; ++i) {
    const core::Permission& tab = core::kTabPermissions[i];
    if (tabFlags[i]) ribbon.AddTab(tab.ribbonId, tab.caption);
  }

  ribbon.AddCat("1", "1", "Kwitansi", false);
  ribbon.AddCat("2", "2", "Customer", false);
  ribbon.AddCat("3", "3", "Data. Kwitansi", false);
  ribbon.AddCat("4", "4", "Data Customer", false);

  for (int i = 0; i < core::kButtonPermissionCount; ++i) {
    const core::Permission& button = core::kButtonPermissions[i];
    if (buttonFlags[i]) ribbon.AddButton(button.ribbonId, button.category, button.caption, button.picture);
  }
}
