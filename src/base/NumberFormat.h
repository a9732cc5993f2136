#pragma once

#include "base/Numeric.h"

#include <QString>

class UiPort;

// General number format with `precision` significant digits (1..18) and "."
// as the decimal separator. The value is first rounded to `precision`
// significant digits (decimal ties of the exact binary value go away from
// zero) and seen as 0.d1d2... x 10^e. Fixed notation, without trailing zeros
// and without a trailing ".", when -3 <= e <= precision, i.e. for
// 0.0001 <= |x| < 10^precision; otherwise scientific: "1.5E9", "1E-6",
// "-2.5E-5" (no "+", no leading zeros in the exponent). 0 gives "0".
QString GeneralFormat(Real x, int precision);

// The number text of every window: 7 significant digits, 8 above 1e7 so that
// an 8-digit integer is still written out in full.
QString NumText(Real x);

// "time: 0h 0m 2s 31ms" for a duration given in days. The duration is
// decoded as a time of day: the number of milliseconds is rounded to the
// nearest integer (halves to even) and taken modulo one day, so a duration of
// 24 hours or more wraps around. A negative (or not finite) duration gives
// an empty text.
QString ElapsedText(double days);

// Puts ElapsedText(days) into status panel 1; a negative duration clears it.
void ShowElapsedTime(UiPort& ui, double days);
