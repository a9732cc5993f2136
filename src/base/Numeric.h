#pragma once

#include <cmath>

// The one real type of the workspace. On x86-64 with g++ `long double` is the
// 80-bit extended format; doubles appear only at the lp_solve and Qt edges.
using Real = long double;

// The value stored for "no upper bound", written as 1e41 and shown as "M".
constexpr Real kInfiniteBound = 1e41L;

// A bound or value at or beyond this magnitude is infinite, whoever looks at
// it (readers, solver hand-over, answer checks, ratio tests, pay-off): it is
// lp_solve's own infinity, so the program and the solver agree on what is no
// bound. A bound read as 1e35 is kept as 1e35 (files written back do not
// change) but means the same as kInfiniteBound.
constexpr Real kInfinity = 1e30L;

// False for an infinite bound and for a NaN.
inline bool isFinite(Real value) { return std::fabs(value) < kInfinity; }

// Marks a reference value (pay-off entry, current value, picked weight) that
// has not been computed yet.
constexpr Real kNotComputed = -12345.456789L;

inline bool isNotComputed(Real value) { return value == kNotComputed; }
