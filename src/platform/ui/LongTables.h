#pragma once
// The long tables of a report page, found by one pass over its tags: the tables
// a display copy shows a block at a time and printing prints a slice at a time.
#include <QByteArrayView>
#include <vector>

namespace bkl {

// One table to split: its start tag, where each of its rows starts, and where it ends.
struct LongTable {
    qsizetype start = 0;
    qsizetype openingEnd = 0;
    std::vector<qsizetype> rows; // where each `<tr` starts
    qsizetype rowsEnd = 0;       // where `</table>` starts
    qsizetype end = 0;           // after `</table>`
};

inline constexpr QByteArrayView kTableClose = "</table>";

// A tag named `name` at `at` (just after its `<`): the name, in any case, then what ends a
// tag name for the HTML tokenizer (a blank, `/` or `>`).
bool IsTag(QByteArrayView html, qsizetype at, QByteArrayView name);

// Where the tag that starts at `at` ends (after its `>`), or the end of the page.
qsizetype TagEnd(QByteArrayView html, qsizetype at);

// The innermost tables with more than `tableRows` rows whose rows hold no markup
// that would end or change the script element they are kept in (a comment or a
// script), in the order of the page. One pass over the tags.
std::vector<LongTable> FindLongTables(QByteArrayView html, qsizetype tableRows);

} // namespace bkl
