#include "methods/ParetoRace.h"

#include "lp/LpSolveAdapter.h"
#include "lp/LpTolerances.h"
#include "lp/ScalarizingPrograms.h"
#include "methods/Messages.h"
#include "methods/MethodTolerances.h"
#include "solutions/Basket.h"
#include "solutions/Computation.h"
#include "solutions/Limitations.h"
#include "solutions/Report.h"
#include "base/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

QString text(const char* s) { return QString::fromUtf8(s); }

// Ten times the reference-point computation's augmentation.
constexpr Real kRaceAugmentation = 0.0001L;
// The reference point passes the end of a segment by this much of RaceT, so
// that the solve from the current basis finds the next basis.
constexpr Real kBasisChangePush = 0.0001L;
// Of RaceDir added to the current solution when the direction changes.
constexpr Real kDirectionPush = 0.0001L;
constexpr Real kSlowestStep = 0.001L;
constexpr Real kNoLimit = kInfiniteBound;

} // namespace

Real RaceStepForSpeed(int position)
{
    return kSlowestStep * std::pow(5.0L, static_cast<Real>(ParetoRace::kSlowest - position));
}

ParetoRace::ParetoRace() : lp_(std::make_unique<LpTables>()), scratch_(std::make_unique<LpTables>()) {}

ParetoRace::~ParetoRace() = default;

RaceRangesResult ParetoRace::AcceptRanges(const Workspace& ws, const RaceRangeTexts& typed)
{
    RaceRangesResult result;
    bool ok = true;
    for (int i = 1; i <= ws.numObjectives; ++i) {
        Real lo = 0, up = 0;
        if (i > typed.lower.size() || i > typed.upper.size() || !ParseTypedReal(typed.lower[i - 1], lo)
            || !ParseTypedReal(typed.upper[i - 1], up)) {
            ok = false;
            continue;
        }
        result.low[i] = lo;
        result.high[i] = up;
        if (up - lo <= 0) {
            result.notices.message(MsgKind::Warning, text(msg::kRangesOrder));
            ok = false;
        }
    }
    result.accepted = ok;
    return result;
}

void ParetoRace::buildProgram(const Workspace& ws, LpTables& lp) const
{
    ClearProgram(lp);
    const int n = ws.numVariables;
    for (int i = 1; i <= ws.numObjectives; ++i) {
        LpRow& row = lp.lpRows[++lp.lpRowCount];
        const Real scale = ws.objSense[i] * ws.normFactor[i];
        for (int j = 1; j <= n; ++j)
            row.coef[j] = scale * ws.objCoef[i][j];
        row.coef[n + 1] = RaceProj[i];
        row.coef[n + 2] = -RaceProj[i];
        row.type = kRowGreaterEqual;
        row.rhs = scale * ws.refPoint[i];
    }
    lp.refRowCount = ws.numObjectives;
    AddProblemRows(ws, lp, true);
    SetDecisionColumns(ws, lp);
    lp.lpBounds[n + 1] = LpBound{};
    lp.lpBounds[n + 2] = LpBound{};
    lp.lpColumnCount = n + 2;
}

ParetoRace::Outcome ParetoRace::project(Workspace& ws, LpEngine& engine)
{
    Outcome out;
    out.notices.status(0, QString());
    ws.timeStart = CurrentTimeInDays();
    LpTables& lp = *scratch_;
    buildProgram(ws, lp);
    const int n = ws.numVariables;
    // Stage 1: alpha alone, a basis the augmented solve starts from.
    lp.lpObjective[n + 1] = 1;
    lp.lpObjective[n + 2] = -1;
    out.status = SolveScalarizing(lp, false, -1, engine.evaluator);
    if (out.status != SolveStatus::Optimal)
        return out;
    for (int j = 1; j <= n; ++j) {
        Real sum = 0;
        for (int i = 1; i <= ws.numObjectives; ++i)
            sum += kRaceAugmentation * ws.objCoef[i][j] * ws.objSense[i] * ws.normFactor[i];
        lp.lpObjective[j] = -sum;
    }
    out.status = SolveFromBasis(lp, true, -1, engine.evaluator);
    if (out.status != SolveStatus::Optimal)
        return out;
    std::swap(lp_, scratch_);
    ws.timeEnd = CurrentTimeInDays();
    ws.timeElapsed = ws.timeEnd - ws.timeStart;
    for (int i = 1; i <= ws.numObjectives; ++i)
        ws.tchebWeights[i] = RaceProj[i] != 0 ? 1 / RaceProj[i] : kInfiniteBound;
    out.notices.append(complete(ws, ws.timeElapsed));
    return out;
}

