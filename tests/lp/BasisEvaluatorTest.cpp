#include "lp/BasisEvaluator.h"
#include "lp/LpTables.h"
#include "lp/LpTolerances.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <utility>
#include <vector>

// Every expectation here comes from the program itself: the basis matrix in
// the program's own row signs is solved by a separate dense Gaussian
// elimination, and the hand-worked examples are computed in the comments.

namespace {

using Vec = std::vector<long double>;
using Mat = std::vector<Vec>;

std::size_t at(int i) { return static_cast<std::size_t>(i); }

// LU factorization with partial pivoting, P A = L U.
class DenseLu {
public:
    explicit DenseLu(Mat a) : lu_(std::move(a)), perm_(lu_.size())
    {
        const std::size_t n = lu_.size();
        std::iota(perm_.begin(), perm_.end(), std::size_t{0});
        for (std::size_t k = 0; k < n; ++k) {
            std::size_t p = k;
            for (std::size_t i = k + 1; i < n; ++i)
                if (std::fabs(lu_[i][k]) > std::fabs(lu_[p][k]))
                    p = i;
            if (std::fabs(lu_[p][k]) < 1e-9L) {
                singular_ = true;
                return;
            }
            std::swap(lu_[k], lu_[p]);
            std::swap(perm_[k], perm_[p]);
            for (std::size_t i = k + 1; i < n; ++i) {
                const long double f = lu_[i][k] / lu_[k][k];
                lu_[i][k] = f;
                for (std::size_t c = k + 1; c < n; ++c)
                    lu_[i][c] -= f * lu_[k][c];
            }
        }
    }

    bool singular() const { return singular_; }

