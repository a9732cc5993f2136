// quilvane-batch --json: each kind of record of the document against the
// text run of the same command line, and against the workspace of a
// session that replays it in-process, value for value: every number must
// read back as the very double the workspace's Real converts to.

#include "app/batch/BatchArguments.h"
#include "app/batch/BatchOutput.h"
#include "app/batch/BatchSession.h"
#include "problem/ProblemFile.h"
#include "problem/RandomProblems.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "BatchRunner.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using namespace batch;

QString example(const char* name) { return QDir(QStringLiteral(QUILVANE_EXAMPLES_DIR)).filePath(QLatin1String(name)); }

QJsonObject parse(const BatchRun& run)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(run.out.toUtf8(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << run.out.toStdString();
    EXPECT_EQ(doc[QLatin1String("exitStatus")].toInt(-1), run.exitCode);
    return doc.object();
}

// The tool's document, and the workspace after the same command line run
// in-process.
struct Replay {
    QJsonObject doc;
    Options options;
    std::unique_ptr<Workspace> ws = std::make_unique<Workspace>();
    std::unique_ptr<BatchSession> session;

    explicit Replay(const QStringList& args)
    {
        doc = parse(runBatch(QStringList{QStringLiteral("--json")} + args));
        EXPECT_TRUE(parseArguments(QStringList{QStringLiteral("quilvane-batch"), QStringLiteral("--json")} + args,
                                   options)
                        .isEmpty());
        std::vector<Action> actions;
        EXPECT_TRUE(splitActions(options.actionWords, actions).isEmpty());
        session = std::make_unique<BatchSession>(*ws, options);
        int status = session->openProblem();
        for (std::size_t i = 0; status == kExitOk && i < actions.size(); ++i)
            status = session->run(actions[i]);
        EXPECT_EQ(status, doc[QLatin1String("exitStatus")].toInt(-1));
    }
    QJsonValue operator[](const char* key) const { return doc[QLatin1String(key)]; }
};

void expectValue(const QJsonValue& value, Real expected, const std::string& where)
{
    ASSERT_TRUE(value.isDouble()) << where;
    EXPECT_EQ(value.toDouble(), static_cast<double>(expected)) << where;
}

void expectObjectives(const QJsonValue& values, const Workspace& ws, const vectorObj& f, const std::string& where)
{
    EXPECT_EQ(values.toObject().size(), ws.numObjectives) << where;
    for (int k = 1; k <= ws.numObjectives; ++k)
        expectValue(values[ws.objName[k]], f[k], where + " " + ws.objName[k].toStdString());
}

// Objective values, then exactly the non-zero variables and slacks.
void expectSolution(const QJsonValue& solution, const Workspace& ws, const vectorObj& f, const tipoXcorr& x_s,
                    const std::string& where)
{
    expectObjectives(solution[QLatin1String("objectives")], ws, f, where);
    const QJsonObject variables = solution[QLatin1String("variables")].toObject();
    const QJsonObject slacks = solution[QLatin1String("slacks")].toObject();
    int nonzero[2] = {0, 0};
    for (int u = 1; u <= ws.numVariables + ws.numConstraints; ++u) {
        if (x_s[u] == 0)
            continue;
        const bool isVariable = u <= ws.numVariables;
        ++nonzero[isVariable ? 0 : 1];
        const QString& name = isVariable ? ws.vars[u].name : ws.slackName[u - ws.numVariables];
        expectValue((isVariable ? variables : slacks)[name], x_s[u], where + " " + name.toStdString());
    }
    EXPECT_EQ(variables.size(), nonzero[0]) << where;
    EXPECT_EQ(slacks.size(), nonzero[1]) << where;
}

// Generated problems with three objectives, and the actions of a session.
class BatchJson : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        const RandomProblemSpec shape{3, 4 + GetParam() % 3, 3 + GetParam() % 2, true, true, true, false, true};
        const auto problem = makeRandomProblem(static_cast<std::uint32_t>(900 + GetParam()), shape);
        path = dir.filePath(QStringLiteral("generated.mlp"));
        ASSERT_TRUE(WriteProblemFile(path, *problem).ok);
    }
    std::unique_ptr<Replay> replay()
    {
        return std::make_unique<Replay>(QStringList{path, QStringLiteral("weighted-sum"), QStringLiteral("0.2,0.3,0.5"),
                                                    QStringLiteral("refpoint"), QStringLiteral("30,-20,15"),
                                                    QStringLiteral("1,2,1"), QStringLiteral("store"),
                                                    QStringLiteral("nadir"), QStringLiteral("2"), QStringLiteral("vma")});
    }

    QTemporaryDir dir;
    QString path;
};

