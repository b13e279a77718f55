// Renders the ribbon as the main window fills it, in each theme, through the
// control's own Paint, and saves build/screenshots/ribbon-<theme>.png.
#include <algorithm>
using std::max;
using std::min;
#include <objidl.h>
#include <gdiplus.h>

#include "ribbon_fixture.h"

namespace ribbontest {
namespace {

struct Dib {
  HDC dc;
  HBITMAP bmp;
  HGDIOBJ old;
  uint32_t* bits;
  int w, h;
  Dib(int width, int height) : w(width), h(height) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* p = nullptr;
    bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
    bits = static_cast<uint32_t*>(p);
    dc = CreateCompatibleDC(nullptr);
    old = SelectObject(dc, bmp);
  }
  ~Dib() {
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bmp);
  }
  uint32_t At(int x, int y) const { return bits[y * w + x] & 0xFFFFFF; }
};

void SavePng(const Dib& dib, const std::wstring& path) {
  Gdiplus::GdiplusStartupInput in;
  ULONG_PTR token;
  Gdiplus::GdiplusStartup(&token, &in, nullptr);
  {
    Gdiplus::Bitmap bitmap(dib.w, dib.h, dib.w * 4, PixelFormat32bppRGB, reinterpret_cast<BYTE*>(dib.bits));
    CLSID png = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
    EXPECT_EQ(bitmap.Save(path.c_str(), &png, nullptr), Gdiplus::Ok);
  }
  Gdiplus::GdiplusShutdown(token);
}

TEST_F(RibbonTest, ScreenshotsOfTheFilledRibbonInEachTheme) {
  ctl::RibbonImages icons;
  for (int n = 1; n <= 51; ++n)
    icons.Add(ctl::RibbonPicture::FromFile(SourceDir() + "\\resources\\mainicons\\" + std::to_string(n) + ".png"));
  std::string dir = BuildDir();
  dir = dir.substr(0, dir.find_last_of('\\')) + "\\screenshots";
  CreateDirectoryA(dir.c_str(), nullptr);

  const char* names[] = {"black", "blue", "silver"};
  const int width = 720, rows = 2;
  for (int theme = 0; theme < 3; ++theme) {
    SCOPED_TRACE(names[theme]);
    bar = std::make_unique<ctl::RibbonBar>();
    bar->Create(host, 0, 0, width);
    bar->Theme(static_cast<int16_t>(theme));
    bar->ButtonCenter(true);
    bar->ImageList(&icons);
    bar->AddTab("1", "Data");
    bar->AddTab("2", "Admin");
    bar->AddTab("3", "About");
    bar->AddCat("1", "1", "Kwitansi", false);
    bar->AddCat("2", "2", "Customer", false);
    bar->AddCat("3", "3", "Data. Kwitansi", false);
    bar->AddCat("4", "4", "Data Customer", false);
    struct B {
      const char* id;
      const char* cat;
      const char* caption;
      int16_t picture;
    } buttons[] = {{"0", "1", "Kwitansi", 48},    {"1", "1", "Customer", 40},   {"2", "1", "Data Kwitansi", 49},
                   {"3", "1", "Data Customer", 49}, {"4", "2", "Pengaturan", 50}, {"5", "2", "Data User", 36},
                   {"6", "2", "Backup", 7},         {"7", "2", "Restore", 8},     {"8", "2", "Reset", 6},
                   {"9", "2", "Wallpaper", 32},     {"10", "3", "About", 16},     {"12", "3", "Panduan", 51}};
    for (const B& b : buttons) bar->AddButton(b.id, b.cat, b.caption, b.picture);
    bar->Refresh();

    Dib shot(width, 116 * rows + 8);
    RECT all{0, 0, shot.w, shot.h};
    HBRUSH back = CreateSolidBrush(bar->BackColor());
    FillRect(shot.dc, &all, back);
    DeleteObject(back);
    // Row 1: the "Data" tab with its second button hovered and the "About" tab hot.
    Move(Centre(Piece::ButMouse, 2));
    uint32_t before = 0;
    {
      POINT c = Centre(Piece::ButMouse, 1);
      Dib plain(width, 116);
      bar->Paint(plain.dc, width);
      before = plain.At(c.x, 32);
    }
    bar->Paint(shot.dc, width);
    POINT hovered = Centre(Piece::ButMouse, 2);
    POINT other = Centre(Piece::ButMouse, 1);
    EXPECT_NE(shot.At(hovered.x, 32), shot.At(other.x, 32)) << "the hover look shows";
    EXPECT_EQ(shot.At(other.x, 32), before);
    // Row 2: the "Admin" tab, chosen with a click, a button hovered.
    ClickAt(Centre(Piece::TabMouse, 1));
    Move(Centre(Piece::ButMouse, 3));
    Move(Centre(Piece::TabMouse, 2));
    Move(Centre(Piece::ButMouse, 3));
    SetViewportOrgEx(shot.dc, 0, 116 + 8, nullptr);
    bar->Paint(shot.dc, width);
    SetViewportOrgEx(shot.dc, 0, 0, nullptr);
    std::string path = dir + "\\ribbon-" + names[theme] + ".png";
    SavePng(shot, std::wstring(path.begin(), path.end()));
    EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
  }
}

}  // namespace
}  // namespace ribbontest
