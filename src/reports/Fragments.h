#pragma once
// The pieces every detail renderer is built from: the fixed HTML look (tables,
// cells, markers) and the text layout of export blocks (separator, caption line,
// fixed-width columns), plus the split of an "(id) name" item text.
// Renderers compose these; none re-types a table opening or a cell.
//
// The literal blanks are part of the look that stored pages and the model
// comparison rely on ("<font  face" with two blanks in detail cells, one in
// list cells; "align = 'center'"; two blanks before "cellspacing").
#include <QString>
#include <QStringList>
#include <stdexcept>

namespace bkl::reports {

// ---- HTML: fixed look --------------------------------------------------------

inline constexpr char kFontFace[] = "Calibri";
inline constexpr char kFontSize[] = "2";

// "<font  face='Calibri' size='2'>" (two blanks: detail cells).
QString FontOpen();
// "<font face='Calibri' size='2'>" (one blank: list cells).
QString ListFontOpen();

inline constexpr char kCentredDetailTableOpen[] =
    "<table border='1' align = 'center' bgcolor='#CCCCFF' bordercolorlight='#000066' width='80%'  cellspacing='0' cellpadding='0'>";
inline constexpr char kFullWidthDetailTableOpen[] =
    "<table border='1' bgcolor='#CCCCFF' bordercolorlight='#000066' width='100%'  cellspacing='0' cellpadding='0'>";
inline constexpr char kListTableOpen[] = "<table border='0' width='100%'>";
inline constexpr char kTableClose[] = "</table>";
inline constexpr char kRowOpen[] = "<tr>";
inline constexpr char kRowClose[] = "</tr>";

// What an HTML table renderer returns when it fails.
inline constexpr char kErrorSpacer[] = "<table border='0' width='100%'><tr><td>&nbsp;</td></tr></table>";
inline constexpr char kNbsp[] = "&nbsp;";
inline constexpr char kBr[] = "<br>";

// Markers, HTML and text alike.
inline constexpr char kNoDetails[] = "* No Details Available *";
inline constexpr char kNoneMarker[] = "* None *";

// "<tr>" cells "</tr>".
QString Row(const QString& cells);

// Bold heading cell: "<td width='20%' ><b><font  face='Calibri' size='2'>" label "</font></b></td>".
QString LabelCell(const QString& label, const QString& width = QStringLiteral("20%"));

// Plain grid cell: "<td width='20%' ><font  face='Calibri' size='2'>" value "</font></td>".
QString DataCell(const QString& value, const QString& width = QStringLiteral("20%"));

// Which "&nbsp;" a value cell puts around its value.
enum class ValuePadding { Both, LeadingOnly, TrailingOnly, None };

// Value cell of the full-width detail tables:
// "<td width='80%'>&nbsp;<font  face='Calibri' size='2'>" value "&nbsp;</font></td>",
// with the "&nbsp;" before / after the value dropped as `padding` says.
QString ValueCell(const QString& value, ValuePadding padding = ValuePadding::Both);

// Bold value cell: "<td width='80%' ><b><font  face='Calibri' size='2'>" value "</font></b></td>".
QString BoldValueCell(const QString& value);

// List cell: "<td > <font face='Calibri' size='2'>" lead value closing "</font></td>";
// the lead is "&nbsp;" (an indent in folder lists), the closing is per list (" " or "").
QString ListCell(const QString& value, const QString& closing = QString(),
                 const QString& lead = QString::fromLatin1(kNbsp));

// The list table with one list-cell row per value.
QString ListTable(const QStringList& values, const QString& closing = QString());

// ---- Text: export blocks -----------------------------------------------------

// Kind captions of the export blocks.
inline constexpr char kTableCaption[] = "Table: ";
inline constexpr char kViewCaption[] = "View: ";
inline constexpr char kCalendarCaption[] = "Calendar: ";
inline constexpr char kCalculationCaption[] = "Calculation: ";
inline constexpr char kCompensationPlanCaption[] = "Compensation Plan: ";
inline constexpr char kTailoredReportCaption[] = "Tailored Report: ";
inline constexpr char kPresentorReportCaption[] = "Presentor Report: ";

inline constexpr int kSeparatorWidth = 100;
inline constexpr int kTableSeparatorWidth = 150;

// `width` dashes and CR LF: the first line of a detail block.
QString SectionSeparator(int width = kSeparatorWidth);

// Caption, name and `lineEnds` CR LF (two for every kind but views).
QString CaptionLine(const QString& caption, const QString& name, int lineEnds = 2);

// Label (ending in ": "), value, CR LF, CR LF.
QString ScalarSection(const QString& label, const QString& value);

// A value of at most `width` characters padded with blanks to `width`; a longer
// value whole, followed by one TAB (later columns then no longer line up).
QString FixedColumn(const QString& value, int width);

// ---- Item texts ---------------------------------------------------------------

// An "(id) name" item text taken apart: the whole text stripped of blanks, the id
// between the first "(" and the first ")", and the name after that ")".
struct ItemTextParts {
    QString text;
    QString id;
    QString name;
};

// Thrown by the split (and by renderers for similar faults of their own input);
// the error handlers log its number and description like a database error.
class RenderError : public std::runtime_error {
public:
    RenderError(long number, const QString& description);
    long number() const { return number_; }
    const QString& description() const { return description_; }

private:
    long number_;
    QString description_;
};

// Error number and text of an item text whose ")" is missing or stands before "(".
inline constexpr long kInvalidArgumentNumber = 5;
inline constexpr char kInvalidArgumentText[] = "Invalid procedure call or argument";

// Splits an item text; throws RenderError when it has no ")" or its first ")"
// stands before its first "(". Without "(" the id is everything before ")".
ItemTextParts SplitItemText(const QString& itemText);

} // namespace bkl::reports
