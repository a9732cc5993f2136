#pragma once

#include "base/Numeric.h"
#include "workspace/Workspace.h"

#include <array>
#include <cstdint>
#include <iosfwd>

// Capacities of a scalarizing program. The reference-point program adds the
// two columns alpha+ and alpha- to at most 101 decision variables, and its
// rows are at most 20 reference-point rows, 100 constraints and 20
// limitation rows.
constexpr int kMaxLpColumns = MaxVariables + 2;                  // 103
constexpr int kMaxLpRows = 2 * MaxObjectives + MaxConstraints;   // 140
constexpr int kMaxLpVariables = kMaxLpColumns + kMaxLpRows;      // 243
constexpr int kMaxTableauRows = kMaxLpRows + 1;                  // basic rows plus the objective row
constexpr int kMaxTableauCols = kMaxLpColumns + 1;               // nonbasic columns plus the carried column

// Outcome of a solve or an evaluation: what the answer says about the
// program. Whether the library answered at all is the CallStatus.
enum class [[nodiscard]] SolveStatus : std::uint8_t {
    Optimal = 0,
    Infeasible = 1,
    Unbounded = 2,
    NumericalFailure = 3,
    Other = 4,     // no usable answer: the call status says why
    Imprecise = 5, // an answer whose residuals or bounds fail the check
    Stopped = 6,   // the time limit or a cancel ended the solve
};

// Whether the call produced an answer.
enum class [[nodiscard]] CallStatus : std::uint8_t {
    Answered = 0,
    NotCalled = 1,     // the outcome was plain without the library (crossed bounds)
    LibraryError = 2,  // lp_solve failed or gave a read-back that does not fit the program
    ModelNotBuilt = 3, // a row type outside 0..2, a count beyond the tables, a refused coefficient
    BasisRefused = 4,  // a basis with a variable out of range, or refused by lp_solve
    SingularBasis = 5, // no pivot for a basic column (a variable listed twice among them)
};

const char* toString(SolveStatus status);
const char* toString(CallStatus status);
// By name, so that a failed expectation reads "Unbounded", not 2.
std::ostream& operator<<(std::ostream& out, SolveStatus status);
std::ostream& operator<<(std::ostream& out, CallStatus status);

// Row types, with the codes of the problem's constraints (ConstraintType).
// A code outside 0..2 copied from a problem stays what it is, and the
// build refuses it.
enum class RowType : std::uint8_t {
    LessEqual = 0,
    Equal = 1,
    GreaterEqual = 2,
};
constexpr RowType kRowLessEqual = RowType::LessEqual;
constexpr RowType kRowEqual = RowType::Equal;
constexpr RowType kRowGreaterEqual = RowType::GreaterEqual;
// The row type of a constraint code (any code, see above).
constexpr RowType RowTypeOfCode(std::uint8_t code) { return static_cast<RowType>(code); }

const char* toString(RowType type);
std::ostream& operator<<(std::ostream& out, RowType type);

struct LpRow {
    std::array<Real, kMaxLpColumns + 1> coef{}; // 1..lpColumnCount
    RowType type = kRowLessEqual;
    Real rhs = 0;
};

struct LpBound {
    Real lo = 0;
    Real up = kInfiniteBound;
};

// The tables of one scalarizing program and what a solve reads back.
//
// Variable numbering: column j is variable j (1..lpColumnCount); the slack
// (or surplus) of row r is variable lpColumnCount + r. Every array is
// 1-based.
struct LpTables {
    // The program.
    std::array<LpRow, kMaxLpRows + 1> lpRows{};
    std::array<Real, kMaxLpColumns + 1> lpObjective{};
    std::array<LpBound, kMaxLpColumns + 1> lpBounds{};
    std::int32_t lpColumnCount = 0;
    std::int32_t lpRowCount = 0;
    std::int32_t refRowCount = 0;
    // The problem's objectives over the decision columns, f_k = sum c_kj x_j:
    // what an answer is turned into, so the check keeps each within what the
    // files can hold.
    std::array<std::array<Real, MaxVariables + 1>, MaxObjectives + 1> problemObjectives{};
    std::int32_t problemObjectiveCount = 0;

    // Read-back.
    SolveStatus status = SolveStatus::Other;
    CallStatus call = CallStatus::Answered;
    // basicList[1..lpRowCount]: the variable basic in each row; then 0.
    vectorResEB_Int basicList{};
    // nonbasicList[1..lpColumnCount] (fewer after equality slacks are
    // dropped); the entry after the last is 0.
    std::array<std::int32_t, kMaxLpColumns + 2> nonbasicList{};
    // basicValues[lpRowCount + 1] is the objective value.
    std::array<Real, kMaxLpRows + 2> basicValues{};
    std::array<Real, kMaxLpColumns + 2> nonbasicValues{};
    // A decision column that is nonbasic at its upper bound.
    std::array<bool, kMaxLpColumns + 1> atUpper{};
    // tableau[1..tabRows][1..tabCols]: rows of the basic variables in
    // basicList order, the objective row last; columns of the nonbasic
    // variables in nonbasicList order, then the carried right-hand side.
    std::array<std::array<Real, kMaxTableauCols + 1>, kMaxTableauRows + 1> tableau{};
    std::int32_t tabRows = 0;
    std::int32_t tabCols = 0;

    bool isColumn(int variable) const { return variable >= 1 && variable <= lpColumnCount; }
    // The row whose slack is `variable`, 0 for a column.
    int slackRow(int variable) const { return variable > lpColumnCount ? variable - lpColumnCount : 0; }
};
