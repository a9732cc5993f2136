#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>
#include <optional>

class QPushButton;
class QTableWidget;

// "Reference Point": a grid with a column per objective, its name above and
// the reference value below. OK hands the typed texts to a check and closes
// only when the check accepts them.
class ReferencePointDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 25;
    static constexpr int kColumnWidth = 75;

    explicit ReferencePointDialog(QWidget* parent = nullptr);

    // Shows the grid modally. On "&OK" `check` receives the typed texts;
    // false keeps the dialog open. The accepted texts, or nullopt on Cancel.
    std::optional<QStringList> edit(const QStringList& names, const QStringList& values,
                                    const std::function<bool(const QStringList&)>& check);

    QTableWidget* grid() const { return grid_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

public slots:
    void accept() override;

private:
    QStringList typedValues() const;

    QTableWidget* grid_;
    QPushButton* ok_;
    QPushButton* cancel_;
    std::function<bool(const QStringList&)> check_;
};
