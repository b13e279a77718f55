// The template engine: reading templates and their errors, laying out pages
// from rows, and drawing a page into a bitmap.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>

#include "platform/report/template_report.h"
#include "platform/ui/win_util.h"
#include "platform/vb/error.h"
#include "platform/vb/format.h"
#include "support/win_test_support.h"

namespace {

using report::Document;
using report::Item;
using report::Page;
using report::TableRows;
using report::TemplateDocument;
using vb::Variant;

std::string errorOf(const std::function<void()>& fn) {
  try {
    fn();
  } catch (const vb::Error& e) {
    return e.description();
  }
  return "(no error)";
}

std::string shippedTemplate(const std::string& name) {
  const char* src = std::getenv("VT_SOURCE_DIR");
  std::wstring p = vt::test::WinPathFromUnix(std::string(src ? src : ".") + "/resources/program/temp/" + name);
  return ui::Narrow(p);
}

// Rows of a receipt table, as the period report reads them.
std::unique_ptr<TableRows> receipts(int n, const std::string& purpose = "SPP", const std::string& currency = "Rp.") {
  std::vector<std::string> cols = {"no", "NoKwitansi", "NoPasport", "SudahTerima", "Matauang", "Nominal",
                                   "untuk", "Catatan", "TempatDiterima", "tgl", "oleh", "terbilang"};
  std::vector<std::vector<Variant>> rows;
  for (int i = 1; i <= n; ++i) {
    char number[16];
    std::snprintf(number, sizeof number, "%03d/12/2025", i % 1000);
    rows.push_back({Variant(i), Variant(number), Variant("KW-"), Variant("Pembayar " + std::to_string(i)),
                    Variant(currency), Variant("1,000"), Variant(purpose), Variant(""), Variant("Jakarta"),
                    Variant(vb::Date::fromParts(2025, 12, 5)), Variant("Siti"), Variant("Seribu ")});
  }
  return std::make_unique<TableRows>(cols, rows);
}

std::map<std::string, std::unique_ptr<report::RowSource>> institution() {
  std::map<std::string, std::unique_ptr<report::RowSource>> m;
  m["lembaga"] = std::make_unique<TableRows>(
      std::vector<std::string>{"namalembaga", "alamat", "jabatan"},
      std::vector<std::vector<Variant>>{{Variant("SMK Nusantara"), Variant("Jl. Merdeka 1"), Variant("Bendahara")}});
  return m;
}

std::vector<std::string> texts(const Page& p) {
  std::vector<std::string> out;
  for (const Item& it : p.items)
    if (it.kind == Item::Text) out.push_back(p.textOf(it));
  return out;
}

bool pageHas(const Page& p, const std::string& s) {
  for (const std::string& t : texts(p))
    if (t == s) return true;
  return false;
}

TEST(TemplateTest, SyntaxErrorsNameFileLineAndFault) {
  struct Case {
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"dataset d\nband detail height 5\n  text 0 0 10 5 \"x\" wobble\nend\n", "t.rep, line 3: unknown option \"wobble\" for text"},
      {"dataset d\nband detail\n  text 0 0 10 5 \"open\nend\n", "t.rep, line 3: a text in quotes is not closed"},
      {"dataset d\nband detail height 5\n  text 0 0 10 5 \"x\"\n", "t.rep, line 2: the band has no \"end\""},
      {"datasets d\n", "t.rep, line 1: unknown word \"datasets\""},
      {"dataset d\nband detail\n  box 0 zero 10 5\nend\n", "t.rep, line 3: y (mm) must be a number, not \"zero\""},
      {"dataset d\nband detail\n  box 0 0 10 5 fill red\nend\n", "t.rep, line 3: a colour is written #RRGGBB, not \"red\""},
      {"dataset d\nband detail\n  text 0 0 10 5 \"[a\"\nend\n", "t.rep, line 3: \"[\" without \"]\" in \"[a\""},
      {"dataset d\nband detail\nband footer\n", "t.rep, line 3: band footer starts before the band of line 2 has its \"end\""},
      {"dataset d\nband sideways\n", "t.rep, line 2: unknown band \"sideways\""},
      {"dataset d\n\n# no bands\n", "t.rep, line 1: the template has no detail band"},
      {"dataset d\nband detail\n  text 0 0 10 5 \"x\" align middle\nend\n", "t.rep, line 3: unknown alignment \"middle\""},
      {"dataset d\nband detail\n  circle 0 0 10 5\nend\n", "t.rep, line 3: unknown item \"circle\""},
      {"dataset d\npage A4 sideways\nband detail\nend\n", "t.rep, line 2: unknown orientation \"sideways\""},
  };
  for (const Case& c : cases) {
    std::string got = errorOf([&] { report::parseTemplate(c.text, "t.rep"); });
    EXPECT_EQ(got.substr(0, std::string(c.message).size()), c.message) << c.text;
  }
}