TEST_P(BatchJson, ProblemRecord)
{
    const auto run = replay();
    const Workspace& ws = *run->ws;
    const QJsonValue problem = (*run)["problem"];
    EXPECT_EQ(problem[QLatin1String("name")].toString(), ws.problemName);
    EXPECT_EQ(problem[QLatin1String("sizes")][QLatin1String("objectives")].toInt(), ws.numObjectives);
    EXPECT_EQ(problem[QLatin1String("sizes")][QLatin1String("variables")].toInt(), ws.numVariables);
    EXPECT_EQ(problem[QLatin1String("sizes")][QLatin1String("constraints")].toInt(), ws.numConstraints);
    const QJsonArray objectives = problem[QLatin1String("objectives")].toArray();
    ASSERT_EQ(objectives.size(), ws.numObjectives);
    for (int k = 1; k <= ws.numObjectives; ++k) {
        EXPECT_EQ(objectives[k - 1][QLatin1String("name")].toString(), ws.objName[k]);
        EXPECT_EQ(objectives[k - 1][QLatin1String("sense")].toString(), QLatin1String(ws.objSense[k] == 1 ? "max" : "min"));
    }
    EXPECT_EQ(problem[QLatin1String("slacks")].toArray().last().toString(), ws.slackName[ws.numConstraints]);
}

// The history holds the newest solutions: the document's last ones, in the
// other order, each tied to the action that computed it.
TEST_P(BatchJson, SolutionRecords)
{
    const auto run = replay();
    const Workspace& ws = *run->ws;
    const QJsonArray solutions = (*run)["solutions"].toArray();
    const QJsonArray actions = (*run)["actions"].toArray();
    ASSERT_GE(solutions.size(), ws.historyCount);
    for (int i = 0; i < ws.historyCount; ++i) {
        const ComputedSolution& record = ws.history[static_cast<std::size_t>(i)];
        const QJsonValue solution = solutions[solutions.size() - 1 - i];
        expectSolution(solution, ws, record.f, record.x_s, "history " + std::to_string(i));
        EXPECT_EQ(solution[QLatin1String("basketIndex")].toInt(-1), record.basketIndex);
    }
    QStringList computedBy;
    for (const QJsonValue& solution : solutions)
        computedBy << actions[solution[QLatin1String("action")].toInt()][QLatin1String("name")].toString();
    EXPECT_EQ(computedBy.count(QStringLiteral("payoff")), 3);
    EXPECT_EQ(computedBy.count(QStringLiteral("weighted-sum")), 1);
    EXPECT_EQ(computedBy.count(QStringLiteral("refpoint")), 1);
    EXPECT_EQ(computedBy.count(QStringLiteral("store")) + computedBy.count(QStringLiteral("vma")), 0);
}

TEST_P(BatchJson, PayoffIdealAndNadirPoints)
{
    const auto run = replay();
    const Workspace& ws = *run->ws;
    const QJsonArray payoff = (*run)["payoff"].toArray();
    ASSERT_EQ(payoff.size(), ws.numObjectives);
    for (int k = 1; k <= ws.numObjectives; ++k) {
        EXPECT_EQ(payoff[k - 1][QLatin1String("objective")].toString(), ws.objName[k]);
        EXPECT_EQ(payoff[k - 1][QLatin1String("basketIndex")].toInt(), ws.payoff[k].basketIndex);
        expectObjectives(payoff[k - 1][QLatin1String("values")], ws, ws.payoff[k].f, "pay-off row");
    }
    expectObjectives((*run)["ideal"], ws, ws.idealPoint, "ideal");
    expectObjectives((*run)["nadir"], ws, ws.nadirPoint, "nadir");
}

TEST_P(BatchJson, Basket)
{
    const auto run = replay();
    const Workspace& ws = *run->ws;
    const QJsonArray basket = (*run)["basket"].toArray();
    ASSERT_EQ(basket.size(), ws.basketCount);
    for (int b = 1; b <= ws.basketCount; ++b) {
        EXPECT_EQ(basket[b - 1][QLatin1String("index")].toInt(), b);
        expectSolution(basket[b - 1], ws, ws.basket[b].f, ws.basket[b].x_s, "basket " + std::to_string(b));
    }
}

