// The command buttons of every dialog of the program, as the dialogs host
// them: each is stored as style 5, scheme 1, Tahoma; with real
// keys through the program's own message loop, each access key clicks its
// button and the arrow keys move as Tab and Shift+Tab do.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/dialog_button.h"
#include "core/frmabout.h"
#include "core/frmlogin.h"
#include "core/frmotoritas.h"
#include "core/modal_steps.h"
#include "core/module1.h"
#include "core/program_fixture.h"
#include "customers/frmcustomer.h"
#include "customers/frmdatacustomer.h"
#include "customers/lapdatacustomer.h"
#include "platform/report/preview.h"
#include "platform/ui/app.h"
#include "platform/ui/command_button.h"
#include "receipts/frmdata.h"
#include "receipts/frmkwitansi.h"
#include "receipts/frmseting.h"
#include "support/real_input.h"

namespace {

using vt::test::RunModal;
using vt::test::SendKey;

struct Dialog {
  const char* name;
  ui::Form& (*form)();
};

template <class T>
ui::Form& dialog() {
  return ui::Default<T>();
}

const Dialog kDialogs[] = {
    {"login", &dialog<Frmlogin>},          {"users", &dialog<frmotoritas>},
    {"entry", &dialog<FrmKwitansi>},       {"register", &dialog<FrmData>},
    {"settings", &dialog<FrmSeting>},      {"customer", &dialog<FrmCustomer>},
    {"customer picker", &dialog<FrmDataCustomer>}, {"customer report", &dialog<LapDataCustomer>},
};

// The dialog's buttons in its tab order.
std::vector<Button*> buttonsOf(ui::Form& f) {
  std::vector<Button*> out;
  for (ui::Control* c : f.tabOrder())
    if (auto* b = dynamic_cast<Button*>(c)) out.push_back(b);
  return out;
}

// A user can reach the window: shown and enabled, and so is every window it
// stands in up to the dialog.
bool reachable(HWND h) {
  if (!h || !IsWindowVisible(h)) return false;
  for (; h; h = GetParent(h)) {
    if (!IsWindowEnabled(h)) return false;
    if (!(GetWindowLongW(h, GWL_STYLE) & WS_CHILD)) break;
  }
  return true;
}

std::string nameOf(ui::Form& f, HWND h) {
  if (!h) return "(none)";
  for (ui::Control* c : f.tabOrder())
    if (c->created() && c->hwnd() && (c->hwnd() == h || IsChild(c->hwnd(), h))) {
      if (auto* b = dynamic_cast<Button*>(c)) return "button \"" + b->Caption() + "\"";
      return "control #" + std::to_string(c->TabIndex());
    }
  return "another window";
}

class DialogButtonsTest : public vt::test::ProgramTest {
protected:
  void SetUp() override {
    ProgramTest::SetUp();
    Module1::bukaDatabase();
    ui::App::get().Title("Vantorel V1.7 BUILD 28092025");
  }
};

TEST_F(DialogButtonsTest, EveryDialogButtonIsStoredAsStyle5Scheme1Tahoma) {
  int count = 0;
  for (const Dialog& d : kDialogs) {
    SCOPED_TRACE(d.name);
    ui::Form& f = d.form();
    f.Load();
    for (Button* b : buttonsOf(f)) {
      SCOPED_TRACE(b->Caption());
      ctl::Button* c = b->control();
      ASSERT_NE(c, nullptr);
      ++count;
      EXPECT_EQ(c->ButtonType(), 5);
      EXPECT_EQ(c->ColorScheme(), 1);
      EXPECT_EQ(c->FontName(), "Tahoma");
      EXPECT_EQ(c->BackColor(), 0xF0F0F0u);
      EXPECT_EQ(c->ForeColor(), 0u);
      EXPECT_EQ(c->PicturePosition(), 0);
      EXPECT_TRUE(c->ShowFocusRect());
      // The customer dialog's search button carries a bitmap with a mask of
      // its own; every other button has no picture and the stored mask.
      if (!c->PictureNormal()) {
        EXPECT_EQ(c->MaskColor(), 0xC0C0C0u);
      }
      // Scheme 1: the system's colours, whatever the colour properties say.
      EXPECT_EQ(c->Colors().face, GetSysColor(COLOR_BTNFACE));
      EXPECT_EQ(c->Colors().caption, GetSysColor(COLOR_BTNTEXT));
    }
  }
  EXPECT_EQ(count, 40);  // every button of the eight dialogs
}

// From every button the arrows go where Tab (Right, Down) and Shift+Tab
// (Left, Up) go: the dialog's own tab order, which in the users and entry
// dialogs is not the order the windows were made in.
TEST_F(DialogButtonsTest, ArrowKeysMoveAsTabAndShiftTabDo) {
  struct Key {
    const char* name;
    WORD vk;
    bool shift;
  };
  const Key tab{"Tab", VK_TAB, false}, backTab{"Shift+Tab", VK_TAB, true};
  const std::pair<Key, Key> pairs[] = {{{"Right", VK_RIGHT, false}, tab},
                                       {{"Down", VK_DOWN, false}, tab},
                                       {{"Left", VK_LEFT, false}, backTab},
                                       {{"Up", VK_UP, false}, backTab}};
  int compared = 0, moved = 0;
  for (const Dialog& d : kDialogs) {
    SCOPED_TRACE(d.name);
    ui::Form& f = d.form();
    f.Load();
    std::vector<std::function<void()>> steps;
    // The focus a key press left, per button and key.
    std::map<std::string, HWND> landed;
    for (Button* b : buttonsOf(f)) {
      for (const Key& k : {tab, backTab, pairs[0].first, pairs[1].first, pairs[2].first, pairs[3].first}) {
        const std::string id = b->Caption() + "|" + k.name;
        steps.push_back([b, k] {
          if (!reachable(b->hwnd())) return;
          SetForegroundWindow(b->form().hwnd());
          b->SetFocus();
          if (k.shift) SendKey(k.vk, {VK_SHIFT});
          else SendKey(k.vk);
        });
        steps.push_back([b, id, &landed] {
          if (reachable(b->hwnd())) landed[id] = GetFocus();
        });
      }
    }
    RunModal(f, steps, 60);
    for (Button* b : buttonsOf(f)) {
      for (const auto& [arrow, same] : pairs) {
        const std::string a = b->Caption() + "|" + arrow.name, t = b->Caption() + "|" + same.name;
        if (!landed.count(t)) continue;  // a button the user cannot reach
        ++compared;
        if (landed[t] != b->hwnd()) ++moved;
        EXPECT_EQ(nameOf(f, landed[a]), nameOf(f, landed[t])) << b->Caption() << ": " << arrow.name << " vs " << same.name;
      }
    }
    f.Hide();
  }
  EXPECT_GE(compared, 4 * 30);
  EXPECT_EQ(moved, compared);  // Tab always went somewhere else
}

// Alt with a caption's marked letter, anywhere in the dialog, clicks that
// button, and so does the letter alone while another button has the focus.
// Where two buttons share a letter (the entry's "&Cari" and "&Cetak"), each
// press moves the focus to the next of them in tab order and clicks nothing,
// as in a Windows dialog. A step sends the keys; the dialog's own loop handles
// them; the next step looks.
TEST_F(DialogButtonsTest, EveryAccessKeyClicksItsButtonThroughTheProgramsLoop) {
  int clickedByAlt = 0, clickedAlone = 0, sharedPresses = 0;
  for (const Dialog& d : kDialogs) {
    SCOPED_TRACE(d.name);
    ui::Form& f = d.form();
    f.Load();
    const std::vector<Button*> buttons = buttonsOf(f);
    // Every button counts its clicks for the length of the test.
    std::map<Button*, int> clicks;
    std::map<Button*, std::function<void()>> kept;
    for (Button* b : buttons) {
      kept[b] = b->Click;
      b->Click = [b, &clicks] { ++clicks[b]; };
    }
    auto keyOf = [](Button* b) { return b->control() ? b->control()->AccessKeys() : std::string(); };
    auto total = [&clicks] {
      int n = 0;
      for (auto& [b, k] : clicks) n += k;
      return n;
    };
    std::vector<std::function<void()>> steps;
    std::vector<std::string> done;
    for (Button* b : buttons) {
      const std::string key = keyOf(b);
      if (key.size() != 1) continue;
      const WORD vk = static_cast<WORD>(toupper(static_cast<unsigned char>(key[0])));
      std::vector<Button*> having;
      for (Button* o : buttons)
        if (keyOf(o) == key) having.push_back(o);
      if (having.size() == 1) {
        auto other = std::make_shared<Button*>(nullptr);
        steps.push_back([&, b, vk] {
          SetForegroundWindow(f.hwnd());
          clicks.clear();
          for (ui::Control* c : f.tabOrder())
            if (c->canFocus()) {
              c->SetFocus();
              break;
            }
          SendKey(vk, {VK_MENU});
        });
        steps.push_back([&, b, key, vk, other] {
          EXPECT_EQ(clicks[b], 1) << "Alt+" << key << " for " << b->Caption();
          EXPECT_EQ(total(), clicks[b]) << "Alt+" << key << " clicks another button";
          clickedByAlt += clicks[b];
          clicks.clear();
          for (Button* o : buttons)
            if (o != b && reachable(o->hwnd())) *other = o;
          ASSERT_NE(*other, nullptr);
          (*other)->SetFocus();
          SendKey(vk);
        });
        steps.push_back([&, b, key, other] {
          EXPECT_EQ(clicks[b], 1) << key << " alone, " << (*other)->Caption() << " focused";
          EXPECT_EQ(total(), clicks[b]);
          clickedAlone += clicks[b];
        });
        continue;
      }
      if (having.front() != b) continue;  // a shared letter is tried once
      // Shared: from the first of them, each press goes on to the next.
      steps.push_back([&, having, vk] {
        SetForegroundWindow(f.hwnd());
        clicks.clear();
        having.front()->SetFocus();
        SendKey(vk, {VK_MENU});
      });
      for (size_t i = 1; i <= having.size(); ++i) {
        steps.push_back([&, having, key, vk, i] {
          Button* want = having[i % having.size()];
          EXPECT_EQ(nameOf(f, GetFocus()), nameOf(f, want->hwnd())) << "Alt+" << key << ", press " << i;
          EXPECT_EQ(total(), 0) << "a shared access key clicks nothing";
          ++sharedPresses;
          if (i < having.size()) SendKey(vk, {VK_MENU});
        });
      }
    }
    RunModal(f, steps, 120);
    for (Button* b : buttons) b->Click = kept[b];
    f.Hide();
  }
  // The register's ten letters and the entry's "s", "t" and "u" are each one
  // button's; the entry's "c" is shared by two.
  EXPECT_EQ(clickedByAlt, 13);
  EXPECT_EQ(clickedAlone, 13);
  EXPECT_EQ(sharedPresses, 2);
}

// The platform's own push buttons, the About dialog's "&System Info..." and
// the report preview's "&Cetak" and "&Tutup", take their access keys as the
// dialogs' buttons do: Alt with the letter anywhere in the window, or the
// letter alone while another button has the focus, clicks the button through
// the window's own loop, and clicks no other.
TEST_F(DialogButtonsTest, PushButtonAccessKeysOfAboutAndPreviewClickThroughTheProgramsLoop) {
  report::Document doc;
  doc.title = "Laporan";
  doc.pages.emplace_back();
  doc.pages.back().width = 2100;
  doc.pages.back().height = 2970;
  report::PreviewWindow preview(doc, true);
  frmAbout& about = ui::Default<frmAbout>();
  struct Window {
    const char* name;
    ui::Form& form;
    std::vector<std::pair<ui::CommandButton*, WORD>> keys;
  };
  const Window windows[] = {{"About", about, {{&about.cmdSysInfo, 'S'}}},
                            {"preview", preview, {{&preview.BCetak, 'C'}, {&preview.BTutup, 'T'}}}};
  int clickedByAlt = 0, clickedAlone = 0;
  for (const Window& w : windows) {
    SCOPED_TRACE(w.name);
    ui::Form& f = w.form;
    f.Load();
    std::vector<ui::CommandButton*> buttons;
    for (ui::Control* c : f.tabOrder())
      if (auto* b = dynamic_cast<ui::CommandButton*>(c)) buttons.push_back(b);
    std::map<ui::CommandButton*, int> clicks;
    for (ui::CommandButton* b : buttons) b->Click = [b, &clicks] { ++clicks[b]; };
    auto total = [&clicks] {
      int n = 0;
      for (auto& [b, k] : clicks) n += k;
      return n;
    };
    std::vector<std::function<void()>> steps;
    for (const auto& [b, vk] : w.keys) {
      steps.push_back([&, vk = vk] {
        SetForegroundWindow(f.hwnd());
        clicks.clear();
        SendKey(vk, {VK_MENU});
      });
      steps.push_back([&, b = b, vk = vk] {
        EXPECT_EQ(clicks[b], 1) << "Alt+" << static_cast<char>(vk);
        EXPECT_EQ(total(), clicks[b]) << "Alt+" << static_cast<char>(vk) << " clicks another button";
        clickedByAlt += clicks[b];
        clicks.clear();
        ui::CommandButton* other = nullptr;
        for (ui::CommandButton* o : buttons)
          if (o != b && o->canFocus()) other = o;
        ASSERT_NE(other, nullptr);
        other->SetFocus();
        SendKey(vk);
      });
      steps.push_back([&, b = b, vk = vk] {
        EXPECT_EQ(clicks[b], 1) << static_cast<char>(vk) << " alone";
        EXPECT_EQ(total(), clicks[b]);
        clickedAlone += clicks[b];
      });
    }
    RunModal(f, steps, 120);
    if (f.Loaded()) f.Unload();
  }
  EXPECT_EQ(clickedByAlt, 3);
  EXPECT_EQ(clickedAlone, 3);
}

}  // namespace
