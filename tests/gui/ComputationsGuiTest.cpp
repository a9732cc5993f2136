#include "ScriptedUiPort.h"
#include "solutions/Limitations.h"
#include "solutions/Payoff.h"
#include "solutions/ui/ChooseObjectiveDialog.h"
#include "solutions/ui/LimitationsDialog.h"
#include "solutions/ui/NormalizationDialog.h"
#include "solutions/ui/PayoffWindow.h"
#include "solutions/ui/ReferencePointDialog.h"
#include "solutions/ui/GridFitting.h"
#include "solutions/ui/WeightsDialog.h"
#include "workspace/Workspace.h"
#include "flow/ui/MainWindow.h"
#include "flow/ui/QtUiPort.h"

#include "solutions/ui/BasketGraphsWindow.h"
#include "solutions/ui/BasketValuesWindow.h"

#include <QProgressDialog>
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <functional>
#include <memory>
#include <ostream>

// Readable failure output.
static void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace {

// Presses a button once the current handler has returned, so that a modal
// window the press opens runs its own event loop under the driver below.
void clickLater(QAbstractButton* button)
{
    QTimer::singleShot(0, button, [button] { button->click(); });
}

// Answers modal windows as they come up, one step per window in order. A
// window that appears with no step left (or after a failed step) is closed
// and recorded, so that a wrong sequence fails the test instead of hanging
// it. Every message box text is recorded.
class ModalDriver : public QObject {
public:
    using Step = std::function<void(QWidget*)>;

    ModalDriver()
    {
        timer_.setInterval(5);
        connect(&timer_, &QTimer::timeout, this, &ModalDriver::poll);
        timer_.start();
        clock_.start();
    }

    ModalDriver& then(Step step)
    {
        steps_.push_back(std::move(step));
        return *this;
    }
    // Answers a message box with `button`, checking its text.
    ModalDriver& answer(const QString& text, QMessageBox::StandardButton button)
    {
        return then([text, button](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr) << modal->windowTitle().toStdString();
            EXPECT_EQ(box->text(), text);
            ASSERT_NE(box->button(button), nullptr);
            clickLater(box->button(button));
        });
    }

    bool finished() const { return steps_.empty(); }
    QStringList unexpected;
    QStringList messages;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == handled_ && event->type() == QEvent::Hide)
            forget();
        return false;
    }

private:
    static constexpr qint64 kPatienceMs = 30000;

    void forget()
    {
        if (handled_)
            handled_->removeEventFilter(this);
        handled_ = nullptr;
    }

    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == handled_)
            return;
        forget();
        handled_ = modal;
        modal->installEventFilter(this);
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            messages << box->text();
        if (steps_.empty() || clock_.elapsed() > kPatienceMs) {
            unexpected << modal->metaObject()->className() + QStringLiteral(": ") + modal->windowTitle() +
                              QStringLiteral(" ") + messageText(modal);
            close(modal);
            return;
        }
        const Step step = std::move(steps_.front());
        steps_.pop_front();
        step(modal);
        if (::testing::Test::HasFatalFailure())
            close(modal);
    }

    static QString messageText(QWidget* modal)
    {
        auto* box = qobject_cast<QMessageBox*>(modal);
        return box ? box->text() : QString();
    }

    static void close(QWidget* modal)
    {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            QAbstractButton* b = box->escapeButton() ? box->escapeButton() : box->buttons().value(0);
            if (b)
                clickLater(b);
            return;
        }
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
    }

    QTimer timer_;
    QElapsedTimer clock_;
    std::deque<Step> steps_;
    QPointer<QWidget> handled_;
};

template <class T>
T* as(QWidget* modal)
{
    auto* dialog = qobject_cast<T*>(modal);
    EXPECT_NE(dialog, nullptr) << (modal ? modal->metaObject()->className() : "no modal window");
    return dialog;
}

QStringList headerTexts(const QTableWidget* grid)
{
    QStringList out;
    for (int c = 0; c < grid->columnCount(); ++c)
        out << (grid->horizontalHeaderItem(c) ? grid->horizontalHeaderItem(c)->text() : QString());
    return out;
}

QStringList rowTexts(const QTableWidget* grid, int row)
{
    QStringList out;
    for (int c = 0; c < grid->columnCount(); ++c)
        out << (grid->item(row, c) ? grid->item(row, c)->text() : QString());
    return out;
}

void typeRow(QTableWidget* grid, const QStringList& texts)
{
    for (int c = 0; c < texts.size(); ++c)
        grid->item(0, c)->setText(texts[c]);
}

QStringList tabTexts(const QTabBar* tabs)
{
    QStringList out;
    for (int i = 0; i < tabs->count(); ++i)
        out << tabs->tabText(i);
    return out;
}

void clickTab(QTabBar* tabs, int index)
{
    QTest::mouseClick(tabs, Qt::LeftButton, Qt::NoModifier, tabs->tabRect(index).center());
}

// Three objectives, the first two maximized, the third minimized.
void setThreeObjectives(Workspace& ws)
{
    ws.numObjectives = 3;
    ws.objName[1] = QStringLiteral("Profit");
    ws.objName[2] = QStringLiteral("Sales");
    ws.objName[3] = QStringLiteral("Cost");
    ws.objSense[1] = 1;
    ws.objSense[2] = 1;
    ws.objSense[3] = -1;
}

class ComputationsGuiTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        EXPECT_TRUE(driver.finished()) << "steps left over";
        EXPECT_TRUE(driver.unexpected.isEmpty()) << driver.unexpected.join(QLatin1Char('\n')).toStdString();
    }

    ModalDriver driver;
};

// --- Choose an objective -------------------------------------------------

