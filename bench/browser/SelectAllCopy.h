#pragma once
// Select All and Copy of the page shown in the program's browser, measured: the
// time until the clipboard holds the copy, the rows it holds as text (lines with
// a tab) and as HTML (row tags), and the longest gap between two turns of the
// window's event loop meanwhile.
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

} // namespace bench
