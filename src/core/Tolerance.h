#pragma once
// The three tolerant tests used wherever lengths and angles are compared,
// and the two angle conversion factors.
#include <algorithm>
#include <cmath>

namespace qv {

inline constexpr double DegToRad = 0.017453292519943295769;
inline constexpr double RadToDeg = 57.295779513082320877;
inline constexpr double Epsilon = 1e-12;

// |x| <= 1e-12
inline bool IsZero(double x) { return std::fabs(x) <= Epsilon; }

// a and b differ by at most max(1e-12, 1e-12 * the smaller magnitude)
inline bool SameValue(double a, double b)
{
    const double tol = std::max(Epsilon, Epsilon * std::min(std::fabs(a), std::fabs(b)));
    return std::fabs(a - b) <= tol;
}

// 0 when tolerantly equal, else -1 (a < b) or +1 (a > b)
inline int CompareValue(double a, double b)
{
    if (SameValue(a, b)) return 0;
    return a < b ? -1 : 1;
}

} // namespace qv
