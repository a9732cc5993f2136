#pragma once

#include "flow/ProblemEditor.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// "Variable definition": the name and bounds of one variable at a time, with
// "&Next", "&Previous" and "&Go to...". The editor stores and checks what is
// typed; the dialog only shows the fields it is given back.
class VariableBoundsDialog : public QDialog {
    Q_OBJECT
public:
    explicit VariableBoundsDialog(QWidget* parent = nullptr);

    // Opens modally on variable 1 of `editor`; true when closed with "&OK".
    bool edit(ProblemEditor& editor);

    void showFields(const VariableFields& fields);
    VariableFields fields() const;

    QLabel* indexLabel() const { return index_; }
    QLineEdit* nameEdit() const { return name_; }
    QLineEdit* lowerEdit() const { return lower_; }
    QLineEdit* upperEdit() const { return upper_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* nextButton() const { return next_; }
    QPushButton* previousButton() const { return previous_; }
    QPushButton* goToButton() const { return goTo_; }

private:
    void onOk();

    ProblemEditor* editor_ = nullptr;
    int shownIndex_ = 1;
    QLabel* index_;
    QLineEdit* name_;
    QLineEdit* lower_;
    QLineEdit* upper_;
    QPushButton* ok_;
    QPushButton* next_;
    QPushButton* previous_;
    QPushButton* goTo_;
};
