#include "nadir/EaNadir.h"

#include "base/NumberFormat.h"
#include "base/TextFileFormat.h"
#include "lp/LpSolveAdapter.h"
#include "lp/ReducedCosts.h"
#include "lp/ScalarizingPrograms.h"
#include "nadir/NadirFormat.h"
#include "nadir/NadirMessages.h"
#include "nadir/NadirTolerances.h"
#include "problem/RandomGenerator.h"
#include "solutions/Basket.h"
#include "solutions/Computation.h"
#include "solutions/Limitations.h"
#include "solutions/Regions.h"
#include "solutions/Report.h"

#include <QDir>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

constexpr std::size_t at(int i) { return static_cast<std::size_t>(i); }

QString text(const char* s) { return QString::fromUtf8(s); }

constexpr int kReportDigits = 6;
constexpr Real kUnsetFitness = -kInfiniteBound;

QString general(Real x) { return GeneralFormat(x, kReportDigits); }

bool isOff(Real gene) { return gene == kEaOffGene; }

} // namespace

const char* toString(EaEnd end)
{
    switch (end) {
    case EaEnd::Completed: return "Completed";
    case EaEnd::Failed: return "Failed";
    case EaEnd::Cancelled: return "Cancelled";
    case EaEnd::NotStarted: return "NotStarted";
    }
    return "?";
}

// ---------------------------------------------------------------- parameters

EaParameterTexts EaDefaultTexts(int p)
{
    EaParameterTexts t;
    t.popSize = QString::number(6 * p);
    t.mutation = QStringLiteral("0.01");
    t.iterations = QString::number(10 * p);
    t.randomize = true;
    t.seed = QStringLiteral("1234");
    t.trace = false;
    return t;
}

EaParametersResult AcceptEaParameters(const EaParameterTexts& typed, int p)
{
    EaParametersResult result;
    bool sizeOk = false, iterOk = false, seedOk = true;
    const int size = typed.popSize.trimmed().toInt(&sizeOk, 10);
    const int iterations = typed.iterations.trimmed().toInt(&iterOk, 10);
    Real pm = 0;
    const bool pmOk = ParseTypedReal(typed.mutation, pm) && std::isfinite(static_cast<double>(pm));
    qlonglong seed = 0;
    if (!typed.randomize)
        seed = typed.seed.trimmed().toLongLong(&seedOk, 10);
    if (!sizeOk || !iterOk || !pmOk || !seedOk) {
        result.notices.message(MsgKind::Error, text(msg::kEaInvalidNumbers));
        return result;
    }
    EaParameters parameters;
    parameters.popSize = size;
    if (size > kEaMaxPopulation) {
        result.notices.message(MsgKind::Warning, text(msg::kEaMaxPopulation).arg(kEaMaxPopulation));
        parameters.popSize = kEaMaxPopulation;
    }
    if (parameters.popSize < p) {
        result.notices.message(MsgKind::Error, text(msg::kEaPopulationBelowObjectives).arg(p));
        return result;
    }
    parameters.pm = pm;
    // The run makes at least one generation.
    parameters.maxIter = std::max(iterations, 1);
    parameters.randomize = typed.randomize;
    parameters.seed = static_cast<std::uint32_t>(seed);
    parameters.trace = typed.trace;
    result.parameters = parameters;
    result.accepted = true;
    return result;
}

// ---------------------------------------------------------------- operators

std::vector<EaIndividual> EaInitialPopulation(int p, int popSize, RandomGenerator& rng)
{
    std::vector<EaIndividual> population(at(popSize));
    for (int i = 1; i <= p && i <= popSize; ++i) {
        EaLambdas& l = population[at(i - 1)].lambdas;
        for (int j = 1; j <= p; ++j)
            l[at(j)] = kEaOffGene;
        l[at(i)] = 1;
    }
    for (int i = p + 1; i <= popSize; ++i)
        for (int j = 1; j <= p; ++j)
            population[at(i - 1)].lambdas[at(j)] = static_cast<Real>(rng.real()) + kEaOffGene;
    const int g = (popSize - p) / p;
    for (int j = 1; j <= p; ++j)
        for (int i = p + (j - 1) * g + 1; i <= p + j * g; ++i)
            population[at(i - 1)].lambdas[at(j)] = kEaOffGene;
    for (int i = p + p * g + 1; i <= popSize; ++i)
        population[at(i - 1)].lambdas[at(static_cast<int>(rng.integer(static_cast<std::uint64_t>(p))) + 1)] =
            kEaOffGene;
    return population;
}

