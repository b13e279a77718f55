// Tab row, categories and buttons: positions in twips from measured captions.
#include "ribbon_fixture.h"

namespace ribbontest {
namespace {

TEST_F(RibbonTest, TabsStartAt90AndAbutWithOnlyTheCurrentOneSelected) {
  MakeRibbon(0);
  const char* captions[] = {"Data", "Admin", "About"};
  for (int i = 0; i < 3; ++i) bar->AddTab(std::to_string(i + 1), captions[i]);
  bar->Refresh();
  float left = 90;
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(captions[i]);
    auto l = El(Piece::Tab_left, i), c = El(Piece::Tab_center, i), r = El(Piece::Tab_right, i);
    auto cap = El(Piece::Tab_caption, i), hit = El(Piece::TabMouse, i);
    EXPECT_EQ(l.left, left);
    EXPECT_EQ(cap.width, TabText(captions[i]).cx);
    EXPECT_EQ(c.width, cap.width);
    EXPECT_EQ(c.left, left + l.width);
    EXPECT_EQ(cap.left, c.left);
    EXPECT_EQ(cap.top, 60);
    EXPECT_EQ(r.left, c.left + c.width);
    EXPECT_EQ(hit.left, left);
    EXPECT_EQ(hit.width, l.width + c.width + r.width);
    EXPECT_EQ(hit.height, 360);
    EXPECT_EQ(l.width, 150);  // the theme's 10-pixel end pieces
    bool selected = i == 0;
    EXPECT_EQ(l.visible, selected);
    EXPECT_EQ(c.visible, selected);
    EXPECT_EQ(r.visible, selected);
    EXPECT_TRUE(cap.visible);
    EXPECT_EQ(cap.foreColor, selected ? 0x000000u : 0xFFFFFFu);
    EXPECT_FALSE(El(Piece::Tab_center_over, i).visible);
    left = r.left + r.width;
  }
}

TEST_F(RibbonTest, NothingShowsWithoutTabsOrCategoriesOfTheCurrentTab) {
  MakeRibbon();
  bar->Refresh();
  EXPECT_FALSE(El(Piece::Tab_caption, 0).visible);
  bar->AddTab("1", "Data");
  bar->AddCat("9", "4", "Lain", true);
  bar->AddButton("0", "9", "Kwitansi", 48);
  bar->Refresh();
  EXPECT_TRUE(El(Piece::Tab_caption, 0).visible);
  for (Piece p : {Piece::Cat_Caption, Piece::Cat_Center_off, Piece::CatMouse, Piece::Cat_Dlg})
    EXPECT_FALSE(El(p, 0).visible) << ctl::PieceName(p);
  EXPECT_TRUE(ShownButtons().empty());
}

// Categories from 120, abutting; width from the caption (plus launcher) or
// from the buttons, whichever is wider; a category without buttons counts -30.
TEST_F(RibbonTest, CategoryWidthsFollowCaptionOrButtons) {
  MakeRibbon();
  bar->AddTab("1", "Data");
  bar->AddTab("2", "Admin");
  struct Cat {
    const char* id;
    const char* tab;
    const char* caption;
    bool dlg;
    int buttons;
  } cats[] = {{"a", "1", "Kategori dengan judul yang panjang", false, 1},
              {"b", "2", "Tab lain", false, 1},
              {"c", "1", "K", true, 2},
              {"d", "", "Tanpa tab", false, 0},
              {"e", "1", "Kosong", true, 0},
              {"f", "1", "Kosong juga", false, 0}};
  for (const Cat& c : cats) bar->AddCat(c.id, c.tab, c.caption, c.dlg);
  for (const Cat& c : cats)
    for (int k = 0; k < c.buttons; ++k) bar->AddButton(std::string(c.id) + std::to_string(k), c.id, "Isi", 1);
  bar->Refresh();

  float left = 120;
  int shown = 0;
  for (const Cat& c : cats) {
    if (std::string(c.tab) != "1") continue;
    SCOPED_TRACE(c.caption);
    int i = shown++;
    auto l = El(Piece::Cat_Left_off, i), m = El(Piece::Cat_Center_off, i), r = El(Piece::Cat_Right_off, i);
    auto cap = El(Piece::Cat_Caption, i), dlg = El(Piece::Cat_Dlg, i), hit = El(Piece::CatMouse, i);
    EXPECT_EQ(l.left, left);
    EXPECT_EQ(l.top, 360);
    EXPECT_EQ(m.left, left + 60);
    EXPECT_EQ(cap.tag, c.id);
    EXPECT_EQ(cap.top, 1400);
    float capW = static_cast<float>(CatText(c.caption).cx);
    EXPECT_EQ(cap.width, capW);
    float fromCaption = capW + (c.dlg ? dlg.width : 0);
    float buttonW = (45 + 480 + 45) * c.buttons + 30 * (c.buttons - 1);  // -30 without buttons
    if (fromCaption < buttonW) {
      EXPECT_EQ(m.width, buttonW);
      EXPECT_EQ(cap.left, m.left + (m.width - capW) / 2);
    } else {
      EXPECT_EQ(m.width, fromCaption);
      EXPECT_EQ(cap.left, m.left);
    }
    EXPECT_EQ(r.left, m.left + m.width);
    EXPECT_EQ(hit.width, l.width + m.width + r.width);
    EXPECT_EQ(hit.height, 1350);
    EXPECT_EQ(El(Piece::Cat_Center_on, i).width, m.width);
    EXPECT_EQ(El(Piece::Cat_Right_on, i).left, r.left);
    EXPECT_FALSE(El(Piece::Cat_Center_on, i).visible);
    // The launcher sits 15 twips into the right piece, 60 above its foot.
    EXPECT_EQ(dlg.visible, c.dlg);
    EXPECT_EQ(dlg.left, r.left - dlg.width + 15);
    EXPECT_EQ(dlg.top, r.top + r.height - (dlg.height + 60));
    EXPECT_EQ(El(Piece::Cat_Dlg_on, i).left, dlg.left);
    EXPECT_EQ(El(Piece::Cat_Dlg_over, i).top, dlg.top);
    left = r.left + r.width;
  }
  EXPECT_EQ(shown, 4);
  EXPECT_EQ(bar->HighestIndex(Piece::CatMouse), 3);
  EXPECT_EQ(ShownButtons().size(), 3u);  // the button of the other tab's category is not laid out
  // The second category's two buttons: 30 twips apart, from the middle piece's left.
  auto b1 = El(Piece::ButMouse, 2), b2 = El(Piece::ButMouse, 3);
  EXPECT_EQ(b1.left, El(Piece::Cat_Center_off, 1).left);
  EXPECT_EQ(b2.left, b1.left + b1.width + 30);
  EXPECT_EQ(b1.tag, "c0");
  EXPECT_EQ(b2.tag, "c1");
  EXPECT_EQ(El(Piece::Button_center, 3).tag, "1");
}

TEST_F(RibbonTest, ButtonPlacesInBothCentringModes) {
  struct Case {
    bool centre;
    const char* caption;
    bool more;
    int picture;
  } cases[] = {
      {false, "Kwitansi", false, 1},          {false, "Data\r\nKwitansi", true, 1},
      {true, "Kwitansi", false, 1},           {true, "Data\r\nKwitansi", false, 1},
      {true, "Data\r\nKwitansi", true, 1},    {true, "Customer", true, 52},
      {false, "Pengaturan aplikasi", false, 53},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.caption) + (c.centre ? " centred" : " top") + (c.more ? " more" : ""));
    MakeRibbon();
    bar->ButtonCenter(c.centre);
    bar->AddTab("1", "Data");
    bar->AddCat("1", "1", "Kwitansi", false);
    bar->AddButton("7", "1", c.caption, static_cast<int16_t>(c.picture), c.more);
    bar->Refresh();
    auto hit = El(Piece::ButMouse, 1), icon = El(Piece::Button_Icon, 1), cap = El(Piece::Button_Caption, 1);
    auto centre = El(Piece::Button_center, 1), glyph = El(Piece::Glip_off, 1);
    TextSize text = ButtonText(c.caption);
    float iconW = static_cast<float>(images.Picture(c.picture).Width() * 15);
    float iconH = static_cast<float>(images.Picture(c.picture).Height() * 15);
    EXPECT_EQ(cap.width, text.cx);
    EXPECT_EQ(cap.height, text.cy);
    EXPECT_EQ(cap.caption, c.caption);
    EXPECT_EQ(hit.top, 420);
    EXPECT_EQ(centre.top, 420);
    EXPECT_EQ(icon.width, iconW);
    float free = 990 - (iconH + cap.height);
    float iconTop = !c.centre ? 510 : c.more ? 420 + (free - cap.height / 2) / 2 : 420 + free / 2;
    EXPECT_EQ(icon.top, iconTop);
    EXPECT_EQ(cap.top, iconTop + iconH);
    EXPECT_EQ(glyph.top, cap.top + cap.height + (cap.height - glyph.height) / 2);
    EXPECT_EQ(glyph.visible, c.more);
    EXPECT_FALSE(El(Piece::Glip_on, 1).visible);
    float wide = std::max<float>(iconW, cap.width);
    EXPECT_EQ(centre.left, hit.left + 45);
    EXPECT_EQ(centre.width, wide);
    if (cap.width > iconW) {
      EXPECT_EQ(cap.left, centre.left);
      EXPECT_EQ(icon.left, cap.left + (cap.width - iconW) / 2);
    } else {
      EXPECT_EQ(icon.left, centre.left);
      EXPECT_EQ(cap.left, icon.left + (iconW - cap.width) / 2);
    }
    EXPECT_EQ(glyph.left, cap.left + (cap.width - glyph.width) / 2);
    EXPECT_EQ(hit.width, 45 + wide + 45);
    EXPECT_EQ(El(Piece::Button_right, 1).left, centre.left + wide);
    EXPECT_EQ(El(Piece::Button_right_over, 1).left, centre.left + wide);
    for (Piece p : {Piece::Button_left, Piece::Button_center, Piece::Button_right,
                    Piece::Button_left_over, Piece::Button_center_over, Piece::Button_right_over})
      EXPECT_FALSE(El(p, 1).visible) << ctl::PieceName(p);
  }
}

