// Times RibbonBar::Refresh with full lists: 31 tabs, 31 categories on the
// first tab and 91 buttons spread over them. Prints the time per Refresh.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "controls/ribbon/ribbon_bar.h"

int main() {
  HWND host = CreateWindowExW(0, L"STATIC", L"bench", WS_OVERLAPPEDWINDOW, 0, 0, 1200, 300, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  ctl::RibbonImages images;
  for (int n = 0; n < 51; ++n)
    images.Add(ctl::RibbonPicture::FromPixels(32, 32, std::vector<uint32_t>(32 * 32, 0xFF4080C0)));
  ctl::RibbonBar bar;
  bar.Create(host, 0, 0, 1200);
  bar.Theme(1);
  bar.ButtonCenter(true);
  bar.ImageList(&images);
  for (int i = 0; i < 31; ++i) bar.AddTab(std::to_string(i), "Tab " + std::to_string(i));
  for (int i = 0; i < 31; ++i) bar.AddCat(std::to_string(i), "0", "Kategori " + std::to_string(i), i % 2 == 0);
  for (int i = 0; i < 91; ++i)
    bar.AddButton(std::to_string(i), std::to_string(i % 31), "Tombol\r\n" + std::to_string(i),
                  static_cast<int16_t>(1 + i % 51), i % 3 == 0);
  bar.Refresh();  // warm-up: fonts, first pieces
  const int rounds = 50;
  auto start = std::chrono::steady_clock::now();
  for (int r = 0; r < rounds; ++r) bar.Refresh();
  auto elapsed = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::printf("Refresh with 31 tabs, 31 categories, 91 buttons: %.3f ms per Refresh (%d rounds)\n",
              elapsed / rounds, rounds);
  DestroyWindow(host);
  return 0;
}
