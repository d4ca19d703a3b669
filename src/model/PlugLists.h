#pragma once
// Plugs: a summary of the plugged holes of a hole list grouped by plug
// thread, made from the holes and never stored in a file. Also the list of
// integers used for hole numbers and column numbers.
#include "core/Reflect.h"
#include "model/OwnedList.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// Integers with a text form: the numbers in decimal joined by ";".
class TIntegerList {
public:
    std::vector<int32_t> fItems;

    void Add(int32_t V) { fItems.push_back(V); }
    int GetCount() const { return static_cast<int>(fItems.size()); }
    int Count() const { return GetCount(); }
    int32_t Items(int AIndex) const { return fItems.at(static_cast<size_t>(AIndex)); }
    int32_t operator[](int AIndex) const { return Items(AIndex); }
    void Delete(int AIndex)
    {
        if (AIndex >= 0 && AIndex < Count()) fItems.erase(fItems.begin() + AIndex);
    }
    void Clear() { fItems.clear(); }
    void Assign(const TIntegerList& Source) { fItems = Source.fItems; }
    int IndexOf(int32_t V) const;

    std::string GetAsString() const;
    // Clears the list and takes every part that is a whole decimal number in
    // the Integer range; other parts are passed over.
    void SetAsString(std::string_view S);

    template <class F> void ForEachItem(F&& f) const
    {
        for (int32_t v : fItems) f(v);
    }
};

struct TPlugData {
    double OutsideDiameter = 0.0;
    std::string ThreadOfPlug;

    template <class F> void Fields(F&& f) const { f("OutsideDiameter", OutsideDiameter); f("ThreadOfPlug", ThreadOfPlug); }
};

class TPlug {
public:
    TPlugData fData;
    TIntegerList fHoleNumberList; // the holes that take this plug

    void Clear()
    {
        fData = TPlugData{};
        fHoleNumberList.Clear();
    }
    void Assign(const TPlug& Source)
    {
        fData = Source.fData;
        fHoleNumberList.Assign(Source.fHoleNumberList);
    }

    template <class F> void Fields(F&& f) const { f("fData", fData); f("fHoleNumberList", fHoleNumberList); }
};

class TPlugList : public TOwnedList<TPlug> {
public:
    TPlug* GetPlugs(int AIndex) const { return Items(AIndex); }
    using TOwnedList<TPlug>::IndexOf;
    // The plug with this thread, letter case ignored; when several match,
    // the last one. -1 when none does.
    int IndexOf(std::string_view AThread) const;
    // Orders by OutsideDiameter, smallest first (exchange sort).
    void Sort();
};

} // namespace qv
