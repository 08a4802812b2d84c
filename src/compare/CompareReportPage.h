#pragma once
// The compare reports' HTML: the not-started page of a row added to the
// compare list, the status table of the whole list, and the report page file
// "_temp_03.html" that wraps a report.
#include <QString>
#include <functional>
#include <vector>

namespace bkl::compare {

// The object summary of a row added by Add and not compared yet: one bold cell
// "** Compare Status: Not Started".
QString NotStartedPage();

// One compare-list row as shown: NAME, TYPE and STATUS texts.
struct CompareRowTexts {
    QString name;
    QString type;
    QString status;
};

// The status table: the source and target model rows (the labels' captions),
// the header row and one row per compare row, its status cell coloured by the
// trimmed STATUS ("Mismatch" #FF0000, "Identical" #00FF00, "Not Exists"
// #0000A0, "Error" #C05000, anything else #000000). Every text from the list or the labels is
// HTML-escaped. `afterRow` runs after each list row (the caller pumps events).
QString StatusSummaryTable(const QString& sourceModel, const QString& targetModel,
                           const std::vector<CompareRowTexts>& rows, const std::function<void()>& afterRow = {});

// The report page: "<html><body>", "<br><br>", the fragment as one line and
// "</body></html>", each followed by CR LF.
QString CompareReportPageText(const QString& fragment);

// ApplicationFolderPath("temp") + "_temp_03.html".
QString CompareReportPagePath();

} // namespace bkl::compare
