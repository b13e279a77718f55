// The receipt register: its list, search, date range, ticks and column sort,
// driven through its windows on a database the test fills.
#include "receipts/frmdata_fixture.h"

#include <commctrl.h>

#include <map>
#include <utility>
#include <vector>

#include "platform/ui/app.h"
#include "platform/ui/utf16.h"
#include "platform/vb/locale.h"
#include "receipts/frmkwitansi.h"
#include "support/win_test_support.h"

namespace {

using ui::testing::clickWindow;
using vt::test::RegisterTest;

TEST_F(RegisterTest, OpensWithTodaysReceiptsInNumberOrder) {
  addReceipt("KW-", "003/12/2025", "Siti", "Rp.", 1250000, "05/12/2025", "SPP Desember", "Bandung", "Ani");
  addReceipt("KW-", "001/12/2025", "Budi", "USD", 300, "05/12/2025", "Buku", "Bogor", "Ani");
  addReceipt("", "002/12/2025", "Dewi", "Rp.", 75000, "05/12/2025", "Seragam", "Bandung", "Rudi");
  addReceipt("KW-", "010/11/2025", "Eko", "Rp.", 10000, "04/12/2025", "Lama", "Bandung", "Ani");
  open();
  FrmData& f = data();
  EXPECT_EQ(f.Caption(), "Fram Data Transksi Kwitansi");
  EXPECT_EQ(f.Combo1.Text(), "No Kwitansi");
  ASSERT_EQ(f.Combo1.ListCount(), 2);
  EXPECT_EQ(f.Combo1.List(1), "Sudah Terima Dari");
  EXPECT_EQ(f.TextCari.Text(), "");
  EXPECT_EQ(f.TglAwal.Value(), vb::Date::fromParts(2025, 12, 5));
  EXPECT_EQ(f.TglAkhir.Value(), vb::Date::fromParts(2025, 12, 5));

  struct Header {
    const char* text;
    int width, align;
  };
  const Header headers[] = {{"##", 740, ui::lvwColumnLeft},          {"No Kwitansi", 2440, ui::lvwColumnLeft},
                            {"Sudah Terima dari", 2440, ui::lvwColumnLeft}, {"Mata Uang", 1440, ui::lvwColumnLeft},
                            {"Jumlah", 1440, ui::lvwColumnRight},    {"Untuk Pembayaran", 4000, ui::lvwColumnLeft},
                            {"Tempat Terima", 1440, ui::lvwColumnLeft}, {"Tgl Diterima", 1440, ui::lvwColumnLeft},
                            {"Penerima", 1440, ui::lvwColumnLeft},   {"id", 0, ui::lvwColumnLeft}};
  ASSERT_EQ(f.Lv1.ColumnHeaders.Count(), 10);
  for (int i = 1; i <= 10; ++i) {
    const Header& h = headers[i - 1];
    ui::ColumnHeader& c = f.Lv1.ColumnHeaders.Item(i);
    EXPECT_EQ(c.Text(), h.text);
    // The designed width at least: wider where the header beside its sort
    // icon or the largest amount needs it (HeadersAndTheLargestAmountShowWhole);
    // the key column stays hidden.
    if (h.width == 0) {
      EXPECT_EQ(c.Width(), 0);
    } else {
      EXPECT_GE(c.Width(), h.width - 15) << h.text;
    }
    EXPECT_EQ(c.Alignment(), h.align) << h.text;
  }
  EXPECT_TRUE(f.Lv1.CheckBoxes());

  EXPECT_EQ(rows(), (Rows{{"1", "KW-001/12/2025", "Budi", "USD", amount(300), "Buku", "Bogor", "05/12/2025", "Ani"},
                          {"2", "002/12/2025", "Dewi", "Rp.", amount(75000), "Seragam", "Bandung", "05/12/2025", "Rudi"},
                          {"3", "KW-003/12/2025", "Siti", "Rp.", amount(1250000), "SPP Desember", "Bandung",
                           "05/12/2025", "Ani"}}));
  // The hidden key is the stored row's.
  EXPECT_EQ(f.Lv1.ListItems.Item(1).SubItems(9), scalar("select [no] from tblkwitansi where NoKwitansi = '001/12/2025'"));
  // Rupiah and dollars each have their total; the count names all receipts.
  EXPECT_EQ(f.Label7.Caption(), "Total : Rp. " + amount(1250000 + 75000) + " ; USD " + amount(300));
  EXPECT_EQ(f.Label6.Caption(), "3 Dari 4 Record");
  EXPECT_EQ(f.Label5.Caption(), "Total Record :");
  EXPECT_TRUE(seams->boxes.empty());
}

TEST_F(RegisterTest, DayWithoutReceiptsShowsAnEmptyListQuietly) {
  for (int i = 1; i <= 1200; ++i)
    addReceipt("", vb::Format(vb::Variant(i), "0000") + "/11/2025", "Budi", "Rp.", 1000, "04/11/2025");
  open();
  EXPECT_EQ(data().Lv1.ListItems.Count(), 0);
  EXPECT_EQ(data().Label7.Caption(), "Total : 0");
  EXPECT_EQ(data().Label6.Caption(), "0 Dari " + amount(1200) + " Record");
  EXPECT_TRUE(seams->boxes.empty());
}

TEST_F(RegisterTest, SearchByNumberOrPayer) {
  addReceipt("KW-", "001/12/2025", "Siti Aminah", "Rp.", 1000, "01/12/2025");
  addReceipt("KW-", "002/12/2025", "Budi", "Rp.", 2000, "02/12/2025");
  addReceipt("KW-", "012/12/2025", "Dian O'Brien", "Rp.", 4000, "03/12/2025");
  addReceipt("KW-", "020/11/2025", "Agus", "Rp.", 8000, "28/11/2025");
  open();
  struct Case {
    const char* field;
    const char* key;
    std::vector<std::string> numbers;  // column 2 of the rows found, top to bottom
    const char* total;
  };
  const Case cases[] = {
      {"No Kwitansi", "2/12", {"KW-002/12/2025", "KW-012/12/2025"}, "6000"},
      {"No Kwitansi", "/12/", {"KW-001/12/2025", "KW-002/12/2025", "KW-012/12/2025"}, "7000"},
      // Payers come in name order, the match ignores letter case.
      {"Sudah Terima Dari", "N", {"KW-012/12/2025", "KW-001/12/2025"}, "5000"},
      // An apostrophe is part of the key, not of the statement.
      {"Sudah Terima Dari", "o'brien", {"KW-012/12/2025"}, "4000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.field) + " " + c.key);
    freshSeams();
    search(c.field, c.key);
    EXPECT_EQ(column(2), c.numbers);
    EXPECT_EQ(data().Label7.Caption(), "Total : " + amount(std::stod(c.total)));
    EXPECT_EQ(data().Label6.Caption(), std::to_string(c.numbers.size()) + " Dari 4 Record");
    EXPECT_TRUE(seams->boxes.empty());
  }
}

TEST_F(RegisterTest, SearchThatFindsNothingOrCannotRun) {
  addReceipt("KW-", "001/12/2025", "Siti", "Rp.", 1000, "05/12/2025");
  addReceipt("KW-", "002/12/2025", "Budi", "Rp.", 2000, "05/12/2025");
  open();
  FrmData& f = data();

  // An empty key: the list stays, the key box gets the focus.
  search("No Kwitansi", "");
  ASSERT_EQ(seams->boxes.size(), 1u);
  EXPECT_EQ(seams->boxes[0].prompt, "Masukkan kata kunci Pencarian terlebih dahulu");
  EXPECT_EQ(seams->boxes[0].flags, ui::vbExclamation);
  EXPECT_EQ(seams->boxes[0].title, "Talvoren");
  EXPECT_TRUE(f.TextCari.HasFocus());
  EXPECT_EQ(f.Lv1.ListItems.Count(), 2);

  // An unknown field does nothing at all.
  freshSeams();
  search("Penerima", "Ani");
  EXPECT_TRUE(seams->boxes.empty());
  EXPECT_EQ(f.Lv1.ListItems.Count(), 2);

  // The number is stored without its prefix: a key with it finds nothing.
  for (const char* key : {"KW-001", "999"}) {
    SCOPED_TRACE(key);
    freshSeams();
    search("No Kwitansi", key);
    ASSERT_EQ(seams->boxes.size(), 1u);
    EXPECT_EQ(seams->boxes[0].prompt, "Data yang anda cari didak ditemukan");
    EXPECT_EQ(seams->boxes[0].flags, ui::vbExclamation);
    EXPECT_EQ(seams->boxes[0].title, "Talvoren");
    EXPECT_EQ(f.Lv1.ListItems.Count(), 0);
    EXPECT_EQ(f.Label7.Caption(), "Total : 0");
    EXPECT_EQ(f.Label6.Caption(), "0 Dari 2 Record");
  }

  // A query the database refuses says why and leaves the list as it was.
  clickWindow(f.Button1.hwnd());
  ASSERT_EQ(f.Lv1.ListItems.Count(), 2);
  Module1::koneksi->execute("ALTER TABLE tblkwitansi RENAME TO tblkwitansi_lama");
  freshSeams();
  search("Sudah Terima Dari", "Siti");
  ASSERT_EQ(seams->boxes.size(), 1u);
  EXPECT_NE(seams->boxes[0].prompt.find("tblKwitansi"), std::string::npos) << seams->boxes[0].prompt;
  EXPECT_EQ(f.Lv1.ListItems.Count(), 2);
  EXPECT_EQ(f.Label6.Caption(), "2 Dari 2 Record");
  EXPECT_EQ(f.Label7.Caption(), "Total : " + amount(3000));
}

TEST_F(RegisterTest, DateRangeIncludesBothEnds) {
  addReceipt("", "001/11/2025", "A", "Rp.", 1, "30/11/2025");
  addReceipt("", "002/12/2025", "B", "Rp.", 2, "01/12/2025");
  addReceipt("", "003/12/2025", "C", "Rp.", 4, "03/12/2025");
  addReceipt("", "004/12/2025", "D", "Rp.", 8, "05/12/2025");
  addReceipt("", "005/12/2025", "E", "Rp.", 16, "06/12/2025");
  open();
  struct Case {
    vb::Date from, to;
    std::vector<std::string> payers;
  };
  const auto d = [](int day, int month) { return vb::Date::fromParts(2025, month, day); };
  const Case cases[] = {
      {d(1, 12), d(5, 12), {"B", "C", "D"}},
      {d(30, 11), d(6, 12), {"A", "B", "C", "D", "E"}},
      {d(3, 12), d(3, 12), {"C"}},
      {d(5, 12), d(1, 12), {}},  // the start after the end finds nothing
      {d(2, 12), d(2, 12), {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(vb::Format(vb::Variant(c.from), "dd/mm") + "-" + vb::Format(vb::Variant(c.to), "dd/mm"));
    freshSeams();
    data().TglAwal.Value(c.from);
    data().TglAkhir.Value(c.to);
    clickWindow(data().BTampil.hwnd());
    EXPECT_EQ(column(3), c.payers);
    EXPECT_EQ(data().Label6.Caption(), std::to_string(c.payers.size()) + " Dari 5 Record");
    if (c.payers.empty()) {
      ASSERT_EQ(seams->boxes.size(), 1u);
      EXPECT_EQ(seams->boxes[0].prompt, "Data untuk range tanggal tersebut tidak ditemukan");
      EXPECT_EQ(seams->boxes[0].flags, ui::vbExclamation);
      EXPECT_EQ(seams->boxes[0].title, "Talvoren");
      EXPECT_EQ(data().Label7.Caption(), "Total : 0");
    } else {
      EXPECT_TRUE(seams->boxes.empty());
    }
  }
}

TEST_F(RegisterTest, SelectAllTicksAndSelectsEveryRow) {
  for (int i = 1; i <= 4; ++i) addReceipt("", "00" + std::to_string(i) + "/12/2025", "P", "Rp.", 1, "05/12/2025");
  open();
  FrmData& f = data();
  auto all = [&](bool checked, bool selected) {
    for (int i = 1; i <= f.Lv1.ListItems.Count(); ++i) {
      if (f.Lv1.ListItems.Item(i).Checked() != checked || f.Lv1.ListItems.Item(i).Selected() != selected) return false;
    }
    return true;
  };
  clickWindow(f.Check1.hwnd());
  EXPECT_EQ(f.Check1.Value(), ui::vbChecked);
  EXPECT_TRUE(all(true, true));
  clickWindow(f.Check1.hwnd());
  EXPECT_TRUE(all(false, false));
  // A fill leaves its rows unticked, whatever the box shows.
  clickWindow(f.Check1.hwnd());
  clickWindow(f.Button1.hwnd());
  EXPECT_EQ(f.Check1.Value(), ui::vbChecked);
  EXPECT_EQ(f.Lv1.ListItems.Count(), 4);
  for (int i = 1; i <= 4; ++i) EXPECT_FALSE(f.Lv1.ListItems.Item(i).Checked());
}

TEST_F(RegisterTest, ColumnClicksSortAndShowTheirIcon) {
  addReceipt("", "001/12/2025", "Citra", "Rp.", 900, "05/12/2025");
  addReceipt("", "002/12/2025", "agus", "Rp.", 10000, "05/12/2025");
  addReceipt("", "003/12/2025", "Budi", "USD", 20, "05/12/2025");
  open();
  FrmData& f = data();
  struct Step {
    int header;
    std::vector<std::string> payers;
    std::vector<std::string> icons;  // headers 1 to 10
  };
  const std::string n;
  const Step steps[] = {
      {3, {"agus", "Budi", "Citra"}, {n, n, "down", n, n, n, n, n, n, n}},
      {3, {"Citra", "Budi", "agus"}, {n, n, "up", n, n, n, n, n, n, n}},
      {3, {"agus", "Budi", "Citra"}, {n, n, "down", n, n, n, n, n, n, n}},
      // Amounts sort by value: 20, 900, 10,000.
      {5, {"Budi", "Citra", "agus"}, {n, n, n, n, "down", n, n, n, n, n}},
      {1, {"Citra", "agus", "Budi"}, {"down", n, n, n, n, n, n, n, n, n}},
      {1, {"Budi", "agus", "Citra"}, {"up", n, n, n, n, n, n, n, n, n}},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE("header " + std::to_string(s.header));
    clickHeader(s.header);
    EXPECT_EQ(column(3), s.payers);
    EXPECT_EQ(icons(), s.icons);
    for (int i = 1; i <= 10; ++i) EXPECT_EQ(headerShowsImage(i), !s.icons[static_cast<size_t>(i - 1)].empty()) << i;
  }
  // The hidden key column only clears the other icons.
  f.Lv1_ColumnClick(f.Lv1.ColumnHeaders.Item(10));
  EXPECT_EQ(column(3), (std::vector<std::string>{"Budi", "agus", "Citra"}));
  EXPECT_EQ(icons(), std::vector<std::string>(10, n));

  // A refill shows the query's order again; the clicked header keeps its icon.
  clickHeader(3);
  clickHeader(3);
  clickWindow(f.Button1.hwnd());
  EXPECT_EQ(column(3), (std::vector<std::string>{"Citra", "agus", "Budi"}));
  EXPECT_EQ(f.Lv1.ColumnHeaders.Item(3).Icon(), "up");
  EXPECT_TRUE(seams->boxes.empty());
}

// Amounts sort by their value and dates by the day, both ways; every cell
// keeps the text it showed.
TEST_F(RegisterTest, AmountsAndDatesSortByValue) {
  addReceipt("", "001/11/2025", "A", "Rp.", 1001000, "15/11/2025");
  addReceipt("", "002/12/2025", "B", "Rp.", 1500000, "07/12/2025");
  addReceipt("", "003/11/2025", "C", "Rp.", 250000, "03/11/2025");
  addReceipt("", "004/07/2025", "D", "USD", 75, "12/07/2025");
  open();
  data().TglAwal.Value(vb::Date::fromParts(2025, 7, 1));
  data().TglAkhir.Value(vb::Date::fromParts(2025, 12, 31));
  clickWindow(data().BTampil.hwnd());
  ASSERT_EQ(data().Lv1.ListItems.Count(), 4);
  struct Step {
    int header;
    std::vector<std::string> payers;
  };
  const Step steps[] = {{5, {"D", "C", "A", "B"}},
                        {5, {"B", "A", "C", "D"}},
                        {8, {"D", "C", "A", "B"}},
                        {8, {"B", "A", "C", "D"}}};
  const std::map<std::string, std::pair<std::string, std::string>> shown = {
      {"A", {amount(1001000), "15/11/2025"}},
      {"B", {amount(1500000), "07/12/2025"}},
      {"C", {amount(250000), "03/11/2025"}},
      {"D", {amount(75), "12/07/2025"}}};
  for (const Step& s : steps) {
    SCOPED_TRACE("header " + std::to_string(s.header));
    clickHeader(s.header);
    EXPECT_EQ(column(3), s.payers);
    for (int i = 1; i <= 4; ++i) {
      const auto& cells = shown.at(column(3)[static_cast<size_t>(i - 1)]);
      EXPECT_EQ(column(5)[static_cast<size_t>(i - 1)], cells.first);
      EXPECT_EQ(column(8)[static_cast<size_t>(i - 1)], cells.second);
    }
  }
  EXPECT_TRUE(vt::test::screenshot(data().hwnd(), "register-sorted-by-date.png"));
  EXPECT_TRUE(seams->boxes.empty());
}

// Today's list, the date range, the period report, the date sort and the next
// number read the same whatever separator the regional settings give dates.
TEST_F(RegisterTest, DatesInQueriesDoNotFollowTheRegionalSeparator) {
  using vt::test::DateSeparator;
  exec("insert into tblset (namalembaga, NoKw) values ('SMK', 'KW-')");
  addReceipt("KW-", "001/12/2025", "Siti", "Rp.", 1000, "05/12/2025");
  addReceipt("KW-", "002/12/2025", "Budi", "Rp.", 2000, "01/12/2025");
  addReceipt("KW-", "003/11/2025", "Agus", "Rp.", 4000, "30/11/2025");
  for (const char* sep : {".", "-"}) {
    SCOPED_TRACE(sep);
    DateSeparator regional(ui::Widen(sep));
    ASSERT_EQ(vb::currentLocale().dateSep, sep);
    freshSeams();
    jobs.clear();
    open();
    FrmData& f = data();
    EXPECT_EQ(column(3), std::vector<std::string>{"Siti"});
    // The list shows dates as the regional settings write them.
    EXPECT_EQ(column(8), std::vector<std::string>{std::string("05") + sep + "12" + sep + "2025"});
    EXPECT_EQ(f.Label7.Caption(), "Total : " + amount(1000));

    f.TglAwal.Value(vb::Date::fromParts(2025, 11, 30));
    f.TglAkhir.Value(vb::Date::fromParts(2025, 12, 1));
    clickWindow(f.BTampil.hwnd());
    EXPECT_EQ(column(3), (std::vector<std::string>{"Budi", "Agus"}));
    clickHeader(8);
    EXPECT_EQ(column(3), (std::vector<std::string>{"Agus", "Budi"}));
    clickWindow(f.BCetak2.hwnd());
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].query,
              "select * from tblKwitansi where tgl >=#11/30/2025# and tgl<=#12/01/2025#  order by nokwitansi");
    EXPECT_TRUE(seams->boxes.empty());
    clickWindow(f.Btutup.hwnd());

    // The next number of the month.
    EXPECT_EQ(ui::Default<FrmKwitansi>().Text1.Text(), "KW-003/12/2025");
    ui::Default<FrmKwitansi>().Unload();
  }
}

TEST_F(RegisterTest, ResizeKeepsTheFramesAndTheListToTheWindow) {
  open();
  FrmData& f = data();
  for (const SIZE size : {SIZE{1200, 700}, SIZE{900, 500}}) {
    SCOPED_TRACE(std::to_string(size.cx));
    SetWindowPos(f.hwnd(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    pump();
    const int W = f.ScaleWidth(), H = f.ScaleHeight();
    EXPECT_EQ(f.Frame1.Width(), W - 200);
    EXPECT_EQ(f.Frame2.Width(), W - 200);
    EXPECT_EQ(f.Frame3.Width(), W - 200);
    EXPECT_EQ(f.Lv1.Width(), W - 400);
    EXPECT_NEAR(f.Frame2.Height(), H - (f.Frame1.Height() + f.Frame3.Height() + 200), 15);
    EXPECT_NEAR(f.Lv1.Height(), f.Frame2.Height() - 900, 15);
    EXPECT_NEAR(f.Frame3.Top(), f.Frame2.Top() + f.Frame2.Height(), 15);
    for (ui::Label* l : {&f.Label5, &f.Label6, &f.Label7}) EXPECT_NEAR(l->Top(), f.Lv1.Top() + f.Lv1.Height(), 15);
    // The sum ends where the list ends.
    EXPECT_NEAR(f.Label7.Left() + f.Label7.Width(), f.Lv1.Left() + f.Lv1.Width(), 15);
    EXPECT_NEAR(f.Btutup.Left(), W - 1700, 15);
    // Nothing of the frames falls outside the window.
    EXPECT_LE(f.Frame3.Top() + f.Frame3.Height(), H);
  }
}

TEST_F(RegisterTest, Screenshot) {
  const char* payers[] = {"Siti Rahmawati", "Budi Santoso", "Dewi Lestari", "Agus Salim", "Eko Prasetyo",
                          "Rina Marlina", "Joko Widodo", "Ani Yudhoyono", "Citra Kirana", "Hendra Gunawan"};
  const char* purposes[] = {"SPP bulan Desember", "Uang gedung angsuran 2", "Seragam olahraga", "Buku paket semester 1",
                            "Study tour Yogyakarta"};
  Module1::koneksi->beginTrans();
  for (int i = 1; i <= 300; ++i)
    addReceipt("KW-", vb::Format(vb::Variant(i), "000") + "/12/2025", payers[i % 10], i % 7 == 0 ? "USD" : "Rp.",
               i % 7 == 0 ? 25.0 * i : 150000.0 + 2500.0 * (i % 40), "05/12/2025", purposes[i % 5], "Bandung",
               i % 2 ? "Ani" : "Rudi");
  Module1::koneksi->commitTrans();
  open();
  FrmData& f = data();
  clickHeader(3);
  tick({2, 3, 5});
  f.Lv1.ListItems.Item(5).Selected(true);
  EXPECT_TRUE(vt::test::screenshot(f.hwnd(), "register.png"));
  // The last button keeps to the frame's right edge, inside it.
  EXPECT_LE(f.Btutup.Left() + f.Btutup.Width(), f.Frame3.Width());
  EXPECT_GT(f.Btutup.Left(), f.BCetak2.Left() + f.BCetak2.Width());
}

// Every header shows whole beside its sort icon, and the amount column shows
// the largest amount the entry takes whole: the screen shows as much ink of
// each text as the text has.
TEST_F(RegisterTest, HeadersAndTheLargestAmountShowWhole) {
  const double largest = 999999999999999.0;
  addReceipt("KW-", "001/12/2025", "Agus", "Rp.", 5000, "05/12/2025");
  addReceipt("KW-", "002/12/2025", "Budi", "Rp.", largest, "05/12/2025");
  open();
  FrmData& f = data();
  SetForegroundWindow(f.hwnd());
  pump();
  HWND lv = f.Lv1.hwnd();
  const char* const headers[] = {"##", "No Kwitansi", "Sudah Terima dari", "Mata Uang", "Jumlah",
                                 "Untuk Pembayaran", "Tempat Terima", "Tgl Diterima", "Penerima"};
  for (int i = 1; i <= 9; ++i) {
    SCOPED_TRACE(headers[i - 1]);
    clickHeader(i);
    ASSERT_TRUE(headerShowsImage(i));
    EXPECT_EQ(ui::Narrow(vt::test::HeaderItemText(lv, i - 1)), headers[i - 1]);
    EXPECT_EQ(vt::test::HeaderShowsWhole(lv, i - 1), "");
  }

  // The row of the largest amount, not selected, so that it shows black on white.
  const std::string amountText = amount(largest);
  int row = 0;
  for (int i = 1; i <= f.Lv1.ListItems.Count(); ++i) {
    f.Lv1.ListItems.Item(i).Selected(false);
    if (f.Lv1.ListItems.Item(i).SubItems(FrmData::colJumlah - 1) == amountText) row = i;
  }
  ASSERT_GT(row, 0);
  pump();
  RECT cell{};
  cell.top = FrmData::colJumlah - 1;
  cell.left = LVIR_BOUNDS;
  SendMessageW(lv, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row - 1), reinterpret_cast<LPARAM>(&cell));
  MapWindowPoints(lv, nullptr, reinterpret_cast<POINT*>(&cell), 2);
  InflateRect(&cell, -1, -1);  // the grid lines
  HFONT listFont = reinterpret_cast<HFONT>(SendMessageW(lv, WM_GETFONT, 0, 0));
  EXPECT_EQ(vt::test::InkOnScreen(cell), vt::test::InkOfText(listFont, ui::Widen(amountText), GetSysColor(COLOR_WINDOW)));
  EXPECT_TRUE(vt::test::screenshot(f.hwnd(), "register-headers.png"));
}

// Maximising and restoring the register repaint its frames whole: what the
// screen shows then is what a full repaint of the window shows, and each
// frame's outline runs along its new edges.
TEST_F(RegisterTest, MaximiseAndRestoreLeaveNoOldFrameEdges) {
  addReceipt("KW-", "001/12/2025", "Agus", "Rp.", 5000, "05/12/2025");
  open();
  FrmData& f = data();
  SetForegroundWindow(f.hwnd());
  ui::testing::pumpFor(200);
  struct Step {
    WPARAM command;
    const char* name;
  };
  for (const Step& step : {Step{SC_MAXIMIZE, "register-maximised.png"}, Step{SC_RESTORE, "register-restored.png"}}) {
    SCOPED_TRACE(step.name);
    RECT before{};
    GetWindowRect(f.Frame2.hwnd(), &before);
    // As the caption's buttons do it.
    PostMessageW(f.hwnd(), WM_SYSCOMMAND, step.command, 0);
    ui::testing::pumpFor(300);
    RECT after{};
    GetWindowRect(f.Frame2.hwnd(), &after);
    ASSERT_NE(after.right - after.left, before.right - before.left);
    EXPECT_TRUE(vt::test::SaveScreenPng(f.hwnd(), step.name));

    RECT client{};
    GetClientRect(f.hwnd(), &client);
    MapWindowPoints(f.hwnd(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    const int w = client.right - client.left, h = client.bottom - client.top;
    vt::test::Canvas shown(w, h), repainted(w, h);
    vt::test::CaptureScreen(shown, client);
    RedrawWindow(f.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ui::testing::pumpFor(100);
    vt::test::CaptureScreen(repainted, client);
    // The form and its frames paint these pixels; the controls in the frames
    // paint their own (and a caret blinks in one of them).
    std::vector<RECT> controls;
    const HWND frames[] = {f.Frame1.hwnd(), f.Frame2.hwnd(), f.Frame3.hwnd()};
    for (HWND frame : frames)
      for (HWND c = GetWindow(frame, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        RECT r{};
        GetWindowRect(c, &r);
        OffsetRect(&r, -client.left, -client.top);
        controls.push_back(r);
      }
    int stale = 0;
    POINT first{-1, -1};
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const POINT p{x, y};
        bool control = false;
        for (const RECT& r : controls) control = control || PtInRect(&r, p);
        if (!control && shown.Pixel(x, y) != repainted.Pixel(x, y) && stale++ == 0) first = p;
      }
    EXPECT_EQ(stale, 0) << "first at " << first.x << "," << first.y;
    HFONT font = ui::FontFor(f.Font());
    EXPECT_EQ(vt::test::FrameShowsWhole(f.Frame1.hwnd(), font, L""), "");
    EXPECT_EQ(vt::test::FrameShowsWhole(f.Frame2.hwnd(), font, L"Detail Data"), "");
    EXPECT_EQ(vt::test::FrameShowsWhole(f.Frame3.hwnd(), font, L"Proses"), "");
  }
}

}  // namespace
