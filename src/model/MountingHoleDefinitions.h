#pragma once
// Mounting-hole definitions: a set of mounting holes on one face, taken from
// a mounting-hole file. The holes generated from a definition carry its tag.
#include "core/Reflect.h"
#include "model/OwnedList.h"

#include <cstdint>
#include <string>

namespace qv {

class TQuorvaneFile;

struct TMountingHoleDefinitionData {
    int32_t MountingHoleTag = 0;
    int32_t FaceNumber = 6;
    std::string MountingHoleFileName;
    int32_t AmountXXY = 0;
    int32_t AmountYZZ = 0;
    double OffsetXXY = 0.0;
    double OffsetYZZ = 0.0;
    bool UpdateAutomatically = true;

    template <class F> void Fields(F&& f) const
    {
        f("MountingHoleTag", MountingHoleTag); f("FaceNumber", FaceNumber);
        f("MountingHoleFileName", MountingHoleFileName); f("AmountXXY", AmountXXY); f("AmountYZZ", AmountYZZ);
        f("OffsetXXY", OffsetXXY); f("OffsetYZZ", OffsetYZZ); f("UpdateAutomatically", UpdateAutomatically);
    }
};

class TMountingHoleDefinition {
public:
    TMountingHoleDefinitionData fData;

    void Clear() { fData = TMountingHoleDefinitionData{}; }
    void Assign(const TMountingHoleDefinition& Source) { fData = Source.fData; }
    bool Load(TQuorvaneFile& HF);
    template <class F> void Fields(F&& f) const { f("fData", fData); }
};

class TMountingHoleDefinitionList : public TOwnedList<TMountingHoleDefinition> {
public:
    TMountingHoleDefinition* GetDefinitions(int AIndex) const { return Items(AIndex); }
};

} // namespace qv
