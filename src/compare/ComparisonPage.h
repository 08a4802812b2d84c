#pragma once
// The comparison page of one object: a table with the object, source-model and
// target-model title rows, then either the not-exists row or a SOURCE / TARGET
// row per compared section, the target cell marked where the two texts differ;
// and the status digit that goes in front of the page.
#include "compare/CompareSides.h"

#include <QString>

namespace bkl::compare {

inline constexpr char kComparisonTableOpen[] =
    "<table border='1' align = 'center' bgcolor='#CCCCFF' bordercolorlight='#000066' width='100%'  cellspacing='0' cellpadding='0'>";

// Status digits of a compare result. "3": the existence test, a fetch or the
// comparator failed on either side; the page shows the failure's ERROR line.
inline constexpr char kStatusMismatch[] = "0";
inline constexpr char kStatusIdentical[] = "1";
inline constexpr char kStatusNotExists[] = "2";
inline constexpr char kStatusError[] = "3";

// "<tr ><td colspan='3'><b><font  face='Calibri' size='2'>" text "</font></b></td></tr>";
// `text` is HTML (a title literal followed by an escaped value).
QString TitleRow(const QString& text);

// The orange row "** <kind> Not exists in target model **" across the three columns.
QString NotExistsRow(const QString& kind);

// The error's line (escaped) in bold dark orange across the three columns.
QString ErrorRow(const QString& errorLine);

// The header row: an empty label cell, "SOURCE" and "TARGET".
QString SourceTargetHeaderRow();

// The openings of a section's two value cells, each ending in "face='": the
// source cell's, the target cell's when the texts are equal and when they differ.
struct CellOpenings {
    QString source;
    QString equal;
    QString differing;
};

// A value cell: the opening, "Calibri' size='2'>", the value, "</font></td>".
QString ValueCellWith(const QString& opening, const QString& value);

class ComparisonPage {
public:
    // Starts the page: the table opening and the three title rows, the first one
    // `objectTitle` (e.g. "Table Name: ") and `name`. Name and captions are
    // escaped here.
    ComparisonPage(const QString& objectTitle, const QString& name, const CompareSides& sides);

    // The compare result of an object the target model lacks: "2" and the page
    // closed by the not-exists row of `kind` ("Table", "View", ...).
    QString notExists(const QString& kind);

    // The compare result of an object that could not be compared: "3" and the
    // title rows closed by the row with `errorLine`; sections added so far are left out.
    QString failed(const QString& errorLine) const;

    // Appends the SOURCE / TARGET header row.
    void startSections();

    // Appends one section row: the bold label cell (`label` e.g. "Table Type:"),
    // the source value and the target value, whose cell takes the differing
    // opening when the two texts are not exactly equal. Values are HTML.
    void addSection(const QString& label, const CellOpenings& openings, const QString& source,
                    const QString& target);

    // The compare result: "0" when a section differed, else "1", and the closed page.
    QString finish() const;

private:
    QString titles_;
    QString html_;
    bool differs_ = false;
};

} // namespace bkl::compare
