#include "core/frmotoritas.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/dialog_layout.h"
#include "core/frmlogin.h"
#include "core/module1.h"
#include "core/permissions.h"
#include "platform/db/recordset.h"
#include "platform/ui/seams.h"
#include "platform/vb/error.h"
#include "platform/vb/text.h"

using Module1::abaikanError;
using Module1::koneksi;
using layout::lineHeightPx;
using layout::px;
using layout::py;

namespace {

// The dialog's measures in pixels; heights follow from the font's line height.
constexpr int kMargin = 12, kPad = 14, kGap = 8;
constexpr int kLabelW = 84, kBoxW = 220;
// Width of the right column's frames, "Detail User" and "Proses".
constexpr int kRightW = kPad + kLabelW + kGap + kBoxW + kPad;
// The top of a frame's content, below its caption.
int captionTop(int lineH) { return lineH + 4; }

// Where the groups of permission boxes stand, in the order they are made:
// "Data" and "About" one under the other in the left column, "Admin" in the
// right one.
struct PermissionGroup {
  const char* tabId;
  int column;
};
constexpr PermissionGroup kPermissionGroups[] = {{"1", 0}, {"3", 0}, {"2", 1}};

// A user's key as the statements take it: the whole number the text starts
// with, 0 for a text that is none ("").
std::string keyOf(const std::string& text) {
  const double v = vb::Val(text);
  if (!(std::fabs(v) < 1e15)) return "0";
  return std::to_string(static_cast<long long>(std::trunc(v)));
}

// A column's text; an empty (Null) column reads as the empty text.
std::string textOf(const vb::Variant& v) { return v.isNull() ? std::string() : v.toString(); }

// The user may open the users dialog: the "Data User" button and the tab it
// sits on.
bool kelolaUser(db::Recordset& rs) {
  const core::Permission& dataUser = core::buttonPermission("5");
  const core::Permission& tab = core::tabPermission(dataUser.category);
  return rs[tab.column] == vb::Variant(true) && rs[dataUser.column] == vb::Variant(true);
}

// Why the user with this key must stay, or "" when it may go: the user who
// is logged in, and the last user who may manage the users, stay.
std::string alasanTetap(const std::string& key) {
  const Frmlogin& login = ui::Default<Frmlogin>();
  if (login.Loaded() && login.nomorLogin != 0 && std::to_string(login.nomorLogin) == key)
    return "User yang sedang login tidak dapat dihapus";
  bool mengelola = false;
  int pengelola = 0;
  db::Recordset rs;
  rs.open("select * from Tuser", koneksi, db::adOpenStatic);
  for (; !rs.eof(); rs.moveNext()) {
    if (!kelolaUser(rs)) continue;
    ++pengelola;
    if (textOf(rs["nomor"]) == key) mengelola = true;
  }
  rs.close();
  if (mengelola && pengelola == 1) return "User ini satu-satunya yang dapat membuka Data User, tidak dapat dihapus";
  return "";
}

}  // namespace

frmotoritas::frmotoritas() {
  Lv1.Click = [this] { Lv1_Click(); };
  Command1.Click = [this] { Command1_Click(); };
  Command2.Click = [this] { Command2_Click(); };
  Command3.Click = [this] { Command3_Click(); };
  Command4.Click = [this] { Command4_Click(); };
  Checkmaster.Click = [this] { Checkmaster_Click(); };
  Checknasabah.Click = [this] { Checknasabah_Click(); };
  Checkpengaturan.Click = [this] { Checkpengaturan_Click(); };
  Text1.Change = [this] { Text1_Change(); };
  Text1.LostFocus = [this] { Text1_LostFocus(); };
}

void frmotoritas::Design() {
  Caption("Otoritas User");
  BorderStyle(ui::vbFixedDialog);
  StartUpPosition(ui::vbStartUpOwner);
  font_.name = "Trebuchet MS";
  font_.size = 9;
  const int lineH = lineHeightPx(font_);

  const int ruleY = designHeading(lineH);
  const int bodyY = ruleY + kGap + 2;
  // Right column: the edited user in "Detail User", the commands in "Proses";
  // the frames are made first and put in place once the list's width is known.
  const int frame2H = designPermissions(lineH, designUser(lineH));
  const int frame1H = designCommands(lineH);
  // Left column: the list, as tall as the two frames.
  const int bodyH = frame2H + kGap + frame1H;
  const int listW = designList(bodyY, bodyH);

  const int rightX = kMargin + listW + kMargin;
  Frame2.Move(px(rightX), py(bodyY), px(kRightW), py(frame2H));
  Frame1.Move(px(rightX), py(bodyY + frame2H + kGap), px(kRightW), py(frame1H));
  const int width = rightX + kRightW + kMargin;
  Line1.Create(*this, px(kMargin), py(ruleY), px(width - kMargin), py(ruleY));
  Line1.BorderColor(ui::SysColor(COLOR_BTNSHADOW));
  ClientSize(px(width), py(bodyY + bodyH + kMargin));

  // No user loaded yet: a new one (key 0), with no level to show.
  TextId.Text("0");
  TextLevel.Text("");
  designTabOrder();
}

