#pragma once
// Where a report page may be cut into documents of its own that print as the
// page does: before each top-level block (a child of the body or of a div: an
// object of a preview, a section of a compare report) and before each row of a
// table. One pass over the page's tags, which keeps the elements open at each
// place: a document that begins at a cut opens them again (a row needs its table,
// with the table's own attributes, to look as it does in the page).
#include <QByteArrayView>
#include <vector>

namespace bkl {

struct PageCut {
    qsizetype at = 0;    // where the block or row starts (its `<`)
    qsizetype end = 0;   // where the block ends: the next cut that is not inside it, or the page's end
    qsizetype inner = 0; // the index of the next cut that is not inside it (the cuts between are inside)
    int openIndex = 0;   // into PageCuts::open: the elements open at `at`, opened after the head
    bool row = false;    // a table row
};

struct PageCuts {
    // Where the first cut is: what comes before (the head, the body's start tag,
    // the scripts and styles before the first block) is the head of every document.
    qsizetype headEnd = 0;
    std::vector<PageCut> cuts;
    // The start tags open at cuts, each list in the order they were opened: [start, end) of each tag.
    std::vector<std::vector<std::pair<qsizetype, qsizetype>>> open;
};

// The cuts of the page `html`. Markup inside scripts, styles and comments is not
// read as tags; an end tag the page leaves out is taken as HTML does for rows,
// cells and paragraphs.
PageCuts FindPageCuts(QByteArrayView html);

} // namespace bkl
