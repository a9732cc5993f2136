// The commands of the flow that draw or save a picture. They are built
// into the pictures library, with the weight space drawing, so that the
// command-line program links without the GUI library.

#include "flow/CancellableSolves.h"
#include "flow/Session.h"
#include "flow/WeightSpaceCommands.h"
#include "flow/WindowCommands.h"
#include "base/Messages.h"
#include "base/NumberFormat.h"
#include "base/SaveFlow.h"
#include "lp/LpSolveAdapter.h"
#include "nadir/ExactNadir.h"
#include "solutions/Computation.h"
#include "solutions/Limitations.h"
#include "solutions/Messages.h"
#include "solutions/PictureFile.h"
#include "weightspace/Messages.h"
#include "weightspace/WeightSpaceCommands.h"
#include "weightspace/WeightSpaceView.h"

#include <algorithm>
#include "workspace/Workspace.h"

namespace {

QString text(const char* s) { return QString::fromUtf8(s); }

// An integer typed in an input box; false for anything else.
bool typedInt(const std::optional<QString>& typed, int& value)
{
    if (!typed)
        return false;
    bool ok = false;
    value = typed->trimmed().toInt(&ok);
    return ok;
}

} // namespace

bool SavePictureCommand(UiPort& ui, const QImage& picture, const QString& title, bool pngFirst)
{
    const auto chosen =
        ChooseSaveTarget(ui, title, PictureFilters(pngFirst), pngFirst ? QStringLiteral("png") : QStringLiteral("bmp"));
    if (!chosen)
        return false;
    QString error;
    if (!SavePicture(picture, *chosen, error)) {
        ui.showMessage(MsgKind::Error, QStringLiteral("Cannot write %1: %2").arg(*chosen, error));
        return false;
    }
    return true;
}

void ShowOneCommand(WeightSpaceView& view, const Workspace& ws, UiPort& ui, bool clearFirst)
{
    if (clearFirst)
        view.ClearPicture();
    int sol = 0;
    if (!typedInt(ui.inputText(text(msg::kShowOneTitle), text(msg::kShowOnePrompt), QString()), sol))
        return;
    if (sol < 1 || sol > ws.basketCount) {
        ui.showMessage(MsgKind::Information, text(msg::kInvalidData));
        return;
    }
    if (RegionChainLength(ws, sol) <= 1) {
        view.Actualiza(sol);
        return;
    }
    const auto typed = ui.inputText(text(msg::kShowOneRegionTitle), text(msg::kShowOneRegionPrompt), QString());
    if (!typed || typed->trimmed().isEmpty()) {
        view.Actualiza(sol);
        return;
    }
    int k = 0;
    if (typedInt(typed, k))
        static_cast<void>(view.ActualizaRegion(sol, k));
}

std::optional<ObjectiveChoice> WeightSpaceCommands::chooseAreaObjective(const char* title, const char* prompt,
                                                                       bool withValue, int highest, int x, int y)
{
    QStringList names;
    for (int k = 1; k <= ws_.numObjectives; ++k)
        names << ws_.objName[k];
    const auto choice = dialogs_.chooseObjective(text(title), text(prompt), names, withValue, x, y);
    if (!choice) {
        s_.finish(Outcome::Cancelled);
        return std::nullopt;
    }
    const int k = choice->selected + 1;
    if (k < 1 || k > highest) {
        ui_.showMessage(MsgKind::Information, text(msg::kInvalidFunction));
        s_.finish(Outcome::Refused);
        return std::nullopt;
    }
    return choice;
}

void WeightSpaceCommands::limitationAreaCommand(WeightSpaceView& view, int x, int y)
{
    const auto choice = chooseAreaObjective(msg::kLimitAreaTitle, msg::kLimitAreaPrompt, true, ws_.numObjectives, x, y);
    if (!choice)
        return;
    const int k = choice->selected + 1;
    Real v = 0;
    if (!ParseTypedReal(choice->valueText, v)) {
        s_.finish(Outcome::Refused);
        return;
    }
    LimitAreaEnd end = LimitAreaEnd::Nothing;
    {
        BusyCursor busy(ui_);
        const CancellableSolves cancellable(ui_, *s_.engine());
        const LimitAreaResult area = ComputeLimitationArea(view, ws_, *s_.engine(), k, v);
        ShowNotices(ui_, area.notices);
        end = area.end;
    }
    s_.finish(end == LimitAreaEnd::Drawn ? Outcome::Done : Outcome::Failed);
}

void WeightSpaceCommands::saveWeightSpacePicture(const WeightSpaceCanvas& canvas)
{
    const bool saved = SavePictureCommand(ui_, canvas.savedPicture(), text(msg::kSavePictureTitle), false);
    s_.finish(saved ? Outcome::Done : Outcome::Cancelled);
}

void WeightSpaceCommands::nadirAreaCommand(WeightSpaceView& view, int x, int y)
{
    const auto choice =
        chooseAreaObjective(msg::kNadirAreaTitle, msg::kNadirAreaPrompt, false, std::min(ws_.numObjectives, 3), x, y);
    if (!choice)
        return;
    const int k = choice->selected + 1;
    if (!view.nadirAreas[k].empty()) {
        view.nadirAreas[k].clear();
        view.RedrawTriangulo();
    }
    if (ws_.nadirSource[k] >= 1) {
        ui_.showMessage(MsgKind::Information, text(msg::kNadirAlreadyKnown)
                                                  .arg(k)
                                                  .arg(NadirValueText(ws_.nadirPoint[k]))
                                                  .arg(ws_.nadirSource[k]));
        s_.finish(Outcome::Done);
        return;
    }
    Real w = 0;
    const int worst = WorstStoredSolution(ws_, k, w);
    if (worst == 0) {
        s_.finish(Outcome::Refused);
        return;
    }
    NadirArea area;
    {
        BusyCursor busy(ui_);
        const CancellableSolves cancellable(ui_, *s_.engine());
        area = FindNadirArea(ws_, *s_.engine(), k, w);
        ShowNotices(ui_, area.notices);
    }
    const bool found = area.found;
    const bool ok = area.ok;
    if (!ok) {
        s_.finish(Outcome::Failed);
        return;
    }
    if (found) {
        ws_.nadirSource[k] = worst;
        ws_.nadirPoint[k] = w;
        const char* message = worst > ws_.numObjectives ? msg::kNadirFoundNew : msg::kNadirFoundPayoff;
        ui_.showMessage(MsgKind::Information, text(message).arg(k).arg(NadirValueText(w)).arg(worst));
    } else {
        StoreNadirAreas(view, ws_, k);
    }
    s_.finish(Outcome::Done);
}
