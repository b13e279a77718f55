#include "app/walk_ribbon.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/mdiform1_ribbon.h"
#include "support/win_test_support.h"

namespace vt::walk {

RibbonMap::RibbonMap(HWND real, const bool tabs[3], const bool buttons[12]) : real_(real) {
  RECT rc{};
  GetClientRect(real, &rc);
  host_ = vt::test::CreateHostWindow(0, 0, rc.right + 20, 300, L"ribbon copy");
  ShowWindow(host_, SW_HIDE);
  LoadImageList(images_);
  bar_ = std::make_unique<ctl::RibbonBar>();
  bar_->Create(host_, 0, 0, rc.right);
  bar_->Theme(1);
  bar_->ImageList(&images_);
  bar_->ButtonCenter(true);
  FillRibbon(*bar_, tabs, buttons);
  bar_->Refresh();
  vt::test::PumpMessages();
}

RibbonMap::~RibbonMap() {
  bar_.reset();
  if (host_) DestroyWindow(host_);
}

bool RibbonMap::centre(ctl::Piece piece, const std::string& key, bool byTag, POINT& at) const {
  for (int i = 0, top = bar_->HighestIndex(piece); i <= top; ++i) {
    const ctl::RibbonElementInfo e = bar_->Element(piece, i);
    if (!e.exists || !e.visible || (byTag ? e.tag : e.caption) != key) continue;
    at.x = static_cast<LONG>((e.left + e.width / 2) / ctl::RibbonBar::kTwipsPerPixel);
    at.y = static_cast<LONG>((e.top + e.height / 2) / ctl::RibbonBar::kTwipsPerPixel);
    return true;
  }
  return false;
}

void RibbonMap::clickTab(Driver& driver, const std::string& caption) {
  POINT at{};
  ASSERT_TRUE(centre(ctl::Piece::Tab_caption, caption, false, at)) << "no tab " << caption;
  for (HWND w : {bar_->hwnd(), real_}) {
    const LPARAM lp = MAKELPARAM(at.x, at.y);
    if (w == real_) {
      driver.clickAt(w, at.x, at.y);
    } else {
      SendMessageW(w, WM_MOUSEMOVE, 0, lp);
      SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, lp);
      SendMessageW(w, WM_LBUTTONUP, 0, lp);
      vt::test::PumpMessages();
    }
  }
  driver.settle(300);
}

void RibbonMap::clickButton(Driver& driver, const std::string& id) {
  POINT at{};
  ASSERT_TRUE(centre(ctl::Piece::ButMouse, id, true, at)) << "no button with ID " << id << " on this tab";
  driver.clickAt(real_, at.x, at.y);
}

std::string RibbonMap::tabs() const {
  std::vector<std::pair<float, std::string>> found;
  for (int i = 0, top = bar_->HighestIndex(ctl::Piece::Tab_caption); i <= top; ++i) {
    const ctl::RibbonElementInfo e = bar_->Element(ctl::Piece::Tab_caption, i);
    if (e.exists && e.visible && !e.caption.empty()) found.emplace_back(e.left, e.caption);
  }
  std::sort(found.begin(), found.end());
  std::string all;
  for (auto& f : found) all += (all.empty() ? "" : ",") + f.second;
  return all;
}

std::string RibbonMap::buttons() const {
  std::vector<std::pair<float, std::string>> found;
  for (int i = 0, top = bar_->HighestIndex(ctl::Piece::ButMouse); i <= top; ++i) {
    const ctl::RibbonElementInfo e = bar_->Element(ctl::Piece::ButMouse, i);
    if (e.exists && e.visible && !e.tag.empty()) found.emplace_back(e.left, e.tag);
  }
  std::sort(found.begin(), found.end());
  std::string all;
  for (auto& f : found) all += (all.empty() ? "" : ",") + f.second;
  return all;
}

}  // namespace vt::walk
