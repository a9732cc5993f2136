#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>
#include <optional>

class QPushButton;
class QTableWidget;

// "Relax Objective Functions" (STEM): a grid of "Functions" and "Relax
// Amounts", one row per objective. OK hands the amounts to the core's
// check and closes only when it accepts them.
class RelaxationsDialog : public QDialog {
    Q_OBJECT
public:
    explicit RelaxationsDialog(QWidget* parent = nullptr);

    // `names` already end in " :". The accepted amounts, nullopt on Cancel.
    std::optional<QStringList> PedeRelaxacoes(const QStringList& names, const QStringList& amounts,
                                              const std::function<bool(const QStringList&)>& check);

    QTableWidget* grid() const { return grid_; }
    QPushButton* okButton() const { return ok_; }

public slots:
    void accept() override;

private:
    QStringList typedAmounts() const;

    QTableWidget* grid_;
    QPushButton* ok_;
    std::function<bool(const QStringList&)> check_;
};
