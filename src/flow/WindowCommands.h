#pragma once

#include <optional>

#include "base/UiPort.h"

#include <QString>

class QImage;
struct Workspace;
class WeightSpaceView;

// The commands of the windows that ask the person for a file or a number
// before the core computes: the results file, the basket table, the
// pictures and the weight space's "Show One".

// The export command: the save dialog ("Output file (*.out)"), the
// overwrite question for an existing file (only Yes goes on) and an error
// box when the file cannot be written. The file written, or nullopt.
std::optional<QString> ExportResultsCommand(const Workspace& ws, UiPort& ui);
// The import command: the open dialog; nothing happens when no file is
// chosen or it cannot be opened; a refused file gives an error box. True
// when the results were imported: the caller then shows the solutions phase.
bool ImportResultsCommand(Workspace& ws, UiPort& ui);

enum class BasketSaveResult { Saved, Cancelled, Failed };

// The "Save as a text file" command: asks for a file, asks "OK to overwrite
// <path>" (Yes/No/Cancel) when it exists and writes BasketTableText there
// only after Yes. A write error is shown as an error message.
BasketSaveResult SaveBasketTable(const Workspace& ws, UiPort& ui);

// The whole save command of a picture window: the save dialog titled
// `title`, "OK to overwrite ..." for an existing file, the write, and its
// failure in an error box. False when nothing was written.
bool SavePictureCommand(UiPort& ui, const QImage& picture, const QString& title, bool pngFirst);

// "Show One": asks for a solution index and, for a degenerate solution, a
// region ordinal, and draws what was chosen (after clearing the picture
// when `clearFirst`). Non-numbers end silently; an index outside the basket
// gives "Invalid data".
void ShowOneCommand(WeightSpaceView& view, const Workspace& ws, UiPort& ui, bool clearFirst);
