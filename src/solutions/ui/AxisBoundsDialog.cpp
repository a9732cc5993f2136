#include "solutions/ui/AxisBoundsDialog.h"

#include "solutions/BasketCharts.h"
#include "base/NumberFormat.h"
#include "base/UiPort.h"
#include "solutions/ui/GridFitting.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>

#include <algorithm>

namespace {

const QColor kFixedColor(192, 192, 192);

QTableWidgetItem* fixedItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    item->setBackground(kFixedColor);
    return item;
}

} // namespace

AxisBoundsDialog::AxisBoundsDialog(QWidget* parent)
    : GridDialog(3, 1, QStringLiteral("Change"), QStringLiteral("Cancel"), parent)
{
    setWindowTitle(QStringLiteral("Change axis bounds"));
    QTableWidget* g = grid();
    QFont font = g->font();
    font.setPointSize(9);
    g->setFont(font);
    g->horizontalHeader()->hide();
    g->verticalHeader()->hide();
    g->verticalHeader()->setDefaultSectionSize(kRowHeight);
    g->verticalHeader()->setMinimumSectionSize(kRowHeight);
    g->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    g->horizontalHeader()->setDefaultSectionSize(kColumnWidth);
    g->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                           QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    g->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

std::optional<AxisBoundsDialog::Typed> AxisBoundsDialog::edit(const Workspace& ws, const vectorObj& mins,
                                                              const vectorObj& maxs)
{
    const int k = std::clamp(static_cast<int>(ws.numObjectives), 0, MaxObjectives);
    QTableWidget* g = grid();
    g->clear();
    g->setRowCount(3);
    g->setColumnCount(k + 1);
    g->setItem(0, 0, fixedItem(QString()));
    g->setItem(1, 0, fixedItem(QStringLiteral("Min")));
    g->setItem(2, 0, fixedItem(QStringLiteral("Max")));
    for (int i = 1; i <= k; ++i) {
        g->setItem(0, i, fixedItem(ws.objName[i]));
        g->setItem(1, i, new QTableWidgetItem(NumText(mins[i])));
        g->setItem(2, i, new QTableWidgetItem(NumText(maxs[i])));
    }

    FitColumnsToTexts(g, kFirstColumnWidth);
    for (int i = 1; i <= k; ++i)
        g->setColumnWidth(i, std::max(g->columnWidth(i), kColumnWidth));
    FitGrid(g);
    if (k >= 1)
        g->setCurrentCell(1, 1);
    g->setFocus();

    if (!run())
        return std::nullopt;
    return Typed{rowTexts(1, 1, k), rowTexts(2, 1, k)};
}

bool AxisBoundsDialog::PedeEscalasFs_ParaGraficos(const Workspace& ws, UiPort& ui, vectorObj& mins, vectorObj& maxs)
{
    const std::optional<Typed> typed = edit(ws, mins, maxs);
    if (!typed)
        return false;
    const AxisBoundsEdit result = EditAxisBounds(ws.numObjectives, mins, maxs, typed->mins, typed->maxs);
    for (const QString& message : result.messages)
        ui.showMessage(MsgKind::Information, message);
    if (!result.accepted)
        return false;
    mins = result.low;
    maxs = result.high;
    return result.changed;
}
