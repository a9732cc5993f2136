// The problems shipped in examples/: each must read, be exactly what the
// program itself would write, and have the shape it is there to show.

#include "problem/ProblemFile.h"

#include "ProblemTestData.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStringList>

#include <array>
#include <cmath>
#include <map>
#include <string>

using namespace problemtest;

namespace {

QString ExamplePath(const char* name)
{
    return QDir(QStringLiteral(QUILVANE_EXAMPLES_DIR)).filePath(QString::fromLatin1(name));
}

std::unique_ptr<ProblemData> ReadExample(const char* name)
{
    auto problem = NewResetProblem();
    const auto result = ReadProblemFile(ExamplePath(name), *problem);
    EXPECT_EQ(result.status, ProblemReadStatus::Ok) << name << ": " << result.message.toStdString();
    return problem;
}

Real RowValue(const ProblemData& p, int i, const std::array<Real, 4>& x)
{
    Real sum = 0;
    for (int j = 1; j <= p.numVariables; ++j)
        sum += p.conCoef[i][j] * x[size_t(j)];
    return sum;
}

TEST(ExampleFiles, EveryFileReadsAndIsWhatTheWriterWrites)
{
    const std::map<std::string, std::array<int, 3>> sizes = {
        {"two_objectives.mlp", {2, 3, 2}},
        {"three_objectives_degenerate.mlp", {3, 4, 3}},
        {"four_objectives_min_ub.mlp", {4, 4, 4}},
        {"infeasible.mlp", {2, 2, 2}},
    };
    const QDir dir(QStringLiteral(QUILVANE_EXAMPLES_DIR));
    const QStringList files = dir.entryList({QStringLiteral("*.mlp")}, QDir::Files, QDir::Name);
    ASSERT_GE(files.size(), int(sizes.size()));
    for (const auto& [name, pmn] : sizes)
        EXPECT_TRUE(files.contains(QString::fromStdString(name))) << name;

    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        QFile in(dir.filePath(file));
        ASSERT_TRUE(in.open(QIODevice::ReadOnly));
        const QByteArray bytes = in.readAll();
        auto problem = NewResetProblem();
        const auto result = ParseProblemText(bytes, *problem);
        ASSERT_EQ(result.status, ProblemReadStatus::Ok) << result.message.toStdString();
        EXPECT_EQ(ProblemFileText(*problem), bytes);
        const auto known = sizes.find(file.toStdString());
        if (known != sizes.end()) {
            EXPECT_EQ(problem->numObjectives, known->second[0]);
            EXPECT_EQ(problem->numConstraints, known->second[1]);
            EXPECT_EQ(problem->numVariables, known->second[2]);
        }
    }
}

TEST(ExampleFiles, TwoObjectivesTradeOff)
{
    const auto p = ReadExample("two_objectives.mlp");
    EXPECT_EQ(p->objSense[1], 1);
    EXPECT_EQ(p->objSense[2], 1);
    EXPECT_EQ(p->objName[1], QStringLiteral("Profit"));
    EXPECT_EQ(p->objName[2], QStringLiteral("Market"));
    EXPECT_EQ(p->vars[2].name, QStringLiteral("ProductB"));
    EXPECT_EQ(p->conRhs[1], 8.0L);
    // Profit favours the first product, Market the second: the objectives
    // pull towards different vertices.
    EXPECT_GT(p->objCoef[1][1] / p->objCoef[1][2], 1.0L);
    EXPECT_LT(p->objCoef[2][1] / p->objCoef[2][2], 1.0L);
}

