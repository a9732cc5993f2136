#include "solutions/ui/NormalizationDialog.h"

#include "solutions/ui/GridFitting.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

NormalizationDialog::NormalizationDialog(QWidget* parent)
    : QDialog(parent), without_(new QRadioButton(QStringLiteral("Without normalization"))),
      l2_(new QRadioButton(QStringLiteral("Normalization L2"))), ok_(new QPushButton(QStringLiteral("OK"), this))
{
    setWindowTitle(QStringLiteral("Normalization of the objective function"));
    auto* group = new QGroupBox(this);
    group->setMinimumWidth(300);
    auto* choices = new QVBoxLayout(group);
    choices->addWidget(without_);
    choices->addWidget(l2_);

    ok_->setDefault(true);
    auto* buttons = new QDialogButtonBox(this);
    buttons->setCenterButtons(true);
    buttons->addButton(ok_, QDialogButtonBox::AcceptRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    FitTitle(this);
}

std::optional<bool> NormalizationDialog::choose()
{
    without_->setChecked(true);
    ok_->setFocus();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return l2_->isChecked();
}