EaChildren EaMakeChildren(const std::vector<EaIndividual>& population, int p, Real pm, RandomGenerator& rng)
{
    const int size = static_cast<int>(population.size());
    std::vector<EaLambdas> children(at(size));
    std::vector<bool> isNew(at(size), true);
    for (int c = 0; c < size; ++c) {
        const EaIndividual& e = population[rng.integer(static_cast<std::uint64_t>(size))];
        const EaIndividual& g = population[rng.integer(static_cast<std::uint64_t>(size))];
        const Real a = static_cast<Real>(rng.real());
        bool changed = false;
        for (int j = 1; j <= p; ++j) {
            const Real w = a * e.lambdas[at(j)] + (1 - a) * g.lambdas[at(j)];
            const Real r = static_cast<Real>(rng.real());
            Real gene = w;
            if (isOff(g.lambdas[at(j)]))
                gene = a >= r ? w : kEaOffGene;
            else if (isOff(e.lambdas[at(j)]))
                gene = a >= r ? kEaOffGene : w;
            children[at(c)][at(j)] = gene;
            changed = changed || std::fabs(gene - w) > kEaSameGeneTol;
        }
        // A convex combination of two weight vectors with the same solution
        // gives that solution again.
        if (e.indiceSB == g.indiceSB)
            isNew[at(c)] = changed;
    }
    for (int c = 0; c < size; ++c)
        for (int j = 1; j <= p; ++j)
            if (static_cast<Real>(rng.real()) <= pm) {
                children[at(c)][at(j)] = static_cast<Real>(rng.real()) + kEaOffGene;
                isNew[at(c)] = true;
            }
    EaChildren out;
    for (int c = 0; c < size; ++c) {
        if (!isNew[at(c)]) {
            ++out.discardedConvex;
            continue;
        }
        int off = 0;
        for (int j = 1; j <= p; ++j)
            off += isOff(children[at(c)][at(j)]) ? 1 : 0;
        if (off >= p - 1)
            ++out.discardedAllZero;
        else if (off == 0)
            ++out.discardedNoZero;
        else
            out.valid.push_back(children[at(c)]);
    }
    return out;
}

namespace {

Real valueOf(const Workspace& ws, const EaIndividual& individual, int i)
{
    return ws.basket[at(individual.indiceSB)].f[at(i)];
}

// fitness := Count[Componente] * MaxRacio, where Componente is the objective
// in which the solution reaches farthest beyond the nadir estimate
// (normalized by the ideal-nadir range) and MaxRacio that distance.
void assignFitness(const Workspace& ws, std::vector<EaIndividual>& pool)
{
    const int p = ws.numObjectives;
    std::vector<int> component(pool.size(), 0);
    std::vector<Real> maxRatio(pool.size(), -kInfiniteBound);
    std::array<int, MaxObjectives + 1> count{};
    for (std::size_t m = 0; m < pool.size(); ++m) {
        for (int i = 1; i <= p; ++i) {
            const Real range = std::fabs(ws.idealPoint[at(i)] - ws.nadirPoint[at(i)]);
            if (!(range > kEaValueTol))
                continue;
            const Real ratio = (ws.nadirPoint[at(i)] - valueOf(ws, pool[m], i)) * ws.objSense[at(i)] / range;
            if (ratio > maxRatio[m]) {
                maxRatio[m] = ratio;
                component[m] = i;
            }
        }
        ++count[at(component[m])];
    }
    for (std::size_t m = 0; m < pool.size(); ++m)
        // Ideal = nadir in every objective leaves no direction to favour:
        // every individual is as fit as any other.
        pool[m].fitness = component[m] == 0 ? 0 : count[at(component[m])] * maxRatio[m];
}

} // namespace

