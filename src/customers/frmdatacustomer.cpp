#include "customers/frmdatacustomer.h"

#include "core/dialog_layout.h"
#include "customers/frmcustomer.h"
#include "receipts/frmkwitansi.h"

using layout::lineHeightPx;
using layout::px;
using layout::py;

FrmDataCustomer::FrmDataCustomer() : CustomerListForm(customerListByID("Perusahaan")) {
  Button1.Click = [this] { Button1_Click(); };
  Button2.Click = [this] { Button2_Click(); };
  Lv1.DblClick = [this] { Lv1_DblClick(); };
}

void FrmDataCustomer::Design() {
  Caption("Data Customer");
  BorderStyle(ui::vbFixedDialog);
  StartUpPosition(ui::vbStartUpOwner);
  font_.name = "Trebuchet MS";
  font_.size = 9;

  const int lineH = lineHeightPx(font_);
  const int margin = 12, pad = 12, gap = 8;
  const int frameW = 660, listH = 300;
  const int btnW = 88, btnH = 28;
  const int frameH = lineH + 6 + listH + pad / 2;

  Frame1.Create(*this, px(margin), py(margin), px(frameW), py(frameH), "Data Customer");
  designList(Frame1, px(pad), py(lineH + 6), px(frameW - 2 * pad), py(listH), "Cari");
  const int btnY = margin + frameH + gap;
  Button1.Create(*this, px(margin), py(btnY), px(btnW), py(btnH), "Tambah");
  Button2.Create(*this, px(margin + frameW - btnW), py(btnY), px(btnW), py(btnH), "Tutup");

  ClientSize(px(margin + frameW + margin), py(btnY + btnH + margin));
}

void FrmDataCustomer::Form_Load() {
  bukadata();
  bersih();
}

void FrmDataCustomer::Button1_Click() {
  // A customer added there shows here after "Refrash".
  ui::Default<FrmCustomer>().ShowModal(this);
}

void FrmDataCustomer::Button2_Click() { Unload(); }

// The double-clicked row is the selected one; without one (an empty list)
// the picker stays open.
void FrmDataCustomer::Lv1_DblClick() {
  const ui::ListItem* chosen = Lv1.SelectedItem();
  if (!chosen) return;
  ui::Default<FrmKwitansi>().Text3.Text(chosen->SubItems(2));
  Unload();
}
