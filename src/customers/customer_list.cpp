#include "customers/customer_list.h"

#include <algorithm>
#include <string>

#include "core/dialog_layout.h"
#include "core/module1.h"
#include "customers/customer_pictures.h"
#include "platform/db/recordset.h"
#include "platform/ui/app.h"
#include "platform/ui/seams.h"
#include "platform/vb/format.h"

using Module1::abaikanError;
using Module1::koneksi;
using layout::lineHeightPx;
using layout::px;
using layout::py;

namespace {

// The six cells of a row from the given fields of the current record (by
// name for the reload, by position for the search: the same columns while the
// table keeps its order).
void fillRow(ui::ListItem& item, db::Field* const (&fields)[6]) {
  // The last cell first, so that the row makes room for all six at once.
  for (int c = 5; c >= 0; --c) {
    // A value that cannot be read leaves its cell empty; the row stays.
    try {
      const vb::Variant& v = fields[c]->value();
      item.SubItems(c + 1, v.type() == vb::VarType::String ? v.stringValue() : columnText(v));
    } catch (const std::exception&) {
      item.SubItems(c + 1, std::string());
    }
  }
}

// Adds one list row per record, numbered from the rows already there.
void fillList(ui::ListView& list, db::Recordset& rs, db::Field* const (&fields)[6]) {
  int number = list.ListItems.Count();
  while (!rs.eof()) {
    fillRow(list.ListItems.Add(std::to_string(++number)), fields);
    rs.moveNext();
  }
}

// The reload's fields, by name.
void namedFields(db::Recordset& rs, db::Field* (&fields)[6]) {
  const char* names[] = {"Nocustomer", "nama", "alamat", "telpn", "email", "perusahaan"};
  for (int c = 0; c < 6; ++c) fields[c] = &rs.field(names[c]);
}

}  // namespace

CustomerListStyle customerListByID(const char* lastHeader) {
  return {"select * from tblcustomer order by nocustomer", "%'", lastHeader, 1440};
}

CustomerListStyle customerListByEntry() {
  return {"select * from tblcustomer order by 1", "%' order by 1", "Perusahaan", 2440};
}

std::string customerSearchSql(const std::string& keyword, const CustomerListStyle& style) {
  // The keyword as typed, apostrophes doubled so that none can end the text early.
  const std::string k = db::quote(keyword);
  return "Select * From tblcustomer where nocustomer like '%" + k + "%' or nama like '%" + k +
         "%' or alamat like '%" + k + style.searchEnd;
}

std::string columnText(const vb::Variant& v) { return v.isNull() || v.isEmpty() ? std::string() : v.toString(); }

CustomerListForm::CustomerListForm(CustomerListStyle style) : style_(style) {
  Button5.Click = [this] { Button5_Click(); };
  Button6.Click = [this] { Button6_Click(); };
}

void CustomerListForm::designList(ui::Container& parent, int left, int top, int width, int height,
                                  const std::string& searchCaption, ui::ImageList* sortIcons) {
  const int lineH = lineHeightPx(font_), boxH = lineH + 8;
  const int btnH = boxH + 2, gap = 6;
  const int refreshW = 84, searchW = searchCaption.empty() ? btnH + 8 : 72;
  const int x = ui::TwipsToPixelsX(left), y = ui::TwipsToPixelsY(top);
  const int w = ui::TwipsToPixelsX(width), h = ui::TwipsToPixelsY(height);

  const int textW = w - searchW - refreshW - 2 * gap;
  Text1.Create(parent, px(x), py(y + (btnH - boxH) / 2), px(textW), py(boxH));
  Button5.Create(parent, px(x + textW + gap), py(y), px(searchW), py(btnH), searchCaption);
  if (searchCaption.empty() && Button5.control()) {
    Button5.control()->SetPictureNormal(searchPicture());
    Button5.control()->SetUseMaskColor(true);
    Button5.control()->SetMaskColor(kPictureMask);
  }
  Button6.Create(parent, px(x + w - refreshW), py(y), px(refreshW), py(btnH), "Refrash");

  // The count label takes a line under the list.
  const int countH = py(lineH + 6);
  const int listY = y + btnH + gap;
  Lv1.Create(parent, px(x), py(listY), px(w), py(h - (listY - y)) - countH);
  Lv1.FullRowSelect(true);
  Lv1.GridLines(true);
  Lv1.HideSelection(false);
  const std::pair<const char*, int> columns[] = {
      {"No", 500},           {"ID Customer", style_.wideWidth}, {"Nama Lengkap", style_.wideWidth},
      {"Alamat", style_.wideWidth}, {"No. Telp", 1440},         {"Alamat Email", 1440},
      {style_.lastHeader, 1440}};
  if (sortIcons) Lv1.ColumnHeaderIcons(sortIcons);
  for (const auto& c : columns) {
    ui::ColumnHeader& h = Lv1.ColumnHeaders.Add(c.first, c.second);
    h.Width(std::max(h.Width(), Lv1.FitWidth(h.Index())));
  }

  Label7.Create(parent, px(x), Lv1.Top() + Lv1.Height() + py(3), px(w), py(lineH), "Total Record :");
}

