// Distances between convex solids by GJK on their support functions, and
// the depth of an overlap by EPA.
//
// Every number returned is certified from below. For any unit direction n,
// -h(n) is a lower bound of the signed distance of two solids, where h(n) is
// the largest n·c over their difference set C = A - B (the support value of
// C): if -h(n) > 0 the plane across n separates them by at least that much,
// and if they overlap, parting them along n takes a move of h(n) at least as
// long as the shortest one. GJK and EPA try directions and keep the best
// bound; they stop when the bound is within the tolerance of a distance that
// is actually reached (GJK: a point of C; EPA: a polytope inside C), and in
// any case after a fixed number of steps, so damaged input cannot hang them.
// A last margin of 1e-12 of the solids' coordinate size covers rounding.
// Rounding also sets how close the bound can come: GJK's direction settles
// to about 1e-10 of a radian, so where a straight bore side lies along a
// flat side of the other solid the bound may stay up to about 1e-9 of the
// coordinate size below the truth even when a smaller tolerance is asked
// for. It is still a bound; the check's tolerance (0.001 of the block) is
// far above that.
#include "check/Distance.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace qv {

namespace {

using P3 = TXYZPoint;

inline P3 Add(const P3& a, const P3& b) { return {a.X + b.X, a.Y + b.Y, a.Z + b.Z}; }
inline P3 Sub(const P3& a, const P3& b) { return {a.X - b.X, a.Y - b.Y, a.Z - b.Z}; }
inline P3 Mul(const P3& a, double k) { return {a.X * k, a.Y * k, a.Z * k}; }
inline double Dot(const P3& a, const P3& b) { return a.X * b.X + a.Y * b.Y + a.Z * b.Z; }
inline P3 Cross(const P3& a, const P3& b)
{
    return {a.Y * b.Z - a.Z * b.Y, a.Z * b.X - a.X * b.Z, a.X * b.Y - a.Y * b.X};
}
inline double Norm(const P3& a) { return std::sqrt(Dot(a, a)); }
inline bool Finite(const P3& p) { return std::isfinite(p.X) && std::isfinite(p.Y) && std::isfinite(p.Z); }
inline double MaxAbs(const P3& p) { return std::max({std::fabs(p.X), std::fabs(p.Y), std::fabs(p.Z)}); }

constexpr int kGjkSteps = 128;   // GJK converges in a handful on these shapes
constexpr int kEpaSteps = 96;    // each EPA step adds one vertex
constexpr size_t kEpaFaces = 2048; // and a few faces
constexpr double kRounding = 1e-12; // the margin for rounding, relative to the coordinates

// A frustum around the segment A→B: the support point in a direction is a
// point on the rim of one of its end disks, on the side the direction
// leans to. Without an axis (A = B) the piece has no orientation, and it
// stands in as the ball of its larger radius, which holds the disk whatever
// way it faces: distances to it stay lower bounds.
struct TFrustum {
    P3 A, B, U;
    double RA, RB;
    bool HasAxis;

    explicit TFrustum(const TBorePiece& p) : A(p.A), B(p.B), RA(std::max(0.0, p.RA)), RB(std::max(0.0, p.RB))
    {
        const P3 ab = Sub(B, A);
        const double len = Norm(ab);
        HasAxis = len > 0 && std::isfinite(len);
        U = HasAxis ? Mul(ab, 1.0 / len) : P3{0, 0, 1};
    }

    P3 Support(const P3& d) const
    {
        if (!HasAxis) {
            const double n = Norm(d);
            return n > 0 ? Add(A, Mul(d, std::max(RA, RB) / n)) : A;
        }
        const P3 across = Sub(d, Mul(U, Dot(d, U)));
        const double l = Norm(across);
        const P3 e = l > 0 ? Mul(across, 1.0 / l) : P3{0, 0, 0};
        const P3 pa = Add(A, Mul(e, RA)), pb = Add(B, Mul(e, RB));
        return Dot(d, pa) >= Dot(d, pb) ? pa : pb;
    }

