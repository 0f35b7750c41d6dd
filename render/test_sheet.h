#pragma once

#include <QPicture>

#include <array>

#include "print_output.h"

class TFDrukuj;

// The calibration test sheet: one page picture per side of a certificate, with crosshairs and a
// millimetre ruler, placed like every document by the margin rectangle of its side. Each mark is
// labelled with where it lands, in millimetres from the paper's top-left corner, for the margins
// the sheet is drawn for; the paper's own edge is the reference, so a teacher measures with a
// ruler and corrects X1/Y1/X2/Y2 by the difference (the instruction is on the sheet).
//
// Label conventions the reader (and the tests) rely on: a horizontal number starts exactly at
// the vertical line it measures (its left edge is the line); a number written downwards starts
// exactly at the horizontal line it measures. Every such number is followed by the word "mm":
// crosshair labels carry one decimal ("18,6 mm"), ruler numbers are whole millimetres ("50 mm");
// no other number of the sheet is followed by "mm" alone.

// Side `side` (1 or 2) of the sheet, labelled for `margins`.
QPicture testSheetPage(int side, const MarginRect& margins);

// Both sides, each labelled for its own margins.
std::array<QPicture, 2> testSheetPages(const MarginRect& page1, const MarginRect& page2);

// Where a page unit lands on the paper, in millimetres from its top-left corner, when the page
// is stretched into `margins` (left/top edge of the page at X1/Y1, right/bottom at X2/Y2).
double dFunSheetMillimetresX(double unitX, const MarginRect& margins);
double dFunSheetMillimetresY(double unitY, const MarginRect& margins);

// The calibration window's "Drukuj arkusz testowy": the print dialog with the sheet's two sides.
// The sheet is drawn again from the dialog's margin fields when "Drukuj" is pressed, so the
// labels are true for whatever preset or arrow changes the user printed with. Returns the
// dialog's result.
int iFunPrintTestSheet(TFDrukuj& dialog);
