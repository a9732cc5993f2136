#include "problem/ProblemFile.h"
#include "problem/RandomProblems.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "BatchRunner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

QString example(const char* name) { return QDir(QStringLiteral(QUILVANE_EXAMPLES_DIR)).filePath(QString::fromLatin1(name)); }

TEST(Batch, WritesEveryExampleBackByteForByte)
{
    QTemporaryDir dir;
    const QStringList names = QDir(QStringLiteral(QUILVANE_EXAMPLES_DIR)).entryList({QStringLiteral("*.mlp")});
    ASSERT_GE(names.size(), 4);
    for (const QString& name : names) {
        const QString copy = dir.filePath(name);
        const BatchRun run = runBatch({example(name.toLatin1().constData()), QStringLiteral("--write"), copy});
        EXPECT_EQ(run.exitCode, 0) << name.toStdString() << run.err.toStdString();
        // The examples are kept in the program's own layout, so a copy is identical.
        EXPECT_EQ(readAll(copy), readAll(example(name.toLatin1().constData()))) << name.toStdString();
    }
}

TEST(Batch, RefusalsAreInputErrorsOnStandardError)
{
    QTemporaryDir dir;
    const QString big = dir.filePath(QStringLiteral("big.mlp"));
    QFile f(big);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("21\r\n1\r\n1\r\n");
    f.close();

    BatchRun run = runBatch({big});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.startsWith(QString::fromUtf8("Error: Can\u00B4t read this problem. It is too big!")))
        << run.err.toStdString();

    run = runBatch({dir.filePath(QStringLiteral("none.mlp"))});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("Error: File not found")));

    run = runBatch({example("two_objectives.mlp"), QStringLiteral("--write")});
    EXPECT_EQ(run.exitCode, 2);
    run = runBatch({});
    EXPECT_EQ(run.exitCode, 2);
    run = runBatch({QStringLiteral("--help")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.startsWith(QStringLiteral("usage: quilvane-batch")));
}

TEST(Batch, AFailedWriteKeepsThePreviousFile)
{
    QTemporaryDir dir;
    const BatchRun run = runBatch({example("two_objectives.mlp"), QStringLiteral("--write"),
                              dir.filePath(QStringLiteral("no/such/folder/x.mlp"))});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("Error: Cannot write"))) << run.err.toStdString();
}

// ---------------------------------------------------------------------------
// Reading what the executable prints

// A block that is the pay-off window's grid: a header row, then "Opt. " rows.
bool isPayoffGrid(const QString& block)
{
    const QStringList lines = block.split(QLatin1Char('\n'));
    return lines.size() > 1 && lines[0].startsWith(QLatin1Char('\t')) && lines[1].startsWith(QLatin1String("Opt. "));
}

// The standard output as blocks: one per action, each followed by a blank
// line; the pay-off grid that follows the pay-off report is left out.
QStringList blocks(const QString& out)
{
    QStringList parts = out.split(QStringLiteral("\n\n"));
    if (!parts.isEmpty() && parts.last().trimmed().isEmpty())
        parts.removeLast();
    parts.erase(std::remove_if(parts.begin(), parts.end(), isPayoffGrid), parts.end());
    return parts;
}

// One solution of a report: its heading and the values it lists (objectives
// by name, decision variables and slacks by name; the ones not listed are 0).
struct ReportRecord {
    QString heading;
    std::map<QString, double> objectives;
    std::map<QString, double> values;
};

std::vector<ReportRecord> reportRecords(const QString& report)
{
    enum class Section { None, Objectives, Values };
    std::vector<ReportRecord> records;
    Section section = Section::None;
    for (const QString& line : report.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("Solution ")) && line.endsWith(QLatin1Char(':'))) {
            records.push_back(ReportRecord{line, {}, {}});
            section = Section::None;
        } else if (records.empty()) {
            continue;
        } else if (line == QLatin1String("Objective functions:")) {
            section = Section::Objectives;
        } else if (line == QLatin1String("Non-zero decision variables & slacks of the MOLP problem:")) {
            section = Section::Values;
        } else if (section == Section::Objectives && line.contains(QLatin1String("= "))) {
            const int at = line.lastIndexOf(QLatin1String("= "));
            records.back().objectives[line.left(at)] = line.mid(at + 2).toDouble();
        } else if (section == Section::Values && line.startsWith(QLatin1Char(' ')) && line.contains(QLatin1String(" = "))) {
            const int at = line.indexOf(QLatin1String(" = "));
            records.back().values[line.mid(1, at - 1)] = line.mid(at + 3).toDouble();
        } else {
            section = Section::None;
        }
    }
    return records;
}

// ---------------------------------------------------------------------------
// An independent look at a problem: its file read with a few lines of code
// here, and its weighted-sum optimum found by visiting every vertex.

struct Row {
    std::vector<double> a;
    int type = 0; // 0 <=, 1 =, 2 >=
    double rhs = 0;
};

struct Problem {
    int p = 0, m = 0, n = 0;
    std::vector<int> sense;
    std::vector<QString> objName;
    std::vector<std::vector<double>> c;
    std::vector<Row> rows;
    std::vector<double> lb, ub;
    std::vector<QString> varName;

    double objective(int k, const std::vector<double>& x) const
    {
        double f = 0;
        for (int j = 0; j < n; ++j)
            f += c[k][j] * x[j];
        return f;
    }
};

