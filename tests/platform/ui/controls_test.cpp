// The list-type and picture controls through real windows: a list view of
// 50,000 rows, sorting, check boxes and selection; the date picker; the
// status bar; the file dialog seam; names in Chinese, Japanese and Arabic
// in each face; and a demo dialog's screenshot.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <vector>

#include "platform/image/picture.h"
#include "platform/ui/app.h"
#include "platform/ui/checkbox.h"
#include "platform/ui/combobox.h"
#include "platform/ui/commondialog.h"
#include "platform/ui/datepicker.h"
#include "platform/ui/form.h"
#include "platform/ui/frame.h"
#include "platform/ui/imagelist.h"
#include "platform/ui/label.h"
#include "platform/ui/line.h"
#include "platform/ui/listview.h"
#include "platform/ui/mdiform.h"
#include "platform/ui/picturebox.h"
#include "platform/ui/statusbar.h"
#include "platform/ui/testing.h"
#include "platform/ui/textbox.h"
#include "platform/ui/timer.h"
#include "platform/vb/error.h"
#include "support/real_input.h"
#include "support/win_test_support.h"

namespace {

using namespace ui;
namespace t = ui::testing;

struct ListForm : Form {
  ListView Lv1{this};
  ImageList ImgSorted{this};
  CommonDialog CommonDialog1{this};
  DatePicker TglAwal{this};
  Timer Timer1{this};
  int ticks = 0;
  ListForm() { Timer1.OnTimer = [this] { ++ticks; }; }
  void Design() override {
    Caption("List");
    ClientSize(9000, 6000);
    Lv1.Create(*this, 100, 600, 8800, 5000);
    Lv1.CheckBoxes(true);
    Lv1.FullRowSelect(true);
    Lv1.GridLines(true);
    Lv1.ColumnHeaders.Add("##", 740);
    Lv1.ColumnHeaders.Add("Nama", 2440);
    Lv1.ColumnHeaders.Add("Jumlah", 1440, lvwColumnRight);
    ImgSorted.ImageSize(16, 16);
    OwnedBitmap up(CreateBitmap(16, 16, 1, 32, nullptr)), down(CreateBitmap(16, 16, 1, 32, nullptr));
    ImgSorted.Add("up", up);
    ImgSorted.Add("down", down);
    Lv1.ColumnHeaderIcons(&ImgSorted);
    TglAwal.Create(*this, 100, 100, 2000, 315);
  }
};

class ControlsTest : public ::testing::Test {
protected:
  void TearDown() override {
    t::clearShown();
    t::unloadAll();
  }
  t::SeamRecorder seam;
};

std::string name(int i) {
  static const char* first[] = {"budi", "Siti", "agus", "Dewi", "eko"};
  return std::string(first[i % 5]) + " " + std::to_string(i % 997);
}

TEST_F(ControlsTest, ListViewOf50000RowsFillsSortsAndReadsBackChecksAndSelection) {
  ListForm& f = Default<ListForm>();
  f.Show();
  const int n = 50000;
  for (int i = 1; i <= n; ++i) {
    ListItem& it = f.Lv1.ListItems.Add(std::to_string(i));
    it.SubItems(1, name(i));
    it.SubItems(2, std::to_string((i * 7919) % 100000));
  }
  t::pumpUntilIdle();
  ASSERT_EQ(f.Lv1.ListItems.Count(), n);
  EXPECT_EQ(SendMessageW(f.Lv1.hwnd(), LVM_GETITEMCOUNT, 0, 0), n);
  f.Lv1.ListItems.Item(3).Checked(true);
  f.Lv1.ListItems.Item(n).Checked(true);
  f.Lv1.ListItems.Item(10).Selected(true);
  ListItem* third = &f.Lv1.ListItems.Item(3);

  struct Case {
    int key, order;
  } cases[] = {{1, lvwAscending}, {1, lvwDescending}, {0, lvwAscending}, {2, lvwDescending}};
  for (auto& c : cases) {
    f.Lv1.SortKey(c.key);
    f.Lv1.SortOrder(c.order);
    f.Lv1.Sorted(true);
    for (int i = 1; i < n; ++i) {
      std::wstring a = Widen(f.Lv1.ListItems.Item(i).cell(c.key)), b = Widen(f.Lv1.ListItems.Item(i + 1).cell(c.key));
      int cmp = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1);
      ASSERT_TRUE(c.order == lvwAscending ? cmp <= CSTR_EQUAL : cmp >= CSTR_EQUAL)
          << "key " << c.key << " row " << i << ": " << Narrow(a) << " / " << Narrow(b);
    }
    // Items keep their values, checks and selection through the sort.
    EXPECT_TRUE(third->Checked());
    EXPECT_EQ(third->Text(), "3");
    EXPECT_EQ(f.Lv1.ListItems.Item(third->Index()).Text(), "3");
    ASSERT_NE(f.Lv1.SelectedItem(), nullptr);
    EXPECT_EQ(f.Lv1.SelectedItem()->Text(), "10");
    int checked = 0;
    for (int i = 1; i <= n; ++i) checked += f.Lv1.ListItems.Item(i).Checked();
    EXPECT_EQ(checked, 2);
  }
  // Text order: "10" before "9" ascending on the first column.
  f.Lv1.SortKey(0);
  f.Lv1.SortOrder(lvwAscending);
  EXPECT_EQ(f.Lv1.ListItems.Item(1).Text(), "1");
  EXPECT_EQ(f.Lv1.ListItems.Item(2).Text(), "10");
  // The control shows the selection where the item went.
  int shown = static_cast<int>(SendMessageW(f.Lv1.hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  EXPECT_EQ(shown + 1, f.Lv1.SelectedItem()->Index());
  try {
    f.Lv1.SortKey(3);
    FAIL() << "a key beyond the columns is an error";
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.number(), 380);
  }
}

TEST_F(ControlsTest, ListViewCheckBoxClickSelectionAndRemoval) {
  ListForm& f = Default<ListForm>();
  f.Show();
  f.Lv1.ListItems.Clear();
  for (int i = 1; i <= 5; ++i) f.Lv1.ListItems.Add(std::to_string(i)).SubItems(1, name(i));
  t::pumpUntilIdle();
  int checks = 0;
  f.Lv1.ItemCheck = [&](ListItem&) { ++checks; };
  HWND h = f.Lv1.hwnd();
  RECT r{};
  r.left = LVIR_BOUNDS;
  SendMessageW(h, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
  // The state icon sits at the start of the row.
  LPARAM onBox = MAKELPARAM(r.left + 8, (r.top + r.bottom) / 2);
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, onBox);
  SendMessageW(h, WM_LBUTTONUP, 0, onBox);
  t::pumpUntilIdle();
  EXPECT_TRUE(f.Lv1.ListItems.Item(2).Checked());
  EXPECT_EQ(checks, 1);
  // The control selects row 4 (as on the user's keyboard or mouse): the
  // wrapper's items follow its notification.
  LVITEMW sel{};
  sel.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  sel.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(h, LVM_SETITEMSTATE, 3, reinterpret_cast<LPARAM>(&sel));
  t::pumpUntilIdle();
  ASSERT_NE(f.Lv1.SelectedItem(), nullptr);
  EXPECT_EQ(f.Lv1.SelectedItem()->Text(), "4");
  // Removing rows 2 and 4 (last first) keeps 1, 3, 5.
  f.Lv1.ListItems.Remove(4);
  f.Lv1.ListItems.Remove(2);
  ASSERT_EQ(f.Lv1.ListItems.Count(), 3);
  EXPECT_EQ(f.Lv1.ListItems.Item(2).Text(), "3");
  EXPECT_EQ(f.Lv1.ListItems.Item(3).Index(), 3);
  EXPECT_EQ(f.Lv1.SelectedItem(), nullptr);
  EXPECT_EQ(SendMessageW(h, LVM_GETITEMCOUNT, 0, 0), 3);
}

// A refill after Clear, as a register's refresh does: the new rows are what
// the control shows, from the top, with nothing of the old rows' selection or
// focus; texts of any length and cells set again read back whole.
TEST_F(ControlsTest, ListViewRefilledAfterClearShowsOnlyTheNewRows) {
  ListForm& f = Default<ListForm>();
  f.Show();
  HWND h = f.Lv1.hwnd();
  for (int i = 1; i <= 300; ++i) f.Lv1.ListItems.Add(std::to_string(i)).SubItems(1, name(i));
  t::pumpUntilIdle();
  LVITEMW sel{};
  sel.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  sel.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(h, LVM_SETITEMSTATE, 249, reinterpret_cast<LPARAM>(&sel));
  SendMessageW(h, LVM_ENSUREVISIBLE, 249, FALSE);
  t::pumpUntilIdle();
  ASSERT_NE(f.Lv1.SelectedItem(), nullptr);
  ASSERT_GT(SendMessageW(h, LVM_GETTOPINDEX, 0, 0), 0);

  // Longer than any block of the store; its start is what the control shows.
  const std::string longText = "Dévi " + std::string(100000, 'x');
  f.Lv1.ListItems.Clear();
  for (int i = 1; i <= 300; ++i) {
    ListItem& it = f.Lv1.ListItems.Add("baru " + std::to_string(i));
    it.SubItems(1, i == 7 ? longText : "pendek");
    it.SubItems(2, "sebuah teks yang lebih panjang dari enam belas huruf");
    it.SubItems(2, std::to_string(i));  // shorter: set again in place
  }
  f.Lv1.ListItems.Item(3).SubItems(1, "teks ini lebih panjang daripada teks yang tadi");
  f.Lv1.ListItems.Item(4).SubItems(5, "di luar kolom");
  t::pumpUntilIdle();

  EXPECT_EQ(SendMessageW(h, LVM_GETITEMCOUNT, 0, 0), 300);
  EXPECT_EQ(f.Lv1.SelectedItem(), nullptr);
  EXPECT_EQ(SendMessageW(h, LVM_GETSELECTEDCOUNT, 0, 0), 0);
  EXPECT_EQ(SendMessageW(h, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), -1);
  EXPECT_EQ(SendMessageW(h, LVM_GETTOPINDEX, 0, 0), 0);
  EXPECT_EQ(f.Lv1.ListItems.Item(7).SubItems(1), longText);
  EXPECT_EQ(f.Lv1.ListItems.Item(6).SubItems(1), "pendek");
  EXPECT_EQ(f.Lv1.ListItems.Item(3).SubItems(1), "teks ini lebih panjang daripada teks yang tadi");
  EXPECT_EQ(f.Lv1.ListItems.Item(300).SubItems(2), "300");
  EXPECT_EQ(f.Lv1.ListItems.Item(4).SubItems(5), "di luar kolom");
  EXPECT_EQ(f.Lv1.ListItems.Item(4).SubItems(4), "");
  // What the control paints comes from the new rows.
  wchar_t buf[64] = {};
  LVITEMW get{};
  get.iSubItem = 0;
  get.pszText = buf;
  get.cchTextMax = 64;
  SendMessageW(h, LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&get));
  EXPECT_EQ(Narrow(buf), "baru 1");
  get.iSubItem = 1;
  SendMessageW(h, LVM_GETITEMTEXTW, 6, reinterpret_cast<LPARAM>(&get));
  const std::wstring shownStart = buf;
  EXPECT_EQ(shownStart.substr(0, 6), L"D\u00e9vi x");
  EXPECT_GE(shownStart.size(), 60u);
  EXPECT_EQ(shownStart.find_first_not_of(L'x', 5), std::wstring::npos);
}

