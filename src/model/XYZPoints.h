#pragma once
// Points on a block face (TXYPoint) and in block space (TXYZPoint).
#include "core/Tolerance.h"

#include <cmath>

namespace qv {

struct TXYPoint {
    double X = 0.0;
    double Y = 0.0;
    template <class F> void Fields(F&& f) const { f("X", X); f("Y", Y); }
    friend bool operator==(const TXYPoint&, const TXYPoint&) = default;
};

struct TXYZPoint {
    double X = 0.0;
    double Y = 0.0;
    double Z = 0.0;

    static constexpr TXYZPoint Make(double x, double y, double z) { return {x, y, z}; }
    static constexpr TXYZPoint Make(double v) { return {v, v, v}; }
    TXYZPoint operator-(const TXYZPoint& b) const { return {X - b.X, Y - b.Y, Z - b.Z}; }
    TXYZPoint operator*(double s) const { return {X * s, Y * s, Z * s}; }
    double Distance(const TXYZPoint& b) const
    {
        const double dx = X - b.X, dy = Y - b.Y, dz = Z - b.Z;
        return std::sqrt(dx * dx + dy * dy + dz * dz);
    }
    // Tolerant equality of all three components.
    bool SameAs(const TXYZPoint& b) const { return SameValue(X, b.X) && SameValue(Y, b.Y) && SameValue(Z, b.Z); }

    template <class F> void Fields(F&& f) const { f("X", X); f("Y", Y); f("Z", Z); }
    friend bool operator==(const TXYZPoint&, const TXYZPoint&) = default;
};

} // namespace qv
