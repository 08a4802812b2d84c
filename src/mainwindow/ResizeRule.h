#pragma once
// How the object-list window stretches its list and browser with the window.
// All values are twips (15 twips are one pixel at 96 dpi).

namespace bkl::mainwindow {

struct StretchedSizes {
    int listHeight = 6405;    // lvObjects
    int browserHeight = 8955; // wbObjects
    int browserWidth = 12585; // wbObjects
};

// The sizes for a client area of clientWidth x clientHeight: the list keeps
// 3780 twips for what lies above and below it, the browser 1230 in height and
// 6555 in width. A size that would not be positive keeps its value in `last`.
StretchedSizes StretchToClientArea(int clientWidth, int clientHeight, StretchedSizes last);

inline constexpr int kTwipsPerPixel = 15;

} // namespace bkl::mainwindow
