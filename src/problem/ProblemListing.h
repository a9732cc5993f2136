#pragma once

#include "problem/ProblemFile.h"
#include "workspace/Workspace.h"

#include <QString>
#include <QStringList>

// The readable text listing of a problem ("Save as text ..."): sizes,
// objectives and constraints written as sums of terms, and the variables
// with their bounds.

// One term list as the listing writes it: for each variable j with a
// coefficient c other than 0, "+" when c > 0 and j >= 2, then NumText(c)
// immediately followed by the variable's name, then one blank.
QString ListingTerms(const ProblemData& problem, const std::array<Real, MaxVariables + 1>& coefficients);

// The lines of the listing, without line ends.
QStringList ProblemListingLines(const ProblemData& problem);
// The file text: Windows-1252, each line ended by CR LF.
QByteArray ProblemListingText(const ProblemData& problem);
// Writes the listing to `path`, creating or replacing the file.
ProblemWriteResult WriteProblemText(const QString& path, const ProblemData& problem);
