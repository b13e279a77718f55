#include "core/mdiform1_fixture.h"

#include "core/frmlogin.h"
#include "core/module1.h"
#include "platform/db/recordset.h"
#include "platform/ui/app.h"
#include "platform/ui/testing.h"

namespace mainwin {

const std::vector<std::string> kAllFlags = {
    "checkmaster", "checknasabah", "checkpengaturan", "check1", "check2",  "check3",  "check4",  "check5",
    "check6",      "check7",       "check8",          "check9", "check10", "check11", "check12", "check13"};

void MainWindowTest::addUser(const std::string& name, const std::vector<std::string>& flags) {
  std::string columns = "kodeuser, pasword", values = "'" + db::quote(name) + "', 'x'";
  for (const auto& f : flags) {
    columns += ", " + f;
    values += ", True";
  }
  exec("insert into Tuser (" + columns + ") values (" + values + ")");
}

void MainWindowTest::openAs(const std::string& user) {
  // Touching the login's box runs its load: database, upgrade, settings.
  ui::Default<Frmlogin>().Txtkodeuser.Text(user);
  ui::Default<Frmlogin>().Hide();
  main().Show();
  pump();
}

void MainWindowTest::closeAll() {
  ui::testing::clearShown();
  ui::testing::unloadAll();
  if (Module1::koneksi) Module1::koneksi->close();
  Module1::koneksi.reset();
  ui::App::get().ResetEnded();
  freshSeams();
}

std::vector<std::string> MainWindowTest::shownTabs() {
  std::vector<std::string> out;
  for (int i = 0; i <= ribbon().HighestIndex(Piece::Tab_caption); ++i) {
    auto e = ribbon().Element(Piece::Tab_caption, i);
    if (shown(e)) out.push_back(e.caption);
  }
  return out;
}

std::vector<std::string> MainWindowTest::shownButtons() {
  std::vector<std::string> out;
  for (int i = 0; i <= ribbon().HighestIndex(Piece::Button_Caption); ++i) {
    auto e = ribbon().Element(Piece::Button_Caption, i);
    if (shown(e)) out.push_back(e.caption);
  }
  return out;
}

POINT MainWindowTest::centre(Piece p, int index) {
  auto e = ribbon().Element(p, index);
  return POINT{static_cast<LONG>((e.left + e.width / 2) / 15), static_cast<LONG>((e.top + e.height / 2) / 15)};
}

void MainWindowTest::hoverRibbon(POINT pt) {
  // The pointer goes there too: the ribbon puts its looks out when it finds
  // the pointer elsewhere.
  POINT screen = pt;
  ClientToScreen(ribbon().hwnd(), &screen);
  SetCursorPos(screen.x, screen.y);
  SendMessageW(ribbon().hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
}

void MainWindowTest::clickRibbon(POINT pt) {
  hoverRibbon(pt);
  HWND h = ribbon().hwnd();
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
  // The ribbon may be gone by now if the click ended the program.
  if (main().Loaded()) SendMessageW(ribbon().hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
}

bool MainWindowTest::selectTab(const std::string& caption) {
  for (int i = 0; i <= ribbon().HighestIndex(Piece::Tab_caption); ++i) {
    auto e = ribbon().Element(Piece::Tab_caption, i);
    if (shown(e) && e.caption == caption) {
      clickRibbon(centre(Piece::Tab_caption, i));
      return true;
    }
  }
  return false;
}

void MainWindowTest::clickButton(const std::string& tabCaption, const std::string& id) {
  ASSERT_TRUE(selectTab(tabCaption)) << "no tab " << tabCaption;
  for (int i = 0; i <= ribbon().HighestIndex(Piece::ButMouse); ++i) {
    auto e = ribbon().Element(Piece::ButMouse, i);
    if (shown(e) && e.tag == id) {
      clickRibbon(centre(Piece::ButMouse, i));
      return;
    }
  }
  FAIL() << "no button " << id << " on tab " << tabCaption;
}

std::string MainWindowTest::programScalar(const std::string& sql) {
  db::Recordset rs;
  rs.open(sql, Module1::koneksi);
  std::string v = rs.eof() || rs.field(0).value().isNull() ? "" : rs.field(0).value().toString();
  rs.close();
  return v;
}

}  // namespace mainwin