TEST_F(ComputationsGuiTest, ChooseObjectiveOpensWithNothingSelectedAndReturnsTheRow)
{
    ChooseObjectiveDialog dialog;
    driver.then([](QWidget* modal) {
        auto* d = as<ChooseObjectiveDialog>(modal);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Objective selection"));
        EXPECT_EQ(d->promptLabel()->text(), QStringLiteral("What is the objective function to be optimized?"));
        ASSERT_EQ(d->objectiveBox()->count(), 3);
        EXPECT_EQ(d->objectiveBox()->itemText(2), QStringLiteral("Cost"));
        EXPECT_EQ(d->objectiveBox()->currentIndex(), -1);
        EXPECT_FALSE(d->valueLabel()->isVisible());
        EXPECT_FALSE(d->valueEdit()->isVisible());
        EXPECT_EQ(d->okButton()->text(), QStringLiteral("Ok"));
        EXPECT_TRUE(d->okButton()->isDefault());
        d->objectiveBox()->setCurrentIndex(1);
        clickLater(d->okButton());
    });
    const auto choice = dialog.choose(QStringLiteral("Objective selection"),
                                      QStringLiteral("What is the objective function to be optimized?"),
                                      {QStringLiteral("Profit"), QStringLiteral("Sales"), QStringLiteral("Cost")},
                                      false, 0, 0);
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->selected, 1);
    EXPECT_TRUE(choice->valueText.isEmpty());

    // Opened again: the previous choice is not preselected; Ok with no
    // selection hands back -1 for the caller to refuse.
    driver.then([](QWidget* modal) {
        auto* d = as<ChooseObjectiveDialog>(modal);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->objectiveBox()->currentIndex(), -1);
        clickLater(d->okButton());
    });
    const auto none = dialog.choose(QStringLiteral("t"), QStringLiteral("p"), {QStringLiteral("A")}, false, 0, 0);
    ASSERT_TRUE(none.has_value());
    EXPECT_EQ(none->selected, -1);
}

TEST_F(ComputationsGuiTest, ChooseObjectiveWithValueAtAGivenPlace)
{
    ChooseObjectiveDialog dialog;
    driver.then([](QWidget* modal) {
        auto* d = as<ChooseObjectiveDialog>(modal);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->pos(), QPoint(140, 90));
        EXPECT_TRUE(d->valueLabel()->isVisible());
        EXPECT_EQ(d->valueLabel()->text(), QStringLiteral("Limitation value:"));
        EXPECT_TRUE(d->valueEdit()->isVisible());
        EXPECT_TRUE(d->valueEdit()->text().isEmpty());
        d->objectiveBox()->setCurrentIndex(0);
        QTest::keyClicks(d->valueEdit(), QStringLiteral("12.5"));
        clickLater(d->okButton());
    });
    const auto choice = dialog.choose(QStringLiteral("Limitations on objective functions"),
                                      QStringLiteral("Choose an objective function"),
                                      {QStringLiteral("Profit"), QStringLiteral("Sales")}, true, 140, 90);
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->selected, 0);
    EXPECT_EQ(choice->valueText, QStringLiteral("12.5"));

    // The typed value does not come back; Cancel gives nothing.
    driver.then([](QWidget* modal) {
        auto* d = as<ChooseObjectiveDialog>(modal);
        ASSERT_NE(d, nullptr);
        EXPECT_TRUE(d->valueEdit()->text().isEmpty());
        d->objectiveBox()->setCurrentIndex(1);
        clickLater(d->cancelButton());
    });
    EXPECT_FALSE(dialog.choose(QStringLiteral("t"), QStringLiteral("p"),
                               {QStringLiteral("Profit"), QStringLiteral("Sales")}, true, 0, 0)
                     .has_value());
}

TEST_F(ComputationsGuiTest, ChooseObjectiveWithoutPlaceIsCentredOnItsWindow)
{
    QWidget owner;
    owner.setGeometry(100, 100, 600, 400);
    owner.show();
    ChooseObjectiveDialog dialog(&owner);
    driver.then([](QWidget* modal) {
        auto* d = as<ChooseObjectiveDialog>(modal);
        ASSERT_NE(d, nullptr);
        d->objectiveBox()->setCurrentIndex(0);
        clickLater(d->okButton());
    });
    dialog.choose(QStringLiteral("t"), QStringLiteral("p"), {QStringLiteral("A")}, false, 500, 500);
    driver.then([&owner](QWidget* modal) {
        auto* d = as<ChooseObjectiveDialog>(modal);
        ASSERT_NE(d, nullptr);
        const QPoint centre = d->frameGeometry().center();
        EXPECT_LE(std::abs(centre.x() - owner.frameGeometry().center().x()), 2);
        EXPECT_LE(std::abs(centre.y() - owner.frameGeometry().center().y()), 2);
        clickLater(d->cancelButton());
    });
    dialog.choose(QStringLiteral("t"), QStringLiteral("p"), {QStringLiteral("A")}, false, 0, 0);
}

// --- Weights -------------------------------------------------------------

TEST_F(ComputationsGuiTest, WeightsDialogShowsGreekHeadersAndReturnsTheTypedRow)
{
    WeightsDialog dialog;
    driver.then([](QWidget* modal) {
        auto* d = as<WeightsDialog>(modal);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Weights for weighted-sum"));
        EXPECT_EQ(headerTexts(d->grid()), QStringList({"λ1", "λ2", "λ3"}));
        EXPECT_EQ(d->grid()->rowCount(), 1);
        EXPECT_EQ(d->grid()->rowHeight(0), 25);
        EXPECT_EQ(rowTexts(d->grid(), 0), QStringList({"1", "1", "1"}));
        EXPECT_EQ(d->acceptButton()->text(), QStringLiteral("SOLVE"));
        EXPECT_TRUE(d->acceptButton()->isDefault());
        // Every column is in view.
        EXPECT_GE(d->grid()->viewport()->width(), 3 * d->grid()->columnWidth(0));
        typeRow(d->grid(), {"0.5", "0.3", "0.2"});
        clickLater(d->acceptButton());
    });
    const auto typed = dialog.edit(QStringLiteral("Weights for weighted-sum"), {"l1", "l2", "l3"}, {"1", "1", "1"},
                                   QStringLiteral("SOLVE"));
    ASSERT_TRUE(typed.has_value());
    EXPECT_EQ(*typed, QStringList({"0.5", "0.3", "0.2"}));

    driver.then([](QWidget* modal) {
        auto* d = as<WeightsDialog>(modal);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Weights for Tchebycheff metric"));
        EXPECT_EQ(headerTexts(d->grid()), QStringList({"ω1", "ω2"}));
        EXPECT_EQ(d->acceptButton()->text(), QStringLiteral("OK"));
        typeRow(d->grid(), {"3", "4"});
        clickLater(d->cancelButton());
    });
    EXPECT_FALSE(dialog.edit(QStringLiteral("Weights for Tchebycheff metric"), {"w1", "w2"}, {"1", "1"},
                             QStringLiteral("OK"))
                     .has_value());
}

