#pragma once

class QTableWidget;

// The look and editing of the small value grids: fixed rows of `rowHeight`
// without row headers, fixed columns, one cell selected, typing replaces a
// cell's text, no vertical scroll bar.
void SetUpOneRowGrid(QTableWidget* grid, int rowHeight);

// Sizes a small grid to show every column up to `maxWidth` (then it scrolls
// sideways) and its rows without a vertical scroll bar.
void FitGrid(QTableWidget* grid, int maxWidth);

// A cell still being edited when its dialog closes counts with its text.
void CommitOpenEditor(QTableWidget* grid);
