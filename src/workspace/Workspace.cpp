#include "workspace/Workspace.h"

#include <QFileInfo>

Workspace::Workspace() = default;
Workspace::~Workspace() = default;

QString DefaultObjectiveName(int k) { return QStringLiteral("F%1").arg(k); }
QString DefaultVariableName(int j) { return QStringLiteral("X%1").arg(j); }

QString SlackNameFor(std::uint8_t conType, int row)
{
    switch (conType) {
    case ConEqual: return QStringLiteral("t%1").arg(row);
    case ConGreaterEqual: return QStringLiteral("S%1").arg(row);
    default: return QStringLiteral("s%1").arg(row);
    }
}

void RebuildSlackNames(ProblemData& problem)
{
    for (int i = 1; i <= problem.numConstraints && i <= MaxConstraints; ++i)
        problem.slackName[i] = SlackNameFor(problem.conType[i], i);
}

QString ProblemNameOf(const QString& fileName)
{
    QString name = QFileInfo(fileName).fileName();
    // Drop the extension (".mlp", ".mps"), but keep dots inside the name:
    // "case.a.mlp" is the problem "case.a".
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0 && name.size() - dot <= 4)
        name.truncate(dot);
    return name;
}

void ResetProblem(Workspace& ws)
{
    ws.fileName = QStringLiteral("Untitled");
    ResetProblemData(ws);
}

void ResetProblemData(ProblemData& ws)
{
    for (auto& row : ws.conCoef)
        row.fill(0);
    for (auto& row : ws.objCoef)
        row.fill(0);
    ws.conRhs.fill(0);
    ws.conType.fill(ConLessEqual);
    ws.objSense.fill(1);
    for (int j = 1; j <= MaxVariables; ++j)
        ws.vars[j] = VariableDef{0, kInfiniteBound, DefaultVariableName(j)};
}

void InitWorkspace(Workspace& ws)
{
    ResetProblem(ws);
    InitPalettes(ws.basketPalette, ws.raceColors);
    ws.viewLastN = 1;
    ClearHistory(ws);
    ws.normFactor.fill(1);
    ws.basket.assign(1, SolSolutionBasket{});
    ws.regions.assign(1, UmaOuMaisRegioes{});
    ws.edges.assign(1, UmaAresta{});
}

void ClearSolutionStore(Workspace& ws)
{
    // Keep the placeholder element 0 of each list.
    ws.basket.assign(1, SolSolutionBasket{});
    ws.basket.shrink_to_fit();
    ws.regions.assign(1, UmaOuMaisRegioes{});
    ws.regions.shrink_to_fit();
    ws.edges.assign(1, UmaAresta{});
    ws.edges.shrink_to_fit();
    ws.basketCount = 0;
    ws.regionCount = 0;
    ws.edgeCount = 0;
    ws.alternativeBases.clear();
    ws.alternativeCount = 0;
    ws.alternatives.clear();
    ws.visitedBases = 0;
    ws.bestEdgeStep = 0;
    ws.bestEdgeAlternative = -1;
}

void ClearLimitationValues(Workspace& ws)
{
    for (int k = 1; k <= ws.numObjectives && k <= MaxObjectives; ++k) {
        ws.limitOn[k] = false;
        ws.limitValue[k] = 0;
    }
    ws.limitsActive = false;
}

void ClearHistory(Workspace& ws)
{
    ws.history.clear();
    ws.history.shrink_to_fit();
    ws.historyCount = 0;
}

void ResetComputedState(Workspace& ws)
{
    ws.problemName = ProblemNameOf(ws.fileName);
    RebuildSlackNames(ws);
    for (int k = 1; k <= MaxObjectives; ++k) {
        ws.payoff[k].f.fill(kNotComputed);
        ws.payoff[k].f[0] = 0;
        ws.payoff[k].basketIndex = 0;
        ws.currentF[k] = kNotComputed;
        ws.nadirSource[k] = 0;
    }
    ws.payoffComputed = false;
    ws.currentLpColumns = 0;
    ws.currentRefRows = 0;
    ws.lastColor = kNoColor;
    ws.paletteIndex = 0;
    ws.basketCount = ws.regionCount = ws.edgeCount = 0;
    ws.guardaTodasSols = false;
    ClearHistory(ws);
    ClearSolutionStore(ws);
    const int p = ws.numObjectives;
    for (int k = 1; k <= p && k <= MaxObjectives; ++k) {
        ws.AxisLow[k] = kNotComputed;
        ws.AxisHigh[k] = kNotComputed;
        ws.pickedWeights[k] = kNotComputed;
    }
    ws.UserAxisBounds = false;
    ws.ValuesSortKey = 0;
    ws.ValuesSortAscending = true;
    ws.GraphSortKey = 0;
    ws.GraphSortAscending = true;
    ClearLimitationValues(ws);
    ws.weightSpace3 = (p == 3);
    ws.weightSpace2 = (p == 2);
    ws.activeMethod = MethodNone;
    ws.raceObjective = 0;
    ws.icwCount = 0;
    ws.icwSolutions.clear();
    ws.icwRegions.clear();
    ws.contractedSpace.Numvertices = 0;
}
