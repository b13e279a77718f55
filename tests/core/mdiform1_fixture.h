#pragma once
// The main window opened as the login opens it: the login dialog loaded (the
// start-up done, its box holding the user name), then MDIForm1 shown.
#include <windows.h>

#include <string>
#include <vector>

#include "controls/ribbon/ribbon_bar.h"
#include "core/mdiform1.h"
#include "core/program_fixture.h"

namespace mainwin {

using ctl::Piece;

// The sixteen permission flags, in the order of the user table.
extern const std::vector<std::string> kAllFlags;

class MainWindowTest : public vt::test::ProgramTest {
protected:
  MDIForm1& main() { return ui::Default<MDIForm1>(); }
  ctl::RibbonBar& ribbon() { return main().RibbonBar1.bar(); }

  // Adds a user whose listed flags are set (the others are off).
  void addUser(const std::string& name, const std::vector<std::string>& flags);
  // Opens the main window for the user, as a successful login does.
  void openAs(const std::string& user);
  // Closes every window and lets go of the connection, ready to open again.
  void closeAll();

  // A piece the user sees: visible and within the ribbon's height (the
  // templates of the button pieces lie below it).
  bool shown(const ctl::RibbonElementInfo& e) { return e.exists && e.visible && e.top < ribbon().HeightTwips(); }
  // Shown pieces of the ribbon: tab captions and button captions, in order.
  std::vector<std::string> shownTabs();
  std::vector<std::string> shownButtons();
  // Centre of a piece in the ribbon window's pixels.
  POINT centre(Piece p, int index);
  // A real click (mouse messages) at a point of the ribbon window.
  void clickRibbon(POINT pt);
  void hoverRibbon(POINT pt);
  // Clicks the shown tab with the caption; false when there is none.
  bool selectTab(const std::string& caption);
  // Selects the tab with the caption and clicks the button with the ID on it.
  void clickButton(const std::string& tabCaption, const std::string& id);

  // A query run on the program's own connection (what the program sees).
  std::string programScalar(const std::string& sql);
};

}  // namespace mainwin
