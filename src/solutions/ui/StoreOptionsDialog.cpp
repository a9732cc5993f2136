#include "solutions/ui/StoreOptionsDialog.h"

#include "solutions/Messages.h"
#include "solutions/ui/GridFitting.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

StoreOptionsDialog::StoreOptionsDialog(QWidget* parent)
    : QDialog(parent), extreme_(new QRadioButton(QString::fromUtf8(msg::kStoreOnlyExtreme))),
      all_(new QRadioButton(QString::fromUtf8(msg::kStoreAll)))
{
    setWindowTitle(QString::fromUtf8(msg::kStoreOptionsTitle));
    // Only OK closes it: no close button in the title bar either.
    setWindowFlags(windowFlags() & ~Qt::WindowCloseButtonHint);
    auto* group = new QGroupBox(QString::fromUtf8(msg::kStoreOptionsCaption), this);
    auto* choices = new QVBoxLayout(group);
    choices->addWidget(extreme_);
    choices->addWidget(all_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &StoreOptionsDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
    FitTitle(this);
}

bool StoreOptionsDialog::choose(bool storeAll)
{
    (storeAll ? all_ : extreme_)->setChecked(true);
    exec();
    return all_->isChecked();
}