Notices ParetoRace::complete(Workspace& ws, double elapsed)
{
    Notices notices = TakeReferencePointSolution(ws, *lp_);
    notices.status(1, ElapsedText(elapsed));
    widenRanges(ws);
    return notices;
}

void ParetoRace::widenRanges(const Workspace& ws)
{
    for (int i = 1; i <= ws.numObjectives; ++i) {
        if (ws.currentF[i] < RaceLow[i])
            RaceLow[i] = ws.currentF[i];
        else if (ws.currentF[i] > RaceHigh[i])
            RaceHigh[i] = ws.currentF[i];
    }
}

void ParetoRace::computeStepRange(const Workspace& ws)
{
    const LpTables& lp = *lp_;
    const int k = ws.numObjectives;
    const int rows = lp.lpRowCount;
    for (int r = 1; r <= rows; ++r)
        RaceSens[r].fill(0);
    for (int j = 1; j <= k; ++j) {
        const int v = lp.lpColumnCount + j; // surplus of race row j
        bool nonbasic = false;
        for (int p = 1; p <= lp.tabCols - 1; ++p) {
            if (lp.nonbasicList[p] == v) {
                for (int r = 1; r <= rows; ++r)
                    RaceSens[r][j] = -lp.tableau[r][p];
                nonbasic = true;
                break;
            }
        }
        if (nonbasic)
            continue;
        for (int c = 1; c <= lp.tabRows - 1; ++c) {
            if (lp.basicList[c] == v) {
                RaceSens[c][j] = -1;
                break;
            }
        }
    }
    for (int r = 1; r <= rows; ++r) {
        Real d = 0;
        for (int j = 1; j <= k; ++j)
            d += RaceSens[r][j] * RaceDir[j] * ws.objSense[j] * ws.normFactor[j];
        RaceRate[r] = std::fabs(d) < kRateZeroTol ? 0 : d;
    }
    computeSegmentEnds(ws);
}

void ParetoRace::computeSegmentEnds(const Workspace& ws)
{
    const LpTables& lp = *lp_;
    RaceTMin = -kNoLimit;
    RaceTMax = kNoLimit;
    for (int r = 1; r <= lp.lpRowCount; ++r) {
        const Real d = RaceRate[r];
        if (d == 0)
            continue;
        const int a = lp.basicList[r];
        Real lo = 0, up = kNoLimit;
        if (a <= ws.numVariables) {
            lo = lp.lpBounds[a].lo;
            up = lp.lpBounds[a].up;
        } else if (const int row = lp.slackRow(a); row > 0 && lp.lpRows[row].type == kRowEqual) {
            up = 0; // the slack of an equality row cannot move
        }
        const Real value = lp.basicValues[r];
        const bool hasLo = isFinite(lo), hasUp = isFinite(up);
        const Real lower = d > 0 ? (hasLo ? (lo - value) / d : -kNoLimit) : (hasUp ? (up - value) / d : -kNoLimit);
        const Real upper = d > 0 ? (hasUp ? (up - value) / d : kNoLimit) : (hasLo ? (lo - value) / d : kNoLimit);
        RaceTMax = std::min(RaceTMax, upper);
        RaceTMin = std::max(RaceTMin, lower);
    }
    // A basic value a rounding off its bound must not put the current point
    // outside its own segment.
    RaceTMax = std::max(RaceTMax, Real(0));
    RaceTMin = std::min(RaceTMin, Real(0));
}

void ParetoRace::newSegment(Workspace& ws)
{
    computeStepRange(ws);
    RaceT = 0;
    RaceQ0 = ws.refPoint;
    const LpTables& lp = *lp_;
    std::copy(lp.basicValues.begin(), lp.basicValues.begin() + lp.lpRowCount + 1, segmentBase_.begin());
}

ParetoRace::Outcome ParetoRace::start(Workspace& ws, LpEngine& engine, const vectorObj& low, const vectorObj& high)
{
    const int k = ws.numObjectives;
    RaceLow = low;
    RaceHigh = high;
    RaceDirNorm = 0;
    for (int i = 1; i <= k; ++i) {
        RaceDir[i] = (RaceHigh[i] - RaceLow[i]) * ws.objSense[i];
        RaceProj[i] = RaceHigh[i] - RaceLow[i];
        RaceDirNorm += std::fabs(RaceDir[i]);
    }
    for (int i = 1; i <= k; ++i)
        RaceProj[i] /= RaceDirNorm;
    Outcome out = project(ws, engine);
    if (out.status != SolveStatus::Optimal)
        return out;
    newSegment(ws);
    RaceStep = kSlowestStep;
    speedPosition_ = kSlowest;
    return out;
}