TEST(TemplateTest, MissingTemplateNamesTheFile) {
  EXPECT_EQ(errorOf([] { report::loadTemplate("C:\\tidak-ada\\temp\\01.rep"); }),
            "Report template not found: C:\\tidak-ada\\temp\\01.rep");
  try {
    report::loadTemplate("C:\\tidak-ada\\temp\\01.rep");
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.number(), report::kReportError);
  }
}

TEST(TemplateTest, ShippedTemplatesRead) {
  for (const char* name : {"01.rep", "02.rep", "03.rep", "04.rep"}) {
    report::TemplateDef def = report::loadTemplate(shippedTemplate(name));
    EXPECT_EQ(def.datasets.front().name, "datasiswa") << name;
    EXPECT_EQ(def.connection, "gg") << name;
  }
  EXPECT_GT(report::loadTemplate(shippedTemplate("03.rep")).pageWidth,
            report::loadTemplate(shippedTemplate("03.rep")).pageHeight);
  EXPECT_LT(report::loadTemplate(shippedTemplate("01.rep")).pageWidth,
            report::loadTemplate(shippedTemplate("01.rep")).pageHeight);
}

TEST(TemplateTest, UnknownNamesAreFoundWhenTheReportOpens) {
  struct Case {
    const char* item;
    const char* message;
  };
  const Case cases[] = {
      {"text 0 0 50 5 \"[Nama]\"", "t.rep, line 4: unknown field \"Nama\" in dataset \"datasiswa\""},
      {"text 0 0 50 5 \"[lembaga.telepon]\"", "t.rep, line 4: unknown field \"telepon\" in dataset \"lembaga\""},
      {"text 0 0 50 5 \"[kas.saldo]\"", "t.rep, line 4: unknown dataset \"kas\" in [kas.saldo]"},
      {"text 0 0 50 5 \"[sum(lembaga.alamat)]\"", "t.rep, line 4: sum() adds fields of the main dataset only"},
  };
  for (const Case& c : cases) {
    std::string text = std::string("dataset datasiswa\ndataset lembaga query \"select 1\"\nband detail height 5\n") +
                       c.item + "\nend\n";
    std::string got = errorOf([&] {
      TemplateDocument doc(report::parseTemplate(text, "t.rep"), receipts(1), institution(), {});
    });
    EXPECT_EQ(got, c.message) << c.item;
  }
}

TEST(TemplateTest, FieldsParametersAndFormats) {
  struct Case {
    const char* expr;
    const char* shown;
  };
  const Case cases[] = {
      {"[SudahTerima]", "Pembayar 1"},
      {"[sudahterima]", "Pembayar 1"},  // names in any letter case
      {"[NoPasport][NoKwitansi]", "KW-001/12/2025"},
      {"[tgl:dd/mm/yyyy]", "05/12/2025"},
      {"[tgl:dd mmmm yyyy]", "05 December 2025"},
      {"[no:000]", "001"},
      {"[Matauang|Rp.=Rupiah|USD=Dollar]", "Rupiah"},
      {"[terbilang][Matauang|Rp.=Rupiah]", "Seribu Rupiah"},
      {"[lembaga.namalembaga]", "SMK Nusantara"},
      {"[p_01]", "Periode : 01 December 2025 - 31 December 2025"},
      {"Rp [[tunai]", "Rp [tunai]"},
      {"[Row]. [Page]/[Pages]", "1. 1/1"},
      {"[sum(Nominal):#,##0.00]", "1,000.00"},
  };
  for (const Case& c : cases) {
    std::string text = std::string("dataset datasiswa\ndataset lembaga\nparameter p_01\nband detail height 10\n") +
                       "  text 0 0 150 8 \"" + c.expr + "\"\nend\n";
    TemplateDocument doc(report::parseTemplate(text, "t.rep"), receipts(1), institution(),
                         {{"P_01", "Periode : 01 December 2025 - 31 December 2025"}});
    doc.layoutAll();
    ASSERT_EQ(doc.pages.size(), 1u);
    std::vector<std::string> t = texts(doc.pages[0]);
    ASSERT_EQ(t.size(), 1u) << c.expr;
    std::string shown = t[0];
    size_t marker = shown.find(report::kPagesMarker);
    if (marker != std::string::npos) shown.replace(marker, 1, std::to_string(doc.pages.size()));
    EXPECT_EQ(shown, c.shown) << c.expr;
  }
}