std::vector<EaIndividual> EaSelect(const Workspace& ws, std::vector<EaIndividual>& pool, int popSize,
                                   RandomGenerator& rng)
{
    const int p = ws.numObjectives;
    std::vector<int> holder(at(p) + 1, 0);
    for (int i = 1; i <= p; ++i) {
        const Real sense = ws.objSense[at(i)];
        Real worst = valueOf(ws, pool[0], i);
        for (std::size_t m = 0; m < pool.size(); ++m) {
            const Real f = valueOf(ws, pool[m], i);
            if ((f - worst) * sense < sense * kEaValueTol) {
                worst = f;
                holder[at(i)] = static_cast<int>(m);
            }
        }
    }
    assignFitness(ws, pool);
    std::vector<EaIndividual> next;
    next.reserve(at(popSize));
    for (int i = 1; i <= p; ++i)
        next.push_back(pool[at(holder[at(i)])]);
    std::vector<int> leaving(holder.begin() + 1, holder.end());
    std::sort(leaving.begin(), leaving.end());
    leaving.erase(std::unique(leaving.begin(), leaving.end()), leaving.end());
    for (auto it = leaving.rbegin(); it != leaving.rend(); ++it)
        pool.erase(pool.begin() + *it);
    while (static_cast<int>(next.size()) < popSize && !pool.empty()) {
        const std::uint64_t size = pool.size();
        const std::size_t m = rng.integer(size);
        const std::size_t o = rng.integer(size);
        const std::size_t chosen = pool[m].fitness < pool[o].fitness ? o : m;
        next.push_back(pool[chosen]);
        pool.erase(pool.begin() + static_cast<std::ptrdiff_t>(chosen));
    }
    return next;
}

// ---------------------------------------------------------------- runs

namespace {

// The program rows are built once; each evaluation changes the objective.
class EaEvaluator {
public:
    EaEvaluator(Workspace& ws, LpEngine& engine, Progress& progress, bool regions, bool warmStart)
        : ws_(ws), engine_(engine), lp_(engine.tables), progress_(progress), regions_(regions), warmStart_(warmStart)
    {
        ClearProgram(lp_);
        AddProblemRows(ws_, lp_, false);
        lp_.refRowCount = 0;
        SetDecisionColumns(ws_, lp_);
    }

    // Solves, stores and moves nadirPoint; false on a failed solve or store
    // (`status` tells which: Optimal for a store that ran out of memory).
    bool evaluate(EaIndividual& individual, SolveStatus& status, bool& improved)
    {
        const int p = ws_.numObjectives;
        for (int j = 1; j <= ws_.numVariables; ++j) {
            Real c = 0;
            for (int i = 1; i <= p; ++i)
                c += individual.lambdas[at(i)] * ws_.objCoef[at(i)][at(j)] * ws_.objSense[at(i)]
                     * ws_.normFactor[at(i)];
            lp_.lpObjective[at(j)] = c;
        }
        status = solve();
        individual.indiceSB = 0;
        individual.fitness = kUnsetFitness;
        if (status != SolveStatus::Optimal)
            return false;
        ++evaluations;
        AssembleSolution(ws_, lp_);
        const StoreResult stored =
            StoreSolution(ws_, true, ws_.currentBasis, ws_.currentF, false, kNoColor, ws_.currentXS);
        progress_.tell(stored.notices);
        if (stored.failed)
            return false;
        individual.indiceSB = stored.index;
        if (regions_ && stored.newBasis) {
            ComputeReducedCosts(ws_, lp_, ws_.currentYAC, ws_.yacColumns);
            const RegionStore region =
                StoreIndifferenceRegion(ws_, ws_.currentYAC.ncolsYAC, ws_.currentYAC.YAC, stored.index, false);
            progress_.tell(region.notices);
            if (region.failed)
                return false;
        }
        for (int i = 1; i <= p; ++i) {
            const Real f = ws_.basket[at(stored.index)].f[at(i)];
            if (ws_.objSense[at(i)] * f < ws_.objSense[at(i)] * ws_.nadirPoint[at(i)]) {
                ws_.nadirPoint[at(i)] = f;
                improved = true;
            }
        }
        return true;
    }