TEST_F(ComputationsGuiTest, WeightsDialogKeepsACellStillBeingTyped)
{
    WeightsDialog dialog;
    driver.then([](QWidget* modal) {
        auto* d = as<WeightsDialog>(modal);
        ASSERT_NE(d, nullptr);
        QTableWidget* grid = d->grid();
        grid->setFocus();
        grid->setCurrentCell(0, 1);
        // Typing over the cell replaces its text; the editor is still open
        // when the accept button is pressed.
        QTest::keyClick(grid, Qt::Key_0);
        QWidget* editor = grid->indexWidget(grid->currentIndex());
        ASSERT_NE(editor, nullptr);
        QTest::keyClicks(editor, QStringLiteral(".25"));
        clickLater(d->acceptButton());
    });
    const auto typed = dialog.edit(QStringLiteral("Weights for weighted-sum"), {"l1", "l2"}, {"1", "1"},
                                   QStringLiteral("SOLVE"));
    ASSERT_TRUE(typed.has_value());
    EXPECT_EQ(*typed, QStringList({"1", "0.25"}));
}

// The picked weights show whole at the opening size, the dialog is as wide
// as its title, and one Return both ends the typing and solves.
TEST_F(ComputationsGuiTest, WeightsDialogShowsWholeNumbersAndReturnSolves)
{
    WeightsDialog dialog;
    const QStringList picked = {"0.333333333333", "0.333333333333", "0.333333333334"};
    driver.then([&picked](QWidget* modal) {
        auto* d = as<WeightsDialog>(modal);
        ASSERT_NE(d, nullptr);
        QTableWidget* grid = d->grid();
        const QFontMetrics metrics(grid->font());
        for (int c = 0; c < grid->columnCount(); ++c)
            EXPECT_GT(grid->columnWidth(c), metrics.horizontalAdvance(picked[c])) << c;
        EXPECT_GE(grid->viewport()->width(), grid->columnWidth(0) * 3);
        EXPECT_GE(d->width(), TitleBarWidth(d->windowTitle()));
        grid->setFocus();
        grid->setCurrentCell(0, 0);
        QTest::keyClick(grid, Qt::Key_5);
        QWidget* editor = grid->indexWidget(grid->currentIndex());
        ASSERT_NE(editor, nullptr);
        QTest::keyClick(editor, Qt::Key_Return);
    });
    const auto typed = dialog.edit(QStringLiteral("Weights for weighted-sum"), {"l1", "l2", "l3"}, picked,
                                   QStringLiteral("SOLVE"));
    ASSERT_TRUE(typed.has_value());
    EXPECT_EQ(*typed, QStringList({"5", picked[1], picked[2]}));
}

TEST_F(ComputationsGuiTest, GreekHeadersOnlyForNumberedLambdaAndOmega)
{
    EXPECT_EQ(WeightsDialog::displayHeader(QStringLiteral("l12")), QStringLiteral("λ12"));
    EXPECT_EQ(WeightsDialog::displayHeader(QStringLiteral("w7")), QStringLiteral("ω7"));
    EXPECT_EQ(WeightsDialog::displayHeader(QStringLiteral("Profit")), QStringLiteral("Profit"));
    EXPECT_EQ(WeightsDialog::displayHeader(QStringLiteral("l")), QStringLiteral("l"));
}

// --- Reference point -----------------------------------------------------

TEST_F(ComputationsGuiTest, ReferencePointStaysOpenUntilTheCheckAcceptsTheValues)
{
    ReferencePointDialog dialog;
    QList<QStringList> checked;
    auto check = [&checked](const QStringList& typed) {
        checked << typed;
        return typed.value(1) != QStringLiteral("x");
    };
    driver.then([](QWidget* modal) {
        auto* d = as<ReferencePointDialog>(modal);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Reference Point"));
        EXPECT_EQ(headerTexts(d->grid()), QStringList({"Profit", "Sales"}));
        EXPECT_EQ(rowTexts(d->grid(), 0), QStringList({"12", "7.5"}));
        EXPECT_EQ(d->okButton()->text(), QStringLiteral("&OK"));
        EXPECT_EQ(d->cancelButton()->text(), QStringLiteral("&Cancel"));
        typeRow(d->grid(), {"11", "x"});
        d->okButton()->click();
        EXPECT_TRUE(d->isVisible());
        typeRow(d->grid(), {"11", "8"});
        clickLater(d->okButton());
    });
    const auto point = dialog.edit({"Profit", "Sales"}, {"12", "7.5"}, check);
    ASSERT_TRUE(point.has_value());
    EXPECT_EQ(*point, QStringList({"11", "8"}));
    EXPECT_EQ(checked, QList<QStringList>({{"11", "x"}, {"11", "8"}}));

    // Cancel does not consult the check.
    checked.clear();
    driver.then([](QWidget* modal) {
        auto* d = as<ReferencePointDialog>(modal);
        ASSERT_NE(d, nullptr);
        clickLater(d->cancelButton());
    });
    EXPECT_FALSE(dialog.edit({"Profit"}, {"1"}, check).has_value());
    EXPECT_TRUE(checked.isEmpty());
}

// --- Limitations ---------------------------------------------------------

