#include "methods/ui/RacePanel.h"

#include "methods/Messages.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace {

constexpr int kFastest = 1;
constexpr int kSlowest = 8;
// Holding GO: the first repeat after this delay, then one step each interval.
constexpr int kRepeatDelayMs = 350;
constexpr int kRepeatIntervalMs = 60;

QString text(const char* s) { return QString::fromUtf8(s); }

} // namespace

RacePanel::RacePanel(QWidget* parent)
    : QWidget(parent), go_(new QPushButton(text(msg::kRaceGo), this)),
      direction_(new QPushButton(text(msg::kRaceForward), this)), speed_(new QSlider(Qt::Vertical, this)),
      change_(new QPushButton(text(msg::kRaceChangeDirection), this))
{
    QFont bold = go_->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 4);
    go_->setFont(bold);
    go_->setMinimumHeight(48);
    go_->setAutoRepeat(true);
    go_->setAutoRepeatDelay(kRepeatDelayMs);
    go_->setAutoRepeatInterval(kRepeatIntervalMs);
    go_->setToolTip(QStringLiteral("One step of the race (Space, Enter or G); hold it to keep going"));
    direction_->setToolTip(QStringLiteral("Reverse the motion (Left arrow: backward, Right arrow: forward)"));
    change_->setToolTip(QStringLiteral("Choose an objective to be improved"));

    speed_->setRange(kFastest, kSlowest);
    speed_->setValue(kSlowest);
    // Position 1, the fastest, at the top.
    speed_->setInvertedAppearance(true);
    speed_->setInvertedControls(true);
    speed_->setTickPosition(QSlider::TicksRight);
    speed_->setTickInterval(1);
    speed_->setPageStep(1);
    speed_->setToolTip(text(msg::kRaceSpeed));
    auto* speedLabel = new QLabel(text(msg::kRaceSpeed), this);
    speedLabel->setToolTip(text(msg::kRaceSpeedHint) + QStringLiteral(" (Up arrow: faster, Down arrow: slower)"));
    speedLabel->setAlignment(Qt::AlignHCenter);
    auto* keys = new QLabel(QStringLiteral("Keys:\nSpace/Enter GO\n\u2190 \u2192 direction\n\u2191 \u2193 speed"), this);
    // Read while racing: full size and the normal text colour.
    keys->setAlignment(Qt::AlignHCenter);
    keys->setWordWrap(true);
    keys->setFrameShape(QFrame::StyledPanel);

    auto* column = new QVBoxLayout(this);
    column->addWidget(go_);
    column->addWidget(direction_);
    column->addSpacing(8);
    column->addWidget(speedLabel);
    column->addWidget(speed_, 1, Qt::AlignHCenter);
    column->addWidget(change_);
    column->addWidget(keys);
    setFixedWidth(130);

    connect(go_, &QPushButton::clicked, this, &RacePanel::step);
    connect(direction_, &QPushButton::clicked, this, &RacePanel::reversePressed);
    connect(change_, &QPushButton::clicked, this, &RacePanel::changeDirectionPressed);
    connect(speed_, &QSlider::valueChanged, this, [this](int position) {
        if (!updatingUi_)
            emit speedChanged(position);
    });
}

void RacePanel::step()
{
    // A repeat of the held button while a step waits in a dialog it opened.
    if (stepping_) {
        go_->setDown(false);
        return;
    }
    stepping_ = true;
    emit goPressed();
    stepping_ = false;
    // The button was let go inside that dialog: it must not go on repeating.
    if (!(QApplication::mouseButtons() & Qt::LeftButton))
        go_->setDown(false);
}

void RacePanel::showState(bool forward, int speedPosition)
{
    updatingUi_ = true;
    forward_ = forward;
    direction_->setText(text(forward ? msg::kRaceForward : msg::kRaceBackward));
    speed_->setValue(speedPosition);
    updatingUi_ = false;
}

bool RacePanel::handleKey(int key)
{
    switch (key) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_G:
        go_->setFocus();
        step();
        return true;
    case Qt::Key_Left:
        if (forward_)
            emit reversePressed();
        return true;
    case Qt::Key_Right:
        if (!forward_)
            emit reversePressed();
        return true;
    case Qt::Key_Up:
        speed_->setValue(std::max(kFastest, speed_->value() - 1));
        return true;
    case Qt::Key_Down:
        speed_->setValue(std::min(kSlowest, speed_->value() + 1));
        return true;
    default: return false;
    }
}
