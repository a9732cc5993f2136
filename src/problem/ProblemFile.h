#pragma once

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

// True when `path` is not empty and the file can be opened for reading.
bool ProblemFileExists(const QString& path);

// Reads the problem in `path`. The file is parsed into a copy of `problem`
// (so fields the file does not set keep the values the caller prepared,
// normally those of ResetProblemData) and `problem` is replaced only when the
// whole file was read: any refusal leaves it exactly as it was.
ProblemReadResult ReadProblemFile(const QString& path, ProblemData& problem);
// The same from the file's bytes.
ProblemReadResult ParseProblemText(const QByteArray& bytes, ProblemData& problem);

// The file text of `problem`, CR LF line ends, Windows-1252 names.
QByteArray ProblemFileText(const ProblemData& problem);
// Writes to a temporary file and renames it over `path`, so a failed write
// never destroys the previous file.
ProblemWriteResult WriteProblemFile(const QString& path, const ProblemData& problem);