TEST_F(ComputationsGuiTest, LimitationsDialogMirrorsTheEditor)
{
    auto ws = std::make_unique<Workspace>();
    setThreeObjectives(*ws);
    ws->limitOn[3] = true;
    ws->limitValue[3] = 40;
    ws->limitsActive = true;
    ScriptedUiPort ui;
    LimitationsEditor editor;
    editor.prepareLimitations(*ws);
    LimitationsDialog dialog;

    driver.then([&](QWidget* modal) {
        auto* d = as<LimitationsDialog>(modal);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Limitations on the objective functions"));
        EXPECT_EQ(tabTexts(d->tabBar()), QStringList({"Profit", "Sales", "Cost"}));
        EXPECT_EQ(d->tabBar()->currentIndex(), 0);
        EXPECT_EQ(d->acceptButton()->text(), QStringLiteral("Insert"));
        EXPECT_TRUE(d->clearAllButton()->isVisible());
        EXPECT_EQ(d->limitBox()->text(), QStringLiteral("Profit >="));
        EXPECT_FALSE(d->limitBox()->isChecked());
        EXPECT_TRUE(d->valueEdit()->text().isEmpty());

        // Typing ticks the box, emptying the field unticks it.
        QTest::keyClicks(d->valueEdit(), QStringLiteral("25"));
        EXPECT_TRUE(d->limitBox()->isChecked());
        EXPECT_TRUE(editor.checked());
        EXPECT_EQ(editor.valueText(), QStringLiteral("25"));
        d->valueEdit()->selectAll();
        QTest::keyClick(d->valueEdit(), Qt::Key_Backspace);
        EXPECT_FALSE(d->limitBox()->isChecked());
        QTest::keyClicks(d->valueEdit(), QStringLiteral("30"));

        // The third tab shows the limitation in force.
        clickTab(d->tabBar(), 2);
        EXPECT_EQ(d->tabBar()->currentIndex(), 2);
        EXPECT_EQ(editor.currentObjective(), 3);
        EXPECT_EQ(d->limitBox()->text(), QStringLiteral("Cost <="));
        EXPECT_TRUE(d->limitBox()->isChecked());
        EXPECT_EQ(d->valueEdit()->text(), QStringLiteral("40"));
        EXPECT_TRUE(editor.isOn(1));
        EXPECT_EQ(editor.value(1), 30);

        // Unticking leaves the text but the limitation no longer counts.
        d->limitBox()->click();
        EXPECT_FALSE(editor.checked());
        EXPECT_EQ(d->valueEdit()->text(), QStringLiteral("40"));

        // A value that does not convert keeps its tab.
        clickTab(d->tabBar(), 1);
        QTest::keyClicks(d->valueEdit(), QStringLiteral("abc"));
        clickTab(d->tabBar(), 0);
        EXPECT_EQ(d->tabBar()->currentIndex(), 1);
        EXPECT_EQ(editor.currentObjective(), 2);
        EXPECT_EQ(d->valueEdit()->text(), QStringLiteral("abc"));
        EXPECT_EQ(ui.dialogs(), QStringList({"Error: 'abc' is not a valid floating point value"}));

        d->valueEdit()->clear();
        QTest::keyClicks(d->valueEdit(), QStringLiteral("7"));
        clickLater(d->acceptButton());
    });
    EXPECT_EQ(dialog.edit(editor, *ws, ui, false), LimitationsAnswer::Accept);
    EXPECT_FALSE(editor.isOn(3));
    EXPECT_EQ(editor.currentObjective(), 2);
    EXPECT_EQ(editor.valueText(), QStringLiteral("7"));
}

TEST_F(ComputationsGuiTest, LimitationsDialogButtons)
{
    auto ws = std::make_unique<Workspace>();
    setThreeObjectives(*ws);
    ScriptedUiPort ui;
    LimitationsEditor editor;
    LimitationsDialog dialog;

    editor.prepareLimitations(*ws);
    driver.then([](QWidget* modal) {
        auto* d = as<LimitationsDialog>(modal);
        ASSERT_NE(d, nullptr);
        clickLater(d->clearAllButton());
    });
    EXPECT_EQ(dialog.edit(editor, *ws, ui, false), LimitationsAnswer::ClearAll);

    editor.prepareLimitations(*ws);
    driver.then([](QWidget* modal) {
        auto* d = as<LimitationsDialog>(modal);
        ASSERT_NE(d, nullptr);
        clickLater(d->cancelButton());
    });
    EXPECT_EQ(dialog.edit(editor, *ws, ui, false), LimitationsAnswer::Cancel);

    // e-constraints on all but the second objective: "OK", no "Clear all".
    editor.prepareEConstraints(*ws, 2);
    driver.then([&](QWidget* modal) {
        auto* d = as<LimitationsDialog>(modal);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(tabTexts(d->tabBar()), QStringList({"Profit", "Cost"}));
        EXPECT_EQ(d->acceptButton()->text(), QStringLiteral("OK"));
        EXPECT_FALSE(d->clearAllButton()->isVisible());
        clickTab(d->tabBar(), 1);
        EXPECT_EQ(editor.currentObjective(), 3);
        EXPECT_EQ(d->limitBox()->text(), QStringLiteral("Cost <="));
        QTest::keyClicks(d->valueEdit(), QStringLiteral("50"));
        clickLater(d->acceptButton());
    });
    EXPECT_EQ(dialog.edit(editor, *ws, ui, true), LimitationsAnswer::Accept);
    EXPECT_TRUE(editor.checked());
    EXPECT_EQ(editor.valueText(), QStringLiteral("50"));

    // The limitations command again: the tabs and buttons come back.
    editor.prepareLimitations(*ws);
    driver.then([](QWidget* modal) {
        auto* d = as<LimitationsDialog>(modal);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(tabTexts(d->tabBar()), QStringList({"Profit", "Sales", "Cost"}));
        EXPECT_EQ(d->acceptButton()->text(), QStringLiteral("Insert"));
        EXPECT_TRUE(d->clearAllButton()->isVisible());
        d->reject();
    });
    EXPECT_EQ(dialog.edit(editor, *ws, ui, false), LimitationsAnswer::Cancel);
}

// --- Normalization -------------------------------------------------------

TEST_F(ComputationsGuiTest, NormalizationStartsWithoutEachTime)
{
    NormalizationDialog dialog;
    driver.then([](QWidget* modal) {
        auto* d = as<NormalizationDialog>(modal);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Normalization of the objective function"));
        EXPECT_EQ(d->withoutButton()->text(), QStringLiteral("Without normalization"));
        EXPECT_EQ(d->l2Button()->text(), QStringLiteral("Normalization L2"));
        EXPECT_TRUE(d->withoutButton()->isChecked());
        d->l2Button()->click();
        clickLater(d->okButton());
    });
    EXPECT_EQ(dialog.choose(), std::optional<bool>(true));

    driver.then([](QWidget* modal) {
        auto* d = as<NormalizationDialog>(modal);
        ASSERT_NE(d, nullptr);
        EXPECT_TRUE(d->withoutButton()->isChecked());
        clickLater(d->okButton());
    });
    EXPECT_EQ(dialog.choose(), std::optional<bool>(false));

    driver.then([](QWidget* modal) {
        auto* d = as<NormalizationDialog>(modal);
        ASSERT_NE(d, nullptr);
        d->l2Button()->click();
        d->close();
    });
    EXPECT_FALSE(dialog.choose().has_value());
}

// --- Pay-off window ------------------------------------------------------

