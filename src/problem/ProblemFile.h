#pragma once

#include "base/TextFileFormat.h"
#include "workspace/Workspace.h"

#include <QByteArray>
#include <QString>

// The problem file (.mlp): sizes, objectives with senses and names,
// constraints with types and right-hand sides, variable bounds and names.

enum class ProblemReadStatus {
    Ok,
    TooBig,     // a count above the limits: "Can´t read this problem. It is too big!"
    InputError, // unreadable file, a token that is not a number, a truncated file, invalid counts
};

struct ProblemReadResult {
    ProblemReadStatus status = ProblemReadStatus::Ok;
    QString message; // for InputError and TooBig: the text to show the user
};

struct ProblemWriteResult {
    bool ok = true;
    QString message; // the reason when !ok
};

// The largest .mlp file the reader takes; anything larger is refused before
// it is read. A problem at the limits has 227 lines (3 counts, 3 headings,
// 20 objectives, 100 constraints, 101 variables) of at most 103 numbers
// (a constraint: 101 coefficients, its type and its right-hand side). Each
// number is allowed the longest token the reader takes (64 characters) and
// as many blanks before it, and each line 1 KiB of name or comment:
// 227 x (103 x 128 + 1024) = 3,225,216 bytes, about ten times the 301 KB of
// the largest file the program writes.
inline constexpr qint64 kProblemFileLines = 3 + 3 + MaxObjectives + MaxConstraints + MaxVariables;
inline constexpr qint64 kProblemLineNumbers = MaxVariables + 2;
inline constexpr qint64 kMaxProblemFileBytes = kProblemFileLines * (kProblemLineNumbers * (64 + 64) + 1024);

// True when `path` is not empty and the file can be opened for reading.
// Opening never waits, so a FIFO does not block.
bool ProblemFileExists(const QString& path);

// Reads the problem in `path`; only a regular file of at most
// kMaxProblemFileBytes is read. The file is parsed into a copy of `problem`
// (so fields the file does not set keep the values the caller prepared,
// normally those of ResetProblemData) and `problem` is replaced only when the
// whole file was read: any refusal leaves it exactly as it was.
ProblemReadResult ReadProblemFile(const QString& path, ProblemData& problem);
// The input error shown when ReadWholeFile refused or failed to read the
// problem file `path` (.mlp or MPS) with the limit `maxBytes`.
QString ProblemFileReadError(const QString& path, const FileReadResult& read, qint64 maxBytes);
// The same from the file's bytes.
ProblemReadResult ParseProblemText(const QByteArray& bytes, ProblemData& problem);

// The file text of `problem`, CR LF line ends, Windows-1252 names.
QByteArray ProblemFileText(const ProblemData& problem);
// Writes to a temporary file and renames it over `path`, so a failed write
// never destroys the previous file.
ProblemWriteResult WriteProblemFile(const QString& path, const ProblemData& problem);
