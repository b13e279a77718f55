// Pictures saved in each format and loaded back, the logo case of replacing
// a file while its picture is shown, and the errors of bad files.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/image/picture.h"
#include "platform/ui/utf16.h"
#include "platform/vb/error.h"

namespace {

std::string tempDir() {
  wchar_t buf[MAX_PATH];
  GetTempPathW(MAX_PATH, buf);
  char out[MAX_PATH * 3];
  WideCharToMultiByte(CP_UTF8, 0, buf, -1, out, sizeof out, nullptr, nullptr);
  return out;
}

// A 40x30 picture: left half red, right half blue.
img::Picture twoColours() {
  static DWORD px[40 * 30];
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) px[y * 40 + x] = x < 20 ? 0x00FF0000 : 0x000000FF;
  HBITMAP bmp = CreateBitmap(40, 30, 1, 32, px);
  img::Picture p = img::Picture::fromHBITMAP(bmp);
  DeleteObject(bmp);
  return p;
}

COLORREF pixelOf(const img::Picture& p, int x, int y) {
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP canvas = CreateCompatibleBitmap(screen, p.width(), p.height());
  HGDIOBJ old = SelectObject(mem, canvas);
  p.draw(mem, 0, 0, p.width(), p.height());
  COLORREF c = GetPixel(mem, x, y);
  SelectObject(mem, old);
  DeleteObject(canvas);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return c;
}

TEST(Picture, SavesAndLoadsEveryFormat) {
  img::Picture p = twoColours();
  ASSERT_EQ(p.width(), 40);
  ASSERT_EQ(p.height(), 30);
  for (const char* ext : {"png", "jpg", "bmp"}) {
    SCOPED_TRACE(ext);
    std::string path = tempDir() + "vt_picture_test." + ext;
    try {
      p.save(path);
    } catch (const vb::Error& e) {
      ADD_FAILURE() << "save: " << e.description();
      continue;
    }
    img::Picture back;
    try {
      back = img::Picture::load(path);
    } catch (const vb::Error& e) {
      ADD_FAILURE() << "load: " << e.description();
      continue;
    }
    EXPECT_EQ(back.width(), 40) << ext;
    EXPECT_EQ(back.height(), 30) << ext;
    COLORREF left = pixelOf(back, 5, 15), right = pixelOf(back, 35, 15);
    EXPECT_GT(GetRValue(left), 200) << ext;
    EXPECT_LT(GetBValue(left), 60) << ext;
    EXPECT_GT(GetBValue(right), 200) << ext;
    EXPECT_NE(back.hbitmap(), nullptr) << ext;
    DeleteFileA(path.c_str());
  }
}

// A save either leaves a file that reads back or reports the failure and
// leaves no file (Wine's GIF encoder writes only a header).
TEST(Picture, SaveNeverReportsAnUnreadableFileAsSaved) {
  std::string path = tempDir() + "vt_picture_test.gif";
  DeleteFileA(path.c_str());
  bool saved = true;
  try {
    twoColours().save(path);
  } catch (const vb::Error& e) {
    saved = false;
    EXPECT_EQ(e.number(), 481);
  }
  if (saved) {
    img::Picture back = img::Picture::load(path);
    EXPECT_EQ(back.width(), 40);
  } else {
    EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
  }
  DeleteFileA(path.c_str());
}

