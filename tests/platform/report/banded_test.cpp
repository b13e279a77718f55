// The banded layout engine, through a small layout of its own: rows pulled
// from the row dictionary, pages filled by section heights, drawing, and the
// modal preview owned by a window.
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/report/banded.h"
#include "platform/report/preview.h"
#include "platform/ui/form.h"
#include "platform/ui/testing.h"
#include "platform/ui/win_util.h"
#include "support/win_test_support.h"

namespace {

using report::Item;
using report::Page;

// A row record as the program hands rows to layouts.
struct Baris : vb::Object {
  std::string baris1, baris2;
};

// A member list: header with logo and name, column headings, one line a row.
class lap_Uji : public report::BandedLayout {
public:
  report::PictureBox& Image1 = ReportHeader.addPicture("Image1", 180, 90, 1440, 1170);
  report::Label& Label14 = ReportHeader.addLabel("Label14", 1795, 200, 7937, 378);
  report::LineControl& Line1 = ReportHeader.addLine("Line1", 0, 1606, 10488, 1606);
  report::Label& Judul = GroupHeader.addLabel("Label31", 94, 94, 10583, 378, "DAFTAR ANGGOTA");
  report::Label& HNo = GroupHeader.addLabel("Label17", 94, 661, 550, 284, "No.");
  report::Label& HNama = GroupHeader.addLabel("Label19", 661, 661, 3000, 284, "Nama");
  report::Field& Field6 = Detail.addField("Field6", 94, 0, 550, 283, "0");
  report::Field& Field2 = Detail.addField("Field2", 661, 0, 3000, 283);
  report::Field& Field3 = Detail.addField("Field3", 3700, 0, 3000, 283);
  report::Label& Total = GroupFooter.addLabel("Label40", 94, 50, 2000, 284, "Total :");
  int nomorBaris = 0;
  std::vector<std::string> events;