// The period report's layout in numbers: its bands' heights decide how many
// rows a page holds.
struct PeriodLayout {
  int firstRows, laterRows, bottom;
};
PeriodLayout periodLayout(const report::TemplateDef& d) {
  const int pageFooter = d.band(report::BandDef::PageFooter)->height;
  const int bottom = d.pageHeight - d.marginBottom - pageFooter;
  const int ph = d.band(report::BandDef::PageHeader)->height, hh = d.band(report::BandDef::Header)->height;
  const int row = d.band(report::BandDef::Detail)->height;
  return {(bottom - d.marginTop - hh - ph) / row, (bottom - d.marginTop - ph) / row, bottom};
}

TEST(TemplateTest, PeriodReportPaginatesByItsBandHeights) {
  report::TemplateDef def = report::loadTemplate(shippedTemplate("04.rep"));
  const PeriodLayout l = periodLayout(def);
  ASSERT_GT(l.firstRows, 0);
  TemplateDocument doc(def, receipts(300), institution(), {{"p_01", "Periode : x"}});
  doc.layoutAll();
  const int expected = 1 + (300 - l.firstRows + l.laterRows - 1) / l.laterRows;
  ASSERT_EQ(static_cast<int>(doc.pages.size()), expected);

  // Rows are numbered 1 to 300 in page order, each whole above the page footer.
  int next = 1;
  for (size_t p = 0; p < doc.pages.size(); ++p) {
    const Page& page = doc.pages[p];
    int rowsHere = 0;
    for (const Item& it : page.items) {
      if (it.kind != Item::Text || page.textOf(it) != std::to_string(next)) continue;
      if (it.x > def.marginLeft + 1000) continue;  // the number column only
      EXPECT_LE(it.y + it.h, l.bottom) << "row " << next << " on page " << p + 1;
      ++next, ++rowsHere;
    }
    const int left = 300 - l.firstRows - l.laterRows * (static_cast<int>(p) - 1);
    EXPECT_EQ(rowsHere, p == 0 ? l.firstRows : std::min(l.laterRows, left)) << "page " << p + 1;
    // The page footer on every page, with the page count known at the end.
    EXPECT_TRUE(pageHas(page, "Halaman " + std::to_string(p + 1) + " dari " + std::string(1, report::kPagesMarker)));
  }
  EXPECT_EQ(next, 301);
  // The totals on the last page only.
  for (size_t p = 0; p + 1 < doc.pages.size(); ++p) EXPECT_FALSE(pageHas(doc.pages[p], "300,000"));
  EXPECT_TRUE(pageHas(doc.pages.back(), "300,000"));
  EXPECT_TRUE(pageHas(doc.pages.back(), "Total Rp. (300 kwitansi)"));
  EXPECT_TRUE(pageHas(doc.pages.front(), "Periode : x"));
  EXPECT_TRUE(pageHas(doc.pages.front(), "SMK Nusantara"));
  EXPECT_FALSE(pageHas(doc.pages[1], "SMK Nusantara"));  // the header is the first page's
}

