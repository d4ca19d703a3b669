#pragma once
// Assemblies: named variants of the block's equipment. Each alternate valve
// names a hole by its number and holds the valves the variant puts in it.
#include "core/Reflect.h"
#include "model/CrossLists.h"
#include "model/OwnedList.h"
#include "model/ValveLists.h"

#include <cstdint>
#include <string>

namespace qv {

class TQuorvaneFile;

struct TAlternateValveData {
    int32_t HoleNumber = 0;

    template <class F> void Fields(F&& f) const { f("HoleNumber", HoleNumber); }
};

class TAlternateValve {
public:
    TAlternateValveData FData;
    TValveList fValveList;

    TAlternateValve() = default;
    TAlternateValve(const TAlternateValve&) = delete;
    TAlternateValve& operator=(const TAlternateValve&) = delete;

    void Clear()
    {
        FData = TAlternateValveData{};
        fValveList.Clear();
    }
    void Assign(const TAlternateValve& Source)
    {
        FData = Source.FData;
        fValveList.Assign(Source.fValveList);
    }
    bool Load(TQuorvaneFile& HF);
    template <class F> void Fields(F&& f) const { f("FData", FData); f("fValveList", fValveList); }
};

class TAlternateValveList : public TOwnedList<TAlternateValve> {
public:
    TAlternateValve* GetAlternateValves(int AIndex) const { return Items(AIndex); }
};

struct TAssemblyData {
    bool Active = false;
    std::string Name;
    std::string Description;

    template <class F> void Fields(F&& f) const { f("Active", Active); f("Name", Name); f("Description", Description); }
};

class TAssembly {
public:
    TAssemblyData FData;
    TAlternateValveList fAlternateValveList;

    TAssembly() = default;
    TAssembly(const TAssembly&) = delete;
    TAssembly& operator=(const TAssembly&) = delete;

    void Clear()
    {
        FData = TAssemblyData{};
        fAlternateValveList.Clear();
    }
    void Assign(const TAssembly& Source)
    {
        FData = Source.FData;
        fAlternateValveList.Assign(Source.fAlternateValveList);
    }
    bool Load(TQuorvaneFile& HF);
    template <class F> void Fields(F&& f) const { f("FData", FData); f("fAlternateValveList", fAlternateValveList); }
};

class TAssemblyList : public TOwnedList<TAssembly> {
public:
    TAssembly* GetAssemblies(int AIndex) const { return Items(AIndex); }
};

} // namespace qv
