#pragma once

#include "nadir/EaNadir.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "Parameteres": the evolutionary algorithm's population size, mutation
// probability, number of iterations, the choice between a clock seed and a
// typed one, and the trace-file switch. The core checks the typed texts.
class EaParametersDialog : public QDialog {
    Q_OBJECT
public:
    explicit EaParametersDialog(QWidget* parent = nullptr);

    // Shows the dialog modally with `defaults` in its fields; the typed
    // fields, or nullopt on Cancel.
    std::optional<EaParameterTexts> edit(const EaParameterTexts& defaults);

    QLineEdit* populationField() const { return population_; }
    QLineEdit* mutationField() const { return mutation_; }
    QLineEdit* iterationsField() const { return iterations_; }
    QRadioButton* randomizeButton() const { return randomize_; }
    QRadioButton* seedButton() const { return seedChoice_; }
    QLineEdit* seedField() const { return seed_; }
    QCheckBox* traceBox() const { return trace_; }
    QPushButton* okButton() const { return ok_; }

private:
    QLineEdit* population_;
    QLineEdit* mutation_;
    QLineEdit* iterations_;
    QRadioButton* randomize_;
    QRadioButton* seedChoice_;
    QLineEdit* seed_;
    QCheckBox* trace_;
    QPushButton* ok_;
};