// GIF is read (the ribbon's theme pictures are GIFs); this one was made by an
// outside tool: 40x30, left half red, right half blue.
TEST(Picture, LoadsAGif) {
  static const unsigned char gif[] = {
      0x47,0x49,0x46,0x38,0x39,0x61,0x28,0x00,0x1e,0x00,0xf0,0x00,0x00,0xff,0x00,0x00,0x00,0x00,0xff,0x21,0xf9,0x04,
      0x00,0x00,0x00,0x00,0x00,0x2c,0x00,0x00,0x00,0x00,0x28,0x00,0x1e,0x00,0x00,0x02,0x4b,0x84,0x8f,0x99,0xc1,0xed,
      0xff,0x94,0x94,0xb0,0xd6,0x89,0x8f,0xdd,0x2d,0x67,0xce,0x79,0x18,0xb8,0x89,0x13,0x69,0x99,0x14,0x0a,0xa9,0x0a,
      0xdb,0xba,0x08,0x1c,0xc9,0x1a,0xdd,0xd9,0x06,0x9e,0xeb,0x3c,0xa3,0xdb,0xfd,0x82,0x80,0x5f,0x80,0x68,0x44,0x0e,
      0x83,0x49,0xe6,0xd2,0xf7,0xb4,0x35,0xa1,0x3c,0x65,0xd5,0x79,0xa5,0xe2,0xac,0x5b,0x6c,0x57,0x4b,0xe3,0x86,0xbd,
      0x63,0x30,0xac,0x00,0x00,0x3b};
  std::string path = tempDir() + "vt_gif_test.gif";
  FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(gif, 1, sizeof gif, f);
  std::fclose(f);
  img::Picture p = img::Picture::load(path);
  EXPECT_EQ(p.width(), 40);
  EXPECT_EQ(p.height(), 30);
  EXPECT_GT(GetRValue(pixelOf(p, 5, 15)), 200);
  EXPECT_GT(GetBValue(pixelOf(p, 35, 15)), 200);
  DeleteFileA(path.c_str());
}

// The logo is saved over the old one: a save that fails leaves the old file
// whole, and no temporary file beside it.
TEST(Picture, FailedSaveKeepsTheFileItWasToReplace) {
  const std::string folder = tempDir() + "vt Dévi picture";
  const std::wstring wfolder = ui::Widen(folder);
  CreateDirectoryW(wfolder.c_str(), nullptr);
  const std::string path = folder + "\\logo.gif";
  static const unsigned char gif[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80, 0x00,
                                      0x00, 0xff, 0x00, 0x00, 0x00, 0x00, 0x00, 0x2c, 0x00, 0x00, 0x00, 0x00,
                                      0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3b};
  FILE* f = _wfopen(ui::Widen(path).c_str(), L"wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(gif, 1, sizeof gif, f);
  std::fclose(f);
  bool saved = true;
  try {
    twoColours().save(path);
  } catch (const vb::Error&) {
    saved = false;
  }
  EXPECT_EQ(img::Picture::load(path).width(), saved ? 40 : 1);
  // A JPEG into the same folder, read back by the same name.
  twoColours().saveJpeg(folder + "\\logo.jpg");
  EXPECT_EQ(img::Picture::load(folder + "\\logo.jpg").height(), 30);
  int files = 0;
  WIN32_FIND_DATAW found;
  HANDLE h = FindFirstFileW((wfolder + L"\\*").c_str(), &found);
  if (h != INVALID_HANDLE_VALUE) {
    do files += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
    while (FindNextFileW(h, &found));
    FindClose(h);
  }
  EXPECT_EQ(files, 2);
  DeleteFileW(ui::Widen(path).c_str());
  DeleteFileW(ui::Widen(folder + "\\logo.jpg").c_str());
  RemoveDirectoryW(wfolder.c_str());
}

TEST(Picture, AShownPictureDoesNotHoldItsFile) {
  std::string path = tempDir() + "vt_logo_test.jpg";
  img::Picture p = twoColours();
  p.saveJpeg(path);
  img::Picture shown = img::Picture::load(path);
  // The settings dialog saves the logo over the file it is showing.
  EXPECT_NO_THROW(shown.save(path));
  EXPECT_TRUE(DeleteFileA(path.c_str()));
}

TEST(Picture, BadFilesRaiseErrors) {
  std::string missing = tempDir() + "vt_no_such_picture.jpg";
  std::string junk = tempDir() + "vt_not_a_picture.png";
  FILE* f = std::fopen(junk.c_str(), "wb");
  std::fputs("not a picture", f);
  std::fclose(f);
  struct Case {
    std::string path;
    int number;
  } cases[] = {{missing, 53}, {junk, 481}};
  for (auto& c : cases) {
    try {
      img::Picture::load(c.path);
      ADD_FAILURE() << c.path;
    } catch (const vb::Error& e) {
      EXPECT_EQ(e.number(), c.number) << c.path;
    }
  }
  DeleteFileA(junk.c_str());
  EXPECT_THROW(img::Picture().save(tempDir() + "vt_empty.png"), vb::Error);
}

}  // namespace