    double Size() const { return std::max({MaxAbs(A), MaxAbs(B), RA, RB}); }
    P3 Centre() const { return Mul(Add(A, B), 0.5); }
    bool Valid() const { return Finite(A) && Finite(B) && std::isfinite(RA) && std::isfinite(RB); }
};

// The convex hull of a point set (a prism of a cut-out).
struct THull {
    const std::vector<P3>& Points;

    P3 Support(const P3& d) const
    {
        const P3* best = &Points.front();
        double bestDot = Dot(d, *best);
        for (const P3& p : Points) {
            const double x = Dot(d, p);
            if (x > bestDot) {
                bestDot = x;
                best = &p;
            }
        }
        return *best;
    }

    P3 Centre() const
    {
        P3 c{0, 0, 0};
        for (const P3& p : Points) c = Add(c, p);
        return Mul(c, 1.0 / double(Points.size()));
    }
    double Size() const
    {
        double s = 0;
        for (const P3& p : Points) s = std::max(s, MaxAbs(p));
        return s;
    }
};

// A point of the difference set with the two points it comes from.
struct TVertex {
    P3 W, A, B;
};

template <class SA, class SB> TVertex SupportOf(const SA& a, const SB& b, const P3& d)
{
    TVertex v;
    v.A = a.Support(d);
    v.B = b.Support(Mul(d, -1.0));
    v.W = Sub(v.A, v.B);
    return v;
}

// The working simplex of GJK with the weights of its point nearest the
// origin.
struct TSimplex {
    std::array<TVertex, 4> V;
    std::array<double, 4> L{};
    int N = 0;