    Vec solve(const Vec& b) const
    {
        const std::size_t n = lu_.size();
        Vec y(n);
        for (std::size_t i = 0; i < n; ++i) {
            long double s = b[perm_[i]];
            for (std::size_t c = 0; c < i; ++c)
                s -= lu_[i][c] * y[c];
            y[i] = s;
        }
        for (std::size_t i = n; i-- > 0;) {
            long double s = y[i];
            for (std::size_t c = i + 1; c < n; ++c)
                s -= lu_[i][c] * y[c];
            y[i] = s / lu_[i][i];
        }
        return y;
    }

private:
    Mat lu_;
    std::vector<std::size_t> perm_;
    bool singular_ = false;
};

std::unique_ptr<LpTables> newProgram(int rows, int cols)
{
    auto lp = std::make_unique<LpTables>();
    lp->lpRowCount = rows;
    lp->lpColumnCount = cols;
    return lp;
}

void setRow(LpTables& lp, int r, std::initializer_list<long double> coef, RowType type, Real rhs)
{
    int j = 1;
    for (long double a : coef)
        lp.lpRows[at(r)].coef[at(j++)] = a;
    lp.lpRows[at(r)].type = type;
    lp.lpRows[at(r)].rhs = rhs;
}

void setBasis(LpTables& lp, std::initializer_list<int> basis)
{
    int i = 1;
    for (int v : basis)
        lp.basicList[at(i++)] = v;
    lp.basicList[at(i)] = 0;
}

// The column of a program variable in the program's own row signs, rows
// 1..R at positions 0..R-1: a slack is +e_r in a "<=" or "=" row and -e_r
// (a surplus) in a ">=" row.
Vec programColumn(const LpTables& lp, int v)
{
    Vec a(at(lp.lpRowCount), 0);
    if (lp.isColumn(v)) {
        for (int r = 1; r <= lp.lpRowCount; ++r)
            a[at(r - 1)] = lp.lpRows[at(r)].coef[at(v)];
    } else {
        const int r = lp.slackRow(v);
        a[at(r - 1)] = lp.lpRows[at(r)].type == kRowGreaterEqual ? -1 : 1;
    }
    return a;
}

long double cost(const LpTables& lp, int v) { return lp.isColumn(v) ? lp.lpObjective[at(v)] : 0; }
long double lowerBound(const LpTables& lp, int v) { return lp.isColumn(v) ? lp.lpBounds[at(v)].lo : 0; }

Mat basisMatrix(const LpTables& lp, const std::vector<int>& basis)
{
    const int R = lp.lpRowCount;
    Mat b(at(R), Vec(at(R), 0));
    for (int i = 0; i < R; ++i) {
        const Vec a = programColumn(lp, basis[at(i)]);
        for (int r = 0; r < R; ++r)
            b[at(r)][at(i)] = a[at(r)];
    }
    return b;
}

std::vector<int> inputBasis(const LpTables& lp)
{
    return std::vector<int>(lp.basicList.begin() + 1, lp.basicList.begin() + 1 + lp.lpRowCount);
}

bool isBasic(const std::vector<int>& basis, int v) { return std::find(basis.begin(), basis.end(), v) != basis.end(); }

struct Tolerance {
    long double tableau = kTableauZeroTol;         // relative to 1 + |expected|
    long double value = 2 * kEvaluatorValueZeroTol; // the right-hand side is rounded to 0 below it
};

bool near(long double got, long double expected, long double tol)
{
    return std::fabs(got - expected) <= tol * (1 + std::fabs(expected));
}

// Checks the read-back in `out` of the basis and flags given in `in` against
// dense elimination on the original program.
void expectReadBackOfBasis(const LpTables& in, const LpTables& out, int sense, Tolerance tol = {})
{
    const int R = in.lpRowCount;
    const int C = in.lpColumnCount;
    const std::vector<int> chosen = inputBasis(in);

    ASSERT_EQ(out.status, SolveStatus::Optimal);
    ASSERT_EQ(out.tabRows, R + 1);

    // The same basic variables, each once, in the evaluator's row order.
    std::vector<int> basis(out.basicList.begin() + 1, out.basicList.begin() + 1 + R);
    std::vector<int> sortedOut = basis;
    std::vector<int> sortedIn = chosen;
    std::sort(sortedOut.begin(), sortedOut.end());
    std::sort(sortedIn.begin(), sortedIn.end());
    ASSERT_EQ(sortedOut, sortedIn);
    EXPECT_EQ(out.basicList[at(R + 1)], 0);

    // Nonbasic variables: slacks of rows 1..R, then columns, without the
    // slacks of "=" rows.
    std::vector<int> nonbasic;
    for (int r = 1; r <= R; ++r)
        if (!isBasic(chosen, C + r) && in.lpRows[at(r)].type != kRowEqual)
            nonbasic.push_back(C + r);
    for (int j = 1; j <= C; ++j)
        if (!isBasic(chosen, j))
            nonbasic.push_back(j);
    ASSERT_EQ(out.tabCols, static_cast<int>(nonbasic.size()) + 1);
    for (std::size_t k = 0; k < nonbasic.size(); ++k)
        EXPECT_EQ(out.nonbasicList[k + 1], nonbasic[k]) << "position " << k + 1;
    EXPECT_EQ(out.nonbasicList[at(out.tabCols)], 0);

    // Nonbasic columns sit at a bound; slacks at 0.
    Vec x(at(C + R + 1), 0);
    for (int j = 1; j <= C; ++j) {
        if (isBasic(chosen, j)) {
            EXPECT_FALSE(out.atUpper[at(j)]) << "basic column " << j;
            continue;
        }
        const LpBound& b = in.lpBounds[at(j)];
        const bool upper = in.atUpper[at(j)] && b.up < kInfiniteBound;
        EXPECT_EQ(out.atUpper[at(j)], upper) << "column " << j;
        x[at(j)] = upper ? b.up : b.lo;
    }
    for (std::size_t k = 0; k < nonbasic.size(); ++k)
        EXPECT_TRUE(near(out.nonbasicValues[k + 1], x[at(nonbasic[k])], tol.value))
            << "nonbasic value " << k + 1 << ": " << static_cast<double>(out.nonbasicValues[k + 1]);

    const Mat bm = basisMatrix(in, basis);
    DenseLu lu(bm);
    ASSERT_FALSE(lu.singular());

    // B x_B = b - N x_N.
    Vec rhs(at(R), 0);
    for (int r = 1; r <= R; ++r)
        rhs[at(r - 1)] = in.lpRows[at(r)].rhs;
    for (int v = 1; v <= C + R; ++v) {
        if (isBasic(chosen, v) || x[at(v)] == 0)
            continue;
        const Vec a = programColumn(in, v);
        for (int r = 0; r < R; ++r)
            rhs[at(r)] -= a[at(r)] * x[at(v)];
    }
    const Vec xB = lu.solve(rhs);
    for (int i = 1; i <= R; ++i) {
        const int v = basis[at(i - 1)];
        x[at(v)] = xB[at(i - 1)];
        const long double expected = in.isColumn(v) ? xB[at(i - 1)] : std::fabs(xB[at(i - 1)]);
        EXPECT_TRUE(near(out.basicValues[at(i)], expected, tol.value))
            << "basic value " << i << " (variable " << v << "): " << static_cast<double>(out.basicValues[at(i)])
            << " expected " << static_cast<double>(expected);
    }
    long double objective = 0;
    for (int j = 1; j <= C; ++j)
        objective += in.lpObjective[at(j)] * x[at(j)];
    EXPECT_TRUE(near(out.basicValues[at(R + 1)], objective, tol.value))
        << static_cast<double>(out.basicValues[at(R + 1)]) << " expected " << static_cast<double>(objective);

    // Tableau columns: B t = a_v, and the objective row c_v - c_B t.
    for (int k = 1; k < out.tabCols; ++k) {
        const int v = out.nonbasicList[at(k)];
        const Vec a = programColumn(in, v);
        const Vec t = lu.solve(a);
        long double z = 0;
        for (int i = 1; i <= R; ++i) {
            const long double got = out.tableau[at(i)][at(k)];
            EXPECT_TRUE(near(got, t[at(i - 1)], tol.tableau))
                << "tableau[" << i << "][" << k << "] = " << static_cast<double>(got) << " expected "
                << static_cast<double>(t[at(i - 1)]);
            EXPECT_TRUE(got == 0 || std::fabs(got) > kReducedCostZeroTol);
            z += cost(in, basis[at(i - 1)]) * t[at(i - 1)];
        }
        for (int r = 0; r < R; ++r) {
            long double product = 0;
            for (int i = 0; i < R; ++i)
                product += bm[at(r)][at(i)] * out.tableau[at(i + 1)][at(k)];
            EXPECT_TRUE(near(product, a[at(r)], 100 * tol.tableau)) << "B t != a in row " << r + 1;
        }
        const long double d = cost(in, v) - z;
        EXPECT_TRUE(near(out.tableau[at(R + 1)][at(k)], d, tol.tableau))
            << "objective row, column " << k << ": " << static_cast<double>(out.tableau[at(R + 1)][at(k)])
            << " expected " << static_cast<double>(d);
    }

    // Carried column: basic values above their lower bounds, and the
    // internal objective entry (c.x maximizing, -c.x minimizing).
    const int last = out.tabCols;
    for (int i = 1; i <= R; ++i) {
        const int v = basis[at(i - 1)];
        EXPECT_TRUE(near(out.tableau[at(i)][at(last)], x[at(v)] - lowerBound(in, v), tol.value)) << "row " << i;
    }
    EXPECT_TRUE(near(out.tableau[at(R + 1)][at(last)], sense == 1 ? objective : -objective, tol.value));

    // Activity identity from the read-back alone: a row whose slack is
    // nonbasic is met with equality, a basic slack is |b - a.x|.
    Vec readX(at(C + 1), 0);
    for (int i = 1; i <= R; ++i)
        if (out.isColumn(out.basicList[at(i)]))
            readX[at(out.basicList[at(i)])] = out.basicValues[at(i)];
    for (int k = 1; k < out.tabCols; ++k)
        if (out.isColumn(out.nonbasicList[at(k)]))
            readX[at(out.nonbasicList[at(k)])] = out.nonbasicValues[at(k)];
    for (int r = 1; r <= R; ++r) {
        long double activity = 0;
        for (int j = 1; j <= C; ++j)
            activity += in.lpRows[at(r)].coef[at(j)] * readX[at(j)];
        const long double gap = std::fabs(in.lpRows[at(r)].rhs - activity);
        const auto pos = std::find(basis.begin(), basis.end(), C + r);
        if (pos == basis.end())
            EXPECT_TRUE(near(gap, 0, tol.value)) << "row " << r << " off by " << static_cast<double>(gap);
        else
            EXPECT_TRUE(near(out.basicValues[at(pos - basis.begin() + 1)], gap, tol.value)) << "slack of row " << r;
    }
}

// Evaluates a copy of `in` and checks it against elimination.
void evaluateAndCheck(const LpTables& in, int sense, BasisEvaluator& evaluator, Tolerance tol = {})
{
    auto out = std::make_unique<LpTables>(in);
    ASSERT_EQ(EvaluateBasis(*out, sense, evaluator), SolveStatus::Optimal);
    expectReadBackOfBasis(in, *out, sense, tol);
}

struct RandomShape {
    int rows = 1;
    int cols = 1;
    double density = 0.5;
    bool integral = true;     // coefficients in -3..3, bounds and sides integer
    bool negativeLower = false;
};

// A random program with rows of all three types, upper bounds, positive
// lower bounds (some equal to the upper one), and a random basis with random
// at-upper flags on its nonbasic columns.
std::unique_ptr<LpTables> randomProgram(std::mt19937& rng, const RandomShape& shape)
{
    auto lp = newProgram(shape.rows, shape.cols);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    auto integer = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    auto coefficient = [&]() -> long double {
        if (shape.integral) {
            const int a = integer(1, 3);
            return integer(0, 1) ? a : -a;
        }
        return unit(rng) * 2 - 1;
    };
    for (int r = 1; r <= shape.rows; ++r) {
        LpRow& row = lp->lpRows[at(r)];
        const double t = unit(rng);
        row.type = t < 0.45 ? kRowLessEqual : t < 0.65 ? kRowEqual : kRowGreaterEqual;
        for (int j = 1; j <= shape.cols; ++j)
            if (unit(rng) < shape.density)
                row.coef[at(j)] = coefficient();
        row.rhs = shape.integral ? integer(-5, 20) : unit(rng) * 25 - 5;
    }
    for (int j = 1; j <= shape.cols; ++j) {
        lp->lpObjective[at(j)] = shape.integral ? integer(-5, 5) : unit(rng) * 10 - 5;
        LpBound& b = lp->lpBounds[at(j)];
        b.lo = unit(rng) < 0.5 ? 0 : integer(1, 3);
        if (shape.negativeLower && unit(rng) < 0.5)
            b.lo = -integer(1, 4);
        const double u = unit(rng);
        b.up = u < 0.35 ? kInfiniteBound : u < 0.5 ? b.lo : b.lo + integer(1, 5);
    }
    std::vector<int> variables(at(shape.rows + shape.cols));
    std::iota(variables.begin(), variables.end(), 1);
    std::shuffle(variables.begin(), variables.end(), rng);
    for (int i = 1; i <= shape.rows; ++i)
        lp->basicList[at(i)] = variables[at(i - 1)];
    lp->basicList[at(shape.rows + 1)] = 0;
    const std::vector<int> basis = inputBasis(*lp);
    for (int j = 1; j <= shape.cols; ++j)
        lp->atUpper[at(j)] = !isBasic(basis, j) && lp->lpBounds[at(j)].up < kInfiniteBound && unit(rng) < 0.5;
    return lp;
}

bool basisIsSingular(const LpTables& lp) { return DenseLu(basisMatrix(lp, inputBasis(lp))).singular(); }

// max 3x1 + 2x2  s.t.  x1 + x2 <= 4,  x1 + 3x2 <= 6,  x1 <= 3.
std::unique_ptr<LpTables> maximizedExample()
{
    auto lp = newProgram(3, 2);
    lp->lpObjective[1] = 3;
    lp->lpObjective[2] = 2;
    setRow(*lp, 1, {1, 1}, kRowLessEqual, 4);
    setRow(*lp, 2, {1, 3}, kRowLessEqual, 6);
    setRow(*lp, 3, {1, 0}, kRowLessEqual, 3);
    setBasis(*lp, {5, 1, 2}); // slack of row 3, x1, x2
    return lp;
}

// min 2x1 + 3x2 + x3  s.t.  x1 + x2 + x3 >= rhs1,  x1 - x2 <= 2,
// 1 <= x1 <= 5, 0 <= x2 <= 10, 0 <= x3 <= 2 with x3 at its upper bound.
std::unique_ptr<LpTables> minimizedExample(Real rhs1)
{
    auto lp = newProgram(2, 3);
    lp->lpObjective[1] = 2;
    lp->lpObjective[2] = 3;
    lp->lpObjective[3] = 1;
    setRow(*lp, 1, {1, 1, 1}, kRowGreaterEqual, rhs1);
    setRow(*lp, 2, {1, -1, 0}, kRowLessEqual, 2);
    lp->lpBounds[1] = {1, 5};
    lp->lpBounds[2] = {0, 10};
    lp->lpBounds[3] = {0, 2};
    lp->atUpper[3] = true;
    return lp;
}

// ---------------------------------------------------------------------------
// Hand-worked examples

TEST(BasisEvaluatorByHand, MaximizedProgramGivesTheHandTableau)
{
    // Variables: x1 = 1, x2 = 2, slacks s1..s3 = 3..5; basis {x1, x2, s3}.
    // B = [x1 x2 s3] = [1 1 0; 1 3 0; 1 0 1],
    // B^-1 = [3/2 -1/2 0; -1/2 1/2 0; -3/2 1/2 1].
    // s3 sits in its own row 3; x1 takes row 1 (first nonzero), x2 row 2.
    // Column s1 = B^-1 e1 = (3/2, -1/2, -3/2), column s2 = B^-1 e2 =
    // (-1/2, 1/2, 1/2). c_B = (3, 2, 0):
    //   c - z (s1) = 0 - (9/2 - 1) = -7/2,  c - z (s2) = 0 - (-3/2 + 1) = 1/2.
    // x_B = B^-1 (4, 6, 3) = (3, 1, 0); objective 3*3 + 2*1 = 11.
    auto lp = maximizedExample();
    BasisEvaluator evaluator;
    ASSERT_EQ(EvaluateBasis(*lp, 1, evaluator), SolveStatus::Optimal);
    EXPECT_EQ(lp->status, SolveStatus::Optimal);
    EXPECT_EQ(lp->tabRows, 4);
    EXPECT_EQ(lp->tabCols, 3);
    EXPECT_EQ(lp->basicList[1], 1);
    EXPECT_EQ(lp->basicList[2], 2);
    EXPECT_EQ(lp->basicList[3], 5);
    EXPECT_EQ(lp->basicList[4], 0);
    EXPECT_EQ(lp->nonbasicList[1], 3);
    EXPECT_EQ(lp->nonbasicList[2], 4);
    EXPECT_EQ(lp->nonbasicList[3], 0);

    const long double expected[4][3] = {
        {1.5L, -0.5L, 3},   // x1
        {-0.5L, 0.5L, 1},   // x2
        {-1.5L, 0.5L, 0},   // s3
        {-3.5L, 0.5L, 11},  // c_j - z_j; the carried entry is c.x when maximizing
    };
    for (int i = 1; i <= 4; ++i)
        for (int j = 1; j <= 3; ++j)
            EXPECT_NEAR(static_cast<double>(lp->tableau[at(i)][at(j)]), static_cast<double>(expected[i - 1][j - 1]),
                        1e-15)
                << "tableau[" << i << "][" << j << "]";
    EXPECT_NEAR(static_cast<double>(lp->basicValues[1]), 3, 1e-15);
    EXPECT_NEAR(static_cast<double>(lp->basicValues[2]), 1, 1e-15);
    EXPECT_EQ(lp->basicValues[3], 0);
    EXPECT_NEAR(static_cast<double>(lp->basicValues[4]), 11, 1e-15);
    EXPECT_EQ(lp->nonbasicValues[1], 0);
    EXPECT_EQ(lp->nonbasicValues[2], 0);
}

TEST(BasisEvaluatorByHand, MinimizedProgramWithSurplusLowerBoundAndUpperBound)
{
    // x3 = 2 at its upper bound, so x1 + x2 = 4 and x1 - x2 = 2: x1 = 3,
    // x2 = 1, objective 6 + 3 + 2 = 11. Variables x1..x3 = 1..3, surplus
    // s1 = 4, slack s2 = 5; nonbasic order s1, s2, x3.
    // B = [1 1; 1 -1], B^-1 = [1/2 1/2; 1/2 -1/2], c_B = (2, 3).
    //   s1, column -e1: (-1/2, -1/2), c - z = 0 - (-1 - 3/2) = 5/2
    //   s2, column  e2: ( 1/2, -1/2), c - z = 0 - (1 - 3/2)  = 1/2
    //   x3, column (1, 0): (1/2, 1/2), c - z = 1 - (1 + 3/2)  = -3/2
    // Carried column: x1 - 1 = 2, x2 - 0 = 1, and -c.x = -11 (minimizing).
    auto lp = minimizedExample(6);
    setBasis(*lp, {2, 1});
    BasisEvaluator evaluator;
    ASSERT_EQ(EvaluateBasis(*lp, -1, evaluator), SolveStatus::Optimal);
    EXPECT_EQ(lp->tabRows, 3);
    EXPECT_EQ(lp->tabCols, 4);
    EXPECT_EQ(lp->basicList[1], 1);
    EXPECT_EQ(lp->basicList[2], 2);
    EXPECT_EQ(lp->nonbasicList[1], 4);
    EXPECT_EQ(lp->nonbasicList[2], 5);
    EXPECT_EQ(lp->nonbasicList[3], 3);
    EXPECT_EQ(lp->nonbasicList[4], 0);
    const long double expected[3][4] = {
        {-0.5L, 0.5L, 0.5L, 2},
        {-0.5L, -0.5L, 0.5L, 1},
        {2.5L, 0.5L, -1.5L, -11},
    };
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 4; ++j)
            EXPECT_NEAR(static_cast<double>(lp->tableau[at(i)][at(j)]), static_cast<double>(expected[i - 1][j - 1]),
                        1e-15)
                << "tableau[" << i << "][" << j << "]";
    EXPECT_NEAR(static_cast<double>(lp->basicValues[1]), 3, 1e-15);
    EXPECT_NEAR(static_cast<double>(lp->basicValues[2]), 1, 1e-15);
    EXPECT_NEAR(static_cast<double>(lp->basicValues[3]), 11, 1e-15);
    EXPECT_EQ(lp->nonbasicValues[1], 0);
    EXPECT_EQ(lp->nonbasicValues[2], 0);
    EXPECT_EQ(lp->nonbasicValues[3], 2);
    EXPECT_FALSE(lp->atUpper[1]);
    EXPECT_FALSE(lp->atUpper[2]);
    EXPECT_TRUE(lp->atUpper[3]);
}

