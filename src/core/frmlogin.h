#pragma once
// The login dialog: the first window of the program. Its load does the whole
// start-up (database, elevated restart, schema upgrade, titles); its buttons
// check a user name and password against Tuser and open the main window.
#include <string>

#include "core/dialog_button.h"
#include "platform/ui/form.h"
#include "platform/ui/frame.h"
#include "platform/ui/label.h"
#include "platform/ui/line.h"
#include "platform/ui/picturebox.h"
#include "platform/ui/textbox.h"

class Frmlogin : public ui::Form {
public:
  Frmlogin();

  ui::Frame Frame1{this}, Frame2{this};
  ui::Image Image1{this};
  ui::Label Label2{this};
  ui::Label Label7[2]{ui::Label(this), ui::Label(this)};
  ui::TextBox Txtkodeuser{this}, Txtpassword{this};
  Button Command1{this}, Command2{this};
  ui::Line Line1{this};

  // The Tuser key of the user who logged in, 0 before a login: the users
  // dialog keeps that user whatever name it is given meanwhile.
  long long nomorLogin = 0;
  // The logged-in user's name as Tuser holds it now (after a rename too); ""
  // before a login or when the row is gone.
  std::string namaLogin();
  // After Tuser was replaced (a restore): the logged-in user is the row of
  // that name there; without one, no row of the new table is that user.
  void cariLoginLagi(const std::string& nama);

  void Form_Load() override;
  void Form_QueryUnload(int& cancel, int unloadMode) override;

  void Command1_Click();
  void Command2_Click();
  void Txtkodeuser_KeyPress(int& keyAscii);
  void Txtpassword_KeyPress(int& keyAscii);

  // The schema upgrade of the start-up; a restore runs it too, so that a copy
  // made before an upgrade works at once.
  static void TambahKolom();

protected:
  void Design() override;
};
