#pragma once

#include "base/Notices.h"
#include "base/Numeric.h"
#include "lp/LpEngine.h"
#include "workspace/Workspace.h"

#include <QStringList>

#include <array>
#include <memory>


// The typed cells of the Pareto Race ranges dialog, one per objective.
struct RaceRangeTexts {
    QStringList lower;
    QStringList upper;
};

// The ranges dialog's texts as values: `low` and `high` for each objective
// when accepted.
struct RaceRangesResult {
    bool accepted = false;
    vectorObj low{};
    vectorObj high{};
    Notices notices;
};

// Pareto Race: a reference point q = RaceQ0 + RaceT * RaceDir travels in
// objective space and is projected onto the efficient set by the race
// program
//   min alpha+ - alpha- - 0.0001 sum_i objSense_i normFactor_i f_i(x)
//   objSense_i normFactor_i (f_i(x) - q_i) >= -RaceProj_i (alpha+ - alpha-)
// for every objective, over the problem rows and the limitations in force.
//
// Only the right-hand sides of the race rows depend on q, so a basis stays
// optimal while it stays feasible (parametric right-hand side): within the
// segment [RaceTMin, RaceTMax] of RaceT the basic values move linearly by
// RaceRate per unit of RaceT, taken from the tableau columns of the race
// rows' surplus variables, and a GO step there solves nothing. At the end
// of the segment the program is solved again from the current basis.
//
// Holds its own program tables (the race program and a scratch copy for
// re-projections), so other solves of the engine cannot disturb a race and
// a failed re-projection leaves the race where it was.
class ParetoRace {
public:
    ParetoRace();
    ~ParetoRace();
    ParetoRace(const ParetoRace&) = delete;
    ParetoRace& operator=(const ParetoRace&) = delete;

    enum class Step {
        Moved,         // moved within the segment, no solve
        BasisChanged,  // solved again from the current basis at the end of the segment
        NeedDirection, // nothing limits the motion any more: ask for a new direction
        Failed,        // the solve at a basis change failed
    };

    // What one race operation did: its step (GO only), the solve's status
    // and the store and time texts of a completed solution.
    struct Outcome {
        Step step = Step::Moved;
        SolveStatus status = SolveStatus::Optimal;
        Notices notices;
    };

    // The ranges dialog's texts: refused when a text does not convert (no
    // message) or an upper value is not above its lower value ("Upper values
    // must be larger than lower values", once per such objective); every
    // objective is checked.
    [[nodiscard]] static RaceRangesResult AcceptRanges(const Workspace& ws, const RaceRangeTexts& typed);

    // Start from ws.refPoint with the accepted ranges: direction and
    // projection vector from the ranges, then the projection. On Optimal the
    // solution is completed (history, store, elapsed time) and the first
    // segment is ready, travelled forward at the slowest speed.
    [[nodiscard]] Outcome start(Workspace& ws, LpEngine& engine, const vectorObj& low, const vectorObj& high);

    // One GO. A move or a basis change completes a solution; the status is
    // the solve's outcome after BasisChanged or Failed.
    [[nodiscard]] Outcome go(Workspace& ws, LpEngine& engine);

    // Objective `c` (1-based) to be improved: more of the direction and of
    // the projection weight goes to it, and the current solution is
    // projected anew, travelled forward.
    [[nodiscard]] Outcome changeDirection(Workspace& ws, LpEngine& engine, int c);
    // After a limitation was imposed or removed: the current reference point
    // projected again. On failure the race stays where it was.
    [[nodiscard]] Outcome reproject(Workspace& ws, LpEngine& engine);

    // Direction button: forward <-> backward at the slowest speed.
    void reverse();
    // Speed slider position 1 (fastest) .. 8 (slowest).
    void setSpeed(int position);

    // The next GO solves (the end of the segment was reached going forward).
    bool nextGoSolves() const { return RaceStep > 0 && RaceT == RaceTMax && RaceTMax < kInfiniteBound; }
    bool forward() const { return RaceStep > 0; }
    int speedPosition() const { return speedPosition_; }
    // The race program of the current segment and its read-back.
    const LpTables& program() const { return *lp_; }

    static constexpr int kSlowest = 8;
    static constexpr int kFastest = 1;

    // The race state (objectives 1..k, program rows 1..lpRowCount).
    vectorObj RaceLow{}, RaceHigh{};
    vectorObj RaceDir{};
    Real RaceDirNorm = 0;
    vectorObj RaceProj{};
    vectorObj RaceQ0{};
    Real RaceT = 0;
    Real RaceTMin = 0, RaceTMax = 0;
    Real RaceStep = 0;
    std::array<vectorObj, kMaxLpRows + 1> RaceSens{};
    std::array<Real, kMaxLpRows + 1> RaceRate{};

private:
    void buildProgram(const Workspace& ws, LpTables& lp) const;
    Outcome project(Workspace& ws, LpEngine& engine);
    Notices complete(Workspace& ws, double elapsed);
    void widenRanges(const Workspace& ws);
    // RaceSens and RaceRate from the tableau, then the segment's ends.
    void computeStepRange(const Workspace& ws);
    // [RaceTMin, RaceTMax]: where every basic variable stays within its bounds.
    void computeSegmentEnds(const Workspace& ws);
    void newSegment(Workspace& ws);
    void moveTo(Workspace& ws, Real t);

    std::unique_ptr<LpTables> lp_;
    std::unique_ptr<LpTables> scratch_;
    // Basic values at RaceT = 0: every step moves from them, so rounding
    // does not pile up over many steps.
    std::array<Real, kMaxLpRows + 1> segmentBase_{};
    int speedPosition_ = kSlowest;
};

// Step of RaceT per GO at a speed slider position: 0.001 * 5^(8 - position).
Real RaceStepForSpeed(int position);
