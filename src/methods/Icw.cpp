#include "methods/Icw.h"

#include "base/NumberFormat.h"
#include "lp/LpSolveAdapter.h"
#include "lp/ReducedCosts.h"
#include "lp/ScalarizingPrograms.h"
#include "methods/Messages.h"
#include "solutions/Basket.h"
#include "solutions/Computation.h"
#include "solutions/Regions.h"

#include <cmath>

namespace {

QString text(const char* s) { return QString::fromUtf8(s); }

// The objectives are listed by name, cut as the main report cuts them.
constexpr int kIcwNameWidth = 10;

// Every weight vector gives each objective at least this much.
constexpr Real kSmallestWeight = 0.0001L;

bool hasWeightSpace(const Workspace& ws) { return ws.numObjectives == 2 || ws.numObjectives == 3; }

QString weightsText(const vectorObj& w, int p)
{
    QStringList parts;
    for (int k = 1; k <= p; ++k)
        parts << NumText(w[k]);
    return QStringLiteral("(") + parts.join(QStringLiteral(", ")) + QStringLiteral(") ");
}

void startLists(Workspace& ws)
{
    ws.resetIcwVectors(2 * ws.numObjectives + 1);
}

// The 2p + 1 computations of an iteration with the main window's progress
// bar; `compute` solves vector a.
template <typename Compute>
IcwIterationResult computeVectors(Workspace& ws, Progress& progress, Compute compute)
{
    IcwIterationResult result;
    const int count = ws.icwCount;
    progress.step(0, count);
    for (int a = 1; a <= count; ++a) {
        const ComputeResult computed = compute(a);
        progress.tell(computed.notices);
        const SolveStatus status = computed.status;
        if (status != SolveStatus::Optimal) {
            if (result.failed++ == 0)
                result.firstFailure = status;
            if (status == SolveStatus::Stopped) {
                result.stopped = true;
                break;
            }
        }
        progress.step(a, count);
    }
    progress.done();
    return result;
}

} // namespace

Real IcwContractionRate(int p)
{
    return 1 - std::pow(static_cast<Real>(p), -1 / static_cast<Real>(p - 1));
}

void InitIcwWeights(Workspace& ws)
{
    const int p = ws.numObjectives;
    const Real pr = p;
    for (int v = 1; v <= 2 * p + 1; ++v)
        for (int k = 1; k <= p; ++k)
            ws.icwWeights[v][k] = kSmallestWeight;
    for (int i = 1; i <= p; ++i) {
        ws.icwWeights[i][i] = 1 - pr * kSmallestWeight;
        for (int k = 1; k <= p; ++k)
            ws.icwWeights[p + i][k] = k == i ? 1 / (pr * pr) : (pr + 1) / (pr * pr);
    }
    for (int k = 1; k <= p; ++k)
        ws.icwWeights[2 * p + 1][k] = 1 / pr;
}

void InitContractionMatrices(Workspace& ws)
{
    const int p = ws.numObjectives;
    const Real pr = p;
    const Real e = IcwContractionRate(p);
    ws.contractionRate = e;
    ws.icwMatrices.assign(static_cast<std::size_t>(2 * p + 2), ObjectiveMatrix{});
    for (int i = 1; i <= p; ++i) {
        ObjectiveMatrix& m = ws.icwMatrices[static_cast<std::size_t>(i)];
        m[i][i] = 1;
        for (int j = 1; j <= p; ++j)
            if (j != i) {
                m[j][j] = 1 - e;
                m[j][i] = e;
            }
    }
    for (int c = 1; c <= p; ++c) {
        ObjectiveMatrix& m = ws.icwMatrices[static_cast<std::size_t>(p + c)];
        m[c][c] = 1 - e;
        for (int j = 1; j <= p; ++j) {
            if (j != c)
                m[j][j] = 1 - e * (pr - 2) / (pr - 1);
            for (int k = 1; k <= p; ++k)
                if (j != k && k != c)
                    m[j][k] = e / (pr - 1);
        }
    }
    ObjectiveMatrix& centre = ws.icwMatrices[static_cast<std::size_t>(2 * p + 1)];
    for (int j = 1; j <= p; ++j)
        for (int k = 1; k <= p; ++k)
            centre[j][k] = j == k ? 1 - e * (pr - 1) / pr : e / pr;
}

