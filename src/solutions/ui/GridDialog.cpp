#include "solutions/ui/GridDialog.h"

#include "solutions/ui/GridFitting.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

GridDialog::GridDialog(int rows, int columns, const QString& acceptCaption, const QString& cancelCaption,
                       QWidget* parent)
    : QDialog(parent), grid_(new QTableWidget(rows, columns, this)), accept_(new QPushButton(acceptCaption, this)),
      cancel_(new QPushButton(cancelCaption, this))
{
    accept_->setDefault(true);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(accept_, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel_, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &GridDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString GridDialog::cellText(int row, int column) const
{
    const QTableWidgetItem* item = grid_->item(row, column);
    return item ? item->text() : QString();
}

QStringList GridDialog::rowTexts(int row, int firstColumn, int count) const
{
    QStringList out;
    for (int c = firstColumn; c < firstColumn + count; ++c)
        out << cellText(row, c);
    return out;
}

QStringList GridDialog::columnTexts(int column, int firstRow, int count) const
{
    QStringList out;
    for (int r = firstRow; r < firstRow + count; ++r)
        out << cellText(r, column);
    return out;
}

bool GridDialog::run(const std::function<bool()>& check)
{
    check_ = check;
    const bool accepted = exec() == QDialog::Accepted;
    check_ = nullptr;
    return accepted;
}

void GridDialog::accept()
{
    CommitOpenEditor(grid_);
    if (check_ && !check_())
        return;
    QDialog::accept();
}
