// The forms runtime driven through real windows: default instances, loading
// on touch, modal loops, unload, events of the basic controls and the seams.
#include <gtest/gtest.h>

#include "platform/ui/app.h"
#include "platform/ui/checkbox.h"
#include "platform/ui/combobox.h"
#include "platform/ui/command_button.h"
#include "platform/ui/form.h"
#include "platform/ui/frame.h"
#include "platform/ui/label.h"
#include "platform/ui/testing.h"
#include "platform/ui/textbox.h"
#include "platform/vb/error.h"

namespace {

using namespace ui;
namespace t = ui::testing;

struct Counted : Form {
  static int constructed;
  int loads = 0, unloads = 0, activates = 0, queries = 0;
  int cancelQuery = 0;
  int lastMode = -1;
  Frame Frame1{this};
  Label Label1{this};
  TextBox Text1{this};
  TextBox Text2{this};
  CheckBox Check1{this};
  ComboBox Combo1{this};
  ComboBox Combo2{this};
  CommandButton Command1{this};
  int checkClicks = 0, comboClicks = 0, comboChanges = 0, textChanges = 0, presses = 0, commandClicks = 0;

  Counted() {
    ++constructed;
    Check1.Click = [this] { ++checkClicks; };
    Combo1.Click = [this] { ++comboClicks; };
    Combo1.Change = [this] { ++comboChanges; };
    Text1.Change = [this] { ++textChanges; };
    Text1.KeyPress = [this](int& k) {
      ++presses;
      if (k == 13) {
        k = 0;
        Text2.SetFocus();
      }
    };
    Command1.Click = [this] { ++commandClicks; };
  }
  void Design() override {
    Caption("Counted");
    ClientSize(6000, 4000);
    Frame1.Create(*this, 120, 120, 5700, 3000, "Detail");
    Label1.Create(Frame1, 120, 300, 1500, 300, "Nama :");
    Text1.Create(Frame1, 1700, 300, 2500, 315);
    Text1.Text("Text1");
    Text2.Create(Frame1, 1700, 700, 2500, 315);
    Check1.Create(Frame1, 1700, 1100, 2500, 315, "Pilih");
    Combo1.Create(Frame1, 1700, 1500, 2500);
    Combo2.Create(Frame1, 1700, 1900, 2500, vbComboDropdownList);
    Command1.Create(*this, 120, 3300, 1200, 400, "OK");
  }
  void Form_Load() override { ++loads; }
  void Form_Activate() override { ++activates; }
  void Form_QueryUnload(int& cancel, int mode) override {
    ++queries;
    lastMode = mode;
    cancel = cancelQuery;
  }
  void Form_Unload(int&) override { ++unloads; }
};
int Counted::constructed = 0;

struct Plain : Form {
  TextBox Text1{this};
  void Design() override {
    Caption("Plain");
    ClientSize(3000, 1500);
    Text1.Create(*this, 100, 100, 2000, 315);
  }
};
struct Plain2 : Plain {};
struct Plain3 : Plain {};

class FormTest : public ::testing::Test {
protected:
  void TearDown() override {
    t::clearShown();
    t::unloadAll();
  }
  t::SeamRecorder seam;
};

TEST_F(FormTest, DefaultInstanceIsCreatedOnceAndLoadsOnFirstTouch) {
  Counted& a = Default<Counted>();
  Counted& b = Default<Counted>();
  EXPECT_EQ(&a, &b);
  EXPECT_EQ(Counted::constructed, 1);
  a.Unload();
  int before = a.loads;
  EXPECT_FALSE(a.Loaded());
  EXPECT_EQ(a.Text1.Text(), "Text1");  // the touch loads the form
  EXPECT_TRUE(a.Loaded());
  EXPECT_FALSE(a.Visible());
  EXPECT_EQ(a.loads, before + 1);
  a.Text1.Text("changed");
  EXPECT_EQ(a.Check1.Value(), 0);
  EXPECT_EQ(a.loads, before + 1);  // later touches do not load again
}

TEST_F(FormTest, UnloadThenTouchLoadsAfresh) {
  Counted& f = Default<Counted>();
  f.Text1.Text("typed");
  f.Check1.Value(1);
  f.Combo1.AddItem("x");
  int loads = f.loads, unloads = f.unloads;
  f.Unload();
  EXPECT_FALSE(f.Loaded());
  EXPECT_EQ(f.unloads, unloads + 1);
  EXPECT_EQ(f.lastMode, vbFormCode);
  EXPECT_EQ(f.Text1.Text(), "Text1");
  EXPECT_EQ(f.Check1.Value(), 0);
  EXPECT_EQ(f.Combo1.ListCount(), 0);
  EXPECT_EQ(f.loads, loads + 1);
}

TEST_F(FormTest, QueryUnloadCancelKeepsTheForm) {
  Counted& f = Default<Counted>();
  f.Show();
  f.cancelQuery = 1;
  f.Unload();
  EXPECT_TRUE(f.Loaded());
  SendMessageW(f.hwnd(), WM_CLOSE, 0, 0);  // the close box
  EXPECT_TRUE(f.Loaded());
  EXPECT_EQ(f.lastMode, vbFormControlMenu);
  f.cancelQuery = 0;
  SendMessageW(f.hwnd(), WM_CLOSE, 0, 0);
  t::pumpUntilIdle();
  EXPECT_FALSE(f.Loaded());
}

TEST_F(FormTest, ShowModalDisablesOwnersAndReturnsOnHideOrUnloadNestedTwoDeep) {
  Plain& owner = Default<Plain>();
  Plain2& first = Default<Plain2>();
  Plain3& second = Default<Plain3>();
  owner.Show();
  bool ownerDisabledInFirst = false, bothDisabledInSecond = false, firstEnabledAfterSecond = false;
  t::onShown([&](Form& f) {
    EXPECT_EQ(&f, &first);
    ownerDisabledInFirst = !IsWindowEnabled(owner.hwnd()) && IsWindowEnabled(first.hwnd());
    second.ShowModal(&first);  // runs the next queued callback inside
    firstEnabledAfterSecond = IsWindowEnabled(first.hwnd()) && !IsWindowEnabled(owner.hwnd());
    first.Unload();
  });
  t::onShown([&](Form& f) {
    EXPECT_EQ(&f, &second);
    bothDisabledInSecond = !IsWindowEnabled(owner.hwnd()) && !IsWindowEnabled(first.hwnd());
    second.Hide();
  });
  first.ShowModal(&owner);
  EXPECT_TRUE(ownerDisabledInFirst);
  EXPECT_TRUE(bothDisabledInSecond);
  EXPECT_TRUE(firstEnabledAfterSecond);
  EXPECT_FALSE(first.Loaded());
  // The hidden second dialog was owned by the first and goes with it.
  EXPECT_FALSE(second.Loaded());
  EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));
  EXPECT_EQ(t::pendingShown(), 0u);
}

