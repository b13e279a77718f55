#pragma once
// A top-level host window with one RibbonBar, and helpers the ribbon tests share.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/ribbon/ribbon_bar.h"
#include "controls/ribbon/ribbon_images.h"

namespace ribbontest {

using ctl::Piece;

// Caption width and height in twips, measured on our own with the font the
// ribbon is meant to use (Verdana; 8.25 pt for buttons, 9.75 pt otherwise).
struct TextSize {
  int cx, cy;
};
TextSize Measure(const std::string& text, int hundredthsPt, bool bold);
inline TextSize ButtonText(const std::string& s) { return Measure(s, 825, false); }
inline TextSize TabText(const std::string& s) { return Measure(s, 975, true); }
inline TextSize CatText(const std::string& s) { return Measure(s, 975, false); }

// A solid picture of the given size (pixels).
ctl::RibbonPicture Solid(int w, int h, uint32_t argb = 0xFF3060C0);

// Unix path from ctest's environment turned into the Windows view of it.
std::string WinPath(const std::string& unixPath);
std::string SourceDir();  // VT_SOURCE_DIR, Windows view
std::string BuildDir();   // VT_BUILD_DIR, Windows view

class RibbonTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  // A fresh ribbon with theme `theme` and the synthetic image list (pictures
  // 1..51: 32 x 32; 52: 48 x 40; 53: 20 x 20).
  void MakeRibbon(int theme = 1);

  ctl::RibbonElementInfo El(Piece p, int i) const { return bar->Element(p, i); }
  // Pixel point at the centre of a piece.
  POINT Centre(Piece p, int i) const;
  void Move(POINT pt);
  void Down(POINT pt, UINT msg = WM_LBUTTONDOWN);
  void Up(POINT pt, UINT msg = WM_LBUTTONUP);
  void ClickAt(POINT pt) {
    Down(pt);
    Up(pt);
  }
  // Index of a piece in the stacking list (0 = back-most), -1 when absent.
  int StackPos(Piece p, int i) const;
  // Indices of the created buttons whose hit areas are visible, in order.
  std::vector<int> ShownButtons() const;

  HWND host = nullptr;
  std::unique_ptr<ctl::RibbonBar> bar;
  ctl::RibbonImages images;
  std::string tempDir;  // private temporary folder (TMP) for this test
};

}  // namespace ribbontest