QStringList fields(const QString& line)
{
    QStringList parts = line.split(QLatin1Char('\t'));
    for (QString& field : parts)
        field = field.trimmed();
    return parts;
}

Problem readMlp(const QString& path)
{
    const QStringList lines = QString::fromLatin1(readAll(path)).split(QStringLiteral("\r\n"));
    Problem pb;
    pb.p = fields(lines[0])[0].toInt();
    pb.m = fields(lines[1])[0].toInt();
    pb.n = fields(lines[2])[0].toInt();
    int at = 4;
    for (int k = 0; k < pb.p; ++k, ++at) {
        const QStringList f = fields(lines[at]);
        pb.sense.push_back(f[0].toInt());
        std::vector<double> coef;
        for (int j = 1; j <= pb.n; ++j)
            coef.push_back(f[j].toDouble());
        pb.c.push_back(coef);
        pb.objName.push_back(f[pb.n + 1]);
    }
    ++at;
    for (int i = 0; i < pb.m; ++i, ++at) {
        const QStringList f = fields(lines[at]);
        Row row;
        for (int j = 0; j < pb.n; ++j)
            row.a.push_back(f[j].toDouble());
        row.type = f[pb.n].toInt();
        row.rhs = f[pb.n + 1].toDouble();
        pb.rows.push_back(row);
    }
    ++at;
    for (int j = 0; j < pb.n; ++j, ++at) {
        const QStringList f = fields(lines[at]);
        pb.lb.push_back(f[0].toDouble());
        pb.ub.push_back(f[1].toDouble());
        pb.varName.push_back(f[2]);
    }
    return pb;
}

constexpr double kInfinite = 1e40;

// Every constraint, every variable bound and the extra rows, all as rows.
std::vector<Row> allRows(const Problem& pb, const std::vector<Row>& extra)
{
    std::vector<Row> rows = pb.rows;
    rows.insert(rows.end(), extra.begin(), extra.end());
    for (int j = 0; j < pb.n; ++j) {
        Row bound;
        bound.a.assign(static_cast<std::size_t>(pb.n), 0.0);
        bound.a[static_cast<std::size_t>(j)] = 1;
        bound.type = 2;
        bound.rhs = pb.lb[static_cast<std::size_t>(j)];
        rows.push_back(bound);
        if (pb.ub[static_cast<std::size_t>(j)] < kInfinite) {
            bound.type = 0;
            bound.rhs = pb.ub[static_cast<std::size_t>(j)];
            rows.push_back(bound);
        }
    }
    return rows;
}

bool feasible(const std::vector<Row>& rows, const std::vector<double>& x, double tol)
{
    for (const Row& row : rows) {
        double lhs = 0, size = std::max(1.0, std::fabs(row.rhs));
        for (std::size_t j = 0; j < x.size(); ++j) {
            lhs += row.a[j] * x[j];
            size += std::fabs(row.a[j] * x[j]);
        }
        // Printed values are rounded, so the slack grows with the terms.
        const double slack = tol * size;
        if ((row.type == 0 && lhs > row.rhs + slack) || (row.type == 2 && lhs < row.rhs - slack)
            || (row.type == 1 && std::fabs(lhs - row.rhs) > slack))
            return false;
    }
    return true;
}

// The point where the chosen rows hold with equality; false when they do not
// fix one point.
bool intersect(const std::vector<Row>& rows, const std::vector<int>& chosen, int n, std::vector<double>& x)
{
    std::vector<std::vector<double>> a(static_cast<std::size_t>(n), std::vector<double>(static_cast<std::size_t>(n) + 1));
    for (int r = 0; r < n; ++r) {
        const Row& row = rows[static_cast<std::size_t>(chosen[static_cast<std::size_t>(r)])];
        for (int j = 0; j < n; ++j)
            a[r][j] = row.a[static_cast<std::size_t>(j)];
        a[r][n] = row.rhs;
    }
    for (int col = 0; col < n; ++col) {
        int pivot = col;
        for (int r = col + 1; r < n; ++r)
            if (std::fabs(a[r][col]) > std::fabs(a[pivot][col]))
                pivot = r;
        if (std::fabs(a[pivot][col]) < 1e-12)
            return false;
        std::swap(a[col], a[pivot]);
        for (int r = 0; r < n; ++r) {
            if (r == col)
                continue;
            const double factor = a[r][col] / a[col][col];
            for (int j = col; j <= n; ++j)
                a[r][j] -= factor * a[col][j];
        }
    }
    x.assign(static_cast<std::size_t>(n), 0.0);
    for (int j = 0; j < n; ++j)
        x[j] = a[j][n] / a[j][j];
    return true;
}

