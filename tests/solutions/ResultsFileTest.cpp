// The results file on work done by the real engine: export, import into the
// same problem freshly opened, going on from there, the files on disk and
// the export and import commands with their dialogs.

#include "TestEngine.h"
#include "ResultsFileTestSupport.h"
#include "ScriptedUiPort.h"
#include "flow/WindowCommands.h"
#include "ShownThroughPort.h"

#include "problem/ProblemFile.h"
#include "solutions/Computation.h"
#include "solutions/Payoff.h"
#include "solutions/ResultsFile.h"
#include "base/TextFileFormat.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace results_test;

QString Example(const char* name)
{
    return QDir(QStringLiteral(QUILVANE_EXAMPLES_DIR)).filePath(QString::fromLatin1(name));
}

// The problem opened as the Open command does, nothing computed yet.
std::unique_ptr<Workspace> OpenExample(const char* name)
{
    auto ws = std::make_unique<Workspace>();
    InitWorkspace(*ws);
    const QString path = Example(name);
    const ProblemReadResult read = ReadProblemFile(path, *ws);
    EXPECT_EQ(read.status, ProblemReadStatus::Ok) << read.message.toStdString();
    ws->fileName = path;
    ResetComputedState(*ws);
    return ws;
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// Equal to 15 significant digits: the same 23-character text, and a
// difference within the last of those digits.
void ExpectSameTo15Digits(Real got, Real want, const char* what, int index)
{
    EXPECT_EQ(FormatFileReal(got), FormatFileReal(want)) << what << ' ' << index;
    EXPECT_LE(std::fabs(static_cast<double>(got - want)), 5e-15 * std::max(1.0, std::fabs(static_cast<double>(want))))
        << what << ' ' << index;
}

// The three-objective example after its pay-off table and a few weighted
// sums: six solutions, each with its indifference region, and the edges
// between adjacent regions.
class ResultsRoundTrip : public testing::Test {
protected:
    void SetUp() override
    {
        ws = OpenExample("three_objectives_degenerate.mlp");
        ApplyNormalization(*ws, false);
        ASSERT_EQ(ComputePayoffShown(*ws, engine(), ui), SolveStatus::Optimal);
        // Three of the four efficient vertices besides the optima; the
        // fourth is left for going on after an import.
        for (const auto& w : {std::array<Real, 3>{0.2L, 0.3L, 0.5L}, {0.45L, 0.45L, 0.1L}, {0.1L, 0.45L, 0.45L},
                              {1 / 3.0L, 1 / 3.0L, 1 / 3.0L}})
            compute(*ws, w);
    }

    int compute(Workspace& target, const std::array<Real, 3>& w)
    {
        for (int k = 1; k <= 3; ++k)
            target.sumWeights[k] = w[static_cast<std::size_t>(k - 1)];
        const ComputeResult computed = Shown(ui, ComputeFromWeights(target, engine(), true));
        EXPECT_EQ(computed.status, SolveStatus::Optimal);
        return computed.basketIndex;
    }

    ScriptedUiPort ui;
    std::unique_ptr<Workspace> ws;
};

TEST_F(ResultsRoundTrip, ImportIntoTheFreshlyOpenedProblemReproducesTheWork)
{
    ASSERT_EQ(ws->basketCount, 6);
    ASSERT_EQ(ws->regionCount, 6);
    ASSERT_GE(ws->edgeCount, 3);
    const QByteArray bytes = ResultsFileText(*ws);
    auto fresh = OpenExample("three_objectives_degenerate.mlp");
    const ResultsFileResult read = ParseResultsText(bytes, *fresh);
    ASSERT_TRUE(read.ok) << read.message.toStdString();

    const int p = 3;
    const int nm = ws->numVariables + ws->numConstraints;
    for (int k = 1; k <= p; ++k) {
        ExpectSameTo15Digits(fresh->idealPoint[k], ws->idealPoint[k], "ideal", k);
        ExpectSameTo15Digits(fresh->nadirPoint[k], ws->nadirPoint[k], "nadir", k);
        ExpectSameTo15Digits(fresh->normFactor[k], ws->normFactor[k], "norm", k);
        EXPECT_EQ(fresh->payoff[k].basketIndex, ws->payoff[k].basketIndex) << k;
        for (int l = 1; l <= p; ++l)
            ExpectSameTo15Digits(fresh->payoff[k].f[l], ws->payoff[k].f[l], "payoff", k);
    }
    ASSERT_EQ(fresh->basketCount, ws->basketCount);
    for (int i = 1; i <= ws->basketCount; ++i) {
        const SolSolutionBasket& got = fresh->basket[static_cast<std::size_t>(i)];
        const SolSolutionBasket& want = ws->basket[static_cast<std::size_t>(i)];
        for (int k = 1; k <= p; ++k)
            ExpectSameTo15Digits(got.f[k], want.f[k], "f", i);
        for (int j = 1; j <= nm; ++j)
            ExpectSameTo15Digits(got.x_s[j], want.x_s[j], "x_s", i);
        EXPECT_EQ(got.vbs, want.vbs) << i;
        EXPECT_EQ(got.cor, want.cor) << i;
        EXPECT_EQ(got.indRegIndif, want.indRegIndif) << i;
    }
    ASSERT_EQ(fresh->regionCount, ws->regionCount);
    for (int r = 1; r <= ws->regionCount; ++r) {
        const UmaOuMaisRegioes& got = fresh->regions[static_cast<std::size_t>(r)];
        const UmaOuMaisRegioes& want = ws->regions[static_cast<std::size_t>(r)];
        EXPECT_EQ(got.IndiceProx, want.IndiceProx) << r;
        ASSERT_EQ(got.Regiao.Numvertices, want.Regiao.Numvertices) << r;
        for (int v = 1; v <= want.Regiao.Numvertices; ++v) {
            ExpectSameTo15Digits(got.Regiao.vertices[v].x, want.Regiao.vertices[v].x, "vertex x", r);
            ExpectSameTo15Digits(got.Regiao.vertices[v].y, want.Regiao.vertices[v].y, "vertex y", r);
        }
        EXPECT_EQ(got.AreaPolig, 0) << r;
    }
    ASSERT_EQ(fresh->edgeCount, ws->edgeCount);
    for (int e = 1; e <= ws->edgeCount; ++e) {
        EXPECT_EQ(fresh->edges[static_cast<std::size_t>(e)].Sol1, ws->edges[static_cast<std::size_t>(e)].Sol1);
        EXPECT_EQ(fresh->edges[static_cast<std::size_t>(e)].Sol2, ws->edges[static_cast<std::size_t>(e)].Sol2);
    }
    EXPECT_TRUE(fresh->payoffComputed);
    ASSERT_EQ(fresh->historyCount, 1);
    EXPECT_EQ(fresh->history.front().basketIndex, ws->basketCount);

    // Exported again, the file is the same byte for byte.
    EXPECT_EQ(ResultsFileText(*fresh), bytes);
}

TEST_F(ResultsRoundTrip, WorkGoesOnFromTheImportedBasket)
{
    auto fresh = OpenExample("three_objectives_degenerate.mlp");
    ASSERT_TRUE(ParseResultsText(ResultsFileText(*ws), *fresh).ok);
    const int stored = fresh->basketCount;

    // A solution found before is recognised in the imported basket.
    const int again = compute(*fresh, {0.2L, 0.3L, 0.5L});
    EXPECT_EQ(fresh->basketCount, stored);
    EXPECT_EQ(again, compute(*ws, {0.2L, 0.3L, 0.5L}));

    // A new one is stored after them, with its region and edges, just as in
    // the workspace the file came from.
    const int added = compute(*fresh, {0.45L, 0.1L, 0.45L});
    EXPECT_EQ(added, stored + 1);
    EXPECT_NE(fresh->basket[static_cast<std::size_t>(added)].indRegIndif, 0);
    EXPECT_GT(fresh->edgeCount, ws->edgeCount);
    EXPECT_EQ(compute(*ws, {0.45L, 0.1L, 0.45L}), added);
    // The palette position is not in the file: after an import it starts
    // over as for a newly opened problem, so the new colour may differ.
    fresh->basket[static_cast<std::size_t>(added)].cor = ws->basket[static_cast<std::size_t>(added)].cor;
    EXPECT_EQ(ResultsFileText(*fresh), ResultsFileText(*ws));
}

TEST_F(ResultsRoundTrip, ThroughTheFileSystem)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("work.out"));
    const ResultsFileResult written = ExportResults(*ws, path);
    ASSERT_TRUE(written.ok) << written.message.toStdString();
    EXPECT_EQ(ReadFile(path), ResultsFileText(*ws));
    auto fresh = OpenExample("three_objectives_degenerate.mlp");
    const ResultsFileResult read = ImportResults(*fresh, path);
    ASSERT_TRUE(read.ok) << read.message.toStdString();
    EXPECT_EQ(ResultsFileText(*fresh), ReadFile(path));

    const QString nowhere = dir.filePath(QStringLiteral("no/such/folder/work.out"));
    const ResultsFileResult failed = ExportResults(*ws, nowhere);
    EXPECT_FALSE(failed.ok);
    EXPECT_TRUE(failed.message.startsWith(QStringLiteral("Cannot write ") + nowhere + QStringLiteral(": ")))
        << failed.message.toStdString();

    const QByteArray before = Snapshot(*fresh);
    const ResultsFileResult missing = ImportResults(*fresh, dir.filePath(QStringLiteral("none.out")));
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.opened);
    EXPECT_EQ(Snapshot(*fresh), before);
}