TEST_F(ComputationsGuiTest, PayoffWindowRowKIsTheSolutionOptimizingObjectiveK)
{
    auto ws = std::make_unique<Workspace>();
    setThreeObjectives(*ws);
    ws->objName[3] = QStringLiteral("LongestName");
    const Real rows[3][3] = {{12, 4, 30}, {9, 11, 25}, {kNotComputed, 1e41L, 20.125}};
    for (int k = 1; k <= 3; ++k)
        for (int l = 1; l <= 3; ++l)
            ws->payoff[k].f[l] = rows[k - 1][l - 1];
    ws->payoffComputed = true;

    PayoffWindow window;
    driver.then([&](QWidget* modal) {
        auto* w = as<PayoffWindow>(modal);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->windowTitle(), QStringLiteral("Pay-Off table"));
        EXPECT_TRUE(w->isModal());
        QTableWidget* t = w->table();
        ASSERT_TRUE(t->isVisible());
        ASSERT_EQ(t->rowCount(), 4);
        ASSERT_EQ(t->columnCount(), 4);
        // At least the default widths, and wide enough for every text.
        EXPECT_GE(t->columnWidth(0), 85);
        for (int c = 1; c <= 3; ++c)
            EXPECT_GE(t->columnWidth(c), 65);
        for (int r = 0; r <= 3; ++r) {
            EXPECT_EQ(t->rowHeight(r), 25);
            for (int c = 0; c <= 3; ++c)
                EXPECT_LT(QFontMetrics(t->item(r, c)->font()).horizontalAdvance(t->item(r, c)->text()),
                          t->columnWidth(c))
                    << r << "," << c;
        }
        EXPECT_EQ(rowTexts(t, 0), QStringList({"", "Profit", "Sales", "LongestName"}));
        for (int k = 1; k <= 3; ++k) {
            EXPECT_EQ(t->item(k, 0)->text(), PayoffRowCaption(ws->objName[k]));
            for (int l = 1; l <= 3; ++l) {
                EXPECT_EQ(t->item(k, l)->text(), PayoffCellText(ws->payoff[k].f[l])) << k << "," << l;
                EXPECT_EQ(t->item(k, l)->font().bold(), k == l) << k << "," << l;
            }
        }
        EXPECT_EQ(rowTexts(t, 1), QStringList({"Opt. Profit", "12", "4", "30"}));
        EXPECT_EQ(rowTexts(t, 3), QStringList({"Opt. LongestNam", "?", "M", "20.125"}));
        EXPECT_EQ(t->item(0, 2)->background().color(), QColor(192, 192, 192));
        EXPECT_EQ(t->item(2, 0)->background().color(), QColor(192, 192, 192));
        EXPECT_NE(t->item(2, 2)->background().color(), QColor(192, 192, 192));
        // The whole grid is in view.
        EXPECT_GE(t->viewport()->width(), t->columnWidth(0) + t->columnWidth(1) + t->columnWidth(2) +
                                              t->columnWidth(3));
        EXPECT_GE(t->viewport()->height(), 4 * 25);
        clickLater(w->okButton());
    });
    window.showTable(*ws);
    EXPECT_FALSE(window.isVisible());

    // Short names and numbers keep the default sizes.
    ws->numObjectives = 2;
    ws->objName[1] = QStringLiteral("A");
    ws->objName[2] = QStringLiteral("B");
    ws->payoff[1].f[1] = 1;
    ws->payoff[1].f[2] = 2;
    ws->payoff[2].f[1] = 3;
    ws->payoff[2].f[2] = 4;
    window.fill(*ws);
    EXPECT_EQ(window.table()->columnWidth(0), 85);
    EXPECT_EQ(window.table()->columnWidth(1), 65);
    EXPECT_EQ(window.table()->columnWidth(2), 65);
    EXPECT_EQ(rowTexts(window.table(), 2), QStringList({"Opt. B", "3", "4"}));

    // Before the table is computed only OK is shown.
    ws->payoffComputed = false;
    driver.then([](QWidget* modal) {
        auto* w = as<PayoffWindow>(modal);
        ASSERT_NE(w, nullptr);
        EXPECT_FALSE(w->table()->isVisible());
        EXPECT_TRUE(w->okButton()->isVisible());
        clickLater(w->okButton());
    });
    window.showTable(*ws);
}

// --- The port ------------------------------------------------------------

TEST_F(ComputationsGuiTest, PortRoutesTheComputationDialogsToTheTestPort)
{
    ScriptedUiPort scripted;
    QtUiPort port(nullptr);
    port.dialogs = &scripted;
    port.dialogPort = &scripted;
    auto ws = std::make_unique<Workspace>();
    setThreeObjectives(*ws);
    port.setWorkspace(ws.get());

    scripted.objectiveChoices.push_back(ObjectiveChoice{2, QStringLiteral("9")});
    const auto choice = port.chooseObjective(QStringLiteral("T"), QStringLiteral("P"), {"a", "b", "c"}, true, 0, 0);
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->selected, 2);

    scripted.grids.push_back(QStringList({"0.5", "0.5"}));
    EXPECT_EQ(port.editWeights(QStringLiteral("W"), {"l1", "l2"}, {"1", "1"}, QStringLiteral("SOLVE")),
              std::optional<QStringList>(QStringList({"0.5", "0.5"})));

    scripted.grids.push_back(QStringList({"3"}));
    EXPECT_EQ(port.editReferencePoint({"a"}, {"1"}, [](const QStringList&) { return true; }),
              std::optional<QStringList>(QStringList({"3"})));

    LimitationsEditor editor;
    scripted.limitationScripts.push_back([](LimitationsEditor&) { return LimitationsAnswer::ClearAll; });
    EXPECT_EQ(port.editLimitations(editor, false), LimitationsAnswer::ClearAll);

    scripted.normalizations.push_back(true);
    EXPECT_EQ(port.chooseNormalization(), std::optional<bool>(true));

    port.showPayoffTable();
    EXPECT_EQ(scripted.payoffTableShown, 1);
    EXPECT_EQ(scripted.log, QStringList({"ChooseObjective: T | P | a,b,c | value", "Weights: W | l1,l2 | 1,1 | SOLVE",
                                         "RefPoint: a | 1", "Limitations: Insert", "Normalization", "PayoffTable"}));
}

TEST_F(ComputationsGuiTest, PortBuildsEachDialogOnceAndReusesIt)
{
    QWidget owner;
    QtUiPort port(&owner);
    ChooseObjectiveDialog* chooser = port.chooseObjectiveDialog();
    EXPECT_EQ(port.chooseObjectiveDialog(), chooser);
    EXPECT_EQ(chooser->parentWidget(), &owner);
    EXPECT_EQ(port.weightsDialog(), port.weightsDialog());
    EXPECT_EQ(port.referencePointDialog(), port.referencePointDialog());
    EXPECT_EQ(port.limitationsDialog(), port.limitationsDialog());
    EXPECT_EQ(port.normalizationDialog(), port.normalizationDialog());
    EXPECT_EQ(port.payoffWindow(), port.payoffWindow());
    EXPECT_EQ(port.payoffWindow()->parentWidget(), &owner);
}

