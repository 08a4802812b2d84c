#pragma once
// Window layouts are given in twips (1/1440 inch), 15 to a pixel at 96 dots per inch.
#include "mainwindow/ResizeRule.h"

#include <QWidget>

namespace bkl {

inline int Px(int twips) { return twips / mainwindow::kTwipsPerPixel; }

// Positions a control; all values in twips.
inline void Place(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(Px(left), Px(top), Px(width), Px(height));
}

} // namespace bkl