TEST(BasisEvaluatorByHand, BasicSurplusIsNonNegative)
{
    // Basis {s1, x1}; x2 = 0 and x3 = 2 nonbasic. Row 2 at equality gives
    // x1 = 2, so the left side of row 1 is 2 + 0 + 2 = 4. The surplus keeps
    // its own row 1 and x1 takes row 2.
    {
        // rhs 3: surplus 4 - 3 = 1, feasible.
        auto lp = minimizedExample(3);
        setBasis(*lp, {1, 4});
        BasisEvaluator evaluator;
        ASSERT_EQ(EvaluateBasis(*lp, -1, evaluator), SolveStatus::Optimal);
        EXPECT_EQ(lp->basicList[1], 4);
        EXPECT_EQ(lp->basicList[2], 1);
        EXPECT_NEAR(static_cast<double>(lp->basicValues[1]), 1, 1e-15);
        EXPECT_NEAR(static_cast<double>(lp->basicValues[2]), 2, 1e-15);
        EXPECT_NEAR(static_cast<double>(lp->tableau[1][lp->tabCols]), 1, 1e-15);
    }
    {
        // rhs 6: the basis is infeasible, the surplus is 4 - 6 = -2; the
        // read-back reports |b - a.x| = 2, the carried column the signed -2.
        auto lp = minimizedExample(6);
        setBasis(*lp, {1, 4});
        BasisEvaluator evaluator;
        ASSERT_EQ(EvaluateBasis(*lp, -1, evaluator), SolveStatus::Optimal);
        EXPECT_EQ(lp->basicList[1], 4);
        EXPECT_NEAR(static_cast<double>(lp->basicValues[1]), 2, 1e-15);
        EXPECT_NEAR(static_cast<double>(lp->tableau[1][lp->tabCols]), -2, 1e-15);
    }
}

