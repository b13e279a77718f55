// Theme colours, the pictures read from the resources, and the temporary
// files they pass through.
#include "controls/ribbon/ribbon_resources.h"
#include "platform/ui/utf16.h"
#include "platform/vb/error.h"
#include "ribbon_fixture.h"

namespace ribbontest {
namespace {

int LrpFiles(const std::string& dir) {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((dir + "LRP*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return 0;
  int n = 0;
  do ++n;
  while (FindNextFileA(h, &fd));
  FindClose(h);
  return n;
}

TEST_F(RibbonTest, EachThemeSetsItsColours) {
  struct Case {
    int theme;
    uint32_t cat, tabNormal, tabSelected, button, back, fore;
  } cases[] = {{0, 0xFFFFFF, 0xFFFFFF, 0x0, 0x80000008, 0x464646, 0xFFFFFF},
               {1, 0xB86A3E, 0x8B4215, 0x8B4215, 0x8B4215, 0xDAB08E, 0x8B4215},
               {2, 0x6A625C, 0x6A625C, 0x6A625C, 0x6A625C, 0xDDD4D0, 0x6A625C}};
  MakeRibbon(0);
  bar->AddTab("1", "Data");
  bar->AddCat("1", "1", "Kwitansi", false);
  bar->AddButton("0", "1", "Kwitansi", 1);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.theme);
    bar->Theme(static_cast<int16_t>(c.theme));
    EXPECT_EQ(bar->Theme(), c.theme);
    EXPECT_EQ(bar->BackColor(), c.back);
    EXPECT_EQ(bar->ForeColor(), c.fore);
    EXPECT_EQ(bar->TabForeNormal(), c.tabNormal);
    EXPECT_EQ(bar->TabForeSelected(), c.tabSelected);
    bar->Refresh();  // created pieces take the new look at the next layout
    EXPECT_EQ(El(Piece::Cat_Caption, 0).foreColor, c.cat);
    EXPECT_EQ(El(Piece::Button_Caption, 1).foreColor, c.button);
    EXPECT_EQ(El(Piece::Tab_caption, 0).foreColor, c.tabSelected);
  }
}

TEST_F(RibbonTest, ThemePicturesHaveTheirSizesInEveryTheme) {
  struct Pic {
    Piece piece;
    int w, h;
    bool stretched;
  } pics[] = {{Piece::Barra2, 11, 142, true},           {Piece::BarraLeft, 7, 142, false},
              {Piece::BarraRight, 7, 142, false},       {Piece::Cat_Dlg, 15, 14, false},
              {Piece::Cat_Dlg_on, 15, 14, false},       {Piece::Cat_Dlg_over, 15, 14, false},
              {Piece::Cat_Left_off, 4, 89, false},      {Piece::Cat_Center_off, 5, 89, true},
              {Piece::Cat_Right_off, 5, 89, false},     {Piece::Cat_Left_on, 4, 89, false},
              {Piece::Cat_Center_on, 4, 89, true},      {Piece::Cat_Right_on, 5, 89, false},
              {Piece::Tab_left, 10, 24, false},         {Piece::Tab_center, 18, 24, true},
              {Piece::Tab_right, 10, 24, false},        {Piece::Tab_left_over, 10, 24, false},
              {Piece::Tab_center_over, 37, 24, true},   {Piece::Tab_right_over, 10, 24, false},
              {Piece::Glip_off, 5, 4, false},           {Piece::Glip_on, 5, 4, false},
              {Piece::Button_left_over, 3, 66, false},  {Piece::Button_center_over, 49, 66, true},
              {Piece::Button_right_over, 3, 66, false}, {Piece::Button_left, 3, 66, false},
              {Piece::Button_center, 49, 66, true},     {Piece::Button_right, 3, 66, false}};
  MakeRibbon(0);
  for (int theme : {0, 1, 2}) {
    SCOPED_TRACE(theme);
    bar->Theme(static_cast<int16_t>(theme));
    for (const Pic& p : pics) {
      auto e = El(p.piece, 0);
      EXPECT_EQ(e.picture.Width(), p.w) << ctl::PieceName(p.piece);
      EXPECT_EQ(e.picture.Height(), p.h) << ctl::PieceName(p.piece);
      if (!p.stretched) {  // end pieces take their picture's size
        EXPECT_EQ(e.width, p.w * 15) << ctl::PieceName(p.piece);
        EXPECT_EQ(e.height, p.h * 15) << ctl::PieceName(p.piece);
      }
    }
    EXPECT_EQ(El(Piece::Tab_center, 0).height, 360);  // stretched pieces keep their height
    EXPECT_EQ(El(Piece::Barra2, 0).width, 30720);
    auto back = bar->LoadBackground();
    EXPECT_EQ(back.Width(), theme == 2 ? 1 : 499);
    EXPECT_EQ(back.Height(), theme == 2 ? 1 : 157);
    // The pictures keep their transparency: the tab's top corner is clear.
    EXPECT_EQ(El(Piece::Tab_left, 0).picture.Pixel(0, 0) >> 24, 0u);
    EXPECT_EQ(El(Piece::Barra2, 0).picture.Pixel(5, 100) >> 24, 255u);
  }
  // Every picture went through its own temporary file, and none is left.
  EXPECT_EQ(ctl::GetTempDir(), tempDir);
  EXPECT_EQ(LrpFiles(tempDir), 0);
}

TEST_F(RibbonTest, PictureFailuresCarryTheLoaderSourceAndLeaveNoFile) {
  std::string source = ctl::ExeName() + ".cLoadResPicture";
  struct Case {
    int id;
    const char* type;
  } cases[] = {{999, "BLUE"}, {101, "GREEN"}, {142, "SILVER"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    try {
      ctl::LoadResPicture(c.id, c.type);
      ADD_FAILURE() << "loaded a missing picture";
    } catch (const vb::Error& e) {
      EXPECT_EQ(e.source(), source);
      EXPECT_EQ(e.number(), 326);
    }
  }
  EXPECT_EQ(LrpFiles(tempDir), 0);
  // Theme 9 read from the saved form: no resource type, the background fails.
  bar = std::make_unique<ctl::RibbonBar>();
  bar->ReadProperties({{"Theme", 9}});
  EXPECT_THROW(bar->LoadBackground(), vb::Error);
}

TEST_F(RibbonTest, TemporaryFileFailuresCombineTheSystemCodeWith10000) {
  std::string missing = tempDir + "tidak_ada\\";
  char buf[MAX_PATH];
  SetLastError(0);
  ASSERT_EQ(GetTempFileNameA(missing.c_str(), "LRP", 0, buf), 0u);
  DWORD code = GetLastError();
  ASSERT_NE(code, 0u);
  try {
    ctl::GetTempFile("LRP", missing);
    ADD_FAILURE() << "no error for a missing folder";
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.number(), static_cast<int>(code | 10000));
    EXPECT_EQ(e.description(), ctl::ApiErrorText(code));
    EXPECT_EQ(e.source(), ctl::ExeName() + ".cAniCursor");
  }
  // Through the picture loader the number and text stay, the source changes.
  SetEnvironmentVariableA("TMP", missing.c_str());
  SetEnvironmentVariableA("TEMP", missing.c_str());
  try {
    ctl::LoadResPicture(101, "BLACK");
    ADD_FAILURE() << "loaded without a temporary folder";
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.number() & ~10000, static_cast<int>(code) & ~10000);
    EXPECT_EQ(e.number() | 10000, e.number());
    EXPECT_EQ(e.source(), ctl::ExeName() + ".cLoadResPicture");
  }
  // Overlapping bits: 183 | 10000 is 10167, less than the sum.
  try {
    ctl::RaiseApiError(183);
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.number(), 10167);
    EXPECT_FALSE(e.description().empty());
    EXPECT_EQ(e.description(), ctl::ApiErrorText(183));
  }
}

// A temporary folder whose name the ANSI code page cannot spell: the pictures
// still pass through it and leave nothing behind.
TEST_F(RibbonTest, PicturesPassThroughATemporaryFolderOfAnyName) {
  const std::string folder = tempDir + "Dévi ő\\";
  const std::wstring wfolder = ui::Widen(folder);
  CreateDirectoryW(wfolder.c_str(), nullptr);
  SetEnvironmentVariableW(L"TMP", wfolder.c_str());
  SetEnvironmentVariableW(L"TEMP", wfolder.c_str());
  EXPECT_EQ(ctl::GetTempDir(), folder);
  const ctl::RibbonPicture picture = ctl::LoadResPicture(101, "BLACK");
  EXPECT_GT(picture.Width(), 0);
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((wfolder + L"*").c_str(), &fd);
  int files = 0;
  if (h != INVALID_HANDLE_VALUE) {
    do files += (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
    while (FindNextFileW(h, &fd));
    FindClose(h);
  }
  EXPECT_EQ(files, 0);
  SetEnvironmentVariableA("TMP", tempDir.c_str());
  SetEnvironmentVariableA("TEMP", tempDir.c_str());
  RemoveDirectoryW(wfolder.c_str());
}

}  // namespace
}  // namespace ribbontest
