#pragma once
// Settings of the design program's wall-thickness check.
#include "core/Reflect.h"
#include "model/OwnedList.h"
#include "stream/QuorvaneFiles.h"

namespace qv {

QV_ENUM(TCalculateFlagNew, cfnUseMultipleWallThicknesses, cfnCheckGroups, cfnCheckPorts, cfnCheckThread,
        cfnShowMountingHolesWithoutProblems, cfnShowFixationHolesWithoutProblems,
        cfnShowDistancesBetweenSpotfaces, cfnShowDistancesInPatterns, cfnShowPortsWithoutConnection,
        cfnShowAllToSmallWallThicknesses, cfnShowDistancesEvenForConnectedHoles,
        cfnShowAreaErrorsEvenForConnecedHoles, cfnMoveWallThicknessToGroups, cfnEmptyLineBetweenHoles,
        cfnShowApprovedErrors)
using TCalculateFlagsNew = TSet<TCalculateFlagNew>;

QV_ENUM(TSelectWallDiameter, swdAverageOfDiameters, swdSmallestDiameter, swdLargestDiameter)

struct TCalculateSettinsNewData {
    double Wallthickness = 5.0;
    double WallthicknessMountingHoles = 5.0;
    double ErrorIndicatorSize = 20.0;
    double ErrorTextSize = 2.5;
    TCalculateFlagsNew Flags{cfnCheckGroups, cfnCheckPorts, cfnCheckThread, cfnShowPortsWithoutConnection,
                             cfnShowAllToSmallWallThicknesses, cfnShowDistancesEvenForConnectedHoles};
    TSelectWallDiameter SelectWallDiameter = swdAverageOfDiameters;
    double ThreadCorrection = 0.0;

    // The values an inch document starts from.
    static TCalculateSettinsNewData InchDefaults()
    {
        TCalculateSettinsNewData d;
        d.Wallthickness = 0.2;
        d.WallthicknessMountingHoles = 0.2;
        d.ErrorIndicatorSize = 0.75;
        d.ErrorTextSize = 0.1;
        return d;
    }

    template <class F> void Fields(F&& f) const
    {
        f("Wallthickness", Wallthickness); f("WallthicknessMountingHoles", WallthicknessMountingHoles);
        f("ErrorIndicatorSize", ErrorIndicatorSize); f("ErrorTextSize", ErrorTextSize); f("Flags", Flags);
        f("SelectWallDiameter", SelectWallDiameter); f("ThreadCorrection", ThreadCorrection);
    }
};

// A diameter range and the wall thickness that applies to its holes.
struct TWallthicknessRangeData {
    double Diameter1 = 0.0;
    double Diameter2 = 0.0;
    double WallThickness = 0.0;

    template <class F> void Fields(F&& f) const
    {
        f("Diameter1", Diameter1); f("Diameter2", Diameter2); f("WallThickness", WallThickness);
    }
};

class TWallThicknessRange {
public:
    TWallthicknessRangeData fData;

    void Clear() { fData = TWallthicknessRangeData{}; }
    void Assign(const TWallThicknessRange& Source) { fData = Source.fData; }
    bool Load(TQuorvaneFile& HF);
    template <class F> void Fields(F&& f) const { f("fData", fData); }
};

class TWallThicknessRangeList : public TOwnedList<TWallThicknessRange> {
public:
    TWallThicknessRange* GetWallthicknessRanges(int AIndex) const { return Items(AIndex); }
};

class TCalculateSettingsNew {
public:
    TCalculateSettinsNewData fData;
    TWallThicknessRangeList fWallThicknessRangeList;

    TCalculateSettingsNew() = default;
    TCalculateSettingsNew(const TCalculateSettingsNew&) = delete;
    TCalculateSettingsNew& operator=(const TCalculateSettingsNew&) = delete;

    void Clear()
    {
        fData = TCalculateSettinsNewData{};
        fWallThicknessRangeList.Clear();
    }
    void Assign(const TCalculateSettingsNew& Source)
    {
        fData = Source.fData;
        fWallThicknessRangeList.Assign(Source.fWallThicknessRangeList);
    }
    // Reads the record after its start tag, up to its end tag. The flag
    // items of a complete record replace the flags as a whole.
    bool Load(TQuorvaneFile& HF);

    template <class F> void Fields(F&& f) const
    {
        f("fData", fData);
        f("fWallThicknessRangeList", fWallThicknessRangeList);
    }
};

} // namespace qv