// A user's click on a row, through the system's own input queue, selects it
// and raises ItemClick with that row; it does not tick the row's check box.
TEST_F(ControlsTest, ListViewRowClickedWithTheMouseIsSelected) {
  ListForm& f = Default<ListForm>();
  f.Show();
  f.Lv1.ListItems.Clear();
  for (int i = 1; i <= 5; ++i) f.Lv1.ListItems.Add(std::to_string(i)).SubItems(1, name(i));
  SetForegroundWindow(f.hwnd());
  t::pumpUntilIdle();
  std::string clicked;
  f.Lv1.ItemClick = [&](ListItem& item) { clicked = item.Text(); };
  HWND h = f.Lv1.hwnd();
  RECT r{};
  r.left = LVIR_LABEL;
  SendMessageW(h, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&r));
  POINT at{(r.left + r.right) / 2 + 60, (r.top + r.bottom) / 2};
  ClientToScreen(h, &at);
  SetCursorPos(at.x, at.y);
  vt::test::MouseClick();
  t::pumpFor(300);
  ASSERT_NE(f.Lv1.SelectedItem(), nullptr);
  EXPECT_EQ(f.Lv1.SelectedItem()->Text(), "3");
  EXPECT_TRUE(f.Lv1.ListItems.Item(3).Selected());
  EXPECT_FALSE(f.Lv1.ListItems.Item(3).Checked());
  EXPECT_EQ(clicked, "3");
}

