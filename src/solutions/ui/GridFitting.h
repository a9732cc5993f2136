#pragma once

class QTableWidget;

// Sizes a small grid to show every column up to `maxWidth` (then it scrolls
// sideways) and its rows without a vertical scroll bar.
void FitGrid(QTableWidget* grid, int maxWidth);

// A cell still being edited when its dialog closes counts with its text.
void CommitOpenEditor(QTableWidget* grid);
