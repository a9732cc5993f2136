#include "app/pictures/PicturesModule.h"

#include "solutions/PictureFile.h"
#include "weightspace/ContractedConeView.h"
#include "weightspace/WeightSpaceView.h"
#include "workspace/Workspace.h"

#include <QGuiApplication>

QCoreApplication* quilvane_pictures_application(int* argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QGuiApplication(*argc, argv);
}

bool quilvane_weight_space_pictures(Workspace* ws, const QString* path, QByteArray* picture, QByteArray* cone,
                                    QString* error)
{
    // The picture as the window first shows it: zoom 100 %, projection 1-2,
    // solid fills, numbers in white, every region with its legend.
    WeightSpaceView view(*ws);
    view.initialise(true);
    view.RedrawTriangulo();
    if (!EncodePicture(view.savedPicture(), *path, *picture, *error))
        return false;
    cone->clear();
    if (ws->activeMethod != MethodKind::Icw || ws->methodIteration < 2)
        return true;
    // The contracted cone as its window first shows it, with the dots of
    // the weight vectors.
    ContractedConeView coneView(*ws);
    coneView.drawIteration(view);
    return EncodePicture(coneView.savedPicture(), *path, *cone, *error);
}
