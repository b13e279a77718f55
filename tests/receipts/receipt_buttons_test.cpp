// The buttons of the receipt dialogs as a user meets them: the entry's Simpan
// on the screen in each of its looks, and the access keys of the entry and
// the register pressed on the keyboard while the dialog runs modal.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "core/modal_steps.h"
#include "receipts/frmdata_fixture.h"
#include "receipts/frmkwitansi.h"
#include "support/real_input.h"
#include "support/win_test_support.h"

namespace {

using vt::test::RunModal;
using vt::test::SendKey;
using vt::test::SendText;

constexpr COLORREF kFocusOutline = 0xCC9999;
constexpr int kAround = 2;  // pixels of the frame taken around the button

// The screen's pixels under a window and kAround pixels around it.
struct Shot {
  int w = 0, h = 0;  // the window's size
  std::shared_ptr<vt::test::Canvas> canvas;
  COLORREF at(int x, int y) const { return canvas->Pixel(x + kAround, y + kAround); }
  // The bounding box of one colour's pixels on the button.
  RECT box(COLORREF colour) const {
    RECT b = vt::test::BoxOf(*canvas, colour, RECT{kAround, kAround, kAround + w, kAround + h});
    if (b.left != INT_MAX) OffsetRect(&b, -kAround, -kAround);
    return b;
  }
  bool operator==(const Shot& o) const {
    for (int y = -kAround; y < h + kAround; ++y)
      for (int x = -kAround; x < w + kAround; ++x)
        if (at(x, y) != o.at(x, y)) return false;
    return w == o.w && h == o.h;
  }
};

Shot shoot(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  Shot s;
  s.w = r.right - r.left;
  s.h = r.bottom - r.top;
  s.canvas = std::make_shared<vt::test::Canvas>(s.w + 2 * kAround, s.h + 2 * kAround);
  HDC screen = GetDC(nullptr);
  BitBlt(s.canvas->dc(), 0, 0, s.w + 2 * kAround, s.h + 2 * kAround, screen, r.left - kAround, r.top - kAround,
         SRCCOPY);
  ReleaseDC(nullptr, screen);
  return s;
}

std::string str(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

// Up: the darkened shadow outside, highlight inside, the face lightened
// between, two softened corners. Pressed: the darkened shadow outside, a dark
// fill, highlight at the right and bottom edges. Both: the window lacks the
// bottom-left and top-right pixels, where the frame shows through.
void expectLook(const Shot& s, bool pressed) {
  const int W = s.w, H = s.h;
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF outer = ctl::ShiftColor(shadow, -26);
  const COLORREF corner = pressed ? outer : ctl::ShiftColor(shadow, 26);
  const COLORREF inside = pressed ? ctl::ShiftColor(shadow, 16) : ctl::ShiftColor(GetSysColor(COLOR_BTNFACE), 12);
  const int insideRow = pressed ? 1 : 2;  // a row the caption leaves alone
  const COLORREF frame = s.at(-2, H / 2);
  for (int x = 0; x <= W - 2; ++x) {
    EXPECT_EQ(s.at(x, 0), outer) << "top " << x;
    EXPECT_EQ(s.at(x, H - 2), x == 1 ? corner : outer) << "bottom " << x;
    if (x >= 1) {
      EXPECT_EQ(s.at(x, H - 1), light) << "bottom highlight " << x;
    }
    if (x >= insideRow && x <= W - 3) {
      EXPECT_EQ(s.at(x, insideRow), inside) << "inside " << x;
    }
  }
  for (int y = 0; y <= H - 2; ++y) {
    EXPECT_EQ(s.at(0, y), outer) << "left " << y;
    EXPECT_EQ(s.at(W - 2, y), y == 1 ? corner : outer) << "right " << y;
    if (y >= 1) {
      EXPECT_EQ(s.at(W - 1, y), light) << "right highlight " << y;
    }
    if (!pressed && y >= 1 && y <= H - 3) {
      EXPECT_EQ(s.at(1, y), light) << "left highlight " << y;
    }
  }
  EXPECT_EQ(s.at(0, H - 1), frame);
  EXPECT_EQ(s.at(W - 1, 0), frame);
  EXPECT_NE(frame, outer);
  EXPECT_NE(frame, light);
}

class ReceiptButtonsTest : public vt::test::RegisterTest {
protected:
  void SetUp() override {
    RegisterTest::SetUp();
    // The column the login's schema upgrade adds.
    Module1::koneksi->execute("ALTER TABLE tblkwitansi ADD COLUMN terbilang memo");
  }
  FrmKwitansi& entry() { return ui::Default<FrmKwitansi>(); }
  int receipts() { return std::stoi(scalar("select count(*) from tblkwitansi")); }
};

TEST_F(ReceiptButtonsTest, EntrySimpanShowsTheFlatLookInEveryState) {
  Button& b = entry().BSimpan;
  Shot up, hot, pressed, focused;
  RECT caption{};
  bool wasHot = false;
  const POINT away{1200, 1000};
  RunModal(entry(), {
      [&] {
        SetForegroundWindow(entry().hwnd());
        entry().Text3.SetFocus();
        vt::test::MouseTo(away);
      },
      [&] {
        up = shoot(b.hwnd());
        RECT r;
        GetWindowRect(b.hwnd(), &r);
        vt::test::MouseTo(POINT{(r.left + r.right) / 2, r.top + 4});
      },
      [&] {
        hot = shoot(b.hwnd());
        wasHot = b.control()->MouseOverFlag();
        vt::test::MouseLeft(true);
      },
      [&] {
        pressed = shoot(b.hwnd());
        // Dragged off before the release: no click.
        vt::test::MouseTo(away);
      },
      [&] { vt::test::MouseLeft(false); },
      [&] {
        entry().Text3.SetFocus();
        b.SetFocus();
      },
      [&] {
        focused = shoot(b.hwnd());
        const RECT c = b.control()->CaptionRect();
        caption = RECT{c.left - 2, c.top - 1, c.right + 2, c.bottom + 1};
      },
  });
  ASSERT_TRUE(up.canvas && hot.canvas && pressed.canvas && focused.canvas);
  {
    SCOPED_TRACE("up");
    expectLook(up, false);
    EXPECT_EQ(up.box(kFocusOutline).left, INT_MAX);  // no focus mark
    EXPECT_LT(up.box(GetSysColor(COLOR_BTNTEXT)).left, up.w);  // the caption
  }
  {
    SCOPED_TRACE("hot");
    EXPECT_TRUE(wasHot);
    EXPECT_TRUE(hot == up);  // system colours: hot looks as up
  }
  {
    SCOPED_TRACE("pressed");
    expectLook(pressed, true);
    // The press took the focus: the focus mark shows on the pressed look too.
    EXPECT_LT(pressed.box(kFocusOutline).left, pressed.w);
  }
  {
    SCOPED_TRACE("focused");
    expectLook(focused, false);
    const RECT got = focused.box(kFocusOutline);
    EXPECT_TRUE(EqualRect(&got, &caption)) << str(got) << " vs " << str(caption);
    EXPECT_EQ(focused.at(caption.left, caption.top), kFocusOutline);
    EXPECT_NE(focused.at(caption.left + 1, (caption.top + caption.bottom) / 2), kFocusOutline);
  }
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(b.hwnd(), rgn), ERROR);
  EXPECT_FALSE(PtInRegion(rgn, 0, up.h - 1));
  EXPECT_FALSE(PtInRegion(rgn, up.w - 1, 0));
  EXPECT_TRUE(PtInRegion(rgn, 0, 0));
  EXPECT_TRUE(PtInRegion(rgn, up.w - 1, up.h - 1));
  DeleteObject(rgn);
  EXPECT_EQ(receipts(), 0);  // the press dragged off saved nothing
  EXPECT_TRUE(seams->boxes.empty());
}

// Letters typed into a box stay there, Alt+S saves, and the letter alone on
// a focused button clicks the button it marks (T&utup closes the entry).
TEST_F(ReceiptButtonsTest, EntryKeysTypeSaveAndClose) {
  FrmKwitansi& f = entry();
  int steps = 0;
  RunModal(f, {
      [&] {
        SetForegroundWindow(f.hwnd());
        f.Text3.SetFocus();
        SendText("tusc");  // each of them an access key of a button
        ++steps;
      },
      [&] {
        EXPECT_EQ(f.Text3.Text(), "tusc");
        EXPECT_TRUE(f.Text3.HasFocus());
        EXPECT_EQ(receipts(), 0);
        f.Text4.SetFocus();
        SendText("1500000");
        ++steps;
      },
      [&] {
        EXPECT_EQ(f.Text5.Text(), "Satu Juta Lima Ratus Ribu Rupiah");
        f.Text6.Text("Uang sekolah");
        SendKey('S', {VK_MENU});
        ++steps;
      },
      [&] {
        EXPECT_EQ(receipts(), 1);
        ASSERT_FALSE(seams->boxes.empty());
        EXPECT_EQ(seams->boxes[0].prompt, "Data Berhasil Disimpan");
        EXPECT_EQ(scalar("select SudahTerima from tblkwitansi"), "tusc");
        f.BTambah.SetFocus();
        SendKey('U');
        ++steps;
      },
      [&] { ++steps; },  // not reached: Tutup has closed the entry
  });
  EXPECT_EQ(steps, 4);
  EXPECT_FALSE(f.Loaded());
}

// Alt+C searches in the register; the letters of the key stay in the box.
TEST_F(ReceiptButtonsTest, RegisterAltCSearches) {
  addReceipt("KW-", "001/12/2025", "Siti", "Rp.", 1000, "05/12/2025");
  addReceipt("KW-", "002/12/2025", "Budi", "Rp.", 2000, "05/12/2025");
  addReceipt("KW-", "003/12/2025", "Ani", "Rp.", 3000, "05/12/2025");
  FrmData& f = data();
  RunModal(f, {
      [&] {
        SetForegroundWindow(f.hwnd());
        f.Combo1.Text("Sudah Terima Dari");
        f.TextCari.SetFocus();
        SendText("budi");
      },
      [&] {
        EXPECT_EQ(f.TextCari.Text(), "budi");
        EXPECT_EQ(column(2).size(), 3u);  // nothing searched yet
        SendKey('C', {VK_MENU});
      },
      [&] {
        EXPECT_EQ(column(2), std::vector<std::string>{"KW-002/12/2025"});
        EXPECT_TRUE(seams->boxes.empty());
      },
  });
}

}  // namespace
