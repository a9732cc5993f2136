#include "nadir/ui/EaParametersDialog.h"

#include "nadir/NadirMessages.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QString text(const char* s) { return QString::fromUtf8(s); }

QLabel* note(const char* s, QWidget* parent)
{
    auto* label = new QLabel(text(s), parent);
    label->setWordWrap(true);
    QFont small = label->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    label->setFont(small);
    return label;
}

} // namespace

EaParametersDialog::EaParametersDialog(QWidget* parent)
    : QDialog(parent), population_(new QLineEdit(this)), mutation_(new QLineEdit(this)),
      iterations_(new QLineEdit(this)), randomize_(new QRadioButton(text(msg::kEaRandomize), this)),
      seedChoice_(new QRadioButton(text(msg::kEaSeedLabel), this)), seed_(new QLineEdit(this)),
      trace_(new QCheckBox(text(msg::kEaTraceLabel), this)), ok_(new QPushButton(QStringLiteral("OK"), this))
{
    setWindowTitle(text(msg::kEaDialogCaption));
    auto* grid = new QGridLayout;
    auto* populationLabel = new QLabel(text(msg::kEaPopulationLabel), this);
    populationLabel->setBuddy(population_);
    grid->addWidget(populationLabel, 0, 0);
    grid->addWidget(population_, 0, 1);
    grid->addWidget(note(msg::kEaPopulationNote, this), 1, 0, 1, 2);
    auto* mutationLabel = new QLabel(text(msg::kEaMutationLabel), this);
    mutationLabel->setBuddy(mutation_);
    grid->addWidget(mutationLabel, 2, 0);
    grid->addWidget(mutation_, 2, 1);
    auto* iterationsLabel = new QLabel(text(msg::kEaIterationsLabel), this);
    iterationsLabel->setBuddy(iterations_);
    grid->addWidget(iterationsLabel, 3, 0);
    grid->addWidget(iterations_, 3, 1);
    grid->addWidget(randomize_, 4, 0, 1, 2);
    grid->addWidget(seedChoice_, 5, 0);
    grid->addWidget(seed_, 5, 1);
    grid->addWidget(note(msg::kEaSeedNote, this), 6, 0, 1, 2);
    grid->addWidget(trace_, 7, 0, 1, 2);
    connect(seedChoice_, &QRadioButton::toggled, seed_, &QLineEdit::setEnabled);

    ok_->setDefault(true);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(ok_, QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(text(msg::kEaDialogHeading), this));
    layout->addLayout(grid);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

std::optional<EaParameterTexts> EaParametersDialog::edit(const EaParameterTexts& defaults)
{
    population_->setText(defaults.popSize);
    mutation_->setText(defaults.mutation);
    iterations_->setText(defaults.iterations);
    randomize_->setChecked(defaults.randomize);
    seedChoice_->setChecked(!defaults.randomize);
    seed_->setEnabled(!defaults.randomize);
    seed_->setText(defaults.seed);
    trace_->setChecked(defaults.trace);
    population_->setFocus();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    EaParameterTexts typed;
    typed.popSize = population_->text();
    typed.mutation = mutation_->text();
    typed.iterations = iterations_->text();
    typed.randomize = randomize_->isChecked();
    typed.seed = seed_->text();
    typed.trace = trace_->isChecked();
    return typed;
}
