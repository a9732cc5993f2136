#include "problem/ui/RandomNumbersDialog.h"

#include "problem/EditorMessages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
QString text(const char* s) { return QString::fromUtf8(s); }
} // namespace

RandomNumbersDialog::RandomNumbersDialog(QWidget* parent)
    : QDialog(parent), useR2_(new QCheckBox(QStringLiteral("R2"), this)),
      useR3_(new QCheckBox(QStringLiteral("R3"), this))
{
    setWindowTitle(text(editmsg::kRandomTitle));

    auto* ranges = new QGroupBox(text(editmsg::kIntegerRandom), this);
    auto* grid = new QGridLayout(ranges);
    grid->addWidget(new QLabel(QStringLiteral("R1"), ranges), 0, 0);
    grid->addWidget(useR2_, 1, 0);
    grid->addWidget(useR3_, 2, 0);
    for (int r = 0; r < 3; ++r) {
        min_[std::size_t(r)] = new QLineEdit(ranges);
        max_[std::size_t(r)] = new QLineEdit(ranges);
        prob_[std::size_t(r)] = new QLineEdit(ranges);
        for (QLineEdit* e : {min_[std::size_t(r)], max_[std::size_t(r)], prob_[std::size_t(r)]}) {
            e->setMaximumWidth(90);
            e->setAlignment(Qt::AlignRight);
        }
        grid->addWidget(new QLabel(text(editmsg::kBetween), ranges), r, 1);
        grid->addWidget(min_[std::size_t(r)], r, 2);
        grid->addWidget(new QLabel(text(editmsg::kAnd), ranges), r, 3);
        grid->addWidget(max_[std::size_t(r)], r, 4);
        grid->addWidget(new QLabel(text(editmsg::kProbability), ranges), r, 5);
        grid->addWidget(prob_[std::size_t(r)], r, 6);
    }

    auto* objects = new QGroupBox(text(editmsg::kObjectGroup), this);
    auto* objectLayout = new QVBoxLayout(objects);
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        object_[std::size_t(i)] = new QRadioButton(objects);
        group->addButton(object_[std::size_t(i)], i);
        objectLayout->addWidget(object_[std::size_t(i)]);
    }
    object_[0]->setText(text(editmsg::kForCurrentCell));
    object_[2]->setText(text(editmsg::kForAllCoefficients));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(useR2_, &QCheckBox::toggled, this, &RandomNumbersDialog::updateEnabling);
    connect(useR3_, &QCheckBox::toggled, this, &RandomNumbersDialog::updateEnabling);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ranges);
    layout->addWidget(objects);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void RandomNumbersDialog::updateEnabling()
{
    const bool r2 = useR2_->isChecked();
    const bool r3 = r2 && useR3_->isChecked();
    useR3_->setEnabled(r2);
    for (QLineEdit* e : {min_[1], max_[1], prob_[1]})
        e->setEnabled(r2);
    for (QLineEdit* e : {min_[2], max_[2], prob_[2]})
        e->setEnabled(r3);
}

void RandomNumbersDialog::load(const RandomFillSettings& settings, const RandomFillOffer& offer)
{
    for (int r = 0; r < 3; ++r) {
        const RandomRangeTexts& t = settings.ranges[std::size_t(r)];
        min_[std::size_t(r)]->setText(t.min);
        max_[std::size_t(r)]->setText(t.max);
        prob_[std::size_t(r)]->setText(t.prob);
    }
    useR2_->setChecked(settings.useR2);
    useR3_->setChecked(settings.useR3);
    object_[1]->setText(offer.secondItem);
    object_[2]->setVisible(offer.allCoefficients);
    int chosen = static_cast<int>(settings.object);
    if (chosen == 2 && !offer.allCoefficients)
        chosen = 0;
    object_[std::size_t(chosen)]->setChecked(true);
    updateEnabling();
}

RandomFillSettings RandomNumbersDialog::settings() const
{
    RandomFillSettings s;
    for (int r = 0; r < 3; ++r)
        s.ranges[std::size_t(r)] =
            RandomRangeTexts{min_[std::size_t(r)]->text(), max_[std::size_t(r)]->text(), prob_[std::size_t(r)]->text()};
    s.useR2 = useR2_->isChecked();
    s.useR3 = useR3_->isChecked();
    s.object = RandomObject::CurrentCell;
    for (int i = 0; i < 3; ++i)
        if (object_[std::size_t(i)]->isChecked() && !object_[std::size_t(i)]->isHidden())
            s.object = static_cast<RandomObject>(i);
    return s;
}

bool RandomNumbersDialog::ask(const RandomFillSettings& settings, const RandomFillOffer& offer)
{
    load(settings, offer);
    return exec() == QDialog::Accepted;
}