TEST_F(ControlsTest, ColumnHeadersCarryIconsByKey) {
  ListForm& f = Default<ListForm>();
  int clicked = 0;
  f.Lv1.ColumnClick = [&](ColumnHeader& c) { clicked = c.Index(); };
  EXPECT_EQ(f.Lv1.ColumnHeaders.Count(), 3);
  EXPECT_EQ(f.ImgSorted.Index("down"), 2);
  EXPECT_EQ(f.ImgSorted.Index("none"), 0);
  ColumnHeader& c2 = f.Lv1.ColumnHeaders.Item(2);
  c2.Icon("down");
  EXPECT_EQ(c2.Icon(), "down");
  HWND header = reinterpret_cast<HWND>(SendMessageW(f.Lv1.hwnd(), LVM_GETHEADER, 0, 0));
  HDITEMW hi{};
  hi.mask = HDI_FORMAT | HDI_IMAGE;
  SendMessageW(header, HDM_GETITEMW, 1, reinterpret_cast<LPARAM>(&hi));
  EXPECT_TRUE(hi.fmt & HDF_IMAGE);
  EXPECT_EQ(hi.iImage, 1);
  c2.Icon("");
  hi.mask = HDI_FORMAT;
  SendMessageW(header, HDM_GETITEMW, 1, reinterpret_cast<LPARAM>(&hi));
  EXPECT_FALSE(hi.fmt & HDF_IMAGE);
  NMLISTVIEW nm{};
  nm.hdr = {f.Lv1.hwnd(), 0, static_cast<UINT>(LVN_COLUMNCLICK)};
  nm.iItem = -1;
  nm.iSubItem = 2;
  SendMessageW(GetParent(f.Lv1.hwnd()), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
  EXPECT_EQ(clicked, 3);
}

TEST_F(ControlsTest, DatePickerRoundTripsDatesAndCustomFormat) {
  ListForm& f = Default<ListForm>();
  f.TglAwal.Format(dtpCustom);
  f.TglAwal.CustomFormat("dd/MM/yyyy");
  struct Case {
    int y, m, d;
  } cases[] = {{2025, 12, 5}, {2024, 2, 29}, {1999, 1, 1}, {2030, 12, 31}};
  for (auto& c : cases) {
    f.TglAwal.Value(vb::Date::fromParts(c.y, c.m, c.d));
    vb::Date v = f.TglAwal.Value();
    EXPECT_EQ(v.year(), c.y);
    EXPECT_EQ(v.month(), c.m);
    EXPECT_EQ(v.day(), c.d);
  }
  wchar_t text[64];
  GetWindowTextW(f.TglAwal.hwnd(), text, 64);
  EXPECT_EQ(Narrow(text), "31/12/2030");
  EXPECT_THROW(f.TglAwal.Value(vb::Date::fromParts(1500, 1, 1)), vb::Error);
}

TEST_F(ControlsTest, FileDialogSeamAndCancelError) {
  ListForm& f = Default<ListForm>();
  CommonDialog& cd = f.CommonDialog1;
  cd.Filter = "Database (*.mdb)|*.mdb";
  cd.DialogTitle = "Tempat Penyimpanan";
  cd.FileName = "Backup Kwitansi - 051225.mdb";
  seam.fileAnswers = {std::string("C:\\tmp\\b.mdb"), std::nullopt, std::nullopt};
  cd.CancelError = true;
  cd.ShowSave();
  EXPECT_EQ(cd.FileName, "C:\\tmp\\b.mdb");
  ASSERT_EQ(seam.fileDialogs.size(), 1u);
  EXPECT_TRUE(seam.fileDialogs[0].save);
  EXPECT_EQ(seam.fileDialogs[0].filter, "Database (*.mdb)|*.mdb");
  EXPECT_EQ(seam.fileDialogs[0].title, "Tempat Penyimpanan");
  EXPECT_EQ(seam.fileDialogs[0].fileName, "Backup Kwitansi - 051225.mdb");
  try {
    cd.ShowOpen();
    FAIL() << "cancel raises";
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.number(), cdlCancel);
  }
  cd.CancelError = false;
  cd.ShowOpen();  // cancel without the error: the name stays
  EXPECT_EQ(cd.FileName, "C:\\tmp\\b.mdb");
  EXPECT_FALSE(seam.fileDialogs[2].save);
}

