#include "mainwindow/ResizeRule.h"

namespace bkl::mainwindow {

StretchedSizes StretchToClientArea(int clientWidth, int clientHeight, StretchedSizes last)
{
    // The window was laid out at 19140 x 10185 twips with the list 6405 high
    // and the browser 12585 x 8955; each size follows the client area from there.
    StretchedSizes s = last;
    if (clientHeight - 10185 + 6405 > 0)
        s.listHeight = clientHeight - 3780;
    if (clientHeight - 10185 + 8955 > 0)
        s.browserHeight = clientHeight - 1230;
    if (clientWidth - 19140 + 12585 > 0)
        s.browserWidth = clientWidth - 6555;
    return s;
}

} // namespace bkl::mainwindow