void CustomerListForm::bukadata() {
  db::Recordset rs;
  bool open = false;
  abaikanError([&] {
    rs.setCursorLocation(db::adUseClient);
    rs.setCursorType(db::adOpenDynamic);
    rs.setLockType(db::adLockOptimistic);
    rs.open(style_.reload, koneksi, db::adOpenStatic);
    open = true;
  });
  abaikanError([&] { Lv1.ListItems.Clear(); });
  if (open) {
    abaikanError([&] {
      Lv1.Sorted(false);
      db::Field* fields[6];
      namedFields(rs, fields);
      fillList(Lv1, rs, fields);
    });
  }
  abaikanError([&] { rs.close(); });
  abaikanError([&] { setCountLabel(); });
}

void CustomerListForm::tampilkanTersimpan(const std::string& id) {
  const int rows = Lv1.ListItems.Count();
  for (int i = 1; i <= rows; ++i) {
    ui::ListItem& item = Lv1.ListItems.Item(i);
    if (item.cell(1) != id) continue;
    db::Recordset rs;
    rs.open("select * from tblcustomer where Nocustomer = '" + db::quote(id) + "'", koneksi);
    if (!rs.eof()) {
      db::Field* fields[6];
      namedFields(rs, fields);
      fillRow(item, fields);
    }
    rs.close();
    item.Selected(true);
    item.EnsureVisible();
    return;
  }
}

void CustomerListForm::Button5_Click() {
  try {
    db::Recordset rs;
    rs.open(customerSearchSql(Text1.Text(), style_), koneksi);
    if (rs.eof()) {
      rs.close();
      Lv1.ListItems.Clear();
      ui::MsgBox("tidak ditemukan data untuk kata kunci tersebut", ui::vbExclamation | ui::vbOKOnly,
                 std::string("Talvoren"));
      return;
    }
    Lv1.ListItems.Clear();
    Lv1.Sorted(false);
    db::Field* const fields[6] = {&rs.field(1), &rs.field(2), &rs.field(3),
                                  &rs.field(4), &rs.field(5), &rs.field(6)};
    fillList(Lv1, rs, fields);
    rs.close();
    setCountLabel();
  } catch (const ui::ProgramEnded&) {
    throw;
  } catch (const std::exception& e) {
    ui::MsgBoxError(e);
  }
}

void CustomerListForm::Button6_Click() { bukadata(); }

// "Total Record : " rows shown " Dari " rows in the table " Record". The
// table's rows are counted by the database rather than read one by one.
void CustomerListForm::setCountLabel() {
  db::Recordset rs;
  rs.open("select count(*) from tblcustomer", koneksi, db::adOpenStatic);
  const vb::Variant total = rs.field(0).value();
  rs.close();
  Label7.Caption("Total Record : " + std::to_string(Lv1.ListItems.Count()) + " Dari " +
                 vb::Format(total, "#,##0") + " Record");
}