// --- The main window's commands with the test port ------------------------

class ComputationCommandsTest : public ComputationsGuiTest {
protected:
    void SetUp() override
    {
        window = std::make_unique<MainWindow>(*ws);
        window->uiPort().dialogs = &ui;
        window->uiPort().dialogPort = &ui;
        window->show();
        ui.files.push_back(QDir(QStringLiteral(QUILVANE_EXAMPLES_DIR)).filePath(QStringLiteral("two_objectives.mlp")));
        window->action(Cmd::Open)->trigger();
        ASSERT_EQ(ws->numObjectives, 2);
        ui.normalizations.push_back(false);
        window->action(Cmd::ComputePayoff)->trigger();
        ASSERT_TRUE(ws->payoffComputed);
        ui.clear();
    }

    std::unique_ptr<Workspace> ws = std::make_unique<Workspace>();
    ScriptedUiPort ui;
    std::unique_ptr<MainWindow> window;
};

TEST_F(ComputationCommandsTest, MenuItemsAndButtonsOpenTheirDialogs)
{
    const QString names = ws->objName[1] + QLatin1Char(',') + ws->objName[2];
    const int shown = ui.payoffTableShown;
    window->action(Cmd::ViewPayoff)->trigger();
    EXPECT_EQ(ui.payoffTableShown, shown + 1);

    for (Cmd cmd : {Cmd::WeightedSum, Cmd::BtnWeightedSum}) {
        ui.clear();
        window->action(cmd)->trigger();
        EXPECT_EQ(ui.log.value(0), QStringLiteral("Weights: Weights for weighted-sum | l1,l2 | 1,1 | SOLVE"))
            << toString(cmd);
    }
    for (Cmd cmd : {Cmd::RefPoint, Cmd::BtnRefPoint}) {
        ui.clear();
        window->action(cmd)->trigger();
        EXPECT_TRUE(ui.log.value(0).startsWith(QStringLiteral("RefPoint: ") + names)) << toString(cmd);
    }
    for (Cmd cmd : {Cmd::EConstraint, Cmd::BtnEConstraint}) {
        ui.clear();
        window->action(cmd)->trigger();
        EXPECT_EQ(ui.log.value(0), QStringLiteral("ChooseObjective: Objective selection | What is the objective "
                                                  "function to be optimized? | ") +
                                       names)
            << toString(cmd);
    }
    // None of them is "not available" any more.
    ui.clear();
    for (Cmd cmd : {Cmd::ComputePayoff, Cmd::ViewPayoff, Cmd::WeightedSum, Cmd::RefPoint, Cmd::EConstraint,
                    Cmd::ImposeLimitations, Cmd::BtnWeightedSum, Cmd::BtnRefPoint, Cmd::BtnEConstraint,
                    Cmd::BtnLimitations})
        window->action(cmd)->trigger();
    for (const QString& line : ui.log)
        EXPECT_FALSE(line.contains(QStringLiteral("not available"))) << line.toStdString();
}

TEST_F(ComputationCommandsTest, LimitationsButtonIsDownExactlyWhileLimitationsAreInForce)
{
    QAction* button = window->action(Cmd::BtnLimitations);
    ASSERT_TRUE(button->isCheckable());
    EXPECT_FALSE(button->isChecked());

    // Cancel: the click must not leave the button down.
    window->action(Cmd::BtnLimitations)->trigger();
    EXPECT_EQ(ui.log, QStringList({"Limitations: Insert"}));
    EXPECT_FALSE(button->isChecked());

    ui.limitationScripts.push_back([](LimitationsEditor& editor) {
        editor.typeValue(QStringLiteral("1"));
        return LimitationsAnswer::Accept;
    });
    window->action(Cmd::ImposeLimitations)->trigger();
    EXPECT_TRUE(ws->limitsActive);
    EXPECT_TRUE(button->isChecked());

    // Pressing the button that is down (Cancel in the dialog) keeps it down.
    window->action(Cmd::BtnLimitations)->trigger();
    EXPECT_TRUE(button->isChecked());

    ui.limitationScripts.push_back([](LimitationsEditor&) { return LimitationsAnswer::ClearAll; });
    window->action(Cmd::BtnLimitations)->trigger();
    EXPECT_FALSE(ws->limitsActive);
    EXPECT_FALSE(button->isChecked());
}

// --- A session with the real dialogs --------------------------------------

