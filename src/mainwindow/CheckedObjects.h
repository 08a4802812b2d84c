#pragma once
// The hand-off of the object list's checked rows to the export dialog and the
// compare window: the rows as handed over, one name list per kind, and the
// count the export dialog's progress is sized from.
#include <QString>
#include <array>
#include <vector>

namespace bkl::mainwindow {

// One row of the object list: item text (NAME) and type text (TYPE).
struct ObjectRowTexts {
    QString name;
    QString type;
};

struct CheckedObjects {
    // One ObjectNameList per kind in the fixed kind order (Tables ... Presentor
    // Reports): "|" + the trimmed item text of each checked row of the kind,
    // in row order; the empty text for a kind without checked rows.
    std::array<QString, 7> lists;
    // Every checked row, in row order, name and type stripped of blanks (rows
    // of an unknown type included).
    std::vector<ObjectRowTexts> rows;

    long count() const { return static_cast<long>(rows.size()); }
    // The export dialog's hidden record count: the number of checked rows plus one.
    QString recordCountCaption() const { return QString::number(count() + 1); }
};

// Groups the checked rows (given in row order). A row's kind is its type text
// trimmed and upper-cased ("TABLE", ..., "PRESENTOR REPORT"); a row of any
// other type joins no list but is still handed over and counted.
CheckedObjects CollectCheckedObjects(const std::vector<ObjectRowTexts>& checkedRows);

} // namespace bkl::mainwindow
