#include "ScriptedUiPort.h"
#include "flow/ui/MainWindow.h"
#include "weightspace/ui/ContractedConeWindow.h"
#include "weightspace/ui/WeightSpaceWindow.h"
#include "workspace/Workspace.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

void onNextDialog(const std::function<void(QDialog&)>& script)
{
    QTimer::singleShot(0, [script] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            script(*dialog);
    });
}

// A main window after the second ICW iteration on the three-objective
// example (the central vector preferred).
class ContractedConeWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<MainWindow>(*ws);
        window->uiPort().dialogs = &ui;
        window->uiPort().dialogPort = &ui;
        window->show();
        ui.files.push_back(
            QDir(QStringLiteral(QUILVANE_EXAMPLES_DIR)).filePath(QStringLiteral("three_objectives_degenerate.mlp")));
        window->action(Cmd::Open)->trigger();
        ui.normalizations.push_back(false);
        window->action(Cmd::ComputePayoff)->trigger();
        window->action(Cmd::Icw1st)->trigger();
        ui.icwChoices.push_back(7);
        window->action(Cmd::IcwNew)->trigger();
        ASSERT_EQ(ws->methodIteration, 2) << ui.log.join(QLatin1Char('\n')).toStdString();
    }
    ContractedConeWindow* cone() const { return window->contractedCone(); }

    std::unique_ptr<Workspace> ws = std::make_unique<Workspace>();
    ScriptedUiPort ui;
    std::unique_ptr<MainWindow> window;
};

TEST_F(ContractedConeWindowTest, OpensAtTheSecondIterationAndClosesWithIcw)
{
    ASSERT_TRUE(cone()->isVisible());
    EXPECT_EQ(cone()->windowTitle(), QStringLiteral("Weight Space of the Contracted Cone"));
    EXPECT_TRUE(cone()->view().initialised());
    EXPECT_TRUE(cone()->projection123Button()->isVisible());
    // The picture widget reaches past the legend column.
    EXPECT_GE(cone()->pictureWidget()->width(), cone()->view().legendX() + ContractedConeView::kLegendWidth);
    window->action(Cmd::IcwExit)->trigger();
    EXPECT_FALSE(cone()->isVisible());
}

TEST_F(ContractedConeWindowTest, FillRedrawAndZoomButtonsReachTheView)
{
    // Redrawing keeps the dots of the weight vectors.
    const QImage solid = cone()->view().picture();
    cone()->redrawButton()->click();
    EXPECT_EQ(cone()->view().picture(), solid);

    cone()->fillButton()->click();
    EXPECT_TRUE(cone()->view().patternFill());
    EXPECT_NE(cone()->view().picture(), solid);

    onNextDialog([](QDialog& dialog) {
        const auto radios = dialog.findChildren<QRadioButton*>();
        ASSERT_EQ(radios.size(), 4);
        radios[1]->setChecked(true);
        dialog.accept();
    });
    cone()->zoomButton()->click();
    EXPECT_EQ(cone()->view().zoomFactor(), 1.5);
    EXPECT_GE(cone()->pictureWidget()->width(), cone()->view().legendX() + ContractedConeView::kLegendWidth);
}

TEST_F(ContractedConeWindowTest, SaveWritesThePicture)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cone.png"));
    ui.files.push_back(path);
    cone()->saveButton()->click();
    const QImage saved(path);
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), cone()->view().savedPicture());
}

} // namespace
