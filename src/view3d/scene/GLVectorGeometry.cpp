#include "view3d/scene/GLVectorGeometry.h"

#include "core/Tolerance.h"

namespace qv::scene {

TVector3 RotateVector(const TVector3& v, const TVector3& axis, double angleDeg)
{
    // Rodrigues' rotation formula, in double precision.
    const double a = angleDeg * qv::DegToRad;
    const double c = std::cos(a), s = std::sin(a);
    const double kx = axis.X, ky = axis.Y, kz = axis.Z;
    const double vx = v.X, vy = v.Y, vz = v.Z;
    const double dot = kx * vx + ky * vy + kz * vz;
    const double cx = ky * vz - kz * vy, cy = kz * vx - kx * vz, cz = kx * vy - ky * vx;
    return {static_cast<float>(vx * c + cx * s + kx * dot * (1 - c)),
            static_cast<float>(vy * c + cy * s + ky * dot * (1 - c)),
            static_cast<float>(vz * c + cz * s + kz * dot * (1 - c))};
}

TMatrix4 TMatrix4::FromAxes(const TVector3& x, const TVector3& y, const TVector3& z, const TVector3& t)
{
    TMatrix4 r;
    r.m = {x.X, x.Y, x.Z, 0, y.X, y.Y, y.Z, 0, z.X, z.Y, z.Z, 0, t.X, t.Y, t.Z, 1};
    return r;
}

TMatrix4 TMatrix4::operator*(const TMatrix4& b) const
{
    TMatrix4 r;
    for (int col = 0; col < 4; ++col)
        for (int row = 0; row < 4; ++row) {
            double sum = 0;
            for (int k = 0; k < 4; ++k) sum += double((*this)(row, k)) * b(k, col);
            r(row, col) = static_cast<float>(sum);
        }
    return r;
}

TVector3 TMatrix4::TransformPoint(const TVector3& p) const
{
    const auto& a = *this;
    return {a(0, 0) * p.X + a(0, 1) * p.Y + a(0, 2) * p.Z + a(0, 3),
            a(1, 0) * p.X + a(1, 1) * p.Y + a(1, 2) * p.Z + a(1, 3),
            a(2, 0) * p.X + a(2, 1) * p.Y + a(2, 2) * p.Z + a(2, 3)};
}

TVector3 TMatrix4::TransformVector(const TVector3& v) const
{
    const auto& a = *this;
    return {a(0, 0) * v.X + a(0, 1) * v.Y + a(0, 2) * v.Z,
            a(1, 0) * v.X + a(1, 1) * v.Y + a(1, 2) * v.Z,
            a(2, 0) * v.X + a(2, 1) * v.Y + a(2, 2) * v.Z};
}

TMatrix4 TMatrix4::Inverse() const
{
    // Gauss-Jordan elimination with partial pivoting, in double precision.
    double a[4][8];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            a[r][c] = (*this)(r, c);
            a[r][c + 4] = r == c ? 1 : 0;
        }
    for (int c = 0; c < 4; ++c) {
        int pivot = c;
        for (int r = c + 1; r < 4; ++r)
            if (std::fabs(a[r][c]) > std::fabs(a[pivot][c])) pivot = r;
        if (std::fabs(a[pivot][c]) < 1e-20) return Identity();
        if (pivot != c)
            for (int k = 0; k < 8; ++k) std::swap(a[c][k], a[pivot][k]);
        const double inv = 1.0 / a[c][c];
        for (int k = 0; k < 8; ++k) a[c][k] *= inv;
        for (int r = 0; r < 4; ++r) {
            if (r == c) continue;
            const double f = a[r][c];
            if (f == 0) continue;
            for (int k = 0; k < 8; ++k) a[r][k] -= f * a[c][k];
        }
    }
    TMatrix4 res;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) res(r, c) = static_cast<float>(a[r][c + 4]);
    return res;
}

} // namespace qv::scene
