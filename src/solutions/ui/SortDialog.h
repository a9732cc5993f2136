#pragma once

#include "solutions/BasketTable.h"

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QPushButton;
class QRadioButton;
struct Workspace;

// "Sort...": sort by the solution index or by one objective, ascending or
// descending. Serves the values window and the bar chart of the basket. The
// objective list is read from the workspace at every opening.
class SortDialog : public QDialog {
    Q_OBJECT
public:
    explicit SortDialog(const Workspace& ws, QWidget* parent = nullptr);

    // Shows the dialog modally with the choices reset to "Solution index",
    // the first objective of the list and "ascending". On OK, `funcao` is 0
    // for the solution index or the chosen objective's number, `ascending`
    // tells the direction, and the result is true. On Cancel the result is
    // false and both stay as they were.
    bool RecolheParamSort(int& funcao, bool& ascending);

    // The "Sort" command of a basket view: the dialog, and on OK the view's
    // order becomes the chosen one (SetBasketSort). True when it changed
    // hands, so the view shows itself again.
    bool sortBasket(Workspace& ws, BasketSortView view);

    // Puts the choices back to their opening state and reloads the names.
    void resetChoices();

    QRadioButton* indexButton() const { return byIndex_; }
    QRadioButton* objectiveButton() const { return byObjective_; }
    QComboBox* objectiveList() const { return objectives_; }
    QRadioButton* ascendingButton() const { return ascending_; }
    QRadioButton* descendingButton() const { return descending_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    const Workspace& ws_;
    QRadioButton* byIndex_;
    QRadioButton* byObjective_;
    QComboBox* objectives_;
    QRadioButton* ascending_;
    QRadioButton* descending_;
    QPushButton* ok_;
    QPushButton* cancel_;
};
