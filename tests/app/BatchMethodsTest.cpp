#include <QDir>
#include <QProcess>

#include "BatchRunner.h"

#include <gtest/gtest.h>

namespace {

BatchRun runOnExample(const char* name, const QStringList& actions)
{
    return runBatch(QStringList{QDir(QStringLiteral(QUILVANE_EXAMPLES_DIR)).filePath(QString::fromLatin1(name))}
                    + actions);
}

// Three symmetric objectives (3x1+x2+x3 and its turns, x1+x2+x3 <= 6): the
// first proposal is (10, 10, 10) at x = (2, 2, 2); F1 relaxed by 2 gives
// F2 = F3 = 72/7, and relaxing F2 by 1 then bounds it at 72/7 - 1.
TEST(BatchMethods, StemPrintsEveryIterationWithItsBounds)
{
    const BatchRun run = runOnExample("three_objectives_degenerate.mlp", {"stem", "2,-,-", "-,1,-"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.count(QStringLiteral("Min of the Tchebycheff distance to the Ref.point q:")), 3);
    EXPECT_TRUE(run.out.contains(QStringLiteral("w=(0.3333333, 0.3333333, 0.3333333)")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("Output B= 10.28571")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("Output A >= 8\n")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("Output B >= 9.285714")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("w=(0.5, 0, 0.5)")));
}

// Ranges of width 8 on each objective: the point moves 0.008 per GO at the
// slowest speed.
TEST(BatchMethods, RacePrintsTheStartAndEveryStep)
{
    const BatchRun run = runOnExample("three_objectives_degenerate.mlp",
                                 {"race", "8,8,8", "4:12,4:12,4:12", "2", "speed=8"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.count(QStringLiteral("Min of the Tchebycheff distance to the Ref.point q:")), 3);
    EXPECT_TRUE(run.out.contains(QStringLiteral("q=(8, 8, 8)")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("q=(8.008, 8.008, 8.008)")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("q=(8.016, 8.016, 8.016)")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("w=(3, 3, 3)")));
}

// The first extreme vector prefers F1 = 3x1 + x2 + x3; its contracted cone
// weights F1 at least 0.73 times F2 + F3, which (12,4,4), (10,10,10) and the
// two vertices with F1 = 32/3 reach, and (16/3, 32/3, 32/3) does not. An
// action other than contracted-vma leaves the method first.
TEST(BatchMethods, IcwIteratesThenTheContractedVmaCountsTheConeVertices)
{
    BatchRun run = runOnExample("three_objectives_degenerate.mlp", {"icw", "1", "contracted-vma"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("Solutions computed in the Iteration (1) of ICW:")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("Solutions computed in the Iteration (2) of ICW:")));
    EXPECT_TRUE(run.out.contains(
        QStringLiteral("Weights W1 = (0.9997, 0.0001, 0.0001) with the original cone of the criteria")));
    EXPECT_TRUE(run.err.contains(QStringLiteral("Information: 4 vertex eficient solutions were found")))
        << run.err.toStdString();

    run = runOnExample("three_objectives_degenerate.mlp", {"icw", "7", "weighted-sum", "1,1,1"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("Optimization of the weighted-sum of the objectives")));
}

} // namespace
