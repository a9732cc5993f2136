#pragma once

#include "solutions/ui/GridDialog.h"

#include <QStringList>

#include <functional>
#include <optional>

// "Relax Objective Functions" (STEM): a grid of "Functions" and "Relax
// Amounts", one row per objective. OK hands the amounts to the core's
// check and closes only when it accepts them.
class RelaxationsDialog : public GridDialog {
    Q_OBJECT
public:
    explicit RelaxationsDialog(QWidget* parent = nullptr);

    // `names` already end in " :". The accepted amounts, nullopt on Cancel.
    std::optional<QStringList> PedeRelaxacoes(const QStringList& names, const QStringList& amounts,
                                              const std::function<bool(const QStringList&)>& check);

    QPushButton* okButton() const { return acceptButton(); }

private:
    QStringList typedAmounts() const;
};
