// The receipt entry dialog, driven through its windows.
#include <gtest/gtest.h>

#include <vector>

#include "core/modal_steps.h"
#include "core/module1.h"
#include "core/program_fixture.h"
#include "platform/ui/app.h"
#include "platform/ui/testing.h"
#include "platform/ui/utf16.h"
#include "platform/ui/win_util.h"
#include "platform/vb/date.h"
#include "platform/vb/locale.h"
#include "platform/vb/text.h"
#include "receipts/frmkwitansi.h"
#include "receipts/frmseting.h"
#include "receipts/keyboard.h"
#include "receipts/report_runs.h"

namespace {

using ui::testing::clickWindow;
using ui::testing::pressKey;
using ui::testing::typeText;
using vt::test::keyboardKey;
using vt::test::keyboardType;

// A grouped amount as the regional settings write it ("1,500,000" in English).
std::string grouped(const std::string& withCommas) {
  return vb::Replace(withCommas, ",", vb::currentLocale().groupSep);
}

const char* const kUpdateQuestion = "Nomer Kwitansi Sudah ada dalam Sistem, apakah ingin di Update?";

// Puts text on the clipboard, as a copy in another program would.
void copyToClipboard(HWND owner, const std::wstring& text) {
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes);
  memcpy(GlobalLock(mem), text.c_str(), bytes);
  GlobalUnlock(mem);
  SetClipboardData(CF_UNICODETEXT, mem);
  CloseClipboard();
}

class EntryTest : public vt::test::ProgramTest {
protected:
  void SetUp() override {
    ProgramTest::SetUp();
    Module1::bukaDatabase();
    Module1::koneksi->execute("ALTER TABLE tblkwitansi ADD COLUMN terbilang memo");
    ui::App::get().Title("Vantorel V1.7 BUILD 28092025");
    setReportViewer([this](const ReportJob& job) { jobs.push_back(job); });
  }
  void TearDown() override {
    setReportViewer(nullptr);
    FrmKwitansi::PilihCustomer = nullptr;
    ProgramTest::TearDown();
  }
  FrmKwitansi& entry() { return ui::Default<FrmKwitansi>(); }
  void settingsRow(const std::string& prefix, const std::string& templete = "Kwitansi 2 Portrait") {
    exec("insert into tblset (namalembaga, tempatcetak, pemilik, Catatan, NoKw, templete) values "
         "('SMK Harapan', 'Bandung', 'Siti', 'Lunas', '" + prefix + "', '" + templete + "')");
  }
  void storedReceipt(const std::string& number, const std::string& prefix) {
    exec("insert into tblkwitansi (NoKwitansi, NoPasport, SudahTerima, Matauang, Nominal, untuk, Catatan, "
         "TempatDiterima, tgl, oleh, terbilang) values ('" + number + "', '" + prefix + "', 'Budi', 'Rp.', "
         "'5,000', 'SPP', 'Lama', 'Bogor', 45990, 'Ani', 'Lima Ribu ')");
  }
  // Shows the dialog modal, runs the steps inside it, then closes it with Tutup.
  void showModal(const std::function<void(FrmKwitansi&)>& steps) {
    ui::testing::onShown([&](ui::Form&) {
      steps(entry());
      if (entry().Loaded()) clickWindow(entry().BTutup.hwnd());
    });
    entry().ShowModal();
  }
  // Types into a box as the keyboard does, one character at a time.
  static void type(ui::TextBox& box, const std::string& text) {
    box.SetFocus();
    typeText(box.hwnd(), text);
  }
  std::vector<ReportJob> jobs;
};

TEST_F(EntryTest, LoadProposesTheNumberAndTakesTheDefaults) {
  struct Case {
    bool settings;
    const char *number, *catatan, *tempat, *penerima;
  };
  const Case cases[] = {{true, "KW-001/12/2025", "Lunas", "Bandung", "Siti"},
                        {false, "Text1001/12/2025", "Text7", "Text8", "Text9"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.settings ? "settings row" : "no settings row");
    exec("DELETE * FROM tblset");
    if (c.settings) settingsRow("KW-");
    ui::testing::unloadAll();
    EXPECT_EQ(entry().Text1.Text(), c.number);
    EXPECT_EQ(entry().Text7.Text(), c.catatan);
    EXPECT_EQ(entry().Text8.Text(), c.tempat);
    EXPECT_EQ(entry().Text9.Text(), c.penerima);
    for (ui::TextBox* box : {&entry().Text3, &entry().Text4, &entry().Text5, &entry().Text6})
      EXPECT_EQ(box->Text(), "");
    EXPECT_EQ(entry().Combo1.Text(), "Rp.");
    ASSERT_EQ(entry().Combo1.ListCount(), 2);
    EXPECT_EQ(entry().Combo1.List(1), "USD");
    EXPECT_EQ(entry().TglDiterima.Value(), vb::Date::fromParts(2025, 12, 5));
    EXPECT_EQ(entry().TglDiterima.Format(), ui::dtpCustom);
    EXPECT_EQ(entry().Caption(), "Form Entri");
  }
}

