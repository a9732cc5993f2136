#pragma once

#include "lp/LpEngine.h"

#include <memory>

// One LP engine for the computations of a test program; tests run one at a
// time, as the application's commands do.
inline LpEngine& engine()
{
    static const auto shared = std::make_unique<LpEngine>();
    return *shared;
}
