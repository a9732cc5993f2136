#pragma once

#include "flow/DialogPort.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Choose-an-objective dialog: a combo box of objective names, with nothing
// selected when it opens, and optionally a "Limitation value:" field. It only
// collects the choice; the caller checks it.
class ChooseObjectiveDialog : public QDialog {
    Q_OBJECT
public:
    explicit ChooseObjectiveDialog(QWidget* parent = nullptr);

    // Shows the dialog modally. The value field is shown only when
    // `withValue`. Placed with its top-left corner at (x, y) when both are
    // positive, else centred on the parent window. nullopt unless closed
    // with "Ok".
    std::optional<ObjectiveChoice> choose(const QString& title, const QString& prompt, const QStringList& names,
                                          bool withValue, int x, int y);

    QLabel* promptLabel() const { return prompt_; }
    QComboBox* objectiveBox() const { return objectives_; }
    QLabel* valueLabel() const { return valueLabel_; }
    QLineEdit* valueEdit() const { return value_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    void placeAt(int x, int y);

    QLabel* prompt_;
    QComboBox* objectives_;
    QLabel* valueLabel_;
    QLineEdit* value_;
    QPushButton* ok_;
    QPushButton* cancel_;
};
