#pragma once

#include "base/Numeric.h"

#include <QByteArrayView>
#include <QStringView>

#include <optional>

// The one reader of reals, for files, editor cells and dialog fields alike.
// Rules: surrounding white space is ignored; then [+-], ASCII digits with at
// most one "." (at least one digit), and an optional exponent (e|E)[+-]
// digits; nothing else: no group separators, no "nan", "inf" or hex forms.
// "." is the decimal separator whatever the locale. The text is read in long
// double, and a value beyond the range of a double is refused ("1e400"),
// since every value goes to the solver as one; a tiny one ("1e-400") is kept
// as long double reads it.
[[nodiscard]] std::optional<Real> ParseReal(QStringView text);
[[nodiscard]] std::optional<Real> ParseReal(QByteArrayView text);