TEST_F(FormTest, ShowingAShownFormModallyIsAnError) {
  Plain& f = Default<Plain>();
  f.Show();
  try {
    f.ShowModal();
    FAIL() << "no error";
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.number(), 400);
  }
}

TEST_F(FormTest, CheckBoxClickFiresOnUserClickAndOnChangeByCodeOnly) {
  Counted& f = Default<Counted>();
  f.Show();
  int c0 = f.checkClicks;
  struct Step {
    const char* what;
    std::function<void()> act;
    int value;
    int clicks;
  } steps[] = {
      {"user click ticks", [&] { t::clickWindow(f.Check1.hwnd()); }, 1, 1},
      {"same value by code", [&] { f.Check1.Value(1); }, 1, 1},
      {"code clears", [&] { f.Check1.Value(0); }, 0, 2},
      {"BM_CLICK ticks", [&] { SendMessageW(f.Check1.hwnd(), BM_CLICK, 0, 0); }, 1, 3},
      {"user click clears", [&] { t::clickWindow(f.Check1.hwnd()); }, 0, 4},
      {"same value again", [&] { f.Check1.Value(0); }, 0, 4},
  };
  for (auto& s : steps) {
    s.act();
    EXPECT_EQ(f.Check1.Value(), s.value) << s.what;
    EXPECT_EQ(f.checkClicks - c0, s.clicks) << s.what;
    EXPECT_EQ(SendMessageW(f.Check1.hwnd(), BM_GETCHECK, 0, 0), s.value ? BST_CHECKED : BST_UNCHECKED) << s.what;
  }
}

