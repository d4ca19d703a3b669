#pragma once
// Groups name the hydraulic circuits of a block (pressure line, tank line,
// pilot oil ...) and give each a colour. A step belongs to a group through its
// group code; the 3D view colours bores by it and lists the groups in its
// group panel.
#include "model/ModelTypes.h"
#include "model/OwnedList.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

class TQuorvaneFile;

struct TGroupData {
    std::string Code; // the key by which steps refer to the group
    TColor Color = 0;
    uint8_t Fill = 0;
    double Flow = 0.0;
    double MaxSpeed = 0.0;

    template <class F> void Fields(F&& f) const
    {
        f("Code", Code); f("Color", Color); f("Fill", Fill); f("Flow", Flow); f("MaxSpeed", MaxSpeed);
    }
};

class TGroup {
public:
    TGroupData FData;

    void Clear() { FData = TGroupData{}; }
    void Assign(const TGroup& Source) { FData = Source.FData; }
    // Reads the group record after its start tag, up to its end tag.
    bool Load(TQuorvaneFile& HF);

    template <class F> void Fields(F&& f) const { f("FData", FData); }
};

class TGroupList : public TOwnedList<TGroup> {
public:
    TGroup* GetGroups(int AIndex) const { return Items(AIndex); }

    using TOwnedList<TGroup>::IndexOf;
    // Position of the first group with this code, letter case ignored in any
    // script; -1 when there is none. The empty code finds a group with an
    // empty code.
    int IndexOf(std::string_view ACode) const;
    int IndexOf(const char* ACode) const { return IndexOf(std::string_view(ACode)); }
    int IndexOf(const std::string& ACode) const { return IndexOf(std::string_view(ACode)); }
    // Colour of the group with this code, or ADefault when there is none.
    TColor ColorOf(std::string_view ACode, TColor ADefault) const;
    // Adds copies of Source's groups whose codes are not in this list yet, in
    // Source's order. A code that occurs twice in Source is added once.
    void Append(const TGroupList& Source);
    // Ascending by code, letter case ignored; groups with equal codes may
    // change their relative order.
    void Sort();
};

} // namespace qv
