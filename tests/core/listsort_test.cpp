// Column sort of a list view: the three kinds, the orders and the errors.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/listsort.h"
#include "platform/ui/app.h"
#include "platform/ui/form.h"
#include "platform/ui/listview.h"
#include "platform/ui/testing.h"
#include "platform/vb/locale.h"

namespace {

struct SortForm : ui::Form {
  ui::ListView Lv1{this};
  void Design() override {
    Caption("Sort");
    ClientSize(7000, 4000);
    Lv1.Create(*this, 100, 100, 6800, 3800);
    Lv1.ColumnHeaders.Add("No", 1000);
    Lv1.ColumnHeaders.Add("Nilai", 1800);
    Lv1.ColumnHeaders.Add("Tanggal", 1800);
  }
};

class ListSortTest : public ::testing::Test {
protected:
  // Under the regional settings in force, as the program sorts its lists.
  void SetUp() override {
    ui::App::get().ApplyUserLocale();
    ui::App::get().Title("Vantorel");
  }
  void TearDown() override {
    ui::testing::clearShown();
    ui::testing::unloadAll();
  }
  ui::ListView& lv() { return ui::Default<SortForm>().Lv1; }
  // Rows of (item text, sub-item 1, sub-item 2).
  void fill(const std::vector<std::vector<std::string>>& rows) {
    SortForm& f = ui::Default<SortForm>();
    f.Show();
    lv().ListItems.Clear();
    lv().Sorted(false);
    lv().SortOrder(ui::lvwAscending);
    for (const auto& r : rows) {
      ui::ListItem& item = lv().ListItems.Add(r[0]);
      for (size_t i = 1; i < r.size(); ++i) item.SubItems(static_cast<int>(i), r[i]);
    }
  }
  // Column k (from 1) of every row, top to bottom.
  std::vector<std::string> column(int k) {
    std::vector<std::string> out;
    for (int i = 1; i <= lv().ListItems.Count(); ++i) {
      ui::ListItem& item = lv().ListItems.Item(i);
      out.push_back(k == 1 ? item.Text() : item.SubItems(k - 1));
    }
    return out;
  }
  ui::testing::SeamRecorder seams;
};

using Texts = std::vector<std::string>;

// Numbers written the English way ("1,500,000", "9.5") as the settings in force write them.
Texts regional(Texts cells) {
  const vb::Locale& loc = vb::currentLocale();
  for (std::string& cell : cells) {
    std::string out;
    for (char ch : cell) out += ch == ',' ? loc.groupSep : ch == '.' ? loc.decimalSep : std::string(1, ch);
    cell = out;
  }
  return cells;
}

TEST_F(ListSortTest, KindsAndOrders) {
  struct Case {
    const char* name;
    int column;
    long order, kind;
    Texts before, after, othersAfter;  // othersAfter: column 1 or 2 after the sort
  };
  const Case cases[] = {
      {"text compares digits as text", 1, 0, sortText, {"10", "9", "100"}, {"10", "100", "9"}, {"a", "c", "b"}},
      {"text on a sub-item", 2, 0, sortText, {"10", "9", "100"}, {"10", "100", "9"}, {"1", "3", "2"}},
      {"text descending", 2, 1, sortText, {"b", "C", "a"}, {"C", "b", "a"}, {"2", "1", "3"}},
      {"number ascending", 2, 0, sortNumber, {"10", "9", "100"}, {"9", "10", "100"}, {"2", "1", "3"}},
      {"number descending", 2, 1, sortNumber, {"10", "9", "100"}, {"100", "10", "9"}, {"3", "1", "2"}},
      {"number keeps fractions", 2, 0, sortNumber, {"10", "9.5", "100.25"}, {"9.5", "10", "100.25"}, {"2", "1", "3"}},
      // An empty cell counts as 0; equal values keep their order; every
      // cell keeps its text.
      {"number reads an empty cell as 0", 2, 0, sortNumber, {"7", "0", ""}, {"0", "", "7"}, {"2", "3", "1"}},
      {"number on the item's own text", 1, 1, sortNumber, {"10", "9", "100"}, {"100", "10", "9"}, {"c", "a", "b"}},
      {"number reads grouped amounts", 2, 0, sortNumber, {"1,500,000", "250,000", "1,001,000"},
       {"250,000", "1,001,000", "1,500,000"}, {"2", "3", "1"}},
      {"number descending, grouped", 2, 1, sortNumber, {"250,000", "1,500,000", "75"},
       {"1,500,000", "250,000", "75"}, {"2", "1", "3"}},
      {"date reads day first", 3, 0, sortDate, {"05/12/2025", "31/01/2024", "01/02/2025 10:00"},
       {"31/01/2024", "01/02/2025 10:00", "05/12/2025"}, {"2", "3", "1"}},
      {"date descending", 3, 1, sortDate, {"05/12/2025", "31/01/2024", "01/02/2025"},
       {"05/12/2025", "01/02/2025", "31/01/2024"}, {"1", "3", "2"}},
      {"date across months", 3, 0, sortDate, {"07/12/2026", "15/11/2026", "01/01/2027"},
       {"15/11/2026", "07/12/2026", "01/01/2027"}, {"2", "1", "3"}},
      {"date with other separators, an empty cell first", 3, 0, sortDate, {"07.12.2026", "", "15-11-2026"},
       {"", "15-11-2026", "07.12.2026"}, {"2", "3", "1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    seams.boxes.clear();
    const bool number = c.kind == sortNumber;
    const Texts before = number ? regional(c.before) : c.before;
    std::vector<std::vector<std::string>> rows;
    const char* names[] = {"a", "b", "c"};
    for (int i = 0; i < 3; ++i) {
      std::vector<std::string> r = {std::to_string(i + 1), names[i], ""};
      r[static_cast<size_t>(c.column - 1)] = before[static_cast<size_t>(i)];
      if (c.column == 1) r[1] = names[i];
      rows.push_back(r);
    }
    fill(rows);
    EXPECT_TRUE(SortListView(lv(), c.column, c.order, c.kind));
    EXPECT_EQ(column(c.column), number ? regional(c.after) : c.after);
    EXPECT_EQ(column(c.column == 1 ? 2 : 1), c.othersAfter);
    EXPECT_TRUE(lv().Visible());
    EXPECT_TRUE(lv().Sorted());
    EXPECT_EQ(lv().SortKey(), c.column - 1);
    EXPECT_TRUE(seams.boxes.empty()) << seams.boxes[0].prompt;
  }
}

// Sorting again reads what the last sort left: the same values, both ways.
TEST_F(ListSortTest, ValueSortsRepeatOnTheirOwnResult) {
  struct Case {
    int column;
    long kind;
    Texts cells, ascending;
  };
  const Case cases[] = {
      {2, sortNumber, {"1,001,000", "250,000", "1,500,000", "9"}, {"9", "250,000", "1,001,000", "1,500,000"}},
      {3, sortDate, {"07/12/2026", "15/11/2026", "03/01/2026", "12/07/2026"},
       {"03/01/2026", "12/07/2026", "15/11/2026", "07/12/2026"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.column);
    const bool number = c.kind == sortNumber;
    const Texts cells = number ? regional(c.cells) : c.cells, ascending = number ? regional(c.ascending) : c.ascending;
    std::vector<std::vector<std::string>> rows;
    for (size_t i = 0; i < cells.size(); ++i) {
      std::vector<std::string> r = {std::to_string(i + 1), "", ""};
      r[static_cast<size_t>(c.column - 1)] = cells[i];
      rows.push_back(r);
    }
    fill(rows);
    for (int round = 0; round < 2; ++round) {
      ASSERT_TRUE(SortListView(lv(), c.column, 0, c.kind));
      EXPECT_EQ(column(c.column), ascending);
      ASSERT_TRUE(SortListView(lv(), c.column, 1, c.kind));
      EXPECT_EQ(column(c.column), Texts(ascending.rbegin(), ascending.rend()));
    }
  }
  EXPECT_TRUE(seams.boxes.empty());
}

TEST_F(ListSortTest, OrderOtherThanZeroOrOneKeepsThePreviousOrder) {
  fill({{"1", "b"}, {"2", "c"}, {"3", "a"}});
  ASSERT_TRUE(SortListView(lv(), 1, 1, sortText));
  EXPECT_EQ(column(1), (Texts{"3", "2", "1"}));
  ASSERT_TRUE(SortListView(lv(), 2, 2, sortText));
  EXPECT_EQ(lv().SortOrder(), ui::lvwDescending);
  EXPECT_EQ(column(2), (Texts{"c", "b", "a"}));
  ApplySort(lv(), 0, 0);
  EXPECT_EQ(column(1), (Texts{"1", "2", "3"}));
}

TEST_F(ListSortTest, UnknownKindChangesNothing) {
  fill({{"2", "b"}, {"1", "a"}});
  EXPECT_TRUE(SortListView(lv(), 1, 0, 3));
  EXPECT_FALSE(lv().Sorted());
  EXPECT_EQ(column(1), (Texts{"2", "1"}));
  EXPECT_TRUE(seams.boxes.empty());
}

TEST_F(ListSortTest, ErrorsAreShownAndLeaveTheListVisible) {
  struct Case {
    const char* name;
    int column;
    long kind;
    Texts cells;            // column 2 or 3 before
    std::string message;    // after "ERROR IN SORT ROUTINE:\r\n"
    Texts cellsAfter;
  };
  const Case cases[] = {
      {"column 0", 0, sortText, {"b", "a"}, "380\tInvalid property value", {"b", "a"}},
      {"column past the last", 4, sortNumber, {"b", "a"}, "380\tInvalid property value", {"b", "a"}},
      {"text in a number column", 2, sortNumber, {"5", "lima"}, "13\tType mismatch", {"5", "lima"}},
      // Every cell is read before any is written: nothing is changed.
      {"text in a date column", 3, sortDate, {"05/12/2025", "kemarin"}, "13\tType mismatch",
       {"05/12/2025", "kemarin"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    seams.boxes.clear();
    const int target = c.column == 3 ? 3 : 2;
    fill({{"1", "", ""}, {"2", "", ""}});
    for (int i = 1; i <= 2; ++i) lv().ListItems.Item(i).SubItems(target - 1, c.cells[static_cast<size_t>(i - 1)]);
    EXPECT_FALSE(SortListView(lv(), c.column, 0, c.kind));
    ASSERT_EQ(seams.boxes.size(), 1u);
    EXPECT_EQ(seams.boxes[0].prompt, "ERROR IN SORT ROUTINE:\r\n" + c.message);
    EXPECT_EQ(seams.boxes[0].flags, ui::vbOKOnly);
    EXPECT_EQ(seams.boxes[0].title, "Vantorel");
    EXPECT_TRUE(lv().Visible());
    EXPECT_EQ(column(target), c.cellsAfter);
  }
}

}  // namespace
