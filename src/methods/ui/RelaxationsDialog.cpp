#include "methods/ui/RelaxationsDialog.h"

#include "methods/Messages.h"
#include "solutions/ui/GridFitting.h"

#include <QHeaderView>
#include <QLayout>
#include <QScrollBar>
#include <QTableWidget>

#include <algorithm>

namespace {

constexpr int kRowHeight = 22;
constexpr int kNameWidth = 130;
constexpr int kAmountWidth = 110;
constexpr int kMaxGridHeight = 480;

} // namespace

RelaxationsDialog::RelaxationsDialog(QWidget* parent)
    : GridDialog(0, 2, QStringLiteral("OK"), QStringLiteral("Cancel"), parent)
{
    setWindowTitle(QString::fromUtf8(msg::kRelaxTitle));
    // Unlike the other grid dialogs, not held at its grid's size.
    layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
    QTableWidget* g = grid();
    g->setHorizontalHeaderLabels({QString::fromUtf8(msg::kRelaxFunctions), QString::fromUtf8(msg::kRelaxAmounts)});
    g->verticalHeader()->hide();
    g->verticalHeader()->setDefaultSectionSize(kRowHeight);
    g->setColumnWidth(0, kNameWidth);
    g->setColumnWidth(1, kAmountWidth);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked
                       | QAbstractItemView::EditKeyPressed);
}

std::optional<QStringList> RelaxationsDialog::PedeRelaxacoes(const QStringList& names, const QStringList& amounts,
                                                             const std::function<bool(const QStringList&)>& check)
{
    QTableWidget* g = grid();
    g->setRowCount(static_cast<int>(names.size()));
    for (int r = 0; r < g->rowCount(); ++r) {
        auto* name = new QTableWidgetItem(names[r]);
        name->setFlags(Qt::ItemIsEnabled);
        g->setItem(r, 0, name);
        auto* amount = new QTableWidgetItem(r < amounts.size() ? amounts[r] : QStringLiteral("0"));
        amount->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        g->setItem(r, 1, amount);
    }
    FitColumnsToTexts(g, 0);
    g->setColumnWidth(0, std::max(g->columnWidth(0), kNameWidth));
    g->setColumnWidth(1, std::max(g->columnWidth(1), kAmountWidth));
    const int height = g->horizontalHeader()->height() + kRowHeight * g->rowCount() + 4;
    const int bar = height > kMaxGridHeight ? g->verticalScrollBar()->sizeHint().width() : 0;
    g->setFixedSize(g->columnWidth(0) + g->columnWidth(1) + 4 + bar, std::min(height, kMaxGridHeight));
    g->setCurrentCell(0, 1);
    g->setFocus();
    adjustSize();

    if (!run([&] { return !check || check(typedAmounts()); }))
        return std::nullopt;
    return typedAmounts();
}

QStringList RelaxationsDialog::typedAmounts() const { return columnTexts(1, 0, grid()->rowCount()); }