TEST(BasisEvaluatorByHand, SmallEntriesAreZeroedAtTheThresholds)
{
    // min 5e-9 x2 + 2e-8 x3 + x4  s.t.  x1 + x2 + x3 <= 3e-7,  x4 <= 6e-7;
    // basis {x1, x4}. A well-scaled program, so the thresholds are absolute.
    // The objective row of x2 is c - z = 5e-9, at or below 1e-8: an exact
    // zero; x3 keeps its 2e-8. x1 = 3e-7 is below the 5e-7 of the
    // right-hand side and becomes 0; x4 = 6e-7 stays.
    auto lp = newProgram(2, 4);
    lp->lpObjective[2] = 5e-9L;
    lp->lpObjective[3] = 2e-8L;
    lp->lpObjective[4] = 1;
    setRow(*lp, 1, {1, 1, 1, 0}, kRowLessEqual, 3e-7L);
    setRow(*lp, 2, {0, 0, 0, 1}, kRowLessEqual, 6e-7L);
    setBasis(*lp, {1, 4});
    BasisEvaluator evaluator;
    ASSERT_EQ(EvaluateBasis(*lp, -1, evaluator), SolveStatus::Optimal);
    // Nonbasic: s1 = 5, s2 = 6, x2, x3.
    ASSERT_EQ(lp->nonbasicList[3], 2);
    ASSERT_EQ(lp->nonbasicList[4], 3);
    EXPECT_EQ(lp->tableau[3][3], 0);
    EXPECT_NEAR(static_cast<double>(lp->tableau[3][4]), 2e-8, 1e-20);
    EXPECT_EQ(lp->basicValues[1], 0);
    EXPECT_NEAR(static_cast<double>(lp->basicValues[2]), 6e-7, 1e-20);

    // The same through the evaluator's own transformation.
    ASSERT_EQ(evaluator.factorize(*lp, -1, lp->basicList.data(), lp->atUpper.data()), BasisEvaluator::Result::Ok);
    Real column[3];
    evaluator.transformVariable(2, column);
    EXPECT_EQ(column[0], 0);
    EXPECT_EQ(column[1], 1);
    EXPECT_EQ(column[2], 0);
}

