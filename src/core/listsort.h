#pragma once
// Sorting a report-style list view by one of its columns, shared by the list
// dialogs' column-click handlers.
#include "platform/ui/listview.h"

// Kinds of comparison SortListView knows.
enum SortKind { sortText = 0, sortNumber = 1, sortDate = 2 };

// Sorts the list by the 1-based column, ascending for order 0 and descending
// for order 1. Text compares the cells as the list view does; number and date
// rewrite the column into text whose order is the values' order, let the list
// sort and write the cells back (a number column's 0 and empty cells come back
// empty, a date column comes back as "mm/dd/yyyy"). Any other kind does
// nothing. Returns true when done (also for an unknown kind); on an error it
// shows "ERROR IN SORT ROUTINE:" with the error, makes the list visible again
// and returns false, leaving the cells rewritten so far as they are.
bool SortListView(ui::ListView& lv, int column, long order, long kind);

// Sets the list's sort order when order is 0 or 1 (any other value keeps the
// order it had), the 0-based sort key, and switches sorting on.
void ApplySort(ui::ListView& lv, long order, int key);
