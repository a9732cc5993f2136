#pragma once

#include "workspace/Workspace.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Problems in the MPS format, fixed-column or free: the ROWS, COLUMNS, RHS
// and OBJSENSE sections and the bound types LO, UP, FX, BV and PL. Every
// objective row ("N") becomes an objective, minimized unless OBJSENSE says
// MAX or MAXIMIZE, in the order of the ROWS section, named after its row;
// every other row becomes a constraint, in the same order.
//
// Fixed columns: a data line is cut at 1-based positions: 2-3 type, 5-12
// name 1, 15-22 name 2, 25-36 value 1, 40-47 name 3, 50-61 value 2; names are
// compared without their trailing blanks and may hold blanks. Free format:
// the fields are the words of the line, names have no blanks and any length;
// an RHS line may leave out its set name, and so may a BOUNDS line. Names
// longer than the workspace holds are cut (variables to MaxVarNameLength,
// objectives to MaxObjNameLength); two that become equal are refused.
//
// Lines may end in LF, CR LF or CR. A line whose first character is not a
// blank is a section header; lines starting with "*" are comments, and empty
// lines are skipped; ENDATA must end the file. Before the ROWS header only
// OBJSENSE is read. OBJSENSE
// comes as a header with the sense on the next line, or with the sense on
// the header line itself, anywhere in the file.

// Which layout a file is read in. Automatic takes fixed columns when every
// data line fits them (each word inside a field, no TAB, the fields its
// section needs filled), so that a fixed-column file whose names hold blanks
// still reads in fixed columns; otherwise free.
enum class MpsFormat { Automatic, Fixed, Free };

// The layout Automatic chooses for `bytes`.
MpsFormat DetectMpsFormat(const QByteArray& bytes);

// The largest MPS file the reader takes; anything larger is refused before
// it is read. A problem at the limits takes at most 10,508 data lines: the
// NAME, ROWS, COLUMNS, RHS, BOUNDS and ENDATA lines, 100 rows, one line for
// each of the 101 x 100 coefficients, 100 right-hand sides and two bounds
// for each of the 101 columns. Each line is allowed 256 characters (the
// fields end at column 61) and there may be as many comment or blank lines
// again: 2 x 10,508 x 256 = 5,380,096 bytes.
inline constexpr qint64 kMpsDataLines = 6 + MaxConstraints + MaxVariables * MaxConstraints + MaxConstraints
                                        + 2 * MaxVariables;
inline constexpr qint64 kMaxMpsFileBytes = 2 * kMpsDataLines * 256;

struct MpsReadResult {
    // The file's problem fits the limits: at most MaxConstraints rows in the
    // ROWS section (objective rows included), MaxVariables columns and
    // MaxObjectives objective rows.
    bool fits = true;
    // Everything in the file was understood: ENDATA at its end, no RANGES
    // section, no section the reader does not know, no row type other than
    // N, L, G or E, an OBJSENSE of MAX, MAXIMIZE, MIN or MINIMIZE, the fields
    // a free-format line of its section has, no two names that become equal
    // when cut, no bound type other than LO, UP, FX, BV or PL, no negative UP bound on a column whose lower bound is 0 (it would mean
    // a lower bound of minus infinity), no integer markers, no name that the
    // ROWS or COLUMNS section did not define (or defined twice, or a column
    // whose lines are not consecutive), at least one objective row and at
    // least one column.
    bool converted = true;
    // Not empty when the reading stopped at an error, which is then the only
    // text to show: a value field that is not a number ("'x' is not a valid
    // floating point value", also for a value beyond the range of a double),
    // followed by "Line N."), or a file that cannot be read, is not a
    // regular file or is larger than kMaxMpsFileBytes. `converted` is false
    // then.
    QString message;
    // Where the problem stopped fitting, and where it first could not be
    // converted: "Line 12: ..." (empty while fits, or converted, is true).
    QString tooBigAt;
    QString notConvertedAt;

    bool accepted() const { return fits && converted && message.isEmpty(); }
};

// Reads the MPS file in `path`. The file is read into a copy of `problem` and
// `problem` is replaced only when the result is accepted(); otherwise it is
// left exactly as it was.
//
// On success the reader sets the counts, the objectives (coefficients of
// columns 1..n, sense -1, or 1 with OBJSENSE MAX, names), the constraints
// (coefficients of columns 1..n, types and right-hand sides of their rows, with the rows freed by the
// objectives cleared), the bounds of every variable (0 and kInfiniteBound
// unless the BOUNDS section says otherwise) and the names of variables 1..n.
// Everything else keeps the values the caller prepared (normally those of
// ResetProblemData); slack names are not rebuilt.
MpsReadResult ReadMpsFile(const QString& path, ProblemData& problem, MpsFormat format = MpsFormat::Automatic);
// The same from the file's bytes.
MpsReadResult ParseMpsText(const QByteArray& bytes, ProblemData& problem, MpsFormat format = MpsFormat::Automatic);
// The messages a caller shows for a refused result, in their order: the
// reading error alone, or "too big" and "Error in converting the problem",
// each followed by the line it concerns.
QStringList MpsRefusalMessages(const MpsReadResult& result);
