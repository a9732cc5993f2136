#pragma once

#include "app/pictures/PicturesModule.h"

#include <QString>

namespace batch {

// The pictures module, loaded when a run writes a picture: from beside the
// executable (the build folder), else from ../lib/quilvane/ (installed).
class PicturesModule {
public:
    // Loads the module once; false with the reason when it cannot be.
    static bool load(QString& error);
    // The entry points of the loaded module.
    static PicturesApplicationEntry application();
    static WeightSpacePicturesEntry weightSpace();
};

} // namespace batch
