#pragma once
// Select All and Copy of the page shown in the program's browser, measured: the
// time until the clipboard holds the copy, the rows it holds as text (lines with
// a tab) and as HTML (row tags), and the longest gap between two turns of the
// window's event loop meanwhile. And Copy of a selection over most rows of a page
// shown from its display copy, as the user makes it (a click on the third row,
// Ctrl+End, a shift-click near the last row), with the renderer's peak meanwhile.
#include <QString>

namespace bkl {
class WebBrowser;
}

namespace bench {

struct CopyTimes {
    double copiedMs = 0; // 0 when the clipboard got nothing within the limit
    long long textRows = 0;
    long long htmlRows = 0;
    double longestGapMs = 0;
};

CopyTimes SelectAllAndCopy(bkl::WebBrowser& browser);

// Copies the rows of the page's first long table from its third row (the header
// row counting as the first) to the fourth last, and prints the goal line: every
// one of them on the clipboard as text and as HTML within 3 s, the renderer at most
// 1.5 GB and alive. Nothing for a page shown as it is.
void PrintPartialCopy(const QString& title, bkl::WebBrowser& browser);

} // namespace bench
