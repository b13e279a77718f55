#pragma once
// Users and permissions: the list of Tuser and the boxes of the user being
// edited (name, password, level and the fifteen permission flags that decide
// which ribbon tabs and buttons the main window builds at that user's next
// login; core/permissions.h ties each box to its column). The boxes are the
// edited record; TextId holds its key, 0 for a new user.
#include "core/dialog_button.h"
#include "platform/ui/checkbox.h"
#include "platform/ui/form.h"
#include "platform/ui/frame.h"
#include "platform/ui/label.h"
#include "platform/ui/line.h"
#include "platform/ui/listview.h"
#include "platform/ui/textbox.h"

class frmotoritas : public ui::Form {
public:
  frmotoritas();

  ui::Label Label2{this}, Label7{this};
  ui::Line Line1{this};
  ui::ListView Lv1{this};

  ui::Frame Frame2{this};
  ui::Label Label1{this}, Label3{this}, Label4{this};
  ui::TextBox TextId{this}, Text1{this}, Text2{this}, TextLevel{this};
  // Each master ticks or clears its group.
  ui::CheckBox Checkmaster{this}, Check1{this}, Check2{this}, Check3{this}, Check4{this};
  ui::CheckBox Checknasabah{this}, Check5{this}, Check6{this}, Check7{this}, Check8{this}, Check9{this},
      Check10{this};
  ui::CheckBox Checkpengaturan{this}, Check11{this}, Check13{this};

  ui::Frame Frame1{this};
  Button Command1{this}, Command2{this}, Command3{this}, Command4{this};

  void Form_Load() override;

  void Lv1_Click();
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Command4_Click();
  void Checkmaster_Click();
  void Checknasabah_Click();
  void Checkpengaturan_Click();
  void Text1_Change();
  void Text1_LostFocus();

protected:
  void Design() override;

private:
  // The parts of the layout, in the order their controls are made; sizes in
  // pixels.
  int designHeading(int lineH);
  int designUser(int lineH);
  int designPermissions(int lineH, int top);
  int designCommands(int lineH);
  int designList(int top, int height);
  void designTabOrder();

  // Refills the list from a query: running number, name, an empty password
  // column and the hidden key.
  void isiDaftar(const std::string& sql);
  void dataLv1();
  // A master's click: the boxes of its tab's buttons follow it.
  void ikutiMaster(ui::CheckBox frmotoritas::*master);
  void setMasters(int value);
};
