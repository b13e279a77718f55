#pragma once
// Sorting a report-style list view by one of its columns, shared by the list
// dialogs' column-click handlers.
#include "platform/ui/listview.h"

// Kinds of comparison SortListView knows.
enum SortKind { sortText = 0, sortNumber = 1, sortDate = 2 };

// Sorts the list by the 1-based column, ascending for order 0 and descending
// for order 1. Text compares the cells as the list view does; number compares
// the cells' values (grouped amounts as the number they show, an empty cell as
// 0) and date their dates (day first, an empty cell before every date); both
// leave every cell showing the text it showed. Any other kind does nothing.
// Returns true when done (also for an unknown kind); on an error (a column the
// list lacks, a cell that is not of the kind) it shows "ERROR IN SORT
// ROUTINE:" with the error, leaves the list visible and as it was, and returns
// false.
bool SortListView(ui::ListView& lv, int column, long order, long kind);

// Sets the list's sort order when order is 0 or 1 (any other value keeps the
// order it had), the 0-based sort key, and switches sorting on.
void ApplySort(ui::ListView& lv, long order, int key);