    P3 Point() const
    {
        P3 p{0, 0, 0};
        for (int i = 0; i < N; ++i) p = Add(p, Mul(V[i].W, L[i]));
        return p;
    }
    void Witnesses(P3& pa, P3& pb) const
    {
        pa = pb = P3{0, 0, 0};
        for (int i = 0; i < N; ++i) {
            pa = Add(pa, Mul(V[i].A, L[i]));
            pb = Add(pb, Mul(V[i].B, L[i]));
        }
    }
};

TSimplex One(const TVertex& a)
{
    TSimplex s;
    s.V[0] = a;
    s.L[0] = 1;
    s.N = 1;
    return s;
}

TSimplex Two(const TVertex& a, const TVertex& b, double t)
{
    TSimplex s;
    s.V[0] = a;
    s.V[1] = b;
    s.L[0] = 1 - t;
    s.L[1] = t;
    s.N = 2;
    return s;
}

TSimplex NearestOnSegment(const TVertex& a, const TVertex& b)
{
    const P3 ab = Sub(b.W, a.W);
    const double len2 = Dot(ab, ab);
    if (!(len2 > 0)) return One(a);
    const double t = -Dot(a.W, ab) / len2;
    if (t <= 0) return One(a);
    if (t >= 1) return One(b);
    return Two(a, b, t);
}

double Dist2(const TSimplex& s)
{
    const P3 p = s.Point();
    return Dot(p, p);
}

// The point of triangle abc nearest the origin, by its Voronoi regions.
TSimplex NearestOnTriangle(const TVertex& a, const TVertex& b, const TVertex& c)
{
    const P3 ab = Sub(b.W, a.W), ac = Sub(c.W, a.W);
    const P3 ap = Mul(a.W, -1.0), bp = Mul(b.W, -1.0), cp = Mul(c.W, -1.0);
    const double d1 = Dot(ab, ap), d2 = Dot(ac, ap);
    if (d1 <= 0 && d2 <= 0) return One(a);
    const double d3 = Dot(ab, bp), d4 = Dot(ac, bp);
    if (d3 >= 0 && d4 <= d3) return One(b);
    const double vc = d1 * d4 - d3 * d2;
    if (vc <= 0 && d1 >= 0 && d3 <= 0) return Two(a, b, d1 / (d1 - d3));
    const double d5 = Dot(ab, cp), d6 = Dot(ac, cp);
    if (d6 >= 0 && d5 <= d6) return One(c);
    const double vb = d5 * d2 - d1 * d6;
    if (vb <= 0 && d2 >= 0 && d6 <= 0) return Two(a, c, d2 / (d2 - d6));
    const double va = d3 * d6 - d5 * d4;
    if (va <= 0 && (d4 - d3) >= 0 && (d5 - d6) >= 0) return Two(b, c, (d4 - d3) / ((d4 - d3) + (d5 - d6)));
    const double sum = va + vb + vc;
    if (!(sum > 0) || !std::isfinite(sum)) {
        // A flat triangle: its nearest point lies on one of its edges.
        TSimplex best = NearestOnSegment(a, b);
        for (const TSimplex& e : {NearestOnSegment(a, c), NearestOnSegment(b, c)})
            if (Dist2(e) < Dist2(best)) best = e;
        return best;
    }
    TSimplex s;
    s.V[0] = a;
    s.V[1] = b;
    s.V[2] = c;
    s.L[1] = vb / sum;
    s.L[2] = vc / sum;
    s.L[0] = 1 - s.L[1] - s.L[2];
    s.N = 3;
    return s;
}

// Reduces the simplex to the face that holds its point nearest the origin.
// False when the origin lies inside the tetrahedron (the solids overlap).
bool ReduceSimplex(TSimplex& s)
{
    switch (s.N) {
    case 1: s.L[0] = 1; return true;
    case 2: s = NearestOnSegment(s.V[0], s.V[1]); return true;
    case 3: s = NearestOnTriangle(s.V[0], s.V[1], s.V[2]); return true;
    default: break;
    }
    // A tetrahedron: the origin is inside when it lies on the inner side of
    // all four faces; otherwise the nearest point is on a face it sees.
    static constexpr int faces[4][4] = {{0, 1, 2, 3}, {0, 3, 1, 2}, {0, 2, 3, 1}, {1, 3, 2, 0}};
    bool inside = true;
    bool found = false;
    TSimplex best;
    double bestD = std::numeric_limits<double>::infinity();
    for (const auto& f : faces) {
        const P3& a = s.V[f[0]].W;
        const P3 n = Cross(Sub(s.V[f[1]].W, a), Sub(s.V[f[2]].W, a));
        const double sideOrigin = -Dot(n, a);
        const double sideOther = Dot(n, Sub(s.V[f[3]].W, a));
        const bool outside = sideOther == 0 || sideOrigin * sideOther < 0 || !std::isfinite(sideOrigin * sideOther);
        if (!outside) continue;
        inside = false;
        const TSimplex t = NearestOnTriangle(s.V[f[0]], s.V[f[1]], s.V[f[2]]);
        const double d = Dist2(t);
        if (!found || d < bestD) {
            best = t;
            bestD = d;
            found = true;
        }
    }
    if (inside) return false;
    s = best;
    return true;
}

// EPA: grows a polytope of support points inside C towards the boundary
// nearest the origin. Returns the smallest support value h(n) met (the
// overlap depth from above) and the witness points of the face it came
// from; false when no solid polytope can be built (C is flat: two segments
// or disks that cross, with no depth).
template <class SA, class SB>
bool Expand(const SA& a, const SB& b, const TSimplex& start, double tol, double& depth, P3& pa, P3& pb)
{
    std::vector<TVertex> verts(start.V.begin(), start.V.begin() + start.N);
    // Complete the simplex to a solid tetrahedron with support points
    // across what it spans so far.
    auto addIfNew = [&](const P3& d) {
        const TVertex v = SupportOf(a, b, d);
        for (const TVertex& u : verts)
            if (Norm(Sub(u.W, v.W)) <= 1e-12 * (1 + MaxAbs(v.W))) return false;
        verts.push_back(v);
        return true;
    };
    static const P3 axes[6] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    for (int i = 0; verts.size() < 2 && i < 6; ++i) addIfNew(axes[i]);
    if (verts.size() == 2) {
        const P3 d = Sub(verts[1].W, verts[0].W);
        for (const P3& ax : axes) {
            const P3 n = Cross(d, ax);
            if (Norm(n) > 1e-9 * Norm(d) && (addIfNew(n) || addIfNew(Mul(n, -1.0)))) break;
        }
    }
    if (verts.size() == 3) {
        const P3 n = Cross(Sub(verts[1].W, verts[0].W), Sub(verts[2].W, verts[0].W));
        if (!addIfNew(n)) addIfNew(Mul(n, -1.0));
    }
    if (verts.size() < 4) return false;
    verts.resize(4);
    const double volume = Dot(Sub(verts[3].W, verts[0].W),
                              Cross(Sub(verts[1].W, verts[0].W), Sub(verts[2].W, verts[0].W)));
    if (!(std::fabs(volume) > 0) || !std::isfinite(volume)) return false;

    // A point inside the polytope, to turn every face outwards.
    const P3 centre = Mul(Add(Add(verts[0].W, verts[1].W), Add(verts[2].W, verts[3].W)), 0.25);
    struct TFace {
        int I[3];
        P3 N;
        double D; // distance of the face's plane from the origin, outwards
        bool Alive;
    };
    std::vector<TFace> faces;
    auto makeFace = [&](int i, int j, int k) {
        TFace f{{i, j, k}, {}, 0, true};
        P3 n = Cross(Sub(verts[j].W, verts[i].W), Sub(verts[k].W, verts[i].W));
        if (Dot(n, Sub(verts[i].W, centre)) < 0) {
            std::swap(f.I[1], f.I[2]);
            n = Mul(n, -1.0);
        }
        const double l = Norm(n);
        if (!(l > 0) || !std::isfinite(l)) return false;
        f.N = Mul(n, 1.0 / l);
        f.D = Dot(f.N, verts[i].W);
        faces.push_back(f);
        return true;
    };
    makeFace(0, 1, 2);
    makeFace(0, 3, 1);
    makeFace(0, 2, 3);
    makeFace(1, 3, 2);

    double bestH = std::numeric_limits<double>::infinity();
    int bestFace = -1;
    for (int step = 0; step < kEpaSteps; ++step) {
        int fi = -1;
        for (int i = 0; i < int(faces.size()); ++i)
            if (faces[i].Alive && (fi < 0 || faces[i].D < faces[fi].D)) fi = i;
        if (fi < 0) break;
        const TFace f = faces[fi];
        const TVertex w = SupportOf(a, b, f.N);
        const double h = Dot(f.N, w.W);
        if (h < bestH) {
            bestH = h;
            bestFace = fi;
        }
        if (h - f.D <= tol) break;
        // Every face the new point sees goes; the horizon's edges each make
        // a new face with it.
        const int wi = int(verts.size());
        verts.push_back(w);
        std::vector<std::pair<int, int>> horizon;
        int seen = 0;
        for (TFace& g : faces) {
            if (!g.Alive || Dot(g.N, w.W) - g.D <= 1e-12 * (1 + MaxAbs(w.W))) continue;
            g.Alive = false;
            ++seen;
            for (int e = 0; e < 3; ++e) {
                const int u = g.I[e], v = g.I[(e + 1) % 3];
                auto twin = std::find(horizon.begin(), horizon.end(), std::make_pair(v, u));
                if (twin != horizon.end())
                    horizon.erase(twin);
                else
                    horizon.emplace_back(u, v);
            }
        }
        // The faces a point sees on a convex polytope form one cap whose rim
        // has at most two edges more than the cap has faces. A longer rim
        // means rounding has bent the polytope (damaged or enormous input):
        // stop with the bound found so far, which holds whatever the
        // polytope looks like.
        if (horizon.empty() || int(horizon.size()) > seen + 2 || faces.size() + horizon.size() > kEpaFaces) break;
        // The face of the best bound may die here: only its vertices are
        // read afterwards, for the witness points.
        for (const auto& [u, v] : horizon) makeFace(u, v, wi);
    }
    if (bestFace < 0) return false;
    depth = bestH;
    // The witnesses: the origin's projection on the face, in the weights of
    // the face's three vertices.
    const TFace& f = faces[bestFace];
    const P3 shift = Mul(f.N, f.D);
    TVertex q[3];
    for (int i = 0; i < 3; ++i) {
        q[i] = verts[f.I[i]];
        q[i].W = Sub(q[i].W, shift);
    }
    const TSimplex onPlane = NearestOnTriangle(q[0], q[1], q[2]);
    onPlane.Witnesses(pa, pb);
    return true;
}

template <class SA, class SB> TSeparation Separate(const SA& a, const SB& b, double tol, double size)
{
    TSeparation r;
    const double margin = kRounding * size;
    const double stop = (tol > 0 && std::isfinite(tol)) ? std::max(tol - 2 * margin, tol / 2) : 1e-9 * size;

    // Start from the points where each solid faces the other's centre.
    P3 towards = Sub(b.Centre(), a.Centre());
    if (!(Dot(towards, towards) > 0)) towards = P3{1, 0, 0};
    TSimplex s = One(SupportOf(a, b, towards));
    P3 v = s.V[0].W;
    double lower = -std::numeric_limits<double>::infinity();
    bool overlap = false;
    for (int step = 0; step < kGjkSteps; ++step) {
        const double vv = Dot(v, v);
        const double vl = std::sqrt(vv);
        if (!(vl > margin)) {
            overlap = true; // the origin is on a simplex inside C
            break;
        }
        const TVertex w = SupportOf(a, b, Mul(v, -1.0));
        lower = std::max(lower, Dot(v, w.W) / vl);
        if (vl - lower <= stop) break;
        bool known = false;
        for (int i = 0; i < s.N; ++i)
            if (s.V[i].W == w.W) known = true;
        if (known) break;
        s.V[s.N] = w;
        ++s.N;
        if (!ReduceSimplex(s)) {
            overlap = true;
            break;
        }
        const P3 next = s.Point();
        if (!Finite(next) || Dot(next, next) >= vv) break; // no more progress in doubles
        v = next;
    }

    if (!overlap) {
        r.Distance = lower - margin;
        r.Overlap = false;
        s.Witnesses(r.PA, r.PB);
        return r;
    }
    double depth = 0;
    r.Overlap = true;
    if (Expand(a, b, s, stop, depth, r.PA, r.PB)) {
        // Both are lower bounds of the signed distance; the solids overlap
        // (or touch within the margin), so it is not above 0 either.
        r.Distance = std::min(std::max(lower, -depth) - margin, 0.0);
    } else {
        // Flat difference set (segments or disks crossing): they touch
        // with no depth.
        r.Distance = -margin;
        s.Witnesses(r.PA, r.PB);
    }
    return r;
}

} // namespace