void SetConeObjectives(Workspace& ws)
{
    const int p = ws.numObjectives;
    for (int k = 1; k <= p; ++k)
        for (int d = 1; d <= ws.numVariables; ++d) {
            Real sum = 0;
            for (int i = 1; i <= p; ++i)
                sum += ws.coneGenerators[k][i] * ws.objSense[i] * ws.objCoef[i][d] * ws.normFactor[i];
            ws.coneObjectives[k][d] = sum;
        }
}

void ContractCone(Workspace& ws, int s)
{
    const int p = ws.numObjectives;
    const ObjectiveMatrix& m = ws.icwMatrices[static_cast<std::size_t>(s)];
    ObjectiveMatrix g{};
    for (int j = 1; j <= p; ++j)
        for (int c = 1; c <= p; ++c) {
            Real sum = 0;
            for (int i = 1; i <= p; ++i)
                sum += m[j][i] * ws.coneGenerators[i][c];
            g[j][c] = sum;
        }
    ws.coneGenerators = g;
    SetConeObjectives(ws);
}

void SetContractedSpace(Workspace& ws)
{
    const int p = ws.numObjectives;
    ws.contractedSpace = UmaRegIndif{};
    ws.contractedSpace.Numvertices = p;
    for (int j = 1; j <= p && j <= MaxVertices; ++j)
        ws.contractedSpace.vertices[j] = XY{ws.coneGenerators[j][1], ws.coneGenerators[j][2]};
}

IcwIterationResult IcwFirstIteration(Workspace& ws, LpEngine& engine, Progress& progress)
{
    const int p = ws.numObjectives;
    InitIcwWeights(ws);
    InitContractionMatrices(ws);
    ws.coneGenerators = ObjectiveMatrix{};
    for (int k = 1; k <= p; ++k)
        ws.coneGenerators[k][k] = 1;
    SetConeObjectives(ws);
    ws.contractedSpace.Numvertices = 0;
    startLists(ws);
    const IcwIterationResult result = computeVectors(ws, progress, [&](int a) {
        ws.sumWeights = ws.icwWeights[a];
        ComputeResult computed = ComputeFromWeights(ws, engine, false);
        // A vector that stored nothing keeps its previous solution.
        if (computed.basketIndex != 0)
            ws.icwSolutions[static_cast<std::size_t>(a)] = computed.basketIndex;
        return computed;
    });
    ws.methodIteration = 1;
    return result;
}

IcwIterationResult IcwNewIteration(Workspace& ws, LpEngine& engine, Progress& progress, int s)
{
    ContractCone(ws, s);
    ++ws.methodIteration;
    // A contracted VMA may have grown the lists; an iteration has 2p + 1.
    const std::vector<std::int32_t> previous = ws.icwSolutions;
    startLists(ws);
    for (int a = 1; a <= ws.icwCount && a < static_cast<int>(previous.size()); ++a)
        ws.icwSolutions[static_cast<std::size_t>(a)] = previous[static_cast<std::size_t>(a)];
    const IcwIterationResult result =
        computeVectors(ws, progress, [&](int a) { return ComputeIcwSolution(ws, engine, a); });
    if (hasWeightSpace(ws))
        SetContractedSpace(ws);
    return result;
}

ComputeResult ComputeIcwSolution(Workspace& ws, LpEngine& engine, int a)
{
    ComputeResult result;
    result.notices.status(0, QString());
    LpTables& lp = engine.tables;
    BuildConeWeightedSumProgram(ws, ws.icwWeights[a], lp);
    result.status = SolveScalarizing(lp, true, 1, engine.evaluator);
    if (result.status != SolveStatus::Optimal)
        return result;
    AssembleSolution(ws, lp);
    AddHistoryRecord(ws, ws.currentBasis, ws.currentF, ws.currentXS);
    const bool withBasis = !ws.limitsActive;
    const StoreResult stored =
        StoreSolution(ws, withBasis, ws.currentBasis, ws.currentF, false, kNoColor, ws.currentXS);
    result.notices.append(stored.notices);
    if (!stored.failed) {
        result.basketIndex = stored.index;
        ws.icwSolutions[static_cast<std::size_t>(a)] = stored.index;
        ws.history.front().cor = ws.basket[stored.index].cor;
        ws.history.front().basketIndex = stored.index;
        if (hasWeightSpace(ws)) {
            if (withBasis && stored.newBasis) {
                ComputeReducedCosts(ws, lp, ws.currentYAC, ws.yacColumns);
                result.notices.append(
                    StoreIndifferenceRegion(ws, ws.currentYAC.ncolsYAC, ws.currentYAC.YAC, stored.index, false)
                        .notices);
            }
            ConeReducedCosts(ws, ws.coneObjectives, lp, ws.currentYAC, ws.yacColumns);
            ws.icwRegions[static_cast<std::size_t>(a)] =
                ComputeRegionPolygon(ws.numObjectives, ws.currentYAC.ncolsYAC, ws.currentYAC.YAC);
        }
    }
    for (int k = 1; k <= ws.numObjectives; ++k)
        ws.pickedWeights[k] = kNotComputed;
    return result;
}