void ParetoRace::moveTo(Workspace& ws, Real t)
{
    LpTables& lp = *lp_;
    for (int r = 1; r <= lp.lpRowCount; ++r)
        lp.basicValues[r] = segmentBase_[r] + t * RaceRate[r];
    for (int i = 1; i <= ws.numObjectives; ++i)
        ws.refPoint[i] = RaceQ0[i] + t * RaceDir[i];
    RaceT = t;
}

ParetoRace::Outcome ParetoRace::go(Workspace& ws, LpEngine& engine)
{
    Outcome out;
    // Nothing limits the motion this way: the projection no longer moves.
    if ((RaceStep > 0 && RaceTMax >= kNoLimit) || (RaceStep < 0 && RaceTMin <= -kNoLimit) ||
        (RaceT == RaceTMin && RaceStep < 0)) {
        out.step = Step::NeedDirection;
        return out;
    }
    if (RaceT == RaceTMax && RaceStep > 0) {
        LpTables& lp = *lp_;
        for (int i = 1; i <= ws.numObjectives; ++i) {
            ws.refPoint[i] = RaceQ0[i] + (RaceT + kBasisChangePush) * RaceDir[i];
            lp.lpRows[i].rhs = ws.objSense[i] * ws.refPoint[i] * ws.normFactor[i];
        }
        ws.timeStart = CurrentTimeInDays();
        out.status = SolveFromBasis(lp, true, -1, engine.evaluator);
        if (out.status != SolveStatus::Optimal) {
            out.step = Step::Failed;
            return out;
        }
        ws.timeEnd = CurrentTimeInDays();
        ws.timeElapsed = ws.timeEnd - ws.timeStart;
        out.notices = complete(ws, ws.timeElapsed);
        newSegment(ws);
        out.step = Step::BasisChanged;
        return out;
    }
    const Real t = std::clamp(RaceT + RaceStep, RaceTMin, RaceTMax);
    moveTo(ws, t);
    out.notices = complete(ws, -1);
    out.step = Step::Moved;
    return out;
}

ParetoRace::Outcome ParetoRace::changeDirection(Workspace& ws, LpEngine& engine, int c)
{
    const int k = ws.numObjectives;
    ws.raceObjective = c;
    RaceDir[c] += 0.5L * (RaceHigh[c] - RaceLow[c]) * ws.objSense[c];
    Real sum = 0;
    for (int i = 1; i <= k; ++i)
        sum += std::fabs(RaceDir[i]);
    for (int i = 1; i <= k; ++i)
        RaceDir[i] = RaceDir[i] * RaceDirNorm / sum;
    RaceProj[c] /= 1.5L;
    Real projSum = 0;
    for (int i = 1; i <= k; ++i)
        projSum += RaceProj[i];
    for (int i = 1; i <= k; ++i)
        RaceProj[i] /= projSum;
    for (int i = 1; i <= k; ++i)
        ws.refPoint[i] = ws.currentF[i] + kDirectionPush * RaceDir[i];
    Outcome out = project(ws, engine);
    if (out.status != SolveStatus::Optimal)
        return out;
    newSegment(ws);
    if (RaceStep < 0)
        RaceStep = -RaceStep;
    return out;
}

ParetoRace::Outcome ParetoRace::reproject(Workspace& ws, LpEngine& engine)
{
    const vectorObj before = ws.refPoint;
    Outcome out = project(ws, engine);
    if (out.status != SolveStatus::Optimal) {
        ws.refPoint = before;
        return out;
    }
    newSegment(ws);
    return out;
}

void ParetoRace::reverse()
{
    RaceStep = RaceStep > 0 ? -kSlowestStep : kSlowestStep;
    speedPosition_ = kSlowest;
}

void ParetoRace::setSpeed(int position)
{
    speedPosition_ = std::clamp(position, kFastest, kSlowest);
    const Real sign = RaceStep > 0 ? 1 : -1;
    RaceStep = sign * RaceStepForSpeed(speedPosition_);
}