// The period report's column headings: one size and weight, each shown
// whole in its column (a heading wider than its column takes two lines).
TEST(TemplateTest, PeriodReportHeadingsShareOneSize) {
  report::TemplateDef def = report::loadTemplate(shippedTemplate("04.rep"));
  TemplateDocument doc(def, receipts(1), institution(), {{"p_01", "Periode : x"}});
  doc.layoutAll();
  const report::BandDef* header = doc.definition().band(report::BandDef::PageHeader);
  ASSERT_NE(header, nullptr);
  std::set<std::string> sizes;
  for (const report::ItemDef& it : header->items) {
    if (it.kind != Item::Text) continue;
    sizes.insert(std::to_string(it.font.size) + (it.font.bold ? " bold" : ""));
    EXPECT_TRUE(it.text.pieces.size() == 1 && it.text.pieces[0].kind == report::Piece::Literal);
  }
  EXPECT_EQ(sizes.size(), 1u) << *sizes.begin();
  const Page& page = doc.pages[0];
  for (const Item& it : page.items)
    if (it.kind == Item::Text && page.textOf(it).find("\xE2\x80\xA6") != std::string::npos) ADD_FAILURE() << page.textOf(it);
  for (const char* h : {"No", "No Kwitansi", "Tanggal", "Sudah Terima Dari", "Untuk Pembayaran", "Jumlah"})
    EXPECT_TRUE(pageHas(page, h)) << h;
  EXPECT_TRUE(pageHas(page, "Mata Uang") || (pageHas(page, "Mata") && pageHas(page, "Uang")));
}

TEST(TemplateTest, TotalsPerCurrency) {
  std::vector<std::string> cols = {"Matauang", "Nominal"};
  std::vector<std::vector<Variant>> rows = {{Variant("USD"), Variant("100")},
                                            {Variant("Rp."), Variant("1,500,000")},
                                            {Variant("USD"), Variant("25")},
                                            {Variant("Rp."), Variant("2.000")}};
  // Amounts grouped by two regions' settings count as their digits.
  const char* text =
      "dataset d\nband detail height 5\n  text 0 0 50 5 \"[Nominal:#,##0]\"\nend\n"
      "band totals by Matauang height 5\n  text 0 0 100 5 \"[Matauang] [sum(Nominal):#,##0] [count]\"\nend\n"
      "band footer height 5\n  text 0 0 100 5 \"Semua [count]\"\nend\n";
  TemplateDocument doc(report::parseTemplate(text, "t.rep"), std::make_unique<TableRows>(cols, rows), {}, {});
  doc.layoutAll();
  ASSERT_EQ(doc.pages.size(), 1u);
  std::vector<std::string> t = texts(doc.pages[0]);
  ASSERT_EQ(t.size(), 7u);
  const auto grouped = [](double v) { return vb::Format(Variant(v), "#,##0"); };
  EXPECT_EQ(t[1], grouped(1500000));
  EXPECT_EQ(t[3], grouped(2000));
  EXPECT_EQ(t[4], "Rp. " + grouped(1502000) + " 2");
  EXPECT_EQ(t[5], "USD 125 2");
  EXPECT_EQ(t[6], "Semua 4");
}

// Totals that do not fit under the last row go to a page of their own,
// under that page's header, whole.
TEST(TemplateTest, TotalsThatDoNotFitStartAPage) {
  std::vector<std::string> cols = {"Matauang", "Nominal"};
  const char* text =
      "page 100 60\nmargins 10 10 10 10\ndataset d\n"
      "band page-header height 5\n  text 0 0 80 5 \"KOP\"\nend\n"
      "band detail height 5\n  text 0 0 50 5 \"[Nominal]\"\nend\n"
      "band totals by Matauang height 10\n  text 0 0 80 5 \"Total [Matauang] [sum(Nominal):#,##0]\"\nend\n";
  // 35 mm of rows under the 5 mm header fill the 40 mm a page has.
  for (int rows : {5, 7}) {
    std::vector<std::vector<Variant>> data;
    for (int i = 0; i < rows; ++i) data.push_back({Variant("Rp."), Variant("1,000")});
    TemplateDocument doc(report::parseTemplate(text, "t.rep"), std::make_unique<TableRows>(cols, data), {}, {});
    doc.layoutAll();
    ASSERT_EQ(doc.pages.size(), rows == 5 ? 1u : 2u) << rows;
    const Page& last = doc.pages.back();
    const std::vector<std::string> t = texts(last);
    EXPECT_EQ(std::count(t.begin(), t.end(), "KOP"), 1) << rows;
    EXPECT_TRUE(pageHas(last, "Total Rp. " + std::to_string(rows) + ",000")) << rows;
  }
}

