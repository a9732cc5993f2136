#pragma once

#include "methods/ParetoRace.h"

#include <QDialog>

class QPushButton;
class QTableWidget;

// "Ranges for the objective functions" (Pareto Race): a column per
// objective with its lower and upper value. The core checks the texts.
class RaceRangesDialog : public QDialog {
    Q_OBJECT
public:
    explicit RaceRangesDialog(QWidget* parent = nullptr);

    // The typed cells, nullopt unless closed with OK.
    std::optional<RaceRangeTexts> PedeRangesFO_ParetoRace(const QStringList& names, const QStringList& lower,
                                                          const QStringList& upper);

    QTableWidget* grid() const { return grid_; }
    QPushButton* okButton() const { return ok_; }

private:
    QTableWidget* grid_;
    QPushButton* ok_;
};