TEST_F(ComputationsGuiTest, SessionWithTheRealDialogs)
{
    auto ws = std::make_unique<Workspace>();
    auto window = std::make_unique<MainWindow>(*ws);
    window->show();
    auto report = [&window] { return window->report()->toPlainText(); };
    auto status = [&window](int panel) { return window->statusPanel(panel)->text(); };
    const QString path =
        QDir(QStringLiteral(QUILVANE_EXAMPLES_DIR)).absoluteFilePath(QStringLiteral("three_objectives_degenerate.mlp"));

    // Open.
    driver.then([&path](QWidget* modal) {
        auto* files = as<QFileDialog>(modal);
        ASSERT_NE(files, nullptr);
        files->selectFile(path);
        QMetaObject::invokeMethod(files, "accept", Qt::QueuedConnection);
    });
    window->action(Cmd::Open)->trigger();
    ASSERT_EQ(ws->numObjectives, 3);
    ASSERT_EQ(ws->objName[2], QStringLiteral("Output B"));

    // Pay-off table: no normalization, then the window with the table.
    driver
        .then([](QWidget* modal) {
            auto* d = as<NormalizationDialog>(modal);
            ASSERT_NE(d, nullptr);
            EXPECT_TRUE(d->withoutButton()->isChecked());
            clickLater(d->okButton());
        })
        .then([](QWidget* modal) {
            auto* w = as<PayoffWindow>(modal);
            ASSERT_NE(w, nullptr);
            QTableWidget* t = w->table();
            ASSERT_TRUE(t->isVisible());
            EXPECT_EQ(rowTexts(t, 0), QStringList({"", "Output A", "Output B", "Output C"}));
            EXPECT_EQ(rowTexts(t, 1), QStringList({"Opt. Output A", "12", "4", "4"}));
            EXPECT_EQ(rowTexts(t, 2), QStringList({"Opt. Output B", "4", "12", "4"}));
            EXPECT_EQ(rowTexts(t, 3), QStringList({"Opt. Output C", "4", "4", "12"}));
            clickLater(w->okButton());
        });
    window->action(Cmd::ComputePayoff)->trigger();
    ASSERT_TRUE(ws->payoffComputed);
    EXPECT_EQ(ws->basketCount, 3);
    EXPECT_TRUE(window->tabs()->isVisible());
    EXPECT_TRUE(status(0).isEmpty());
    EXPECT_TRUE(window->action(Cmd::ViewPayoff)->isVisible());

    // Weighted sum with typed weights.
    driver.then([](QWidget* modal) {
        auto* d = as<WeightsDialog>(modal);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Weights for weighted-sum"));
        EXPECT_EQ(headerTexts(d->grid()), QStringList({"λ1", "λ2", "λ3"}));
        EXPECT_EQ(rowTexts(d->grid(), 0), QStringList({"1", "1", "1"}));
        typeRow(d->grid(), {"0.5", "0.5", "0"});
        clickLater(d->acceptButton());
    });
    window->action(Cmd::BtnWeightedSum)->trigger();
    EXPECT_EQ(ws->basketCount, 4);
    EXPECT_EQ(status(0), QStringLiteral("Last solution saved with the index 4"));
    EXPECT_TRUE(status(1).startsWith(QStringLiteral("time: "))) << status(1).toStdString();
    EXPECT_TRUE(report().contains(QStringLiteral("Optimization of the weighted-sum of the objectives with the weights:\n"
                                                 "(0.5, 0.5, 0)")))
        << report().toStdString();
    EXPECT_TRUE(report().contains(QStringLiteral("Solution 4:\nObjective functions:\nOutput A= 10.66667\n"
                                                 "Output B= 10.66667\nOutput C= 5.333333")))
        << report().toStdString();

    // Reference point: a value that is not a number keeps the dialog open.
    driver
        .then([](QWidget* modal) {
            auto* d = as<ReferencePointDialog>(modal);
            ASSERT_NE(d, nullptr);
            EXPECT_EQ(headerTexts(d->grid()), QStringList({"Output A", "Output B", "Output C"}));
            EXPECT_EQ(rowTexts(d->grid(), 0), QStringList({"12", "12", "12"}));
            d->grid()->item(0, 1)->setText(QStringLiteral("abc"));
            clickLater(d->okButton());
        })
        .answer(QStringLiteral("Invalid Values!"), QMessageBox::Ok)
        .then([](QWidget* modal) {
            auto* d = as<ReferencePointDialog>(modal);
            ASSERT_NE(d, nullptr);
            d->grid()->item(0, 1)->setText(QStringLiteral("12"));
            clickLater(d->okButton());
        })
        .then([](QWidget* modal) {
            auto* d = as<WeightsDialog>(modal);
            ASSERT_NE(d, nullptr);
            EXPECT_EQ(d->windowTitle(), QStringLiteral("Weights for Tchebycheff metric"));
            EXPECT_EQ(headerTexts(d->grid()), QStringList({"ω1", "ω2", "ω3"}));
            EXPECT_EQ(rowTexts(d->grid(), 0), QStringList({"1", "1", "1"}));
            clickLater(d->acceptButton());
        });
    window->action(Cmd::RefPoint)->trigger();
    EXPECT_TRUE(report().contains(QStringLiteral("Min of the Tchebycheff distance to the Ref.point q:\n"
                                                 "q=(12, 12, 12)\n"
                                                 "Considering the w-weighted distance w(q-F(x)) with:\n"
                                                 "w=(1, 1, 1)")))
        << report().toStdString();
    EXPECT_TRUE(report().contains(QStringLiteral("Output A= 10\nOutput B= 10\nOutput C= 10")))
        << report().toStdString();
    EXPECT_EQ(ws->basketCount, 4);
    EXPECT_TRUE(status(1).startsWith(QStringLiteral("time: ")));

    // e-constraint: optimize objective 2 with Output A >= 8.
    driver
        .then([](QWidget* modal) {
            auto* d = as<ChooseObjectiveDialog>(modal);
            ASSERT_NE(d, nullptr);
            EXPECT_EQ(d->windowTitle(), QStringLiteral("Objective selection"));
            EXPECT_EQ(d->objectiveBox()->currentIndex(), -1);
            EXPECT_FALSE(d->valueEdit()->isVisible());
            d->objectiveBox()->setCurrentIndex(1);
            clickLater(d->okButton());
        })
        .then([](QWidget* modal) {
            auto* d = as<LimitationsDialog>(modal);
            ASSERT_NE(d, nullptr);
            EXPECT_EQ(tabTexts(d->tabBar()), QStringList({"Output A", "Output C"}));
            EXPECT_FALSE(d->clearAllButton()->isVisible());
            EXPECT_EQ(d->acceptButton()->text(), QStringLiteral("OK"));
            EXPECT_EQ(d->limitBox()->text(), QStringLiteral("Output A >="));
            QTest::keyClicks(d->valueEdit(), QStringLiteral("8"));
            EXPECT_TRUE(d->limitBox()->isChecked());
            clickLater(d->acceptButton());
        });
    window->action(Cmd::BtnEConstraint)->trigger();
    EXPECT_TRUE(report().contains(QStringLiteral("with the weights:\n(0.0001, 1, 0.0001)\n"
                                                 "Including the following limitations on the objectives:\n"
                                                 "Output A >= 8\n")))
        << report().toStdString();
    EXPECT_TRUE(report().contains(QStringLiteral("Output A= 8\nOutput B= 11.2\nOutput C= 4.8")))
        << report().toStdString();
    // The bounds served that computation only; with them in force the
    // solution was not stored.
    EXPECT_FALSE(ws->limitsActive);
    EXPECT_FALSE(window->action(Cmd::BtnLimitations)->isChecked());
    EXPECT_EQ(ws->basketCount, 4);

    // A limitation on Output C, through the menu.
    driver.then([](QWidget* modal) {
        auto* d = as<LimitationsDialog>(modal);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(tabTexts(d->tabBar()), QStringList({"Output A", "Output B", "Output C"}));
        EXPECT_TRUE(d->clearAllButton()->isVisible());
        EXPECT_EQ(d->acceptButton()->text(), QStringLiteral("Insert"));
        clickTab(d->tabBar(), 2);
        EXPECT_EQ(d->limitBox()->text(), QStringLiteral("Output C >="));
        QTest::keyClicks(d->valueEdit(), QStringLiteral("6"));
        clickLater(d->acceptButton());
    });
    window->action(Cmd::ImposeLimitations)->trigger();
    EXPECT_TRUE(ws->limitsActive);
    EXPECT_TRUE(window->action(Cmd::BtnLimitations)->isChecked());

    // Weighted sum, answering Yes: the limitation takes part.
    const QString question = QStringLiteral("Do you want to consider the limitations imposed on the o.f. values?");
    driver.answer(question, QMessageBox::Yes).then([](QWidget* modal) {
        auto* d = as<WeightsDialog>(modal);
        ASSERT_NE(d, nullptr);
        typeRow(d->grid(), {"0.5", "0.5", "0"});
        clickLater(d->acceptButton());
    });
    window->action(Cmd::WeightedSum)->trigger();
    EXPECT_TRUE(report().contains(QStringLiteral("Including the following limitations on the objectives:\n"
                                                 "Output C >= 6\n")))
        << report().toStdString();
    EXPECT_TRUE(report().contains(QStringLiteral("Output A= 10.57143\nOutput B= 10.57143\nOutput C= 6\n")))
        << report().toStdString();
    EXPECT_TRUE(ws->limitsActive);
    EXPECT_TRUE(window->action(Cmd::BtnLimitations)->isChecked());
    EXPECT_EQ(ws->basketCount, 4);

    // Weighted sum, answering No: the limitation is dropped first.
    driver.answer(question, QMessageBox::No).then([](QWidget* modal) {
        auto* d = as<WeightsDialog>(modal);
        ASSERT_NE(d, nullptr);
        typeRow(d->grid(), {"0.5", "0", "0.5"});
        clickLater(d->acceptButton());
    });
    window->action(Cmd::BtnWeightedSum)->trigger();
    EXPECT_FALSE(ws->limitsActive);
    EXPECT_FALSE(window->action(Cmd::BtnLimitations)->isChecked());
    EXPECT_FALSE(report().contains(QStringLiteral("Including the following limitations")));
    EXPECT_TRUE(report().contains(QStringLiteral("Solution 5:\nObjective functions:\nOutput A= 10.66667\n"
                                                 "Output B= 5.333333\nOutput C= 10.66667")))
        << report().toStdString();
    EXPECT_EQ(ws->basketCount, 5);
    EXPECT_EQ(status(0), QStringLiteral("Last solution saved with the index 5"));

    // The pay-off table again, from the Solutions menu.
    driver.then([](QWidget* modal) {
        auto* w = as<PayoffWindow>(modal);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(rowTexts(w->table(), 2), QStringList({"Opt. Output B", "4", "12", "4"}));
        clickLater(w->okButton());
    });
    window->action(Cmd::ViewPayoff)->trigger();
    EXPECT_EQ(driver.messages, QStringList({"Invalid Values!", question, question}));
}

} // namespace