TEST_F(ControlsTest, TimerTicksWhileEnabledAndStopsOnUnload) {
  ListForm& f = Default<ListForm>();
  f.Timer1.Interval(20);
  t::pumpFor(200);
  EXPECT_GT(f.ticks, 0);
  f.Timer1.Enabled(false);
  int stopped = f.ticks;
  t::pumpFor(100);
  EXPECT_EQ(f.ticks, stopped);
  f.Timer1.Enabled(true);
  f.Unload();
  t::pumpFor(100);
  EXPECT_EQ(f.ticks, stopped);
}

// --- names in Chinese, Japanese, Korean and Arabic ------------------------------------

struct ScriptForm : Form {
  TextBox Text1{this};
  ComboBox Combo1{this};
  ListView Lv1{this};
  void Design() override {
    Caption("Nama");
    ClientSize(4400, 1900);
    Text1.Create(*this, 120, 120, 4000, 330);
    Combo1.Create(*this, 120, 600, 4000);
    Lv1.Create(*this, 120, 1080, 4000, 700);
    Lv1.ColumnHeaders.Add("Nama", 3600);
    Lv1.ListItems.Add();
  }
};

// What the screen shows over a window, its frame (and title bar) included.
std::vector<COLORREF> onScreen(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  vt::test::Canvas shot(r.right - r.left, r.bottom - r.top);
  vt::test::CaptureScreen(shot, r);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); ++x) pixels.push_back(shot.Pixel(x, y));
  return pixels;
}

