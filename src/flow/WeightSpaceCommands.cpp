#include "flow/WeightSpaceCommands.h"

#include "flow/CancellableSolves.h"
#include "flow/Session.h"
#include "flow/WindowCommands.h"
#include "base/NumberFormat.h"
#include "lp/LpSolveAdapter.h"
#include "nadir/ExactNadir.h"
#include "solutions/Computation.h"
#include "solutions/Limitations.h"
#include "solutions/Messages.h"
#include "weightspace/Messages.h"
#include "weightspace/WeightSpaceCommands.h"
#include "weightspace/WeightSpaceView.h"
#include "workspace/Workspace.h"

namespace {

QString text(const char* s) { return QString::fromUtf8(s); }

} // namespace

WeightSpaceCommands::WeightSpaceCommands(Session& session)
    : s_(session), ws_(session.ws_), ui_(session.ui_), dialogs_(session.dialogs_)
{
}

void WeightSpaceCommands::weightSpacePickCommand()
{
    if (isNotComputed(ws_.pickedWeights[1])) {
        s_.finish(Outcome::Cancelled);
        return;
    }
    if (!s_.compute().askSumWeights())
        return;
    if (ws_.limitsActive) {
        ui_.showMessage(MsgKind::Information, text(msg::kLimitsNotConsidered));
        s_.ClearLimitations();
    }
    BusyCursor busy(ui_);
    s_.compute().solveWeightedSum();
}

void WeightSpaceCommands::limitationAreaCommand(WeightSpaceView& view, int x, int y)
{
    QStringList names;
    for (int k = 1; k <= ws_.numObjectives; ++k)
        names << ws_.objName[k];
    const auto choice =
        dialogs_.chooseObjective(text(msg::kLimitAreaTitle), text(msg::kLimitAreaPrompt), names, true, x, y);
    if (!choice) {
        s_.finish(Outcome::Cancelled);
        return;
    }
    const int k = choice->selected + 1;
    if (k < 1 || k > ws_.numObjectives) {
        ui_.showMessage(MsgKind::Information, text(msg::kInvalidFunction));
        s_.finish(Outcome::Refused);
        return;
    }
    Real v = 0;
    if (!ParseTypedReal(choice->valueText, v)) {
        s_.finish(Outcome::Refused);
        return;
    }
    LimitAreaEnd end = LimitAreaEnd::Nothing;
    {
        BusyCursor busy(ui_);
        const CancellableSolves cancellable(ui_, *s_.engine_);
        const LimitAreaResult area = ComputeLimitationArea(view, ws_, *s_.engine_, k, v);
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
    QStringList names;
    for (int k = 1; k <= ws_.numObjectives; ++k)
        names << ws_.objName[k];
    const auto choice =
        dialogs_.chooseObjective(text(msg::kNadirAreaTitle), text(msg::kNadirAreaPrompt), names, false, x, y);
    if (!choice) {
        s_.finish(Outcome::Cancelled);
        return;
    }
    const int k = choice->selected + 1;
    if (k < 1 || k > ws_.numObjectives || k > 3) {
        ui_.showMessage(MsgKind::Information, text(msg::kInvalidFunction));
        s_.finish(Outcome::Refused);
        return;
    }
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
        const CancellableSolves cancellable(ui_, *s_.engine_);
        area = FindNadirArea(ws_, *s_.engine_, k, w);
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
