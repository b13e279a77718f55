#pragma once
// The institution settings: the dialog that keeps the one row of tblset and
// the logo, and at the same time the program's settings object. Other windows
// read TextFormat, cmbKwitansi, TextLembaga and TextAlamat of the default
// instance; reading them while it is not loaded loads it hidden from tblset.
#include "core/dialog_button.h"
#include "platform/ui/combobox.h"
#include "platform/ui/form.h"
#include "platform/ui/frame.h"
#include "platform/ui/label.h"
#include "platform/ui/picturebox.h"
#include "platform/ui/textbox.h"

class FrmSeting : public ui::Form {
public:
  FrmSeting();

  ui::Label Label1{this}, Label2{this}, Label3{this}, Label4{this}, Label5{this}, Label6{this},
      Label7{this}, Label8{this}, Label9{this};
  ui::TextBox TextLembaga{this}, TextAlamat{this}, TextKota{this}, TextNama{this}, TextJabatan{this},
      TextCatatan{this}, TextFormat{this}, TextTgl{this}, TextId{this};
  ui::ComboBox cmbKwitansi{this};
  ui::Frame Frame1{this}, Frame2{this}, Frame3{this};
  ui::Image Image1{this};
  Button BOpen{this}, BSimpan{this}, Button1{this}, Btutup{this};

  void Form_Load() override;

  void BOpen_Click();
  void BSimpan_Click();
  void Button1_Click();
  void Btutup_Click();
  void TextFormat_Change();

  // The institution's name as the default instance shows it. Asked for
  // before the dialog has been loaded (the login's caption), it is read from
  // tblset as the load would show it, without creating the dialog's windows.
  static std::string namaLembaga();
  // Reads tblset again into the default instance when it is loaded (after a
  // restore or a reset); unloaded, its next read loads it from tblset anyway.
  static void muatUlang();

protected:
  void Design() override;

private:
  // The parts of the layout, in the order their controls are made; sizes in
  // pixels.
  int designInstitution(int lineH);
  int designNumberFormat(int lineH, int top);
  int designTemplate(int lineH, int top);
  int designLogo(int lineH);
  void designCommands(int top, int height);

  // Shows a picture in Image1, as large as the logo frame allows without
  // changing its proportions.
  void tampilkanLogo(const img::Picture& picture);
  RECT logoArea_{};  // twips, inside Frame3
};
