#pragma once

// Messages of the LP engine, exactly as the user sees them.
namespace msg {

inline constexpr char kUnfeasible[] = "Unfeasible Problem";
inline constexpr char kUnbounded[] = "Unbounded objective function";
inline constexpr char kNumericalErrors[] = "The simplex did not finish - NUMERICAL ERRORS";
inline constexpr char kInternalError[] = "An internal ERROR of lpsolve55 has occured";
inline constexpr char kImprecise[] = "The solution found is numerically unreliable";
inline constexpr char kStopped[] = "The computation was stopped: the time limit was reached or it was cancelled";

} // namespace msg