TEST_P(BatchJson, NadirResults)
{
    const auto run = replay();
    const Workspace& ws = *run->ws;
    const QJsonArray results = (*run)["nadirResults"].toArray();
    int known = 0;
    for (int k = 1; k <= ws.numObjectives; ++k) {
        if (ws.nadirSource[k] < 1)
            continue;
        ASSERT_LT(known, results.size());
        const QJsonValue result = results[known++];
        EXPECT_EQ(result[QLatin1String("objective")].toString(), ws.objName[k]);
        EXPECT_EQ(result[QLatin1String("solution")].toInt(), ws.nadirSource[k]);
        expectValue(result[QLatin1String("value")], ws.nadirPoint[k], "nadir result");
    }
    EXPECT_GE(known, 1); // "nadir 2" found its value
    EXPECT_EQ(results.size(), known);
}

TEST_P(BatchJson, VmaAndIcwCounts)
{
    const auto run = replay();
    EXPECT_EQ((*run)["counts"][QLatin1String("vma")].toInt(-1), run->ws->basketCount);
    EXPECT_TRUE((*run)["counts"][QLatin1String("icw")].isNull());
    const Replay icw({path, QStringLiteral("icw"), QStringLiteral("1"), QStringLiteral("contracted-vma")});
    EXPECT_EQ(icw["counts"][QLatin1String("icw")].toInt(-1), icw.ws->icwCount);
    EXPECT_GE(icw.ws->icwCount, 1);
    EXPECT_TRUE(icw["counts"][QLatin1String("vma")].isNull());
}

INSTANTIATE_TEST_SUITE_P(Generated, BatchJson, ::testing::Values(1, 2, 3));

// Per action: its outcome and status, and the messages and report text
// that the same run prints without --json.
TEST(BatchJsonActions, OutcomesMessagesAndReportsOfTheTextRun)
{
    QTemporaryDir dir;
    // Two proportional objectives: every pay-off value is the same, and STEM
    // has no weight to start from.
    auto same = makeRandomProblem(5, RandomProblemSpec{2, 3, 2, false, false, false, false, false});
    for (int j = 1; j <= same->numVariables; ++j)
        same->objCoef[2][j] = 2 * same->objCoef[1][j];
    same->objSense[2] = same->objSense[1];
    const QString samePath = dir.filePath(QStringLiteral("same.mlp"));
    ASSERT_TRUE(WriteProblemFile(samePath, *same).ok);

    struct Case {
        QStringList args;
        QStringList outcomes; // "name outcome status"
    };
    const Case cases[] = {
        {{example("two_objectives.mlp"), QStringLiteral("weighted-sum"), QStringLiteral("0.5,0.5")},
         {QStringLiteral("payoff done 0"), QStringLiteral("weighted-sum done 0")}},
        {{example("infeasible.mlp"), QStringLiteral("weighted-sum"), QStringLiteral("0.5,0.5")},
         {QStringLiteral("payoff failed 1")}},
        {{example("two_objectives.mlp"), QStringLiteral("econstraint"), QStringLiteral("1"), QStringLiteral("-,100")},
         {QStringLiteral("payoff done 0"), QStringLiteral("econstraint failed 1")}},
        {{samePath, QStringLiteral("stem")}, {QStringLiteral("payoff done 0"), QStringLiteral("stem refused 2")}},
    };
    for (const Case& c : cases) {
        const BatchRun text = runBatch(c.args);
        const QJsonObject doc = parse(runBatch(QStringList{QStringLiteral("--json")} + c.args));
        EXPECT_EQ(doc[QLatin1String("exitStatus")].toInt(-1), text.exitCode);
        QStringList outcomes, messages;
        QString reports;
        for (const QJsonValue& action : doc[QLatin1String("actions")].toArray()) {
            outcomes << QStringLiteral("%1 %2 %3")
                            .arg(action[QLatin1String("name")].toString(), action[QLatin1String("outcome")].toString())
                            .arg(action[QLatin1String("status")].toInt(-1));
            QStringList texts;
            for (const QJsonValue& message : action[QLatin1String("messages")].toArray()) {
                messages << message[QLatin1String("kind")].toString() + QStringLiteral(": ") +
                                message[QLatin1String("text")].toString();
                texts << message[QLatin1String("text")].toString();
            }
            EXPECT_EQ(action[QLatin1String("message")].toString(), texts.join(QLatin1Char('\n')));
            const QString report = action[QLatin1String("report")].toString();
            if (!report.isEmpty())
                reports += report + QStringLiteral("\n\n");
        }
        const std::string where = c.args.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(outcomes, c.outcomes) << where;
        EXPECT_EQ(messages, text.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) << where;
        EXPECT_FALSE(messages.isEmpty() && text.exitCode != 0) << where;
        EXPECT_EQ(reports, text.out) << where;
    }
}

} // namespace
