// The system libraries the program loads on their first call: each answers
// that first call, made as the program's code makes it (through the headers'
// declarations), with arguments that open no window.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include <shlwapi.h>
#include <winspool.h>

#include <gtest/gtest.h>

namespace {

bool loaded(const wchar_t* dll) { return GetModuleHandleW(dll) != nullptr; }

TEST(FirstUse, EveryLibraryLoadsOnItsFirstCall) {
  ASSERT_FALSE(loaded(L"comdlg32.dll")) << "loaded at start-up";
  ASSERT_FALSE(loaded(L"winspool.drv")) << "loaded at start-up";

  HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32, 1, 0);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(ImageList_GetImageCount(list), 0);
  ImageList_Destroy(list);

  // A structure of size 0 is refused before any dialog opens.
  OPENFILENAMEW open{};
  EXPECT_FALSE(GetOpenFileNameW(&open));
  EXPECT_FALSE(GetSaveFileNameW(&open));
  PRINTDLGW print{};
  EXPECT_FALSE(PrintDlgW(&print));
  EXPECT_TRUE(loaded(L"comdlg32.dll"));

  DWORD size = 0;
  GetDefaultPrinterW(nullptr, &size);
  EXPECT_TRUE(loaded(L"winspool.drv"));

  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  DWORD ignored = 0;
  GetFileVersionInfoSizeW(self, &ignored);
  EXPECT_TRUE(loaded(L"version.dll"));

  const BYTE bytes[] = {1, 2, 3};
  IStream* stream = SHCreateMemStream(bytes, sizeof bytes);
  ASSERT_NE(stream, nullptr);
  stream->Release();

  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 2, 2);
  HGDIOBJ old = SelectObject(mem, bmp);
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, 0};
  EXPECT_TRUE(AlphaBlend(mem, 0, 0, 1, 1, mem, 1, 1, 1, 1, blend));
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);

  // Opening a file that does not exist fails with its code, without a window.
  const HINSTANCE shell = ShellExecuteW(nullptr, L"open", L"Z:\\tidak\\ada\\berkas.xyz", nullptr, nullptr, SW_HIDE);
  EXPECT_LE(reinterpret_cast<INT_PTR>(shell), 32);
}

}  // namespace
