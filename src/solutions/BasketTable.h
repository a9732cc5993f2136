#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

struct Workspace;

// The Solution Basket as a table: the order of its rows, the texts of the
// values window and the tab-separated text file.

// Fills list[1..basketCount] with the basket indices 1..basketCount
// (list[0] is not used and holds 0). With key > 0 and a non-empty basket
// they are then sorted by basket[index].f[key], ascending or descending, by
// a quicksort whose partitioning fixes the order among equal values: the
// pivot is the value at the middle position (lo + hi) / 2; i runs up from
// lo past values before the pivot, j down from hi past values after it;
// list[i] and list[j] are swapped while i <= j; then lo..j and i..hi are
// sorted in turn. Key 0 keeps the index order whatever `ascending` says.
void SortBasketIndices(const Workspace& ws, int key, bool ascending, std::vector<int>& list);

// The two basket views keep a sort order each: the values window
// (ValuesSortKey/ValuesSortAscending) and the bar chart of the graphs window
// (GraphSortKey/GraphSortAscending). Key 0 is the solution index, k > 0
// objective k.
enum class BasketSortView { Values, Graphs };
struct BasketSortOrder {
    int key = 0;
    bool ascending = true;
};
BasketSortOrder BasketSort(const Workspace& ws, BasketSortView view);
void SetBasketSort(Workspace& ws, BasketSortView view, BasketSortOrder order);

// What a column of the values grid shows.
enum class BasketColumnKind { Index, Objective, Variable, Slack };

// The values grid as texts: 1 + k + n + m columns and basketCount + 1 rows.
// Row 0 holds the names (empty above the index column); row r holds the
// solution order[r]: "[s]", its objective values, its decision variables and
// its slacks, each as NumText. The rows follow ValuesSortKey and
// ValuesSortAscending.
struct BasketTableModel {
    int rowCount = 1;
    int columnCount = 1;
    std::vector<int> order;               // order[1..rowCount-1]; order[0] unused
    std::vector<BasketColumnKind> kinds;  // one per column
    std::vector<QStringList> cells;       // cells[row][column]

    const QString& text(int row, int column) const { return cells[static_cast<size_t>(row)][column]; }
    BasketColumnKind kind(int column) const { return kinds[static_cast<size_t>(column)]; }
};

BasketTableModel MakeBasketTable(const Workspace& ws);

// Column widths of the values grid, in pixels.
constexpr int kBasketDefaultColumnWidth = 45;
constexpr int kBasketRowHeight = 18;

// Room a column keeps beside its widest text: 15 for objective columns
// (their texts are bold), 10 for the others.
int BasketColumnMargin(BasketColumnKind kind);
// The width of a column after a text of `textWidth` pixels was put into
// it: widened to textWidth + margin when that is more, never narrowed.
int WidenBasketColumn(int width, int textWidth, BasketColumnKind kind);

// "[7]" for solution 7, and back; 0 when the text is not of that form.
QString BasketIndexText(int index);
int BasketIndexFromText(const QString& text);

// The text file of the values grid, in Windows-1252 with CR LF line ends and
// no line end after the last line: "solution #" and a TAB before each
// objective, variable and slack name; then per solution, in the order of the
// values window, "solution" + index and a TAB before each objective value
// and each variable and slack value in the 23-character file format.
QByteArray BasketTableText(const Workspace& ws);

// Writes BasketTableText to `path` through WriteWholeFile: a failed write
// leaves the old file as it was. Empty when written, otherwise the text to
// show: "Cannot write <path>: <the system's reason>".
QString WriteBasketTable(const Workspace& ws, const QString& path);