// Both basic columns have two entries in the two rows, so they form the
// nucleus. Column x1 reads (0.002, 1): pivoting on the first free row would
// divide by 0.002; the threshold rule takes row 2, leaving x2 to row 1.
// x1 + x2 = 2 and 0.002 x1 + x2 = 1 give x1 = 1 / 0.998, x2 = 2 - x1.
TEST(BasisEvaluatorByHand, NucleusPivotsOnALargeEntryNotOnTheFirstRow)
{
    auto lp = newProgram(2, 2);
    lp->lpObjective[1] = 1;
    lp->lpObjective[2] = 1;
    setRow(*lp, 1, {0.002L, 1}, kRowLessEqual, 1);
    setRow(*lp, 2, {1, 1}, kRowLessEqual, 2);
    setBasis(*lp, {1, 2});
    BasisEvaluator evaluator;
    ASSERT_EQ(EvaluateBasis(*lp, 1, evaluator), SolveStatus::Optimal);
    EXPECT_EQ(lp->basicList[1], 2);
    EXPECT_EQ(lp->basicList[2], 1);
    const Real x1 = 1 / 0.998L;
    EXPECT_NEAR(static_cast<double>(lp->basicValues[2]), static_cast<double>(x1), 1e-15);
    EXPECT_NEAR(static_cast<double>(lp->basicValues[1]), static_cast<double>(2 - x1), 1e-15);
    EXPECT_NEAR(static_cast<double>(lp->basicValues[3]), 2, 1e-15);
}

// ---------------------------------------------------------------------------
// Structures of the inversion: basic slacks, row singletons, column
// singletons and the nucleus each have their own path.

TEST(BasisEvaluatorStructure, LowerTriangularBasisOfRowSingletons)
{
    auto lp = newProgram(4, 5);
    setRow(*lp, 1, {1, 0, 0, 0, 2}, kRowLessEqual, 3);
    setRow(*lp, 2, {2, 1, 0, 0, 1}, kRowGreaterEqual, 1);
    setRow(*lp, 3, {1, 4, 2, 0, 0}, kRowLessEqual, 9);
    setRow(*lp, 4, {3, 1, 1, -1, 1}, kRowEqual, 2);
    for (int j = 1; j <= 5; ++j)
        lp->lpObjective[at(j)] = j;
    lp->lpBounds[5] = {1, 4};
    lp->atUpper[5] = true;
    setBasis(*lp, {4, 3, 2, 1});
    BasisEvaluator evaluator;
    evaluateAndCheck(*lp, 1, evaluator);
    evaluateAndCheck(*lp, -1, evaluator);
}

TEST(BasisEvaluatorStructure, ChainOfColumnSingletonsPlacedLast)
{
    // No row has a single basic column; x1 has one entry (row 1), and once
    // row 1 is set aside x2 has one (row 2), which it shares with x1's row.
    // They go in after the nucleus {x3, x4}, x2 before x1.
    auto lp = newProgram(4, 5);
    setRow(*lp, 1, {1, 2, 1, 1, 1}, kRowLessEqual, 10);
    setRow(*lp, 2, {0, 1, 1, 1, 2}, kRowGreaterEqual, 2);
    setRow(*lp, 3, {0, 0, 1, 3, 3}, kRowLessEqual, 6);
    setRow(*lp, 4, {0, 0, 2, 1, 4}, kRowLessEqual, 4);
    for (int j = 1; j <= 5; ++j)
        lp->lpObjective[at(j)] = 6 - j;
    lp->lpBounds[1] = {1, 1e41L};
    lp->lpBounds[5] = {0, 2};
    lp->atUpper[5] = true;
    setBasis(*lp, {1, 2, 3, 4});
    BasisEvaluator evaluator;
    evaluateAndCheck(*lp, 1, evaluator);
    evaluateAndCheck(*lp, -1, evaluator);
}

TEST(BasisEvaluatorStructure, SlacksRowAndColumnSingletonsAndNucleusTogether)
{
    // Basis {x1, x2, x4, x5, s1}. Row 1: its slack. Row 5 holds no other
    // basic column than x1 (a row singleton). Of rows 2..4, x5 has an entry
    // only in row 4 (a column singleton); x2 and x4 form the nucleus on rows
    // 2 and 3. The second basis has x3 (fixed at 2) in place of x2.
    auto lp = newProgram(5, 6);
    setRow(*lp, 1, {1, 1, 1, 1, 1, 1}, kRowLessEqual, 20);
    setRow(*lp, 2, {2, 1, -1, 3, 0, 1}, kRowGreaterEqual, 1);
    setRow(*lp, 3, {0, 2, 1, 1, 0, 0}, kRowEqual, 5);
    setRow(*lp, 4, {1, 1, 0, 2, 3, 1}, kRowLessEqual, 12);
    setRow(*lp, 5, {4, 0, 0, 0, 0, 1}, kRowLessEqual, 8);
    for (int j = 1; j <= 6; ++j)
        lp->lpObjective[at(j)] = (j % 2 == 0) ? j : -j;
    lp->lpBounds[3] = {2, 2};
    lp->lpBounds[6] = {1, 3};
    lp->atUpper[6] = true;
    setBasis(*lp, {5, 4, 1, 2, 7}); // 7: the slack of row 1
    BasisEvaluator evaluator;
    evaluateAndCheck(*lp, 1, evaluator);
    setBasis(*lp, {5, 4, 1, 3, 7});
    evaluateAndCheck(*lp, -1, evaluator);
}

// ---------------------------------------------------------------------------
// Random programs against dense elimination.

TEST(BasisEvaluatorRandom, SmallIntegerProgramsMatchDenseElimination)
{
    // Integer coefficients of at most 3 in at most 7 rows: every nonzero of a
    // transformed column is a ratio of integer minors, far above 1e-8, and
    // a singular basis is exactly singular.
    std::mt19937 rng(20240611u);
    BasisEvaluator evaluator;
    const double densities[] = {0.25, 0.5, 0.85};
    int checked = 0;
    int singular = 0;
    for (int trial = 0; trial < 900; ++trial) {
        RandomShape shape;
        shape.rows = 1 + trial % 7;
        shape.cols = 1 + (trial / 7) % 7;
        shape.density = densities[trial % 3];
        auto in = randomProgram(rng, shape);
        const int sense = trial % 2 == 0 ? 1 : -1;
        SCOPED_TRACE("trial " + std::to_string(trial));
        if (basisIsSingular(*in)) {
            auto out = std::make_unique<LpTables>(*in);
            EXPECT_EQ(EvaluateBasis(*out, sense, evaluator), SolveStatus::Other);
            EXPECT_EQ(out->status, SolveStatus::Other);
            ++singular;
        } else {
            evaluateAndCheck(*in, sense, evaluator);
            ++checked;
        }
        if (HasFailure())
            return;
    }
    EXPECT_GE(checked, 400);
    EXPECT_GE(singular, 50);
}

