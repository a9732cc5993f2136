#include "app/batch/BatchOutput.h"
#include "app/batch/BatchSession.h"
#include "weightspace/WeightSpaceView.h"
#include "workspace/Workspace.h"

namespace batch {

int BatchSession::writeWeightSpace(const QString& path)
{
    if (!ws_.payoffComputed) {
        const int status = payoff();
        if (status != kExitOk)
            return status;
    }
    // The picture as the window first shows it: zoom 100 %, projection 1-2,
    // solid fills, numbers in white, every region with its legend.
    WeightSpaceView view(ws_);
    view.initialise(true);
    view.RedrawTriangulo();
    QString error;
    if (!view.savePicture(path, error)) {
        ui_.showMessage(MsgKind::Error, QStringLiteral("Cannot write %1: %2").arg(path, error));
        return kExitFailed;
    }
    return kExitOk;
}

} // namespace batch
