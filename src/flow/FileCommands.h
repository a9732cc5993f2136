#pragma once

#include "problem/MpsFile.h"

#include <QString>
#include <QStringList>

#include <functional>

class DialogPort;
class Session;
class UiPort;
struct ProblemData;
struct Workspace;

// The File menu and the results file: new, open (.mlp, MPS, VLP), save as
// VLP, edit, import and export of solutions, save the report, exit.
//
// Works on the session it is made with, which must outlive it.
class FileCommands {
public:
    explicit FileCommands(Session& session);

    // New: validates the texts of the sizes dialog, showing its messages;
    // true when the counts can make a problem. The dialog stays open on false.
    bool acceptSizes(const QString& objectives, const QString& variables, const QString& constraints);
    // New, after the sizes dialog was accepted with valid counts: a problem
    // of that size with zero coefficients, objectives F1.., variables X1..,
    // opened in the problem editor.
    void newProblem(int objectives, int variables, int constraints);
    // Open: asks for a file, then openProblemFile.
    void openProblem();
    void openProblemFile(const QString& path);
    // Open MPS: asks for an MPS file, then openMpsFile.
    void openMpsProblem();
    // Reads the MPS file in `path` (fixed-column or free, as the file shows
    // unless `format` says); a file that does not fit the limits, or cannot
    // be converted, is refused with its messages and leaves the loaded
    // problem and the phase as they were.
    void openMpsFile(const QString& path, MpsFormat format = MpsFormat::Automatic);
    // Open VLP ...: asks for a .vlp file, then openVlpFile.
    void openVlpProblem();
    // Reads the vector linear program in `path` as openMpsFile reads MPS.
    void openVlpFile(const QString& path);
    // Save as VLP ...: asks for a file name and writes the loaded problem in
    // the .vlp format.
    void saveVlpProblem();
    // Edit: the loaded problem in the problem editor (after a warning when
    // computations would be lost).
    void editProblem();
    // Exit: after the question about solutions not exported, releases the LP
    // engine and the workspace's lists; the window then closes. False when
    // the person chose to stay.
    bool exitProgram();
    // Results file: import (then the solutions phase) and export.
    void importResultsCommand();
    void exportResultsCommand();
    // Save text: asks for a file (rich text or plain text by its extension),
    // asks before overwriting, and writes the report.
    void saveReport();

private:
    // Open, Open MPS, Open VLP: the question about solutions not exported,
    // then the file dialog, then `open` with the chosen file.
    void chooseAndOpen(const QString& title, const QStringList& filters, const QString& suffix,
                       const std::function<void(const QString&)>& open);
    // Reads `path` into a copy of the problem with `read` (false, its
    // messages shown, when the file is refused) and makes an accepted one
    // the workspace's problem.
    void openInto(const QString& path, const std::function<bool(ProblemData&)>& read);
    // Opens the problem editor on the workspace's problem; when it closes,
    // its problem replaces the workspace's and AccoesNovoProb runs.
    void runProblemEditor();

    Session& s_;
    Workspace& ws_;
    UiPort& ui_;
    DialogPort& dialogs_;
};