TEST(BasisEvaluatorRandom, NegativeLowerBoundsAreShiftedToo)
{
    std::mt19937 rng(77u);
    BasisEvaluator evaluator;
    int checked = 0;
    for (int trial = 0; trial < 300; ++trial) {
        RandomShape shape;
        shape.rows = 2 + trial % 5;
        shape.cols = 2 + (trial / 5) % 5;
        shape.negativeLower = true;
        auto in = randomProgram(rng, shape);
        if (basisIsSingular(*in))
            continue;
        SCOPED_TRACE("trial " + std::to_string(trial));
        evaluateAndCheck(*in, trial % 2 == 0 ? 1 : -1, evaluator);
        ++checked;
        if (HasFailure())
            return;
    }
    EXPECT_GE(checked, 150);
}

// A well-conditioned basis of a real-valued program: the largest entry of
// B^-1 stays moderate.
bool wellConditioned(const LpTables& lp)
{
    const std::vector<int> basis = inputBasis(lp);
    DenseLu lu(basisMatrix(lp, basis));
    if (lu.singular())
        return false;
    const int R = lp.lpRowCount;
    for (int r = 0; r < R; ++r) {
        Vec e(at(R), 0);
        e[at(r)] = 1;
        for (long double v : lu.solve(e))
            if (std::fabs(v) > 1e3L)
                return false;
    }
    return true;
}

TEST(BasisEvaluatorRandom, RealProgramsOfMediumSize)
{
    std::mt19937 rng(4242u);
    BasisEvaluator evaluator;
    int checked = 0;
    for (int trial = 0; trial < 120; ++trial) {
        RandomShape shape;
        shape.rows = std::uniform_int_distribution<int>(8, 40)(rng);
        shape.cols = std::uniform_int_distribution<int>(8, 40)(rng);
        shape.density = trial % 2 == 0 ? 0.15 : 0.6;
        shape.integral = false;
        auto in = randomProgram(rng, shape);
        if (!wellConditioned(*in))
            continue;
        SCOPED_TRACE("trial " + std::to_string(trial));
        evaluateAndCheck(*in, trial % 3 == 0 ? 1 : -1, evaluator, Tolerance{1e-9L, 1e-6L});
        ++checked;
        if (HasFailure())
            return;
    }
    EXPECT_GE(checked, 40);
}

TEST(BasisEvaluatorRandom, LargestProgramThenASmallOneWithTheSameEvaluator)
{
    // 140 rows and 103 columns: the tableau fills its 141 x 104 table.
    std::mt19937 rng(9001u);
    RandomShape shape;
    shape.rows = kMaxLpRows;
    shape.cols = kMaxLpColumns;
    shape.density = 0.3;
    shape.integral = false;
    auto in = randomProgram(rng, shape);
    // 60 columns and the slacks of 80 rows basic; no "=" row, so that every
    // nonbasic variable keeps its tableau column.
    for (int r = 1; r <= shape.rows; ++r)
        if (in->lpRows[at(r)].type == kRowEqual)
            in->lpRows[at(r)].type = kRowLessEqual;
    std::vector<int> columns(at(shape.cols));
    std::iota(columns.begin(), columns.end(), 1);
    std::vector<int> rows(at(shape.rows));
    std::iota(rows.begin(), rows.end(), 1);
    bool found = false;
    for (int attempt = 0; attempt < 20 && !found; ++attempt) {
        std::shuffle(columns.begin(), columns.end(), rng);
        std::shuffle(rows.begin(), rows.end(), rng);
        for (int i = 0; i < 60; ++i)
            in->basicList[at(i + 1)] = columns[at(i)];
        for (int i = 0; i < 80; ++i)
            in->basicList[at(61 + i)] = shape.cols + rows[at(i)];
        const std::vector<int> basis = inputBasis(*in);
        for (int j = 1; j <= shape.cols; ++j)
            in->atUpper[at(j)] = !isBasic(basis, j) && in->lpBounds[at(j)].up < kInfiniteBound && j % 2 == 0;
        found = wellConditioned(*in);
    }
    ASSERT_TRUE(found);

    BasisEvaluator evaluator;
    auto out = std::make_unique<LpTables>(*in);
    ASSERT_EQ(EvaluateBasis(*out, 1, evaluator), SolveStatus::Optimal);
    EXPECT_EQ(out->tabRows, kMaxTableauRows);
    EXPECT_EQ(out->tabCols, kMaxTableauCols);
    expectReadBackOfBasis(*in, *out, 1, Tolerance{1e-9L, 1e-6L});

    // Nothing of the large program is left over.
    auto small = maximizedExample();
    ASSERT_EQ(EvaluateBasis(*small, 1, evaluator), SolveStatus::Optimal);
    EXPECT_EQ(small->tabRows, 4);
    EXPECT_EQ(small->tabCols, 3);
    EXPECT_NEAR(static_cast<double>(small->tableau[4][1]), -3.5, 1e-15);
    EXPECT_NEAR(static_cast<double>(small->tableau[4][3]), 11, 1e-15);
}

// ---------------------------------------------------------------------------
// Equality slacks

TEST(BasisEvaluatorEqualityRows, NonbasicEqualitySlacksLeaveTheTableau)
{
    // Rows 1 and 3 are "=". Basis {x1, x2, s3}: the slack of row 1 is
    // nonbasic and dropped, the basic slack of row 3 stays.
    auto lp = newProgram(3, 3);
    setRow(*lp, 1, {1, 1, 1}, kRowEqual, 5);
    setRow(*lp, 2, {1, -1, 2}, kRowLessEqual, 3);
    setRow(*lp, 3, {0, 1, 1}, kRowEqual, 2);
    lp->lpObjective[1] = 1;
    lp->lpObjective[2] = 2;
    lp->lpObjective[3] = 3;
    setBasis(*lp, {1, 2, 6});
    BasisEvaluator evaluator;
    auto out = std::make_unique<LpTables>(*lp);
    ASSERT_EQ(EvaluateBasis(*out, 1, evaluator), SolveStatus::Optimal);
    // Nonbasic: s1 (dropped), s2 = 5, x3 = 3.
    EXPECT_EQ(out->tabCols, 3);
    EXPECT_LT(out->tabCols - 1, out->lpColumnCount);
    EXPECT_EQ(out->nonbasicList[1], 5);
    EXPECT_EQ(out->nonbasicList[2], 3);
    EXPECT_EQ(out->nonbasicList[3], 0);
    expectReadBackOfBasis(*lp, *out, 1);
}