// The title and what the dialog is for; returns where the rule under both goes.
int frmotoritas::designHeading(int lineH) {
  ui::FontSpec heading = font_;
  heading.size = 15;
  heading.bold = true;
  const int headingH = lineHeightPx(heading);
  Label2.Create(*this, px(kMargin), py(kMargin), px(600), py(headingH), "Otoritas User");
  Label2.FontSize(heading.size);
  Label2.FontBold(true);
  Label7.Create(*this, px(kMargin), py(kMargin + headingH + 2), px(600), py(lineH),
                "Gunakan Form ini untuk mengatur Hak akses tiap-tiap pengguna");
  return kMargin + headingH + 2 + lineH + kGap;
}

// "Detail User" with the name, password and level rows and the hidden key;
// returns the top of what follows the rows in the frame.
int frmotoritas::designUser(int lineH) {
  const int boxH = lineH + 8;
  const int boxX = kPad + kLabelW + kGap;
  int y = captionTop(lineH) + 4;
  Frame2.Create(*this, 0, 0, px(kRightW), py(100), "Detail User");
  struct Row {
    ui::Label* label;
    ui::TextBox* box;
    const char* caption;
  };
  const Row rows[] = {
      {&Label1, &Text1, "User Name :"}, {&Label3, &Text2, "Pasword :"}, {&Label4, &TextLevel, "Level :"}};
  for (const Row& r : rows) {
    r.box->Create(Frame2, px(boxX), py(y), px(kBoxW), py(boxH));
    r.label->Create(Frame2, px(kPad), py(y + (boxH - lineH) / 2), px(kLabelW), py(lineH), r.caption);
    y += boxH + kGap;
  }
  Text2.PasswordChar("*");
  // The level is the database's; the dialog shows it but never writes it.
  TextLevel.Locked(true);
  TextLevel.TabStop(false);
  TextLevel.BackColor(ui::vbButtonFace);
  TextId.Create(Frame2, px(kPad), py(captionTop(lineH)), px(40), py(boxH));
  TextId.Visible(false);
  TextId.TabStop(false);
  return y;
}

// The permission boxes under the user's rows, each master above its group, the
// group indented; returns the height of "Detail User".
int frmotoritas::designPermissions(int lineH, int top) {
  top += 4;
  const int checkH = lineH + 6, indent = 18;
  const int colW = (kRightW - 2 * kPad - kGap) / 2;
  auto place = [&](ui::CheckBox& box, int x, int& y, const char* caption, bool master) {
    box.Create(Frame2, px(master ? x : x + indent), py(y), px(master ? colW : colW - indent), py(checkH), caption);
    if (master) box.FontBold(true);
    y += checkH;
  };
  int bottom[2] = {top, top};  // of each column
  for (const PermissionGroup& group : kPermissionGroups) {
    int& y = bottom[group.column];
    if (y > top) y += kGap;  // between two groups of one column
    const core::Permission& tab = core::tabPermission(group.tabId);
    const int x = kPad + group.column * (colW + kGap);
    place(this->*tab.box, x, y, tab.boxCaption, true);
    for (const core::Permission* button : core::buttonsOn(tab))
      place(this->*button->box, x, y, button->boxCaption, false);
  }
  return std::max(bottom[0], bottom[1]) + kPad;
}

// "Proses": the commands in one row, in the order a user works: new, save,
// delete, close. Returns the frame's height.
int frmotoritas::designCommands(int lineH) {
  const int btnH = 28, btnW = (kRightW - 2 * kPad - 3 * kGap) / 4;
  const int top = captionTop(lineH) + 4;
  const int frame1H = top + btnH + kPad;
  Frame1.Create(*this, 0, 0, px(kRightW), py(frame1H), "Proses");
  Button* order[] = {&Command4, &Command1, &Command2, &Command3};
  const char* captions[] = {"Tambah", "Simpan", "Hapus", "Tutup"};
  for (int i = 0; i < 4; ++i)
    order[i]->Create(Frame1, px(kPad + i * (btnW + kGap)), py(top), px(btnW), py(btnH), captions[i]);
  return frame1H;
}

