#include "solutions/ui/ReferencePointDialog.h"

#include "solutions/ui/GridFitting.h"

#include <QHeaderView>
#include <QTableWidget>


ReferencePointDialog::ReferencePointDialog(QWidget* parent)
    : GridDialog(1, 0, QStringLiteral("&OK"), QStringLiteral("&Cancel"), parent)
{
    setWindowTitle(QStringLiteral("Reference Point"));
    SetUpOneRowGrid(grid(), kRowHeight);
}

std::optional<QStringList> ReferencePointDialog::edit(const QStringList& names, const QStringList& values,
                                                      const std::function<bool(const QStringList&)>& check)
{
    QTableWidget* g = grid();
    g->clear();
    g->setColumnCount(static_cast<int>(names.size()));
    g->setRowCount(1);
    g->setHorizontalHeaderLabels(names);
    for (int c = 0; c < g->columnCount(); ++c) {
        auto* item = new QTableWidgetItem(c < values.size() ? values[c] : QString());
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        g->setItem(0, c, item);
    }
    FitColumnsToTexts(g, kColumnWidth);
    FitGrid(g);
    g->setCurrentCell(0, 0);
    g->setFocus();

    if (!run([&] { return !check || check(typedValues()); }))
        return std::nullopt;
    return typedValues();
}

QStringList ReferencePointDialog::typedValues() const { return rowTexts(0, 0, grid()->columnCount()); }
