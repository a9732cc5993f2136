#pragma once

// The one real type of the workspace. On x86-64 with g++ `long double` is the
// 80-bit extended format; doubles appear only at the lp_solve and Qt edges.
using Real = long double;

// An upper bound at or above this value means "no upper bound"; shown as "M".
constexpr Real kInfiniteBound = 1e41L;

// Marks a reference value (pay-off entry, current value, picked weight) that
// has not been computed yet.
constexpr Real kNotComputed = -12345.456789L;

inline bool isNotComputed(Real value) { return value == kNotComputed; }