TEST_F(FormTest, KeyPressCanSwallowEnterAndMoveTheFocus) {
  Counted& f = Default<Counted>();
  f.Show();
  f.Text1.SetFocus();
  f.Text1.Text("");
  int presses = f.presses;
  t::typeText(f.Text1.hwnd(), "ab");
  t::pressKey(f.Text1.hwnd(), VK_RETURN);
  EXPECT_EQ(f.Text1.Text(), "ab");
  EXPECT_EQ(f.presses - presses, 3);
  EXPECT_TRUE(f.Text2.HasFocus());
  // Tab follows the tab order; Shift is not down, so forward.
  t::pressKey(f.Text2.hwnd(), VK_TAB);
  EXPECT_TRUE(f.Check1.HasFocus());
}

TEST_F(FormTest, TextAndComboRoundTrips) {
  Counted& f = Default<Counted>();
  int changes = f.textChanges;
  f.Text1.Text("Rp. 1.000");
  EXPECT_EQ(f.Text1.Text(), "Rp. 1.000");
  f.Text1.Text("Rp. 1.000");  // same text: no Change
  EXPECT_EQ(f.textChanges - changes, 1);
  f.Text1.Text("Gedung Ünïcode Ω");
  EXPECT_EQ(f.Text1.Text(), "Gedung Ünïcode Ω");
  f.Text1.SelStart(2);
  f.Text1.SelLength(4);
  EXPECT_EQ(f.Text1.SelText(), "dung");
  f.Text2.PasswordChar("*");
  f.Text2.MaxLength(3);
  EXPECT_EQ(f.Text2.PasswordChar(), "*");

  f.Combo1.Clear();
  f.Combo1.AddItem("Rp.");
  f.Combo1.AddItem("USD");
  int clicks = f.comboClicks, comboChanges = f.comboChanges;
  struct Case {
    const char* text;
    int index;
  } cases[] = {{"Rp.", 0}, {"usd", 1}, {"Yen", -1}};
  for (auto& c : cases) {
    f.Combo1.Text(c.text);
    EXPECT_EQ(f.Combo1.Text(), c.text);
    EXPECT_EQ(f.Combo1.ListIndex(), c.index) << c.text;
  }
  EXPECT_EQ(f.comboChanges - comboChanges, 3);
  f.Combo1.ListIndex(1);
  EXPECT_EQ(f.Combo1.Text(), "USD");
  EXPECT_EQ(f.comboClicks - clicks, 1);
  f.Combo1.ListIndex(1);
  EXPECT_EQ(f.comboClicks - clicks, 1);
  EXPECT_EQ(f.Combo1.ListCount(), 2);
  EXPECT_EQ(f.Combo1.List(0), "Rp.");

  f.Combo2.AddItem("Kwitansi 1 Portrait");
  f.Combo2.AddItem("Kwitansi 2 Portrait");
  f.Combo2.Text("Kwitansi 2 Portrait");
  EXPECT_EQ(f.Combo2.ListIndex(), 1);
  try {
    f.Combo2.Text("Kwitansi 9");
    FAIL() << "a drop-down list takes only its items";
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.number(), 383);
  }
}

