#include "app/batch/BatchOutput.h"
#include "app/batch/BatchSession.h"
#include "weightspace/ContractedConeView.h"
#include "weightspace/WeightSpaceView.h"
#include "workspace/Workspace.h"

#include <QFileInfo>

namespace batch {

namespace {

// "ws.png" becomes "ws-cone.png"; a name without extension gets "-cone".
QString conePicturePath(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix();
    if (suffix.isEmpty())
        return path + QStringLiteral("-cone");
    return path.left(path.size() - suffix.size() - 1) + QStringLiteral("-cone.") + suffix;
}

} // namespace

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
    if (ws_.activeMethod != MethodKind::Icw || ws_.methodIteration < 2)
        return kExitOk;
    // The contracted cone as its window first shows it, with the dots of
    // the weight vectors.
    ContractedConeView cone(ws_);
    cone.drawIteration(view);
    const QString conePath = conePicturePath(path);
    if (!cone.savePicture(conePath, error)) {
        ui_.showMessage(MsgKind::Error, QStringLiteral("Cannot write %1: %2").arg(conePath, error));
        return kExitFailed;
    }
    return kExitOk;
}

} // namespace batch
