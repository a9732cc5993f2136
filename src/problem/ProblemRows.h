#pragma once

#include "workspace/Workspace.h"

// Row operations on a problem's constraints, shared by the problem editor and
// the MPS reader.

// Removes constraint `row` (1-based): rows row+1..numConstraints move up one
// place (their coefficients of columns 1..numVariables, type and right-hand
// side), the row that becomes free at the bottom is cleared (those
// coefficients 0, type "<=", right-hand side 0) and numConstraints drops by
// one. Objectives, variables and slack names are not touched (the slack names
// follow the row numbers and are rebuilt when the problem is accepted). A
// `row` outside 1..numConstraints leaves the problem unchanged.
void DeleteConstraintRow(ProblemData& problem, int row);