// The largest value of sum_k w[k] * sense[k] * factor[k] * f_k(x) over the
// vertices of the feasible set (with the extra rows); NaN when it has none.
double bestWeightedValue(const Problem& pb, const std::vector<double>& w, const std::vector<double>& factor,
                         const std::vector<Row>& extra = {})
{
    const std::vector<Row> rows = allRows(pb, extra);
    const int count = static_cast<int>(rows.size());
    double best = std::nan("");
    std::vector<int> chosen(static_cast<std::size_t>(pb.n));
    for (int i = 0; i < pb.n; ++i)
        chosen[static_cast<std::size_t>(i)] = i;
    while (true) {
        std::vector<double> x;
        if (intersect(rows, chosen, pb.n, x) && feasible(rows, x, 1e-9)) {
            double value = 0;
            for (int k = 0; k < pb.p; ++k)
                value += w[k] * pb.sense[k] * factor[k] * pb.objective(k, x);
            if (std::isnan(best) || value > best)
                best = value;
        }
        // Next combination of n rows out of count.
        int i = pb.n - 1;
        while (i >= 0 && chosen[static_cast<std::size_t>(i)] == count - pb.n + i)
            --i;
        if (i < 0)
            break;
        ++chosen[static_cast<std::size_t>(i)];
        for (int j = i + 1; j < pb.n; ++j)
            chosen[static_cast<std::size_t>(j)] = chosen[static_cast<std::size_t>(j - 1)] + 1;
    }
    return best;
}

std::vector<double> unitFactors(const Problem& pb) { return std::vector<double>(static_cast<std::size_t>(pb.p), 1.0); }

std::vector<double> l2Factors(const Problem& pb)
{
    std::vector<double> factor;
    for (const std::vector<double>& coef : pb.c) {
        double sum = 0;
        for (double v : coef)
            sum += v * v;
        factor.push_back(sum > 0 ? 1 / std::sqrt(sum) : 1.0);
    }
    return factor;
}

// Reports print 7 significant digits.
bool nearlyEqual(double a, double b) { return std::fabs(a - b) <= 2e-6 * std::max({1.0, std::fabs(a), std::fabs(b)}); }

std::vector<double> decisionValues(const Problem& pb, const ReportRecord& record)
{
    std::vector<double> x;
    for (const QString& name : pb.varName) {
        const auto it = record.values.find(name);
        x.push_back(it == record.values.end() ? 0.0 : it->second);
    }
    return x;
}

// The printed solution is a feasible point (with the extra rows), its printed
// objective values are those of its printed variables, and its weighted value
// is the best any vertex reaches.
void expectWeightedOptimum(const Problem& pb, const ReportRecord& record, const std::vector<double>& w,
                           const std::vector<double>& factor, const std::vector<Row>& extra = {})
{
    const std::vector<double> x = decisionValues(pb, record);
    EXPECT_TRUE(feasible(allRows(pb, extra), x, 1e-6)) << record.heading.toStdString();
    double value = 0, size = 1;
    for (int k = 0; k < pb.p; ++k) {
        const auto it = record.objectives.find(pb.objName[k].left(10));
        ASSERT_NE(it, record.objectives.end()) << pb.objName[k].toStdString();
        EXPECT_TRUE(nearlyEqual(it->second, pb.objective(k, x))) << pb.objName[k].toStdString();
        value += w[k] * pb.sense[k] * factor[k] * it->second;
        size += std::fabs(w[k] * factor[k] * it->second);
    }
    const double best = bestWeightedValue(pb, w, factor, extra);
    EXPECT_LE(std::fabs(value - best), 2e-6 * size) << "printed " << value << ", best vertex " << best;
}

QStringList args(std::initializer_list<const char*> words)
{
    QStringList list;
    for (const char* word : words)
        list << QString::fromUtf8(word);
    return list;
}

BatchRun runOn(const char* problem, std::initializer_list<const char*> words)
{
    return runBatch(QStringList{example(problem)} + args(words));
}

// ---------------------------------------------------------------------------

TEST(Batch, PayoffPrintsOneRecordPerObjectiveEachOptimizingItsOwnWeights)
{
    for (const char* name : {"two_objectives.mlp", "three_objectives_degenerate.mlp", "four_objectives_min_ub.mlp"}) {
        const Problem pb = readMlp(example(name));
        const BatchRun run = runOn(name, {"payoff"});
        ASSERT_EQ(run.exitCode, 0) << name << run.err.toStdString();
        const QStringList out = blocks(run.out);
        ASSERT_EQ(out.size(), 1) << name;
        EXPECT_TRUE(out[0].startsWith(QStringLiteral("Last solution(s) computed\n"))) << name;
        const std::vector<ReportRecord> records = reportRecords(out[0]);
        ASSERT_EQ(static_cast<int>(records.size()), pb.p) << name;
        // Newest first: the last objective's solution heads the report.
        for (int i = 0; i < pb.p; ++i) {
            const int k = pb.p - 1 - i;
            std::vector<double> w(static_cast<std::size_t>(pb.p), 0.001 / (pb.p - 1));
            w[static_cast<std::size_t>(k)] = 0.999;
            expectWeightedOptimum(pb, records[static_cast<std::size_t>(i)], w, unitFactors(pb));
        }
    }
}