// A name typed in Chinese, Japanese or Arabic shows as its own characters in
// the boxes (which lay text out by script, unlike labels and lists), in each
// face the dialogs ask for, and in the bold title bar: two different names
// of as many letters give two different pictures (boxes look alike). A list
// joins Arabic letters: a name looks unlike its letters in their standalone
// forms. Latin text keeps the face's own glyphs: no font of those scripts
// stands in for the face.
TEST_F(ControlsTest, NamesInChineseJapaneseAndArabicShowInEveryFaceWhileLatinKeepsItsFace) {
  ScriptForm& f = Default<ScriptForm>();
  f.Show();
  SetFocus(nullptr);  // no caret blinking in a picture
  COMBOBOXINFO combo{sizeof(combo)};
  ASSERT_TRUE(GetComboBoxInfo(f.Combo1.hwnd(), &combo));
  const std::pair<const char*, const char*> names[] = {
      {"\u738b\u5c0f\u660e", "\u674e\u79c0\u82f1"},                               // Chinese
      {"\u3084\u307e\u3060 \u30cf\u30ca\u30b3", "\u3059\u305a\u304d \u30bf\u30ed\u30a6"},  // Japanese
      {"\u0645\u062f\u0631\u0633\u0629", "\u0627\u0644\u0646\u0648\u0631"},                // Arabic
  };
  for (const char* face : {"Trebuchet MS", "Tahoma", "Verdana", "MS Sans Serif", "Arial"}) {
    f.Text1.FontName(face);
    f.Combo1.FontName(face);
    f.Lv1.FontName(face);
    ListItem& row = f.Lv1.ListItems.Item(1);
    row.Text("\u0645\u062f\u0631\u0633\u0629");
    t::pumpUntilIdle();
    const std::vector<COLORREF> joined = onScreen(f.Lv1.hwnd());
    row.Text("\ufee1\ufea9\ufead\ufeb1\ufe93");  // the same letters, each on its own
    t::pumpUntilIdle();
    EXPECT_TRUE(joined != onScreen(f.Lv1.hwnd())) << face << ": the list does not join Arabic letters";
    for (const auto& [a, b] : names) {
      for (auto [box, show] : {std::pair<HWND, std::function<void(const char*)>>{
                                   f.Text1.hwnd(), [&](const char* s) { f.Text1.Text(s); }},
                               {combo.hwndItem, [&](const char* s) { f.Combo1.Text(s); }},
                               {f.hwnd(), [&](const char* s) { f.Caption(s); }}}) {
        show(a);
        t::pumpUntilIdle();
        const std::vector<COLORREF> first = onScreen(box);
        show(b);
        t::pumpUntilIdle();
        EXPECT_TRUE(first != onScreen(box)) << face << ": " << a << " looks like " << b;
      }
    }
    FontSpec spec;
    spec.name = face;
    ScopedGetDC dc(nullptr);
    ScopedSelect font(dc, FontFor(spec));
    WORD glyphs[2] = {};
    GetGlyphIndicesW(dc, L"\u738b\u0645", 2, glyphs, GGI_MARK_NONEXISTING_GLYPHS);
    EXPECT_EQ(glyphs[0], 0xFFFF) << face << " is drawn with a font of Chinese characters";
    EXPECT_EQ(glyphs[1], 0xFFFF) << face << " is drawn with a font of Arabic letters";
  }
}

