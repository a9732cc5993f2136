// Open MPS in the main window's flow, and MPS problems in quilvane-batch:
// the file dialog, the messages of refused files in their order, and a
// refused file leaving the loaded problem and the phase as they were.

#include "problem/MpsFile.h"
#include "problem/ProblemFile.h"
#include "flow/Session.h"
#include "flow/Messages.h"
#include "workspace/Workspace.h"

#include "ProblemTestData.h"
#include "FlowFixture.h"
#include "ScriptedUiPort.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace problemtest;

namespace {

// Two minimized objectives over three constraints:
//   COST = X1 + 2 X2, TIME = 3 X1 - X2; C1: X1 + X2 <= 10, C2: X1 - X2 >= -2,
//   C3: X2 = 4 (an E row), X1 <= 6.
const char kTwoObjectives[] = "NAME          TWOOBJ\r\n"
                              "ROWS\r\n"
                              " N  COST\r\n"
                              " L  C1\r\n"
                              " N  TIME\r\n"
                              " G  C2\r\n"
                              " E  C3\r\n"
                              "COLUMNS\r\n"
                              "    X1        COST                 1   TIME                 3\r\n"
                              "    X1        C1                   1   C2                   1\r\n"
                              "    X2        COST                 2   TIME                -1\r\n"
                              "    X2        C1                   1   C2                  -1\r\n"
                              "    X2        C3                   1\r\n"
                              "RHS\r\n"
                              "    RHS       C1                  10   C2                  -2\r\n"
                              "    RHS       C3                   4\r\n"
                              "BOUNDS\r\n"
                              " UP BND       X1                   6\r\n"
                              "ENDATA\r\n";

QByteArray Replaced(const char* text, const char* from, const char* to)
{
    QByteArray bytes(text);
    bytes.replace(from, to);
    return bytes;
}

// The ROWS section of a file with `rows` L rows and one N row.
QByteArray ManyRows(int rows, const QByteArray& tail)
{
    QByteArray text = "ROWS\n N  OBJ\n";
    for (int i = 1; i <= rows; ++i)
        text += " L  R" + QByteArray::number(i) + '\n';
    return text + "COLUMNS\n    X         OBJ                  1   R1                   1\n" + tail;
}

QString TestData(const QString& relative)
{
    return QDir(QStringLiteral(QUILVANE_TESTDATA_DIR)).filePath(relative);
}

QString ErrorLine(const char* message) { return QStringLiteral("Error: ") + QString::fromUtf8(message); }

class MpsOpenFlowTest : public FlowFixture {
protected:
    // The two-objective problem, opened and with its pay-off table marked as
    // computed, in the solutions phase.
    void openInSolutionsPhase()
    {
        flow.file().openMpsFile(writeFile(QStringLiteral("twoobj.mps"), kTwoObjectives));
        ASSERT_EQ(flow.phase(), Phase::Problem) << ui.log.join(QLatin1Char('\n')).toStdString();
        ws->payoffComputed = true;
        ws->idealPoint[1] = 2;
        flow.ShowSolutionPhase();
        ui.clear();
    }
};

TEST_F(MpsOpenFlowTest, OpenMpsIsOfferedFromTheStart)
{
    EXPECT_TRUE(flow.states().isVisible(Cmd::OpenMps));
    EXPECT_TRUE(flow.states().isAvailable(Cmd::OpenMps));
    openInSolutionsPhase();
    EXPECT_TRUE(flow.states().isAvailable(Cmd::OpenMps));
}

TEST_F(MpsOpenFlowTest, OpenMpsAsksForAFileAndLoadsTheProblem)
{
    ui.files.push_back(writeFile(QStringLiteral("twoobj.mps"), kTwoObjectives));
    flow.file().openMpsProblem();
    EXPECT_TRUE(ui.dialogs().isEmpty()) << ui.log.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(ui.log.contains(QStringLiteral("OpenFile: Open MPS | MPS format (*.mps);;text (*.txt)")))
        << ui.log.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(flow.phase(), Phase::Problem);
    EXPECT_EQ(flow.caption(), QStringLiteral("Quilvane - twoobj"));
    EXPECT_EQ(ws->fileName, dir.filePath(QStringLiteral("twoobj.mps")));
    EXPECT_EQ(ws->problemName, QStringLiteral("twoobj"));
    EXPECT_TRUE(ui.saw(UiEvent::ProblemLoaded));
    EXPECT_GT(ui.maxBusyDepth, 0);
    EXPECT_EQ(ui.busyDepth, 0);

    ASSERT_EQ(ws->numObjectives, 2);
    ASSERT_EQ(ws->numConstraints, 3);
    ASSERT_EQ(ws->numVariables, 2);
    EXPECT_EQ(ws->objName[1], QStringLiteral("COST"));
    EXPECT_EQ(ws->objName[2], QStringLiteral("TIME"));
    EXPECT_EQ(ws->objSense[1], -1);
    EXPECT_EQ(ws->objSense[2], -1);
    EXPECT_EQ(ws->objCoef[2][1], 3);
    EXPECT_EQ(ws->conType[1], ConLessEqual);
    EXPECT_EQ(ws->conType[2], ConGreaterEqual);
    EXPECT_EQ(ws->conType[3], ConEqual);
    EXPECT_EQ(ws->conRhs[2], -2);
    EXPECT_EQ(ws->vars[1].ub, 6);
    EXPECT_EQ(ws->vars[2].name, QStringLiteral("X2"));
    // The slack names follow the new rows.
    EXPECT_EQ(ws->slackName[1], QStringLiteral("s1"));
    EXPECT_EQ(ws->slackName[2], QStringLiteral("S2"));
    EXPECT_EQ(ws->slackName[3], QStringLiteral("t3"));
    EXPECT_FALSE(ws->payoffComputed);

    const CommandStates& s = flow.states();
    EXPECT_TRUE(s.isAvailable(Cmd::Edit));
    EXPECT_TRUE(s.isAvailable(Cmd::ComputePayoff));
    EXPECT_FALSE(s.isVisible(Cmd::MenuCompute));
}

TEST_F(MpsOpenFlowTest, CancelledDialogDoesNothing)
{
    ui.files.push_back(std::nullopt);
    flow.file().openMpsProblem();
    EXPECT_TRUE(ui.dialogs().isEmpty());
    EXPECT_EQ(flow.phase(), Phase::Empty);
    EXPECT_EQ(ws->numObjectives, 0);
}

TEST_F(MpsOpenFlowTest, MissingFileIsNotFound)
{
    openInSolutionsPhase();
    flow.file().openMpsFile(dir.filePath(QStringLiteral("nothere.mps")));
    flow.file().openMpsFile(QString());
    EXPECT_EQ(ui.dialogs(), QStringList({ErrorLine(msg::kFileNotFound), ErrorLine(msg::kFileNotFound)}));
    EXPECT_EQ(flow.phase(), Phase::Solutions);
}

TEST_F(MpsOpenFlowTest, RefusedFilesShowTheirMessagesInOrderAndChangeNothing)
{
    openInSolutionsPhase();
    const auto before = std::make_unique<ProblemData>(static_cast<const ProblemData&>(*ws));
    const QString caption = flow.caption();

    struct Case {
        const char* name;
        QByteArray text;
        QStringList messages;
    };
    // Each message names the line it concerns.
    const auto tooBig = [](const char* at) { return ErrorLine(msg::kTooBig) + QLatin1Char('\n') + QLatin1String(at); };
    const auto conversion = [](const char* at) {
        return ErrorLine(msg::kConversionError) + QLatin1Char('\n') + QLatin1String(at);
    };
    const char* const unsupportedFree = "Line 18: bound type \"FR\" is not supported (a variable needs a finite lower bound).";
    const Case cases[] = {
        {"big.mps", ManyRows(MaxConstraints, "ENDATA\n"), {tooBig("Line 102: more than 100 rows.")}},
        {"ranges.mps", Replaced(kTwoObjectives, "BOUNDS", "RANGES"),
         {conversion("Line 17: section \"RANGES\" is not supported here.")}},
        {"bigranges.mps", ManyRows(MaxConstraints + 5, "RHS\nRANGES\n    RNG       R1                   1\nENDATA\n"),
         {tooBig("Line 102: more than 100 rows."), conversion("Line 111: section \"RANGES\" is not supported here.")}},
        {"free.mps", Replaced(kTwoObjectives, " UP BND       X1                   6", " FR BND       X1"),
         {conversion(unsupportedFree)}},
        {"minus.mps", Replaced(kTwoObjectives, " UP BND       X1                   6", " MI BND       X1"),
         {conversion("Line 18: bound type \"MI\" is not supported (a variable needs a finite lower bound).")}},
        {"badnumber.mps", Replaced(kTwoObjectives, "  10   C2", " abc   C2"),
         {QStringLiteral("Error: 'abc' is not a valid floating point value\nLine 15.")}},
        {"undefined.mps", Replaced(kTwoObjectives, "    RHS       C3", "    RHS       C9"),
         {conversion("Line 16: row \"C9\" is not in the ROWS section.")}},
        {"undefinedcolumn.mps", Replaced(kTwoObjectives, " UP BND       X1", " UP BND       X7"),
         {conversion("Line 18: column \"X7\" is not in the COLUMNS section.")}},
        {"noobjective.mps", Replaced(Replaced(kTwoObjectives, " N  COST", " L  COST").constData(), " N  TIME", " G  TIME"),
         {conversion("Line 19: the file has no objective row (N).")}},
        {"empty.mps", QByteArray(), {conversion("Line 1: the file has no objective row (N).")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui.clear();
        flow.file().openMpsFile(writeFile(QString::fromLatin1(c.name), c.text));
        EXPECT_EQ(ui.dialogs(), c.messages);
        EXPECT_TRUE(SameProblem(*ws, *before));
        EXPECT_TRUE(ws->payoffComputed);
        EXPECT_EQ(ws->idealPoint[1], 2);
        EXPECT_EQ(ws->fileName, dir.filePath(QStringLiteral("twoobj.mps")));
        EXPECT_EQ(flow.phase(), Phase::Solutions);
        EXPECT_TRUE(flow.states().isVisible(Cmd::TabBar));
        EXPECT_EQ(flow.caption(), caption);
        EXPECT_FALSE(ui.saw(UiEvent::ProblemViewsHidden));
    }
}

TEST_F(MpsOpenFlowTest, ANewMpsProblemReplacesTheComputedOne)
{
    openInSolutionsPhase();
    flow.file().openMpsFile(TestData(QStringLiteral("netlib/afiro.mps")));
    EXPECT_TRUE(ui.dialogs().isEmpty()) << ui.log.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(flow.phase(), Phase::Problem);
    EXPECT_EQ(flow.caption(), QStringLiteral("Quilvane - afiro"));
    EXPECT_FALSE(ws->payoffComputed);
    EXPECT_EQ(ws->numObjectives, 1);
    EXPECT_EQ(ws->numConstraints, 27);
    EXPECT_EQ(ws->numVariables, 32);
    EXPECT_EQ(ws->objName[1], QStringLiteral("COST"));
    // Rows and bounds are the new file's: afiro's third row is an L row, and
    // it has no BOUNDS section.
    EXPECT_EQ(ws->conType[3], ConLessEqual);
    EXPECT_EQ(ws->vars[1].ub, kInfiniteBound);
    EXPECT_EQ(ws->slackName[3], QStringLiteral("s3"));
    EXPECT_TRUE(ui.saw(UiEvent::ProblemViewsHidden));
    EXPECT_FALSE(flow.states().isVisible(Cmd::TabBar));
}

TEST_F(MpsOpenFlowTest, ATextFileInMpsFormatOpensToo)
{
    const QString path = writeFile(QStringLiteral("model.txt"), kTwoObjectives);
    ui.files.push_back(path);
    flow.file().openMpsProblem();
    EXPECT_TRUE(ui.dialogs().isEmpty());
    EXPECT_EQ(flow.caption(), QStringLiteral("Quilvane - model"));
    EXPECT_EQ(ws->numObjectives, 2);
}

TEST_F(MpsOpenFlowTest, OpeningDuringAMethodLeavesItOnlyWhenTheFileIsTaken)
{
    openInSolutionsPhase();
    ws->activeMethod = MethodKind::Icw;
    flow.EnterMethodMode();
    ui.clear();
    flow.file().openMpsFile(writeFile(QStringLiteral("ranges.mps"), Replaced(kTwoObjectives, "BOUNDS", "RANGES")));
    EXPECT_EQ(flow.phase(), Phase::Method);
    EXPECT_EQ(ws->activeMethod, MethodKind::Icw);

    ui.clear();
    flow.file().openMpsFile(writeFile(QStringLiteral("again.mps"), kTwoObjectives));
    EXPECT_EQ(flow.phase(), Phase::Problem);
    EXPECT_EQ(ws->activeMethod, MethodKind::None);
    // A new problem is not asked about the limitations of the old one.
    EXPECT_TRUE(ui.dialogs().isEmpty()) << ui.log.join(QLatin1Char('\n')).toStdString();
}

// ---------------------------------------------------------------------------
// quilvane-batch

struct BatchRun {
    int exitCode = -1;
    QString out;
    QString err;
};

BatchRun RunBatch(const QStringList& args)
{
    QProcess process;
    process.start(QStringLiteral(QUILVANE_BATCH_EXE), args);
    EXPECT_TRUE(process.waitForFinished(30000)) << QUILVANE_BATCH_EXE;
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// The .mlp file the batch tool writes holds the problem the MPS reader gives.
TEST(MpsBatch, WritesEveryFittingFileAsTheSameProblem)
{
    ASSERT_TRUE(QFile::exists(QStringLiteral(QUILVANE_BATCH_EXE))) << "build quilvane-batch first";
    QTemporaryDir dir;
    QStringList files;
    for (const QString& name : QDir(TestData(QStringLiteral("netlib"))).entryList({QStringLiteral("*.mps")}))
        files << TestData(QStringLiteral("netlib/") + name);
    for (const QString& name : QDir(TestData(QStringLiteral("molp"))).entryList({QStringLiteral("*.mps")}))
        files << TestData(QStringLiteral("molp/") + name);
    int written = 0;
    for (const QString& mps : files) {
        SCOPED_TRACE(mps.toStdString());
        auto fromMps = NewResetProblem();
        if (!ReadMpsFile(mps, *fromMps).accepted())
            continue;
        const QString mlp = dir.filePath(QFileInfo(mps).completeBaseName() + QStringLiteral(".mlp"));
        const BatchRun run = RunBatch({mps, QStringLiteral("--write"), mlp});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        auto fromMlp = NewResetProblem();
        ASSERT_EQ(ReadProblemFile(mlp, *fromMlp).status, ProblemReadStatus::Ok);
        EXPECT_TRUE(SameProblem(*fromMlp, *fromMps));
        ++written;
    }
    EXPECT_EQ(written, 14);
}

TEST(MpsBatch, MpsOptionReadsAnyFileNameAndTheActionsRun)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("twoobj.txt"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(kTwoObjectives);
    f.close();

    // Without the option the text file is read as a .mlp file, and refused.
    BatchRun run = RunBatch({path});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("Error: Input error"))) << run.err.toStdString();

    // min COST = X1 + 2 X2 with X2 = 4 and X1 >= X2 - 2: X1 = 2, COST = 10;
    // min TIME = 3 X1 - X2: the same vertex, TIME = 2.
    run = RunBatch({QStringLiteral("--mps"), path, QStringLiteral("payoff")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("COST= 10"))) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("TIME= 2"))) << run.out.toStdString();
}

