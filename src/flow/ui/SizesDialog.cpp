#include "flow/ui/SizesDialog.h"

#include "flow/Messages.h"
#include "solutions/ui/GridFitting.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

SizesDialog::SizesDialog(Validator validator, QWidget* parent)
    : QDialog(parent), validator_(std::move(validator)), objectives_(new QLineEdit(this)),
      variables_(new QLineEdit(this)), constraints_(new QLineEdit(this))
{
    setWindowTitle(QString::fromUtf8(msg::kSizesTitle));
    auto* grid = new QGridLayout;
    const std::pair<const char*, QLineEdit*> rows[] = {
        {msg::kSizesObjectives, objectives_},
        {msg::kSizesVariables, variables_},
        {msg::kSizesConstraints, constraints_},
    };
    int row = 0;
    for (const auto& [caption, edit] : rows) {
        auto* label = new QLabel(QString::fromUtf8(caption), this);
        label->setBuddy(edit);
        edit->setMaximumWidth(80);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        ++row;
    }
    auto* note = new QLabel(QString::fromUtf8(msg::kSizesConstraintsNote), this);
    grid->addWidget(note, row, 0);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &SizesDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SizesDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    reset();
    FitTitle(this);
}

void SizesDialog::reset()
{
    for (QLineEdit* edit : {objectives_, variables_, constraints_})
        edit->setText(QStringLiteral("0"));
    objectives_->selectAll();
    objectives_->setFocus();
}

int SizesDialog::objectives() const { return objectives_->text().trimmed().toInt(); }
int SizesDialog::variables() const { return variables_->text().trimmed().toInt(); }
int SizesDialog::constraints() const { return constraints_->text().trimmed().toInt(); }

void SizesDialog::accept()
{
    if (validator_(objectives_->text(), variables_->text(), constraints_->text()))
        QDialog::accept();
}
