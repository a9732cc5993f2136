#include "app/batch/BatchOutput.h"
#include "app/batch/BatchPictures.h"
#include "app/batch/BatchSession.h"
#include "base/TextFileFormat.h"
#include "workspace/Workspace.h"

#include <QByteArray>
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
    // Drawn by the pictures module, written here, so that the files join
    // the run's other outputs (all of them or none).
    QByteArray picture;
    QByteArray cone;
    QString error;
    if (!PicturesModule::load(error) || !PicturesModule::weightSpace()(&ws_, &path, &picture, &cone, &error)
        || !WriteWholeFile(path, picture, error)) {
        ui_.showMessage(MsgKind::Error, QStringLiteral("Cannot write %1: %2").arg(path, error));
        return kExitFailed;
    }
    if (cone.isEmpty())
        return kExitOk;
    const QString conePath = conePicturePath(path);
    if (!WriteWholeFile(conePath, cone, error)) {
        ui_.showMessage(MsgKind::Error, QStringLiteral("Cannot write %1: %2").arg(conePath, error));
        return kExitFailed;
    }
    return kExitOk;
}

} // namespace batch