TEST(BasisEvaluatorEqualityRows, DropEqualitySlacksShiftsColumnsListsAndValues)
{
    // Rows 1 and 3 are "=", row 2 "<="; 3 columns, so the slacks are 4..6.
    auto lp = newProgram(3, 3);
    lp->lpRows[1].type = kRowEqual;
    lp->lpRows[2].type = kRowLessEqual;
    lp->lpRows[3].type = kRowEqual;
    lp->tabRows = 4;
    lp->tabCols = 5;
    const int list[] = {0, 4, 2, 6, 5, 0};
    for (int j = 1; j <= 5; ++j) {
        lp->nonbasicList[at(j)] = list[j];
        lp->nonbasicValues[at(j)] = j < 5 ? j / 10.0L : 0;
    }
    for (int i = 1; i <= 4; ++i)
        for (int j = 1; j <= 5; ++j)
            lp->tableau[at(i)][at(j)] = 10 * i + j;
    DropEqualitySlacks(*lp);
    EXPECT_EQ(lp->tabCols, 3);
    EXPECT_EQ(lp->tabRows, 4);
    EXPECT_EQ(lp->nonbasicList[1], 2);
    EXPECT_EQ(lp->nonbasicList[2], 5);
    EXPECT_EQ(lp->nonbasicList[3], 0);
    EXPECT_EQ(lp->nonbasicValues[1], 0.2L);
    EXPECT_EQ(lp->nonbasicValues[2], 0.4L);
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(lp->tableau[at(i)][1], 10 * i + 2);
        EXPECT_EQ(lp->tableau[at(i)][2], 10 * i + 4);
        EXPECT_EQ(lp->tableau[at(i)][3], 10 * i + 5); // the carried column
    }

    // A second call finds nothing more to drop.
    DropEqualitySlacks(*lp);
    EXPECT_EQ(lp->tabCols, 3);
    EXPECT_EQ(lp->nonbasicList[1], 2);
}

// ---------------------------------------------------------------------------
// Singular and refused bases

TEST(BasisEvaluatorFailure, TwoIdenticalBasicColumns)
{
    auto lp = newProgram(2, 3);
    setRow(*lp, 1, {1, 1, 0}, kRowLessEqual, 4);
    setRow(*lp, 2, {2, 2, 1}, kRowLessEqual, 6);
    lp->lpObjective[1] = 1;
    lp->lpObjective[2] = 2;
    setBasis(*lp, {1, 2});
    lp->tabRows = 77;
    BasisEvaluator evaluator;
    EXPECT_EQ(evaluator.factorize(*lp, 1, lp->basicList.data(), lp->atUpper.data()),
              BasisEvaluator::Result::Singular);
    EXPECT_EQ(EvaluateBasis(*lp, 1, evaluator), SolveStatus::Other);
    EXPECT_EQ(lp->status, SolveStatus::Other);
    EXPECT_EQ(lp->call, CallStatus::SingularBasis);
    EXPECT_EQ(lp->tabRows, 77); // the read-back is left alone
    EXPECT_EQ(lp->basicList[1], 1);
    EXPECT_EQ(lp->basicList[2], 2);

    // The evaluator is usable again afterwards.
    setBasis(*lp, {1, 3});
    evaluateAndCheck(*lp, 1, evaluator);
}

TEST(BasisEvaluatorFailure, ZeroBasicColumn)
{
    auto lp = newProgram(2, 3);
    setRow(*lp, 1, {1, 0, 1}, kRowLessEqual, 4);
    setRow(*lp, 2, {2, 0, 3}, kRowGreaterEqual, 1);
    lp->lpObjective[2] = 5; // a cost, but no entry in any row
    setBasis(*lp, {2, 3});
    BasisEvaluator evaluator;
    EXPECT_EQ(EvaluateBasis(*lp, -1, evaluator), SolveStatus::Other);
    // The slack of row 1 and a column with only a row-1 entry.
    setRow(*lp, 2, {2, 0, 0}, kRowGreaterEqual, 1);
    setBasis(*lp, {4, 3});
    EXPECT_EQ(EvaluateBasis(*lp, -1, evaluator), SolveStatus::Other);
}

TEST(BasisEvaluatorFailure, AVariableListedTwiceIsSingular)
{
    auto lp = maximizedExample();
    setBasis(*lp, {1, 2, 1});
    BasisEvaluator evaluator;
    EXPECT_EQ(evaluator.factorize(*lp, 1, lp->basicList.data(), lp->atUpper.data()),
              BasisEvaluator::Result::Singular);
    EXPECT_EQ(EvaluateBasis(*lp, 1, evaluator), SolveStatus::Other);
}

TEST(BasisEvaluatorFailure, TablesOutsideTheirRangeAreRefused)
{
    BasisEvaluator evaluator;
    {
        auto lp = maximizedExample();
        setBasis(*lp, {1, 2, 6}); // 2 columns + 3 rows: 6 is no variable
        EXPECT_EQ(evaluator.factorize(*lp, 1, lp->basicList.data(), lp->atUpper.data()),
                  BasisEvaluator::Result::OutOfRange);
        EXPECT_EQ(EvaluateBasis(*lp, 1, evaluator), SolveStatus::Other);
        EXPECT_EQ(lp->call, CallStatus::BasisRefused);
        setBasis(*lp, {1, 0, 5});
        EXPECT_EQ(EvaluateBasis(*lp, 1, evaluator), SolveStatus::Other);
    }
    {
        auto lp = maximizedExample();
        lp->lpRows[2].type = RowTypeOfCode(3);
        EXPECT_EQ(EvaluateBasis(*lp, 1, evaluator), SolveStatus::Other);
    }
    {
        auto lp = maximizedExample();
        lp->lpRowCount = kMaxLpRows + 1;
        EXPECT_EQ(evaluator.factorize(*lp, 1, lp->basicList.data(), lp->atUpper.data()),
                  BasisEvaluator::Result::Invalid);
    }
    // A refused program leaves nothing behind.
    auto lp = maximizedExample();
    ASSERT_EQ(EvaluateBasis(*lp, 1, evaluator), SolveStatus::Optimal);
    EXPECT_NEAR(static_cast<double>(lp->basicValues[4]), 11, 1e-15);
}

// ---------------------------------------------------------------------------
// Flags and the evaluator's own interface

TEST(BasisEvaluatorFlags, AtUpperFlagOfABasicColumnIsIgnored)
{
    // A column that has just entered the basis may still carry its flag.
    std::mt19937 rng(31u);
    BasisEvaluator evaluator;
    int compared = 0;
    for (int trial = 0; trial < 200 && compared < 60; ++trial) {
        RandomShape shape;
        shape.rows = 3 + trial % 4;
        shape.cols = 3 + trial % 5;
        auto clean = randomProgram(rng, shape);
        if (basisIsSingular(*clean))
            continue;
        auto stale = std::make_unique<LpTables>(*clean);
        const std::vector<int> basis = inputBasis(*clean);
        bool flagged = false;
        for (int v : basis)
            if (stale->isColumn(v) && stale->lpBounds[at(v)].up < kInfiniteBound) {
                stale->atUpper[at(v)] = true;
                flagged = true;
            }
        if (!flagged)
            continue;
        SCOPED_TRACE("trial " + std::to_string(trial));
        ASSERT_EQ(EvaluateBasis(*stale, 1, evaluator), SolveStatus::Optimal);
        expectReadBackOfBasis(*clean, *stale, 1);
        ++compared;
        if (HasFailure())
            return;
    }
    EXPECT_GE(compared, 60);
}

