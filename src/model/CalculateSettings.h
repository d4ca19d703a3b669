#pragma once
// Settings of the design program's wall-thickness check.
#include "OwnedList.h"
#include "QuorvaneFiles.h"
#include "Reflect.h"

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

// Wall-thickness ranges are not read yet.
struct TWallThicknessRange {
    void Clear() {}
    void Assign(const TWallThicknessRange&) {}
    template <class F> void Fields(F&&) const {}
};
class TWallThicknessRangeList : public TOwnedList<TWallThicknessRange> {};

class TCalculateSettingsNew {
public:
    TCalculateSettinsNewData fData;
    TWallThicknessRangeList fWallThicknessRangeList;

    void Clear()
    {
        fData = TCalculateSettinsNewData{};
        fWallThicknessRangeList.Clear();
    }
    void Load(TQuorvaneFile& HF) { HF.SkipRecord(13999); } // not read yet
    template <class F> void Fields(F&& f) const
    {
        f("fData", fData);
        f("fWallThicknessRangeList", fWallThicknessRangeList);
    }
};

} // namespace qv