    int evaluations = 0;

private:
    SolveStatus solve()
    {
        // The tableau is needed only for the regions.
        if (warmStart_ && haveBasis_) {
            const SolveStatus warm = SolveFromBasis(lp_, regions_, 1, engine_.evaluator);
            if (warm == SolveStatus::Optimal || warm == SolveStatus::Stopped)
                return warm;
        }
        const SolveStatus cold = SolveScalarizing(lp_, regions_, 1, engine_.evaluator);
        haveBasis_ = cold == SolveStatus::Optimal;
        return cold;
    }

    Workspace& ws_;
    LpEngine& engine_;
    LpTables& lp_;
    Progress& progress_;
    bool regions_;
    bool warmStart_;
    bool haveBasis_ = false;
};

QString pointText(const Workspace& ws, const char* separator)
{
    QStringList values;
    for (int i = 1; i <= ws.numObjectives; ++i)
        values << FixedText(ws.nadirPoint[at(i)]);
    return values.join(QLatin1String(separator));
}

// One run of the algorithm on the workspace; the caller prepares the
// generator and reports.
class EaRun {
public:
    EaRun(Workspace& ws, EaEvaluator& evaluator, const EaParameters& parameters, RandomGenerator& rng,
          StoppableRun& box, QString* trace)
        : ws_(ws), evaluator_(evaluator), par_(parameters), rng_(rng), box_(box), trace_(trace)
    {
    }

    // Fills the counters of `result`; false when the run ended early.
    bool run(EaRunResult& result, int runNumber, int runCount)
    {
        const int p = ws_.numObjectives;
        runNumber_ = runNumber;
        runCount_ = runCount;
        result.generations = 0;
        result.validChildren = result.discardedConvex = result.discardedAllZero = result.discardedNoZero = 0;
        result.lastImproving = 0;
        std::vector<EaIndividual> population = EaInitialPopulation(p, par_.popSize, rng_);
        bool improved = false;
        for (EaIndividual& individual : population)
            if (!evaluate(individual, result, improved))
                return false;
        traceIndividuals("Populacao inicial", population, nullptr);
        for (int generation = 1; generation <= par_.maxIter; ++generation) {
            generation_ = generation;
            result.generations = generation;
            if (!startGeneration(result))
                return false;
            const EaChildren children = EaMakeChildren(population, p, par_.pm, rng_);
            result.validChildren += static_cast<int>(children.valid.size());
            result.discardedConvex += children.discardedConvex;
            result.discardedAllZero += children.discardedAllZero;
            result.discardedNoZero += children.discardedNoZero;
            std::vector<EaIndividual> pool;
            pool.reserve(children.valid.size() + population.size());
            improved = false;
            for (const EaLambdas& lambdas : children.valid) {
                EaIndividual child;
                child.lambdas = lambdas;
                if (!evaluate(child, result, improved))
                    return false;
                pool.push_back(child);
            }
            pool.insert(pool.end(), population.begin(), population.end());
            if (trace_) {
                *trace_ += QStringLiteral("ITERACAO\t%1\n").arg(generation);
                traceIndividuals(QStringLiteral("Populacao Aux (Nfilhos;TamPop)\t%1\t%2")
                                     .arg(children.valid.size())
                                     .arg(population.size()),
                                 pool, &ws_);
            }
            population = EaSelect(ws_, pool, par_.popSize, rng_);
            traceIndividuals("Populacao Actual", population, nullptr);
            if (improved)
                result.lastImproving = generation;
        }
        return true;
    }

private:
    bool evaluate(EaIndividual& individual, EaRunResult& result, bool& improved)
    {
        SolveStatus status = SolveStatus::Optimal;
        const bool done = evaluator_.evaluate(individual, status, improved);
        result.evaluations = evaluator_.evaluations;
        if (!done) {
            result.status = status;
            result.end = box_.cancelled() ? EaEnd::Cancelled : EaEnd::Failed;
            return false;
        }
        if (box_.update(progressText())) {
            result.end = EaEnd::Cancelled;
            return false;
        }
        return true;
    }

    QString progressText() const
    {
        return text(msg::kEaProgress)
            .arg(runNumber_)
            .arg(runCount_)
            .arg(generation_)
            .arg(par_.maxIter)
            .arg(evaluator_.evaluations)
            .arg(pointText(ws_, ", "));
    }

