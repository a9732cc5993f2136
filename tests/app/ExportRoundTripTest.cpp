// Every results file the batch tool writes reads back: random action
// sequences on small problems, each export imported into the problem and
// written again byte for byte, with a consistent store. A sequence goes on
// from one of its exports now and then, so imports are among the actions.

#include "problem/ProblemFile.h"
#include "problem/RandomProblems.h"
#include "solutions/ResultsFile.h"
#include "workspace/Workspace.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "BatchRunner.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

namespace {

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString Weights(std::mt19937& rng, int p)
{
    QStringList w;
    for (int k = 0; k < p; ++k)
        w << QStringLiteral("0.%1").arg(std::uniform_int_distribution<int>(1, 9)(rng));
    return w.join(QLatin1Char(','));
}

QStringList RandomAction(std::mt19937& rng, int p)
{
    const QString seed = QString::number(std::uniform_int_distribution<int>(0, 99)(rng));
    QStringList free(p, QStringLiteral("-"));
    free[0] = QStringLiteral("0");
    switch (std::uniform_int_distribution<int>(0, 8)(rng)) {
    case 0: return {QStringLiteral("weighted-sum"), Weights(rng, p)};
    case 1: return {QStringLiteral("weighted-sum"), Weights(rng, p), QStringLiteral("store")};
    case 2: return {QStringLiteral("delete"), QStringLiteral("2-3")};
    case 3: return {QStringLiteral("vma")};
    case 4: return {QStringLiteral("icw"), QStringLiteral("1"), QStringLiteral("2")};
    case 5: return {QStringLiteral("ea-nadir"), QStringLiteral("iter=3"), QStringLiteral("seed=") + seed};
    case 6: return {QStringLiteral("ea-nadir"), QStringLiteral("iter=3"), QStringLiteral("seed=") + seed,
                    QStringLiteral("runs=2")};
    case 7: return {QStringLiteral("limits"), free.join(QLatin1Char(','))};
    default: return {QStringLiteral("limits"), QStringLiteral("clear")};
    }
}

// The export read into the problem, checked, and written again.
void ExpectReadsBack(const QString& problemPath, const QByteArray& exported, const std::string& trace)
{
    auto ws = std::make_unique<Workspace>();
    InitWorkspace(*ws);
    ASSERT_EQ(ReadProblemFile(problemPath, *ws).status, ProblemReadStatus::Ok) << trace;
    const ResultsFileResult read = ParseResultsText(exported, *ws);
    ASSERT_TRUE(read.ok) << trace << "\n" << read.message.toStdString() << "\n" << exported.toStdString();
    EXPECT_TRUE(ws->isConsistent()) << trace;
    EXPECT_EQ(ResultsFileText(*ws), exported) << trace;
}

void RunSequences(const QString& problemPath, int p, std::uint32_t seed, const QTemporaryDir& dir)
{
    std::mt19937 rng(seed);
    QString base; // the export the current sequence goes on from
    QStringList actions;
    int checked = 0;
    for (int step = 1; step <= 12; ++step) {
        actions << RandomAction(rng, p);
        const QString out = dir.filePath(QStringLiteral("step%1.out").arg(step));
        QStringList args{problemPath};
        if (!base.isEmpty())
            args << QStringLiteral("--import") << base;
        args << QStringLiteral("--export") << out << actions;
        QFile::remove(out);
        const BatchRun run = runBatch(args);
        const std::string trace = args.join(QLatin1Char(' ')).toStdString();
        if (run.exitCode == 2 || !QFile::exists(out)) {
            // A failed computation writes nothing; the sequence starts over.
            EXPECT_NE(run.exitCode, 0) << trace;
            base.clear();
            actions.clear();
            continue;
        }
        ExpectReadsBack(problemPath, Contents(out), trace);
        ++checked;
        if (std::uniform_int_distribution<int>(0, 2)(rng) == 0) {
            base = out;
            actions.clear();
        }
    }
    EXPECT_GT(checked, 0);
}

class ExportRoundTrip : public testing::TestWithParam<int> {};

TEST_P(ExportRoundTrip, EveryExportImportsAndWritesTheSameBytes)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const int seed = GetParam();
    RandomProblemSpec shape;
    shape.objectives = 2 + seed % 2;
    shape.variables = 3 + seed % 3;
    shape.constraints = 3;
    const auto problem = makeRandomProblem(static_cast<std::uint32_t>(seed), shape);
    const QString path = dir.filePath(QStringLiteral("random.mlp"));
    ASSERT_TRUE(WriteProblemFile(path, *problem).ok);
    RunSequences(path, shape.objectives, static_cast<std::uint32_t>(seed), dir);
}

INSTANTIATE_TEST_SUITE_P(Seeds, ExportRoundTrip, testing::Range(1, 41));

TEST(ExportRoundTrip, EveryExportOfTheExamplesImports)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QDir examples(QStringLiteral(QUILVANE_EXAMPLES_DIR));
    const struct {
        const char* file;
        int p;
    } cases[] = {{"two_objectives.mlp", 2}, {"three_objectives_degenerate.mlp", 3}, {"four_objectives_min_ub.mlp", 4}};
    for (const auto& c : cases)
        RunSequences(examples.filePath(QString::fromLatin1(c.file)), c.p, 7, dir);
}

} // namespace
