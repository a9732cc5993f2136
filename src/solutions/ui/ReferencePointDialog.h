#pragma once

#include "solutions/ui/GridDialog.h"

#include <QStringList>

#include <functional>
#include <optional>

// "Reference Point": a grid with a column per objective, its name above and
// the reference value below. OK hands the typed texts to a check and closes
// only when the check accepts them.
class ReferencePointDialog : public GridDialog {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 25;
    static constexpr int kColumnWidth = 75;

    explicit ReferencePointDialog(QWidget* parent = nullptr);

    // Shows the grid modally. On "&OK" `check` receives the typed texts;
    // false keeps the dialog open. The accepted texts, or nullopt on Cancel.
    std::optional<QStringList> edit(const QStringList& names, const QStringList& values,
                                    const std::function<bool(const QStringList&)>& check);

    QPushButton* okButton() const { return acceptButton(); }

private:
    QStringList typedValues() const;
};
