#include "flow/WeightSpaceCommands.h"

#include "flow/CancellableSolves.h"
#include "flow/Session.h"
#include "weightspace/Messages.h"
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
