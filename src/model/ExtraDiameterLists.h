#pragma once
// Extra diameters: spot faces and counterbores of a hole whose depth is
// given relative to the hole's locating shoulder. The design program turns
// each into an ordinary step of the hole, so they are only kept here.
#include "core/Reflect.h"
#include "model/OwnedList.h"

#include <cstdint>
#include <string>

namespace qv {

class TQuorvaneFile;

struct TExtraDiameterData {
    double Diameter = 0.0;
    int32_t TopAngle = 180; // included angle of the bottom; 180 is flat
    double LSValue = 0.0;   // how far it ends above the locating shoulder
    std::string Remark = "SPOTFACE";
    bool Hidden = false;
    bool Locked = true;
    bool CounterBore = true;

    template <class F> void Fields(F&& f) const
    {
        f("Diameter", Diameter); f("TopAngle", TopAngle); f("LSValue", LSValue); f("Remark", Remark);
        f("Hidden", Hidden); f("Locked", Locked); f("CounterBore", CounterBore);
    }
};

class TExtraDiameter {
public:
    TExtraDiameterData fData;

    void Clear() { fData = TExtraDiameterData{}; }
    void Assign(const TExtraDiameter& Source) { fData = Source.fData; }
    // Reads the extra-diameter record after its start tag, up to its end tag.
    bool Load(TQuorvaneFile& HF);

    template <class F> void Fields(F&& f) const { f("fData", fData); }
};

class TExtraDiameterList : public TOwnedList<TExtraDiameter> {
public:
    TExtraDiameter* GetExtraDiameters(int AIndex) const { return Items(AIndex); }
    // Orders by LSValue, smallest first (exchange sort: each position is
    // compared with every later one and swapped when it is greater).
    void Sort();
};

} // namespace qv