TEST_F(RibbonTest, CaptionAsWideAsTheIconIsPlacedByTheIcon) {
  MakeRibbon();
  int px = ButtonText("Sama").cx / 15;
  images.Add(Solid(px, 24));  // picture 54: exactly the caption's width
  bar->AddTab("1", "Data");
  bar->AddCat("1", "1", "K", false);
  bar->AddButton("0", "1", "Sama", 54);
  bar->Refresh();
  auto icon = El(Piece::Button_Icon, 1), cap = El(Piece::Button_Caption, 1);
  EXPECT_EQ(icon.width, cap.width);
  EXPECT_EQ(icon.left, El(Piece::Button_center, 1).left);
  EXPECT_EQ(cap.left, icon.left);
}

TEST_F(RibbonTest, ButtonsStackInFrontOfTheirCategoryAndHitAreasInFrontOfAll) {
  MakeRibbon();
  bar->AddTab("1", "Data");
  bar->AddCat("1", "1", "Satu", true);
  bar->AddCat("2", "1", "Dua", false);
  for (int k = 0; k < 4; ++k) bar->AddButton(std::to_string(k), k < 2 ? "1" : "2", "Tombol", 1, k == 1);
  bar->Refresh();
  int backmost = StackPos(Piece::Barra2, 0);
  for (int j = 1; j <= 4; ++j) {
    int hit = StackPos(Piece::ButMouse, j);
    for (Piece p : {Piece::Button_left, Piece::Button_center, Piece::Button_right, Piece::Button_left_over,
                    Piece::Button_center_over, Piece::Button_right_over, Piece::Button_Icon,
                    Piece::Button_Caption, Piece::Glip_off, Piece::Glip_on})
      EXPECT_LT(StackPos(p, j), hit) << ctl::PieceName(p) << j;
    for (int i = 0; i < 2; ++i) {
      EXPECT_LT(StackPos(Piece::Cat_Dlg_over, i), StackPos(Piece::Button_left, j));
      EXPECT_LT(StackPos(Piece::CatMouse, i), StackPos(Piece::Button_left, j));
    }
  }
  for (int i = 0; i < 2; ++i) {
    EXPECT_LT(StackPos(Piece::Cat_Caption, i), StackPos(Piece::CatMouse, i));
    EXPECT_LT(StackPos(Piece::CatMouse, i), StackPos(Piece::Cat_Dlg, i));
    EXPECT_LT(StackPos(Piece::Cat_Dlg, i), StackPos(Piece::Cat_Dlg_over, i));
    EXPECT_LT(StackPos(Piece::TabMouse, 0), StackPos(Piece::Cat_Left_off, i));
  }
  EXPECT_EQ(backmost, 0);
}