TSeparation PieceDistance(const TBorePiece& A, const TBorePiece& B, double Tolerance)
{
    const TFrustum a(A), b(B);
    const double size = std::max(a.Size(), b.Size());
    if (!a.Valid() || !b.Valid() || !(size < 1e150)) return TSeparation{}; // no position to measure from
    return Separate(a, b, Tolerance, size);
}

TSeparation PieceToPlane(const TBorePiece& A, const TXYZPoint& Point, const TXYZPoint& Normal)
{
    const TFrustum a(A);
    const double l = Norm(Normal);
    if (!a.Valid() || !Finite(Point) || !(l > 0) || !std::isfinite(l)) return TSeparation{};
    const P3 n = Mul(Normal, 1.0 / l);
    // The piece's point farthest out along the normal is the nearest to
    // the plane; the plane is that far beyond it.
    TSeparation r;
    r.PA = a.Support(n);
    const double exact = Dot(n, Sub(Point, r.PA));
    r.Overlap = exact < 0;
    r.PB = Add(r.PA, Mul(n, exact));
    r.Distance = exact - kRounding * std::max(a.Size(), MaxAbs(Point));
    return r;
}

TSeparation PieceToHull(const TBorePiece& A, const std::vector<TXYZPoint>& Points, double Tolerance)
{
    const TFrustum a(A);
    std::vector<P3> finite;
    finite.reserve(Points.size());
    for (const P3& p : Points)
        if (Finite(p)) finite.push_back(p);
    TSeparation r;
    if (finite.empty()) {
        // No solid to measure to.
        r.Distance = std::numeric_limits<double>::infinity();
        return r;
    }
    const THull h{finite};
    const double size = std::max(a.Size(), h.Size());
    if (!a.Valid() || !(size < 1e150)) return r;
    return Separate(a, h, Tolerance, size);
}

} // namespace qv
