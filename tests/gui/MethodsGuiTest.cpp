#include "ScriptedUiPort.h"
#include "flow/ui/MainWindow.h"
#include "methods/ui/RacePanel.h"
#include "methods/ui/RaceRangesDialog.h"
#include "methods/ui/RelaxationsDialog.h"
#include "solutions/ui/ReferencePointDialog.h"
#include "workspace/Workspace.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QSlider>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

// The menu items, panel buttons and race keys reach the methods' commands.
class MethodsGuiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<MainWindow>(*ws);
        window->uiPort().dialogs = &ui;
        window->uiPort().dialogPort = &ui;
        window->show();
        ui.files.push_back(QDir(QStringLiteral(QUILVANE_EXAMPLES_DIR)).filePath(QStringLiteral("two_objectives.mlp")));
        window->action(Cmd::Open)->trigger();
        ui.normalizations.push_back(false);
        window->action(Cmd::ComputePayoff)->trigger();
        ASSERT_TRUE(ws->payoffComputed);
        ui.clear();
    }

    RacePanel* panel() const { return window->findChild<RacePanel*>(); }

    void startRace()
    {
        ui.grids.push_back(QStringList{QStringLiteral("0"), QStringLiteral("0")});
        QStringList lower, upper;
        for (int i = 1; i <= 2; ++i) {
            lower << QString::number(static_cast<double>(std::min(ws->idealPoint[i], ws->nadirPoint[i])) - 1);
            upper << QString::number(static_cast<double>(std::max(ws->idealPoint[i], ws->nadirPoint[i])) + 1);
        }
        ui.ranges.push_back(RaceRangeTexts{lower, upper});
        window->action(Cmd::RaceStart)->trigger();
        ASSERT_EQ(ws->activeMethod, MethodKind::ParetoRace) << ui.log.join(QLatin1Char('\n')).toStdString();
    }

    std::unique_ptr<Workspace> ws = std::make_unique<Workspace>();
    ScriptedUiPort ui;
    std::unique_ptr<MainWindow> window;
};

TEST_F(MethodsGuiTest, StemItemsRunTheMethod)
{
    window->action(Cmd::Stem1st)->trigger();
    EXPECT_EQ(ws->activeMethod, MethodKind::Stem);
    EXPECT_TRUE(window->action(Cmd::StemNew)->isEnabled());
    window->action(Cmd::StemNew)->trigger();
    EXPECT_TRUE(ui.log.join(QLatin1Char('\n')).contains(QStringLiteral("Relax: ")));
    window->action(Cmd::StemExit)->trigger();
    EXPECT_EQ(ws->activeMethod, MethodKind::None);
}

TEST_F(MethodsGuiTest, PanelAndKeysDriveTheRace)
{
    EXPECT_FALSE(panel()->isVisible());
    startRace();
    ASSERT_TRUE(panel()->isVisible());
    EXPECT_EQ(panel()->directionButton()->text(), QStringLiteral(">>"));
    EXPECT_EQ(panel()->speedSlider()->value(), 8);

    int iteration = ws->methodIteration;
    panel()->goButton()->click();
    EXPECT_EQ(ws->methodIteration, ++iteration);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_G}) {
        QTest::keyClick(window->report(), key);
        EXPECT_EQ(ws->methodIteration, ++iteration) << key;
    }
    QTest::keyClick(window->report(), Qt::Key_Up);
    EXPECT_EQ(window->flow().methods().race()->speedPosition(), 7);
    QTest::keyClick(window->report(), Qt::Key_Left);
    EXPECT_FALSE(window->flow().methods().race()->forward());
    EXPECT_EQ(panel()->directionButton()->text(), QStringLiteral("<<"));
    EXPECT_EQ(panel()->speedSlider()->value(), 8);
    QTest::keyClick(window->report(), Qt::Key_Right);
    EXPECT_TRUE(window->flow().methods().race()->forward());
    panel()->speedSlider()->setValue(5);
    EXPECT_EQ(window->flow().methods().race()->speedPosition(), 5);

    ui.clear();
    panel()->changeDirectionButton()->click();
    EXPECT_EQ(ui.log.value(0).section(QLatin1Char('|'), 0, 0), QStringLiteral("ChooseObjective: Change Direction "));
    for (Cmd cmd : {Cmd::RaceChangeDir, Cmd::RaceFix}) {
        ui.clear();
        window->action(cmd)->trigger();
        EXPECT_TRUE(ui.log.value(0).startsWith(QStringLiteral("ChooseObjective: "))) << toString(cmd);
    }
    ui.clear();
    window->action(Cmd::RaceRelax)->trigger();
    EXPECT_EQ(ui.dialogs(), QStringList{QStringLiteral("Information: No objective function was bounded")});
    window->action(Cmd::RaceExit)->trigger();
    EXPECT_FALSE(panel()->isVisible());
}

