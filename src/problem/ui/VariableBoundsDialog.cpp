#include "problem/ui/VariableBoundsDialog.h"

#include "problem/EditorMessages.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QString text(const char* s) { return QString::fromUtf8(s); }
} // namespace

VariableBoundsDialog::VariableBoundsDialog(QWidget* parent)
    : QDialog(parent), index_(new QLabel(this)), name_(new QLineEdit(this)), lower_(new QLineEdit(this)),
      upper_(new QLineEdit(this)), ok_(new QPushButton(text(editmsg::kOk), this)),
      next_(new QPushButton(text(editmsg::kNext), this)), previous_(new QPushButton(text(editmsg::kPrevious), this)),
      goTo_(new QPushButton(text(editmsg::kGoTo), this))
{
    setWindowTitle(text(editmsg::kVariableDialogTitle));
    name_->setMaxLength(MaxVarNameLength);
    index_->setMinimumWidth(40);

    auto* top = new QFormLayout;
    top->addRow(text(editmsg::kVarIndex), index_);
    top->addRow(text(editmsg::kName), name_);

    auto* bounds = new QGroupBox(text(editmsg::kBoundsGroup), this);
    auto* boundsForm = new QFormLayout(bounds);
    boundsForm->addRow(text(editmsg::kLowerBound), lower_);
    boundsForm->addRow(text(editmsg::kUpperBound), upper_);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {ok_, next_, previous_, goTo_}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    next_->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(bounds);
    layout->addLayout(buttons);
    setSizeGripEnabled(false);

    connect(ok_, &QPushButton::clicked, this, &VariableBoundsDialog::onOk);
    connect(next_, &QPushButton::clicked, this, [this] {
        if (editor_)
            showFields(editor_->boundsNext(fields()));
    });
    connect(previous_, &QPushButton::clicked, this, [this] {
        if (editor_)
            showFields(editor_->boundsPrevious(fields()));
    });
    connect(goTo_, &QPushButton::clicked, this, [this] {
        if (editor_)
            showFields(editor_->boundsGoTo(fields()));
    });
}

bool VariableBoundsDialog::edit(ProblemEditor& editor)
{
    editor_ = &editor;
    showFields(editor.Poe_Dados(1));
    const bool accepted = exec() == QDialog::Accepted;
    editor_ = nullptr;
    return accepted;
}

void VariableBoundsDialog::showFields(const VariableFields& fields)
{
    shownIndex_ = fields.index;
    index_->setText(QString::number(fields.index));
    name_->setText(fields.name);
    lower_->setText(fields.lower);
    upper_->setText(fields.upper);
    name_->setFocus();
    name_->selectAll();
}

VariableFields VariableBoundsDialog::fields() const
{
    return VariableFields{shownIndex_, name_->text(), lower_->text(), upper_->text()};
}

void VariableBoundsDialog::onOk()
{
    if (!editor_)
        return;
    if (editor_->boundsAccept(fields()))
        accept();
    else
        showFields(editor_->Poe_Dados(shownIndex_));
}
