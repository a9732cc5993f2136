#pragma once

#include "base/Numeric.h"

// Tolerances of the interactive methods.

// Pareto Race: rates of the basic variables this small do not limit the
// segment of the current direction.
constexpr Real kRateZeroTol = 1e-8L;
