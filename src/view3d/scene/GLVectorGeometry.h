#pragma once
// Small vector and matrix types of the scene: 3D vectors, RGBA colours and
// 4x4 matrices stored column by column (the layout OpenGL expects), so a
// node's local axes are the first three columns and its translation the
// fourth.
#include <array>
#include <cmath>

namespace qv::scene {

struct TVector3 {
    float X = 0, Y = 0, Z = 0;

    constexpr TVector3() = default;
    constexpr TVector3(float x, float y, float z) : X(x), Y(y), Z(z) {}

    float& operator[](int i) { return i == 0 ? X : (i == 1 ? Y : Z); }
    float operator[](int i) const { return i == 0 ? X : (i == 1 ? Y : Z); }

    TVector3 operator+(const TVector3& b) const { return {X + b.X, Y + b.Y, Z + b.Z}; }
    TVector3 operator-(const TVector3& b) const { return {X - b.X, Y - b.Y, Z - b.Z}; }
    TVector3 operator-() const { return {-X, -Y, -Z}; }
    TVector3 operator*(float k) const { return {X * k, Y * k, Z * k}; }
    TVector3& operator+=(const TVector3& b) { X += b.X; Y += b.Y; Z += b.Z; return *this; }
    bool operator==(const TVector3&) const = default;
};

inline float Dot(const TVector3& a, const TVector3& b) { return a.X * b.X + a.Y * b.Y + a.Z * b.Z; }
inline TVector3 Cross(const TVector3& a, const TVector3& b)
{
    return {a.Y * b.Z - a.Z * b.Y, a.Z * b.X - a.X * b.Z, a.X * b.Y - a.Y * b.X};
}
inline float Length(const TVector3& a) { return std::sqrt(Dot(a, a)); }
// The unit vector along a; a zero vector stays zero.
inline TVector3 Normalized(const TVector3& a)
{
    const float l = Length(a);
    return l > 0 ? a * (1.0f / l) : a;
}

// Turns v about the unit axis by angle degrees, right-handed (counter-
// clockwise seen from the tip of the axis).
TVector3 RotateVector(const TVector3& v, const TVector3& axis, double angleDeg);

// RGBA, each 0..1.
using TColorVector = std::array<float, 4>;

struct TMatrix4 {
    // Column-major: m[col * 4 + row].
    std::array<float, 16> m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    static TMatrix4 Identity() { return {}; }
    // A matrix from three axis columns and a translation.
    static TMatrix4 FromAxes(const TVector3& x, const TVector3& y, const TVector3& z, const TVector3& t);

    float operator()(int row, int col) const { return m[col * 4 + row]; }
    float& operator()(int row, int col) { return m[col * 4 + row]; }

    TVector3 Column(int col) const { return {m[col * 4], m[col * 4 + 1], m[col * 4 + 2]}; }
    TVector3 Translation() const { return Column(3); }

    TMatrix4 operator*(const TMatrix4& b) const;
    TVector3 TransformPoint(const TVector3& p) const;
    TVector3 TransformVector(const TVector3& v) const;
    // The inverse; a singular matrix gives the identity.
    TMatrix4 Inverse() const;
};

} // namespace qv::scene
