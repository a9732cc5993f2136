#include "solutions/ui/LimitationsDialog.h"

#include "solutions/Limitations.h"
#include "solutions/ui/GridFitting.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>

#include <algorithm>

LimitationsDialog::LimitationsDialog(QWidget* parent)
    : QDialog(parent), tabs_(new QTabBar(this)), check_(new QCheckBox(this)), value_(new QLineEdit(this)),
      accept_(new QPushButton(QStringLiteral("Insert"), this)),
      clearAll_(new QPushButton(QStringLiteral("Clear all"), this)),
      cancel_(new QPushButton(QStringLiteral("Cancel"), this))
{
    setWindowTitle(QStringLiteral("Limitations on the objective functions"));

    tabs_->setExpanding(false);
    tabs_->setUsesScrollButtons(true);
    tabs_->setDrawBase(false);

    // The page under the tabs: "<name> >=" [value] for the current objective.
    auto* page = new QFrame(this);
    page->setFrameShape(QFrame::StyledPanel);
    auto* row = new QHBoxLayout(page);
    row->setContentsMargins(16, 20, 16, 20);
    value_->setMinimumWidth(160);
    row->addWidget(check_);
    row->addWidget(value_, 1);

    auto* tabbed = new QVBoxLayout;
    tabbed->setSpacing(0);
    tabbed->addWidget(tabs_);
    tabbed->addWidget(page);

    accept_->setDefault(true);
    accept_->setAutoDefault(true);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(accept_, QDialogButtonBox::AcceptRole);
    buttons->addButton(clearAll_, QDialogButtonBox::ResetRole);
    buttons->addButton(cancel_, QDialogButtonBox::RejectRole);
    connect(accept_, &QPushButton::clicked, this, [this] { done(ResultAccept); });
    connect(clearAll_, &QPushButton::clicked, this, [this] { done(ResultClearAll); });
    connect(cancel_, &QPushButton::clicked, this, [this] { done(ResultCancel); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tabbed);
    layout->addSpacing(8);
    layout->addWidget(buttons);

    connect(tabs_, &QTabBar::currentChanged, this, &LimitationsDialog::tabChanged);
    connect(check_, &QCheckBox::toggled, this, &LimitationsDialog::boxToggled);
    connect(value_, &QLineEdit::textEdited, this, &LimitationsDialog::valueTyped);
    setMinimumWidth(420);
    FitTitle(this);
}

LimitationsAnswer LimitationsDialog::edit(LimitationsEditor& editor, const Workspace& ws, UiPort& ui,
                                          bool eConstraints)
{
    editor_ = &editor;
    ws_ = &ws;
    ui_ = &ui;

    accept_->setText(eConstraints ? QStringLiteral("OK") : QStringLiteral("Insert"));
    clearAll_->setVisible(!eConstraints);
    {
        const QSignalBlocker block(tabs_);
        while (tabs_->count() > 0)
            tabs_->removeTab(0);
        for (const QString& name : editor.tabNames(ws))
            tabs_->addTab(name);
        tabs_->setCurrentIndex(0);
    }
    // The tab strip was empty when the dialog was laid out last.
    tabs_->updateGeometry();
    layout()->activate();
    resize(std::max(width(), sizeHint().width()), std::max(height(), sizeHint().height()));
    shownTab_ = 0;
    showCurrent();
    value_->setFocus();

    const int result = exec();
    editor_ = nullptr;
    ws_ = nullptr;
    ui_ = nullptr;
    switch (result) {
    case ResultAccept: return LimitationsAnswer::Accept;
    case ResultClearAll: return LimitationsAnswer::ClearAll;
    default: return LimitationsAnswer::Cancel;
    }
}

void LimitationsDialog::showCurrent()
{
    syncing_ = true;
    check_->setText(editor_->checkCaption(*ws_));
    check_->setChecked(editor_->checked());
    value_->setText(editor_->valueText());
    syncing_ = false;
}

void LimitationsDialog::tabChanged(int index)
{
    if (!editor_ || syncing_ || index < 0)
        return;
    const TabSwitchResult switched = editor_->switchToTab(index);
    ShowNotices(*ui_, switched.notices);
    if (!switched.switched) {
        // The value of the shown objective does not convert: stay on its tab
        // so that it can be corrected.
        const QSignalBlocker block(tabs_);
        tabs_->setCurrentIndex(shownTab_);
        value_->setFocus();
        value_->selectAll();
        return;
    }
    shownTab_ = index;
    showCurrent();
}

void LimitationsDialog::boxToggled(bool on)
{
    if (!editor_ || syncing_)
        return;
    editor_->setChecked(on);
}

void LimitationsDialog::valueTyped(const QString& text)
{
    if (!editor_ || syncing_)
        return;
    editor_->typeValue(text);
    // Typing ticks the box, emptying the field unticks it.
    syncing_ = true;
    check_->setChecked(editor_->checked());
    syncing_ = false;
}
