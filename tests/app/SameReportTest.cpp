// The batch tool runs the window's own commands: for the same actions on the
// same problem it prints, block by block, the report pane's text of a window
// driven by a scripted person.

#include "ScriptedUiPort.h"
#include "base/NumberFormat.h"
#include "flow/Session.h"
#include "solutions/Limitations.h"
#include "workspace/Workspace.h"

#include <QDir>
#include <QProcess>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

QString example(const QString& name) { return QDir(QStringLiteral(QUILVANE_EXAMPLES_DIR)).filePath(name); }

// Sets the limitations dialog from "L1,...,Lp" ('-' for none), tab by tab.
std::function<LimitationsAnswer(LimitationsEditor&)> boundsScript(const QStringList& values, UiPort& ui)
{
    return [values, &ui](LimitationsEditor& editor) {
        for (std::size_t i = 0; i < editor.tabs().size(); ++i) {
            const TabSwitchResult switched = editor.switchToTab(static_cast<int>(i));
            ShowNotices(ui, switched.notices);
            EXPECT_TRUE(switched.switched);
            const QString& v = values[editor.tabs()[i] - 1];
            if (v == QLatin1String("-"))
                editor.setChecked(false);
            else
                editor.typeValue(v);
        }
        return LimitationsAnswer::Accept;
    };
}

struct Window {
    std::unique_ptr<Workspace> ws = std::make_unique<Workspace>();
    ScriptedUiPort ui;
    Session flow{*ws, ui, ui};
    QStringList reports;

    void record() { reports << flow.report().toPlainText(); }
};

// The words of each action, and the same action done in the window.
struct Step {
    QStringList words;
    std::function<void(Window&)> inWindow;
};

std::vector<Step> stepsFor(const Workspace& ws)
{
    const int p = ws.numObjectives;
    QStringList weights, point, bounds, looseBound;
    for (int k = 1; k <= p; ++k) {
        weights << NumText(Real(k) / (p + 1));
        point << NumText(ws.idealPoint[k]);
        // Halfway between the worst and the best pay-off value of objective 1.
        bounds << (k == 1 ? NumText((ws.idealPoint[1] + ws.nadirPoint[1]) / 2) : QStringLiteral("-"));
        looseBound << (k == p ? NumText(ws.nadirPoint[p]) : QStringLiteral("-"));
    }
    const QString w = weights.join(QLatin1Char(',')), q = point.join(QLatin1Char(','));
    const QString b = bounds.join(QLatin1Char(',')), e = looseBound.join(QLatin1Char(','));
    std::vector<Step> steps;
    steps.push_back({{QStringLiteral("weighted-sum"), w}, [weights](Window& win) {
                         win.ui.grids.push_back(weights);
                         win.flow.compute().weightedSumCommand();
                     }});
    steps.push_back({{QStringLiteral("refpoint"), q, w}, [point, weights](Window& win) {
                         win.ui.grids.push_back(point);
                         win.ui.grids.push_back(weights);
                         win.flow.compute().referencePointCommand();
                     }});
    steps.push_back({{QStringLiteral("store")}, [](Window& win) { win.flow.basket().storeCurrentSolution(); }});
    steps.push_back({{QStringLiteral("limits"), b}, [bounds](Window& win) {
                         win.ui.limitationScripts.push_back(boundsScript(bounds, win.ui));
                         win.flow.compute().limitationsCommand();
                     }});
    steps.push_back({{QStringLiteral("weighted-sum"), w}, [weights](Window& win) {
                         win.ui.answers.push_back(Answer::Yes); // consider the limitations
                         win.ui.grids.push_back(weights);
                         win.flow.compute().weightedSumCommand();
                     }});
    if (p >= 2) {
        steps.push_back({{QStringLiteral("econstraint"), QStringLiteral("1"), e}, [looseBound](Window& win) {
                             win.ui.objectiveChoices.push_back(ObjectiveChoice{0, QString()});
                             win.ui.limitationScripts.push_back(boundsScript(looseBound, win.ui));
                             win.flow.compute().eConstraintCommand();
                         }});
    }
    steps.push_back({{QStringLiteral("delete"), QStringLiteral("1-2")}, [](Window& win) {
                         win.ui.inputs.push_back(QStringLiteral("1-2"));
                         win.flow.basket().deleteSolutions();
                     }});
    return steps;
}

class SameReport : public ::testing::TestWithParam<const char*> {};

TEST_P(SameReport, BatchBlocksAreTheWindowsReportPane)
{
    const QString problem = example(QString::fromLatin1(GetParam()));
    Window win;
    win.flow.startUp(QDir::currentPath());
    win.flow.file().openProblemFile(problem);
    win.ui.normalizations.push_back(false);
    win.flow.compute().computePayoffCommand();
    ASSERT_EQ(win.flow.lastOutcome(), Outcome::Done);
    win.record();

    QStringList words{problem};
    for (const Step& step : stepsFor(*win.ws)) {
        words << step.words;
        step.inWindow(win);
        ASSERT_EQ(win.flow.lastOutcome(), Outcome::Done) << step.words.join(QLatin1Char(' ')).toStdString() << "\n"
                                                         << win.ui.log.join(QLatin1Char('\n')).toStdString();
        win.record();
    }

    QProcess batch;
    batch.start(QStringLiteral(QUILVANE_BATCH_EXE), words);
    ASSERT_TRUE(batch.waitForFinished(60000));
    ASSERT_EQ(batch.exitCode(), 0) << batch.readAllStandardError().toStdString();
    QStringList blocks = QString::fromUtf8(batch.readAllStandardOutput()).split(QStringLiteral("\n\n"));
    ASSERT_EQ(blocks.takeLast(), QString());
    // The pay-off report is followed by the pay-off window's grid.
    ASSERT_GE(blocks.size(), 2);
    EXPECT_TRUE(blocks[1].contains(QStringLiteral("\nOpt. "))) << blocks[1].toStdString();
    blocks.removeAt(1);
    ASSERT_EQ(blocks.size(), win.reports.size());
    for (int i = 0; i < blocks.size(); ++i)
        EXPECT_EQ(blocks[i], win.reports[i]) << "after action " << i;
}

INSTANTIATE_TEST_SUITE_P(Examples, SameReport,
                         ::testing::Values("two_objectives.mlp", "three_objectives_degenerate.mlp",
                                           "four_objectives_min_ub.mlp"));

} // namespace
