#pragma once

#include "lp/LpTables.h"
#include "lp/ProgramScale.h"

#include <cstdint>
#include <vector>

struct SolveControl;

// Product-form inverse of a basis of a scalarizing program, and the complete
// read-back of that basis (values and simplex tableau) without any simplex
// iteration.
//
// Internally the program is a minimization over "<=" rows: the objective row
// (row 0) is negated when maximizing and every ">=" row is negated with its
// right-hand side. Variables are numbered rows first: variable r
// (1..lpRowCount) is the slack of row r, variable lpRowCount + j is column
// j. Nonzero lower bounds of columns are shifted out (negative ones too, so
// that values agree with lp_solve), and the columns nonbasic at their upper
// bound are moved to the right-hand side with their range.
//
// The basis inverse is kept as an ETA file E_k ... E_1, where each E_t is the
// identity with one column (the pivot row p) replaced by the eta vector
// eta[p] = 1/pivot, eta[i] = -a_i/pivot. Row 0 goes through every
// transformation, so the row-0 entry of a transformed column is its reduced
// cost c'_j - c'_B B^-1 a_j in the internal (minimization) signs.
//
// A badly scaled program is inverted in its scaled form (ProgramScale.h):
// the drop tolerances and the pivot test then act relative to the scale of
// each row and column, and everything handed back is unscaled into the
// program's own units. In the nucleus the pivot is the first free row whose
// entry is at least kPivotThreshold times the largest free entry (threshold
// partial pivoting).
//
// All storage is allocated by the constructor; factorize() and the
// transformations allocate nothing.
class BasisEvaluator {
public:
    enum class [[nodiscard]] Result {
        Ok,
        Singular,    // no pivot row for a basic column, or a variable listed twice: "Inverting failed"
        EtaOverflow, // the ETA file would pass its capacity
        Invalid,     // a count beyond the tables, a row type outside 0..2
        OutOfRange,  // a basic variable that is no variable of the program
    };

    BasisEvaluator();

    // Loads the program of `lp`, makes basic the variables basicList[1..
    // lpRowCount] (program numbering) with the decision columns flagged in
    // atUpper[1..lpColumnCount] nonbasic at their upper bound, and inverts
    // the basis. `sense` is +1 to maximize, anything else minimizes. A basic
    // variable is never at a bound (its atUpper flag is ignored), nor is a
    // column without a finite upper bound.
    Result factorize(const LpTables& lp, int sense, const std::int32_t* basicList, const bool* atUpper);

    // After Ok. Program variable basic in evaluator row r (1..lpRowCount).
    int basicInRow(int r) const;
    // Evaluator row of a basic program variable; 0 when it is nonbasic.
    int rowOf(int variable) const;

    // After Ok. The column of program variable v (a slack: the unit column
    // of its row, in the sign-changed rows) transformed through the ETA file:
    // out[0] the row-0 entry, out[r] the entry of evaluator row r,
    // r = 1..lpRowCount; |entries| <= 1e-8 become 0. `out` needs
    // lpRowCount + 1 elements.
    void transformVariable(int v, Real* out) const;
    // After Ok. The shifted right-hand side transformed (the basic values
    // relative to the lower bounds), out[0..lpRowCount] as above.
    void transformedRhs(Real* out) const;
    // After Ok. Values in the program's own signs: columnValue[1..cols],
    // rowActivity[0..rows] (row 0 the objective value).
    void computeValues(Real* columnValue, Real* rowActivity) const;
    // After factorize(). The scale the program was inverted in (all factors
    // 1 for a well-scaled program).
    const ProgramScale& scale() const { return scale_; }

    // The stop that the solves handed this evaluator honour when they are
    // given none of their own (LpEngine attaches its control here, so that
    // every solve with the engine's evaluator honours it). Not owned; it
    // must outlive this object or be detached with nullptr.
    void attachControl(const SolveControl* control) { control_ = control; }
    const SolveControl* attachedControl() const { return control_; }

private:
    friend SolveStatus EvaluateBasis(LpTables& lp, int sense, BasisEvaluator& evaluator);

    static constexpr int kMaxNonzeros = (kMaxLpRows + 1) * kMaxLpColumns + 1;
    static constexpr int kEtaCapacity = 100000;
    static constexpr int kMaxEtaColumns = kMaxLpRows + 21;

    enum RowState : std::uint8_t { RowFree, RowAssigned, RowReserved };
    enum ColumnState : std::uint8_t { ColumnNonbasic, ColumnUnplaced, ColumnPlaced };

    int internalOf(int variable) const;
    // x = unit * (scaled value) for internal variable v.
    Real unitOfInternal(int internal) const;
    int programOf(int internal) const;
    bool atUpperBound(int variable) const;
    void scatter(int internal, Real* w) const;
    void forwardTransform(Real* w) const;
    // forwardTransform() read by rows: the same operations on each entry in
    // the same order, but each entry is summed in a register and stored
    // once, not once for every ETA column that touches it.
    void forwardTransformByRows(Real* w) const;
    Result pivot(int internal, int row);
    // The program of `lp` is the one whose scale, columns and bounds are
    // set up (compared bit for bit); rememberProgram() notes it.
    bool sameProgram(const LpTables& lp, int sense) const;
    void rememberProgram(const LpTables& lp, int sense);
    Result invert();

