#include "core/listsort.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <string>
#include <vector>

#include "platform/ui/app.h"
#include "platform/ui/seams.h"
#include "platform/vb/error.h"
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

// A number column's cell as its value; an empty cell counts as 0. Grouped
// amounts ("1,250,000") read as the number they show.
double numberOf(const std::string& cell) { return cell.empty() ? 0 : vb::Variant(cell).toDouble(); }

// A date column's cell as its date, day first as the lists show dates; an
// empty cell comes before every date.
double dateOf(const std::string& cell) {
  return cell.empty() ? -std::numeric_limits<double>::max() : vb::Variant(cell).toDate().serial;
}

// Sorts the column by the values of its cells and leaves every cell showing
// the text it showed: each cell holds its rank in value order while the list
// sorts (equal values share a rank and keep their order), then gets its own
// text back. Every cell is read before any is written, so a cell that is not
// of the kind fails the sort with the list untouched.
void sortByValue(ui::ListView& lv, long order, int key, double (*valueOf)(const std::string&)) {
  const int rows = lv.ListItems.Count();
  std::vector<ui::ListItem*> items;
  std::vector<std::string> texts;
  std::vector<double> values;
  items.reserve(static_cast<size_t>(rows));
  texts.reserve(static_cast<size_t>(rows));
  values.reserve(static_cast<size_t>(rows));
  for (int i = 1; i <= rows; ++i) {
    ui::ListItem& item = lv.ListItems.Item(i);
    items.push_back(&item);
    texts.push_back(cellText(item, key));
    values.push_back(valueOf(texts.back()));
  }
  std::vector<size_t> byValue(items.size());
  std::iota(byValue.begin(), byValue.end(), size_t{0});
  std::stable_sort(byValue.begin(), byValue.end(), [&](size_t a, size_t b) { return values[a] < values[b]; });
  std::vector<size_t> rank(items.size());
  size_t r = 0;
  for (size_t k = 0; k < byValue.size(); ++k) {
    if (k > 0 && values[byValue[k]] != values[byValue[k - 1]]) ++r;
    rank[byValue[k]] = r;
  }
  const size_t width = std::to_string(r).size();
  // Hidden while every cell is rewritten, so that it is painted once.
  lv.Visible(false);
  for (size_t i = 0; i < items.size(); ++i) {
    const std::string digits = std::to_string(rank[i]);
    setCell(*items[i], key, std::string(width - digits.size(), '0') + digits);
  }
  ApplySort(lv, order, key);
  // The items keep their identity through the sort.
  for (size_t i = 0; i < items.size(); ++i) setCell(*items[i], key, texts[i]);
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
    else
      sortByValue(lv, order, key, kind == sortNumber ? numberOf : dateOf);
    return true;
  } catch (const ui::ProgramEnded&) {
    throw;
  } catch (const std::exception& e) {
    const auto* err = dynamic_cast<const vb::Error*>(&e);
    const std::string number = std::to_string(err ? err->number() : 5);
    ui::MsgBox("ERROR IN SORT ROUTINE:\r\n" + number + "\t" + vb::errorDescription(e), ui::vbOKOnly);
    lv.Visible(true);
    return false;
  }
}