// --- the demo dialog and the MDI frame -------------------------------------------------

struct Demo : Form {
  Label Label2{this};
  Frame Frame1{this};
  Label Label1{this}, Label3{this}, Label4{this};
  TextBox Text1{this}, Text2{this}, Text6{this};
  ComboBox Combo1{this};
  CheckBox Check1{this};
  DatePicker TglDiterima{this};
  ListView Lv1{this};
  Line Line1{this};
  StatusBar StatusBar1{this};
  void Design() override {
    Caption("Form Entri");
    BorderStyle(vbFixedSingle);
    ClientSize(9600, 7400);
    Font().name = "Trebuchet MS";
    Label2.Create(*this, 240, 120, 9000, 400, "Gunakan Form ini untuk menginputkan data Kwitansi ");
    Label2.FontBold(true);
    Label2.FontSize(11);
    Line1.Create(*this, 120, 560, 9480, 560);
    Frame1.Create(*this, 120, 660, 9360, 3100, "Detail Kwitansi");
    Label1.Create(Frame1, 200, 360, 1800, 300, "No Kwitansi :");
    Text1.Create(Frame1, 2100, 330, 3000, 330);
    Label3.Create(Frame1, 200, 760, 1800, 300, "Sudah Terima dari :");
    Text2.Create(Frame1, 2100, 730, 3000, 330);
    Label4.Create(Frame1, 200, 1160, 1800, 300, "Mata Uang :");
    Combo1.Create(Frame1, 2100, 1130, 1500);
    Check1.Create(Frame1, 5400, 330, 2500, 330, "Pilih Semua");
    TglDiterima.Create(Frame1, 5400, 730, 2000, 330);
    Text6.Create(Frame1, 2100, 1560, 6900, 1300, true, true);
    Lv1.Create(*this, 120, 3900, 9360, 2900);
  }
  void Form_Load() override {
    Text1.Text("KW-001/12/2025");
    Text2.Text("Budi Santoso");
    Combo1.AddItem("Rp.");
    Combo1.AddItem("USD");
    Combo1.Text("Rp.");
    Check1.Value(1);
    TglDiterima.Format(dtpCustom);
    TglDiterima.CustomFormat("dd/MM/yyyy");
    TglDiterima.Value(vb::Date::fromParts(2025, 12, 5));
    Text6.Text("Pembayaran uang kuliah\nsemester ganjil");
    Lv1.CheckBoxes(true);
    Lv1.FullRowSelect(true);
    Lv1.GridLines(true);
    Lv1.ColumnHeaders.Add("##", 600);
    Lv1.ColumnHeaders.Add("No Kwitansi", 2200);
    Lv1.ColumnHeaders.Add("Sudah Terima dari", 2400);
    Lv1.ColumnHeaders.Add("Jumlah", 1500, lvwColumnRight);
    const char* rows[][3] = {{"001/12/2025", "Budi Santoso", "1,500,000"},
                             {"002/12/2025", "Siti Aminah", "250,000"},
                             {"003/12/2025", "Agus Wijaya", "75,000"}};
    for (int i = 0; i < 3; ++i) {
      ListItem& it = Lv1.ListItems.Add(std::to_string(i + 1));
      for (int c = 0; c < 3; ++c) it.SubItems(c + 1, rows[i][c]);
    }
    Lv1.ListItems.Item(2).Checked(true);
    Lv1.ListItems.Item(1).Selected(true);
    StatusBar1.Create(*this);
    StatusBar1.Panels.Add("Tanggal: 05 Desember 2025 ", 3000, sbrText, "Tanggal hari ini");
    StatusBar1.Panels.Add(" 09:15:00 Am ", 2500, sbrText, "Waktu Sekarang");
    StatusBar1.Panels.Add("", 1440, sbrCaps);
    StatusBar1.Panels.Add("", 1440, sbrNum);
  }
};

