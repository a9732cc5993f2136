#include "problem/ProblemRows.h"

#include <algorithm>

void DeleteConstraintRow(ProblemData& problem, int row)
{
    const int m = std::min(problem.numConstraints, MaxConstraints);
    const int n = std::clamp(problem.numVariables, 0, MaxVariables);
    if (row < 1 || row > m)
        return;
    for (int i = row; i < m; ++i) {
        for (int j = 1; j <= n; ++j)
            problem.conCoef[i][j] = problem.conCoef[i + 1][j];
        problem.conType[i] = problem.conType[i + 1];
        problem.conRhs[i] = problem.conRhs[i + 1];
    }
    for (int j = 1; j <= n; ++j)
        problem.conCoef[m][j] = 0;
    problem.conType[m] = ConLessEqual;
    problem.conRhs[m] = 0;
    problem.numConstraints = m - 1;
}