TEST_F(FormTest, UserSelectionInAComboRaisesClickWithTheNewText) {
  Counted& f = Default<Counted>();
  f.Show();
  f.Combo1.Clear();
  f.Combo1.AddItem("Rp.");
  f.Combo1.AddItem("USD");
  std::string seen;
  f.Combo1.Click = [&] { seen = f.Combo1.Text(); };
  HWND h = f.Combo1.hwnd();
  SendMessageW(h, CB_SETCURSEL, 1, 0);
  SendMessageW(GetParent(h), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), reinterpret_cast<LPARAM>(h));
  EXPECT_EQ(seen, "USD");
  f.Combo1.Click = [&f] { ++f.comboClicks; };
}

TEST_F(FormTest, MessageBoxSeamRecordsAndDefaultsToTheAppTitle) {
  App::get().Title("Vantorel V1.7 Build 28092025");
  seam.answers = {vbNo};
  EXPECT_EQ(MsgBox("Yakin?", vbYesNo + vbQuestion, "Konfirmasi"), vbNo);
  EXPECT_EQ(MsgBox(" User Name dan Password anda salah", vbExclamation), vbOK);
  ASSERT_EQ(seam.boxes.size(), 2u);
  EXPECT_EQ(seam.boxes[0].title, "Konfirmasi");
  EXPECT_EQ(seam.boxes[0].flags, vbYesNo | vbQuestion);
  EXPECT_EQ(seam.boxes[1].prompt, " User Name dan Password anda salah");
  EXPECT_EQ(seam.boxes[1].title, "Vantorel V1.7 Build 28092025");
  App::get().Title("Vantorel");
  MsgBox("x");
  EXPECT_EQ(seam.boxes.back().title, "Vantorel");
}

TEST_F(FormTest, AnErrorInAHandlerIsShownAndTheProgramGoesOn) {
  Counted& f = Default<Counted>();
  f.Show();
  f.Command1.Click = [] { vb::raise(13); };
  SendMessageW(f.Command1.hwnd(), BM_CLICK, 0, 0);
  ASSERT_EQ(seam.boxes.size(), 1u);
  EXPECT_EQ(seam.boxes[0].prompt, "Run-time error '13':\n\nType mismatch");
  EXPECT_TRUE(f.Loaded());
  f.Command1.Click = [&f] { ++f.commandClicks; };
}

TEST_F(FormTest, EndUnwindsEveryModalLoopAndIsRecorded) {
  Plain& owner = Default<Plain>();
  Counted& dialog = Default<Counted>();
  owner.Show();
  bool after = false;
  dialog.Command1.Click = [&] {
    App::get().End();
    after = true;  // never reached
  };
  t::onShown([&](Form&) { SendMessageW(dialog.Command1.hwnd(), BM_CLICK, 0, 0); });
  EXPECT_THROW(dialog.ShowModal(&owner), ProgramEnded);
  EXPECT_FALSE(after);
  EXPECT_TRUE(App::get().Ended());
  EXPECT_EQ(seam.ends, 1);
  EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));
  dialog.Command1.Click = [&dialog] { ++dialog.commandClicks; };
}

TEST_F(FormTest, EnterAndEscapePressTheDefaultAndCancelButtons) {
  Counted& f = Default<Counted>();
  f.Show();
  f.Command1.Default(true);
  f.Check1.SetFocus();
  int clicks = f.commandClicks;
  t::pressKey(f.Check1.hwnd(), VK_RETURN);
  EXPECT_EQ(f.commandClicks - clicks, 1);
  f.Command1.Default(false);
  f.Command1.Cancel(true);
  t::pressKey(f.Check1.hwnd(), VK_ESCAPE);
  EXPECT_EQ(f.commandClicks - clicks, 2);
}

TEST_F(FormTest, DisabledFrameKeepsItsControlsFromTheFocus) {
  Counted& f = Default<Counted>();
  f.Show();
  f.Frame1.Enabled(false);
  f.Command1.SetFocus();
  t::pressKey(f.Command1.hwnd(), VK_TAB);
  EXPECT_TRUE(f.Command1.HasFocus());  // the only control outside the frame
  EXPECT_TRUE(f.Text1.Enabled());      // the controls keep their own setting
}