// ---------------------------------------------------------------------------
// The commands

class ResultsCommands : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ws = TinyProblem();
        FillTinyResults(*ws);
        path = dir.filePath(QStringLiteral("tiny.out"));
    }

    QTemporaryDir dir;
    ScriptedUiPort ui;
    std::unique_ptr<Workspace> ws;
    QString path;
};

TEST_F(ResultsCommands, ExportOffersOutputFilesAndWritesTheChosenOne)
{
    ui.files.push_back(std::nullopt);
    EXPECT_FALSE(ExportResultsCommand(*ws, ui));
    EXPECT_EQ(ui.log, QStringList{QStringLiteral("SaveFile: Export data to a file in disk | Output file (*.out)")});
    EXPECT_FALSE(QFile::exists(path));

    ui.clear();
    ui.files.push_back(path);
    EXPECT_TRUE(ExportResultsCommand(*ws, ui));
    EXPECT_TRUE(ui.dialogs().isEmpty()) << "a new file needs no question";
    EXPECT_EQ(ReadFile(path), JoinLines(TinyResultsLines()));
}

TEST_F(ResultsCommands, ExportAsksBeforeReplacingAFileAndGoesOnOnlyOnYes)
{
    for (const Answer answer : {Answer::No, Answer::Cancel}) {
        WriteFile(path, "previous work\r\n");
        ui.clear();
        ui.files.push_back(path);
        ui.answers.push_back(answer);
        EXPECT_FALSE(ExportResultsCommand(*ws, ui));
        EXPECT_EQ(ui.dialogs(), QStringList{QStringLiteral("AskCancel: OK to overwrite ") + path});
        EXPECT_EQ(ReadFile(path), QByteArray("previous work\r\n"));
    }
    ui.clear();
    ui.files.push_back(path);
    ui.answers.push_back(Answer::Yes);
    EXPECT_TRUE(ExportResultsCommand(*ws, ui));
    EXPECT_EQ(ReadFile(path), JoinLines(TinyResultsLines()));
}

