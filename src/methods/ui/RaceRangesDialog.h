#pragma once

#include "methods/ParetoRace.h"
#include "solutions/ui/GridDialog.h"

// "Ranges for the objective functions" (Pareto Race): a column per
// objective with its lower and upper value. The core checks the texts.
class RaceRangesDialog : public GridDialog {
    Q_OBJECT
public:
    explicit RaceRangesDialog(QWidget* parent = nullptr);

    // The typed cells, nullopt unless closed with OK.
    std::optional<RaceRangeTexts> PedeRangesFO_ParetoRace(const QStringList& names, const QStringList& lower,
                                                          const QStringList& upper);

    QPushButton* okButton() const { return acceptButton(); }
};