    ProgramScale scale_;
    const SolveControl* control_ = nullptr;

    // Program size and sense of the last factorize().
    int rows_ = 0;
    int cols_ = 0;
    bool maximize_ = false;
    bool ready_ = false;

    // Columns 1..cols_, nonzeros only, row 0 (the objective) first, in the
    // internal signs; colStart_[j]..colStart_[j+1]-1.
    std::vector<int> colStart_;
    std::vector<int> colRow_;
    std::vector<Real> colValue_;
    // Row index: the columns with a nonzero in row r, rowStart_[r]..rowStart_[r+1]-1.
    std::vector<int> rowStart_;
    std::vector<int> rowColumn_;

    // Per internal variable 0..rows+cols.
    std::vector<Real> lower_;      // lower bound (shifted out of the right-hand side)
    std::vector<Real> range_;      // upper minus lower bound, kInfiniteBound when unbounded
    std::vector<std::uint8_t> atLower_;
    std::vector<std::uint8_t> basic_;
    std::vector<int> rowOfVar_;    // evaluator row of a basic variable, else 0

    // Per row 0..rows_.
    std::vector<Real> rhs_;        // working right-hand side; after invert() the basic values
    std::vector<std::uint8_t> negated_;
    std::vector<int> bas_;         // variable basic in row r (1..rows_)

    // ETA file: column t holds etaStart_[t]..etaStart_[t+1]-1, pivot entry last.
    std::vector<int> etaStart_;
    std::vector<int> etaRow_;
    std::vector<Real> etaValue_;
    int etaCount_ = 0;

    // The ETA file by rows, kept as the columns are appended: the off-pivot
    // entries of row r in ETA column order at r * kMaxEtaColumns, the first
    // rowEtaCount_[r] of them; those of the columns before the one that
    // pivots on r come first (rowEtaSplit_[r] of them). The pivot row of
    // each ETA column and the column that pivots on each row (-1 for none).
    std::vector<int> rowEtaCount_;
    std::vector<int> rowEtaSplit_;
    std::vector<int> rowEtaColumn_;
    std::vector<Real> rowEtaValue_;
    std::vector<int> pivotRowOf_;
    std::vector<int> etaOfRow_;
    bool rowsIndexed_ = false;
    // Scratch: the pivot entry each ETA column met.
    mutable std::vector<Real> pivotValue_;
    mutable std::vector<std::uint8_t> pivotUsed_;

    // The program the set-up above is for (rememberProgram()).
    bool programKept_ = false;
    int keptRows_ = 0;
    int keptCols_ = 0;
    bool keptMaximize_ = false;
    std::vector<RowType> keptType_;
    std::vector<Real> keptRhs_;
    std::vector<Real> keptCoef_; // (rows + 1) x (kMaxLpColumns + 1), row 0 the objective
    std::vector<Real> keptLower_;
    std::vector<Real> keptUpper_;

    // Scratch of the inversion.
    std::vector<Real> work_;
    std::vector<int> rowCount_;
    std::vector<std::uint8_t> rowState_;
    std::vector<int> colCount_;
    std::vector<std::uint8_t> colState_;
    std::vector<int> singletonColumn_;
    std::vector<int> singletonRow_;
};

// The complete read-back that a full solve gives, for the basis in
// lp.basicList[1..lpRowCount] and lp.atUpper: basicList (evaluator row
// order), nonbasicList (slacks of rows 1..rows, then columns, in program
// numbering), atUpper, basicValues (objective value last, in the program's
// sense), nonbasicValues, tableau (tabRows = rows + 1, tabCols = cols + 1,
// no at-upper negation; the objective row holds c_j - z_j of the program's
// objective in both senses, i.e. row 0 negated when maximizing; the last
// column is the transformed right-hand side, with the internal row-0 entry
// as it is: c.x when maximizing, -c.x when minimizing), zero thresholds,
// equality slacks dropped. status = Optimal, or Imprecise when the values do
// not satisfy B x_B = b - N x_N within the residual check (AnswerCheck.h;
// the basis need not be feasible); Other when factorize() fails, with
// lp.call SingularBasis (singular basis, ETA overflow), BasisRefused (a
// basic variable out of range) or ModelNotBuilt (invalid tables): only
// lp.status and lp.call are then written. `sense` is +1 to maximize, -1 to
// minimize.
SolveStatus EvaluateBasis(LpTables& lp, int sense, BasisEvaluator& evaluator);

// Removes the nonbasic slacks of "=" rows from nonbasicList, nonbasicValues
// and the tableau columns (tabCols decreases by one for each).
void DropEqualitySlacks(LpTables& lp);
