#include "ScriptedUiPort.h"
#include "flow/ui/MainWindow.h"
#include "flow/ui/QtUiPort.h"
#include "nadir/ui/EaParametersDialog.h"
#include "workspace/Workspace.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

// Wiring of the nadir commands: the parameters dialog shows the defaults it
// is given and hands back what was typed; the menu items reach their
// flows.

namespace {

EaParameterTexts defaults()
{
    return EaParameterTexts{QStringLiteral("18"), QStringLiteral("0.01"), QStringLiteral("30"), true,
                            QStringLiteral("1234"), false};
}

TEST(EaParametersDialogWiring, ShowsTheDefaultsAndReturnsWhatWasTyped)
{
    EaParametersDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Parameteres"));
    bool checked = false;
    QTimer::singleShot(0, &dialog, [&] {
        EXPECT_EQ(dialog.populationField()->text(), QStringLiteral("18"));
        EXPECT_EQ(dialog.iterationsField()->text(), QStringLiteral("30"));
        EXPECT_TRUE(dialog.randomizeButton()->isChecked());
        EXPECT_FALSE(dialog.seedField()->isEnabled());
        EXPECT_FALSE(dialog.traceBox()->isChecked());
        dialog.seedButton()->click();
        EXPECT_TRUE(dialog.seedField()->isEnabled());
        dialog.seedField()->setText(QStringLiteral("7"));
        dialog.populationField()->setText(QStringLiteral("250"));
        dialog.traceBox()->setChecked(true);
        checked = true;
        dialog.okButton()->click();
    });
    const std::optional<EaParameterTexts> typed = dialog.edit(defaults());
    ASSERT_TRUE(checked);
    ASSERT_TRUE(typed.has_value());
    EXPECT_EQ(typed->popSize, QStringLiteral("250"));
    EXPECT_FALSE(typed->randomize);
    EXPECT_EQ(typed->seed, QStringLiteral("7"));
    EXPECT_TRUE(typed->trace);

    // Each opening starts again from the defaults; Cancel gives nothing.
    QTimer::singleShot(0, &dialog, [&] {
        EXPECT_EQ(dialog.populationField()->text(), QStringLiteral("18"));
        EXPECT_TRUE(dialog.randomizeButton()->isChecked());
        dialog.reject();
    });
    EXPECT_FALSE(dialog.edit(defaults()).has_value());
}

TEST(NadirMenuWiring, TheItemsReachTheirFlows)
{
    auto ws = std::make_unique<Workspace>();
    ScriptedUiPort ui;
    auto window = std::make_unique<MainWindow>(*ws);
    window->uiPort().dialogs = &ui;
    window->uiPort().dialogPort = &ui;
    ui.files.push_back(
        QDir(QStringLiteral(QUILVANE_EXAMPLES_DIR)).filePath(QStringLiteral("three_objectives_degenerate.mlp")));
    window->action(Cmd::Open)->trigger();
    ui.normalizations.push_back(false);
    window->action(Cmd::ComputePayoff)->trigger();
    ASSERT_TRUE(ws->payoffComputed);

    ui.clear();
    window->action(Cmd::NadirMethod2)->trigger();
    EXPECT_EQ(ui.log.value(0), QStringLiteral("Input: Compute the nadir value (Method 2) | objective function index | "));
    for (Cmd cmd : {Cmd::EstimateNadirEA, Cmd::EstimateNadirEARuns}) {
        ui.clear();
        window->action(cmd)->trigger();
        EXPECT_EQ(ui.log.value(0), QStringLiteral("EaParameters")) << toString(cmd);
    }
    window->action(Cmd::WorstFeasible)->trigger();
    EXPECT_EQ(window->flow().report().lines().at(0).text, QStringLiteral("WORST FEASIBLE values for the obj. functions:"));
}

} // namespace