IcwSelection IcwSelectionTexts(const Workspace& ws)
{
    IcwSelection out;
    const int count = ws.icwCount;
    const auto solution = [&ws](int i) { return ws.icwSolutions[static_cast<std::size_t>(i)]; };
    out.marked.assign(static_cast<std::size_t>(count), false);
    bool any = false;
    for (int i = 1; i < count; ++i) {
        if (out.marked[static_cast<std::size_t>(i - 1)])
            continue;
        for (int j = i + 1; j <= count; ++j)
            if (solution(j) == solution(i)) {
                out.marked[static_cast<std::size_t>(i - 1)] = true;
                out.marked[static_cast<std::size_t>(j - 1)] = true;
                any = true;
            }
    }
    out.heading = text(any ? msg::kIcwHeadingMarked : msg::kIcwHeading);
    for (int i = 1; i <= count; ++i) {
        QString choice = solution(i) >= 1 ? QStringLiteral("Solution %1").arg(solution(i)) : text(msg::kIcwNoSolution);
        if (out.marked[static_cast<std::size_t>(i - 1)])
            choice += QStringLiteral(" [W%1]").arg(i);
        out.choices << choice;
        out.statusTexts << QStringLiteral("W%1 = ").arg(i) + weightsText(ws.icwWeights[i], ws.numObjectives);
    }
    return out;
}

ReportDocument WriteIcwReport(const Workspace& ws, int iteration)
{
    ReportDocument doc;
    const int p = ws.numObjectives;
    const int n = ws.numVariables;
    const int m = ws.numConstraints;
    bool bold = true;
    Color colour = 0;
    const auto add = [&](const QString& line) { doc.addLine(line, bold, colour); };
    add(QStringLiteral("Solutions computed in the Iteration (%1) of ICW:").arg(iteration));
    bold = false;
    const QString cone = text(iteration == 1 ? msg::kIcwOriginalCone : msg::kIcwContractedCone);
    for (int i = 1; i <= ws.icwCount; ++i) {
        const int b = ws.icwSolutions[static_cast<std::size_t>(i)];
        add(QStringLiteral(" "));
        bold = true;
        const QString weights = QStringLiteral("Weights W%1 = ").arg(i) + weightsText(ws.icwWeights[i], p) + cone;
        if (b < 1 || b > ws.basketCount) {
            colour = 0;
            add(text(msg::kIcwNoSolution));
            add(weights);
            continue;
        }
        const SolSolutionBasket& s = ws.basket[static_cast<std::size_t>(b)];
        colour = s.cor;
        add(QStringLiteral("Solution %1").arg(b));
        add(weights);
        add(QStringLiteral("Objective functions:"));
        for (int k = 1; k <= p; ++k)
            add(QStringLiteral(" ") + ws.objName[k].left(kIcwNameWidth) + QStringLiteral("= ") + NumText(s.f[k]));
        add(QStringLiteral("Non-zero decision variables & slacks of the MOLP problem:"));
        for (int j = 1; j <= n; ++j)
            if (s.x_s[j] != 0)
                add(QStringLiteral(" ") + ws.vars[j].name + QStringLiteral(" = ") + NumText(s.x_s[j]));
        for (int c = 1; c <= m; ++c)
            if (s.x_s[n + c] != 0)
                add(QStringLiteral(" ") + ws.slackName[c] + QStringLiteral(" = ") + NumText(s.x_s[n + c]));
    }
    return doc;
}

void IcwExit(Workspace& ws)
{
    ws.resetIcwVectors(0);
    ws.contractedSpace.Numvertices = 0;
}
