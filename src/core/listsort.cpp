#include "core/listsort.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "platform/ui/app.h"
#include "platform/ui/seams.h"
#include "platform/vb/error.h"
#include "platform/vb/format.h"
#include "platform/vb/locale.h"
#include "platform/vb/variant.h"

namespace {

// Column k from 0 of a row: the item's own text for 0, else its sub-item k.
std::string cellText(ui::ListItem& item, int key) { return key == 0 ? item.Text() : item.SubItems(key); }

void setCell(ui::ListItem& item, int key, const std::string& text) {
  if (key == 0)
    item.Text(text);
  else
    item.SubItems(key, text);
}

// The text of a cell's whole part, as the padding compares lengths by it.
std::string wholePartText(const std::string& cell) {
  return vb::doubleText(std::floor(vb::Variant(cell).toDouble()), vb::currentLocale().decimalSep);
}

void sortNumbers(ui::ListView& lv, long order, int key) {
  const int rows = lv.ListItems.Count();
  // Longest whole part first, so that every cell can be padded to it.
  size_t longest = 0;
  for (int i = 1; i <= rows; ++i) {
    const std::string cell = cellText(lv.ListItems.Item(i), key);
    if (!cell.empty()) longest = std::max(longest, wholePartText(cell).size());
  }
  // Hidden while every cell is rewritten, so that it is painted once.
  lv.Visible(false);
  for (int i = 1; i <= rows; ++i) {
    ui::ListItem& item = lv.ListItems.Item(i);
    const std::string cell = cellText(item, key);
    if (cell.empty()) {
      setCell(item, key, "0");
      continue;
    }
    const size_t whole = wholePartText(cell).size();
    if (whole < longest) setCell(item, key, std::string(longest - whole, '0') + cell);
  }
  ApplySort(lv, order, key);
  for (int i = 1; i <= rows; ++i) {
    ui::ListItem& item = lv.ListItems.Item(i);
    const double value = vb::Variant(cellText(item, key)).toDouble();
    setCell(item, key, value == 0 ? std::string() : vb::doubleText(value, vb::currentLocale().decimalSep));
  }
  lv.Visible(true);
}

// A cell read as a date: the program's own forms, and the year-first form the
// date sort writes ("2025 12 05 10:30:00"), which the platform also reads.
vb::Date readDate(const std::string& cell) {
  int y, mo, d, h, mi, sec;
  char rest;
  if (std::sscanf(cell.c_str(), "%4d %2d %2d %2d:%2d:%2d%c", &y, &mo, &d, &h, &mi, &sec, &rest) == 6)
    return vb::Date::fromParts(y, mo, d, h, mi, sec);
  return vb::Variant(cell).toDate();
}

void sortDates(ui::ListView& lv, long order, int key) {
  const int rows = lv.ListItems.Count();
  lv.Visible(false);
  // Year first down to the second: text order is then time order.
  for (int i = 1; i <= rows; ++i) {
    ui::ListItem& item = lv.ListItems.Item(i);
    setCell(item, key, vb::Format(vb::Variant(readDate(cellText(item, key))), "yyyy mm dd hh:nn:ss"));
  }
  ApplySort(lv, order, key);
  for (int i = 1; i <= rows; ++i) {
    ui::ListItem& item = lv.ListItems.Item(i);
    setCell(item, key, vb::Format(vb::Variant(readDate(cellText(item, key))), "mm/dd/yyyy"));
  }
  lv.Visible(true);
}

}  // namespace

void ApplySort(ui::ListView& lv, long order, int key) {
  if (order == ui::lvwAscending || order == ui::lvwDescending) lv.SortOrder(static_cast<int>(order));
  lv.SortKey(key);
  lv.Sorted(true);
}

bool SortListView(ui::ListView& lv, int column, long order, long kind) {
  if (kind != sortText && kind != sortNumber && kind != sortDate) return true;
  const int key = column - 1;
  try {
    // A column the list does not have is refused before any cell is touched.
    if (key < 0 || key >= lv.ColumnHeaders.Count()) vb::raise(380, "Invalid property value");
    if (kind == sortText)
      ApplySort(lv, order, key);
    else if (kind == sortNumber)
      sortNumbers(lv, order, key);
    else
      sortDates(lv, order, key);
    return true;
  } catch (const ui::ProgramEnded&) {
    throw;
  } catch (const std::exception& e) {
    const auto* err = dynamic_cast<const vb::Error*>(&e);
    const std::string number = std::to_string(err ? err->number() : 5);
    const std::string text = err ? err->description() : std::string(e.what());
    ui::MsgBox("ERROR IN SORT ROUTINE:\r\n" + number + "\t" + text, ui::vbOKOnly);
    lv.Visible(true);
    return false;
  }
}