TEST_F(EntryTest, SaveInsertsEveryColumnThenPrints) {
  settingsRow("KW-");
  showModal([&](FrmKwitansi& f) {
    type(f.Text3, "Budi O'Hara");
    type(f.Text4, "1500000");
    EXPECT_EQ(f.Text4.Text(), grouped("1,500,000"));
    EXPECT_EQ(f.Text5.Text(), "Satu Juta Lima Ratus Ribu Rupiah");
    type(f.Text6, "Uang sekolah");
    f.TglDiterima.Value(vb::Date::fromParts(2025, 12, 3));
    clickWindow(f.BSimpan.hwnd());
    ASSERT_EQ(seams->boxes.size(), 1u);
    EXPECT_EQ(seams->boxes[0].prompt, "Data Berhasil Disimpan");
    EXPECT_EQ(seams->boxes[0].flags, ui::vbInformation);
    EXPECT_EQ(seams->boxes[0].title, "TALVOREN");
    EXPECT_FALSE(f.Frame1.Enabled());
    for (ui::Control* box : {static_cast<ui::Control*>(&f.Text1), static_cast<ui::Control*>(&f.Text4)})
      EXPECT_FALSE(IsWindowEnabled(box->hwnd()));
    EXPECT_TRUE(f.BCetak.Enabled());
    EXPECT_TRUE(f.BTambah.Enabled());
    // Tambah opens the entry again.
    clickWindow(f.BTambah.hwnd());
    EXPECT_TRUE(f.Frame1.Enabled());
    EXPECT_TRUE(IsWindowEnabled(f.Text1.hwnd()));
    EXPECT_TRUE(f.Text3.HasFocus());
    EXPECT_EQ(f.Text1.Text(), "KW-002/12/2025");
  });
  EXPECT_EQ(scalar("select count(*) from tblkwitansi"), "1");
  const std::pair<const char*, std::string> columns[] = {
      {"NoKwitansi", "001/12/2025"},   {"NoPasport", "KW-"},          {"SudahTerima", "Budi O'Hara"},
      {"Matauang", "Rp."},             {"Nominal", grouped("1,500,000")}, {"untuk", "Uang sekolah"},
      {"Catatan", "Lunas"},            {"TempatDiterima", "Bandung"}, {"oleh", "Siti"},
      {"terbilang", "Satu Juta Lima Ratus Ribu "},
      {"Format(tgl, 'dd/mm/yyyy')", "03/12/2025"}};
  for (const auto& c : columns) EXPECT_EQ(scalar(std::string("select ") + c.first + " from tblkwitansi"), c.second) << c.first;
  // Printed at once, with the template the settings choose.
  ASSERT_EQ(jobs.size(), 1u);
  EXPECT_EQ(jobs[0].query,
            "SELECT tblkwitansi.*, Format(tgl, 'dd mmmm yyyy') AS tgl_string from tblkwitansi "
            "where nokwitansi = '001/12/2025'");
  EXPECT_EQ(jobs[0].templatePath, folder() + "\\temp\\02.rep");
  EXPECT_EQ(jobs[0].title, "Cetak Kwitansi");
}

