#include "methods/ui/IcwSelectionDialog.h"

#include "methods/Messages.h"
#include "solutions/ui/GridFitting.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

IcwSelectionDialog::IcwSelectionDialog(QWidget* parent)
    : QDialog(parent), heading_(new QLabel(this)), grid_(new QGridLayout), group_(new QButtonGroup(this)),
      status_(new QLabel(this)), ok_(new QPushButton(QStringLiteral("OK"), this))
{
    setWindowTitle(QString::fromUtf8(msg::kIcwSelectionTitle));
    group_->setExclusive(true);
    connect(group_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked && id >= 1 && id <= statusTexts_.size())
            status_->setText(statusTexts_[id - 1]);
    });
    auto* choicesBox = new QWidget(this);
    choicesBox->setLayout(grid_);
    grid_->setHorizontalSpacing(24);

    ok_->setDefault(true);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(ok_, QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    status_->setFrameShape(QFrame::StyledPanel);
    status_->setMinimumHeight(status_->sizeHint().height() + 6);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addWidget(choicesBox);
    layout->addWidget(buttons);
    layout->addWidget(status_);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    FitTitle(this);
}

QAbstractButton* IcwSelectionDialog::choice(int i) const { return group_->button(i); }

int IcwSelectionDialog::choiceCount() const { return static_cast<int>(group_->buttons().size()); }

void IcwSelectionDialog::setChoices(const QStringList& choices)
{
    for (QAbstractButton* old : group_->buttons()) {
        group_->removeButton(old);
        delete old;
    }
    // Two columns filled top to bottom, the first one the longer.
    const int count = static_cast<int>(choices.size());
    const int rows = (count + 1) / 2;
    for (int i = 0; i < count; ++i) {
        auto* radio = new QRadioButton(choices[i], this);
        group_->addButton(radio, i + 1);
        grid_->addWidget(radio, i % rows, i / rows);
    }
}

std::optional<int> IcwSelectionDialog::select(const QString& heading, const QStringList& choices,
                                              const QStringList& statusTexts)
{
    heading_->setText(heading);
    statusTexts_ = statusTexts;
    status_->clear();
    // Wide enough for every status text, so that the dialog keeps its size
    // while the person moves between the choices.
    int widest = 0;
    for (const QString& text : statusTexts)
        widest = std::max(widest, status_->fontMetrics().horizontalAdvance(text));
    status_->setMinimumWidth(widest + 2 * status_->frameWidth() + 8);
    setChoices(choices);
    if (QAbstractButton* first = choice(1))
        first->setFocus();
    adjustSize();
    if (QWidget* owner = parentWidget())
        move(owner->frameGeometry().center() - QPoint(width() / 2, height() / 2));
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return std::max(group_->checkedId(), 0);
}
