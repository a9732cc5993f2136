#pragma once

#include "flow/ProblemEditor.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "Random Numbers": up to three integer ranges with their probabilities and
// the cells to fill. The dialog only collects the entries; the editor checks
// them and fills the cells.
class RandomNumbersDialog : public QDialog {
    Q_OBJECT
public:
    explicit RandomNumbersDialog(QWidget* parent = nullptr);

    // Shows `settings` with the items of `offer`, modally; true on OK, with
    // settings() holding the entries.
    bool ask(const RandomFillSettings& settings, const RandomFillOffer& offer);
    void load(const RandomFillSettings& settings, const RandomFillOffer& offer);
    RandomFillSettings settings() const;

    QLineEdit* minEdit(int range) const { return min_[std::size_t(range)]; }
    QLineEdit* maxEdit(int range) const { return max_[std::size_t(range)]; }
    QLineEdit* probabilityEdit(int range) const { return prob_[std::size_t(range)]; }
    QCheckBox* r2Check() const { return useR2_; }
    QCheckBox* r3Check() const { return useR3_; }
    QRadioButton* objectButton(int item) const { return object_[std::size_t(item)]; }
    QPushButton* okButton() const { return ok_; }

private:
    void updateEnabling();

    std::array<QLineEdit*, 3> min_{};
    std::array<QLineEdit*, 3> max_{};
    std::array<QLineEdit*, 3> prob_{};
    QCheckBox* useR2_;
    QCheckBox* useR3_;
    std::array<QRadioButton*, 3> object_{};
    QPushButton* ok_ = nullptr;
};