// A number stored already is replaced only on a deliberate Yes: No is the
// question's default, so Enter keeps the stored receipt.
TEST_F(EntryTest, ExistingNumberAsksBeforeUpdating) {
  struct Case {
    int answer;  // 0: Enter on the real question
    const char* payer;
    bool frameEnabled;
    std::vector<std::string> boxes;
  };
  const Case cases[] = {
      {ui::vbNo, "Budi", true, {kUpdateQuestion}},
      {ui::vbYes, "Citra", false, {kUpdateQuestion, "Data Berhasil Di Update"}},
      {0, "Budi", true, {kUpdateQuestion}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer == ui::vbYes ? "Yes" : c.answer ? "No" : "Enter");
    exec("DELETE * FROM tblkwitansi");
    storedReceipt("001/12/2025", "LAMA-");
    settingsRow("BARU-");
    freshSeams();
    jobs.clear();
    if (c.answer)
      seams->answers.push_back(c.answer);
    else
      vt::test::AnswerWithEnter(*seams, kUpdateQuestion, "entry-question.png");
    showModal([&](FrmKwitansi& f) {
      // Proposed after the stored one; typed over with the stored number.
      EXPECT_EQ(f.Text1.Text(), "BARU-002/12/2025");
      f.Text1.Text("BARU-001/12/2025");
      type(f.Text3, "Citra");
      type(f.Text4, "7500");
      clickWindow(f.BSimpan.hwnd());
      EXPECT_EQ(f.Frame1.Enabled(), c.frameEnabled);
    });
    ASSERT_EQ(seams->boxes.size(), c.boxes.size());
    for (size_t i = 0; i < c.boxes.size(); ++i) EXPECT_EQ(seams->boxes[i].prompt, c.boxes[i]);
    EXPECT_EQ(seams->boxes[0].flags, ui::vbYesNo | ui::vbDefaultButton2);
    EXPECT_EQ(seams->boxes[0].title, "Talvoren");
    if (c.boxes.size() > 1) {
      EXPECT_EQ(seams->boxes[1].flags, ui::vbInformation);
      EXPECT_EQ(seams->boxes[1].title, "talvoren");
    }
    EXPECT_EQ(scalar("select count(*) from tblkwitansi"), "1");
    EXPECT_EQ(scalar("select SudahTerima from tblkwitansi"), c.payer);
    EXPECT_EQ(scalar("select Nominal from tblkwitansi"), c.answer == ui::vbYes ? grouped("7,500") : "5,000");
    EXPECT_EQ(scalar("select NoPasport from tblkwitansi"), "LAMA-");
    // An update prints nothing.
    EXPECT_TRUE(jobs.empty());
    exec("DELETE * FROM tblset");
  }
}

TEST_F(EntryTest, AmountBoxKeepsDigitsAndSpellsThem) {
  const vb::Locale& loc = vb::currentLocale();
  const std::string whole = "Banyaknya Uang harus berupa bilangan bulat (tanpa desimal)";
  const std::string range = "Banyaknya Uang harus berupa angka dari 1 sampai " + grouped("999,999,999,999,999");
  struct Case {
    const char* name;
    std::string typed;
    std::string pasted;  // over the whole box after the typing, when set
    bool usd;
    std::string amount, words, message;
  };
  const Case cases[] = {
      // The box shows nothing, so the words show nothing either.
      {"zero empties the box", "0", "", false, "", "", ""},
      {"letters, signs and the group separator are discarded", "1a2-3" + loc.groupSep + "4 5_6+", "", false,
       grouped("123,456"), "Seratus Dua Puluh Tiga Ribu Empat Ratus Lima Puluh Enam Rupiah", ""},
      {"backspace", "12345\b", "", false, grouped("1,234"), "Seribu Dua Ratus Tiga Puluh Empat Rupiah", ""},
      {"dollars", "2500", "", true, grouped("2,500"), "Dua Ribu Lima Ratus Dollar", ""},
      {"a sixteenth digit is refused", "1000000000000000", "", false, grouped("100,000,000,000,000"),
       "Seratus Trilyun Rupiah", ""},
      {"largest spelled", "999999999999999", "", false, grouped("999,999,999,999,999"),
       "Sembilan Ratus Sembilan Puluh Sembilan Trilyun Sembilan Ratus Sembilan Puluh Sembilan Milyar "
       "Sembilan Ratus Sembilan Puluh Sembilan Juta Sembilan Ratus Sembilan Puluh Sembilan Ribu "
       "Sembilan Ratus Sembilan Puluh Sembilan Rupiah", ""},
      // A fraction never turns into another amount: the box keeps what it held.
      {"a typed decimal separator", "1500000" + loc.decimalSep, "", false, grouped("1,500,000"),
       "Satu Juta Lima Ratus Ribu Rupiah", whole},
      {"a pasted fraction", "12", "1500000" + loc.decimalSep + "50", false, "12", "Dua Belas Rupiah", whole},
      {"pasted sixteen digits", "12", "1000000000000000", false, "12", "Dua Belas Rupiah", range},
  };
  showModal([&](FrmKwitansi& f) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.name);
      seams->boxes.clear();
      f.BTambah_Click();
      if (c.usd) f.Combo1.ListIndex(1);
      type(f.Text4, c.typed);
      if (!c.pasted.empty()) {
        copyToClipboard(f.hwnd(), ui::Widen(c.pasted));
        f.Text4.SelStart(0);
        f.Text4.SelLength(vb::Len(f.Text4.Text()));
        typeText(f.Text4.hwnd(), "\x16");
        pump();
      }
      EXPECT_EQ(f.Text4.Text(), c.amount);
      EXPECT_EQ(f.Text5.Text(), c.words);
      // Typing goes on at the end.
      EXPECT_EQ(f.Text4.SelStart(), vb::Len(c.amount));
      ASSERT_EQ(seams->boxes.size(), c.message.empty() ? 0u : 1u);
      if (!c.message.empty()) {
        EXPECT_EQ(seams->boxes[0].prompt, c.message);
        EXPECT_EQ(seams->boxes[0].flags, ui::vbExclamation);
      }
    }
  });
}

