#pragma once

#include "solutions/ui/GridDialog.h"
#include "workspace/Workspace.h"

#include <QStringList>

#include <optional>

class UiPort;

// "Change axis bounds": a grid with the objective names in the top row and
// the "Min" and "Max" bounds of every objective's axis below them.
class AxisBoundsDialog : public GridDialog {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 20;
    static constexpr int kFirstColumnWidth = 45;
    static constexpr int kColumnWidth = 75;

    explicit AxisBoundsDialog(QWidget* parent = nullptr);

    // Typed texts of the "Min" and "Max" rows, one per objective.
    struct Typed {
        QStringList mins;
        QStringList maxs;
    };
    // Shows the grid with mins[i] and maxs[i] (as NumText) of objectives
    // 1..k modally; the typed texts, or nullopt unless closed with "Change".
    std::optional<Typed> edit(const Workspace& ws, const vectorObj& mins, const vectorObj& maxs);

    // The whole exchange: the grid, then the check of the typed texts (see
    // EditAxisBounds); its messages go to `ui`. When they are accepted the
    // new bounds replace mins/maxs. True exactly when some bound changed.
    bool PedeEscalasFs_ParaGraficos(const Workspace& ws, UiPort& ui, vectorObj& mins, vectorObj& maxs);

    QPushButton* changeButton() const { return acceptButton(); }
};
