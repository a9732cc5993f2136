#include "solutions/ui/ChooseObjectiveDialog.h"

#include "solutions/ui/GridFitting.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

ChooseObjectiveDialog::ChooseObjectiveDialog(QWidget* parent)
    : QDialog(parent), prompt_(new QLabel(this)), objectives_(new QComboBox(this)),
      valueLabel_(new QLabel(QStringLiteral("Limitation value:"), this)), value_(new QLineEdit(this)),
      ok_(new QPushButton(QStringLiteral("Ok"), this)), cancel_(new QPushButton(QStringLiteral("Cancel"), this))
{
    prompt_->setBuddy(objectives_);
    objectives_->setMinimumWidth(180);
    objectives_->setPlaceholderText(QStringLiteral("(none)"));
    valueLabel_->setBuddy(value_);

    auto* fields = new QGridLayout;
    fields->setColumnStretch(1, 1);
    fields->addWidget(prompt_, 0, 0, 1, 2);
    fields->addWidget(objectives_, 1, 0, 1, 2);
    fields->addWidget(valueLabel_, 2, 0);
    fields->addWidget(value_, 2, 1);

    ok_->setDefault(true);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(ok_, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel_, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addSpacing(6);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

std::optional<ObjectiveChoice> ChooseObjectiveDialog::choose(const QString& title, const QString& prompt,
                                                             const QStringList& names, bool withValue, int x, int y)
{
    setWindowTitle(title);
    FitTitle(this);
    prompt_->setText(prompt);
    objectives_->clear();
    objectives_->addItems(names);
    objectives_->setCurrentIndex(-1);
    value_->clear();
    valueLabel_->setVisible(withValue);
    value_->setVisible(withValue);
    adjustSize();
    placeAt(x, y);
    objectives_->setFocus();

    if (exec() != QDialog::Accepted)
        return std::nullopt;
    ObjectiveChoice choice;
    choice.selected = objectives_->currentIndex();
    if (withValue)
        choice.valueText = value_->text();
    return choice;
}

void ChooseObjectiveDialog::placeAt(int x, int y)
{
    if (x > 0 && y > 0) {
        move(x, y);
        return;
    }
    // Once moved, a dialog keeps its place; centre it again explicitly.
    QRect area;
    if (QWidget* owner = parentWidget())
        area = owner->window()->frameGeometry();
    else if (QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isValid())
        move(area.center() - QPoint(width() / 2, height() / 2));
}
