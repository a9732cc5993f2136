#pragma once

#include <QDialog>

#include <optional>

class QPushButton;
class QRadioButton;

// "Normalization of the objective function": without normalization (chosen
// each time the dialog opens) or the L2 norm of each objective's
// coefficients.
class NormalizationDialog : public QDialog {
    Q_OBJECT
public:
    explicit NormalizationDialog(QWidget* parent = nullptr);

    // Shows the dialog modally: true for L2, false without normalization,
    // nullopt when closed without OK.
    std::optional<bool> choose();

    QRadioButton* withoutButton() const { return without_; }
    QRadioButton* l2Button() const { return l2_; }
    QPushButton* okButton() const { return ok_; }

private:
    QRadioButton* without_;
    QRadioButton* l2_;
    QPushButton* ok_;
};
