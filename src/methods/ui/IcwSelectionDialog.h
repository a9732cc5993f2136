#pragma once

#include <QDialog>
#include <QStringList>

#include <optional>

class QAbstractButton;
class QButtonGroup;
class QGridLayout;
class QLabel;
class QPushButton;

// "ICW selection": the preferred solution among the iteration's choices,
// shown as radio buttons in two columns with none selected; selecting one
// shows its weights in the status line.
class IcwSelectionDialog : public QDialog {
    Q_OBJECT
public:
    explicit IcwSelectionDialog(QWidget* parent = nullptr);

    // The chosen position 1..choices.size(), 0 for OK without a choice,
    // nullopt on Cancel. Centred on the parent window.
    std::optional<int> select(const QString& heading, const QStringList& choices, const QStringList& statusTexts);

    QLabel* heading() const { return heading_; }
    QLabel* statusLine() const { return status_; }
    QPushButton* okButton() const { return ok_; }
    // Choice i, 1-based; null when there is none.
    QAbstractButton* choice(int i) const;
    int choiceCount() const;

private:
    void setChoices(const QStringList& choices);

    QLabel* heading_;
    QGridLayout* grid_;
    QButtonGroup* group_;
    QLabel* status_;
    QPushButton* ok_;
    QStringList statusTexts_;
};
