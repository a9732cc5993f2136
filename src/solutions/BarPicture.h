#pragma once

#include "solutions/Payoff.h"
#include "workspace/Workspace.h"

#include <QColor>
#include <QImage>
#include <QSize>

// Grey of the frame lines: the usual button-shadow colour of the desktop.
inline const QColor kButtonShadowGrey(160, 160, 160);
// Limitation lines and their value texts.
inline const QColor kLimitLineGrey(0xC0, 0xC0, 0xC0);
inline const QColor kLimitTextGrey(0x80, 0x80, 0x80);

// Pixel layout of the bar picture: one group per objective, one bar per shown
// record (newest rightmost), scaled between nadir and ideal.
struct BarLayout {
    int shownCount = 0;   // N = min(viewLastN, historyCount)
    int barWidth = 0;
    int groupGap = 0;     // 2 * barWidth
    int extra = 0;        // width left over when the bars hit their widest
    int leftMargin = 0;   // x of the first group
    int barMaxHeight = 0; // height of a full bar
    int textHeight = 0;
    int baseline = 0;     // y0 = barMaxHeight + 30
    QSize pictureSize;    // fills the pane, larger when the bars need it

    // x of the first slot of objective k (1-based).
    int groupX(int k) const { return leftMargin + (k - 1) * (groupGap + barWidth * shownCount); }
    // x of the bar of record i (1 = newest) in objective k's group.
    int barX(int k, int i) const { return groupX(k) + (shownCount - i) * barWidth; }
    // Half the span the frame lines reach beyond a group's bars.
    int frameOverhang() const { return (groupGap - groupGap / 3) / 2; }
};

BarLayout ComputeBarLayout(const Workspace& ws, QSize paneSize, int textHeight);

// Height in pixels of value x of objective k: where x lies between the worse
// and the better end of the objective's range; a value worse than the nadir
// estimate gets no bar (maximized) or a full one (minimized). Rounded to
// nearest, halves to even.
int BarHeight(const Workspace& ws, int k, Real x, int barMaxHeight);

// The height of the text "F" in the picture's font.
int BarTextHeight();

// Draws the picture of the shown history records for a pane of paneSize.
// `thick` outlines the newest bars with a 2-pixel pen (right after a new
// computation). Needs a QGuiApplication for the fonts.
QImage DrawSolutionBars(const Workspace& ws, QSize paneSize, bool thick);
