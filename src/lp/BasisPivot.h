#pragma once

#include "lp/EfficientBases.h"
#include "lp/LpTables.h"

#include <array>
#include <vector>

// The read-back of a basis derived from the read-back of an adjacent basis
// by one pivot, instead of inverting the new basis (EvaluateBasis). A walk
// between adjacent bases keeps the read-back of a basis while its
// neighbours are still to be visited, and derives each neighbour in
// O(rows x columns).
//
// For the exchange of entering variable q (tableau column q) and the basic
// variable of row r, with pivot a = T[r][q] and T = B^-1 N (the objective
// row of c - z carried along as one more row):
//   T'[r][j] = T[r][j] / a,  T'[i][j] = T[i][j] - T[i][q] T[r][j] / a,
//   the leaving variable's column: T'[r] = 1 / a, T'[i] = -T[i][q] / a.
// The entering variable moves by d = (x_r - bound) / a, which brings the
// leaving variable to its bound; every basic value moves by -d T[i][q] and
// the objective by d (c - z)_q. A bound flip moves the entering variable by
// its range and leaves the tableau as it is.
//
// The derived read-back has the evaluator's nonbasic order (slacks by row,
// then columns, the slacks of "=" rows dropped) and its zero thresholds; its
// basic rows are in the parent's order with the entering variable in the
// leaving variable's row. The carried last column holds the basic values
// relative to their lower bounds and, in the objective row, sense times the
// objective value.

// A kept read-back holds its tableau in double, and the pivots that derive
// a neighbour's tableau from it work in double: a walk keeps and derives
// thousands of them, at twice the speed and half the memory. The basic
// values, the reduced costs carried along and every fresh evaluation stay
// in the extended type. On the generator's degenerate problems the values
// of a walk differ from those of fresh evaluations by as much as with
// extended pivots (mostly 1e-15 to 1e-13 of the largest value, at most a
// few 1e-10, set by the conditioning of the bases, not by the pivots).
using KeptReal = double;

// A kept read-back: the parent of a pivot.
struct SavedReadBack {
    int rows = 0;    // lpRowCount
    int columns = 0; // nonbasic positions (tabCols - 1)
    int sense = 1;
    // Pivots since the basis was last evaluated afresh.
    int depth = 0;
    std::vector<std::int32_t> basicList;   // [1..rows]
    std::vector<std::int32_t> nonbasicList; // [1..columns], evaluator order
    std::vector<Real> basicValues;         // [1..rows + 1], the objective value last
    std::vector<Real> nonbasicValues;      // [1..columns]
    AtUpperFlags atUpper{};
    // (rows + 1) x columns, row-major; row `rows` is the objective row.
    std::vector<KeptReal> tableau;
    // Further rows that a pivot transforms as it does the objective row (a
    // walk's z - c rows of each objective): carriedRows x columns.
    int carriedRows = 0;
    std::vector<Real> carried;
};

// The tableau body of a derived read-back, filled when it is read: a walk
// reads only the columns of its efficient positions before it knows whether
// it keeps the basis for its neighbours. PivotReadBack() with `deferred`
// fills everything but lp.tableau's rows 1..tabRows in columns
// 1..tabCols - 1 and notes here how to fill them, with the same numbers as
// without it. The parent must not change until they are filled.
struct DeferredTableau {
    const SavedReadBack* parent = nullptr; // nothing pending without one
    bool boundFlip = false;                // the parent's tableau as it is
    int q = 0;                             // entering column and pivot row in the parent
    int r = 0;
    KeptReal a = 0;                        // the pivot
    int columns = 0;                       // of the new tableau
    int leavingAt = 0;                     // the leaving variable's column, 0 when left out
    std::array<int, kMaxTableauCols + 1> source{}; // parent column of each new column
    std::array<KeptReal, kMaxTableauCols + 1> ratio{}; // T[r][source] / a
};
// Fills the columns flagged in `positions` (1..tabCols - 1).
void FillDeferredColumns(const DeferredTableau& deferred, const EfficientPositions& positions, LpTables& lp);
// Fills the whole body; nothing is pending afterwards.
void FillDeferredTableau(DeferredTableau& deferred, LpTables& lp);

// Keeps the read-back of `lp` (after a solve, an evaluation or a pivot),
// its nonbasic positions put into the evaluator's order.
// `carried`, when given, holds `carriedRows` rows (`stride` apart) indexed
// by the tableau positions of `lp`, kept in the same order as the columns.
// With a pending `deferred` (of lp) the tableau body is derived from it
// into the copy; lp's own body is neither read nor filled.
void SaveReadBack(const LpTables& lp, int sense, int depth, SavedReadBack& out, const Real* carried = nullptr,
                  int carriedRows = 0, int stride = 0, const DeferredTableau* deferred = nullptr);

// Fills the read-back of `lp` for the basis reached from `parent` by `move`
// (a move recorded by AdjacentBases from that basis). False when the move
// does not fit the parent or its pivot is too small: `lp`'s read-back is
// then unusable and the caller evaluates the basis instead.
// With `carried`, the parent's carried rows go there transformed (rows
// `stride` apart, indexed by the new tableau positions).
bool PivotReadBack(const SavedReadBack& parent, const BasisMove& move, LpTables& lp, Real* carried = nullptr,
                   int stride = 0, DeferredTableau* deferred = nullptr);
