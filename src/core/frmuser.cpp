#include "core/frmuser.h"

#include "core/dialog_layout.h"
#include "core/module1.h"
#include "platform/ui/seams.h"
#include "platform/vb/error.h"
#include "platform/vb/text.h"

using Module1::koneksi;
using layout::lineHeightPx;
using layout::px;
using layout::py;

void FrmUser::Design() {
  Caption("Create Pasword");
  BorderStyle(ui::vbFixedDialog);
  StartUpPosition(ui::vbStartUpOwner);
  font_.name = "Trebuchet MS";
  font_.size = 9;

  const int lineH = lineHeightPx(font_), boxH = lineH + 8;
  const int width = 300, margin = 14, boxW = width - 2 * margin;
  int y = margin;
  Label1.Create(*this, px(margin), py(y), px(boxW), py(lineH), "Tuliskan Pasword anda");
  y += lineH + 4;
  Text1.Create(*this, px(margin), py(y), px(boxW), py(boxH));
  y += boxH + 12;
  Label2.Create(*this, px(margin), py(y), px(boxW), py(lineH), "Tuliskan Pasword Lagi");
  y += lineH + 4;
  Text2.Create(*this, px(margin), py(y), px(boxW), py(boxH));
  y += boxH + margin;
  Text1.PasswordChar("*");
  Text2.PasswordChar("*");
  Text1.TabIndex(0);
  Text2.TabIndex(1);
  ClientSize(px(width), py(y));
}

void FrmUser::simpanPasword() {
  if (Text1.Text().empty()) {
    ui::MsgBox("Silakan isikan pasword anda", ui::vbOKOnly);
    Text1.SetFocus();
    return;
  }
  // Backticks in place of apostrophes, as the login treats what is typed.
  Text1.Text(vb::Replace(Text1.Text(), "'", "`"));
  Text2.Text(vb::Replace(Text2.Text(), "'", "`"));
  if (Text1.Text() != Text2.Text()) {
    ui::MsgBox("Pasword tidak sama", ui::vbExclamation | ui::vbOKOnly, std::string("talvoren"));
    Text1.Text("");
    Text2.Text("");
    Text1.SetFocus();
    return;
  }
  try {
    const std::string pasw = db::quote(Text1.Text());
    // An empty table gets its row, so that the password is really kept.
    if (koneksi->execute("UPDATE [tbladmin] Set [pasw]='" + pasw + "'", -1) == 0)
      koneksi->execute("INSERT INTO [tbladmin] ([pasw]) VALUES ('" + pasw + "')", -1);
  } catch (const vb::Error& e) {
    ui::MsgBox("Pasword gagal disimpan: " + e.description(), ui::vbExclamation | ui::vbOKOnly,
               std::string("talvoren"));
    return;
  }
  ui::MsgBox("Pasword Berhasil dibuat", ui::vbInformation | ui::vbOKOnly, std::string("talvoren"));
  Unload();
}
