// Defaults, loading, saving and what each assignment reports and repaints.
#include <gtest/gtest.h>

#include <vector>

#include "test_util.h"

namespace {

const std::vector<std::string> kKeys = {"BTYPE", "TX",    "ENAB",  "FONT",   "COLTYPE", "FOCUSR",
                                        "BCOL",  "BCOLO", "FCOL",  "FCOLO",  "MCOL",    "MPTR",
                                        "MICON", "PICN",  "PICH",  "UMCOL",  "SOFT",    "PICPOS",
                                        "NGREY", "FX",    "HAND",  "CHECK",  "VALUE"};

TEST(ButtonPersistence, NewlyPlacedButton) {
  auto b = bt::MakeButton(0, 0, 75, 23, "x", 5, 3, false);
  ctl::FontDesc ambient{"Verdana", 10, false, true, false};
  b->InitProperties("Button7", ambient);
  EXPECT_EQ(b->Caption(), "Button7");
  EXPECT_EQ(b->Font(), ambient);
  EXPECT_EQ(b->ButtonType(), 2);
  EXPECT_EQ(b->ColorScheme(), 1);
  EXPECT_TRUE(b->Enabled());
  EXPECT_TRUE(b->ShowFocusRect());
  EXPECT_TRUE(b->UseMaskColor());
  EXPECT_FALSE(b->UseGreyscale() || b->HandPointer() || b->SoftBevel() || b->CheckBoxBehaviour() ||
               b->Value());
  EXPECT_EQ(b->PicturePosition() + b->SpecialEffect() + b->MousePointer(), 0);
  EXPECT_EQ(b->BackColor(), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(b->BackOver(), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(b->ForeColor(), GetSysColor(COLOR_BTNTEXT));
  EXPECT_EQ(b->ForeOver(), GetSysColor(COLOR_BTNTEXT));
  EXPECT_EQ(b->MaskColor(), 0xC0C0C0u);
  EXPECT_EQ(ctl::Button::Version(), "1.0.0");
}

TEST(ButtonPersistence, MissingKeysLoadAsDefaults) {
  auto b = bt::MakeButton(0, 0, 75, 23, "x", 9, 3, false);
  b->SetEnabled(false);
  b->SetMaskColor(0xFF00FF);
  b->ReadProperties(ctl::PropertyBag());
  EXPECT_EQ(b->ButtonType(), 2);
  EXPECT_EQ(b->Caption(), "");
  EXPECT_TRUE(b->Enabled());
  EXPECT_TRUE(IsWindowEnabled(b->hwnd()));
  EXPECT_EQ(b->ColorScheme(), 1);
  EXPECT_TRUE(b->ShowFocusRect());
  EXPECT_TRUE(b->UseMaskColor());
  EXPECT_EQ(b->MaskColor(), 0xC0C0C0u);
  EXPECT_EQ(b->BackColor(), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(b->BackOver(), b->BackColor());
  EXPECT_EQ(b->ForeColor(), GetSysColor(COLOR_BTNTEXT));
  EXPECT_EQ(b->ForeOver(), b->ForeColor());
  EXPECT_EQ(b->MousePointer(), 1);  // HandPointer False resets it to the arrow
}

TEST(ButtonPersistence, StoredPointerAndIconDoNotSurviveWithoutHand) {
  auto b = bt::MakeButton(0, 0, 75, 23, "x", 5, 1, false);
  ctl::PropertyBag bag;
  bag.Write("MPTR", int16_t{11});
  bag.Write("MICON", ctl::Picture::FromIcon(LoadCursorA(nullptr, IDC_CROSS), false));
  bag.Write("HAND", false);
  b->ReadProperties(bag);
  EXPECT_EQ(b->MousePointer(), 1);
  EXPECT_EQ(b->MouseIcon(), nullptr);
  EXPECT_EQ(b->CurrentCursor(), LoadCursorA(nullptr, IDC_ARROW));

  bag.Write("HAND", true);
  b->ReadProperties(bag);
  EXPECT_EQ(b->MousePointer(), 99);
  ASSERT_NE(b->MouseIcon(), nullptr);
  EXPECT_EQ(b->CurrentCursor(), LoadCursorA(nullptr, IDC_HAND));
}

TEST(ButtonPersistence, SavesAllKeysInOrderAndRoundTrips) {
  auto a = bt::MakeButton(0, 0, 75, 23, "x", 5, 1, false);
  a->SetUserMode(true);
  a->SetButtonType(14);
  a->SetCaption("Ha&pus");
  a->SetEnabled(false);
  a->SetFont(ctl::FontDesc{"Verdana", 9, true, false, true});
  a->SetColorScheme(2);
  a->SetShowFocusRect(false);
  a->SetBackColor(0x102030);
  a->SetBackOver(0x203040);
  a->SetForeColor(0x304050);
  a->SetForeOver(0x405060);
  a->SetMaskColor(0xFF00FF);
  a->SetPictureNormal(bt::TestBitmap());
  a->SetPictureOver(bt::SolidBitmap(16, 16, 0x00FF00));
  a->SetUseMaskColor(false);
  a->SetSoftBevel(true);
  a->SetPicturePosition(3);
  a->SetUseGreyscale(true);
  a->SetSpecialEffect(2);
  a->SetHandPointer(true);
  a->SetCheckBoxBehaviour(true);
  a->SetValue(true);

  ctl::PropertyBag saved;
  a->WriteProperties(saved);
  EXPECT_EQ(saved.Keys(), kKeys);
  EXPECT_TRUE(std::holds_alternative<int16_t>(saved.Read("MPTR", 0)));
  EXPECT_TRUE(std::holds_alternative<int32_t>(saved.Read("BCOL", false)));
  EXPECT_TRUE(std::holds_alternative<bool>(saved.Read("ENAB", 0)));

  auto b = bt::MakeButton(0, 30, 75, 23, "y", 2, 1, false);
  b->ReadProperties(saved);
  ctl::PropertyBag again;
  b->WriteProperties(again);
  ASSERT_EQ(again.Keys(), kKeys);
  for (size_t i = 0; i < kKeys.size(); ++i)
    EXPECT_TRUE(saved.Items()[i].second == again.Items()[i].second) << kKeys[i];
  EXPECT_EQ(b->AccessKeys(), "p");
  EXPECT_FALSE(IsWindowEnabled(b->hwnd()));
  EXPECT_EQ(b->PictureSize().cx, 16);
}

TEST(ButtonPersistence, AssignmentsReportTheirSavedKey) {
  auto b = bt::MakeButton(0, 0, 75, 23, "x", 5, 1, false);
  std::vector<std::string> keys;
  b->events.PropertyChanged = [&](const std::string& k) { keys.push_back(k); };
  struct Case {
    std::function<void()> assign;
    std::vector<std::string> want;
  } cases[] = {
      {[&] { b->SetBackColor(1); }, {"BCOL"}},
      {[&] { b->SetBackOver(1); }, {"BCOLO"}},
      {[&] { b->SetForeColor(1); }, {"FCOL"}},
      {[&] { b->SetForeOver(1); }, {"FCOLO"}},
      {[&] { b->SetMaskColor(1); }, {"MCOL"}},
      {[&] { b->SetButtonType(3); }, {"BTYPE"}},
      {[&] { b->SetCaption("a"); }, {"TX"}},
      {[&] { b->SetEnabled(true); }, {"ENAB"}},
      {[&] { b->SetFont(ctl::FontDesc{}); }, {"FONT"}},
      {[&] { b->SetFontBold(true); }, {}},
      {[&] { b->SetFontSize(12); }, {}},
      {[&] { b->SetColorScheme(2); }, {"COLTYPE"}},
      {[&] { b->SetShowFocusRect(true); }, {"FOCUSR"}},
      {[&] { b->SetMousePointer(2); }, {"MPTR"}},
      {[&] { b->SetHandPointer(false); }, {"HAND"}},
      {[&] { b->SetSoftBevel(true); }, {"SOFT"}},
      {[&] { b->SetPictureNormal(nullptr); }, {"PICN"}},
      {[&] { b->SetPictureOver(nullptr); }, {"PICH"}},
      {[&] { b->SetPicturePosition(1); }, {"PICPOS"}},
      {[&] { b->SetUseMaskColor(true); }, {"UMCOL"}},
      {[&] { b->SetUseGreyscale(true); }, {"NGREY"}},
      {[&] { b->SetSpecialEffect(1); }, {"FX"}},
      {[&] { b->SetCheckBoxBehaviour(true); }, {"CHECK"}},
      {[&] { b->SetValue(true); }, {"VALUE"}},
  };
  for (auto& c : cases) {
    keys.clear();
    c.assign();
    EXPECT_EQ(keys, c.want) << (c.want.empty() ? "(none)" : c.want[0]);
  }
}

TEST(ButtonPersistence, DesignTimeColoursAlsoSetTheOverColours) {
  auto b = bt::MakeButton(0, 0, 75, 23, "x", 2, 2, false);
  b->SetBackOver(0x111111);
  b->SetForeOver(0x222222);
  b->SetUserMode(true);  // running
  b->SetBackColor(0x333333);
  b->SetForeColor(0x444444);
  EXPECT_EQ(b->BackOver(), 0x111111u);
  EXPECT_EQ(b->ForeOver(), 0x222222u);
  b->SetUserMode(false);  // being designed
  b->SetBackColor(0x555555);
  b->SetForeColor(0x666666);
  EXPECT_EQ(b->BackOver(), 0x555555u);
  EXPECT_EQ(b->ForeOver(), 0x666666u);
  EXPECT_FALSE(b->FontBold());
  b->SetButtonType(5);
  EXPECT_TRUE(b->FontBold());
}

TEST(ButtonPersistence, DisableRefreshHoldsPaintsUntilRefresh) {
  auto b = bt::MakeButton(0, 0, 75, 23, "x", 5, 1, true);
  const int before = b->PaintCount();
  b->DisableRefresh();
  b->SetCaption("Baru");
  b->SetColorScheme(3);
  b->SetButtonType(1);
  b->DrawButton(0, true);
  EXPECT_EQ(b->PaintCount(), before);
  EXPECT_EQ(b->Caption(), "Baru");
  EXPECT_EQ(b->Colors().face, 0xC0C0C0u);
  b->Refresh();
  EXPECT_EQ(b->PaintCount(), before + 1);
  EXPECT_TRUE(b->RefreshAllowed());
}

}  // namespace