    // Every generation starts with the box showing it; false once Cancel
    // was pressed.
    bool startGeneration(EaRunResult& result)
    {
        // The bar counts the generations done, over every run.
        box_.step((runNumber_ - 1) * par_.maxIter + generation_ - 1, runCount_ * par_.maxIter);
        if (box_.update(progressText(), true)) {
            result.end = EaEnd::Cancelled;
            return false;
        }
        return true;
    }

    void traceIndividuals(const QString& heading, const std::vector<EaIndividual>& individuals,
                          const Workspace* withRatios)
    {
        if (!trace_)
            return;
        const int p = ws_.numObjectives;
        QString& out = *trace_;
        out += heading + QLatin1Char('\n');
        out += QStringLiteral("lambdas (1...k)") + QString(p, QLatin1Char('\t')) + QStringLiteral("indice SB\tfitness");
        out += withRatios ? QStringLiteral("\tMaxRacio\tComponente\n") : QStringLiteral("\n");
        for (const EaIndividual& individual : individuals) {
            for (int j = 1; j <= p; ++j)
                out += general(individual.lambdas[at(j)]) + QLatin1Char('\t');
            out += QStringLiteral("%1\t%2").arg(individual.indiceSB).arg(general(individual.fitness));
            if (withRatios) {
                Real maxRatio = -kInfiniteBound;
                int component = 0;
                for (int i = 1; i <= p; ++i) {
                    const Real range = std::fabs(ws_.idealPoint[at(i)] - ws_.nadirPoint[at(i)]);
                    if (!(range > kEaValueTol))
                        continue;
                    const Real ratio = (ws_.nadirPoint[at(i)] - valueOf(ws_, individual, i)) * ws_.objSense[at(i)]
                                       / range;
                    if (ratio > maxRatio) {
                        maxRatio = ratio;
                        component = i;
                    }
                }
                out += QStringLiteral("\t%1\t%2").arg(general(maxRatio)).arg(component);
            }
            out += QLatin1Char('\n');
        }
    }
    void traceIndividuals(const char* heading, const std::vector<EaIndividual>& individuals, const Workspace* w)
    {
        traceIndividuals(text(heading), individuals, w);
    }

