#pragma once

#include <QDialog>

#include <functional>

class QLineEdit;

// "Parameters": the sizes of a new problem. The core validates the typed
// texts; the dialog stays open while they are refused.
class SizesDialog : public QDialog {
    Q_OBJECT
public:
    using Validator = std::function<bool(const QString& objectives, const QString& variables,
                                         const QString& constraints)>;

    SizesDialog(Validator validator, QWidget* parent = nullptr);

    // Every opening starts from "0" in each field.
    void reset();
    QLineEdit* objectivesEdit() const { return objectives_; }
    QLineEdit* variablesEdit() const { return variables_; }
    QLineEdit* constraintsEdit() const { return constraints_; }
    int objectives() const;
    int variables() const;
    int constraints() const;

public slots:
    void accept() override;

private:
    Validator validator_;
    QLineEdit* objectives_;
    QLineEdit* variables_;
    QLineEdit* constraints_;
};
