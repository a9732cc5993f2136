#pragma once

#include <QDialog>

class QRadioButton;

// "Options to save solutions": which computed solutions enter the basket by
// themselves. Closed only by OK.
class StoreOptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit StoreOptionsDialog(QWidget* parent = nullptr);

    // Shows the dialog preset from `storeAll`; returns the choice.
    bool choose(bool storeAll);
    QRadioButton* allButton() const { return all_; }

protected:
    void reject() override {}

private:
    QRadioButton* extreme_;
    QRadioButton* all_;
};
