#include "solutions/ui/AxisBoundsDialog.h"

#include "solutions/ui/GridFitting.h"

#include "solutions/BasketCharts.h"
#include "base/NumberFormat.h"
#include "base/UiPort.h"

#include <QAbstractItemDelegate>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kMaxGridWidth = 760;
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
    : QDialog(parent), grid_(new QTableWidget(3, 1, this)), change_(new QPushButton(QStringLiteral("Change"), this)),
      cancel_(new QPushButton(QStringLiteral("Cancel"), this))
{
    setWindowTitle(QStringLiteral("Change axis bounds"));
    QFont font = grid_->font();
    font.setPointSize(9);
    grid_->setFont(font);
    grid_->horizontalHeader()->hide();
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(kRowHeight);
    grid_->verticalHeader()->setMinimumSectionSize(kRowHeight);
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->horizontalHeader()->setDefaultSectionSize(kColumnWidth);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                           QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    change_->setDefault(true);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(change_, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel_, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

std::optional<AxisBoundsDialog::Typed> AxisBoundsDialog::edit(const Workspace& ws, const vectorObj& mins,
                                                              const vectorObj& maxs)
{
    const int k = std::clamp(static_cast<int>(ws.numObjectives), 0, MaxObjectives);
    grid_->clear();
    grid_->setRowCount(3);
    grid_->setColumnCount(k + 1);
    grid_->setColumnWidth(0, kFirstColumnWidth);
    grid_->setItem(0, 0, fixedItem(QString()));
    grid_->setItem(1, 0, fixedItem(QStringLiteral("Min")));
    grid_->setItem(2, 0, fixedItem(QStringLiteral("Max")));
    for (int i = 1; i <= k; ++i) {
        grid_->setColumnWidth(i, kColumnWidth);
        grid_->setItem(0, i, fixedItem(ws.objName[i]));
        grid_->setItem(1, i, new QTableWidgetItem(NumText(mins[i])));
        grid_->setItem(2, i, new QTableWidgetItem(NumText(maxs[i])));
    }

    // The grid shows every column up to kMaxGridWidth, then scrolls sideways.
    const int frame = 2 * grid_->frameWidth();
    const int columns = kFirstColumnWidth + k * kColumnWidth;
    const bool scrolls = columns + frame > kMaxGridWidth;
    int height = frame + 3 * kRowHeight;
    if (scrolls)
        height += grid_->horizontalScrollBar()->sizeHint().height();
    grid_->setHorizontalScrollBarPolicy(scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    grid_->setFixedSize(std::min(columns + frame, kMaxGridWidth), height);
    if (k >= 1)
        grid_->setCurrentCell(1, 1);
    grid_->setFocus();

    if (exec() != QDialog::Accepted)
        return std::nullopt;
    Typed typed;
    for (int i = 1; i <= k; ++i) {
        typed.mins << (grid_->item(1, i) ? grid_->item(1, i)->text() : QString());
        typed.maxs << (grid_->item(2, i) ? grid_->item(2, i)->text() : QString());
    }
    return typed;
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

void AxisBoundsDialog::accept()
{
    CommitOpenEditor(grid_);
    QDialog::accept();
}