TEST(TemplateTest, LongPurposeWrapsAndGrowsItsRow) {
  report::TemplateDef def = report::loadTemplate(shippedTemplate("04.rep"));
  const std::string purpose =
      "Pembayaran uang sekolah, uang gedung, seragam, buku paket dan kegiatan ekstrakurikuler semester genap "
      "tahun ajaran 2025/2026 untuk dua orang siswa";
  TemplateDocument doc(def, receipts(2, purpose), institution(), {});
  doc.layoutAll();
  const Page& page = doc.pages[0];
  // The purpose column: its lines, each within the column.
  const report::ItemDef* column = nullptr;
  for (const report::ItemDef& it : def.band(report::BandDef::Detail)->items)
    if (!it.text.empty() && it.text.pieces[0].name == "untuk") column = &it;
  ASSERT_NE(column, nullptr);
  std::vector<const Item*> lines;
  int secondRowY = 0;
  bool inFirstRow = false;
  for (const Item& it : page.items) {
    if (it.kind != Item::Text) continue;
    const bool number = it.x < def.marginLeft + 1000;
    if (number && page.textOf(it) == "1") inFirstRow = true;
    if (number && page.textOf(it) == "2") {
      secondRowY = it.y;
      inFirstRow = false;
    }
    if (inFirstRow && it.x == def.marginLeft + column->x + column->padding) lines.push_back(&it);
  }
  ASSERT_GE(lines.size(), 3u);
  const report::FontMetrics& m = doc.metrics(lines[0]->font);
  std::string joined;
  for (const Item* l : lines) {
    EXPECT_LE(m.width(ui::Widen(page.textOf(*l))), column->w - 2 * column->padding);
    joined += (joined.empty() ? "" : " ") + page.textOf(*l);
  }
  EXPECT_EQ(joined, purpose);
  // The second row starts below the first row's last line.
  EXPECT_GE(secondRowY, lines.back()->y + lines.back()->h);
}

// A one-row band with one text item of the given options, and a rule
// 1 mm under its box.
struct FitCase {
  const char* options;
  size_t length;  // of the text: words of 6 letters and a blank
  bool whole;     // every word printed
  double largest, smallest;  // the font sizes its lines may have
  int lines;                 // 0: any number
  const char* unit = nullptr;  // else the text is this character, length times, without blanks
};

std::string wordsOfLength(size_t n) {
  std::string s;
  for (int i = 0; s.size() < n; ++i) s += (s.empty() ? "" : " ") + std::string("kata") + char('a' + i % 26) + char('a' + i / 26 % 26);
  return s.substr(0, n);
}