std::string shotDir() {
  const char* b = std::getenv("VT_BUILD_DIR");
  std::string dir = b ? std::string(b) : std::string("Z:/work/main/build/ui-win32");
  // The sources run under the build folder's sibling "screenshots".
  if (dir.size() > 1 && dir[0] == '/') dir = "Z:" + dir;
  return dir + "/../screenshots";
}

TEST_F(ControlsTest, DemoDialogLaysOutItsControlsAndSavesAScreenshot) {
  Demo& d = Default<Demo>();
  d.Show();
  t::pumpFor(300);
  EXPECT_EQ(d.StatusBar1.Panels.Count(), 4);
  EXPECT_EQ(d.StatusBar1.Panels.Item(3).Text(), "CAPS");
  EXPECT_EQ(d.StatusBar1.Panels.Item(1).ToolTipText(), "Tanggal hari ini");
  // The status bar docks at the bottom across the whole width.
  RECT client, bar;
  GetClientRect(d.hwnd(), &client);
  GetWindowRect(d.StatusBar1.hwnd(), &bar);
  MapWindowPoints(nullptr, d.hwnd(), reinterpret_cast<POINT*>(&bar), 2);
  EXPECT_EQ(bar.bottom, client.bottom);
  EXPECT_EQ(bar.right - bar.left, client.right);
  // The controls in the frame sit at their twips converted to pixels.
  RECT box;
  GetWindowRect(d.Text1.hwnd(), &box);
  MapWindowPoints(nullptr, d.Frame1.hwnd(), reinterpret_cast<POINT*>(&box), 2);
  EXPECT_EQ(box.left, TwipsToPixelsX(2100));
  EXPECT_EQ(box.top, TwipsToPixelsY(330));
  EXPECT_EQ(d.Text6.Text(), "Pembayaran uang kuliah\r\nsemester ganjil");
  std::string dir = shotDir();
  CreateDirectoryW(Widen(dir).c_str(), nullptr);
  ASSERT_TRUE(t::saveWindowPng(d.hwnd(), dir + "/ui-demo.png"));
  img::Picture shot = img::Picture::load(dir + "/ui-demo.png");
  RECT wr;
  GetWindowRect(d.hwnd(), &wr);
  EXPECT_EQ(shot.width(), wr.right - wr.left);
}