// The words box shows the longest words whole: no line scrolled away, the
// last letter on a line the box shows in full.
TEST_F(EntryTest, WordsBoxShowsTheLongestWordsWhole) {
  struct Case {
    const char* typed;
    bool usd;
  };
  const Case cases[] = {{"777777777777777", false}, {"999999999999999", false}, {"7777777", true},
                        {"999999999999999", true}};
  showModal([&](FrmKwitansi& f) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.typed) + (c.usd ? " USD" : " Rp."));
      f.BTambah_Click();
      if (c.usd) f.Combo1.ListIndex(1);
      type(f.Text4, c.typed);
      HWND box = f.Text5.hwnd();
      const std::string words = f.Text5.Text();
      ASSERT_GT(words.size(), 20u);
      EXPECT_EQ(words.substr(words.size() - 6), c.usd ? "Dollar" : "Rupiah");
      EXPECT_EQ(SendMessageW(box, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
      RECT shown{};
      SendMessageW(box, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&shown));
      TEXTMETRICW tm{};
      {
        HDC dc = GetDC(box);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0)));
        GetTextMetricsW(dc, &tm);
        SelectObject(dc, old);
        ReleaseDC(box, dc);
      }
      const int last = GetWindowTextLengthW(box) - 1;
      const LRESULT at = SendMessageW(box, EM_POSFROMCHAR, static_cast<WPARAM>(last), 0);
      const int y = static_cast<short>(HIWORD(at));
      EXPECT_GE(y, shown.top);
      EXPECT_LE(y + tm.tmHeight, shown.bottom);
      if (c.typed[0] == '9' && !c.usd) {
        EXPECT_TRUE(vt::test::screenshot(f.hwnd(), "entry-longest-words.png"));
      }
    }
  });
}

TEST_F(EntryTest, CurrencyRewritesTheWordsAtOnce) {
  showModal([&](FrmKwitansi& f) {
    type(f.Text4, "21");
    EXPECT_EQ(f.Text5.Text(), "Dua Puluh Satu Rupiah");
    f.Combo1.ListIndex(1);
    EXPECT_EQ(f.Text5.Text(), "Dua Puluh Satu Dollar");
    f.Combo1.ListIndex(0);
    EXPECT_EQ(f.Text5.Text(), "Dua Puluh Satu Rupiah");
    type(f.Text3, "Dewi");
    f.Combo1.ListIndex(1);
    clickWindow(f.BSimpan.hwnd());
  });
  // The stored words carry no currency.
  EXPECT_EQ(scalar("select terbilang from tblkwitansi"), "Dua Puluh Satu ");
  EXPECT_EQ(scalar("select Matauang from tblkwitansi"), "USD");
}

TEST_F(EntryTest, PastedTextThatIsNoNumberStays) {
  showModal([&](FrmKwitansi& f) {
    type(f.Text3, "Budi");
    type(f.Text4, "12");
    copyToClipboard(f.hwnd(), L"dua puluh");
    f.Text4.SelStart(0);
    f.Text4.SelLength(2);
    // Ctrl+V reaches the box as its control character.
    typeText(f.Text4.hwnd(), "\x16");
    pump();
    EXPECT_EQ(f.Text4.Text(), "dua puluh");
    // No words for a text that is no amount.
    EXPECT_EQ(f.Text5.Text(), "");
    // Saved, it is no amount: the save says so and stores nothing.
    clickWindow(f.BSimpan.hwnd());
    EXPECT_TRUE(f.Frame1.Enabled());
    EXPECT_TRUE(f.Text4.HasFocus());
  });
  ASSERT_EQ(seams->boxes.size(), 1u);
  EXPECT_EQ(seams->boxes[0].prompt,
            "Banyaknya Uang harus berupa angka dari 1 sampai " + grouped("999,999,999,999,999"));
  EXPECT_EQ(seams->boxes[0].flags, ui::vbExclamation);
  EXPECT_EQ(scalar("select count(*) from tblkwitansi"), "0");
}

