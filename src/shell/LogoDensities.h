#pragma once
// The logo pictures kept inside the program, one per screen density: the
// picture of a window is the one whose density is the highest not above
// the window's dots per inch (anything below 120 takes the 96-dpi picture).
// The sizes are the 96-dpi design, 650 x 350, scaled and cut to whole
// pixels. The build renders every picture from one drawing
// (resources/logo/), and the resource loader picks one by this table.
#include <array>
#include <string>

namespace qv {

struct TLogoDensity {
    int Dpi;            // lowest dots per inch that use this picture
    const char* Suffix; // the picture's name is "MAINLOGO_" + Suffix
    int Width, Height;
};

inline constexpr std::array<TLogoDensity, 7> kLogoDensities{{
    {96, "096", 650, 350},
    {120, "120", 812, 437},
    {144, "144", 975, 525},
    {168, "168", 1137, 612},
    {192, "192", 1300, 700},
    {240, "240", 1625, 875},
    {288, "288", 1950, 1050},
}};

// The entry for a window of Dpi dots per inch.
inline const TLogoDensity& LogoDensityFor(int Dpi)
{
    for (size_t i = kLogoDensities.size(); i-- > 1;)
        if (Dpi >= kLogoDensities[i].Dpi) return kLogoDensities[i];
    return kLogoDensities[0];
}

inline std::string LogoResourceName(const TLogoDensity& d) { return std::string("MAINLOGO_") + d.Suffix; }

} // namespace qv
