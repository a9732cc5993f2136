#pragma once

#include "solutions/ui/GridDialog.h"

#include <QStringList>

#include <optional>

// The weights of a weighted sum or of the Tchebycheff distance: a one-row
// grid with a column per objective. Headers given as "l1" or "w1" are shown
// as the Greek lambda or omega with the same number.
class WeightsDialog : public GridDialog {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 25;
    static constexpr int kColumnWidth = 70;

    explicit WeightsDialog(QWidget* parent = nullptr);

    // Shows the grid modally; the typed texts, or nullopt unless closed with
    // the accept button (captioned `acceptCaption`).
    std::optional<QStringList> edit(const QString& title, const QStringList& headers, const QStringList& values,
                                    const QString& acceptCaption);

    // "l3" -> "λ3", "w3" -> "ω3"; any other header unchanged.
    static QString displayHeader(const QString& header);
};
