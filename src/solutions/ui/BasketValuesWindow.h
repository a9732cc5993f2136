#pragma once

#include "solutions/BasketTable.h"

#include <QAbstractScrollArea>
#include <QWidget>

#include <functional>
#include <vector>

class QPainter;
class QToolButton;
class SortDialog;
class UiPort;
struct Workspace;

// A grid of texts whose first row and first column stay in place while the
// other cells scroll under them. Columns have their own widths (the default
// width until set), all rows one height; cells are separated by one-pixel
// lines. How a cell is drawn is left to `drawCell`; without it the text is
// written at the left in the grid's font.
class TextGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TextGrid(QWidget* parent = nullptr);

    // New dimensions: every text is cleared and every column takes the
    // default width.
    void setDimensions(int columns, int rows);
    int columnCount() const { return static_cast<int>(widths_.size()); }
    int rowCount() const { return rows_; }

    void setDefaultColumnWidth(int width) { defaultWidth_ = width; }
    int defaultColumnWidth() const { return defaultWidth_; }
    void setRowHeight(int height);
    int rowHeight() const { return rowHeight_; }
    int columnWidth(int column) const { return widths_[static_cast<size_t>(column)]; }
    void setColumnWidth(int column, int width);

    QString text(int column, int row) const;
    void setText(int column, int row, const QString& text);

    // The cell's rectangle in viewport coordinates, with the scrolling.
    QRect cellRect(int column, int row) const;
    // Width and height of all cells with their lines.
    QSize contentSize() const;

    std::function<void(QPainter&, const QRect&, int column, int row)> drawCell;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    QSize viewportSizeHint() const override;

private:
    void updateScrollBars();
    int columnLeft(int column) const;
    void paintCell(QPainter& painter, int column, int row);

    std::vector<int> widths_;
    mutable std::vector<int> lefts_; // left edge of each column, and the total width at the end
    int rows_ = 0;
    int defaultWidth_ = 64;
    int rowHeight_ = 24;
    std::vector<QString> texts_; // row by row
};

// "Solution values": the Solution Basket as a grid, one row per solution and
// one column per objective, decision variable and slack, in the order chosen
// with its "Sort" button; "Save as a text file" writes the same table to a
// file. Created once and shown again on request; every display refills it
// from the workspace.
class BasketValuesWindow : public QWidget {
    Q_OBJECT
public:
    BasketValuesWindow(Workspace& ws, UiPort& ui, QWidget* parent = nullptr);

    // Refills the grid from the workspace and shows the window in front.
    void mostraValores();
    // Refills the grid without showing the window.
    void fill();

    TextGrid* grid() const { return grid_; }
    QToolButton* saveButton() const { return save_; }
    QToolButton* sortButton() const { return sort_; }
    SortDialog* sortDialog() const { return sortDialog_; }
    // The basket index shown in each row (position 0 unused).
    const std::vector<int>& order() const { return table_.order; }
    const BasketTableModel& table() const { return table_; }

    // The fonts of the cells; column widths are measured with them.
    QFont cellFont(int column, int row) const;

public slots:
    // "Save as a text file"
    void saveAsText();
    // "Sort": the sort dialog, then the grid in the new order.
    void sortRows();

private:
    bool isBold(int column, int row) const;
    void drawCell(QPainter& painter, const QRect& rect, int column, int row);
    QSize fittingSize() const;

    Workspace& ws_;
    UiPort& ui_;
    TextGrid* grid_;
    QToolButton* save_;
    QToolButton* sort_;
    SortDialog* sortDialog_;
    BasketTableModel table_;
};