TEST_F(EntryTest, StoredWordsFollowTheAmount) {
  struct Case {
    const char* typed;
    const char* stored;
  };
  const Case cases[] = {{"1", "Satu "},
                        {"1001", "Seribu Satu "},
                        {"999999999999999",
                         "Sembilan Ratus Sembilan Puluh Sembilan Trilyun Sembilan Ratus Sembilan Puluh Sembilan Milyar "
                         "Sembilan Ratus Sembilan Puluh Sembilan Juta Sembilan Ratus Sembilan Puluh Sembilan Ribu "
                         "Sembilan Ratus Sembilan Puluh Sembilan "}};
  showModal([&](FrmKwitansi& f) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.typed);
      exec("DELETE * FROM tblkwitansi");
      f.BTambah_Click();
      type(f.Text3, "Budi");
      type(f.Text4, c.typed);
      clickWindow(f.BSimpan.hwnd());
      EXPECT_EQ(scalar("select terbilang from tblkwitansi"), c.stored);
    }
  });
}

TEST_F(EntryTest, EnterMovesThroughTheEntry) {
  showModal([&](FrmKwitansi& f) {
    f.Text1.SetFocus();
    ui::Control* chain[] = {&f.Text3, &f.Combo1, &f.Text4, &f.Text6, &f.BSimpan};
    for (ui::Control* next : chain) {
      pressKey(GetFocus(), VK_RETURN);
      EXPECT_TRUE(next->HasFocus()) << next->TabIndex();
    }
    // Enter adds nothing to the amount nor a line to the purpose, and the
    // focused save button is not pressed by it.
    EXPECT_EQ(f.Text4.Text(), "");
    EXPECT_EQ(f.Text6.Text(), "");
    EXPECT_TRUE(seams->boxes.empty());
    // The read-only words box hands on to the purpose too.
    f.Text5.SetFocus();
    pressKey(GetFocus(), VK_RETURN);
    EXPECT_TRUE(f.Text6.HasFocus());
  });
}

// The dialog opens ready for the payer: what the clerk types first is the
// payer, and the proposed number stays as proposed.
TEST_F(EntryTest, OpensWithThePayerFocused) {
  settingsRow("KW-");
  showModal([&](FrmKwitansi& f) {
    EXPECT_TRUE(f.Text3.HasFocus());
    keyboardType("Budi Santoso\r");
    EXPECT_EQ(f.Text3.Text(), "Budi Santoso");
    EXPECT_EQ(f.Text1.Text(), "KW-001/12/2025");
    EXPECT_TRUE(f.Combo1.HasFocus());
  });
}

// Only the listed currencies can be chosen; typed letters pick among them.
TEST_F(EntryTest, CurrencyIsChosenFromTheList) {
  showModal([&](FrmKwitansi& f) {
    keyboardType("Dewi\r");
    ASSERT_TRUE(f.Combo1.HasFocus());
    keyboardType("EURRp.");
    EXPECT_EQ(f.Combo1.Text(), "Rp.");
    EXPECT_EQ(ui::WindowText(f.Combo1.hwnd()), "Rp.");
    EXPECT_EQ(f.Combo1.ListCount(), 2);
    keyboardType("u\r");
    EXPECT_EQ(f.Combo1.Text(), "USD");
    ASSERT_TRUE(f.Text4.HasFocus());
    keyboardType("2500");
    EXPECT_EQ(f.Text5.Text(), "Dua Ribu Lima Ratus Dollar");
    clickWindow(f.BSimpan.hwnd());
  });
  EXPECT_EQ(scalar("select Matauang from tblkwitansi"), "USD");
}

// A receipt is saved only with a payer and an amount from 1 to 10^15 - 1;
// otherwise the message names the box, the focus goes there, and nothing is
// written or printed.
TEST_F(EntryTest, SaveNeedsAPayerAndAnAmount) {
  const std::string range = "Banyaknya Uang harus berupa angka dari 1 sampai " + grouped("999,999,999,999,999");
  struct Case {
    const char* name;
    const char* payer;
    const char* typed;
    const wchar_t* pasted;  // over the typed amount, when set
    std::string message;
    bool payerBox;  // the message is about the payer
  };
  const Case cases[] = {
      {"no payer, no amount", "", "", nullptr, "Sudah Terima dari Harus di isi", true},
      {"no payer", "", "1500", nullptr, "Sudah Terima dari Harus di isi", true},
      {"blanks for a payer", "   ", "1500", nullptr, "Sudah Terima dari Harus di isi", true},
      {"no amount", "Budi", "", nullptr, "Banyaknya Uang Harus di isi", false},
      {"zero", "Budi", "0", nullptr, "Banyaknya Uang Harus di isi", false},
      {"pasted letters", "Budi", "12", L"dua puluh", range, false},
      {"pasted minus", "Budi", "12", L"-5", range, false},
  };
  showModal([&](FrmKwitansi& f) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.name);
      seams->boxes.clear();
      clickWindow(f.BTambah.hwnd());
      keyboardType(c.payer);
      keyboardType("\r\r");
      ASSERT_TRUE(f.Text4.HasFocus());
      keyboardType(c.typed);
      if (c.pasted) {
        copyToClipboard(f.hwnd(), c.pasted);
        f.Text4.SelStart(0);
        f.Text4.SelLength(vb::Len(f.Text4.Text()));
        keyboardKey('V', true);
      }
      clickWindow(f.BSimpan.hwnd());
      ASSERT_EQ(seams->boxes.size(), 1u);
      EXPECT_EQ(seams->boxes[0].prompt, c.message);
      EXPECT_EQ(seams->boxes[0].flags, ui::vbExclamation);
      EXPECT_EQ(seams->boxes[0].title, "Talvoren");
      EXPECT_EQ(f.Text3.HasFocus(), c.payerBox);
      EXPECT_EQ(f.Text4.HasFocus(), !c.payerBox);
      EXPECT_TRUE(f.Frame1.Enabled());
    }
  });
  EXPECT_EQ(scalar("select count(*) from tblkwitansi"), "0");
  EXPECT_TRUE(jobs.empty());
}

