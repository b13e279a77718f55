#include "core/frmlogin.h"

#include "core/dialog_layout.h"
#include "core/hooks.h"
#include "core/mdiform1.h"
#include "core/module1.h"
#include "platform/db/recordset.h"
#include "platform/ui/app.h"
#include "platform/ui/seams.h"
#include "platform/vb/error.h"
#include "platform/vb/text.h"

using Module1::abaikanError;
using Module1::koneksi;
using layout::lineHeightPx;
using layout::px;
using layout::py;

namespace {
// The dialog's picture, compiled into the program; empty when it is missing.
img::Picture loginPicture() {
  ui::OwnedBitmap bmp(static_cast<HBITMAP>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(101), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!bmp) return {};
  return img::Picture::fromHBITMAP(bmp);
}
}  // namespace

Frmlogin::Frmlogin() {
  Command1.Click = [this] { Command1_Click(); };
  Command2.Click = [this] { Command2_Click(); };
  Txtkodeuser.KeyPress = [this](int& k) { Txtkodeuser_KeyPress(k); };
  Txtpassword.KeyPress = [this](int& k) { Txtpassword_KeyPress(k); };
}

void Frmlogin::Design() {
  Caption("Login");
  BorderStyle(ui::vbFixedDialog);
  StartUpPosition(ui::vbStartUpScreen);
  font_.name = "Trebuchet MS";
  font_.size = 9;

  const int lineH = lineHeightPx(font_), boxH = lineH + 8;
  const int width = 392, margin = 12;
  const int innerW = width - 2 * margin;

  // Heading: the picture and the title beside it, a rule under both.
  Image1.Create(*this, px(margin + 4), py(10), px(56), py(56));
  Image1.Stretch(true);
  Image1.Picture(loginPicture());
  ui::FontSpec heading = font_;
  heading.size = 15;
  heading.bold = true;
  const int headingH = lineHeightPx(heading);
  Label2.Create(*this, px(margin + 72), py(38 - headingH / 2), px(innerW - 72), py(headingH), "Login Aplikasi");
  Label2.FontSize(heading.size);
  Label2.FontBold(true);
  Line1.Create(*this, px(margin), py(74), px(width - margin), py(74));
  Line1.BorderColor(ui::SysColor(COLOR_BTNSHADOW));

  // The two labelled boxes, labels centred on their boxes.
  const int rowGap = 12, pad = 16, labelW = 86;
  const int frame1H = pad + boxH + rowGap + boxH + pad;
  Frame1.Create(*this, px(margin), py(84), px(innerW), py(frame1H));
  const int boxX = pad + labelW + 8, boxW = innerW - boxX - pad;
  const char* captions[2] = {"Username :", "Password :"};
  ui::TextBox* boxes[2] = {&Txtkodeuser, &Txtpassword};
  for (int i = 0; i < 2; ++i) {
    const int rowY = pad + i * (boxH + rowGap);
    Label7[i].Create(Frame1, px(pad), py(rowY + (boxH - lineH) / 2), px(labelW), py(lineH), captions[i]);
    boxes[i]->Create(Frame1, px(boxX), py(rowY), px(boxW), py(boxH));
  }
  Txtpassword.PasswordChar("*");

  // The buttons, at the right of their own frame.
  const int btnW = 88, btnH = 28, frame2H = btnH + 2 * 10;
  const int frame2Y = 84 + frame1H + 8;
  Frame2.Create(*this, px(margin), py(frame2Y), px(innerW), py(frame2H));
  Command1.Create(Frame2, px(innerW - pad - 2 * btnW - 8), py(10), px(btnW), py(btnH), "Login");
  Command2.Create(Frame2, px(innerW - pad - btnW), py(10), px(btnW), py(btnH), "Batal");

  ClientSize(px(width), py(frame2Y + frame2H + margin));
  // Typing starts in the user name; the buttons follow the boxes.
  Txtkodeuser.TabIndex(0);
  Txtpassword.TabIndex(1);
  Command1.TabIndex(2);
  Command2.TabIndex(3);
}

