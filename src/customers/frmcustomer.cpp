#include "customers/frmcustomer.h"

#include "core/dialog_layout.h"
#include "core/module1.h"
#include "platform/db/recordset.h"
#include "platform/ui/app.h"
#include "platform/ui/seams.h"
#include "platform/vb/text.h"

using Module1::abaikanError;
using Module1::koneksi;
using layout::lineHeightPx;
using layout::px;
using layout::py;

std::string nextCustomerID(const std::string* largestSerial) {
  std::string code = "00001";
  if (largestSerial) {
    // The serial read as a number and written again (00999 gives 999); its
    // last five digits plus one, padded to five: 99999 wraps to 00000.
    const std::string serial = vb::Right(vb::Variant(vb::Val(*largestSerial)).toString(), 5);
    code = vb::Right("0000" + vb::Variant(vb::Val(serial) + 1).toString(), 5);
  }
  return "CUST" + code;
}

FrmCustomer::FrmCustomer() : CustomerListForm(customerListByID("Keterangan")) {
  Button1.Click = [this] { Button1_Click(); };
  Button2.Click = [this] { Button2_Click(); };
  Button3.Click = [this] { Button3_Click(); };
  Button4.Click = [this] { Button4_Click(); };
  Lv1.Click = [this] { Lv1_Click(); };

  // Enter moves on through the boxes and ends on "Simpan" without saving.
  const std::pair<ui::TextBox*, ui::Control*> chain[] = {
      {&TextCustomer, &TextNama},  {&TextNama, &TextAlamat},       {&TextAlamat, &TextTelpn},
      {&TextTelpn, &TextEmail},    {&TextEmail, &TextPerusahaan}, {&TextPerusahaan, &Button2}};
  for (const auto& link : chain) {
    ui::Control* next = link.second;
    link.first->KeyPress = [next](int& keyAscii) {
      if (keyAscii == 13) next->SetFocus();
    };
  }
}

void FrmCustomer::Design() {
  Caption("Form Customer");
  BorderStyle(ui::vbFixedDialog);
  StartUpPosition(ui::vbStartUpOwner);
  font_.name = "Trebuchet MS";
  font_.size = 9;

  const int lineH = lineHeightPx(font_), boxH = lineH + 8;
  const int margin = 12, pad = 14, gap = 8;
  const int labelW = 104, boxW = 270;
  const int boxX = pad + labelW + gap;
  const int leftW = boxX + boxW + pad;

  // Left: the six boxes, one labelled row each.
  const int frame1Y = margin;
  const int frame1H = lineH + 4 + 6 * (boxH + gap) + pad - gap + 4;
  Frame1.Create(*this, px(margin), py(frame1Y), px(leftW), py(frame1H), "Detail Customer");
  struct Row {
    ui::Label* label;
    const char* caption;
    ui::TextBox* box;
  };
  const Row rows[] = {{&Label1, "ID. Customer", &TextCustomer}, {&Label2, "Nama Lengkap", &TextNama},
                      {&Label3, "Alamat", &TextAlamat},          {&Label4, "No. Telp", &TextTelpn},
                      {&Label5, "Alamat Email", &TextEmail},     {&Label6, "Keterangan", &TextPerusahaan}};
  int y = lineH + 8;
  const int idW = 96;
  for (const Row& r : rows) {
    r.box->Create(Frame1, px(boxX), py(y), px(r.box == &TextCustomer ? idW : boxW), py(boxH));
    r.label->Create(Frame1, px(pad), py(y + (boxH - lineH) / 2), px(labelW), py(lineH), r.caption);
    y += boxH + gap;
  }
  TextCustomer.Locked(true);
  TextCustomer.BackColor(ui::vbButtonFace);
  Label8.Create(Frame1, px(boxX + idW + gap), py(lineH + 8 + (boxH - lineH) / 2), px(boxW - idW - gap), py(lineH),
                "Auto Generate By System");
  Label8.ForeColor(RGB(0, 0, 192));
  Label8.AutoSize(true);

  // Under it: the commands.
  const int btnW = (leftW - 2 * pad - 3 * gap) / 4, btnH = 30;
  const int frame2Y = frame1Y + frame1H + gap;
  const int frame2H = lineH + 4 + btnH + pad;
  Frame2.Create(*this, px(margin), py(frame2Y), px(leftW), py(frame2H), "Proses");
  Button* buttons[] = {&Button1, &Button2, &Button3, &Button4};
  const char* captions[] = {"Tambah", "Simpan", "Hapus", "Tutup"};
  for (int i = 0; i < 4; ++i)
    buttons[i]->Create(Frame2, px(pad + i * (btnW + gap)), py(lineH + 4), px(btnW), py(btnH), captions[i]);

  // Right: the register.
  const int rightX = margin + leftW + margin, rightW = 640;
  const int height = frame2Y + frame2H - margin;
  Frame3.Create(*this, px(rightX), py(margin), px(rightW), py(height), "Data Customer");
  designList(Frame3, px(pad), py(lineH + 6), px(rightW - 2 * pad), py(height - lineH - 6 - pad / 2), "");

  ClientSize(px(rightX + rightW + margin), py(margin + height + margin));
}

