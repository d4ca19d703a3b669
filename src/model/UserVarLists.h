#pragma once
// Project variables: one line per variable, "Name||Value". The design
// program fills title blocks and notes from them by name.
#include <string>
#include <string_view>
#include <vector>

namespace qv {

class TUserVarList {
public:
    std::vector<std::string> fUserVarList; // one "Name||Value" line per variable, in file order

    void Clear() { fUserVarList.clear(); }
    void Assign(const TUserVarList& Source) { fUserVarList = Source.fUserVarList; }

    int GetCount() const { return static_cast<int>(fUserVarList.size()); }
    int Count() const { return GetCount(); }

    // The name is the text before the first "||", the value everything after
    // it (a later "||" belongs to the value). A line without "||" has an
    // empty name and an empty value.
    static std::string NameOf(std::string_view Line);
    static std::string ValueOf(std::string_view Line);

    // The last line whose name equals VarName, ASCII letters compared without
    // regard to case; -1 when there is none.
    int IndexOf(std::string_view VarName) const;
    // The value of the line IndexOf finds, or empty.
    std::string GetValueOf(std::string_view VarName) const;
    // Appends "VarName||VarValue" unless a line for VarName exists already.
    // True when the line was added.
    bool Add(std::string_view VarName, std::string_view VarValue);
    // A line as read from the file, duplicates included.
    void AddLine(std::string Line) { fUserVarList.push_back(std::move(Line)); }

    template <class F> void Fields(F&& f) const { f("fUserVarList", fUserVarList); }
};

} // namespace qv