    Workspace& ws_;
    EaEvaluator& evaluator_;
    const EaParameters& par_;
    RandomGenerator& rng_;
    StoppableRun& box_;
    QString* trace_;
    int runNumber_ = 1;
    int runCount_ = 1;
    int generation_ = 0;
};

void seed(RandomGenerator& rng, const EaParameters& parameters, int run)
{
    if (parameters.randomize)
        rng.seedFromClock();
    else
        rng.setSeed(parameters.seed + static_cast<std::uint32_t>(run - 1));
}

Notices discardLimitations(Workspace& ws)
{
    Notices notices;
    if (!ws.limitsActive)
        return notices;
    notices.message(MsgKind::Information, text(msg::kLimitationsDiscarded));
    ClearLimitationValues(ws);
    return notices;
}

void writeTrace(const Workspace& ws, Notices& notices, const EaOptions& options, const QString& trace)
{
    const QString name = QStringLiteral("DEBUG_EA_") + ws.problemName + QStringLiteral(".txt");
    const QString dir = options.traceDirectory.isEmpty() ? QDir::currentPath() : options.traceDirectory;
    QString error;
    QString crlf = trace;
    crlf.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    if (!WriteWholeFile(QDir(dir).filePath(name), ToCp1252(crlf), error))
        notices.message(MsgKind::Error, QStringLiteral("Cannot write %1: %2").arg(name, error));
}

int countWorse(const Workspace& ws, int from, int i, Real start)
{
    int n = 0;
    for (int s = from; s <= ws.basketCount; ++s)
        if (ws.objSense[at(i)] * ws.basket[at(s)].f[at(i)] < ws.objSense[at(i)] * start)
            ++n;
    return n;
}

void reportRun(const Workspace& ws, const EaParameters& par, const EaRunResult& r, int basketBefore,
               ReportDocument& report)
{
    const int p = ws.numObjectives;
    report = ReportDocument();
    report.addLine(QStringLiteral(" Estimated Nadir values "), true, 0);
    for (int i = 1; i <= p; ++i)
        report.addLine(QStringLiteral("F%1:  %2").arg(i).arg(general(ws.nadirPoint[at(i)])), true, 0);
    report.addLine(QStringLiteral(" "), false, 0);
    report.addLine(QStringLiteral("Evolutionary algorithm summary:"), false, 0);
    report.addLine(QStringLiteral("No. of iterations = %1").arg(r.generations), false, 0);
    report.addLine(QStringLiteral("Population size = %1").arg(par.popSize), false, 0);
    report.addLine(QStringLiteral("Prob. of mutation = %1").arg(general(par.pm)), false, 0);
    report.addLine(QStringLiteral(" "), false, 0);
    report.addLine(QStringLiteral("Last iteration that updated nadir point: %1").arg(r.lastImproving), false, 0);
    const int total = r.validChildren + r.discardedConvex + r.discardedAllZero + r.discardedNoZero;
    report.addLine(QStringLiteral("Total children (weights) generated: %1").arg(total), false, 0);
    report.addLine(QStringLiteral("No. valid children generated: %1").arg(r.validChildren), false, 0);
    report.addLine(QStringLiteral("No. of discarded children -> "), false, 0);
    report.addLine(QStringLiteral("  -> by convex combination of parents: %1").arg(r.discardedConvex), false, 0);
    report.addLine(QStringLiteral("  -> all or all-1 genes =0: %1").arg(r.discardedAllZero), false, 0);
    report.addLine(QStringLiteral("  -> all genes <> 0: %1").arg(r.discardedNoZero), false, 0);
    report.addLine(QStringLiteral("No. of new efficient solutions computed: %1").arg(ws.basketCount - basketBefore),
                   false, 0);
    report.addLine(QStringLiteral("Initial approximation of Nadir (before EA):"), false, 0);
    for (int i = 1; i <= p; ++i)
        report.addLine(QStringLiteral("F%1:  %2").arg(i).arg(general(r.startNadir[at(i)])), false, 0);
    report.addLine(QStringLiteral("No. of new solutions below the initial approximation of the Nadir, "), false, 0);
    for (int i = 1; i <= p; ++i)
        report.addLine(QStringLiteral("in F%1:  %2").arg(i).arg(countWorse(ws, basketBefore + 1, i, r.startNadir[at(i)])),
                       false, 0);
    report.addLine(TotalTimeText(QStringLiteral("total time: "), ws.timeElapsed), false, 0);
}

void refreshViews(const Workspace& ws, Notices& notices)
{
    notices.event(UiEvent::BasketValuesChanged);
    notices.event(UiEvent::BasketChartChanged);
    if (ws.weightSpace2 || ws.weightSpace3)
        notices.event(UiEvent::WeightSpaceChanged);
}

// The end of every run: its time, the trace, the views, and for a cancelled
// run the nadir estimate it started from (true then) or for a failed
// evaluation its status message.
bool endRun(Workspace& ws, const EaParameters& parameters, const EaOptions& options, const QString& trace,
            EaRunResult& result)
{
    ws.timeEnd = CurrentTimeInDays();
    ws.timeElapsed = ws.timeEnd - ws.timeStart;
    result.notices.status(1, ElapsedText(ws.timeElapsed));
    if (parameters.trace)
        writeTrace(ws, result.notices, options, trace);
    refreshViews(ws, result.notices);
    if (result.end == EaEnd::Cancelled) {
        ws.nadirPoint = result.startNadir;
        result.notices.message(MsgKind::Information, text(msg::kEaStoppedByUser));
        return true;
    }
    if (result.end == EaEnd::Failed && result.status != SolveStatus::Optimal)
        result.notices.append(SolveStatusNotices(result.status));
    return false;
}

} // namespace

EaRunResult EaEstimateNadir(Workspace& ws, LpEngine& engine, Progress& progress, const EaParameters& parameters,
                            ReportDocument& report, const EaOptions& options)
{
    EaRunResult result;
    if (ws.numObjectives < 1 || ws.numVariables < 1 || ws.basketCount < 1)
        return result;
    progress.tell(discardLimitations(ws));
    const int basketBefore = ws.basketCount;
    result.startNadir = ws.nadirPoint;
    result.runs = 1;
    result.end = EaEnd::Completed;
    ws.timeStart = CurrentTimeInDays();
    RandomGenerator rng;
    seed(rng, parameters, 1);
    QString trace;
    {
        StoppableRun box(progress, engine, text(msg::kEaProgressTitle), QString());
        EaEvaluator evaluator(ws, engine, progress, ws.weightSpace2 || ws.weightSpace3, options.warmStart);
        EaRun run(ws, evaluator, parameters, rng, box, parameters.trace ? &trace : nullptr);
        run.run(result, 1, 1);
    }
    if (endRun(ws, parameters, options, trace, result))
        return result;
    result.notices.message(MsgKind::Information, text(msg::kEaEstimate).arg(pointText(ws, ", ")));
    reportRun(ws, parameters, result, basketBefore, report);
    return result;
}