TEST(TemplateTest, TextsThatDoNotFitGrowShrinkOrEndInAnEllipsis) {
  const FitCase cases[] = {
      {"", 20, true, 10, 10, 1},                 // fits: as it is
      {"", 200, false, 10, 10, 1},               // one line, cut
      {"shrink", 40, true, 9.5, 6, 1},           // one line, smaller
      {"shrink 9", 200, false, 9, 9, 1},         // not even at its smallest: cut
      {"wrap", 200, false, 10, 10, 2},           // the lines its box holds
      {"wrap shrink", 150, true, 9.5, 6, 0},     // all lines in the box, smaller
      {"wrap grow", 400, true, 10, 10, 0},       // all lines, the box taller
      {"wrap grow", 10000, false, 10, 10, 0},    // up to the page, then cut
      {"wrap grow shrink", 10000, false, 6, 6, 0},
      // An emoji (a surrogate pair), a letter with its accent: never parted.
      {"", 60, false, 10, 10, 1, "\xF0\x9F\x98\x80"},
      {"shrink 9", 60, false, 9, 9, 1, "\xF0\x9F\x98\x80"},
      {"wrap size 11", 60, false, 11, 11, 2, "\xF0\x9F\x9A\x80"},
      {"", 100, false, 10, 10, 1, "e\xCC\x81"},
      {"wrap grow", 100, true, 10, 10, 0, "\xD9\x85\xD9\x8E"},
      // A mark as wide as a letter (a Japanese sound mark written apart).
      {"", 60, false, 10, 10, 1, "\xE3\x81\x8B\xE3\x82\x99"},
      {"wrap", 60, false, 10, 10, 2, "\xE3\x81\x8B\xE3\x82\x99"},
  };
  for (const FitCase& c : cases) {
    SCOPED_TRACE(std::string(c.options) + ", " + std::to_string(c.length) + " x " + (c.unit ? c.unit : "characters"));
    std::string text = c.unit ? "" : wordsOfLength(c.length);
    for (size_t i = 0; c.unit && i < c.length; ++i) text += c.unit;
    const std::string blank = c.unit ? "" : " ";
    const std::string tpl = std::string("page 100 100\nmargins 10 10 10 10\ndataset d\nband detail height 20\n") +
                            "  text 0 0 50 10 \"[a]\" " + c.options + "\n  line 0 11 80 11\nend\n";
    std::vector<std::vector<Variant>> one = {{Variant(text)}};
    TemplateDocument doc(report::parseTemplate(tpl, "t.rep"),
                         std::make_unique<TableRows>(std::vector<std::string>{"a"}, one), {}, {});
    doc.layoutAll();
    ASSERT_EQ(doc.pages.size(), 1u);
    const Page& page = doc.pages[0];
    std::string joined;
    int lines = 0, bottom = 0, rule = -1;
    for (const Item& it : page.items) {
      if (it.kind == Item::Line) rule = it.y;
      if (it.kind != Item::Text) continue;
      ++lines;
      const std::string line = page.textOf(it);
      const report::FontSpec& f = doc.fonts[it.font];
      EXPECT_LE(f.size, c.largest);
      EXPECT_GE(f.size, c.smallest);
      EXPECT_LE(doc.metrics(it.font).width(ui::Widen(line)), 5000) << line;  // within its box
      joined += (joined.empty() ? "" : blank) + line;
      bottom = it.y + it.h;
      if (c.unit) {  // every line (before its ellipsis) holds whole characters
        EXPECT_EQ(line.substr(0, line.find("\xE2\x80\xA6")).size() % std::strlen(c.unit), 0u) << line;
      }
    }
    if (c.lines) {
      EXPECT_EQ(lines, c.lines);
    }
    const std::string dots = "\xE2\x80\xA6";
    if (c.whole) {
      EXPECT_EQ(joined, text);
    } else {
      // Cut once, at the end, after words of the text in order.
      ASSERT_GE(joined.size(), dots.size());
      EXPECT_EQ(joined.substr(joined.size() - dots.size()), dots);
      EXPECT_EQ(joined.find(dots), joined.size() - dots.size());
      EXPECT_EQ(text.rfind(joined.substr(0, joined.size() - dots.size() - 1), 0), 0u);
    }
    EXPECT_LE(bottom, 9000) << "past the page's margin";
    // The rule under the box stays under the text's last line.
    EXPECT_GE(rule, bottom);
  }

  // Two texts, one under the other, that a page cannot hold as they are:
  // the one that may shrink does, so that the other stays whole at its
  // size; one that no page could hold whole is cut first, and the other
  // keeps its size.
  const std::pair<FitCase, FitCase> bands[] = {
      {{"wrap grow", 520, true, 10, 10, 0}, {"wrap grow shrink", 460, true, 9.5, 6, 0}},
      {{"wrap grow shrink", 10000, false, 10, 6, 0}, {"wrap grow shrink", 460, true, 10, 10, 0}},
  };
  for (const auto& [a, b] : bands) {
    SCOPED_TRACE(std::string(a.options) + " over " + b.options);
    const std::string tpl = std::string("page 100 100\nmargins 10 10 10 10\ndataset d\nband detail height 20\n") +
                            "  text 0 0 80 5 \"[a]\" " + a.options + "\n  text 1 6 79 5 \"[b]\" " + b.options + "\nend\n";
    std::vector<std::vector<Variant>> one = {{Variant(wordsOfLength(a.length)), Variant(wordsOfLength(b.length))}};
    TemplateDocument doc(report::parseTemplate(tpl, "t.rep"),
                         std::make_unique<TableRows>(std::vector<std::string>{"a", "b"}, one), {}, {});
    doc.layoutAll();
    ASSERT_EQ(doc.pages.size(), 1u);
    std::string joined[2];
    for (const Item& it : doc.pages[0].items) {
      const int k = it.x == 1000 ? 0 : 1;
      const FitCase& c = k ? b : a;
      EXPECT_LE(doc.fonts[it.font].size, c.largest) << k;
      EXPECT_GE(doc.fonts[it.font].size, c.smallest) << k;
      EXPECT_LE(it.y + it.h, 9000) << "past the page's margin";
      joined[k] += (joined[k].empty() ? "" : " ") + doc.pages[0].textOf(it);
    }
    for (int k = 0; k < 2; ++k) {
      const FitCase& c = k ? b : a;
      if (c.whole) {
        EXPECT_EQ(joined[k], wordsOfLength(c.length)) << k;
      } else {
        EXPECT_EQ(joined[k].rfind("\xE2\x80\xA6"), joined[k].size() - 3) << k << ": cut at its end";
      }
    }
  }
}

