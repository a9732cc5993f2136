#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct PictureRun {
    int exitCode = -1;
    QString err;
};

PictureRun runBatch(const QStringList& args)
{
    QProcess process;
    process.start(QStringLiteral(QUILVANE_BATCH_EXE), args);
    EXPECT_TRUE(process.waitForFinished(30000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}

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
    const PictureRun run = runBatch({QStringLiteral("--weight-space"), picture, example("three_objectives_degenerate.mlp"),
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

TEST(BatchWeightSpaceRefusal, FourObjectivesWriteNothing)
{
    QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("w.png"));
    const PictureRun run = runBatch({QStringLiteral("--weight-space"), picture, example("four_objectives_min_ub.mlp")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_FALSE(QFile::exists(picture));
}

} // namespace
