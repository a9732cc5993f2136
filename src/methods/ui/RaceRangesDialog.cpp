#include "methods/ui/RaceRangesDialog.h"

#include "methods/Messages.h"
#include "solutions/ui/GridFitting.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kRowHeight = 20;
constexpr int kFontSize = 9;
constexpr int kLabelWidth = 90;
constexpr int kColumnWidth = 80;
constexpr int kMaxGridWidth = 760;

} // namespace

RaceRangesDialog::RaceRangesDialog(QWidget* parent)
    : QDialog(parent), grid_(new QTableWidget(3, 1, this)), ok_(new QPushButton(QStringLiteral("OK"), this))
{
    setWindowTitle(QString::fromUtf8(msg::kRangesTitle));
    QFont font = grid_->font();
    font.setPointSize(kFontSize);
    grid_->setFont(font);
    grid_->horizontalHeader()->hide();
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(kRowHeight);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked
                           | QAbstractItemView::EditKeyPressed);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    ok_->setDefault(true);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(ok_, QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        CommitOpenEditor(grid_);
        QDialog::accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

std::optional<RaceRangeTexts> RaceRangesDialog::PedeRangesFO_ParetoRace(const QStringList& names,
                                                                        const QStringList& lower,
                                                                        const QStringList& upper)
{
    const int k = static_cast<int>(names.size());
    grid_->clear();
    grid_->setColumnCount(k + 1);
    // The first column and the top row are fixed captions.
    auto fixed = [](const QString& text) {
        auto* item = new QTableWidgetItem(text);
        item->setFlags(Qt::ItemIsEnabled);
        item->setBackground(QPalette().button());
        return item;
    };
    grid_->setItem(0, 0, fixed(QString()));
    grid_->setItem(1, 0, fixed(QString::fromUtf8(msg::kRangesLower)));
    grid_->setItem(2, 0, fixed(QString::fromUtf8(msg::kRangesUpper)));
    grid_->setColumnWidth(0, kLabelWidth);
    for (int c = 1; c <= k; ++c) {
        grid_->setItem(0, c, fixed(names[c - 1]));
        for (int r = 1; r <= 2; ++r) {
            const QStringList& values = r == 1 ? lower : upper;
            auto* item = new QTableWidgetItem(c - 1 < values.size() ? values[c - 1] : QString());
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grid_->setItem(r, c, item);
        }
        grid_->setColumnWidth(c, kColumnWidth);
    }
    const int width = std::min(kMaxGridWidth, kLabelWidth + k * kColumnWidth + 4);
    grid_->setFixedSize(width, 3 * kRowHeight + 4 + (width == kMaxGridWidth ? 16 : 0));
    grid_->setCurrentCell(1, 1);
    grid_->setFocus();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    RaceRangeTexts typed;
    for (int c = 1; c <= k; ++c) {
        typed.lower << grid_->item(1, c)->text();
        typed.upper << grid_->item(2, c)->text();
    }
    return typed;
}