namespace {

// The highest basket index of the pay-off solutions.
int payoffSolutions(const Workspace& ws)
{
    int last = 0;
    for (int k = 1; k <= ws.numObjectives; ++k)
        last = std::max(last, static_cast<int>(ws.payoff[at(k)].basketIndex));
    return std::min(last, static_cast<int>(ws.basketCount));
}

// The basket and the regions back to the pay-off solutions, each with its
// first basis only.
void cutBack(Workspace& ws, int solutions)
{
    // The first polygon of a chain is that of the first basis; the rest of
    // the chain goes with the other bases when the store is cut.
    for (int s = 1; s <= solutions; ++s) {
        SolSolutionBasket& sol = ws.basket[at(s)];
        if (sol.vbs.size() > 1)
            sol.vbs.resize(1);
        if (sol.indRegIndif > 0)
            ws.regions[at(sol.indRegIndif)].IndiceProx = 0;
    }
    ws.truncate(solutions);
    for (int k = 1; k <= MaxObjectives; ++k)
        if (ws.nadirSource[at(k)] > solutions)
            ws.nadirSource[at(k)] = 0;
}

// The worst value of each objective over the pay-off rows.
void payoffMinima(Workspace& ws)
{
    for (int i = 1; i <= ws.numObjectives; ++i) {
        Real worst = ws.payoff[1].f[at(i)];
        for (int k = 2; k <= ws.numObjectives; ++k)
            if (ws.objSense[at(i)] * ws.payoff[at(k)].f[at(i)] < ws.objSense[at(i)] * worst)
                worst = ws.payoff[at(k)].f[at(i)];
        ws.nadirPoint[at(i)] = worst;
    }
}

QString tabbed(const Workspace& ws, const vectorObj& values)
{
    QString line;
    for (int i = 1; i <= ws.numObjectives; ++i)
        line += general(values[at(i)]) + QLatin1Char('\t');
    return line;
}

QString objectiveHeader(const Workspace& ws)
{
    QString line;
    for (int i = 1; i <= ws.numObjectives; ++i)
        line += QStringLiteral("F%1\t").arg(i);
    return line;
}

void reportIndependentRun(const Workspace& ws, const EaParameters& par, const EaRunResult& r, int run,
                          int basketBefore, double seconds, ReportDocument& report)
{
    const int p = ws.numObjectives;
    report.addLine(QStringLiteral("Estimated Nadir values - RUN %1").arg(run), true, 0);
    report.addLine(tabbed(ws, ws.nadirPoint), false, 0);
    report.addLine(QStringLiteral(" "), false, 0);
    report.addLine(QStringLiteral("Evolutionary algorithm summary:"), false, 0);
    report.addLine(QStringLiteral("No. of iterations =\t%1").arg(r.generations), false, 0);
    report.addLine(QStringLiteral("Population size =\t%1").arg(par.popSize), false, 0);
    report.addLine(QStringLiteral("Prob. of mutation =\t%1").arg(general(par.pm)), false, 0);
    report.addLine(QStringLiteral(" "), false, 0);
    report.addLine(QStringLiteral("Last iteration that updated nadir point:\t%1").arg(r.lastImproving), false, 0);
    report.addLine(QStringLiteral("Children:"), false, 0);
    report.addLine(QStringLiteral("Total\tValid\tConvex\tAll zero\tAll non-zero"), false, 0);
    const int total = r.validChildren + r.discardedConvex + r.discardedAllZero + r.discardedNoZero;
    report.addLine(QStringLiteral("%1\t%2\t%3\t%4\t%5")
                       .arg(total)
                       .arg(r.validChildren)
                       .arg(r.discardedConvex)
                       .arg(r.discardedAllZero)
                       .arg(r.discardedNoZero),
                   false, 0);
    report.addLine(QStringLiteral("No. of new efficient solutions computed:\t%1").arg(ws.basketCount - basketBefore),
                   false, 0);
    report.addLine(QStringLiteral("No. of new solutions below the Payoff minima:"), false, 0);
    for (int i = 1; i <= p; ++i)
        report.addLine(QStringLiteral("in F%1:\t%2").arg(i).arg(countWorse(ws, basketBefore + 1, i, r.startNadir[at(i)])),
                       false, 0);
    report.addLine(QStringLiteral("Time (sec):\t%1").arg(QString::number(seconds, 'f', 3)), false, 0);
}

} // namespace

