#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QSlider;

// The Pareto Race panel: GO, the direction button (">>" forward, "<<"
// backward), the vertical speed slider (position 1, the fastest, at the
// top; 8, the slowest, at the bottom) and "Change direction". It holds no
// race state: the window shows the race's direction and speed with
// showState() and passes the person's actions on through the signals.
//
// Driving by keyboard: Space or Enter is GO, Left drives backward and
// Right forward, Up is faster and Down slower. Holding GO or its key
// repeats steps.
class RacePanel : public QWidget {
    Q_OBJECT
public:
    explicit RacePanel(QWidget* parent = nullptr);

    void showState(bool forward, int speedPosition);
    // A key of the race: acts on it and returns true; false for any other key.
    bool handleKey(int key);

    QPushButton* goButton() const { return go_; }
    QPushButton* directionButton() const { return direction_; }
    QSlider* speedSlider() const { return speed_; }
    QPushButton* changeDirectionButton() const { return change_; }

signals:
    void goPressed();
    void reversePressed();
    void speedChanged(int position);
    void changeDirectionPressed();

private:
    // One GO, never nested.
    void step();

    QPushButton* go_;
    QPushButton* direction_;
    QSlider* speed_;
    QPushButton* change_;
    bool forward_ = true;
    bool updatingUi_ = false;
    bool stepping_ = false;
};
