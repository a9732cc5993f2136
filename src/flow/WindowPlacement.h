#pragma once

#include <QRect>
#include <QSize>

// Where the program's windows open. Pure geometry, so that the rules can be
// checked without a screen: the widgets pass their frame sizes and the
// screen's free area.

// `r` moved, and shrunk where it is larger, so that it lies wholly inside
// `available`.
QRect KeepInside(const QRect& r, const QRect& available);

// A window of `size` opened beside the main window's frame `anchor`: to its
// right when it fits there, else to its left, else on the side with more
// room. A window that fits on neither side is narrowed to the larger side
// when it can be as narrow as `minimumWidth`, else it overlaps the main
// window as little as the screen allows. `slot` moves the n-th window down a
// little, so that two windows opened together do not hide each other's
// title bars. The result lies inside `available`.
QRect PlaceBeside(const QRect& anchor, QSize size, const QRect& available, int slot = 0, int minimumWidth = 0);

// The main window's first place when nothing was remembered: `preferred`
// size, narrowed down to `minimumWidth` where that leaves the views room on
// its right, shrunk to the screen, at the left of the screen.
QRect FirstMainWindowPlace(QSize preferred, const QRect& available, int minimumWidth = 0);