// A band where one text grows: what lies below it moves, a label on its
// line moves with it, a frame around it stretches, a stub beside it stays.
TEST(TemplateTest, AGrowingTextMakesRoomInItsBand) {
  const std::string longText = wordsOfLength(300);
  const char* tpl =
      "page 150 150\nmargins 10 10 10 10\ndataset d\nband detail height 60\n"
      "  box 0 0 20 60 fill #000080 border 0\n"              // 0 stub, the band's height
      "  text 0 30 20 5 \"stub\"\n"                          // 1 beside the growing text
      "  box 25 4 100 22 border 0.3\n"                       // 2 frame around both rows
      "  text 26 5 30 5 \"Nama\"\n"                          // 3 label of the growing row
      "  text 60 5 60 5 \"[a]\" wrap grow\n"                 // 4 grows
      "  line 25 15 125 15\n"                               // 5 rule under the row
      "  text 26 16 30 5 \"Untuk\"\n"                        // 6 label of the next row
      "  text 60 16 60 5 \"[b]\"\n"                          // 7 its value
      "  line 58 4 58 26\n"                                 // 8 the frame's inner rule
      "  text 25 40 100 5 \"Penerima\"\n"                    // 9 far below
      "end\n";
  struct Case {
    std::string a;
    bool grows;
  };
  for (const Case& c : {Case{"Budi", false}, Case{longText, true}}) {
    std::vector<std::vector<Variant>> one = {{Variant(c.a), Variant("SPP")}};
    TemplateDocument doc(report::parseTemplate(tpl, "t.rep"),
                         std::make_unique<TableRows>(std::vector<std::string>{"a", "b"}, one), {}, {});
    doc.layoutAll();
    ASSERT_EQ(doc.pages.size(), 1u);
    const Page& page = doc.pages[0];
    ASSERT_GE(page.items.size(), 10u);
    auto find = [&](const std::string& t) -> const Item& {
      for (const Item& it : page.items)
        if (it.kind == Item::Text && page.textOf(it) == t) return it;
      ADD_FAILURE() << t;
      return page.items[0];
    };
    // The value's lines: the box grows by the lines it adds.
    std::vector<const Item*> value;
    for (const Item& it : page.items)
      if (it.kind == Item::Text && it.x == 1000 + 6000 && page.textOf(it) != "SPP") value.push_back(&it);
    ASSERT_FALSE(value.empty());
    const int lh = doc.metrics(value[0]->font).lineHeight();
    const int d = static_cast<int>(value.size() - 1) * lh;
    const int valueBottom = value.back()->y + value.back()->h;
    EXPECT_EQ(d > 0, c.grows);
    EXPECT_EQ(find("stub").y, 1000 + 3000);                  // beside: stays
    EXPECT_EQ(find("Nama").y, 1000 + 500);                   // its own label stays on its first line
    EXPECT_EQ(find("Untuk").y, 1000 + 1600 + d);             // the next row moves
    EXPECT_EQ(find("SPP").y, 1000 + 1600 + d);
    EXPECT_EQ(find("Penerima").y, 1000 + 4000 + d);
    const Item* stub = nullptr;
    const Item* frame = nullptr;
    const Item* rule = nullptr;
    const Item* inner = nullptr;
    for (const Item& it : page.items) {
      if (it.kind == Item::Box) (it.x == 1000 ? stub : frame) = &it;
      if (it.kind == Item::Line) (it.w == 0 ? inner : rule) = &it;
    }
    ASSERT_TRUE(stub && frame && rule && inner);
    EXPECT_EQ(stub->h, 6000);                                 // beside: keeps its height
    EXPECT_EQ(rule->y, 1000 + 1500 + d);                      // moves under the grown row
    EXPECT_GE(rule->y, valueBottom);
    EXPECT_EQ(frame->h, 2200 + d);                           // stretches around both rows
    EXPECT_EQ(inner->h, 2200 + d);
    if (c.grows) {
      vt::test::Canvas canvas(600, 600);
      canvas.Fill(RGB(255, 255, 255));
      report::Viewport vp;
      vp.scaleX = vp.scaleY = 4.0 / 100;
      report::drawPage(canvas.dc(), doc, page, vp);
      vt::test::SavePng(canvas.bitmap(), "report_grow_band.png");
    }
  }
}

