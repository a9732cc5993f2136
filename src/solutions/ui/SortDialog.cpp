#include "solutions/ui/SortDialog.h"

#include "workspace/Workspace.h"
#include "solutions/ui/GridFitting.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

SortDialog::SortDialog(const Workspace& ws, QWidget* parent)
    : QDialog(parent), ws_(ws), byIndex_(new QRadioButton(QStringLiteral("Solution index"))),
      byObjective_(new QRadioButton), objectives_(new QComboBox),
      ascending_(new QRadioButton(QStringLiteral("ascending"))),
      descending_(new QRadioButton(QStringLiteral("descending"))),
      ok_(new QPushButton(QStringLiteral("OK"), this)), cancel_(new QPushButton(QStringLiteral("Cancel"), this))
{
    setWindowTitle(QStringLiteral("Sort..."));

    // The second item has no text of its own: the objective list beside it
    // says what it sorts by. Picking an objective selects that item.
    byObjective_->setAccessibleName(QStringLiteral("Objective"));
    objectives_->setMinimumContentsLength(10);
    objectives_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    connect(objectives_, &QComboBox::activated, byObjective_, [this] { byObjective_->setChecked(true); });

    auto* keyGroup = new QGroupBox(QStringLiteral("Sort by:"), this);
    auto* keys = new QGridLayout(keyGroup);
    keys->addWidget(byIndex_, 0, 0, 1, 2);
    keys->addWidget(byObjective_, 1, 0);
    keys->addWidget(objectives_, 1, 1);
    keys->setColumnStretch(1, 1);
    auto* keyButtons = new QButtonGroup(this);
    keyButtons->addButton(byIndex_);
    keyButtons->addButton(byObjective_);

    auto* directionGroup = new QGroupBox(this);
    auto* directions = new QHBoxLayout(directionGroup);
    directions->addWidget(ascending_);
    directions->addWidget(descending_);
    directions->addStretch(1);
    auto* directionButtons = new QButtonGroup(this);
    directionButtons->addButton(ascending_);
    directionButtons->addButton(descending_);

    ok_->setDefault(true);
    auto* buttons = new QDialogButtonBox(this);
    buttons->setCenterButtons(true);
    buttons->addButton(ok_, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel_, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(keyGroup);
    layout->addWidget(directionGroup);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    FitTitle(this);
}

void SortDialog::resetChoices()
{
    objectives_->clear();
    for (int i = 1; i <= ws_.numObjectives; ++i)
        objectives_->addItem(ws_.objName[i]);
    objectives_->setCurrentIndex(objectives_->count() > 0 ? 0 : -1);
    byObjective_->setEnabled(objectives_->count() > 0);
    objectives_->setEnabled(objectives_->count() > 0);
    byIndex_->setChecked(true);
    ascending_->setChecked(true);
}

bool SortDialog::RecolheParamSort(int& funcao, bool& ascending)
{
    resetChoices();
    ok_->setFocus();
    if (exec() != QDialog::Accepted)
        return false;
    funcao = byObjective_->isChecked() && objectives_->currentIndex() >= 0 ? objectives_->currentIndex() + 1 : 0;
    ascending = ascending_->isChecked();
    return true;
}

bool SortDialog::sortBasket(Workspace& ws, BasketSortView view)
{
    BasketSortOrder order = BasketSort(ws, view);
    if (!RecolheParamSort(order.key, order.ascending))
        return false;
    SetBasketSort(ws, view, order);
    return true;
}
