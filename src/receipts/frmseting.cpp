#include "receipts/frmseting.h"

#include <algorithm>
#include <cmath>

#include "core/dialog_layout.h"
#include "core/module1.h"
#include "platform/db/recordset.h"
#include "platform/ui/app.h"
#include "platform/ui/seams.h"
#include "platform/vb/date.h"
#include "platform/vb/format.h"
#include "receipts/report_runs.h"

using Module1::abaikanError;
using Module1::koneksi;
using layout::lineHeightPx;
using layout::px;
using layout::py;

namespace {
const char* const kTemplates[] = {"Kwitansi 1 Portrait", "Kwitansi 2 Portrait", "Kwitansi 3 Landscape"};
// The name box's design text, shown while no settings row is stored.
const char kLembagaAwal[] = "Text1";

// The key of the row shown, written into the statement as a plain number.
std::string plainNumber(const std::string& text) {
  double v = vb::Val(text);
  if (v == std::floor(v) && std::fabs(v) < 1e15) return std::to_string(static_cast<long long>(v));
  return vb::Format(vb::Variant(v), "0.###############");
}
}  // namespace

FrmSeting::FrmSeting() {
  BOpen.Click = [this] { BOpen_Click(); };
  BSimpan.Click = [this] { BSimpan_Click(); };
  Button1.Click = [this] { Button1_Click(); };
  Btutup.Click = [this] { Btutup_Click(); };
  TextFormat.Change = [this] { TextFormat_Change(); };
}

