#include "solutions/ui/PayoffWindow.h"

#include "solutions/Payoff.h"
#include "workspace/Workspace.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kMaxTableWidth = 900;
constexpr int kMaxTableHeight = 560;
// Room around a cell's text (the style's margins on both sides).
constexpr int kTextMargin = 12;

const QColor kFixedColor(192, 192, 192); // silver

QTableWidgetItem* fixedItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    item->setBackground(kFixedColor);
    item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return item;
}

} // namespace

PayoffWindow::PayoffWindow(QWidget* parent)
    : QDialog(parent), table_(new QTableWidget(this)), ok_(new QPushButton(QStringLiteral("OK"), this))
{
    setWindowTitle(QStringLiteral("Pay-Off table"));
    setModal(true);

    table_->horizontalHeader()->hide();
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setMinimumSectionSize(10);
    table_->horizontalHeader()->setDefaultSectionSize(kCellWidth);
    table_->verticalHeader()->setDefaultSectionSize(kCellHeight);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setFocusPolicy(Qt::NoFocus);

    ok_->setDefault(true);
    auto* buttons = new QDialogButtonBox(this);
    buttons->setCenterButtons(true);
    buttons->setMinimumWidth(200);
    buttons->addButton(ok_, QDialogButtonBox::AcceptRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void PayoffWindow::fill(const Workspace& ws)
{
    table_->clear();
    table_->setVisible(ws.payoffComputed);
    if (!ws.payoffComputed) {
        table_->setRowCount(0);
        table_->setColumnCount(0);
        return;
    }

    const int p = ws.numObjectives;
    table_->setRowCount(p + 1);
    table_->setColumnCount(p + 1);

    const std::vector<QStringList> grid = PayoffGrid(ws);
    for (int l = 0; l <= p; ++l)
        table_->setItem(0, l, fixedItem(grid[0][l]));
    for (int k = 1; k <= p; ++k) {
        table_->setItem(k, 0, fixedItem(grid[static_cast<std::size_t>(k)][0]));
        for (int l = 1; l <= p; ++l) {
            auto* cell = new QTableWidgetItem(grid[static_cast<std::size_t>(k)][l]);
            cell->setFlags(Qt::ItemIsEnabled);
            cell->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            if (k == l) {
                QFont bold = table_->font();
                bold.setBold(true);
                cell->setFont(bold);
            }
            table_->setItem(k, l, cell);
        }
    }
    // Columns keep their default widths unless a name or a number would
    // not fit.
    int width = 0;
    for (int c = 0; c <= p; ++c) {
        int needed = c == 0 ? kFirstColumnWidth : kCellWidth;
        for (int r = 0; r <= p; ++r) {
            const QTableWidgetItem* item = table_->item(r, c);
            const QFontMetrics metrics(item->font());
            needed = std::max(needed, metrics.horizontalAdvance(item->text()) + kTextMargin);
        }
        table_->setColumnWidth(c, needed);
        width += needed;
    }

    // The window fits the grid; a large table scrolls.
    const int frame = 2 * table_->frameWidth();
    width += frame;
    const int height = (p + 1) * kCellHeight + frame;
    const bool scrollsX = width > kMaxTableWidth;
    const bool scrollsY = height > kMaxTableHeight;
    const int bar = table_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, table_);
    table_->setHorizontalScrollBarPolicy(scrollsX ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    table_->setVerticalScrollBarPolicy(scrollsY ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    table_->setFixedSize(std::min(width, kMaxTableWidth) + (scrollsY ? bar : 0),
                         std::min(height, kMaxTableHeight) + (scrollsX ? bar : 0));
}

void PayoffWindow::showTable(const Workspace& ws)
{
    fill(ws);
    ok_->setFocus();
    exec();
}