TEST(ExampleFiles, ThreeObjectivesHaveADegenerateEfficientVertex)
{
    const auto p = ReadExample("three_objectives_degenerate.mlp");
    ASSERT_EQ(p->numVariables, 3);
    // The vertex (2, 2, 2): the planes 2x1+x2+x3 = 8, x1+2x2+x3 = 8 and
    // x1+x2+2x3 = 8 meet there, and x1+x2+x3 <= 6 passes through it too.
    const std::array<Real, 4> x = {0, 2, 2, 2};
    int active = 0;
    for (int i = 1; i <= p->numConstraints; ++i) {
        const Real lhs = RowValue(*p, i, x);
        const Real rhs = p->conRhs[i];
        ASSERT_EQ(p->conType[i], ConLessEqual);
        ASSERT_LE(lhs, rhs + 1e-12L) << "row " << i << " violated";
        if (std::fabs(lhs - rhs) <= 1e-12L)
            ++active;
    }
    for (int j = 1; j <= p->numVariables; ++j) {
        ASSERT_GE(x[size_t(j)], p->vars[j].lb);
        ASSERT_LE(x[size_t(j)], p->vars[j].ub);
        if (x[size_t(j)] == p->vars[j].lb || x[size_t(j)] == p->vars[j].ub)
            ++active;
    }
    // More active constraints than variables: degenerate.
    EXPECT_EQ(active, 4);
    EXPECT_GT(active, p->numVariables);

    // Efficient: with equal weights the summed objective is a non-negative
    // combination of the normals of three active rows, so the vertex
    // maximizes a strictly positive weighting of the objectives.
    std::array<Real, 4> g{};
    for (int k = 1; k <= p->numObjectives; ++k) {
        ASSERT_EQ(p->objSense[k], 1);
        for (int j = 1; j <= 3; ++j)
            g[size_t(j)] += p->objCoef[k][j];
    }
    // Solve A^T y = g over rows 2..4 (the three independent planes).
    Real a[3][4];
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c)
            a[r][c] = p->conCoef[c + 2][r + 1];
        a[r][3] = g[size_t(r + 1)];
    }
    for (int col = 0; col < 3; ++col) {
        int pivot = col;
        for (int r = col + 1; r < 3; ++r)
            if (std::fabs(a[r][col]) > std::fabs(a[pivot][col]))
                pivot = r;
        ASSERT_GT(std::fabs(a[pivot][col]), 1e-12L) << "the three planes are not independent";
        for (int c = 0; c < 4; ++c)
            std::swap(a[col][c], a[pivot][c]);
        for (int r = 0; r < 3; ++r) {
            if (r == col)
                continue;
            const Real f = a[r][col] / a[col][col];
            for (int c = 0; c < 4; ++c)
                a[r][c] -= f * a[col][c];
        }
    }
    for (int r = 0; r < 3; ++r) {
        const Real y = a[r][3] / a[r][r];
        EXPECT_GE(y, 0) << "multiplier of row " << r + 2;
        EXPECT_EQ(RowValue(*p, r + 2, x), p->conRhs[r + 2]) << "row " << r + 2 << " is not active";
    }
}

TEST(ExampleFiles, FourObjectivesWithAMinimumAndAnUpperBound)
{
    const auto p = ReadExample("four_objectives_min_ub.mlp");
    const std::array<const char*, 5> names = {"", "Profit", "Quality", "Cost", "Jobs"};
    int minimized = 0;
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(p->objName[k], QString::fromLatin1(names[size_t(k)]));
        if (p->objSense[k] == -1)
            ++minimized;
    }
    EXPECT_EQ(minimized, 1);
    EXPECT_EQ(p->objSense[3], -1);
    EXPECT_EQ(p->objCoef[4][3], 1.5L);
    int bounded = 0;
    for (int j = 1; j <= p->numVariables; ++j)
        bounded += p->vars[j].ub < kInfiniteBound;
    EXPECT_EQ(bounded, 1);
    EXPECT_EQ(p->vars[4].name, QStringLiteral("Desks"));
    EXPECT_EQ(p->vars[4].ub, 40.0L);
    EXPECT_EQ(p->conType[3], ConGreaterEqual);
    EXPECT_EQ(p->conType[4], ConEqual);
    EXPECT_EQ(p->conCoef[4][2], -4.0L);
    // A point that meets every row: 20 chairs, 5 tables, 15 desks.
    const std::array<Real, 5> x = {0, 20, 5, 0, 15};
    for (int i = 1; i <= p->numConstraints; ++i) {
        Real lhs = 0;
        for (int j = 1; j <= 4; ++j)
            lhs += p->conCoef[i][j] * x[size_t(j)];
        switch (p->conType[i]) {
        case ConLessEqual: EXPECT_LE(lhs, p->conRhs[i]) << "row " << i; break;
        case ConEqual: EXPECT_EQ(lhs, p->conRhs[i]) << "row " << i; break;
        default: EXPECT_GE(lhs, p->conRhs[i]) << "row " << i; break;
        }
    }
}

TEST(ExampleFiles, InfeasibleRowsContradictEachOther)
{
    const auto p = ReadExample("infeasible.mlp");
    ASSERT_EQ(p->numConstraints, 2);
    // The same left-hand side at most 2 and at least 5.
    for (int j = 1; j <= p->numVariables; ++j)
        EXPECT_EQ(p->conCoef[1][j], p->conCoef[2][j]);
    EXPECT_EQ(p->conType[1], ConLessEqual);
    EXPECT_EQ(p->conType[2], ConGreaterEqual);
    EXPECT_LT(p->conRhs[1], p->conRhs[2]);
    EXPECT_EQ(p->conRhs[1], 2.0L);
    EXPECT_EQ(p->conRhs[2], 5.0L);
}

} // namespace