// The words box speaks only of the amount the box shows.
TEST_F(EntryTest, WordsFollowOnlyTheAmountShown) {
  showModal([&](FrmKwitansi& f) {
    f.Text4.SetFocus();
    keyboardType("5");
    EXPECT_EQ(f.Text5.Text(), "Lima Rupiah");
    keyboardType("\b");
    EXPECT_EQ(f.Text4.Text(), "");
    EXPECT_EQ(f.Text5.Text(), "");
    keyboardType("12");
    EXPECT_EQ(f.Text5.Text(), "Dua Belas Rupiah");
    copyToClipboard(f.hwnd(), L"-5");
    f.Text4.SelStart(0);
    f.Text4.SelLength(vb::Len(f.Text4.Text()));
    keyboardKey('V', true);
    EXPECT_EQ(f.Text4.Text(), "-5");
    EXPECT_EQ(f.Text5.Text(), "");
  });
}

// A new receipt's number is the settings' prefix (letter case included)
// followed by 1 to 11 characters, its key: stored and printed with the prefix
// in front, as typed, and found again by a second save. Any other number is
// refused before anything is written or printed.
TEST_F(EntryTest, ApostropheInTheNumberIsAnOrdinaryKey) {
  struct Case {
    const char *prefix, *typed, *key;  // key nullptr: refused
  };
  const Case cases[] = {
      {"AAA", "AAAKW'01", "KW'01"},       {"AAA", "KW'01", nullptr}, {"AAA", "KWT-2026-00123", nullptr},
      {"AAA", "aaaKW'01", nullptr},       {"AAA", "AAA", nullptr},   {"AAA", "AAA123456789012", nullptr},
      {"", "12345678901", "12345678901"}, {"", "KWT-2026-00123", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.prefix) + " " + c.typed);
    exec("DELETE * FROM tblkwitansi");
    exec("DELETE * FROM tblset");
    settingsRow(c.prefix);
    ui::testing::unloadAll();
    freshSeams();
    jobs.clear();
    showModal([&](FrmKwitansi& f) {
      for (int save = 0; save < 2; ++save) {
        f.BTambah_Click();
        f.Text1.Text(c.typed);
        type(f.Text3, "Eko");
        type(f.Text4, "100");
        if (save) seams->answers.push_back(ui::vbNo);
        clickWindow(f.BSimpan.hwnd());
        EXPECT_TRUE(c.key || f.Text1.HasFocus());
      }
      clickWindow(f.BCetak.hwnd());
    });
    const std::string refusal = *c.prefix ? "No Kwitansi harus diawali \"" + std::string(c.prefix) +
                                                "\" dan diikuti 1 sampai 11 karakter"
                                          : "No Kwitansi harus berisi 1 sampai 11 karakter";
    std::vector<std::string> prompts;
    for (const auto& box : seams->boxes) prompts.push_back(box.prompt);
    EXPECT_EQ(prompts, (c.key ? std::vector<std::string>{"Data Berhasil Disimpan", kUpdateQuestion}
                              : std::vector<std::string>(2, refusal)));
    EXPECT_EQ(scalar("select NoPasport & NoKwitansi from tblkwitansi"), c.key ? c.typed : "");
    ASSERT_EQ(jobs.size(), c.key ? 2u : 0u);
    if (c.key) {
      EXPECT_NE(jobs[0].query.find("nokwitansi = '" + vb::Replace(c.key, "'", "''") + "'"), std::string::npos);
    }
  }
}