void FrmSeting::Design() {
  Caption("Form Pengaturan");
  BorderStyle(ui::vbFixedDialog);
  StartUpPosition(ui::vbStartUpOwner);
  font_.name = "Trebuchet MS";
  font_.size = 9;

  const int lineH = lineHeightPx(font_);
  const int boxH = lineH + 8, memoH = 3 * lineH + 10;
  const int margin = 12, pad = 14, gap = 8;
  const int labelW = 150, boxW = 260;
  const int boxX = pad + labelW + gap;
  const int leftW = boxX + boxW + pad;

  // The settings, one labelled row each, labels centred on the first line of their box.
  int y = pad;
  Frame1.Create(*this, px(margin), py(margin), px(leftW), py(100));
  // The label of the box just placed at y; then y moves below the box.
  auto row = [&](ui::Label& label, const char* caption, int height) {
    label.Create(Frame1, px(pad), py(y + (boxH - lineH) / 2), px(labelW), py(lineH), caption);
    y += height + gap;
  };
  TextLembaga.Create(Frame1, px(boxX), py(y), px(boxW), py(boxH));
  row(Label1, "Nama Instansi", boxH);
  TextAlamat.Create(Frame1, px(boxX), py(y), px(boxW), py(memoH), true, true);
  row(Label2, "Alamat, Tlpn, Website", memoH);
  TextKota.Create(Frame1, px(boxX), py(y), px(boxW), py(boxH));
  row(Label3, "Kota", boxH);
  TextNama.Create(Frame1, px(boxX), py(y), px(boxW), py(boxH));
  row(Label4, "Penanggung Jawab", boxH);
  TextJabatan.Create(Frame1, px(boxX), py(y), px(boxW), py(boxH));
  row(Label5, "Jabatan", boxH);
  TextCatatan.Create(Frame1, px(boxX), py(y), px(boxW), py(memoH), true, true);
  row(Label6, "Templete Catatan", memoH);

  // The prefix and, beside it, the number it makes this month.
  const int halfW = (boxW - gap) / 2;
  TextFormat.Create(Frame1, px(boxX), py(y), px(halfW), py(boxH));
  TextTgl.Create(Frame1, px(boxX + halfW + gap), py(y), px(boxW - halfW - gap), py(boxH));
  TextTgl.Locked(true);
  TextTgl.TabStop(false);
  TextTgl.BackColor(ui::vbButtonFace);
  const int rowTop = y;
  row(Label7, "Format No Kwitansi", boxH);
  Label9.Create(Frame1, px(boxX + halfW + gap), py(rowTop + boxH + 2), px(boxW - halfW - gap), py(lineH),
                "(No/MM/YYYY)");
  y = rowTop + boxH + 2 + lineH + gap;

  cmbKwitansi.Create(Frame1, px(boxX), py(y), px(boxW), ui::vbComboDropdownList);
  const int comboH = ui::TwipsToPixelsY(cmbKwitansi.Height());
  Label8.Create(Frame1, px(pad), py(y + (comboH - lineH) / 2), px(labelW), py(lineH), "Pilih Templete Kwitansi");
  y += comboH + pad;
  const int frame1H = y;
  Frame1.Height(py(frame1H));

  TextId.Create(Frame1, px(pad), py(pad), px(60), py(boxH));
  TextId.Visible(false);
  TextId.TabStop(false);

  // Right column: the logo in its frame with its button, then the commands.
  const int rightX = margin + leftW + margin, rightW = 176;
  const int btnW = rightW - 2 * pad, btnH = 28;
  const int logoTop = lineH + 4, logoH = 132;
  const int frame3H = logoTop + logoH + gap + btnH + pad;
  Frame3.Create(*this, px(rightX), py(margin), px(rightW), py(frame3H), "Logo");
  logoArea_ = {px(pad), py(logoTop), px(rightW - pad), py(logoTop + logoH)};
  Image1.Create(Frame3, logoArea_.left, logoArea_.top, logoArea_.right - logoArea_.left,
                logoArea_.bottom - logoArea_.top);
  Image1.Stretch(true);
  BOpen.Create(Frame3, px(pad), py(logoTop + logoH + gap), px(btnW), py(btnH), "Open");
  const int frame2Y = margin + frame3H + gap;
  const int frame2H = margin + frame1H - frame2Y;
  Frame2.Create(*this, px(rightX), py(frame2Y), px(rightW), py(frame2H), "Proses");
  const int firstBtnY = frame2H - pad - 3 * btnH - 2 * gap;
  BSimpan.Create(Frame2, px(pad), py(firstBtnY), px(btnW), py(btnH), "Simpan");
  Button1.Create(Frame2, px(pad), py(firstBtnY + btnH + gap), px(btnW), py(btnH), "Preview");
  Btutup.Create(Frame2, px(pad), py(firstBtnY + 2 * (btnH + gap)), px(btnW), py(btnH), "Tutup");

  ClientSize(px(rightX + rightW + margin), py(margin + frame1H + margin));

  // The design texts, shown until a settings row is loaded.
  TextLembaga.Text(kLembagaAwal);
  TextAlamat.Text("Text2");
  TextKota.Text("Text3");
  TextNama.Text("Text4");
  TextJabatan.Text("Text5");
  TextCatatan.Text("Text6");
  TextFormat.Text("Text1");
  TextTgl.Text("Text2");
  TextId.Text("0");
}

void FrmSeting::Form_Load() {
  abaikanError([&] {
    for (const char* item : kTemplates) cmbKwitansi.AddItem(item);
  });
  abaikanError([&] { cmbKwitansi.ListIndex(0); });

  db::Recordset rs;
  bool open = false;
  abaikanError([&] {
    rs.setCursorLocation(db::adUseClient);
    rs.open("select * from tblset", koneksi);
    open = true;
  });
  if (open && !rs.eof()) {
    // Each box on its own: an empty column leaves that box as it was.
    auto put = [&](ui::TextBox& box, const char* column) {
      abaikanError([&] { box.Text(rs[column].toString()); });
    };
    put(TextLembaga, "namalembaga");
    put(TextAlamat, "alamat");
    put(TextKota, "tempatcetak");
    put(TextNama, "pemilik");
    put(TextJabatan, "jabatan");
    put(TextCatatan, "Catatan");
    put(TextFormat, "Nokw");
    abaikanError([&] { cmbKwitansi.Text(rs["templete"].toString()); });
    put(TextId, "noset");
  }
  abaikanError([&] { rs.close(); });
  abaikanError([&] { tampilkanLogo(img::Picture::load(ui::App::get().Path() + "\\images\\logo.jpg")); });
}