TEST(MpsBatch, RefusedFilesPrintTheWindowsMessages)
{
    BatchRun run = RunBatch({TestData(QStringLiteral("netlib/sc105.mps"))});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, ErrorLine(msg::kTooBig) + QStringLiteral("\nLine 103: more than 100 rows.\n"));
    EXPECT_TRUE(run.out.isEmpty());

    run = RunBatch({TestData(QStringLiteral("netlib/boeing2.mps")), QStringLiteral("payoff")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, ErrorLine(msg::kTooBig) + QStringLiteral("\nLine 103: more than 100 rows.\n")
                           + ErrorLine(msg::kConversionError)
                           + QStringLiteral("\nLine 900: section \"RANGES\" is not supported here.\n"));
    EXPECT_TRUE(run.out.isEmpty());

    QTemporaryDir dir;
    const QString bad = dir.filePath(QStringLiteral("bad.MPS"));
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(Replaced(kTwoObjectives, "  10   C2", " 1O.   C2"));
    f.close();
    run = RunBatch({bad});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, QStringLiteral("Error: '1O.' is not a valid floating point value\nLine 15.\n"));

    // The batch tool names the file it did not find.
    const QString none = dir.filePath(QStringLiteral("none.mps"));
    run = RunBatch({none});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, ErrorLine(msg::kFileNotFound) + QStringLiteral(": ") + none + QLatin1Char('\n'));
}

} // namespace
