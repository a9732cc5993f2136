#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include "BatchRunner.h"

#include <gtest/gtest.h>

namespace {

QString example(const char* name)
{
    return QDir(QStringLiteral(QUILVANE_EXAMPLES_DIR)).filePath(QString::fromLatin1(name));
}

class BatchWeightSpace : public ::testing::TestWithParam<const char*> {};

// The weighted sum at (0.35, 0.3, 0.35) finds solution 4 again, so the
// picture shows, at the pixel of those weights (zoom 100 %, projection 1-2),
// the colour of the fourth legend swatch.
TEST_P(BatchWeightSpace, PictureShowsTheRegionThatTheWeightedSumFinds)
{
    QTemporaryDir dir;
    const QString picture = dir.filePath(QString::fromLatin1(GetParam()));
    const BatchRun run = runBatch({QStringLiteral("--weight-space"), picture, example("three_objectives_degenerate.mlp"),
                              QStringLiteral("weighted-sum"), QStringLiteral("0.4,0.3,0.3"),
                              QStringLiteral("weighted-sum"), QStringLiteral("0.35,0.3,0.35")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    ASSERT_TRUE(run.err.contains(QStringLiteral("Solution already saved (index 4)"))) << run.err.toStdString();
    const QImage image(picture);
    ASSERT_FALSE(image.isNull());
    const QRgb atWeights = image.pixel(15 + 122, 18 + 350 - 105);
    const QRgb swatch = image.pixel(350 + 25 + 5, 12 * 3 + 1 + 5);
    EXPECT_EQ(atWeights, swatch);
    EXPECT_NE(atWeights, qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(15 + 5, 18 + 350 + 1), qRgb(0, 0, 0));
}

INSTANTIATE_TEST_SUITE_P(Formats, BatchWeightSpace, ::testing::Values("w.png", "w.bmp"));

// From the second ICW iteration on, the weight space shows the contracted
// cone in grey and a second picture, "-cone" before the extension, shows
// the cone's own weight space: its frame and a legend whose first entry's
// colour is drawn in the triangle.
TEST(BatchWeightSpaceIcw, SecondIterationAlsoWritesTheContractedCone)
{
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("first.png"));
    const QString second = dir.filePath(QStringLiteral("ws.png"));
    const QString example3 = example("three_objectives_degenerate.mlp");
    ASSERT_EQ(runBatch({QStringLiteral("--weight-space"), first, example3, QStringLiteral("icw")}).exitCode, 0);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("first-cone.png"))));
    const BatchRun run = runBatch({QStringLiteral("--weight-space"), second, example3, QStringLiteral("icw"),
                                     QStringLiteral("7")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();

    const QImage space(second);
    int grey = 0;
    for (int y = 18; y < 18 + 350; ++y)
        for (int x = 15; x < 15 + 350; ++x)
            grey += space.pixel(x, y) == qRgb(0xC0, 0xC0, 0xC0);
    EXPECT_GT(grey, 100);

    const QImage cone(dir.filePath(QStringLiteral("ws-cone.png")));
    ASSERT_FALSE(cone.isNull());
    // The frame beside the corners (the dots of the extreme vectors cover
    // the corners themselves).
    for (QPoint frame : {QPoint(30, 369), QPoint(350, 369), QPoint(15, 40)})
        EXPECT_EQ(cone.pixel(frame), qRgb(0, 0, 0)) << frame.x() << "," << frame.y();
    const QRgb swatch = cone.pixel(350 + 60 + 5, 6);
    EXPECT_NE(swatch, qRgb(255, 255, 255));
    bool drawn = false;
    for (int y = 20; y < 368 && !drawn; y += 2)
        for (int x = 17; x < 15 + (368 - y) && !drawn; x += 2)
            drawn = cone.pixel(x, y) == swatch;
    EXPECT_TRUE(drawn);
}

TEST(BatchWeightSpaceRefusal, FourObjectivesWriteNothing)
{
    QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("w.png"));
    const BatchRun run = runBatch({QStringLiteral("--weight-space"), picture, example("four_objectives_min_ub.mlp")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_FALSE(QFile::exists(picture));
}

} // namespace
