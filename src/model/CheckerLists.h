#pragma once
// Checkers: the people who check a design, with the items each has checked.
#include "core/Reflect.h"
#include "model/OwnedList.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

class TQuorvaneFile;

struct TCheckerData {
    std::string Name;
    std::string Initials;

    template <class F> void Fields(F&& f) const { f("Name", Name); f("Initials", Initials); }
};

class TChecker {
public:
    TCheckerData fData;
    std::vector<std::string> fIsCheckedList; // lines kept for the design program

    void Clear()
    {
        fData = TCheckerData{};
        fIsCheckedList.clear();
    }
    void Assign(const TChecker& Source)
    {
        fData = Source.fData;
        fIsCheckedList = Source.fIsCheckedList;
    }
    bool Load(TQuorvaneFile& HF);
    template <class F> void Fields(F&& f) const { f("fData", fData); f("fIsCheckedList", fIsCheckedList); }
};

// The checkers of a design and the selection the design program keeps.
class TCheckerList {
public:
    TOwnedList<TChecker> fCheckerList;
    int32_t fItemIndex = -1;
    bool fAllSelected = false;
    std::string fSelectedInPrint;

    TCheckerList() = default;
    TCheckerList(const TCheckerList&) = delete;
    TCheckerList& operator=(const TCheckerList&) = delete;

    TChecker* Add() { return fCheckerList.Add(); }
    int GetCount() const { return fCheckerList.Count(); }
    int Count() const { return GetCount(); }
    TChecker* GetCheckers(int AIndex) const { return fCheckerList.Items(AIndex); }
    TChecker* Items(int AIndex) const { return GetCheckers(AIndex); }
    TChecker* First() const { return fCheckerList.First(); }
    TChecker* Last() const { return fCheckerList.Last(); }
    void Delete(int AIndex) { fCheckerList.Delete(AIndex); }
    void Exchange(int A, int B) { fCheckerList.Exchange(A, B); }
    void Clear()
    {
        fCheckerList.Clear();
        fItemIndex = -1;
        fAllSelected = false;
        fSelectedInPrint.clear();
    }
    void Assign(const TCheckerList& Source)
    {
        if (&Source == this) return;
        fCheckerList.Assign(Source.fCheckerList);
        fItemIndex = Source.fItemIndex;
        fAllSelected = Source.fAllSelected;
        fSelectedInPrint = Source.fSelectedInPrint;
    }
    // Reads the checkers record after its start tag, up to its end tag;
    // checkers are appended to those already there.
    bool Load(TQuorvaneFile& HF);

    template <class F> void Fields(F&& f) const
    {
        f("fCheckerList", fCheckerList); f("fItemIndex", fItemIndex); f("fAllSelected", fAllSelected);
        f("fSelectedInPrint", fSelectedInPrint);
    }
};

} // namespace qv
