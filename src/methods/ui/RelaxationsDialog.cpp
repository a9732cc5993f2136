#include "methods/ui/RelaxationsDialog.h"

#include "methods/Messages.h"
#include "solutions/ui/GridFitting.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kRowHeight = 22;
constexpr int kNameWidth = 130;
constexpr int kAmountWidth = 110;
constexpr int kMaxGridHeight = 480;

} // namespace

RelaxationsDialog::RelaxationsDialog(QWidget* parent)
    : QDialog(parent), grid_(new QTableWidget(0, 2, this)), ok_(new QPushButton(QStringLiteral("OK"), this))
{
    setWindowTitle(QString::fromUtf8(msg::kRelaxTitle));
    grid_->setHorizontalHeaderLabels({QString::fromUtf8(msg::kRelaxFunctions), QString::fromUtf8(msg::kRelaxAmounts)});
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(kRowHeight);
    grid_->setColumnWidth(0, kNameWidth);
    grid_->setColumnWidth(1, kAmountWidth);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked
                           | QAbstractItemView::EditKeyPressed);

    ok_->setDefault(true);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(ok_, QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &RelaxationsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    layout->addWidget(buttons);
}

std::optional<QStringList> RelaxationsDialog::PedeRelaxacoes(const QStringList& names, const QStringList& amounts,
                                                             const std::function<bool(const QStringList&)>& check)
{
    grid_->setRowCount(static_cast<int>(names.size()));
    for (int r = 0; r < grid_->rowCount(); ++r) {
        auto* name = new QTableWidgetItem(names[r]);
        name->setFlags(Qt::ItemIsEnabled);
        grid_->setItem(r, 0, name);
        auto* amount = new QTableWidgetItem(r < amounts.size() ? amounts[r] : QStringLiteral("0"));
        amount->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid_->setItem(r, 1, amount);
    }
    const int height = grid_->horizontalHeader()->height() + kRowHeight * grid_->rowCount() + 4;
    grid_->setFixedSize(kNameWidth + kAmountWidth + 4, std::min(height, kMaxGridHeight));
    grid_->setCurrentCell(0, 1);
    grid_->setFocus();
    adjustSize();

    check_ = check;
    const bool accepted = exec() == QDialog::Accepted;
    check_ = nullptr;
    if (!accepted)
        return std::nullopt;
    return typedAmounts();
}

void RelaxationsDialog::accept()
{
    CommitOpenEditor(grid_);
    if (check_ && !check_(typedAmounts()))
        return;
    QDialog::accept();
}

QStringList RelaxationsDialog::typedAmounts() const
{
    QStringList out;
    for (int r = 0; r < grid_->rowCount(); ++r)
        out << (grid_->item(r, 1) ? grid_->item(r, 1)->text() : QString());
    return out;
}
