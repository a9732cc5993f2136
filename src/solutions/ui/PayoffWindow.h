#pragma once

#include <QDialog>

class QPushButton;
class QTableWidget;
struct Workspace;

// "Pay-Off table": row k holds the values of every objective at the solution
// computed for objective k, so that the diagonal (bold) is the ideal point.
// The first row and column name the objectives. Before the table is
// computed only the OK button shows.
class PayoffWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr int kFirstColumnWidth = 85;
    static constexpr int kCellWidth = 65;
    static constexpr int kCellHeight = 25;

    explicit PayoffWindow(QWidget* parent = nullptr);

    // Fills the grid from `ws` and shows the window modally.
    void showTable(const Workspace& ws);
    // Fills the grid without showing the window.
    void fill(const Workspace& ws);

    QTableWidget* table() const { return table_; }
    QPushButton* okButton() const { return ok_; }

private:
    QTableWidget* table_;
    QPushButton* ok_;
};