// An AutoSize label is exactly as wide as its caption and draws it on one
// line, last letter included.
struct Labels : Form {
  Label Label1{this};
  void Design() override {
    Caption("Labels");
    ClientSize(6000, 1500);
    Label1.Create(*this, 300, 300, 200, 200, "x");
  }
};

TEST_F(FormTest, AutoSizeLabelDrawsItsWholeCaptionOnOneLine) {
  Labels& f = Default<Labels>();
  for (const char* caption : {"Penanggung Jawab", "Alamat, Tlpn, Website", "Format No Kwitansi", "(No/MM/YYYY)",
                              "Username :", "Password :", "Nama Instansi", "Pilih Templete Kwitansi", "Kota",
                              "Jabatan", "Templete Catatan", "Login Aplikasi"}) {
    SCOPED_TRACE(caption);
    f.Label1.FontName("Trebuchet MS");
    f.Label1.FontSize(9);
    f.Label1.Caption(caption);
    f.Label1.AutoSize(true);
    RECT box = f.Label1.pixelRect();
    // The ink of the label as the form paints it, and of the same caption
    // drawn unclipped on one line at the same place.
    auto ink = [&](bool reference) {
      ScopedGetDC screen(nullptr);
      OwnedMemDC mem(screen);
      OwnedBitmap bmp(CreateCompatibleBitmap(screen, 400, 100));
      ScopedSelect keep(mem, bmp);
      RECT all{0, 0, 400, 100};
      FillRect(mem, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      if (reference) {
        ScopedSelect font(mem, FontFor(FontSpec{"Trebuchet MS", f.Label1.FontSize()}));
        SetBkMode(mem, TRANSPARENT);
        RECT at{box.left, box.top, box.left, box.top};
        std::wstring text = Widen(caption);
        DrawTextW(mem, text.c_str(), -1, &at, DT_SINGLELINE | DT_NOCLIP);
      } else {
        f.paintChildren(mem, all);
      }
      POINT extent{-1, -1};
      for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 400; ++x)
          if (GetRValue(GetPixel(mem, x, y)) < 128) {
            extent.x = std::max<LONG>(extent.x, x);
            extent.y = std::max<LONG>(extent.y, y);
          }
      return extent;
    };
    POINT drawn = ink(false), whole = ink(true);
    EXPECT_EQ(drawn.x, whole.x) << "the caption's end is missing";
    EXPECT_EQ(drawn.y, whole.y) << "the caption wrapped";
  }
  f.Unload();
}

TEST(Twips, ConvertWithTheScreenResolution) {
  const int dpi = DpiX();
  struct Case {
    int twips;
    int pixels;
  } cases[] = {{0, 0}, {1440, dpi}, {15, dpi / 96}, {-1440, -dpi}, {2880, 2 * dpi}};
  for (auto& c : cases) EXPECT_EQ(TwipsToPixelsX(c.twips), c.pixels) << c.twips;
  EXPECT_EQ(PixelsToTwipsX(dpi), 1440);
  EXPECT_EQ(PixelsToTwipsY(TwipsToPixelsY(3000)), dpi == 96 ? 3000 : PixelsToTwipsY(TwipsToPixelsY(3000)));
}

TEST(CommandTail, IsWhatFollowsTheExecutable) {
  struct Case {
    const wchar_t* line;
    const char* tail;
  } cases[] = {{L"\"C:\\Program Files\\V\\Vantorel.exe\" /admin", "/admin"},
               {L"Vantorel.exe", ""},
               {L"Vantorel.exe   a b", "a b"},
               {L"\"C:\\x y\\V.exe\"/admin", "/admin"}};
  for (auto& c : cases) EXPECT_EQ(CommandTail(c.line), c.tail);
}

}  // namespace
