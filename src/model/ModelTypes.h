#pragma once
// Value records shared by several model units.
#include "core/Color.h"
#include "core/RareText.h"
#include "core/Reflect.h"

#include <cstdint>
#include <string>

namespace qv {

// First-angle (European) or third-angle (American) projection of the face
// views, in the document header and in each plot set-up.
QV_ENUM(TProjectionMethode, pmEuropean, pmAmerican)

// Catalogue properties of a block or a hole.
struct TProperties {
    TRareText Title;
    TRareText Bitmap;
    TRareText Description;
    TRareText Group;
    bool Use = true;
    TRareText LibraryFile;

    template <class F> void Fields(F&& f) const
    {
        f("Title", Title); f("Bitmap", Bitmap); f("Description", Description);
        f("Group", Group); f("Use", Use); f("LibraryFile", LibraryFile);
    }
    friend bool operator==(const TProperties&, const TProperties&) = default;
};

// A TDateTime: days since 1899-12-30, the fraction is the time of day.
using TDateTime = double;
TDateTime NowLocal();
// Seconds since the Unix epoch (UTC) to a local TDateTime.
TDateTime UnixToLocalDateTime(long long unixSeconds);
// A calendar date (years 1 to 9999) and time of day as a TDateTime; False,
// with Result unchanged, when either is not valid.
bool TryEncodeDateTime(int Year, int Month, int Day, int Hour, int Minute, int Second, TDateTime& Result);

} // namespace qv