TEST(Batch, WeightedSumFindsTheBestVertexOfTheWeightedObjective)
{
    const Problem pb = readMlp(example("three_objectives_degenerate.mlp"));
    const BatchRun run = runOn("three_objectives_degenerate.mlp", {"weighted-sum", "0.2,0.3,0.5"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList out = blocks(run.out);
    // The pay-off table runs first on its own.
    ASSERT_EQ(out.size(), 2);
    EXPECT_TRUE(out[1].startsWith(QStringLiteral(
        "Last solution computed\nOptimization of the weighted-sum of the objectives with the weights:\n(0.2, 0.3, 0.5)\n")));
    const std::vector<ReportRecord> records = reportRecords(out[1]);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records[0].heading, QStringLiteral("Solution 4:"));
    expectWeightedOptimum(pb, records[0], {0.2, 0.3, 0.5}, unitFactors(pb));
}

TEST(Batch, WeightsAreNormalizedToSumOne)
{
    const Problem pb = readMlp(example("two_objectives.mlp"));
    const BatchRun run = runOn("two_objectives.mlp", {"weighted-sum", "0.2,0.6"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList out = blocks(run.out);
    ASSERT_EQ(out.size(), 2);
    EXPECT_TRUE(out[1].contains(QStringLiteral("\n(0.25, 0.75)\n")));
    expectWeightedOptimum(pb, reportRecords(out[1])[0], {0.25, 0.75}, unitFactors(pb));
}

TEST(Batch, NormalizationScalesTheObjectivesBeforeThePayoffTable)
{
    const Problem pb = readMlp(example("two_objectives.mlp"));
    const BatchRun plain = runOn("two_objectives.mlp", {"weighted-sum", "0.5,0.5"});
    const BatchRun scaled = runBatch(QStringList{QStringLiteral("--normalize"), example("two_objectives.mlp")}
                                     + args({"weighted-sum", "0.5,0.5"}));
    ASSERT_EQ(plain.exitCode, 0) << plain.err.toStdString();
    ASSERT_EQ(scaled.exitCode, 0) << scaled.err.toStdString();
    const ReportRecord plainRecord = reportRecords(blocks(plain.out)[1])[0];
    const ReportRecord scaledRecord = reportRecords(blocks(scaled.out)[1])[0];
    expectWeightedOptimum(pb, plainRecord, {0.5, 0.5}, unitFactors(pb));
    expectWeightedOptimum(pb, scaledRecord, {0.5, 0.5}, l2Factors(pb));
    // On this problem the scale decides which vertex wins.
    EXPECT_NE(plainRecord.objectives.at(QStringLiteral("Profit")), scaledRecord.objectives.at(QStringLiteral("Profit")));
}

TEST(Batch, AnInfeasibleProblemIsAFailedComputation)
{
    for (const char* action : {"payoff", "basket"}) {
        const BatchRun run = runOn("infeasible.mlp", {action});
        EXPECT_EQ(run.exitCode, 1) << action;
        EXPECT_TRUE(run.err.contains(QStringLiteral("Information: Unfeasible Problem\n"))) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    }
}

TEST(Batch, LimitationsStayInForceForLaterComputations)
{
    const Problem pb = readMlp(example("two_objectives.mlp"));
    const BatchRun run = runOn("two_objectives.mlp", {"limits", "30,-", "weighted-sum", "0,1", "limits", "-,-",
                                                      "weighted-sum", "0,1"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList out = blocks(run.out);
    ASSERT_EQ(out.size(), 5);
    // Imposing limitations leaves the report pane as it was.
    EXPECT_EQ(out[1], out[0]);
    const QString including = QStringLiteral("Including the following limitations on the objectives:\n");
    EXPECT_TRUE(out[2].contains(including + QStringLiteral("Profit >= 30\n"))) << out[2].toStdString();
    EXPECT_FALSE(out[2].contains(QStringLiteral("Market >=")));

    // Profit >= 30 as a row of the independent check.
    const Row profitAtLeast30{pb.c[0], 2, 30};
    const ReportRecord limited = reportRecords(out[2])[0];
    // A solution found under limitations is not stored by default.
    EXPECT_EQ(limited.heading, QStringLiteral("Solution values:"));
    expectWeightedOptimum(pb, limited, {0, 1}, unitFactors(pb), {profitAtLeast30});

    // "-" everywhere leaves no limitation.
    EXPECT_EQ(out[3], out[2]);
    EXPECT_FALSE(out[4].contains(including));
    expectWeightedOptimum(pb, reportRecords(out[4])[0], {0, 1}, unitFactors(pb));
}

TEST(Batch, LimitsOfAMinimizedObjectiveAndClear)
{
    const BatchRun run = runOn("four_objectives_min_ub.mlp",
                               {"limits", "-, -, 2000, -", "weighted-sum", "1,1,1,1", "limits", "clear", "weighted-sum",
                                "1,1,1,1"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList out = blocks(run.out);
    ASSERT_EQ(out.size(), 5);
    EXPECT_TRUE(out[2].contains(
        QStringLiteral("Including the following limitations on the objectives:\nCost <= 2000\n")));
    EXPECT_FALSE(out[4].contains(QStringLiteral("Including the following limitations")));
}

TEST(Batch, EConstraintBoundsServeOneComputationOnly)
{
    const Problem pb = readMlp(example("two_objectives.mlp"));
    const BatchRun run = runOn("two_objectives.mlp", {"econstraint", "2", "30,-", "weighted-sum", "0.5,0.5"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList out = blocks(run.out);
    ASSERT_EQ(out.size(), 3);
    EXPECT_TRUE(out[1].contains(QStringLiteral(
        "\n(0.0001, 1)\nIncluding the following limitations on the objectives:\nProfit >= 30\n")))
        << out[1].toStdString();
    const Row profitAtLeast30{pb.c[0], 2, 30};
    expectWeightedOptimum(pb, reportRecords(out[1])[0], {0.0001, 1}, unitFactors(pb), {profitAtLeast30});

    EXPECT_FALSE(out[2].contains(QStringLiteral("Including the following limitations")));
    expectWeightedOptimum(pb, reportRecords(out[2])[0], {0.5, 0.5}, unitFactors(pb));
}

TEST(Batch, EConstraintReplacesTheLimitationsAndClearsThem)
{
    const BatchRun run =
        runOn("four_objectives_min_ub.mlp", {"limits", "-,-,-,100", "econstraint", "1", "-,-,3000,-", "basket"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList out = blocks(run.out);
    ASSERT_EQ(out.size(), 4);
    EXPECT_TRUE(out[2].contains(QStringLiteral("limitations on the objectives:\nCost <= 3000\n \n")))
        << out[2].toStdString();
    EXPECT_FALSE(out[2].contains(QStringLiteral("Jobs >=")));
}

TEST(Batch, TheIndividualOptimaCannotBeDeleted)
{
    // Four objectives have no weight space, so no solution is kept for its region.
    const BatchRun run = runOn("four_objectives_min_ub.mlp", {"delete", "1", "basket"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("Information: The individual optima cannot be deleted\n")))
        << run.err.toStdString();
    const QStringList out = blocks(run.out);
    ASSERT_EQ(out.size(), 3);
    EXPECT_TRUE(out[2].contains(QStringLiteral("\n[1]\t")));
}

TEST(Batch, EveryComputedSolutionIsStoredWithTheOption)
{
    const QStringList actions = args({"refpoint", "34,20", "1,1", "basket"});
    const BatchRun kept = runBatch(QStringList{example("two_objectives.mlp")} + actions);
    const BatchRun all =
        runBatch(QStringList{QStringLiteral("--all-solutions"), example("two_objectives.mlp")} + actions);
    ASSERT_EQ(kept.exitCode, 0) << kept.err.toStdString();
    ASSERT_EQ(all.exitCode, 0) << all.err.toStdString();
    const QStringList keptOut = blocks(kept.out);
    const QStringList allOut = blocks(all.out);
    ASSERT_EQ(keptOut.size(), 3);
    ASSERT_EQ(allOut.size(), 3);
    EXPECT_TRUE(allOut[1].startsWith(QStringLiteral(
        "Last solution computed\nMin of the Tchebycheff distance to the Ref.point q:\nq=(34, 20)\n"
        "Considering the w-weighted distance w(q-F(x)) with:\nw=(1, 1)\n")));
    EXPECT_EQ(reportRecords(keptOut[1])[0].heading, QStringLiteral("Solution values:"));
    EXPECT_EQ(reportRecords(allOut[1])[0].heading, QStringLiteral("Solution 3:"));
    EXPECT_EQ(keptOut[2].split(QLatin1Char('\n')).size(), 1 + 2);
    EXPECT_EQ(allOut[2].split(QLatin1Char('\n')).size(), 1 + 3);

    // The point lies inside the efficient edge, where both weighted distances
    // to q are equal.
    const Problem pb = readMlp(example("two_objectives.mlp"));
    const ReportRecord record = reportRecords(allOut[1])[0];
    const std::vector<double> x = decisionValues(pb, record);
    EXPECT_TRUE(feasible(allRows(pb, {}), x, 1e-6));
    EXPECT_TRUE(nearlyEqual(34 - pb.objective(0, x), 20 - pb.objective(1, x)));
}

TEST(Batch, StoreAndDeleteASolutionWithoutRegion)
{
    const BatchRun run = runOn("two_objectives.mlp", {"refpoint", "34,20", "1,1", "store", "basket", "delete", "3",
                                                      "basket"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList out = blocks(run.out);
    ASSERT_EQ(out.size(), 6);
    EXPECT_TRUE(out[2].startsWith(QStringLiteral("Last solution(s) computed\n")));
    EXPECT_EQ(reportRecords(out[2])[0].heading, QStringLiteral("Solution 3:"));
    EXPECT_EQ(out[3].split(QLatin1Char('\n')).size(), 1 + 3);
    EXPECT_EQ(reportRecords(out[4])[0].heading, QStringLiteral("Solution values:"));
    EXPECT_EQ(out[5].split(QLatin1Char('\n')).size(), 1 + 2);
    EXPECT_FALSE(out[5].contains(QStringLiteral("[3]")));
}

TEST(Batch, BasketPrintsTheValuesTableTabSeparated)
{
    const Problem pb = readMlp(example("three_objectives_degenerate.mlp"));
    const BatchRun run = runOn("three_objectives_degenerate.mlp", {"weighted-sum", "0.2,0.3,0.5", "basket"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList out = blocks(run.out);
    ASSERT_EQ(out.size(), 3);
    const QStringList lines = out[2].split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 1 + 4); // header, three pay-off solutions and the weighted-sum one
    const int columns = 1 + pb.p + pb.n + pb.m;
    QStringList header{QString()};
    for (const QString& name : pb.objName)
        header << name;
    for (const QString& name : pb.varName)
        header << name;
    for (int i = 1; i <= pb.m; ++i)
        header << QStringLiteral("s%1").arg(i);
    EXPECT_EQ(lines[0].split(QLatin1Char('\t')), header);
    for (int r = 1; r < lines.size(); ++r) {
        const QStringList cells = lines[r].split(QLatin1Char('\t'));
        ASSERT_EQ(cells.size(), columns) << lines[r].toStdString();
        EXPECT_EQ(cells[0], QStringLiteral("[%1]").arg(r));
    }
    // The last row is the solution the weighted-sum report shows.
    const ReportRecord record = reportRecords(out[1])[0];
    const QStringList last = lines.last().split(QLatin1Char('\t'));
    for (int k = 0; k < pb.p; ++k)
        EXPECT_DOUBLE_EQ(last[1 + k].toDouble(), record.objectives.at(pb.objName[k]));
    for (int j = 0; j < pb.n; ++j)
        EXPECT_DOUBLE_EQ(last[1 + pb.p + j].toDouble(), decisionValues(pb, record)[j]);
}

TEST(Batch, BadInputsAreRefusedBeforeAnyComputation)
{
    struct Case {
        std::initializer_list<const char*> words;
        const char* message;
    };
    const Case cases[] = {
        {{"weighted-sum", "0.5"}, "Error: weighted-sum: 2 values expected, 1 given"},
        {{"weighted-sum", "0.5,abc"}, "Error: weighted-sum: 'abc' is not a valid floating point value"},
        {{"weighted-sum", "1.5,0.5"}, "Information: Choose weights between 0 and 1"},
        {{"weighted-sum", "0,0"}, "Information: At least one weight must be greater than 0"},
        {{"weighted-sum"}, "Error: weighted-sum needs W1,...,Wp"},
        {{"refpoint", "30,20"}, "Error: refpoint needs Q1,...,Qp W1,...,Wp"},
        {{"refpoint", "30,20", "1,-1"}, "Information: The weights must be >=0"},
        {{"refpoint", "30,x", "1,1"}, "Error: refpoint: 'x' is not a valid floating point value"},
        {{"limits", "-"}, "Error: limits: 2 values expected, 1 given"},
        {{"limits", "abc,-"}, "Error: limits: 'abc' is not a valid floating point value"},
        {{"econstraint", "3", "-,-"}, "Error: econstraint: '3' is not an objective number from 1 to 2"},
        {{"econstraint", "1", "5,-"}, "Error: econstraint: objective 1 is the one optimized; its bound must be '-'"},
        {{"delete", "2-x"}, "Error: delete: 'x' is not a valid integer value"},
        {{"basket", "payoff"}, "Error: payoff can only be the first action"},
        {{"solve"}, "Error: unknown action solve"},
        {{"icw", "6"}, "Error: icw: '6' is not a choice from 1 to 5"},
        {{"contracted-vma"}, "Error: contracted-vma must follow icw with at least one CHOICE"},
        {{"icw", "contracted-vma"}, "Error: contracted-vma must follow icw with at least one CHOICE"},
        {{"icw", "2", "contracted-vma", "max-bases=0"}, "Error: contracted-vma: 'max-bases=0' is not max-bases="},
        {{"stem", "1,-", "1,1"}, "Warning: No more than 1 can be relaxed"},
        {{"stem", "1,x"}, "Error: stem: 'x' is not a valid floating point value"},
        {{"race", "1,1", "3:2,0:1", "5"}, "Warning: Upper values must be larger than lower values"},
        {{"race", "1,1", "0:1,0:1", "x"}, "Error: race: 'x' is not a number of steps (0 or more)"},
        {{"race", "1,1", "0:1,0:1", "2", "speed=9"}, "Error: race: 'speed=9' is not speed= followed by a slider"},
        {{"--listing"}, "Error: --listing needs a file name"},
        {{"--all-solutions", "store"}, "Error: store: with --all-solutions every computed solution is already stored"},
    };
    for (const Case& c : cases) {
        const BatchRun run = runOn("two_objectives.mlp", c.words);
        EXPECT_EQ(run.exitCode, 2) << c.message;
        EXPECT_TRUE(run.err.startsWith(QString::fromUtf8(c.message))) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << c.message;
    }
}

TEST(Batch, ListingWritesTheProblemAsText)
{
    QTemporaryDir dir;
    const QString listing = dir.filePath(QStringLiteral("two.txt"));
    const BatchRun run = runBatch({example("two_objectives.mlp"), QStringLiteral("--listing"), listing});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QByteArray text = readAll(listing);
    EXPECT_TRUE(text.startsWith("Number of objective functions: 2\r\n")) << text.constData();
    EXPECT_TRUE(text.contains("Max Profit= 5ProductA +2ProductB")) << text.constData();
}

TEST(Batch, HelpListsTheActions)
{
    const BatchRun run = runBatch({QStringLiteral("--help")});
    EXPECT_EQ(run.exitCode, 0);
    for (const char* word : {"--normalize", "--all-solutions", "payoff", "weighted-sum W1,...,Wp",
                             "refpoint Q1,...,Qp W1,...,Wp", "limits L1,...,Lp", "econstraint K L1,...,Lp", "store",
                             "delete RANGE", "basket"})
        EXPECT_TRUE(run.out.contains(QString::fromUtf8(word))) << word;
}

// ---------------------------------------------------------------------------
// Results files

// The three-objective example with the pay-off table and two weighted sums,
// exported; returns the run.
BatchRun exportWork(const QString& path)
{
    return runBatch(QStringList{example("three_objectives_degenerate.mlp")}
                    + args({"weighted-sum", "0.2,0.3,0.5", "weighted-sum", "0.45,0.45,0.1", "basket"})
                    + QStringList{QStringLiteral("--export"), path});
}

TEST(Batch, ResultsFileRoundTripThroughTwoRuns)
{
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("first.out"));
    const QString second = dir.filePath(QStringLiteral("second.out"));
    const BatchRun run = exportWork(first);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList out = blocks(run.out);
    ASSERT_EQ(out.size(), 4); // pay-off table, two weighted sums, basket
    EXPECT_TRUE(readAll(first).startsWith("//Ideal Solution\r\n"));

    const BatchRun again = runBatch({example("three_objectives_degenerate.mlp"), QStringLiteral("--import"), first,
                                     QStringLiteral("basket"), QStringLiteral("--export"), second});
    ASSERT_EQ(again.exitCode, 0) << again.err.toStdString();
    EXPECT_TRUE(again.err.isEmpty()) << again.err.toStdString();
    const QStringList imported = blocks(again.out);
    ASSERT_EQ(imported.size(), 2);
    // The import shows its one record: the last solution of the basket.
    EXPECT_TRUE(imported[0].startsWith(QStringLiteral("Last solution(s) computed\n")));
    const std::vector<ReportRecord> records = reportRecords(imported[0]);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].heading, QStringLiteral("Solution 5:"));
    EXPECT_EQ(imported[1], out[3]);
    EXPECT_EQ(readAll(second), readAll(first));
}

TEST(Batch, ActionsRunOnTheImportedWork)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("work.out"));
    ASSERT_EQ(exportWork(file).exitCode, 0);

    const QStringList more = args({"weighted-sum", "0.2,0.3,0.5", "weighted-sum", "0.1,0.45,0.45", "delete", "5",
                                   "basket"});
    const BatchRun run =
        runBatch(QStringList{example("three_objectives_degenerate.mlp"), QStringLiteral("--import"), file} + more);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList out = blocks(run.out);
    ASSERT_EQ(out.size(), 5);
    // A solution of the file is found again under its index; a new one
    // follows the imported ones.
    EXPECT_EQ(reportRecords(out[1])[0].heading, QStringLiteral("Solution 4:"));
    EXPECT_EQ(reportRecords(out[2])[0].heading, QStringLiteral("Solution 6:"));
    // Solution 5 keeps the indifference region that came with the file.
    EXPECT_TRUE(run.err.contains(
        QStringLiteral("Information: Basic efficient solutions represented on the Weight space cannot be deleted")))
        << run.err.toStdString();

    // The same work done in one run gives the same basket.
    const BatchRun direct = runBatch(QStringList{example("three_objectives_degenerate.mlp")}
                                     + args({"weighted-sum", "0.2,0.3,0.5", "weighted-sum", "0.45,0.45,0.1"}) + more);
    ASSERT_EQ(direct.exitCode, 0) << direct.err.toStdString();
    EXPECT_EQ(out[4], blocks(direct.out).last());
    EXPECT_EQ(out[4].split(QLatin1Char('\n')).size(), 1 + 6);
}

TEST(Batch, ExportWithoutActionsComputesThePayoffTableFirst)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("payoff.out"));
    const BatchRun run =
        runBatch({example("two_objectives.mlp"), QStringLiteral("--export"), file});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(blocks(run.out).size(), 1);
    const QList<QByteArray> lines = readAll(file).split('\n');
    ASSERT_GT(lines.size(), 8);
    EXPECT_EQ(lines[6], QByteArray("2 //Number of solutions\r"));
}

TEST(Batch, RefusedResultsFilesAreInputErrors)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("work.out"));
    ASSERT_EQ(exportWork(file).exitCode, 0);
    const QByteArray whole = readAll(file);

    struct Case {
        QStringList arguments;
        const char* message;
    };
    const QString damaged = dir.filePath(QStringLiteral("damaged.out"));
    {
        QFile f(damaged);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(whole.left(whole.size() / 2));
    }
    const QString three = example("three_objectives_degenerate.mlp");
    const Case cases[] = {
        {{three, QStringLiteral("--import"), damaged, QStringLiteral("basket")},
         "Error: Error in line "},
        {{three, QStringLiteral("--import"), dir.filePath(QStringLiteral("none.out"))}, "Error: Cannot open "},
        {{example("two_objectives.mlp"), QStringLiteral("--import"), file},
         "Error: Error in line 2 of the results file: more than 2 values: the file is of a problem with another "
         "number of objective functions"},
        {{three, QStringLiteral("--import"), file, QStringLiteral("payoff")},
         "Error: payoff cannot be used with --import: the results file holds the pay-off table"},
        {{three, QStringLiteral("--normalize"), QStringLiteral("--import"), file},
         "Error: --normalize cannot be used with --import"},
        {{three, QStringLiteral("--import")}, "Error: --import needs a file name"},
        {{three, QStringLiteral("--export")}, "Error: --export needs a file name"},
    };
    for (const Case& c : cases) {
        const BatchRun run = runBatch(c.arguments);
        EXPECT_EQ(run.exitCode, 2) << c.message;
        EXPECT_TRUE(run.err.startsWith(QString::fromUtf8(c.message))) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << c.message;
    }

    // A file that cannot be written is refused before any action runs.
    const BatchRun nowhere = runOn("two_objectives.mlp", {"--export", "/no/such/folder/x.out"});
    EXPECT_EQ(nowhere.exitCode, 2);
    EXPECT_TRUE(nowhere.out.isEmpty()) << nowhere.out.toStdString();
    EXPECT_TRUE(nowhere.err.startsWith(QStringLiteral("Error: Cannot write /no/such/folder/x.out"))) << nowhere.err.toStdString();

    // After a failed computation nothing is exported.
    const QString failed = dir.filePath(QStringLiteral("failed.out"));
    const BatchRun infeasible = runBatch({example("infeasible.mlp"), QStringLiteral("--export"), failed});
    EXPECT_EQ(infeasible.exitCode, 1);
    EXPECT_FALSE(QFile::exists(failed));
}

TEST(Batch, HelpNamesTheResultsFileOptions)
{
    const BatchRun run = runBatch({QStringLiteral("--help")});
    EXPECT_TRUE(run.out.contains(QStringLiteral("--import FILE.out")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("--export FILE.out")));
    EXPECT_FALSE(run.out.contains(QStringLiteral("Not available in this build: --import")));
}

} // namespace

TEST(Batch, VmaStoresEveryEfficientVertexUpToItsLimit)
{
    BatchRun run = runOn("three_objectives_degenerate.mlp", {"vma", "basket"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.endsWith(QStringLiteral("Information: VMA has computed 7 eficient vertex solutions\n")))
        << run.err.toStdString();
    EXPECT_TRUE(blocks(run.out).last().contains(QStringLiteral("\n[7]\t")));

    run = runOn("three_objectives_degenerate.mlp", {"vma", "max-bases=1"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("Warning: reached limit of bases\n"))) << run.err.toStdString();

    run = runOn("three_objectives_degenerate.mlp", {"vma", "max-bases=x"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("Error: vma: 'max-bases=x' is not max-bases= followed by a "
                                                  "positive integer")))
        << run.err.toStdString();
}

TEST(Batch, ASolveBeyondTheTimeLimitIsAFailedComputation)
{
    RandomProblemSpec shape;
    shape.objectives = MaxObjectives;
    shape.variables = MaxVariables;
    shape.constraints = MaxConstraints;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.mlp"));
    ASSERT_TRUE(WriteProblemFile(path, *makeRandomProblem(20261209u, shape)).ok);

    // A limit that has passed before lp_solve first looks at it.
    BatchRun run = runBatch({path, QStringLiteral("--time-limit"), QStringLiteral("1e-9"), QStringLiteral("payoff")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, QStringLiteral("Warning: The computation was stopped: the time limit was reached or it was "
                                      "cancelled\n"));
    EXPECT_TRUE(run.out.isEmpty());

    run = runBatch({path, QStringLiteral("--time-limit"), QStringLiteral("0"), QStringLiteral("payoff")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    run = runBatch({path, QStringLiteral("--time-limit"), QStringLiteral("-1")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("Error: --time-limit needs a number of seconds")));
}

// A degenerate vertex reached by many bases keeps every basis and region
// through an export and an import.
TEST(Batch, VmaResultsSurviveTheResultsFile)
{
    const QString lap = QDir(QStringLiteral(QUILVANE_TESTDATA_DIR)).filePath(QStringLiteral("molp/lap3_przybylski.mps"));
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("first.out"));
    const QString second = dir.filePath(QStringLiteral("second.out"));
    const BatchRun run = runBatch({lap, QStringLiteral("vma"), QStringLiteral("--export"), first});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.endsWith(QStringLiteral("VMA has computed 4 eficient vertex solutions\n")));
    ASSERT_EQ(runBatch({lap, QStringLiteral("--import"), first, QStringLiteral("--export"), second}).exitCode, 0);
    const QByteArray exported = readAll(first);
    EXPECT_EQ(readAll(second), exported);
    // More regions than solutions: several efficient bases per vertex.
    EXPECT_TRUE(exported.contains("4 //Number of solutions"));
    const int regionsAt = exported.indexOf(" //Number of indiference regions");
    ASSERT_GT(regionsAt, 0);
    const int lineStart = exported.lastIndexOf('\n', regionsAt) + 1;
    EXPECT_GT(exported.mid(lineStart, regionsAt - lineStart).toInt(), 4);
}

// A refused run writes nothing: every argument, the problem and the results
// file to import are checked before the first file is written.
TEST(Batch, ARefusedRunWritesNothing)
{
    QTemporaryDir dir;
    const QString written = dir.filePath(QStringLiteral("w.mlp"));
    const QString bad = dir.filePath(QStringLiteral("bad.out"));
    {
        QFile f(bad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a results file\r\n");
    }
    const QString two = example("two_objectives.mlp");
    const QStringList refused[] = {
        {two, QStringLiteral("--write"), written, QStringLiteral("--import"), bad},
        {two, QStringLiteral("--write"), written, QStringLiteral("weighted-sum"), QStringLiteral("2,x")},
        {two, QStringLiteral("--write"), written, QStringLiteral("--listing"), QString()},
        {two, QStringLiteral("--write"), QString()},
        {two, QStringLiteral("--export"), QString()},
    };
    for (const QStringList& args : refused) {
        const BatchRun run = runBatch(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(QFile::exists(written)) << args.join(QLatin1Char(' ')).toStdString();
    }
}
