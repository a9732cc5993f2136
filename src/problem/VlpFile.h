#pragma once

#include "problem/ProblemFile.h"
#include "workspace/Workspace.h"

#include <QByteArray>
#include <QString>

// Vector linear programs in the .vlp format, one item per line:
//   c ...                      a comment
//   p vlp min|max m n nz q qnz the problem: m rows, n columns, nz constraint
//                              entries, q objectives, qnz objective entries
//   a i j v                    row i, column j of the constraint matrix
//   o k j v                    objective k, column j
//   i i t [l [u]]              the bounds of row i
//   j j t [l [u]]              the bounds of column j
//   e                          the end of the file
// Bound types: f free, l lower (l), u upper (u), d double (l u), s fixed (l).
// As the format defines, a column without a j line is fixed at 0 and a row
// without an i line is free; min or max applies to every objective. Only the
// natural ordering cone is taken: a file with cone lines (k) or more words on
// its p line is refused.
//
// Into the workspace: a free row is dropped; a row bounded on both sides
// becomes one "=" row when the bounds are equal, otherwise a ">=" row and a
// "<=" row; rows keep their order. A column needs a finite lower bound (the
// workspace has no free variables). Names are not part of the format: the
// objectives are F1.., the variables X1.., as in a new problem.

enum class VlpReadStatus {
    Ok,
    TooBig,  // "Can´t read this problem. It is too big!" and the line
    Refused, // a line that is wrong or not supported, or a file that cannot be read
};

struct VlpReadResult {
    VlpReadStatus status = VlpReadStatus::Ok;
    QString message; // the text to show the user for every status but Ok
};

// The largest .vlp file the reader takes; anything larger is refused before
// it is read. A problem at the limits has one line for each coefficient of
// 100 rows and 20 objectives over 101 columns, one for each row and column
// bound and a few more; each line is allowed 128 characters (four words of
// at most 32 characters) and there may be as many comment lines again.
inline constexpr qint64 kVlpDataLines =
    3 + (MaxConstraints + MaxObjectives) * MaxVariables + MaxConstraints + MaxVariables;
inline constexpr qint64 kMaxVlpFileBytes = 2 * kVlpDataLines * 128;

// Reads the .vlp file in `path` into a copy of `problem`; `problem` is
// replaced only when the whole file was accepted, and left exactly as it was
// otherwise. Sets the counts, objectives (coefficients, the file's sense,
// names F1..), constraints, bounds and names X1.. of the variables; slack
// names are not rebuilt.
VlpReadResult ReadVlpFile(const QString& path, ProblemData& problem);
// The same from the file's bytes.
VlpReadResult ParseVlpText(const QByteArray& bytes, ProblemData& problem);

// The .vlp text of `problem`. The format has one sense for all objectives:
// a problem whose objectives are all minimized is written as min, any other
// as max with the coefficients of its minimized objectives negated (and a
// comment that says so). Every row gets an i line and every column a j line;
// the names are written as comments.
QByteArray VlpFileText(const ProblemData& problem);
// Writes VlpFileText to a temporary file renamed over `path`.
ProblemWriteResult WriteVlpFile(const QString& path, const ProblemData& problem);