std::string FrmSeting::namaLembaga() {
  FrmSeting& shown = ui::Default<FrmSeting>();
  if (shown.Loaded() || shown.loading()) return shown.TextLembaga.Text();
  std::string name = kLembagaAwal;
  abaikanError([&] {
    db::Recordset rs;
    rs.open("select * from tblset", koneksi);
    if (!rs.eof()) abaikanError([&] { name = rs["namalembaga"].toString(); });
    rs.close();
  });
  return name;
}

void FrmSeting::muatUlang() {
  FrmSeting& settings = ui::Default<FrmSeting>();
  if (!settings.Loaded()) return;
  settings.Unload();
  settings.Load();
}

void FrmSeting::tampilkanLogo(const img::Picture& picture) {
  const int areaW = logoArea_.right - logoArea_.left, areaH = logoArea_.bottom - logoArea_.top;
  int w = areaW, h = areaH;
  if (!picture.empty() && picture.width() > 0 && picture.height() > 0) {
    const double scale = std::min(static_cast<double>(areaW) / picture.width(),
                                  static_cast<double>(areaH) / picture.height());
    w = std::max(1, static_cast<int>(picture.width() * scale));
    h = std::max(1, static_cast<int>(picture.height() * scale));
  }
  Image1.Move(logoArea_.left + (areaW - w) / 2, logoArea_.top + (areaH - h) / 2, w, h);
  Image1.Picture(picture);
}

void FrmSeting::TextFormat_Change() {
  TextTgl.Text(TextFormat.Text() + "001/" + vb::Format(vb::Variant(vb::now()), "mm/yyyy"));
}

void FrmSeting::BOpen_Click() {
  try {
    ui::FileDialogRequest req;
    req.owner = hwnd();
    req.filter = "Pictures (*.jpeg;*.jpg;*.png;*.gif)|*.jpeg;*.jpg;*.png;*.gif";
    if (!ui::seams().fileDialog || !ui::seams().fileDialog(req)) return;
    // Shown only; the file is written by the save.
    tampilkanLogo(img::Picture::load(req.fileName));
    Image1.Stretch(true);
  } catch (const ui::ProgramEnded&) {
    throw;
  } catch (...) {
    // Cancel or an unreadable picture: the shown logo stays.
  }
}

void FrmSeting::BSimpan_Click() {
  try {
    db::Recordset rs;
    rs.setCursorLocation(db::adUseClient);
    rs.open("select * from tblset where noset = " + plainNumber(TextId.Text()), koneksi, db::adOpenDynamic,
            db::adLockOptimistic);
    const bool adding = rs.eof();
    if (adding) rs.addNew();
    rs.field("namalembaga").setValue(TextLembaga.Text());
    rs.field("alamat").setValue(TextAlamat.Text());
    rs.field("tempatcetak").setValue(TextKota.Text());
    rs.field("pemilik").setValue(TextNama.Text());
    rs.field("jabatan").setValue(TextJabatan.Text());
    rs.field("Catatan").setValue(TextCatatan.Text());
    rs.field("NoKw").setValue(TextFormat.Text());
    rs.field("templete").setValue(cmbKwitansi.Text());
    rs.update();
    // The new row's key, so that the next save changes this row instead of
    // adding another.
    if (adding) TextId.Text(rs["noset"].toString());
    rs.close();

    // No logo shown, nothing to write: the file stays as it is.
    const img::Picture logo = Image1.Picture();
    if (!logo.empty()) logo.saveJpeg(ui::App::get().Path() + "\\images\\logo.jpg");

    ui::MsgBox("Data Berhasil Disimpan", ui::vbInformation, std::string("TALVOREN"));
  } catch (const ui::ProgramEnded&) {
    throw;
  } catch (...) {
    // The save ends quietly; what was written stays written.
  }
}

void FrmSeting::Button1_Click() {
  runReceiptReport("SELECT tblkuitansitemp.*, Format(tgl, 'dd mmmm yyyy') AS tgl_string from tblkuitansitemp",
                   receiptTemplate(cmbKwitansi.ListIndex()));
}

void FrmSeting::Btutup_Click() { Unload(); }
