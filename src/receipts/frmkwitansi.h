#pragma once
// The receipt entry: one receipt written, saved into tblkwitansi (as a new
// receipt, or over the stored one of the same number after a question) and
// printed. It proposes the number, spells the amount out in words and takes
// its defaults and the number prefix from the settings object. The register
// fills its boxes through the default instance to edit a stored receipt.
#include <functional>

#include "core/dialog_button.h"
#include "platform/ui/combobox.h"
#include "platform/ui/datepicker.h"
#include "platform/ui/form.h"
#include "platform/ui/frame.h"
#include "platform/ui/label.h"
#include "platform/ui/picturebox.h"
#include "platform/ui/textbox.h"

class FrmKwitansi : public ui::Form {
public:
  FrmKwitansi();

  // Opens the customer picker over the dialog (it writes the chosen name into
  // Text3). Set by the program's wiring; empty, the pick button does nothing.
  static std::function<void(FrmKwitansi&)> PilihCustomer;

  ui::Image Image1{this};
  ui::Label Label1{this}, Label2{this}, Label3{this}, Label4{this}, Label5{this}, Label6{this},
      Label7{this}, Label8{this}, Label9{this}, Label10{this};
  ui::Frame Frame1{this}, Frame2{this};
  ui::TextBox Text1{this}, Text3{this}, Text4{this}, Text5{this}, Text6{this}, Text7{this}, Text8{this},
      Text9{this};
  ui::ComboBox Combo1{this};
  ui::DatePicker TglDiterima{this};
  Button Button1{this}, BSimpan{this}, BTambah{this}, BCetak{this}, BTutup{this};

  void Form_Load() override;

  // Clears the entry for a new receipt and proposes its number.
  void bersih();
  // Writes the proposed number into Text1.
  void buatNomer();
  // Shows a stored receipt's currency; one the list lacks is added to it, so
  // that the receipt keeps it when saved again.
  void tampilMataUang(const std::string& mataUang);
  // Shows a stored amount in the amount box, grouped as the settings in force
  // group it: its digits are its value, whichever PC grouped it.
  void tampilJumlah(const std::string& tersimpan);

  // The stored number (NoKwitansi) of the receipt the register filled in:
  // saving and printing key on it, not on the end of Text1, which shows the
  // stored prefix before it. Empty for a new receipt.
  std::string nomorTersimpan;
  // The key (`no`) of the receipt this dialog saved last since it was loaded,
  // new or updated: the register selects that row when it lists again. Empty
  // when nothing was saved.
  std::string noDisimpan;

  void BSimpan_Click();
  void BTambah_Click();
  void Button1_Click();
  void BCetak_Click();
  void BTutup_Click();
  void Text4_Change();
  void Combo1_Click();
  void Text1_KeyPress(int& keyAscii);
  void Text3_KeyPress(int& keyAscii);
  void Combo1_KeyPress(int& keyAscii);
  void Text4_KeyPress(int& keyAscii);
  void Text5_KeyPress(int& keyAscii);
  void Text6_KeyPress(int& keyAscii);

protected:
  void Design() override;

private:
  void designBanner();
  int designPayment(int lineH, int y);
  int designWords(int lineH, int y);
  int designDetails(int lineH, int y);
  int designCommands(int lineH, int top);
  void designTabOrder();

  // Frame1 enabled (editing) or disabled (a stored receipt, until Tambah).
  void kunciEntri(bool bisaDiubah);
  // The reformat of the amount and its words, for a new amount or currency.
  void perbaruiJumlah();
  // The amount of Text4 without its grouping, read as a number.
  double nilaiJumlah();
  // The word after the amount in words, for the currency chosen.
  std::string kataMataUang();
  // A save needs a payer and an amount from 1 to 10^15 - 1: false (after
  // saying which box and moving the focus there) when one is missing.
  bool isianLengkap();
  // The current number prefix of the settings.
  std::string awalan();
  // The receipt's key: the stored number of a receipt being edited; for a
  // new one what follows the prefix in Text1, which must start with it, letter
  // case included, and go on for 1 to 11 characters, so that the prefix and
  // the key print as typed. Empty, after saying so and moving the focus to
  // Text1, for a number that cannot be stored so.
  std::string kunci(const std::string& prefix);
  // The stored number (NoKwitansi) of the receipt Cetak prints: the receipt
  // being edited, or else the stored one whose prefix and number read as the
  // number box does, under whatever prefix it was stored. Of two that read
  // alike, the one under the current prefix, which is the one a save stores.
  // Empty when none is stored so.
  std::string kunciCetak();

  // The amount box's last whole amount, which a refused entry leaves it with.
  std::string jumlahTerakhir_;
};