void FrmCustomer::Form_Load() {
  bukadata();
  bersih();
}

void FrmCustomer::bersih() {
  idDimuat.clear();
  for (ui::TextBox* box : {&TextCustomer, &TextNama, &TextAlamat, &TextTelpn, &TextEmail, &TextPerusahaan})
    box->Text("");
  buatNomer();
}

void FrmCustomer::buatNomer() {
  // A lookup that fails proposes nothing: the empty box then stops the save.
  abaikanError([&] {
    db::Recordset rs;
    rs.open("SELECT right(nocustomer,5) AS NOurut FROM TBLcustomer ORDER BY right(nocustomer,5) desc", koneksi,
            db::adOpenForwardOnly, db::adLockReadOnly);
    std::string largest;
    const bool found = !rs.eof();
    if (found) largest = columnText(rs["nourut"]);
    rs.close();
    TextCustomer.Text(nextCustomerID(found ? &largest : nullptr));
  });
}

void FrmCustomer::Button1_Click() {
  bersih();
  TextCustomer.SetFocus();
}

void FrmCustomer::Button2_Click() {
  if (TextCustomer.Text().empty()) {
    ui::MsgBox("ID Customer harus di isi", ui::vbExclamation | ui::vbOKOnly, std::string("Talvoren"));
    TextCustomer.SetFocus();
    return;
  }
  if (TextNama.Text().empty()) {
    ui::MsgBox("Nama Customer harus di isi", ui::vbExclamation | ui::vbOKOnly, std::string("Talvoren"));
    TextNama.SetFocus();
    return;
  }
  // A refused lookup, insert or update is said with the database's own text;
  // nothing is reported as saved that was not.
  try {
    db::Recordset rs;
    rs.setCursorLocation(db::adUseClient);
    rs.setCursorType(db::adOpenDynamic);
    rs.setLockType(db::adLockOptimistic);
    rs.open("select * from tblcustomer where Nocustomer = '" + db::quote(TextCustomer.Text()) + "'", koneksi,
            db::adOpenStatic);
    auto write = [&] {
      rs.field("Nocustomer").setValue(TextCustomer.Text());
      rs.field("nama").setValue(TextNama.Text());
      rs.field("alamat").setValue(TextAlamat.Text());
      rs.field("telpn").setValue(TextTelpn.Text());
      rs.field("email").setValue(TextEmail.Text());
      rs.field("perusahaan").setValue(TextPerusahaan.Text());
      rs.update();
      rs.close();
    };
    if (!rs.eof()) {
      // A stored ID that is not the customer loaded from the list is someone
      // else's (another window saved the proposal first): Enter keeps it.
      const int tombol = TextCustomer.Text() == idDimuat ? 0 : ui::vbDefaultButton2;
      if (ui::MsgBox("Nomer Customer Sudah ada dalam Sistem, apakah ingin di Update?", ui::vbYesNo | tombol,
                     std::string("Talvoren")) != ui::vbYes)
        return;
      write();
      ui::MsgBox("Data Berhasil Di Update", ui::vbInformation, std::string("talvoren"));
      // The list shows the change at once; a failure there leaves it as it was.
      abaikanError([&] { tampilkanTersimpan(TextCustomer.Text()); });
    } else {
      rs.addNew();
      write();
      ui::MsgBox("Data Berhasil Disimpan", ui::vbInformation, std::string("TALVOREN"));
      bukadata();
    }
  } catch (const ui::ProgramEnded&) {
    throw;
  } catch (const std::exception& e) {
    ui::MsgBoxError(e);
  }
}

void FrmCustomer::Button3_Click() {
  const std::string id = TextCustomer.Text();
  if (id.empty()) return;
  if (ui::MsgBox("Apakah Anda Yakin Menghapus Data customer dengan ID " + id + " ? ", ui::vbYesNo,
                 std::string("Konfirmasi")) == ui::vbYes) {
    // A refused delete is said with its text and leaves the boxes as they are.
    try {
      koneksi->execute("DELETE * FROM tblcustomer WHERE nocustomer ='" + db::quote(id) + "'");
      ui::MsgBox("Telah dihapus", ui::vbInformation, std::string("Hapus"));
      bersih();
    } catch (const ui::ProgramEnded&) {
      throw;
    } catch (const std::exception& e) {
      ui::MsgBoxError(e);
    }
  }
  bukadata();
}

void FrmCustomer::Button4_Click() { Unload(); }

void FrmCustomer::Lv1_Click() {
  abaikanError([&] {
    if (Lv1.ListItems.Count() == 0) return;
    const ui::ListItem* selected = Lv1.SelectedItem();
    if (!selected) return;
    db::Recordset rs;
    rs.open("Select * From tblcustomer where nocustomer ='" + db::quote(selected->SubItems(1)) + "'", koneksi);
    if (!rs.eof()) {
      ui::TextBox* boxes[] = {&TextCustomer, &TextNama, &TextAlamat, &TextTelpn, &TextEmail, &TextPerusahaan};
      for (int i = 0; i < 6; ++i) boxes[i]->Text(columnText(rs.field(i + 1).value()));
      idDimuat = TextCustomer.Text();
    }
    rs.close();
  });
}
