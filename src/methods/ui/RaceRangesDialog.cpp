#include "methods/ui/RaceRangesDialog.h"

#include "methods/Messages.h"
#include "solutions/ui/GridFitting.h"

#include <QHeaderView>
#include <QTableWidget>

#include <algorithm>

namespace {

constexpr int kRowHeight = 20;
constexpr int kFontSize = 9;
constexpr int kLabelWidth = 90;
constexpr int kColumnWidth = 80;

} // namespace

RaceRangesDialog::RaceRangesDialog(QWidget* parent)
    : GridDialog(3, 1, QStringLiteral("OK"), QStringLiteral("Cancel"), parent)
{
    setWindowTitle(QString::fromUtf8(msg::kRangesTitle));
    QTableWidget* g = grid();
    QFont font = g->font();
    font.setPointSize(kFontSize);
    g->setFont(font);
    g->horizontalHeader()->hide();
    g->verticalHeader()->hide();
    g->verticalHeader()->setDefaultSectionSize(kRowHeight);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked
                       | QAbstractItemView::EditKeyPressed);
    g->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

std::optional<RaceRangeTexts> RaceRangesDialog::PedeRangesFO_ParetoRace(const QStringList& names,
                                                                        const QStringList& lower,
                                                                        const QStringList& upper)
{
    const int k = static_cast<int>(names.size());
    QTableWidget* g = grid();
    g->clear();
    g->setColumnCount(k + 1);
    // The first column and the top row are fixed captions.
    auto fixed = [](const QString& text) {
        auto* item = new QTableWidgetItem(text);
        item->setFlags(Qt::ItemIsEnabled);
        item->setBackground(QPalette().button());
        return item;
    };
    g->setItem(0, 0, fixed(QString()));
    g->setItem(1, 0, fixed(QString::fromUtf8(msg::kRangesLower)));
    g->setItem(2, 0, fixed(QString::fromUtf8(msg::kRangesUpper)));
    for (int c = 1; c <= k; ++c) {
        g->setItem(0, c, fixed(names[c - 1]));
        for (int r = 1; r <= 2; ++r) {
            const QStringList& values = r == 1 ? lower : upper;
            auto* item = new QTableWidgetItem(c - 1 < values.size() ? values[c - 1] : QString());
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            g->setItem(r, c, item);
        }
    }
    FitColumnsToTexts(g, kColumnWidth);
    g->setColumnWidth(0, std::max(g->columnWidth(0), kLabelWidth));
    FitGrid(g);
    g->setCurrentCell(1, 1);
    g->setFocus();
    if (!run())
        return std::nullopt;
    RaceRangeTexts typed;
    typed.lower = rowTexts(1, 1, k);
    typed.upper = rowTexts(2, 1, k);
    return typed;
}