struct Main : MDIForm {
  PictureBox Picture2{this}, Picture3{this};
  StatusBar StatusBar1{this};
  void Design() override {
    Caption("Vantorel");
    Picture2.Create(*this, 0, 0, 100, 100);
    Picture2.Visible(false);
    Picture2.AutoRedraw(true);
    Picture2.BorderStyle(0);
    Picture3.Create(*this, 0, 0, 100, 100);
    Picture3.Visible(false);
    Picture3.AutoSize(true);
    Picture3.BorderStyle(0);
    StatusBar1.Create(*this);
    StatusBar1.Panels.Add("x", 3000);
  }
  void Form_Resize() override {
    Picture2.Move(0, 0, ScaleWidth(), ScaleHeight());
    Picture2.PaintPicture(Picture3.Picture(), 0, 0, Picture2.ScaleWidth(), Picture2.ScaleHeight(), 0, 0,
                          Picture3.ScaleWidth(), Picture3.ScaleHeight());
    Picture(Picture2.Image());
  }
};

TEST_F(ControlsTest, MdiFrameStretchesItsWallpaperOverTheClientArea) {
  // A 32x32 picture in quadrants: red, green / blue, white.
  DWORD px[32 * 32];
  const DWORD quad[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00FFFFFF};
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) px[y * 32 + x] = quad[(y / 16) * 2 + x / 16];
  OwnedBitmap bmp(CreateBitmap(32, 32, 1, 32, px));
  img::Picture wall = img::Picture::fromHBITMAP(bmp);
  Main& m = Default<Main>();
  m.Picture3.Picture(wall);
  EXPECT_EQ(m.Picture3.ScaleWidth(), PixelsToTwipsX(32));
  m.Show();
  m.Move(0, 0, 9000, 7000);
  t::pumpUntilIdle();
  HWND client = m.clientHwnd();
  RECT rc;
  GetClientRect(client, &rc);
  RECT area, bar;
  GetWindowRect(client, &area);
  GetWindowRect(m.StatusBar1.hwnd(), &bar);
  EXPECT_GT(rc.right, 100);
  EXPECT_EQ(area.bottom, bar.top);  // the client fills the frame above the status bar
  RedrawWindow(client, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
  HDC dc = GetDC(client);
  COLORREF topLeft = GetPixel(dc, rc.right / 4, rc.bottom / 4), bottomRight = GetPixel(dc, rc.right * 3 / 4, rc.bottom * 3 / 4);
  ReleaseDC(client, dc);
  EXPECT_FALSE(m.Picture().empty());
  EXPECT_FALSE(m.Picture2.Image().empty());
  EXPECT_GT(GetRValue(topLeft), 200);
  EXPECT_LT(GetGValue(topLeft), 80);
  EXPECT_GT(GetRValue(bottomRight), 200);
  EXPECT_GT(GetGValue(bottomRight), 200);
}

}  // namespace