TEST(TemplateTest, MissingPictureLeavesItsPlaceEmpty) {
  const std::string folder = ui::Narrow(vt::test::ScreenshotDir()) + "report-picture";
  std::filesystem::create_directories(ui::Widen(folder));
  vt::test::Canvas red(40, 20);
  red.Fill(RGB(255, 0, 0));
  img::Picture::fromHBITMAP(red.bitmap()).save(folder + "\\logo.png");
  const char* text =
      "dataset d\nband detail height 30\n  picture 0 0 20 20 \"tidak-ada.jpg\"\n"
      "  picture 0 0 20 20 \"logo.png\"\n  text 0 22 50 5 \"ok\"\nend\n";
  std::vector<std::vector<Variant>> one = {{Variant(1)}};
  TemplateDocument doc(report::parseTemplate(text, folder + "\\t.rep"),
                       std::make_unique<TableRows>(std::vector<std::string>{"a"}, one), {}, {});
  doc.layoutAll();
  std::vector<const Item*> pictures;
  for (const Item& it : doc.pages[0].items)
    if (it.kind == Item::Picture) pictures.push_back(&it);
  // Only the logo that exists; kept in proportion (2:1) and centred in its box.
  ASSERT_EQ(pictures.size(), 1u);
  EXPECT_EQ(pictures[0]->w, 2000);
  EXPECT_EQ(pictures[0]->h, 1000);
  EXPECT_EQ(pictures[0]->y, 1500 + 500);
  EXPECT_TRUE(pageHas(doc.pages[0], "ok"));
}

TEST(TemplateTest, PagesDrawIntoABitmapWhereTheyAreLaidOut) {
  const char* text =
      "page 100 70\nmargins 10 10 10 10\ndataset d\nband detail height 50\n"
      "  box 0 0 40 20 fill #0000FF border 0\n  text 45 0 35 10 \"HHHH\" size 20 bold\n"
      "  text 45 12 35 10 \"\xF0\x9F\x9A\x80\" size 20\n"  // a character no installed font has
      "  text 0 32 80 10 \"\xD8\xB4\xD9\x83\xD8\xB1\xD8\xA7\" size 20 italic\n"  // letters its italic face lacks
      "  line 0 25 80 25 width 1 color #FF0000\nend\n";
  std::vector<std::vector<Variant>> one = {{Variant(1)}};
  TemplateDocument doc(report::parseTemplate(text, "t.rep"),
                       std::make_unique<TableRows>(std::vector<std::string>{"a"}, one), {}, {});
  doc.layoutAll();
  // 100 x 70 mm at 4 pixels a millimetre.
  vt::test::Canvas c(400, 280);
  c.Fill(RGB(255, 255, 255));
  report::Viewport vp;
  vp.scaleX = vp.scaleY = 4.0 / 100;
  report::drawPage(c.dc(), doc, doc.pages[0], vp);
  EXPECT_EQ(c.Pixel(60, 60), RGB(0, 0, 255));     // inside the box (10..50, 10..30 mm)
  EXPECT_EQ(c.Pixel(30, 30), RGB(255, 255, 255)); // in the margin
  EXPECT_EQ(c.Pixel(200, 140), RGB(255, 0, 0));   // on the line at 35 mm
  auto dark = [&](int left, int top, int right, int bottom) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) n += GetRValue(c.Pixel(x, y)) < 100 ? 1 : 0;
    return n;
  };
  EXPECT_GT(dark(220, 40, 360, 80), 200);  // the text's glyphs
  EXPECT_GT(dark(40, 168, 360, 208), 200);  // drawn upright rather than lost
  // The character no font has: one box, not one for each half of its pair.
  int boxes = 0;
  for (int x = 220, inked = 0; x < 360; ++x) {
    int ink = 0;
    for (int y = 88; y < 128; ++y) ink |= GetRValue(c.Pixel(x, y)) < 128;
    boxes += ink > inked;
    inked = ink;
  }
  EXPECT_EQ(boxes, 1);
  vt::test::SavePng(c.bitmap(), "report_draw_bitmap.png");
}

}  // namespace