TEST_F(ResultsCommands, ExportThatCannotWriteShowsTheReason)
{
    const QString nowhere = dir.filePath(QStringLiteral("missing/tiny.out"));
    ui.files.push_back(nowhere);
    EXPECT_FALSE(ExportResultsCommand(*ws, ui));
    ASSERT_EQ(ui.dialogs().size(), 1);
    EXPECT_TRUE(ui.dialogs()[0].startsWith(QStringLiteral("Error: Cannot write ") + nowhere)) << ui.dialogs()[0].toStdString();
}

TEST_F(ResultsCommands, ImportDoesNothingWithoutAFileItCanOpen)
{
    auto target = OtherWorkOnTinyProblem();
    const QByteArray before = Snapshot(*target);
    ui.files.push_back(std::nullopt);
    EXPECT_FALSE(ImportResultsCommand(*target, ui));
    EXPECT_EQ(ui.log, QStringList{QStringLiteral("OpenFile: Import solutions from disk | Output file (*.out)")});
    ui.clear();
    ui.files.push_back(dir.filePath(QStringLiteral("none.out")));
    EXPECT_FALSE(ImportResultsCommand(*target, ui));
    EXPECT_TRUE(ui.dialogs().isEmpty());
    EXPECT_EQ(Snapshot(*target), before);
}

