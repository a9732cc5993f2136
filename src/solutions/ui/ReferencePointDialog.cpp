#include "solutions/ui/ReferencePointDialog.h"

#include "solutions/ui/GridFitting.h"

#include <QAbstractItemDelegate>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kMaxGridWidth = 720;

} // namespace

ReferencePointDialog::ReferencePointDialog(QWidget* parent)
    : QDialog(parent), grid_(new QTableWidget(1, 0, this)), ok_(new QPushButton(QStringLiteral("&OK"), this)),
      cancel_(new QPushButton(QStringLiteral("&Cancel"), this))
{
    setWindowTitle(QStringLiteral("Reference Point"));
    SetUpOneRowGrid(grid_, kRowHeight);

    ok_->setDefault(true);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(ok_, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel_, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &ReferencePointDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

std::optional<QStringList> ReferencePointDialog::edit(const QStringList& names, const QStringList& values,
                                                      const std::function<bool(const QStringList&)>& check)
{
    grid_->clear();
    grid_->setColumnCount(static_cast<int>(names.size()));
    grid_->setRowCount(1);
    grid_->setHorizontalHeaderLabels(names);
    const QFontMetrics metrics = grid_->horizontalHeader()->fontMetrics();
    for (int c = 0; c < grid_->columnCount(); ++c) {
        grid_->setColumnWidth(c, std::max(kColumnWidth, metrics.horizontalAdvance(names[c]) + 16));
        auto* item = new QTableWidgetItem(c < values.size() ? values[c] : QString());
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid_->setItem(0, c, item);
    }
    FitGrid(grid_, kMaxGridWidth);
    grid_->setCurrentCell(0, 0);
    grid_->setFocus();

    check_ = check;
    const bool accepted = exec() == QDialog::Accepted;
    check_ = nullptr;
    if (!accepted)
        return std::nullopt;
    return typedValues();
}

void ReferencePointDialog::accept()
{
    CommitOpenEditor(grid_);
    if (check_ && !check_(typedValues()))
        return;
    QDialog::accept();
}

QStringList ReferencePointDialog::typedValues() const
{
    QStringList out;
    for (int c = 0; c < grid_->columnCount(); ++c)
        out << (grid_->item(0, c) ? grid_->item(0, c)->text() : QString());
    return out;
}
