#include "ScriptedUiPort.h"
#include "flow/ui/MainWindow.h"
#include "solutions/ui/BasketGraphsWindow.h"
#include "weightspace/ui/WeightSpaceWindow.h"
#include "workspace/Workspace.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// Runs `script` on the next modal dialog once it is open.
void onNextDialog(const std::function<void(QDialog&)>& script)
{
    QTimer::singleShot(0, [script] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            script(*dialog);
    });
}

// A pointer move without buttons, as mouse tracking delivers it.
void movePointer(QWidget* widget, QPoint at)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(widget->mapToGlobal(at)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

class WeightSpaceWindowTest : public ::testing::Test {
protected:
    void open(const char* example)
    {
        window = std::make_unique<MainWindow>(*ws);
        window->uiPort().dialogs = &ui;
        window->uiPort().dialogPort = &ui;
        window->show();
        ui.files.push_back(QDir(QStringLiteral(QUILVANE_EXAMPLES_DIR)).filePath(QString::fromLatin1(example)));
        window->action(Cmd::Open)->trigger();
        ui.normalizations.push_back(false);
        window->action(Cmd::ComputePayoff)->trigger();
        ASSERT_TRUE(ws->payoffComputed);
        ui.clear();
    }
    WeightSpaceWindow* space() const { return window->weightSpace(); }

    std::unique_ptr<Workspace> ws = std::make_unique<Workspace>();
    ScriptedUiPort ui;
    std::unique_ptr<MainWindow> window;
};

TEST_F(WeightSpaceWindowTest, PayoffOpensTheTriangleWithItsCalculations)
{
    open("three_objectives_degenerate.mlp");
    ASSERT_TRUE(space()->isVisible());
    EXPECT_EQ(space()->windowTitle(), QStringLiteral("Weight Space"));
    EXPECT_TRUE(space()->projection12Button()->isVisible());
    EXPECT_TRUE(space()->calculateMenu()->menuAction()->isVisible());
    EXPECT_FALSE(space()->limitsButton()->isVisible());
    EXPECT_EQ(space()->height(), 517);
    space()->hide();
    window->action(Cmd::ViewWeightSpace)->trigger();
    EXPECT_TRUE(space()->isVisible());
}

TEST_F(WeightSpaceWindowTest, TwoObjectivesGetTheStripWithoutProjectionsOrCalculations)
{
    open("two_objectives.mlp");
    ASSERT_TRUE(space()->isVisible());
    EXPECT_FALSE(space()->projection12Button()->isVisible());
    EXPECT_FALSE(space()->projection123Button()->isVisible());
    EXPECT_FALSE(space()->calculateMenu()->menuAction()->isVisible());
    EXPECT_EQ(space()->height(), 250);
}

TEST_F(WeightSpaceWindowTest, PointerShowsWeightsAndAClickSolvesThem)
{
    open("three_objectives_degenerate.mlp");
    const int before = ws->basketCount;
    const QPoint at = space()->view().geometry().WeightToPixel(0.4L, 0.3L);
    movePointer(space()->pictureWidget(), at);
    EXPECT_TRUE(space()->statusLine()->text().isEmpty()) << "only while selecting";
    space()->selectButton()->click();
    ASSERT_TRUE(space()->selectButton()->isChecked());
    movePointer(space()->pictureWidget(), at);
    EXPECT_EQ(space()->statusLine()->text(), QStringLiteral("Weights: (0.400, 0.300, 0.300)"));
    ui.grids.push_back(QStringList{QStringLiteral("0.4"), QStringLiteral("0.3"), QStringLiteral("0.3")});
    QTest::mouseClick(space()->pictureWidget(), Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_FALSE(space()->selectButton()->isChecked());
    EXPECT_TRUE(ui.log.join(QLatin1Char('\n')).contains(QStringLiteral("0.4,0.3,0.3 | SOLVE")));
    EXPECT_EQ(ws->basketCount, before + 1);
    // The new region is drawn at once.
    const QRgb colour = space()->view().picture().pixel(at + QPoint(8, 8));
    const Color c = ws->basket[ws->basketCount].cor;
    EXPECT_EQ(colour, qRgb(colorRed(c), colorGreen(c), colorBlue(c)));
}

TEST_F(WeightSpaceWindowTest, ZoomDialogSetsTheFactor)
{
    open("three_objectives_degenerate.mlp");
    onNextDialog([](QDialog& dialog) {
        const auto radios = dialog.findChildren<QRadioButton*>();
        ASSERT_EQ(radios.size(), 4);
        EXPECT_TRUE(radios[0]->isChecked());
        radios[2]->setChecked(true);
        dialog.accept();
    });
    space()->zoom();
    EXPECT_EQ(space()->view().zoomFactor(), 2.0);
    EXPECT_EQ(space()->view().geometry().side(), 2 * space()->view().geometry().baseSide);
}

// A larger window draws a larger triangle that still fits it; the zoom
// stays as it was.
TEST_F(WeightSpaceWindowTest, TheDrawingGrowsWithTheWindow)
{
    open("three_objectives_degenerate.mlp");
    const int before = space()->view().geometry().side();
    space()->resize(space()->width() + 300, space()->height() + 300);
    const WeightSpaceGeometry& g = space()->view().geometry();
    EXPECT_GT(g.side(), before);
    EXPECT_EQ(space()->view().zoomFactor(), 1.0);
    const QSize room = space()->pictureWidget()->parentWidget()->size();
    EXPECT_LE(g.topMargin() + g.side() + 19, room.height());
    EXPECT_LE(g.side() + 60, room.width());
}

TEST_F(WeightSpaceWindowTest, PairwiseDialogReopensUntilTwoDifferentSolutions)
{
    open("three_objectives_degenerate.mlp");
    int shown = 0;
    std::function<void(QDialog&)> answer = [&](QDialog& dialog) {
        ++shown;
        const auto lists = dialog.findChildren<QComboBox*>();
        ASSERT_EQ(lists.size(), 2);
        EXPECT_EQ(lists[0]->count(), ws->basketCount);
        lists[0]->setCurrentIndex(0);
        lists[1]->setCurrentIndex(shown == 1 ? 0 : 1); // X = Y first
        if (shown == 1)
            onNextDialog(answer);
        dialog.done(QDialog::Accepted);
    };
    onNextDialog(answer);
    space()->pairwiseComparison();
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(space()->view().prefX(), 1);
    EXPECT_EQ(space()->view().prefY(), 2);
}

// The picture windows write what they show and put it on the clipboard;
// the weight space window saves a bitmap unless the name asks for PNG.
TEST_F(WeightSpaceWindowTest, PicturesAreSavedAndCopiedAsShown)
{
    open("three_objectives_degenerate.mlp");
    QTemporaryDir dir;
    window->action(Cmd::ViewBasketGraphs)->trigger();
    BasketGraphsWindow* graphs = window->basketGraphs();
    ASSERT_FALSE(graphs->picture().isNull());
    const QString png = dir.filePath(QStringLiteral("graphs.png"));
    ui.files.push_back(png);
    graphs->savePictureButton()->click();
    EXPECT_EQ(QImage(png).convertToFormat(QImage::Format_RGB32), graphs->picture().convertToFormat(QImage::Format_RGB32));
    graphs->copyPictureButton()->click();
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
              graphs->picture().convertToFormat(QImage::Format_RGB32));

    for (const char* name : {"space.bmp", "space.png"}) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        ui.files.push_back(path);
        space()->savePicture();
        EXPECT_EQ(QImage(path).convertToFormat(QImage::Format_RGB32), space()->view().savedPicture()) << name;
    }
    QFile bmp(dir.filePath(QStringLiteral("space.bmp")));
    ASSERT_TRUE(bmp.open(QIODevice::ReadOnly));
    EXPECT_EQ(bmp.read(2), QByteArray("BM"));
    EXPECT_TRUE(ui.log.join(QLatin1Char('\n')).contains(QStringLiteral("Bitmaps (*.bmp);;PNG pictures (*.png)")));
}

} // namespace
