// Lists, capacities, properties and saved properties.
#include "platform/vb/error.h"
#include "ribbon_fixture.h"

namespace ribbontest {
namespace {

TEST_F(RibbonTest, AddOperationsStoreWhatTheHostGave) {
  MakeRibbon();
  EXPECT_FALSE(bar->AddTab("", "Kosong"));  // an empty first ID leaves CurrentTab empty
  EXPECT_EQ(bar->CurrentTab(), "");
  EXPECT_FALSE(bar->AddTab("1", "Data\r\nKwitansi"));
  EXPECT_FALSE(bar->AddTab("2", "Admin"));
  EXPECT_EQ(bar->CurrentTab(), "1");
  EXPECT_FALSE(bar->AddCat("c", "1", "Data\r\nKwitansi", true));
  EXPECT_FALSE(bar->AddButton("0", "c", "Data\r\nKwitansi", 48));
  EXPECT_FALSE(bar->AddButton("1", "c", "Backup", 7, true, "Simpan\r\nsalinan"));

  ASSERT_EQ(bar->TabCount(), 3);
  EXPECT_EQ(bar->Tabs()[1].caption, "Data Kwitansi");
  ASSERT_EQ(bar->CatCount(), 1);
  EXPECT_EQ(bar->Cats()[0].caption, "Data Kwitansi");
  EXPECT_TRUE(bar->Cats()[0].dlg);
  ASSERT_EQ(bar->ButtonCount(), 2);
  struct Case {
    int index;
    const char* caption;
    const char* toolTip;
    bool more;
  } cases[] = {{0, "Data\r\nKwitansi", "Data Kwitansi", false},
               {1, "Backup", "Simpan salinan", true}};
  for (const Case& c : cases) {
    const auto& b = bar->Buttons()[static_cast<size_t>(c.index)];
    EXPECT_EQ(b.caption, c.caption);
    EXPECT_EQ(b.toolTip, c.toolTip);
    EXPECT_EQ(b.more, c.more);
    EXPECT_EQ(b.picture.Width(), 32);
  }
  // Nothing shows until Refresh.
  EXPECT_FALSE(El(Piece::Tab_caption, 0).visible);
  EXPECT_EQ(bar->HighestIndex(Piece::TabMouse), 0);
}

TEST_F(RibbonTest, CapacityIsThirtyOneTabsAndCategoriesAndNinetyOneButtons) {
  MakeRibbon();
  struct Kind {
    const char* name;
    int capacity;
    std::function<void(int)> add;
    std::function<int()> count;
  } kinds[] = {
      {"tab", 31, [&](int i) { bar->AddTab(std::to_string(i), "T"); }, [&] { return int(bar->TabCount()); }},
      {"category", 31, [&](int i) { bar->AddCat(std::to_string(i), "0", "C", false); },
       [&] { return int(bar->CatCount()); }},
      {"button", 91, [&](int i) { bar->AddButton(std::to_string(i), "0", "B", 1); },
       [&] { return int(bar->ButtonCount()); }},
  };
  for (auto& k : kinds) {
    SCOPED_TRACE(k.name);
    for (int i = 0; i < k.capacity; ++i) k.add(i);
    EXPECT_EQ(k.count(), k.capacity);
    try {
      k.add(999);
      ADD_FAILURE() << "no error beyond the capacity";
    } catch (const vb::Error& e) {
      EXPECT_EQ(e.number(), 9);
    }
    EXPECT_EQ(k.count(), k.capacity);  // nothing of the failed entry is kept
  }
  EXPECT_EQ(bar->Tabs().back().id, "30");
}

TEST_F(RibbonTest, ButtonWithoutItsPictureIsStoredAndLaidOutWithoutIcon) {
  bar = std::make_unique<ctl::RibbonBar>();
  bar->Create(host, 0, 0, 1000);
  bar->Theme(1);
  bar->AddTab("1", "Data");
  bar->AddCat("1", "1", "Kwitansi", false);
  struct Case {
    const ctl::RibbonImages* list;
    int16_t picture;
    int number;
  } cases[] = {{nullptr, 1, 91}, {&images, 0, 35600}, {&images, 54, 35600}};
  for (const Case& c : cases) {
    bar->ImageList(c.list);
    try {
      bar->AddButton("x", "1", "Tanpa", c.picture, true);
      ADD_FAILURE() << "no error for picture " << c.picture;
    } catch (const vb::Error& e) {
      EXPECT_EQ(e.number(), c.number);
    }
    const auto& b = bar->Buttons().back();
    EXPECT_EQ(b.caption, "Tanpa");
    EXPECT_TRUE(b.picture.empty());
    EXPECT_FALSE(b.more);
  }
  EXPECT_EQ(bar->ButtonCount(), 3);
  bar->Refresh();
  EXPECT_EQ(ShownButtons().size(), 3u);
  EXPECT_FALSE(El(Piece::Glip_off, 1).visible);
}

TEST_F(RibbonTest, ThemeValuesOutsideTheRangeBecomeBlack) {
  MakeRibbon(2);
  for (int16_t value : {5, -1, 7}) {
    bar->Theme(value);
    EXPECT_EQ(bar->Theme(), 0);
    EXPECT_EQ(bar->BackColor(), 0x464646u);
  }
}

TEST_F(RibbonTest, SavedPropertiesRoundTrip) {
  bar = std::make_unique<ctl::RibbonBar>();
  auto fresh = bar->WriteProperties();
  ASSERT_EQ(fresh.size(), 4u);
  const char* keys[] = {"Theme", "ButtonCenter", "BackColor", "ForeColor"};
  long values[] = {0, 0, 0x464646, 0xFFFFFF};
  for (size_t k = 0; k < 4; ++k) {
    EXPECT_EQ(fresh[k].key, keys[k]);
    EXPECT_EQ(fresh[k].value, values[k]);
  }
  // A saved "Theme" is kept as read and not applied; ButtonCenter is a Boolean.
  bar->ReadProperties({{"Theme", 2}, {"ButtonCenter", 5}});
  EXPECT_EQ(bar->Theme(), 2);
  EXPECT_TRUE(bar->ButtonCenter());
  EXPECT_TRUE(El(Piece::Barra2, 0).picture.empty());
  EXPECT_EQ(bar->BackColor(), 0x464646u);
  bar->ReadProperties({{"Theme", 9}});
  EXPECT_EQ(bar->Theme(), 9);
  EXPECT_FALSE(bar->ButtonCenter());

  bar->Theme(1);
  bar->ButtonCenter(true);
  auto saved = bar->WriteProperties();
  EXPECT_EQ(saved[0].value, 1);
  EXPECT_NE(saved[1].value, 0);
  EXPECT_EQ(saved[2].value, 0xDAB08E);
  EXPECT_EQ(saved[3].value, 0x8B4215);
  EXPECT_EQ(bar->ChangedProperties(), (std::vector<std::string>{"Theme", "ButtonCenter"}));
}

TEST_F(RibbonTest, HeightIs1740TwipsWhateverTheHostGives) {
  MakeRibbon();
  EXPECT_EQ(bar->HeightTwips(), 1740);
  for (int asked : {300, 20}) {
    SetWindowPos(bar->hwnd(), nullptr, 0, 0, 900, asked, SWP_NOMOVE | SWP_NOZORDER);
    RECT r;
    GetClientRect(bar->hwnd(), &r);
    EXPECT_EQ(r.bottom, 116);
    EXPECT_EQ(r.right, 900);
  }
}

}  // namespace
}  // namespace ribbontest
