// Distances between bore pieces, to face planes and to cut-out hulls,
// against cases whose answer is known in closed form: each result must lie
// between the true distance minus the tolerance and the true distance, never
// above it.
#include "check/Distance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>
#include <iterator>

using namespace qv;

namespace {

TXYZPoint P(double x, double y, double z) { return {x, y, z}; }
TBorePiece Frustum(TXYZPoint a, TXYZPoint b, double ra, double rb)
{
    TBorePiece p;
    p.A = a;
    p.B = b;
    p.RA = ra;
    p.RB = rb;
    return p;
}
TBorePiece Cylinder(TXYZPoint a, TXYZPoint b, double r) { return Frustum(a, b, r, r); }

double Dist(const TXYZPoint& a, const TXYZPoint& b) { return a.Distance(b); }

const double kTol = 1e-3;      // the check's tolerance for a block of 1 m
// To see that the bound closes in on the truth: rounding leaves it up to
// about 1e-9 of the coordinates' size (here at most 1000) short of it.
const double kTight = 1e-6;

constexpr double kTan30 = 0.57735026918962576451; // depth per radius of a 120° drill point

struct TCase {
    std::string Name;
    TBorePiece A, B;
    double Truth;
    // Expected closest points where they are unique; NaN when not.
    TXYZPoint PA{NAN, NAN, NAN}, PB{NAN, NAN, NAN};
};

// The point on a cone side at the middle of its generatrix in the x-z
// plane, and the direction of that generatrix and of its outward normal:
// a line parallel to the generatrix at distance delta outside it is exactly
// delta from the cone (the cone lies behind its tangent plane).
struct TConeSide {
    TBorePiece Cone = Frustum(P(0, 0, 0), P(0, 0, 5 * kTan30), 5, 0);
    TXYZPoint Mid = P(2.5, 0, 2.5 * kTan30);
    TXYZPoint G, N;
    TConeSide()
    {
        const double h = 5 * kTan30, l = std::hypot(5.0, h);
        G = P(-5 / l, 0, h / l);
        N = P(h / l, 0, 5 / l);
    }
    TXYZPoint Off(double delta, double along) const
    {
        return P(Mid.X + N.X * delta + G.X * along, Mid.Y, Mid.Z + N.Z * delta + G.Z * along);
    }
};

std::vector<TCase> SeparatedCases()
{
    const TConeSide cs;
    const double c30 = std::cos(30 * M_PI / 180), s30 = std::sin(30 * M_PI / 180);
    const double c60 = std::cos(60 * M_PI / 180), s60 = std::sin(60 * M_PI / 180);
    return {
        {"parallel side by side", Cylinder(P(0, 0, 0), P(0, 0, 10), 3), Cylinder(P(10, 0, 0), P(10, 0, 10), 2), 5},
        {"parallel, overlapping only partly along the axis", Cylinder(P(0, 0, 0), P(0, 0, 10), 3),
         Cylinder(P(10, 0, 5), P(10, 0, 30), 2), 5},
        {"parallel, one beyond the other's end: rim to rim", Cylinder(P(0, 0, 0), P(0, 0, 10), 3),
         Cylinder(P(10, 0, 15), P(10, 0, 25), 2), std::sqrt(50.0), P(3, 0, 10), P(8, 0, 15)},
        {"coaxial: flat end face to flat end face", Cylinder(P(0, 0, 0), P(0, 0, 10), 3),
         Cylinder(P(0, 0, 15), P(0, 0, 25), 5), 5},
        {"crossing at right angles", Cylinder(P(-20, 0, 0), P(20, 0, 0), 3), Cylinder(P(0, -20, 10), P(0, 20, 10), 2),
         5, P(0, 0, 3), P(0, 0, 8)},
        {"skew at 30 degrees", Cylinder(P(-20, 0, 0), P(20, 0, 0), 3),
         Cylinder(P(-20 * c30, -20 * s30, 10), P(20 * c30, 20 * s30, 10), 2), 5, P(0, 0, 3), P(0, 0, 8)},
        {"skew at 60 degrees, nearest off the middle", Cylinder(P(-20, 0, 0), P(30, 0, 0), 4),
         Cylinder(P(7 - 20 * c60, -20 * s60, 12), P(7 + 20 * c60, 20 * s60, 12), 1.5), 6.5, P(7, 0, 4),
         P(7, 0, 10.5)},
        {"nearly parallel skew", Cylinder(P(-30, 0, 0), P(30, 0, 0), 2),
         Cylinder(P(-30, -0.3, 9), P(30, 0.3, 9), 2), 5},
        {"end face against a side", Cylinder(P(0, 0, 0), P(0, 0, 10), 2), Cylinder(P(10, 0, 5), P(30, 0, 5), 3), 8},
        {"rim of an end face against a rim", Cylinder(P(0, 0, 0), P(0, 0, 10), 2),
         Cylinder(P(10, 0, 15), P(30, 0, 15), 3), std::sqrt(68.0), P(2, 0, 10), P(10, 0, 12)},
        {"drill point facing a bore", Frustum(P(0, 0, 20 - 5 * kTan30), P(0, 0, 20), 5, 0),
         Cylinder(P(-20, 0, 30), P(20, 0, 30), 4), 6, P(0, 0, 20), P(0, 0, 26)},
        {"cone side along a skew cylinder", cs.Cone, Cylinder(cs.Off(3, -20), cs.Off(3, 20), 1), 2,
         cs.Off(0, 0), cs.Off(2, 0)},
        {"drill-point shoulder (frustum) to a bore below it", Frustum(P(0, 0, 0), P(0, 0, 2 * kTan30), 5, 3),
         Cylinder(P(-20, 0, 10), P(20, 0, 10), 1), 10 - 1 - 2 * kTan30},
        {"segments (radius 0), skew", Cylinder(P(-5, 0, 0), P(5, 0, 0), 0), Cylinder(P(0, -5, 3), P(0, 5, 3), 0), 3,
         P(0, 0, 0), P(0, 0, 3)},
        {"segment to a bore", Cylinder(P(0, 0, 10), P(0, 0, 20), 0), Cylinder(P(-20, 0, 0), P(20, 0, 0), 4), 6,
         P(0, 0, 10), P(0, 0, 4)},
        {"a point to a bore", Cylinder(P(1, 0, 10), P(1, 0, 10), 0), Cylinder(P(-20, 0, 0), P(20, 0, 0), 4), 6,
         P(1, 0, 10), P(1, 0, 4)},
        {"a thin disk (1e-6 long) edge-on to a bore", Cylinder(P(0, 0, 10), P(0, 0, 10.000001), 3),
         Cylinder(P(10, 0, -20), P(10, 0, 20), 2), 5},
        {"a thin disk face-on to a bore", Cylinder(P(0, 0, 10), P(0, 0, 10.000001), 3),
         Cylinder(P(-20, 0, 0), P(20, 0, 0), 4), 6},
        {"far apart and small", Cylinder(P(0, 0, 0), P(0, 0, 0.01), 0.002),
         Cylinder(P(1000, 0, 0), P(1000, 0, 0.01), 0.002), 1000 - 0.004},
    };
}

void ExpectNear(const TXYZPoint& got, const TXYZPoint& want, double eps, const std::string& what)
{
    if (std::isnan(want.X)) return;
    EXPECT_NEAR(got.X, want.X, eps) << what;
    EXPECT_NEAR(got.Y, want.Y, eps) << what;
    EXPECT_NEAR(got.Z, want.Z, eps) << what;
}

TEST(PieceDistance, SeparatedPiecesAreNeverFartherThanTheTruthAndWithinTheTolerance)
{
    for (const TCase& c : SeparatedCases()) {
        for (double tol : {kTol, kTight}) {
            for (bool swapped : {false, true}) {
                const std::string what = c.Name + (swapped ? " (swapped)" : "") + " tol " + std::to_string(tol);
                const TSeparation s = swapped ? PieceDistance(c.B, c.A, tol) : PieceDistance(c.A, c.B, tol);
                EXPECT_FALSE(s.Overlap) << what;
                EXPECT_LE(s.Distance, c.Truth) << what;
                EXPECT_GE(s.Distance, c.Truth - tol) << what;
                // The closest points are points of the two solids, so their
                // distance is reached: it cannot be below the truth, and it
                // closes in on it with the bound.
                EXPECT_GE(Dist(s.PA, s.PB), c.Truth - 1e-9) << what;
                EXPECT_LE(Dist(s.PA, s.PB), c.Truth + tol) << what;
                if (tol == kTight) {
                    ExpectNear(swapped ? s.PB : s.PA, c.PA, 1e-3, what + " PA");
                    ExpectNear(swapped ? s.PA : s.PB, c.PB, 1e-3, what + " PB");
                }
            }
        }
    }
}

TEST(PieceDistance, OverlappingPiecesReportTheirDepth)
{
    const struct {
        std::string Name;
        TBorePiece A, B;
        double Depth;
    } cases[] = {
        // Axes 2 apart, radii 5 and 3: the cross bore must move 6 to come free.
        {"crossing bores", Cylinder(P(-50, 0, 0), P(50, 0, 0), 5), Cylinder(P(0, -50, 2), P(0, 50, 2), 3), 6},
        {"coaxial bores, one running 2 into the other", Cylinder(P(0, 0, 0), P(0, 0, 10), 3),
         Cylinder(P(0, 0, 8), P(0, 0, 20), 2), 2},
        {"parallel bores 4 apart, radii 3 and 2", Cylinder(P(0, 0, 0), P(0, 0, 10), 3),
         Cylinder(P(4, 0, 0), P(4, 0, 10), 2), 1},
        {"a drill point 1.5 into a cross bore", Frustum(P(0, 0, 20 - 5 * kTan30), P(0, 0, 20), 5, 0),
         Cylinder(P(-20, 0, 22.5), P(20, 0, 22.5), 4), 1.5},
    };
    for (const auto& c : cases) {
        for (double tol : {kTol, kTight}) {
            for (bool swapped : {false, true}) {
                const std::string what = c.Name + (swapped ? " (swapped)" : "") + " tol " + std::to_string(tol);
                const TSeparation s = swapped ? PieceDistance(c.B, c.A, tol) : PieceDistance(c.A, c.B, tol);
                EXPECT_TRUE(s.Overlap) << what;
                EXPECT_LE(s.Distance, -c.Depth) << what;
                EXPECT_GE(s.Distance, -c.Depth - tol) << what;
                // PA - PB is the way out: the depth long, and moving the
                // second piece by it leaves the two just touching.
                EXPECT_NEAR(Dist(s.PA, s.PB), c.Depth, tol) << what;
                TBorePiece moved = swapped ? c.A : c.B;
                const TXYZPoint out = s.PA - s.PB;
                moved.A = P(moved.A.X + out.X, moved.A.Y + out.Y, moved.A.Z + out.Z);
                moved.B = P(moved.B.X + out.X, moved.B.Y + out.Y, moved.B.Z + out.Z);
                const TSeparation after = PieceDistance(swapped ? c.B : c.A, moved, tol);
                EXPECT_GE(after.Distance, -2 * tol) << what;
                EXPECT_LE(after.Distance, tol) << what;
            }
        }
    }
}

TEST(PieceDistance, TouchingPiecesAreAtZero)
{
    // Radii 3 and 2, axes 5 apart: the walls touch along a line.
    const TSeparation s =
        PieceDistance(Cylinder(P(0, 0, 0), P(0, 0, 10), 3), Cylinder(P(5, 0, 0), P(5, 0, 10), 2), kTol);
    EXPECT_LE(s.Distance, 0.0);
    EXPECT_GE(s.Distance, -kTol);
}

TEST(PieceDistance, APieceWithoutAxisCountsAsTheBallAroundIt)
{
    // A zero-length piece has no direction for its disk; it stands in as the
    // ball of its radius, which holds the disk whichever way it faces.
    const TBorePiece lens = Cylinder(P(0, 0, 10), P(0, 0, 10), 2);
    const TSeparation s = PieceDistance(lens, Cylinder(P(-20, 0, 0), P(20, 0, 0), 4), kTight);
    EXPECT_FALSE(s.Overlap);
    EXPECT_LE(s.Distance, 4.0);
    EXPECT_GE(s.Distance, 4.0 - kTight);
}

// A point of the frustum, within eps.
bool InFrustum(const TBorePiece& f, const TXYZPoint& p, double eps)
{
    const TXYZPoint ab = f.B - f.A, ap = p - f.A;
    const double len2 = ab.X * ab.X + ab.Y * ab.Y + ab.Z * ab.Z;
    const double t = (ap.X * ab.X + ap.Y * ab.Y + ap.Z * ab.Z) / len2;
    const double len = std::sqrt(len2);
    if (t * len < -eps || (t - 1) * len > eps) return false;
    const double tc = std::clamp(t, 0.0, 1.0);
    const TXYZPoint c = P(f.A.X + ab.X * t, f.A.Y + ab.Y * t, f.A.Z + ab.Z * t);
    return Dist(p, c) <= f.RA + (f.RB - f.RA) * tc + eps;
}

// The smallest distance between points sampled densely on both surfaces:
// every sample pair is reached, so the true distance is no larger.
double SampledDistance(const TBorePiece& a, const TBorePiece& b)
{
    auto samples = [](const TBorePiece& f) {
        std::vector<TXYZPoint> out;
        const TXYZPoint ab = f.B - f.A;
        const double len = std::sqrt(ab.X * ab.X + ab.Y * ab.Y + ab.Z * ab.Z);
        const TXYZPoint u = ab * (1 / len);
        TXYZPoint e1 = std::fabs(u.X) < 0.9 ? P(1, 0, 0) : P(0, 1, 0);
        const double d = e1.X * u.X + e1.Y * u.Y + e1.Z * u.Z;
        e1 = e1 - u * d;
        e1 = e1 * (1 / std::sqrt(e1.X * e1.X + e1.Y * e1.Y + e1.Z * e1.Z));
        const TXYZPoint e2 = P(u.Y * e1.Z - u.Z * e1.Y, u.Z * e1.X - u.X * e1.Z, u.X * e1.Y - u.Y * e1.X);
        const int nAround = 72, nAlong = 20, nIn = 4;
        for (int i = 0; i < nAround; ++i) {
            const double phi = 2 * M_PI * i / nAround;
            const TXYZPoint dir = e1 * std::cos(phi) - e2 * -std::sin(phi); // e1 cos + e2 sin
            for (int j = 0; j <= nAlong; ++j) {
                const double t = double(j) / nAlong, r = f.RA + (f.RB - f.RA) * t;
                out.push_back(P(f.A.X + ab.X * t + dir.X * r, f.A.Y + ab.Y * t + dir.Y * r,
                                f.A.Z + ab.Z * t + dir.Z * r));
            }
            for (int k = 0; k < nIn; ++k) {
                const double s = double(k) / nIn;
                out.push_back(P(f.A.X + dir.X * f.RA * s, f.A.Y + dir.Y * f.RA * s, f.A.Z + dir.Z * f.RA * s));
                out.push_back(P(f.B.X + dir.X * f.RB * s, f.B.Y + dir.Y * f.RB * s, f.B.Z + dir.Z * f.RB * s));
            }
        }
        return out;
    };
    const auto sa = samples(a), sb = samples(b);
    double best = std::numeric_limits<double>::infinity();
    for (const auto& p : sa)
        for (const auto& q : sb) best = std::min(best, Dist(p, q));
    return best;
}

TEST(PieceDistance, RandomPiecesStayBelowSampledSurfaceDistances)
{
    // Bores, drill points and shoulders in random positions: the bound is
    // never above any distance actually reached between the two surfaces,
    // and its closest points lie on the solids within the tolerance.
    std::mt19937 rng(20261211);
    std::uniform_real_distribution<double> pos(-30, 30), rad(0, 6), len(0.5, 40);
    std::uniform_real_distribution<double> unit(-1, 1);
    auto randomPiece = [&]() {
        TXYZPoint u;
        do u = P(unit(rng), unit(rng), unit(rng));
        while (u.X * u.X + u.Y * u.Y + u.Z * u.Z < 0.01);
        u = u * (1 / std::sqrt(u.X * u.X + u.Y * u.Y + u.Z * u.Z));
        const TXYZPoint a = P(pos(rng), pos(rng), pos(rng));
        const double l = len(rng);
        return Frustum(a, P(a.X + u.X * l, a.Y + u.Y * l, a.Z + u.Z * l), rad(rng), rad(rng));
    };
    int separated = 0;
    for (int i = 0; i < 50; ++i) {
        const TBorePiece a = randomPiece(), b = randomPiece();
        const TSeparation s = PieceDistance(a, b, kTol);
        const std::string what = "pair " + std::to_string(i);
        EXPECT_LE(s.Distance, SampledDistance(a, b) + 1e-9) << what;
        EXPECT_TRUE(InFrustum(a, s.PA, 1e-6)) << what;
        EXPECT_TRUE(InFrustum(b, s.PB, 1e-6)) << what;
        if (!s.Overlap) {
            ++separated;
            EXPECT_GE(s.Distance, Dist(s.PA, s.PB) - kTol) << what;
        }
    }
    EXPECT_GT(separated, 10); // the sample holds enough separated pairs to mean something
}

TEST(PieceDistance, DamagedValuesGiveADefinedResult)
{
    const double inf = std::numeric_limits<double>::infinity(), nan = std::nan("");
    const TBorePiece good = Cylinder(P(0, 0, 0), P(0, 0, 10), 3);
    const TBorePiece bad[] = {
        Cylinder(P(nan, 0, 0), P(0, 0, 10), 3), Cylinder(P(0, 0, 0), P(0, inf, 10), 3),
        Cylinder(P(0, 0, 0), P(0, 0, 10), nan), Cylinder(P(0, 0, 0), P(0, 0, 10), -inf),
        Cylinder(P(1e300, 0, 0), P(-1e300, 0, 0), 1e300), Frustum(P(0, 0, 0), P(0, 0, 0), 0, 0),
        Cylinder(P(0, 0, 0), P(0, 0, 10), -3),
    };
    for (const TBorePiece& b : bad) {
        for (double tol : {kTol, 0.0, -1.0, nan}) {
            const TSeparation s = PieceDistance(good, b, tol);
            EXPECT_FALSE(std::isnan(s.Distance));
            EXPECT_LE(s.Distance, 10.0); // nothing bad is ever far away
            const TSeparation t = PieceDistance(b, b, tol);
            EXPECT_FALSE(std::isnan(t.Distance));
        }
    }
}

TEST(PieceDistance, GarbageValuesEndInBoundedTime)
{
    // Pieces, planes and hulls made of any bit patterns, extreme and special
    // values, as a damaged file may hold them: every call returns, with no
    // NaN. (Rounding on such values once bent EPA's polytope until its faces
    // grew without end.)
    std::mt19937_64 rng(11);
    const double special[] = {0.0, -0.0, 1e-300, -1e-300, 1e300, -1e300, std::nan(""),
                              std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                              1.0, -1.0, 1e149, 1e-5, 5e-324};
    auto value = [&]() -> double {
        switch (rng() % 4) {
        case 0: return special[rng() % std::size(special)];
        case 1: {
            const uint64_t bits = rng();
            double d;
            std::memcpy(&d, &bits, sizeof d);
            return d;
        }
        default: return std::uniform_real_distribution<double>(-100, 100)(rng);
        }
    };
    auto point = [&]() { return P(value(), value(), value()); };
    for (int i = 0; i < 20000; ++i) {
        const TBorePiece a = Frustum(point(), point(), value(), value());
        const TBorePiece b = Frustum(point(), point(), value(), value());
        EXPECT_FALSE(std::isnan(PieceDistance(a, b, value()).Distance)) << i;
        EXPECT_FALSE(std::isnan(PieceToPlane(a, b.A, b.B).Distance)) << i;
        EXPECT_FALSE(std::isnan(PieceToHull(b, {a.A, a.B, b.A, b.B, point()}, value()).Distance)) << i;
    }
}

TEST(PieceToPlane, DistanceToAFaceInClosedForm)
{
    const double inv = 1 / std::sqrt(2.0);
    const struct {
        std::string Name;
        TBorePiece A;
        TXYZPoint Point, Normal;
        double Distance;
        TXYZPoint PA;
    } cases[] = {
        {"bore parallel to face 1 (z = 0)", Cylinder(P(0, 10, 7), P(50, 10, 7), 3), P(0, 0, 0), P(0, 0, -1), 4,
         P(0, 10, 4)},
        {"bore running into face 4 (x = 100), flat end", Cylinder(P(20, 10, 7), P(80, 10, 7), 3), P(100, 0, 0),
         P(1, 0, 0), 20, P(80, 10 + 3, 7)},
        {"drill point towards face 6 (z = 60)", Frustum(P(5, 5, 50 - 5 * kTan30), P(5, 5, 50), 5, 0), P(0, 0, 60),
         P(0, 0, 1), 10, P(5, 5, 50)},
        {"bore through the face", Cylinder(P(0, 10, 7), P(50, 10, 7), 8), P(0, 0, 0), P(0, 0, -1), -1, P(0, 10, -1)},
        {"tilted bore: its end rim is nearest", Cylinder(P(0, 0, 10), P(0, 10, 20), 2), P(0, 0, 30),
         P(0, 0, 1), 10 - 2 * inv, P(0, 10 - 2 * inv, 20 + 2 * inv)},
    };
    for (const auto& c : cases) {
        const TSeparation s = PieceToPlane(c.A, c.Point, c.Normal);
        EXPECT_LE(s.Distance, c.Distance) << c.Name;
        EXPECT_GE(s.Distance, c.Distance - 1e-9) << c.Name;
        EXPECT_EQ(s.Overlap, c.Distance < 0) << c.Name;
        // On the flat end the nearest point is not unique; the case gives one
        // rim point, only its height over the plane is checked there.
        const double hA = (s.PA.X - c.Point.X) * c.Normal.X + (s.PA.Y - c.Point.Y) * c.Normal.Y +
                          (s.PA.Z - c.Point.Z) * c.Normal.Z;
        EXPECT_NEAR(hA, -c.Distance, 1e-12) << c.Name;
        if (c.Name.find("flat end") == std::string::npos) ExpectNear(s.PA, c.PA, 1e-9, c.Name + " PA");
        const double hB = (s.PB.X - c.Point.X) * c.Normal.X + (s.PB.Y - c.Point.Y) * c.Normal.Y +
                          (s.PB.Z - c.Point.Z) * c.Normal.Z;
        EXPECT_NEAR(hB, 0.0, 1e-12) << c.Name;
    }
}

std::vector<TXYZPoint> Box(TXYZPoint lo, TXYZPoint hi)
{
    std::vector<TXYZPoint> out;
    for (int i = 0; i < 8; ++i)
        out.push_back(P(i & 1 ? hi.X : lo.X, i & 2 ? hi.Y : lo.Y, i & 4 ? hi.Z : lo.Z));
    return out;
}

TEST(PieceToHull, DistanceToACutOutPrism)
{
    const auto pocket = Box(P(20, -5, -5), P(30, 5, 5));
    // A right triangle x+y <= 10 in z = 0..10, milled as a prism.
    const std::vector<TXYZPoint> wedge = {P(0, 0, 0), P(10, 0, 0), P(0, 10, 0),
                                          P(0, 0, 10), P(10, 0, 10), P(0, 10, 10)};
    const struct {
        std::string Name;
        TBorePiece A;
        std::vector<TXYZPoint> Hull;
        double Distance;
    } cases[] = {
        {"bore ending in front of the pocket", Cylinder(P(-10, 0, 0), P(10, 0, 0), 3), pocket, 10},
        {"bore passing beside the pocket", Cylinder(P(0, 0, -20), P(0, 0, 20), 3), pocket, 17},
        {"bore passing the wedge's slanted side", Cylinder(P(10, 10, -20), P(10, 10, 20), 1), wedge,
         5 * std::sqrt(2.0) - 1},
        {"bore into the pocket", Cylinder(P(0, 0, 0), P(22, 0, 0), 3), pocket, -2},
    };
    for (const auto& c : cases) {
        for (double tol : {kTol, kTight}) {
            const TSeparation s = PieceToHull(c.A, c.Hull, tol);
            EXPECT_EQ(s.Overlap, c.Distance < 0) << c.Name;
            EXPECT_LE(s.Distance, c.Distance) << c.Name;
            EXPECT_GE(s.Distance, c.Distance - tol) << c.Name;
        }
    }
}

TEST(PieceToHull, AnEmptyOrDamagedHullIsNowhere)
{
    const TBorePiece bore = Cylinder(P(0, 0, 0), P(0, 0, 10), 3);
    EXPECT_EQ(PieceToHull(bore, {}, kTol).Distance, std::numeric_limits<double>::infinity());
    const double nan = std::nan("");
    EXPECT_EQ(PieceToHull(bore, {P(nan, 0, 0)}, kTol).Distance, std::numeric_limits<double>::infinity());
    // A damaged point among good ones is left out; the rest still counts.
    auto box = Box(P(20, -5, -5), P(30, 5, 5));
    box.push_back(P(nan, nan, nan));
    const TSeparation s = PieceToHull(bore, box, kTol);
    EXPECT_LE(s.Distance, 17.0);
    EXPECT_GE(s.Distance, 17.0 - kTol);
}

} // namespace
