// Open VLP ... and Save as VLP ... in the main window's flow: the dialogs,
// a refused file leaving the loaded problem as it was, and a saved problem
// reading back.

#include "problem/VlpFile.h"
#include "flow/Session.h"
#include "workspace/Workspace.h"

#include "ProblemTestData.h"
#include "FlowFixture.h"
#include "ScriptedUiPort.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace problemtest;

namespace {

const char kProblem[] = "p vlp max 2 2 3 2 2\n"
                        "a 1 1 1\na 1 2 1\na 2 2 1\n"
                        "o 1 1 1\no 2 2 1\n"
                        "i 1 u 10\ni 2 d 1 4\n"
                        "j 1 l 0\nj 2 l 0\n"
                        "e\n";

using VlpOpenFlowTest = FlowFixture;

TEST_F(VlpOpenFlowTest, OpenVlpAsksForAFileAndLoadsTheProblem)
{
    EXPECT_TRUE(flow.states().isAvailable(Cmd::OpenVlp));
    EXPECT_FALSE(flow.states().isAvailable(Cmd::SaveVlp));
    ui.files.push_back(writeFile(QStringLiteral("two.vlp"), kProblem));
    flow.file().openVlpProblem();
    EXPECT_TRUE(ui.dialogs().isEmpty()) << ui.log.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(ui.log.contains(QStringLiteral("OpenFile: Open VLP | Vector linear program (*.vlp)")));
    EXPECT_EQ(flow.phase(), Phase::Problem);
    EXPECT_EQ(flow.caption(), QStringLiteral("Quilvane - two"));
    EXPECT_EQ(ws->numConstraints, 3);
    EXPECT_EQ(ws->objSense[2], 1);
    // The slack names follow the new rows: "<=", ">=", "<=".
    EXPECT_EQ(ws->slackName[2], QStringLiteral("S2"));
    EXPECT_TRUE(flow.states().isAvailable(Cmd::SaveVlp));
}

TEST_F(VlpOpenFlowTest, ARefusedFileShowsItsLineAndChangesNothing)
{
    flow.file().openVlpFile(writeFile(QStringLiteral("two.vlp"), kProblem));
    ASSERT_EQ(flow.phase(), Phase::Problem);
    const auto before = std::make_unique<ProblemData>(static_cast<const ProblemData&>(*ws));
    ui.clear();
    QByteArray cone(kProblem);
    cone.replace("e\n", "k 1 1 1\ne\n");
    flow.file().openVlpFile(writeFile(QStringLiteral("cone.vlp"), cone));
    EXPECT_EQ(ui.dialogs(), QStringList{QStringLiteral("Error: Input error in line 11: only the natural ordering "
                                                       "cone is supported; the file declares another (\"k\").")});
    EXPECT_TRUE(SameProblem(*ws, *before));
    EXPECT_EQ(flow.caption(), QStringLiteral("Quilvane - two"));
    EXPECT_EQ(flow.lastOutcome(), Outcome::Refused);
    flow.file().openVlpFile(dir.filePath(QStringLiteral("none.vlp")));
    EXPECT_EQ(ui.dialogs().last(), QStringLiteral("Error: File not found"));
}

TEST_F(VlpOpenFlowTest, SaveAsVlpWritesTheLoadedProblem)
{
    auto problem = RandomProblem(12, 3, 4, 5);
    for (int k = 1; k <= 3; ++k)
        problem->objSense[k] = -1;
    static_cast<ProblemData&>(*ws) = *problem;
    const QString path = dir.filePath(QStringLiteral("saved.vlp"));
    ui.files.push_back(path);
    flow.file().saveVlpProblem();
    EXPECT_TRUE(ui.log.contains(QStringLiteral("SaveFile: Save as VLP | Vector linear program (*.vlp)")));
    auto read = NewResetProblem();
    ASSERT_EQ(ReadVlpFile(path, *read).status, VlpReadStatus::Ok);
    EXPECT_EQ(read->numVariables, 5);
    EXPECT_EQ(read->objSense[3], -1);
    for (int j = 1; j <= 5; ++j) {
        EXPECT_EQ(read->conCoef[4][j], problem->conCoef[4][j]);
        EXPECT_EQ(read->objCoef[3][j], problem->objCoef[3][j]);
    }
}

} // namespace
