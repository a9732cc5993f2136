// Published LP and MOLP instances read with the MPS reader: the netlib
// problems that fit the limits reach their published optima in the pay-off
// table, the others are refused; the small multiple-objective instances give
// their known pay-off tables.

#include "TestEngine.h"
#include "problem/MpsFile.h"
#include "solutions/Payoff.h"
#include "workspace/Workspace.h"

#include "ScriptedUiPort.h"
#include "ShownThroughPort.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QSet>
#include <QString>

#include <cmath>
#include <memory>
#include <vector>

namespace {

QString TestData(const QString& relative)
{
    return QDir(QStringLiteral(QUILVANE_TESTDATA_DIR)).filePath(relative);
}

struct NetlibCase {
    const char* file;
    int rows;    // lines of the ROWS section, the objective row included
    int columns;
    long double optimum; // netlib's published optimal value
    bool fits;
    bool converted;
};

// The optima as netlib publishes them (lp/data/readme).
const NetlibCase kNetlib[] = {
    {"afiro.mps", 28, 32, -4.6475314286E+02L, true, true},
    {"sc50a.mps", 51, 48, -6.4575077059E+01L, true, true},
    {"sc50b.mps", 51, 48, -7.0000000000E+01L, true, true},
    {"kb2.mps", 44, 41, -1.7499001299E+03L, true, true},
    {"adlittle.mps", 57, 97, 2.2549496316E+05L, true, true},
    {"blend.mps", 75, 83, -3.0812149846E+01L, true, true},
    {"share2b.mps", 97, 79, -4.1573224074E+02L, true, true},
    // Too many rows and columns; too many columns; too many rows and columns
    // and a RANGES section.
    {"sc105.mps", 106, 103, -5.2202061212E+01L, false, true},
    {"recipe.mps", 92, 180, -2.6661600000E+02L, false, true},
    {"boeing2.mps", 167, 143, -3.1501872802E+02L, false, false},
};

const NetlibCase* FindCase(const QString& file)
{
    for (const NetlibCase& c : kNetlib)
        if (file == QLatin1String(c.file))
            return &c;
    return nullptr;
}

// A workspace holding the problem of `path`, as after Open MPS.
std::unique_ptr<Workspace> OpenedWorkspace(const QString& path, MpsReadResult& read)
{
    auto ws = std::make_unique<Workspace>();
    InitWorkspace(*ws);
    read = ReadMpsFile(path, *ws);
    ws->fileName = path;
    ResetComputedState(*ws);
    return ws;
}

bool CloseTo(long double computed, long double expected, long double relative)
{
    return std::fabs(computed - expected) <= relative * std::max(1.0L, std::fabs(expected));
}

TEST(Netlib, EveryFileIsKnown)
{
    const QStringList files = QDir(TestData(QStringLiteral("netlib"))).entryList({QStringLiteral("*.mps")});
    ASSERT_FALSE(files.isEmpty()) << TestData(QStringLiteral("netlib")).toStdString();
    for (const QString& file : files)
        EXPECT_NE(FindCase(file), nullptr) << "no published optimum for " << file.toStdString();
    QSet<QString> present(files.begin(), files.end());
    for (const NetlibCase& c : kNetlib)
        EXPECT_TRUE(present.contains(QLatin1String(c.file))) << c.file;
}

TEST(Netlib, ProblemsThatFitReachThePublishedOptimum)
{
    int solved = 0;
    for (const NetlibCase& c : kNetlib) {
        if (!c.fits)
            continue;
        SCOPED_TRACE(c.file);
        MpsReadResult read;
        auto ws = OpenedWorkspace(TestData(QStringLiteral("netlib/") + QLatin1String(c.file)), read);
        ASSERT_TRUE(read.accepted()) << read.message.toStdString() << " fits " << read.fits << " converted "
                                     << read.converted;
        EXPECT_EQ(ws->numObjectives, 1);
        EXPECT_EQ(ws->numConstraints, c.rows - 1);
        EXPECT_EQ(ws->numVariables, c.columns);
        EXPECT_EQ(ws->objSense[1], -1);

        ApplyNormalization(*ws, false);
        ScriptedUiPort ui;
        const SolveStatus status = ComputePayoffShown(*ws, engine(), ui);
        ASSERT_EQ(status, SolveStatus::Optimal) << toString(status);
        EXPECT_TRUE(CloseTo(ws->idealPoint[1], c.optimum, 1e-6L))
            << "computed " << double(ws->idealPoint[1]) << ", published " << double(c.optimum);
        EXPECT_EQ(ws->payoff[1].f[1], ws->idealPoint[1]);
        ++solved;
    }
    EXPECT_EQ(solved, 7);
}

TEST(Netlib, ProblemsThatDoNotFitAreRefused)
{
    for (const NetlibCase& c : kNetlib) {
        if (c.fits)
            continue;
        SCOPED_TRACE(c.file);
        auto problem = std::make_unique<ProblemData>();
        ResetProblemData(*problem);
        problem->numObjectives = 2;
        problem->numConstraints = 3;
        problem->numVariables = 4;
        const MpsReadResult read = ReadMpsFile(TestData(QStringLiteral("netlib/") + QLatin1String(c.file)), *problem);
        EXPECT_FALSE(read.accepted());
        EXPECT_FALSE(read.fits);
        EXPECT_EQ(read.converted, c.converted);
        EXPECT_TRUE(read.message.isEmpty()) << read.message.toStdString();
        EXPECT_EQ(problem->numObjectives, 2);
        EXPECT_EQ(problem->numConstraints, 3);
        EXPECT_EQ(problem->numVariables, 4);
    }
}

// ---------------------------------------------------------------------------
// Small multiple-objective instances with known pay-off tables.

using Row = std::vector<long double>;

struct MolpCase {
    const char* file;
    int objectives;
    int constraints;
    int variables;
    std::vector<Row> payoff; // row k: the objective values at the solution of objective k
};

const MolpCase kMolp[] = {
    {"ehrgott_molp1.mps", 2, 2, 2, {{0, 0}, {12, -9}}},
    // The weighted programs pass over the weakly efficient minimum of F2.
    {"revelle_5a3.mps", 2, 7, 2, {{-10, 2}, {3, -9}}},
    {"moa_bolp1.mps", 2, 2, 2, {{1, 3}, {2.25L, 1.75L}}},
    {"bensolve_ex05_molp.mps", 3, 4, 3, {{0, 1.5L, 1.5L}, {1.5L, 0, 1.5L}, {1.5L, 1.5L, 0}}},
    {"lap3_przybylski.mps", 3, 8, 16, {{11, 11, 14}, {15, 9, 17}, {19, 14, 10}}},
};

TEST(MolpInstances, PayoffTablesMatchTheKnownResults)
{
    for (const MolpCase& c : kMolp) {
        SCOPED_TRACE(c.file);
        MpsReadResult read;
        auto ws = OpenedWorkspace(TestData(QStringLiteral("molp/") + QLatin1String(c.file)), read);
        ASSERT_TRUE(read.accepted()) << read.message.toStdString();
        ASSERT_EQ(ws->numObjectives, c.objectives);
        EXPECT_EQ(ws->numConstraints, c.constraints);
        EXPECT_EQ(ws->numVariables, c.variables);
        for (int k = 1; k <= c.objectives; ++k)
            EXPECT_EQ(ws->objSense[k], -1);

        ApplyNormalization(*ws, false);
        ScriptedUiPort ui;
        ASSERT_EQ(ComputePayoffShown(*ws, engine(), ui), SolveStatus::Optimal);
        for (int k = 1; k <= c.objectives; ++k)
            for (int l = 1; l <= c.objectives; ++l)
                EXPECT_TRUE(CloseTo(ws->payoff[k].f[l], c.payoff[std::size_t(k - 1)][std::size_t(l - 1)], 1e-9L))
                    << "row " << k << " column " << l << ": " << double(ws->payoff[k].f[l]);
    }
}

TEST(MolpInstances, UnboundedAndInfeasibleInstancesStopThePayoffTable)
{
    MpsReadResult read;
    auto unbounded = OpenedWorkspace(TestData(QStringLiteral("molp/bensolve_ex01.mps")), read);
    ASSERT_TRUE(read.accepted());
    ScriptedUiPort ui;
    ApplyNormalization(*unbounded, false);
    EXPECT_EQ(ComputePayoffShown(*unbounded, engine(), ui), SolveStatus::Unbounded);
    EXPECT_FALSE(unbounded->payoffComputed);

    auto infeasible = OpenedWorkspace(TestData(QStringLiteral("molp/bensolve_ex02_nonneg.mps")), read);
    ASSERT_TRUE(read.accepted());
    ApplyNormalization(*infeasible, false);
    EXPECT_EQ(ComputePayoffShown(*infeasible, engine(), ui), SolveStatus::Infeasible);
    EXPECT_FALSE(infeasible->payoffComputed);
}

} // namespace
