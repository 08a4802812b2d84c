#pragma once
// The openings of the value cells of every compared section: the source cell's,
// the target cell's when equal and when it differs (orange, with the text colour
// of its section). The literal blanks differ from set to set and are part of the
// page ("<font  face" against "<font face", "valign='top'>" against "valign='top' >").
#include "compare/ComparisonPage.h"

namespace bkl::compare::cells {

// Table type: red text when it differs.
const CellOpenings& TableType();
// Record count: the equal target cell has one blank in "<font face"; no text colour.
const CellOpenings& RecordCount();
// Top-aligned, white text when it differs: table columns and the calculation's
// multi-line sections.
const CellOpenings& TopAlignedWhite();
// Top-aligned without a blank before ">", red text when it differs: view columns
// and a calendar's time hierarchy.
const CellOpenings& TopAlignedRed();
// A view's dependent objects: the equal target cell has a blank before ">".
const CellOpenings& ViewDependentObjects();
// The calculation's one-line sections: white text when it differs.
const CellOpenings& CalculationPlain();
// Presentor report sections: black text when it differs.
const CellOpenings& PresentorReport();

} // namespace bkl::compare::cells