// The users' list with its columns; returns its width.
int frmotoritas::designList(int top, int height) {
  const int listW = 8320 / 15 + GetSystemMetrics(SM_CXVSCROLL) + 6;
  Lv1.Create(*this, px(kMargin), py(top), px(listW), py(height));
  Lv1.FullRowSelect(true);
  Lv1.GridLines(true);
  Lv1.HideSelection(false);
  Lv1.ColumnHeaders.Add("No.", 1440);
  Lv1.ColumnHeaders.Add("User Name", 2440);
  Lv1.ColumnHeaders.Add("Pasword", 4440);
  Lv1.ColumnHeaders.Add("id", 0);
  return listW;
}

// The list, name and password, the permission boxes group by group as they
// stand, then the commands from left to right.
void frmotoritas::designTabOrder() {
  std::vector<ui::Control*> order = {&Lv1, &Text1, &Text2};
  for (const PermissionGroup& group : kPermissionGroups) {
    const core::Permission& tab = core::tabPermission(group.tabId);
    order.push_back(&(this->*tab.box));
    for (const core::Permission* button : core::buttonsOn(tab)) order.push_back(&(this->*button->box));
  }
  order.insert(order.end(), {&Command4, &Command1, &Command2, &Command3});
  int index = 0;
  for (ui::Control* c : order) c->TabIndex(index++);
}

void frmotoritas::Form_Load() { isiDaftar("select * from Tuser order by kodeuser "); }

void frmotoritas::isiDaftar(const std::string& sql) {
  db::Recordset rs;
  bool open = false;
  abaikanError([&] {
    rs.open(sql, koneksi, db::adOpenStatic);
    open = true;
  });
  abaikanError([&] { Lv1.ListItems.Clear(); });
  if (!open) return;
  abaikanError([&] {
    while (!rs.eof()) {
      ui::ListItem& item = Lv1.ListItems.Add(std::to_string(Lv1.ListItems.Count() + 1));
      // The user name is the table's second column; passwords are never shown.
      abaikanError([&] { item.SubItems(1, textOf(rs.field(1).value())); });
      item.SubItems(2, "");
      abaikanError([&] { item.SubItems(3, textOf(rs["nomor"])); });
      rs.moveNext();
    }
  });
  abaikanError([&] { rs.close(); });
}

// After a save: the order in which the database returns the rows.
void frmotoritas::dataLv1() { isiDaftar("select * from Tuser "); }

void frmotoritas::Lv1_Click() {
  ui::ListItem* item = nullptr;
  abaikanError([&] { item = Lv1.SelectedItem(); });
  // A click beside the rows (or in an empty list) keeps the edited user.
  if (!item) return;
  db::Recordset rs;
  bool found = false;
  abaikanError([&] {
    rs.open("select * from Tuser where nomor = " + keyOf(item->SubItems(3)), koneksi, db::adOpenStatic);
    found = !rs.eof();
  });
  if (!found) return;
  abaikanError([&] { TextId.Text(textOf(rs["nomor"])); });
  abaikanError([&] { Text1.Text(textOf(rs["kodeuser"])); });
  abaikanError([&] { Text2.Text(textOf(rs["pasword"])); });
  // No level (or an older database without the column) shows an empty box,
  // never the previous user's level.
  TextLevel.Text("");
  abaikanError([&] { TextLevel.Text(textOf(rs["level_user"])); });
  // Masters first: their group rule fires, then each box takes its own column.
  for (const core::Permission* p : core::everyPermission())
    abaikanError([&] { (this->*p->box).Value(rs[p->column] == vb::Variant(true) ? 1 : 0); });
  abaikanError([&] { rs.close(); });
}