int EaRunsDiscardCount(const Workspace& ws)
{
    if (ws.numObjectives < 1 || ws.numVariables < 1 || ws.basketCount < 1)
        return 0;
    const int kept = payoffSolutions(ws);
    return kept < 1 ? 0 : ws.basketCount - kept;
}

EaRunResult EaMultipleRuns(Workspace& ws, LpEngine& engine, Progress& progress, const EaParameters& parameters,
                           int runs, ReportDocument& report, const EaOptions& options)
{
    EaRunResult result;
    if (ws.numObjectives < 1 || ws.numVariables < 1 || ws.basketCount < 1 || runs < 1)
        return result;
    const int kept = payoffSolutions(ws);
    if (kept < 1)
        return result;
    progress.tell(discardLimitations(ws));
    report = ReportDocument();
    result.end = EaEnd::Completed;
    ws.timeStart = CurrentTimeInDays();
    RandomGenerator rng;
    QString trace;
    {
        StoppableRun box(progress, engine, text(msg::kEaProgressTitle), QString());
        EaEvaluator evaluator(ws, engine, progress, false, options.warmStart);
        for (int r = 1; r <= runs && result.end == EaEnd::Completed; ++r) {
            cutBack(ws, kept);
            payoffMinima(ws);
            if (r == 1) {
                report.addLine(QStringLiteral("Ideal Point:"), true, 0);
                report.addLine(objectiveHeader(ws), false, 0);
                report.addLine(tabbed(ws, ws.idealPoint), false, 0);
                report.addLine(QStringLiteral("Payoff minima (=approx. of Nadir before any Run):"), true, 0);
                report.addLine(tabbed(ws, ws.nadirPoint), false, 0);
            }
            result.startNadir = ws.nadirPoint;
            result.runs = r;
            seed(rng, parameters, r);
            const double started = CurrentTimeInDays();
            EaRun run(ws, evaluator, parameters, rng, box, parameters.trace ? &trace : nullptr);
            if (!run.run(result, r, runs))
                break;
            const double seconds = (CurrentTimeInDays() - started) * 86400.0;
            reportIndependentRun(ws, parameters, result, r, kept, seconds, report);
        }
    }
    endRun(ws, parameters, options, trace, result);
    return result;
}

Notices WorstFeasibleValues(Workspace& ws, LpEngine& engine, ReportDocument& report)
{
    const int p = ws.numObjectives;
    Notices notices = discardLimitations(ws);
    LpTables& lp = engine.tables;
    ClearProgram(lp);
    AddProblemRows(ws, lp, false);
    lp.refRowCount = 0;
    SetDecisionColumns(ws, lp);
    QString values;
    for (int i = 1; i <= p; ++i) {
        for (int j = 1; j <= ws.numVariables; ++j)
            lp.lpObjective[at(j)] = ws.objSense[at(i)] * ws.objCoef[at(i)][at(j)] * ws.normFactor[at(i)];
        if (SolveScalarizing(lp, false, -1, engine.evaluator) != SolveStatus::Optimal) {
            values += text(msg::kUnbound) + QLatin1Char('\t');
            continue;
        }
        AssembleSolution(ws, lp);
        values += general(ws.currentF[at(i)]) + QLatin1Char('\t');
    }
    report = ReportDocument();
    report.addLine(text(msg::kWorstFeasibleHeading), true, 0);
    report.addLine(objectiveHeader(ws), false, 0);
    report.addLine(values, false, 0);
    return notices;
}