namespace {

TEST_F(ComputationCommandsTest, VmaOpensTheBasketWindowsWithEveryVertex)
{
    ui.answers.push_back(Answer::Yes);
    window->action(Cmd::VMA)->trigger();
    EXPECT_EQ(ui.log.value(0).left(40), QStringLiteral("Ask: This operation may require a lot of"));
    EXPECT_TRUE(ui.log.last().startsWith(QStringLiteral("Information: VMA has computed "))) << ui.log.last().toStdString();
    EXPECT_TRUE(window->basketValues()->isVisible());
    EXPECT_TRUE(window->basketGraphs()->isVisible());
    // No progress box is left behind.
    EXPECT_TRUE(window->findChildren<QProgressDialog*>().isEmpty());
}

} // namespace

namespace {

// A message box shown while a computation runs is never covered by the
// progress box: the progress box goes while the message is up and comes
// back afterwards, keeping a Cancel pressed before.
TEST_F(ComputationsGuiTest, AMessageDuringAComputationIsNotCoveredByItsProgressBox)
{
    QWidget owner;
    QtUiPort port(&owner);
    port.beginStoppableTask(QStringLiteral("Computing"), QStringLiteral("Solving"));
    int progressBoxesDuringMessage = -1;
    // The message stays up longer than the progress box's delay.
    driver.then([&](QWidget* modal) {
        QTimer::singleShot(1500, modal, [&, modal] {
            progressBoxesDuringMessage = int(owner.findChildren<QProgressDialog*>().size());
            qobject_cast<QMessageBox*>(modal)->accept();
        });
    });
    port.showMessage(MsgKind::Information, QStringLiteral("Solution already saved (index 1)"));
    EXPECT_EQ(progressBoxesDuringMessage, 0);
    ASSERT_EQ(owner.findChildren<QProgressDialog*>().size(), 1);
    EXPECT_TRUE(port.updateStoppableTask(QStringLiteral("Solving")));

    owner.findChild<QProgressDialog*>()->cancel();
    driver.answer(QStringLiteral("Solution already saved (index 1)"), QMessageBox::Ok);
    port.showMessage(MsgKind::Information, QStringLiteral("Solution already saved (index 1)"));
    EXPECT_FALSE(port.updateStoppableTask(QStringLiteral("Solving")));
    port.endStoppableTask();
    EXPECT_TRUE(owner.findChildren<QProgressDialog*>().isEmpty());
}

} // namespace

namespace {

// While a computation with a progress box stores solutions, the basket views
// wait for the box to go (or for a second to pass) instead of drawing every
// solution again at every store.
TEST_F(ComputationCommandsTest, BasketViewsWaitForTheProgressBoxToGo)
{
    window->action(Cmd::ViewBasketValues)->trigger();
    ASSERT_TRUE(window->basketValues()->isVisible());
    const int rows = window->basketValues()->table().rowCount;
    QtUiPort& port = window->uiPort();
    port.beginStoppableTask(QStringLiteral("Computing"), QStringLiteral("Storing"));
    SolSolutionBasket entry;
    entry.f = SolutionValues(ws->basket[1].f);
    entry.x_s = SolutionValues(ws->basket[1].x_s);
    ASSERT_NE(ws->appendSolution(std::move(entry)), 0);
    port.notify(UiEvent::BasketValuesChanged);
    EXPECT_EQ(window->basketValues()->table().rowCount, rows);
    port.endStoppableTask();
    EXPECT_EQ(window->basketValues()->table().rowCount, rows + 1);
}

} // namespace
