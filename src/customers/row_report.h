#pragma once
// What the customer report and the receipt transaction report share: the
// institution's header, the look of the title, the headings and the cells,
// and the pull of one mahasiswa row per detail line. Their columns, which
// cells wrap and which stay one line, each layout says itself.
#include <initializer_list>

#include "platform/report/banded.h"
#include "platform/vb/dictionary.h"

// The report header as it prints: the settings object's institution name and
// address, and the logo from the program folder (a missing or unreadable
// file leaves the picture empty).
void isiKepalaLaporan(report::Label& name, report::Field& address, report::PictureBox& logo);

// The header's and the title's look: the name large and bold, the address in
// the body's size, both taking more lines for a long text (the rule and the
// rows below move down); the logo whole; the title centred, large and bold.
void styleHeader(report::Label& name, report::Field& address, report::PictureBox& logo, report::Label& title);
// Headings bold on one line; cells in the body's size.
void styleColumns(std::initializer_list<report::Label*> headings, std::initializer_list<report::Field*> cells);
// Cells that stay one line, their text smaller when it must.
void keepOneLine(std::initializer_list<report::Field*> cells);
// Cells that wrap in their column; the row grows with them.
void growWithText(std::initializer_list<report::Field*> cells);

// The row request: raises the counter; past the last row sets eof, else takes
// the row stored under the counter, counts the running number on from its
// text (1, 2, 3 from an empty or "0" text) and fills the cells from baris1 on.
void fetchRow(const vb::Dictionary& rows, long& counter, bool& eof, report::Field& number,
                std::initializer_list<report::Field*> cells);
// Every cell of a row as tall as the row.
void cellsAsTallAsRow(const report::Section& detail, std::initializer_list<report::Field*> cells);
