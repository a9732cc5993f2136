#pragma once

class QString;
class QTableWidget;
class QWidget;

// The look and editing of the small value grids: fixed rows of `rowHeight`
// without row headers, fixed columns, one cell selected, typing replaces a
// cell's text, no vertical scroll bar.
void SetUpOneRowGrid(QTableWidget* grid, int rowHeight);

// Widens every column to show its header and its widest cell whole, never
// narrower than `minWidth`.
void FitColumnsToTexts(QTableWidget* grid, int minWidth);

// The widest a dialog's grid may be: its screen's available width less the
// dialog's frame and margins.
int ScreenGridWidth(const QWidget* grid);

// Sizes a small grid to show every column up to ScreenGridWidth (then it
// scrolls sideways) and its rows without a vertical scroll bar.
void FitGrid(QTableWidget* grid);

// A cell still being edited when its dialog closes counts with its text.
void CommitOpenEditor(QTableWidget* grid);

// The width a window's title bar needs to show `title` whole: the text in a
// bold title font and room for the icon and the frame's buttons.
int TitleBarWidth(const QString& title);

// Keeps `dialog` at least as wide as its title bar needs, by widening its
// button box (a dialog held at its layout's size ignores its own minimum
// width), or the dialog itself when it has none. Call again when the title
// changes.
void FitTitle(QWidget* dialog);
