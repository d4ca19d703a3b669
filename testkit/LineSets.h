#pragma once
// Sets of straight lines (anything with end points P1 and P2 of X, Y, Z),
// compared regardless of each line's direction and of rounding noise below
// 1e-6: for checking outlines whose order of lines is not fixed.
#include <algorithm>
#include <cmath>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

namespace qv::test {

using TSegment = std::tuple<long, long, long, long, long, long>;
using TSegments = std::multiset<TSegment>;

template <class P> TSegment SegmentOf(const P& a, const P& b)
{
    auto r = [](double v) { return std::lround(v * 1e6); };
    std::tuple ka{r(a.X), r(a.Y), r(a.Z)}, kb{r(b.X), r(b.Y), r(b.Z)};
    if (kb < ka)
        std::swap(ka, kb);
    return std::tuple_cat(ka, kb);
}

template <class L> TSegment SegmentOf(const L& line) { return SegmentOf(line.P1, line.P2); }

template <class L> TSegments SegmentsOf(const std::vector<L>& lines)
{
    TSegments out;
    for (const L& l : lines)
        out.insert(SegmentOf(l));
    return out;
}

// The lines of the closed polygon through the points.
template <class P> TSegments LoopOf(const std::vector<P>& points)
{
    TSegments out;
    for (size_t i = 0; i < points.size(); ++i)
        out.insert(SegmentOf(points[i], points[(i + 1) % points.size()]));
    return out;
}

inline bool Contains(const TSegments& all, const TSegments& part)
{
    return std::includes(all.begin(), all.end(), part.begin(), part.end());
}

} // namespace qv::test
