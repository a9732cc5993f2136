#include "solutions/ui/GridDialog.h"

#include "solutions/ui/GridFitting.h"

#include <QAbstractItemDelegate>
#include <QDialogButtonBox>
#include <QEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

GridDialog::GridDialog(int rows, int columns, const QString& acceptCaption, const QString& cancelCaption,
                       QWidget* parent)
    : QDialog(parent), grid_(new QTableWidget(rows, columns, this)), accept_(new QPushButton(acceptCaption, this)),
      cancel_(new QPushButton(cancelCaption, this)), buttons_(new QDialogButtonBox(this))
{
    accept_->setDefault(true);
    buttons_->addButton(accept_, QDialogButtonBox::AcceptRole);
    buttons_->addButton(cancel_, QDialogButtonBox::RejectRole);
    connect(buttons_, &QDialogButtonBox::accepted, this, &GridDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Return in a cell being edited ends the edit, and then does what
    // Return does anywhere else in a dialog: it presses the default button.
    // Queued, so that the view has taken the typed text first.
    connect(grid_->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
            [this](QWidget*, QAbstractItemDelegate::EndEditHint hint) {
                if (hint == QAbstractItemDelegate::SubmitModelCache)
                    QMetaObject::invokeMethod(this, &GridDialog::pressDefault, Qt::QueuedConnection);
            });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    layout->addWidget(buttons_);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void GridDialog::pressDefault()
{
    if (isVisible() && accept_->isEnabled())
        accept_->click();
}

void GridDialog::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::WindowTitleChange)
        FitTitle(this);
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