TEST_F(ResultsCommands, ImportOfARefusedFileShowsTheLineAndKeepsTheWork)
{
    QStringList lines = TinyResultsLines();
    lines[15] = QStringLiteral("7");
    WriteFile(path, JoinLines(lines));
    auto target = OtherWorkOnTinyProblem();
    const QByteArray before = Snapshot(*target);
    ui.files.push_back(path);
    EXPECT_FALSE(ImportResultsCommand(*target, ui));
    EXPECT_EQ(ui.dialogs(), QStringList{QStringLiteral(
                                "Error: Error in line 16 of the results file: region 7 does not exist: the file has 4 "
                                "regions")});
    EXPECT_EQ(Snapshot(*target), before);
}

TEST_F(ResultsCommands, ImportReplacesTheWorkAndTellsTheCaller)
{
    ASSERT_TRUE(ExportResults(*ws, path).ok);
    auto target = TinyProblem();
    ui.files.push_back(path);
    EXPECT_TRUE(ImportResultsCommand(*target, ui));
    EXPECT_TRUE(ui.dialogs().isEmpty());
    EXPECT_EQ(ResultsFileText(*target), ReadFile(path));
    EXPECT_TRUE(target->payoffComputed);
}

} // namespace

namespace {

// max c x1, max x2 with x1 <= 3, x2 <= 1: f1 = 3c at the weights (0.1, 0.9)
// while the program's own objective, 0.3c + 0.9, stays smaller.
struct HugeValueCase {
    Real c;
    SolveStatus status;
};

class ResultsOfHugeValues : public testing::TestWithParam<HugeValueCase> {};

TEST_P(ResultsOfHugeValues, ReachTheFileOnlyWhenTheyReadBack)
{
    auto ws = TinyProblem();
    ws->objSense[2] = 1;
    ws->objCoef[1][1] = GetParam().c;
    ws->objCoef[1][2] = 0;
    ws->objCoef[2][1] = 0;
    ws->objCoef[2][2] = 1;
    ws->conCoef[1][1] = 1;
    ws->conCoef[1][2] = 0;
    ws->conRhs[1] = 3;
    ws->vars[2].ub = 1;
    ApplyNormalization(*ws, false);
    ws->sumWeights[1] = 0.1L;
    ws->sumWeights[2] = 0.9L;
    const ComputeResult computed = ComputeFromWeights(*ws, engine(), false);
    ASSERT_EQ(computed.status, GetParam().status);
    if (computed.status != SolveStatus::Optimal) {
        EXPECT_EQ(ws->basketCount, 0);
        return;
    }
    ws->payoff[1].basketIndex = ws->payoff[2].basketIndex = 1;
    const QByteArray text = ResultsFileText(*ws);
    auto back = TinyProblem();
    for (int k = 1; k <= 2; ++k)
        back->objCoef[k] = ws->objCoef[k];
    EXPECT_TRUE(ParseResultsText(text, *back).ok) << text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Coefficients, ResultsOfHugeValues,
                         testing::Values(HugeValueCase{1e300L, SolveStatus::Optimal},
                                         HugeValueCase{5.9923104495410e307L, SolveStatus::Optimal},
                                         // 3c is a double, but its 15 digits round beyond one.
                                         HugeValueCase{5.992310449541052e307L, SolveStatus::Imprecise},
                                         HugeValueCase{1.7976931348623157e308L, SolveStatus::Imprecise}));

} // namespace