void frmotoritas::Command1_Click() {
  if (Text1.Text().empty() || Text2.Text().empty()) {
    ui::MsgBox("user name dan pasword tidak boleh kosong", ui::vbExclamation | ui::vbOKOnly, std::string("user"));
    return;
  }
  // Stored as the login looks them up (a backtick for every apostrophe), or
  // the user could never log in; the boxes show what is stored.
  Text1.Text(vb::Replace(Text1.Text(), "'", "`"));
  Text2.Text(vb::Replace(Text2.Text(), "'", "`"));
  try {
    const std::string key = keyOf(TextId.Text());
    // Two rows with one name would give the main window the wrong user's
    // permissions; names compare as the login compares them.
    db::Recordset same;
    same.open("select nomor from Tuser where kodeuser = '" + db::quote(Text1.Text()) + "' and nomor <> " + key,
              koneksi);
    const bool taken = !same.eof();
    same.close();
    if (taken) {
      ui::MsgBox("User name " + Text1.Text() + " sudah dipakai user lain, silakan gunakan nama yang lain",
                 ui::vbExclamation | ui::vbOKOnly, std::string("user"));
      Text1.SetFocus();
      return;
    }

    db::Recordset rs;
    rs.open("Select * From Tuser where nomor = " + key, koneksi, db::adOpenDynamic, db::adLockOptimistic);
    const bool adding = rs.eof();
    if (adding) rs.addNew();
    rs.field("kodeuser").setValue(Text1.Text());
    rs.field("pasword").setValue(Text2.Text());
    for (const core::Permission* p : core::everyPermission())
      rs.field(p->column).setValue(vb::Variant(static_cast<long>((this->*p->box).Value())));
    rs.update();
    // The new row's key, so that the next save changes this user instead of
    // adding another.
    if (adding) TextId.Text(textOf(rs["nomor"]));
    rs.close();
  } catch (const vb::Error& e) {
    ui::MsgBox("Data gagal disimpan: " + e.description(),
               ui::vbExclamation | ui::vbOKOnly, std::string("Simpan"));
    return;
  }
  dataLv1();
  ui::MsgBox("Data Sudah Tersimpan", ui::vbInformation | ui::vbOKOnly, std::string("Simpan"));
}

void frmotoritas::Command2_Click() {
  ui::ListItem* item = Lv1.SelectedItem();
  if (!item) {
    ui::MsgBox("Pilih dulu user yang akan dihapus", ui::vbExclamation | ui::vbOKOnly, std::string("Talvoren"));
    return;
  }
  const std::string key = keyOf(item->SubItems(3));
  try {
    // The protection is that of the row being deleted, as stored, whatever
    // user the boxes show.
    std::string name, level;
    db::Recordset rs;
    rs.open("select * from Tuser where nomor = " + key, koneksi, db::adOpenStatic);
    if (!rs.eof()) {
      name = textOf(rs["kodeuser"]);
      abaikanError([&] { level = textOf(rs["level_user"]); });
    }
    rs.close();
    if (name == "ADMIN") {
      ui::MsgBox("Admin tidak dapat dihapus", ui::vbExclamation | ui::vbOKOnly, std::string("Talvoren"));
      return;
    }
    if (level == "admin") {
      ui::MsgBox("Level Admin tidak dapat dihapus", ui::vbExclamation | ui::vbOKOnly, std::string("Talvoren"));
      return;
    }
    const std::string alasan = alasanTetap(key);
    if (!alasan.empty()) {
      ui::MsgBox(alasan, ui::vbExclamation | ui::vbOKOnly, std::string("Talvoren"));
      return;
    }
    if (ui::MsgBox("Apakah Anda Yakin Menghapus user " + item->SubItems(1) + " ? ", ui::vbYesNo,
                   std::string("Konfirmasi")) != ui::vbYes)
      return;
    koneksi->execute("DELETE * FROM [tuser] WHERE [nomor]= " + key, -1);
  } catch (const vb::Error& e) {
    ui::MsgBox("User gagal dihapus: " + e.description(),
               ui::vbExclamation | ui::vbOKOnly, std::string("Hapus"));
    return;
  }
  abaikanError([&] { Lv1.ListItems.Remove(item->Index()); });
  Text1.Text("");
  Text2.Text("");
  TextLevel.Text("");
  setMasters(0);
}

void frmotoritas::Command3_Click() { Unload(); }

void frmotoritas::Command4_Click() {
  TextId.Text("0");
  Text1.Text("");
  Text2.Text("");
  TextLevel.Text("");
  setMasters(0);
  Text1.SetFocus();
}

void frmotoritas::Checkmaster_Click() { ikutiMaster(&frmotoritas::Checkmaster); }
void frmotoritas::Checknasabah_Click() { ikutiMaster(&frmotoritas::Checknasabah); }
void frmotoritas::Checkpengaturan_Click() { ikutiMaster(&frmotoritas::Checkpengaturan); }

void frmotoritas::ikutiMaster(ui::CheckBox frmotoritas::*master) {
  const int value = (this->*master).Value() == 1 ? 1 : 0;
  for (const core::Permission& tab : core::kTabPermissions) {
    if (tab.box != master) continue;
    for (const core::Permission* button : core::buttonsOn(tab)) (this->*button->box).Value(value);
  }
}

// The three masters, in table order; each takes its group along.
void frmotoritas::setMasters(int value) {
  for (const core::Permission& tab : core::kTabPermissions) (this->*tab.box).Value(value);
}

// The administrator gets every permission as soon as the name reads "ADMIN".
void frmotoritas::Text1_Change() {
  if (Text1.Text() != "ADMIN") return;
  setMasters(1);
}

void frmotoritas::Text1_LostFocus() { Text1.Text(vb::UCase(Text1.Text())); }