  lap_Uji() {
    Caption = "Laporan Uji";
    ReportHeader.Height = 1700;
    GroupHeader.Height = 1000;
    Detail.Height = 285;
    GroupFooter.Height = 400;
    Label14.Font.size = 14;
    Label14.Font.bold = true;
    HNo.Font.bold = HNama.Font.bold = true;
    ReportHeader.Format = [this] {
      events.push_back("ReportHeader_Format");
      Label14.Caption = "Yayasan Uji";
    };
    Detail.BeforePrint = [this] {
      events.push_back("Detail_BeforePrint");
      for (report::Field* f : {&Field6, &Field2, &Field3}) f->Height = Detail.Height;
    };
    FetchData = [this](bool& eof) {
      events.push_back("FetchData");
      ++nomorBaris;
      if (nomorBaris > daftarMhs->Count()) {
        eof = true;
        return;
      }
      eof = false;
      auto row = daftarMhs->Item(std::to_string(nomorBaris)).as<Baris>();
      Field6.Text = std::to_string(std::stoi(Field6.Text) + 1);
      Field2.Text = row->baris1;
      Field3.Text = row->baris2;
    };
  }
  void fill(int n) {
    for (int i = 1; i <= n; ++i) {
      auto b = std::make_shared<Baris>();
      b->baris1 = "Anggota " + std::to_string(i);
      b->baris2 = "Jl. Mawar " + std::to_string(i);
      daftarMhs->Add(std::to_string(i), b);
    }
  }
};

std::vector<std::string> texts(const Page& p) {
  std::vector<std::string> out;
  for (const Item& it : p.items)
    if (it.kind == Item::Text) out.push_back(p.textOf(it));
  return out;
}
bool has(const Page& p, const std::string& s) {
  for (const std::string& t : texts(p))
    if (t == s) return true;
  return false;
}

TEST(BandedTest, PullsRowsAndFillsPagesBySectionHeights) {
  lap_Uji lap;
  lap.fill(150);
  report::Document& doc = lap.Run();
  using report::twipsToUnits;
  const int bottom = twipsToUnits(lap.PaperHeight - lap.BottomMargin), top = twipsToUnits(lap.TopMargin);
  const int row = twipsToUnits(285);
  const int first = (bottom - top - twipsToUnits(1700) - twipsToUnits(1000)) / row;
  const int later = (bottom - top) / row;
  const int rowsLeft = 150 - first;
  int pages = 1 + (rowsLeft + later - 1) / later;
  // The group footer goes on a page of its own when the last one is full.
  const int lastRows = rowsLeft - (pages - 2) * later;
  if (top + lastRows * row + twipsToUnits(400) > bottom) ++pages;
  ASSERT_EQ(static_cast<int>(doc.pages.size()), pages);

  // Rows 1 to 150 in order, numbered by the layout's own counter.
  int next = 1;
  for (const Page& p : doc.pages) {
    std::vector<std::string> t = texts(p);
    for (size_t i = 0; i + 1 < t.size(); ++i)
      if (t[i] == std::to_string(next) && t[i + 1] == "Anggota " + std::to_string(next)) ++next;
    for (const Item& it : p.items) EXPECT_LE(it.y + it.h, bottom);
  }
  EXPECT_EQ(next, 151);
  EXPECT_TRUE(has(doc.pages[0], "Yayasan Uji"));
  EXPECT_TRUE(has(doc.pages[0], "DAFTAR ANGGOTA"));
  EXPECT_FALSE(has(doc.pages[1], "DAFTAR ANGGOTA"));
  EXPECT_TRUE(has(doc.pages.back(), "Total :"));
  EXPECT_EQ(std::count(lap.events.begin(), lap.events.end(), "FetchData"), 151);
  EXPECT_EQ(std::count(lap.events.begin(), lap.events.end(), "Detail_BeforePrint"), 150);
  EXPECT_EQ(lap.events.front(), "ReportHeader_Format");
  EXPECT_EQ(lap.Field2.Height, 285);
}

TEST(BandedTest, HeadersRepeatWhenAsked) {
  lap_Uji lap;
  lap.fill(120);
  lap.GroupHeader.RepeatOnEveryPage = true;
  lap.PageFooter.Height = 300;
  report::Field& halaman = lap.PageFooter.addField("Halaman", 0, 0, 10000, 280);
  lap.PageFooter.Format = [&] {
    halaman.Text = "Halaman " + std::to_string(lap.PageNumber()) + " dari " + report::BandedLayout::PageCount();
  };
  report::Document& doc = lap.Run();
  ASSERT_GE(doc.pages.size(), 2u);
  for (size_t i = 0; i < doc.pages.size(); ++i) {
    EXPECT_TRUE(has(doc.pages[i], "DAFTAR ANGGOTA")) << i;
    EXPECT_TRUE(has(doc.pages[i], "Halaman " + std::to_string(i + 1) + " dari " + report::BandedLayout::PageCount()));
  }
}

TEST(BandedTest, EmptyRowsAndASecondRun) {
  struct Case {
    int rows;
    bool runTwice;
  };
  for (Case c : {Case{0, false}, Case{3, true}}) {
    lap_Uji lap;
    lap.fill(c.rows);
    lap.Run();
    report::Document& doc = c.runTwice ? lap.Run() : lap.document();
    ASSERT_EQ(doc.pages.size(), 1u);
    // Headers and footer, no detail line: the counter has run past the rows.
    EXPECT_TRUE(has(doc.pages[0], "DAFTAR ANGGOTA"));
    EXPECT_TRUE(has(doc.pages[0], "Total :"));
    EXPECT_FALSE(has(doc.pages[0], "Anggota 1"));
  }
}

// A section whose text may grow: the controls below it move down by the
// lines it adds, the section grows, and a one-line field that may shrink
// stays one line inside its box.
TEST(BandedTest, GrowingTextsMoveWhatIsBelowAndFieldsShrink) {
  struct Case {
    std::string name, id;
    bool grows, shrinks;
  };
  const Case cases[] = {
      {"Yayasan Uji", "A-1", false, false},
      {"Yayasan Pendidikan Islam Al-Ma'arif Sekolah Menengah Kejuruan Teknologi Informasi dan Bisnis Bandung Raya",
       "CUST-0000000001-BANDUNG-JAWA-BARAT", true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    lap_Uji lap;
    lap.fill(2);
    lap.Label14.CanGrow = true;
    lap.Field2.ShrinkTo = 6;
    lap.Field2.WordWrap = false;
    lap.ReportHeader.Format = [&] { lap.Label14.Caption = c.name; };
    lap.FetchData = [&](bool& eof) {
      eof = ++lap.nomorBaris > 1;
      lap.Field2.Text = c.id;
    };
    report::Document& doc = lap.Run();
    ASSERT_EQ(doc.pages.size(), 1u);
    const Page& page = doc.pages[0];
    std::vector<const Item*> name;
    const Item* id = nullptr;
    const Item* rule = nullptr;
    const Item* heading = nullptr;
    for (const Item& it : page.items) {
      if (it.kind == Item::Line) rule = &it;
      if (it.kind != Item::Text) continue;
      const std::string t = page.textOf(it);
      if (t == c.id) id = &it;
      if (t == "DAFTAR ANGGOTA") heading = &it;
      if (c.name.rfind(t, 0) == 0 || c.name.find(" " + t) != std::string::npos) name.push_back(&it);
    }
    ASSERT_FALSE(name.empty());
    ASSERT_TRUE(id && rule && heading);
    const int lh = doc.metrics(name[0]->font).lineHeight();
    const int added = static_cast<int>(name.size() - 1) * lh;
    EXPECT_EQ(added > 0, c.grows);
    using report::twipsToUnits;
    EXPECT_EQ(rule->y, twipsToUnits(567) + twipsToUnits(1606) + added);  // the rule under the header moves
    EXPECT_GE(rule->y, name.back()->y + name.back()->h);
    // The header grows to its lowest control, the rule.
    const int header = std::max(twipsToUnits(1700), twipsToUnits(1606) + added);
    EXPECT_EQ(heading->y, twipsToUnits(567) + header + twipsToUnits(94));
    // The ID stays one line in its column, smaller when it must.
    EXPECT_EQ(doc.fonts[id->font].size < 10, c.shrinks);
    EXPECT_LE(doc.metrics(id->font).width(ui::Widen(c.id)), twipsToUnits(3000));
  }
}

TEST(BandedTest, ControlsByName) {
  lap_Uji lap;
  EXPECT_EQ(lap.control("Field2"), &lap.Field2);
  EXPECT_EQ(lap.control("label14"), &lap.Label14);
  EXPECT_EQ(lap.Detail.control("Label14"), nullptr);
  EXPECT_EQ(lap.control("Field99"), nullptr);
}

TEST(BandedTest, PageDrawsWithItsPictureAndText) {
  lap_Uji lap;
  lap.fill(5);
  vt::test::Canvas logo(60, 40);
  logo.Fill(RGB(0, 128, 0));
  lap.Image1.Picture = img::Picture::fromHBITMAP(logo.bitmap());
  report::Document& doc = lap.Run();
  // A4 at 50 dpi.
  vt::test::Canvas c(414, 585);
  c.Fill(RGB(255, 255, 255));
  report::drawPage(c.dc(), doc, doc.pages[0], report::Viewport::forDpi(50, 50));
  // The logo box: 180..1620 twips across from the 1 cm margin; the picture
  // keeps its 3:2 shape inside it, centred.
  const int cx = (567 + 180 + 720) * 50 / 1440, cy = (567 + 90 + 585) * 50 / 1440;
  EXPECT_EQ(c.Pixel(cx, cy), RGB(0, 128, 0));
  int dark = 0;
  for (int y = 0; y < c.height(); ++y)
    for (int x = 0; x < c.width(); ++x) dark += GetRValue(c.Pixel(x, y)) < 90 && GetGValue(c.Pixel(x, y)) < 90 ? 1 : 0;
  EXPECT_GT(dark, 300);
  vt::test::SavePng(c.bitmap(), "report_banded_page.png");
}

TEST(BandedTest, ModalPreviewOwnedByItsWindowPrints) {
  ui::testing::SeamRecorder seams;
  ui::Form owner;
  owner.Caption("Pemilik");
  owner.Show();
  lap_Uji lap;
  lap.fill(80);
  bool checked = false;
  ui::testing::onShown([&](ui::Form& f) {
    auto& p = static_cast<report::PreviewWindow&>(f);
    EXPECT_EQ(f.Caption(), "Laporan Uji");
    EXPECT_EQ(GetWindow(f.hwnd(), GW_OWNER), owner.hwnd());
    EXPECT_FALSE(IsWindowEnabled(owner.hwnd()));
    EXPECT_EQ(p.LHalaman.Caption(), "1 / " + std::to_string(lap.document().pages.size()));
    RedrawWindow(f.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ui::testing::pumpFor(300);
    vt::test::SaveScreenPng(f.hwnd(), "report_banded_preview.png");
    ui::testing::clickWindow(p.BCetak.hwnd());
    checked = true;
    ui::testing::pressKey(p.View.hwnd(), VK_ESCAPE);
  });
  lap.Show(&owner);
  EXPECT_TRUE(checked);
  EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));
  ASSERT_EQ(seams.printDialogs.size(), 1u);
  ASSERT_EQ(seams.prints.size(), 1u);
  EXPECT_EQ(seams.prints[0].pageCount, static_cast<int>(lap.document().pages.size()));
  EXPECT_EQ(seams.prints[0].documentName, "Laporan Uji");
  owner.Unload();
}

}  // namespace