TEST_F(RibbonTest, RefreshTwiceGivesTheSameRibbon) {
  MakeRibbon();
  bar->AddTab("1", "Data");
  bar->AddTab("2", "Admin");
  bar->AddCat("1", "1", "Kwitansi", true);
  bar->AddButton("0", "1", "Kwitansi", 48);
  bar->AddButton("1", "1", "Data\r\nCustomer", 40, true);
  bar->Refresh();
  auto snapshot = [&] {
    std::vector<std::string> out;
    for (auto [p, i] : bar->Stacking()) {
      auto e = El(p, i);
      out.push_back(std::string(ctl::PieceName(p)) + std::to_string(i) + (e.visible ? "+" : "-") +
                    std::to_string(e.left) + "," + std::to_string(e.top) + "," + std::to_string(e.width) +
                    "," + std::to_string(e.height) + e.caption + e.tag);
    }
    return out;
  };
  auto once = snapshot();
  bar->Refresh();
  EXPECT_EQ(snapshot(), once);
}

TEST_F(RibbonTest, TooWideARowKeepsItsFrameUnderTheButtons) {
  MakeRibbon();
  bar->AddTab("1", "Data");
  bar->AddCat("1", "1", "Penuh", false);
  for (int k = 0; k < 91; ++k) bar->AddButton(std::to_string(k), "1", "Tombol nomor", 1);
  bar->Refresh();
  EXPECT_EQ(ShownButtons().size(), 91u);
  EXPECT_GT(El(Piece::ButMouse, 91).left, 32767);
  EXPECT_EQ(El(Piece::Cat_Center_off, 0).width, 32767);
}

}  // namespace
}  // namespace ribbontest
