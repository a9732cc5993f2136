#include "BruteForceVertices.h"
#include "nadir/ExactNadir.h"
#include "problem/ProblemFile.h"
#include "problem/RandomProblems.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "BatchRunner.h"

#include <gtest/gtest.h>

// The nadir actions of quilvane-batch on generated problems: the exact
// value within its tolerance of the brute-force nadir, the estimate never
// beyond it, and the boxes' texts on standard error.

namespace {

using bruteforce::at;

// Half a unit of the last of the three decimals the boxes show.
constexpr Real kShownRounding = 0.0005L;

class NadirBatch : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        const int seed = GetParam();
        shape = RandomProblemSpec{3, 3 + seed % 3, 2 + seed % 3, true, seed % 2 == 0, true, false, true};
        ws = makeRandomProblem(static_cast<std::uint32_t>(700 + seed), shape);
        path = dir.filePath(QStringLiteral("generated.mlp"));
        ASSERT_TRUE(WriteProblemFile(path, *ws).ok);
        efficient = bruteforce::efficientVertices(*ws);
        ASSERT_FALSE(efficient.empty());
    }

    QTemporaryDir dir;
    RandomProblemSpec shape;
    std::unique_ptr<Workspace> ws;
    QString path;
    std::vector<bruteforce::Point> efficient;
};

TEST_P(NadirBatch, ExactValuesMatchTheWorstEfficientVertexValues)
{
    for (const char* method : {"method=1", "method=2"}) {
        for (int k = 1; k <= ws->numObjectives; ++k) {
            const BatchRun run = runBatch({path, QStringLiteral("nadir"), QString::number(k), QLatin1String(method)});
            ASSERT_EQ(run.exitCode, 0) << method << " F" << k << ": " << run.err.toStdString();
            const QRegularExpression found(QStringLiteral("Information: FOUND: the nadir for F%1 is (\\S+) given by the "
                                                          "solution (\\d+)")
                                               .arg(k));
            const QRegularExpressionMatch m = found.match(run.err);
            ASSERT_TRUE(m.hasMatch()) << run.err.toStdString();
            const Real value = m.captured(1).toDouble();
            const Real truth = bruteforce::worstValue(*ws, k, efficient);
            const Real worse = ws->objSense[at(k)] * (value - truth);
            EXPECT_GE(worse, -kShownRounding) << method << " F" << k;
            EXPECT_LE(worse, NadirStepTolerance(value, kNadirDefaultErrorPct) + kShownRounding) << method << " F" << k;
            EXPECT_TRUE(run.out.contains(QStringLiteral(" - Nadir of \nF%1:  ").arg(k))) << run.out.toStdString();
        }
    }
}

TEST_P(NadirBatch, TheEstimateIsNeverBeyondTheTrueNadir)
{
    const BatchRun run = runBatch({path, QStringLiteral("ea-nadir"), QStringLiteral("seed=7")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Information: Estimate of Nadir point = \\(([^)]*)\\)")).match(run.err);
    ASSERT_TRUE(m.hasMatch()) << run.err.toStdString();
    const QStringList values = m.captured(1).split(QStringLiteral(", "));
    ASSERT_EQ(values.size(), ws->numObjectives);
    for (int k = 1; k <= ws->numObjectives; ++k) {
        const Real truth = bruteforce::worstValue(*ws, k, efficient);
        EXPECT_GE(ws->objSense[at(k)] * (values[k - 1].toDouble() - truth), -kShownRounding) << "F" << k;
    }
    EXPECT_TRUE(run.out.contains(QStringLiteral(" Estimated Nadir values \n"))) << run.out.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Seeds, NadirBatch, ::testing::Range(1, 5));

TEST(NadirBatchArguments, RefusedValuesAreUsageErrors)
{
    QTemporaryDir dir;
    auto ws = makeRandomProblem(3u, RandomProblemSpec{3, 4, 3, true, true, true, false, true});
    const QString path = dir.filePath(QStringLiteral("p.mlp"));
    ASSERT_TRUE(WriteProblemFile(path, *ws).ok);
    for (const QStringList& action :
         {QStringList{QStringLiteral("nadir"), QStringLiteral("4")},
          QStringList{QStringLiteral("nadir"), QStringLiteral("1"), QStringLiteral("method=3")},
          QStringList{QStringLiteral("nadir"), QStringLiteral("1"), QStringLiteral("tol=x")},
          QStringList{QStringLiteral("ea-nadir"), QStringLiteral("pop=2")},
          QStringList{QStringLiteral("ea-nadir"), QStringLiteral("runs=0")}}) {
        const BatchRun run = runBatch(QStringList{path} + action);
        EXPECT_EQ(run.exitCode, 2) << action.join(' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << action.join(' ').toStdString();
    }
    const BatchRun worst = runBatch({path, QStringLiteral("worst-feasible")});
    EXPECT_EQ(worst.exitCode, 0) << worst.err.toStdString();
    EXPECT_TRUE(worst.out.contains(QStringLiteral("WORST FEASIBLE values for the obj. functions:\nF1\tF2\tF3\t\n")))
        << worst.out.toStdString();
}

} // namespace