// The window's own port opens the methods' dialogs.
TEST_F(MethodsGuiTest, TheWindowOpensTheRealDialogs)
{
    window->action(Cmd::Stem1st)->trigger();
    window->uiPort().dialogs = nullptr;
    window->uiPort().dialogPort = nullptr;
    QTimer::singleShot(0, [] {
        auto* d = qobject_cast<RelaxationsDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        d->grid()->item(0, 1)->setText(QStringLiteral("2"));
        d->okButton()->click();
    });
    window->action(Cmd::StemNew)->trigger();
    EXPECT_EQ(window->flow().lastOutcome(), Outcome::Done);
    EXPECT_TRUE(ws->limitOn[1] && ws->limitOn[2]);
    window->uiPort().dialogs = &ui;
    window->uiPort().dialogPort = &ui;
    ui.answers.push_back(Answer::No);
    window->action(Cmd::StemExit)->trigger();

    window->uiPort().dialogs = nullptr;
    window->uiPort().dialogPort = nullptr;
    QTimer::singleShot(0, [] {
        auto* point = qobject_cast<ReferencePointDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(point, nullptr);
        QTimer::singleShot(0, [] {
            auto* ranges = qobject_cast<RaceRangesDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(ranges, nullptr);
            ranges->okButton()->click();
        });
        point->okButton()->click();
    });
    window->action(Cmd::RaceStart)->trigger();
    window->uiPort().dialogs = &ui;
    window->uiPort().dialogPort = &ui;
    EXPECT_EQ(ws->activeMethod, MethodKind::ParetoRace);
    EXPECT_TRUE(panel()->isVisible());
}

TEST(MethodDialogs, RelaxationsAndRangesReturnTheTypedTexts)
{
    RelaxationsDialog relax;
    QTimer::singleShot(0, [&relax] {
        relax.grid()->item(1, 1)->setText(QStringLiteral("2.5"));
        relax.okButton()->click();
    });
    QStringList checked;
    const auto amounts = relax.PedeRelaxacoes({QStringLiteral("F1 :"), QStringLiteral("F2 :")},
                                              {QStringLiteral("0"), QStringLiteral("0")},
                                              [&checked](const QStringList& t) {
                                                  checked = t;
                                                  return true;
                                              });
    ASSERT_TRUE(amounts.has_value());
    EXPECT_EQ(*amounts, QStringList({"0", "2.5"}));
    EXPECT_EQ(checked, *amounts);
    EXPECT_EQ(relax.grid()->horizontalHeaderItem(1)->text(), QStringLiteral("Relax Amounts"));

    RaceRangesDialog ranges;
    QTimer::singleShot(0, [&ranges] {
        ranges.grid()->item(2, 2)->setText(QStringLiteral("9"));
        ranges.okButton()->click();
    });
    const auto typed = ranges.PedeRangesFO_ParetoRace({QStringLiteral("F1"), QStringLiteral("F2")},
                                                      {QStringLiteral("1"), QStringLiteral("2")},
                                                      {QStringLiteral("3"), QStringLiteral("4")});
    ASSERT_TRUE(typed.has_value());
    EXPECT_EQ(typed->lower, QStringList({"1", "2"}));
    EXPECT_EQ(typed->upper, QStringList({"3", "9"}));
    EXPECT_EQ(ranges.grid()->item(1, 0)->text(), QStringLiteral("Lower Value"));
    EXPECT_EQ(ranges.windowTitle(), QStringLiteral("Ranges for the objective functions"));
}

} // namespace
