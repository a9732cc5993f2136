#include "solutions/ui/WeightsDialog.h"

#include "solutions/ui/GridFitting.h"

#include <QAbstractItemDelegate>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kMaxGridWidth = 720;

} // namespace

WeightsDialog::WeightsDialog(QWidget* parent)
    : QDialog(parent), grid_(new QTableWidget(1, 0, this)), accept_(new QPushButton(this)),
      cancel_(new QPushButton(QStringLiteral("Cancel"), this))
{
    SetUpOneRowGrid(grid_, kRowHeight);
    grid_->horizontalHeader()->setDefaultSectionSize(kColumnWidth);

    accept_->setDefault(true);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(accept_, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel_, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString WeightsDialog::displayHeader(const QString& header)
{
    static const QRegularExpression numbered(QStringLiteral("^([lw])(\\d+)$"));
    const QRegularExpressionMatch m = numbered.match(header);
    if (!m.hasMatch())
        return header;
    const QChar letter = m.captured(1) == QLatin1String("l") ? QChar(0x03BB) : QChar(0x03C9);
    return letter + m.captured(2);
}

std::optional<QStringList> WeightsDialog::edit(const QString& title, const QStringList& headers,
                                               const QStringList& values, const QString& acceptCaption)
{
    setWindowTitle(title);
    accept_->setText(acceptCaption);

    grid_->clear();
    grid_->setColumnCount(static_cast<int>(headers.size()));
    grid_->setRowCount(1);
    QStringList shown;
    for (const QString& h : headers)
        shown << displayHeader(h);
    grid_->setHorizontalHeaderLabels(shown);
    for (int c = 0; c < grid_->columnCount(); ++c) {
        auto* item = new QTableWidgetItem(c < values.size() ? values[c] : QString());
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid_->setItem(0, c, item);
    }
    FitGrid(grid_, kMaxGridWidth);
    grid_->setCurrentCell(0, 0);
    grid_->setFocus();

    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return typedValues();
}

void WeightsDialog::accept()
{
    CommitOpenEditor(grid_);
    QDialog::accept();
}

QStringList WeightsDialog::typedValues() const
{
    QStringList out;
    for (int c = 0; c < grid_->columnCount(); ++c)
        out << (grid_->item(0, c) ? grid_->item(0, c)->text() : QString());
    return out;
}
