#pragma once

#include <QDialog>
#include <QString>

#include <functional>

class QDialogButtonBox;
class QPushButton;
class QTableWidget;

// The small dialogs that ask for a row of values (weights, reference point,
// axis bounds, race ranges, relaxations): a value grid over an accept and a
// cancel button, the dialog as large as its grid. Each dialog fills and
// sizes the grid its own way; accepting commits the cell still being edited
// and, while a check is set, closes only when the check agrees. Return in a
// cell being edited commits it and presses the accept button; the dialog is
// never narrower than its title needs.
class GridDialog : public QDialog {
    Q_OBJECT
public:
    GridDialog(int rows, int columns, const QString& acceptCaption, const QString& cancelCaption,
               QWidget* parent = nullptr);

    QTableWidget* grid() const { return grid_; }
    QPushButton* acceptButton() const { return accept_; }
    QPushButton* cancelButton() const { return cancel_; }

    // The text of a cell; empty when it has no item.
    QString cellText(int row, int column) const;
    // Texts of `count` cells from (row, column) on, along the row or down
    // the column.
    QStringList rowTexts(int row, int firstColumn, int count) const;
    QStringList columnTexts(int column, int firstRow, int count) const;

    // Shows the dialog modally; true when it was accepted. While it is
    // shown, accepting asks `check` (when given) first.
    bool run(const std::function<bool()>& check = {});

public slots:
    void accept() override;

protected:
    // A new title keeps the dialog wide enough to show it.
    void changeEvent(QEvent* event) override;

private:
    void pressDefault();

    QTableWidget* grid_;
    QPushButton* accept_;
    QPushButton* cancel_;
    QDialogButtonBox* buttons_;
    std::function<bool()> check_;
};