TEST(BasisEvaluatorFlags, AtUpperFlagWithoutAFiniteUpperBoundIsIgnored)
{
    auto lp = minimizedExample(6);
    setBasis(*lp, {2, 1});
    lp->lpBounds[3] = {0, kInfiniteBound};
    BasisEvaluator evaluator;
    auto out = std::make_unique<LpTables>(*lp);
    ASSERT_EQ(EvaluateBasis(*out, -1, evaluator), SolveStatus::Optimal);
    EXPECT_FALSE(out->atUpper[3]);
    EXPECT_EQ(out->nonbasicValues[3], 0);
    // x1 + x2 = 6, x1 - x2 = 2.
    EXPECT_NEAR(static_cast<double>(out->basicValues[1]), 4, 1e-15);
    EXPECT_NEAR(static_cast<double>(out->basicValues[2]), 2, 1e-15);
}

TEST(BasisEvaluatorInterface, TransformsValuesAndRowsAgreeWithElimination)
{
    std::mt19937 rng(555u);
    BasisEvaluator evaluator;
    int checked = 0;
    for (int trial = 0; trial < 200; ++trial) {
        RandomShape shape;
        shape.rows = 2 + trial % 6;
        shape.cols = 2 + (trial / 6) % 6;
        auto lp = randomProgram(rng, shape);
        if (basisIsSingular(*lp))
            continue;
        SCOPED_TRACE("trial " + std::to_string(trial));
        const int R = lp->lpRowCount;
        const int C = lp->lpColumnCount;
        ASSERT_EQ(evaluator.factorize(*lp, 1, lp->basicList.data(), lp->atUpper.data()),
                  BasisEvaluator::Result::Ok);

        // basicInRow and rowOf are inverse, and nonbasic variables have no row.
        std::vector<int> rowBasis(at(R));
        for (int r = 1; r <= R; ++r) {
            rowBasis[at(r - 1)] = evaluator.basicInRow(r);
            EXPECT_EQ(evaluator.rowOf(rowBasis[at(r - 1)]), r);
        }
        const std::vector<int> chosen = inputBasis(*lp);
        for (int v = 1; v <= C + R; ++v) {
            if (!isBasic(chosen, v)) {
                EXPECT_EQ(evaluator.rowOf(v), 0);
            }
        }

        DenseLu lu(basisMatrix(*lp, rowBasis));
        ASSERT_FALSE(lu.singular());
        std::vector<Real> maxColumn(at(R + 1));
        std::vector<Real> minColumn(at(R + 1));
        for (int v = 1; v <= C + R; ++v) {
            evaluator.transformVariable(v, maxColumn.data());
            // Rows in the program's signs: B t = a_v; row 0 is the reduced
            // cost in the engine's minimization signs, -(c_v - z_v) here.
            const Vec t = lu.solve(programColumn(*lp, v));
            long double z = 0;
            for (int i = 1; i <= R; ++i) {
                EXPECT_TRUE(near(maxColumn[at(i)], t[at(i - 1)], 1e-9L)) << "variable " << v << " row " << i;
                z += cost(*lp, rowBasis[at(i - 1)]) * t[at(i - 1)];
            }
            EXPECT_TRUE(near(maxColumn[0], -(cost(*lp, v) - z), 1e-9L)) << "variable " << v;
            const int row = evaluator.rowOf(v);
            if (row != 0) {
                // A basic variable transforms to its unit column, cost 0.
                for (int i = 0; i <= R; ++i)
                    EXPECT_EQ(maxColumn[at(i)], i == row ? 1 : 0) << "basic variable " << v << " row " << i;
            }
        }

        // The same basis minimized: the same rows, row 0 of the opposite sign.
        auto minimized = std::make_unique<LpTables>(*lp);
        BasisEvaluator other;
        ASSERT_EQ(other.factorize(*minimized, -1, minimized->basicList.data(), minimized->atUpper.data()),
                  BasisEvaluator::Result::Ok);
        ASSERT_EQ(evaluator.factorize(*lp, 1, lp->basicList.data(), lp->atUpper.data()), BasisEvaluator::Result::Ok);
        for (int v = 1; v <= C + R; ++v) {
            evaluator.transformVariable(v, maxColumn.data());
            other.transformVariable(v, minColumn.data());
            for (int i = 1; i <= R; ++i)
                EXPECT_TRUE(near(minColumn[at(other.rowOf(evaluator.basicInRow(i)))], maxColumn[at(i)], 1e-12L));
            EXPECT_TRUE(near(minColumn[0], -maxColumn[0], 1e-12L));
        }

        // Values: basic columns from B x_B = b - N x_N, rows from the columns.
        std::vector<Real> x(at(C + 1));
        std::vector<Real> activity(at(R + 1));
        evaluator.computeValues(x.data(), activity.data());
        Vec rhs(at(R));
        for (int r = 1; r <= R; ++r)
            rhs[at(r - 1)] = lp->lpRows[at(r)].rhs;
        Vec expectedX(at(C + 1), 0);
        for (int j = 1; j <= C; ++j) {
            if (isBasic(chosen, j))
                continue;
            const LpBound& b = lp->lpBounds[at(j)];
            expectedX[at(j)] = lp->atUpper[at(j)] ? b.up : b.lo;
            for (int r = 1; r <= R; ++r)
                rhs[at(r - 1)] -= lp->lpRows[at(r)].coef[at(j)] * expectedX[at(j)];
        }
        const Vec xB = lu.solve(rhs);
        for (int i = 1; i <= R; ++i)
            if (lp->isColumn(rowBasis[at(i - 1)]))
                expectedX[at(rowBasis[at(i - 1)])] = xB[at(i - 1)];
        Real objective = 0;
        for (int j = 1; j <= C; ++j) {
            EXPECT_TRUE(near(x[at(j)], expectedX[at(j)], 1e-6L)) << "column " << j;
            objective += lp->lpObjective[at(j)] * expectedX[at(j)];
        }
        EXPECT_TRUE(near(activity[0], objective, 1e-6L));
        for (int r = 1; r <= R; ++r) {
            long double a = 0;
            for (int j = 1; j <= C; ++j)
                a += lp->lpRows[at(r)].coef[at(j)] * expectedX[at(j)];
            EXPECT_TRUE(near(activity[at(r)], a, 1e-6L)) << "row " << r;
        }

        // The transformed right-hand side: basic values above lower bounds,
        // row 0 the objective value (maximizing).
        std::vector<Real> carried(at(R + 1));
        evaluator.transformedRhs(carried.data());
        for (int i = 1; i <= R; ++i) {
            const int v = rowBasis[at(i - 1)];
            const long double expected = xB[at(i - 1)] - lowerBound(*lp, v);
            EXPECT_TRUE(near(carried[at(i)], expected, 1e-6L)) << "row " << i;
        }
        EXPECT_TRUE(near(carried[0], objective, 1e-6L));
        ++checked;
        if (HasFailure())
            return;
    }
    EXPECT_GE(checked, 100);
}

} // namespace