void Frmlogin::Form_Load() {
  nomorLogin = 0;
  Module1::bukaDatabase();

  // From here on a failing step is skipped and the start goes on.
  ui::App& app = ui::App::get();
  bool elevated = true;
  abaikanError([&] { elevated = vb::InStr(app.Command(), "/admin") > 0; });
  if (!elevated) {
    abaikanError([&] {
      ui::ShellExecuteFile(nullptr, "runas", app.Path() + "\\" + app.EXEName() + ".exe", app.Command() + "/admin",
                           "", SW_SHOWNORMAL);
    });
    // This instance ends whatever the shell did; the elevated one goes on.
    abaikanError([&] { Unload(); });
    return;
  }
  abaikanError([&] { TambahKolom(); });
  abaikanError([&] { app.Title(Module1::kJudulLogin); });
  abaikanError([&] {
    std::string lembaga;
    abaikanError([&] { lembaga = core::institutionName(); });
    Caption(app.Title() + " [ " + lembaga + " ]");
  });
}

// The schema upgrade: adds what older databases lack. A column that is
// already there makes its statement fail, which is simply skipped.
void Frmlogin::TambahKolom() {
  // The folder is quoted so that a folder name with an apostrophe is stored
  // too instead of breaking the statement.
  const std::string lokasi = "update tblset set lokasi = '" + db::quote(ui::App::get().Path()) + "'";
  const std::string statements[] = {
      "ALTER TABLE tuser ADD COLUMN level_user Text(255)",
      "ALTER TABLE tblset ADD COLUMN lokasi Text(255)",
      lokasi,
      "ALTER TABLE tblkwitansi ADD COLUMN terbilang memo",
      lokasi,
  };
  for (const std::string& sql : statements) abaikanError([&] { koneksi->execute(sql, -1); });
}

void Frmlogin::Command1_Click() {
  // A backtick in place of every apostrophe keeps the statement whole; the
  // user sees the replaced text.
  Txtkodeuser.Text(vb::Replace(Txtkodeuser.Text(), "'", "`"));
  Txtpassword.Text(vb::Replace(Txtpassword.Text(), "'", "`"));

  db::Recordset rs;
  try {
    rs.open("Select * From Tuser where kodeuser='" + db::quote(Txtkodeuser.Text()) + "' and pasword ='" +
                db::quote(Txtpassword.Text()) + "'",
            koneksi, -1, -1, -1);
  } catch (const vb::Error& e) {
    // Without an answer from the database nobody logs in; the dialog stays.
    ui::MsgBox(e.description(), ui::vbOKOnly);
    return;
  }
  if (rs.eof()) {
    ui::MsgBox(" User Name dan Password anda salah", ui::vbExclamation | ui::vbOKOnly, std::string("Login"));
    Txtkodeuser.Text("");
    Txtpassword.Text("");
    Txtkodeuser.SetFocus();
  } else {
    abaikanError([&] { nomorLogin = rs["nomor"].toLong(); });
    // The login stays loaded: the main window reads the user name from it.
    Hide();
    ui::Default<MDIForm1>().Show();
  }
  rs.close();
}

std::string Frmlogin::namaLogin() {
  if (nomorLogin == 0) return "";
  db::Recordset rs;
  rs.open("select kodeuser from Tuser where nomor = " + std::to_string(nomorLogin), koneksi);
  const std::string nama = rs.eof() ? std::string() : rs.field(0).value().toString();
  rs.close();
  return nama;
}

void Frmlogin::cariLoginLagi(const std::string& nama) {
  nomorLogin = 0;
  if (nama.empty()) return;
  db::Recordset rs;
  rs.open("select nomor from Tuser where kodeuser = '" + db::quote(nama) + "'", koneksi);
  if (!rs.eof()) nomorLogin = rs.field(0).value().toLong();
  rs.close();
}

void Frmlogin::Command2_Click() {
  Unload();
  if (koneksi) koneksi->close();
  ui::App::get().End();
}

void Frmlogin::Form_QueryUnload(int&, int) {
  abaikanError([] {
    if (koneksi) koneksi->close();
  });
  ui::App::get().End();
}

void Frmlogin::Txtkodeuser_KeyPress(int& keyAscii) {
  if (keyAscii == 13) Txtpassword.SetFocus();
}

void Frmlogin::Txtpassword_KeyPress(int& keyAscii) {
  if (keyAscii == 13) abaikanError([this] { Command1_Click(); });
}