TEST_F(EntryTest, EmptyNumberIsRefused) {
  showModal([&](FrmKwitansi& f) {
    f.Text1.Text("");
    f.Text3.SetFocus();
    clickWindow(f.BSimpan.hwnd());
    EXPECT_TRUE(f.Text1.HasFocus());
  });
  ASSERT_EQ(seams->boxes.size(), 1u);
  EXPECT_EQ(seams->boxes[0].prompt, "No Kwitansi Harus di isi");
  EXPECT_EQ(seams->boxes[0].flags, ui::vbExclamation);
  EXPECT_EQ(seams->boxes[0].title, "Talvoren");
  EXPECT_EQ(scalar("select count(*) from tblkwitansi"), "0");
}

TEST_F(EntryTest, FailedSaveStoresNothingAndStaysEditable) {
  struct Case {
    const char* name;
    const char* sabotage;
  };
  const Case cases[] = {
      {"a column the database lacks", "ALTER TABLE tblkwitansi DROP COLUMN terbilang"},
      {"the database refuses the row",
       "CREATE TRIGGER tolak BEFORE INSERT ON tblkwitansi BEGIN SELECT RAISE(ABORT, 'ditolak'); END"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    freshSeams();
    jobs.clear();
    showModal([&](FrmKwitansi& f) {
      Module1::koneksi->execute(c.sabotage);
      type(f.Text3, "Fajar");
      type(f.Text4, "100");
      clickWindow(f.BSimpan.hwnd());
      EXPECT_TRUE(f.Frame1.Enabled());
      EXPECT_EQ(f.Text3.Text(), "Fajar");
    });
    ASSERT_EQ(seams->boxes.size(), 1u);
    EXPECT_FALSE(seams->boxes[0].prompt.empty());
    EXPECT_EQ(seams->boxes[0].flags, ui::vbOKOnly);
    EXPECT_EQ(seams->boxes[0].title, "Vantorel V1.7 BUILD 28092025");
    EXPECT_EQ(scalar("select count(*) from tblkwitansi"), "0");
    EXPECT_TRUE(jobs.empty());
    // Put the table back for the next case.
    Module1::koneksi->execute("DROP TABLE tblkwitansi");
    exec("CREATE TABLE tblkwitansi (\"no\" INTEGER PRIMARY KEY AUTOINCREMENT, NoKwitansi TEXT(50), "
         "NoPasport TEXT(50), SudahTerima TEXT(255), Matauang TEXT(10), Nominal TEXT(50), untuk MEMO, "
         "Catatan MEMO, TempatDiterima TEXT(255), tgl DATETIME, oleh TEXT(255), terbilang MEMO)");
  }
}

TEST_F(EntryTest, ReceiptFilledByTheRegisterKeepsItsPrefix) {
  storedReceipt("001/12/2025", "LAMA-");
  settingsRow("BARU-");
  // What the register writes before it shows the dialog.
  entry().Text1.Text("LAMA-001/12/2025");
  entry().nomorTersimpan = "001/12/2025";
  entry().Text3.Text("Budi");
  entry().Combo1.Text("Rp.");
  // Saved on a PC that groups with ",", shown as the settings in force group.
  entry().tampilJumlah("5,000");
  entry().Text6.Text("SPP");
  entry().TglDiterima.Value(vb::Date::fromParts(2025, 11, 29));
  entry().Text1.Enabled(false);
  seams->answers.push_back(ui::vbYes);
  showModal([&](FrmKwitansi& f) {
    EXPECT_EQ(f.Text4.Text(), grouped("5,000"));
    EXPECT_EQ(f.Text5.Text(), "Lima Ribu Rupiah");
    f.Text6.SetFocus();
    f.Text6.SelStart(3);
    typeText(f.Text6.hwnd(), " Desember");
    clickWindow(f.BSimpan.hwnd());
    // A new receipt: a fresh number, the number box stays locked.
    f.BTambah_Click();
    EXPECT_TRUE(f.Frame1.Enabled());
    EXPECT_EQ(f.Text1.Text(), "BARU-002/12/2025");
    EXPECT_FALSE(f.Text1.Enabled());
    EXPECT_TRUE(f.Text3.HasFocus());
    EXPECT_EQ(f.Text3.Text(), "");
  });
  EXPECT_EQ(scalar("select count(*) from tblkwitansi"), "1");
  EXPECT_EQ(scalar("select NoPasport from tblkwitansi"), "LAMA-");
  EXPECT_EQ(scalar("select untuk from tblkwitansi"), "SPP Desember");
  EXPECT_EQ(scalar("select Format(tgl, 'dd/mm/yyyy') from tblkwitansi"), "29/11/2025");
  // Unloaded, the next use starts unlocked.
  EXPECT_TRUE(entry().Text1.Enabled());
}

// Cetak prints the stored receipt numbered as the box reads, under whatever
// prefix (none in old data) it was stored; of two that read alike, the one a
// save just stored.
TEST_F(EntryTest, PrintShowsOnlyAStoredReceipt) {
  storedReceipt("001/12/2025", "");
  exec("update tblkwitansi set NoPasport = Null");
  storedReceipt("002/12/2025", "LAMA-");
  storedReceipt("05/12/2025", "Text10");  // reads as the prefix "Text1" followed by 005/12/2025
  const std::pair<const char*, const char*> cases[] = {  // typed, the number printed
      {"LAMA-002/12/2025", "002/12/2025"}, {"Text1002/12/2025", nullptr}, {"001/12/2025", "001/12/2025"}};
  showModal([&](FrmKwitansi& f) {
    clickWindow(f.BCetak.hwnd());
    EXPECT_TRUE(jobs.empty());
    for (const auto& c : cases) {
      jobs.clear();
      f.Text1.Text(c.first);
      clickWindow(f.BCetak.hwnd());
      ASSERT_EQ(jobs.size(), c.second ? 1u : 0u) << c.first;
      if (c.second) {
        EXPECT_NE(jobs[0].query.find(std::string("nokwitansi = '") + c.second + "'"), std::string::npos);
      }
    }
    // No settings row: the first template.
    EXPECT_EQ(jobs[0].templatePath, folder() + "\\temp\\01.rep");
    EXPECT_TRUE(seams->boxes.empty());
    f.Text1.Text("Text1005/12/2025");
    type(f.Text3, "Eko");
    type(f.Text4, "100");
    clickWindow(f.BSimpan.hwnd());
    EXPECT_NE(jobs.back().query.find("nokwitansi = '005/12/2025'"), std::string::npos);
  });
}

TEST_F(EntryTest, PickButtonRunsTheHook) {
  struct Case {
    const char* name;
    bool hook;
    const char* picked;
    bool amountFocused;
  };
  const Case cases[] = {{"no picker yet", false, "", false},
                        {"a customer picked", true, "PT Sinar", true},
                        {"picker closed without a pick", true, "", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    int calls = 0;
    FrmKwitansi::PilihCustomer = nullptr;
    if (c.hook) {
      FrmKwitansi::PilihCustomer = [&](FrmKwitansi& f) {
        ++calls;
        if (*c.picked) f.Text3.Text(c.picked);
      };
    }
    showModal([&](FrmKwitansi& f) {
      f.Text3.SetFocus();
      clickWindow(f.Button1.hwnd());
      EXPECT_EQ(f.Text3.Text(), c.picked);
      EXPECT_EQ(f.Text4.HasFocus(), c.amountFocused);
    });
    EXPECT_EQ(calls, c.hook ? 1 : 0);
  }
}

TEST_F(EntryTest, Screenshot) {
  settingsRow("KW-");
  showModal([&](FrmKwitansi& f) {
    type(f.Text3, "Budi Santoso");
    type(f.Text4, "1250000");
    type(f.Text6, "Pembayaran uang sekolah bulan Desember");
    EXPECT_TRUE(vt::test::screenshot(f.hwnd(), "entry.png"));
    // Labels end before their boxes; every box ends inside its frame.
    struct Row {
      ui::Label* label;
      ui::Control* box;
    };
    const Row rows[] = {{&f.Label1, &f.Text1}, {&f.Label3, &f.Text3}, {&f.Label4, &f.Combo1},
                        {&f.Label5, &f.Text4}, {&f.Label6, &f.Text6}, {&f.Label7, &f.Text7},
                        {&f.Label8, &f.Text8}, {&f.Label9, &f.Text9}};
    for (const Row& r : rows) {
      EXPECT_LT(r.label->Left() + r.label->Width(), r.box->Left()) << r.label->Caption();
      EXPECT_LE(r.box->Left() + r.box->Width(), f.Frame1.Width()) << r.label->Caption();
      EXPECT_LE(r.box->Top() + r.box->Height(), f.Frame1.Height()) << r.label->Caption();
    }
    EXPECT_LE(f.Button1.Left() + f.Button1.Width(), f.Frame1.Width());
    EXPECT_LE(f.TglDiterima.Left() + f.TglDiterima.Width(), f.Frame1.Width());
    // After a save the entry is locked until Tambah.
    clickWindow(f.BSimpan.hwnd());
    EXPECT_TRUE(vt::test::screenshot(f.hwnd(), "entry-saved.png"));
  });
}

}  // namespace
