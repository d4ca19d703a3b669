#include "model/UserVarLists.h"

#include "core/Text.h"

namespace qv {

namespace {
constexpr std::string_view kSeparator = "||";
}

std::string TUserVarList::NameOf(std::string_view Line)
{
    const size_t p = Line.find(kSeparator);
    return p == std::string_view::npos ? std::string() : std::string(Line.substr(0, p));
}

std::string TUserVarList::ValueOf(std::string_view Line)
{
    const size_t p = Line.find(kSeparator);
    return p == std::string_view::npos ? std::string() : std::string(Line.substr(p + kSeparator.size()));
}

int TUserVarList::IndexOf(std::string_view VarName) const
{
    for (int i = GetCount() - 1; i >= 0; --i)
        if (AsciiSameText(NameOf(fUserVarList[size_t(i)]), VarName)) return i;
    return -1;
}

std::string TUserVarList::GetValueOf(std::string_view VarName) const
{
    const int i = IndexOf(VarName);
    return i < 0 ? std::string() : ValueOf(fUserVarList[size_t(i)]);
}

bool TUserVarList::Add(std::string_view VarName, std::string_view VarValue)
{
    if (IndexOf(VarName) >= 0) return false;
    std::string line(VarName);
    line += kSeparator;
    line += VarValue;
    fUserVarList.push_back(std::move(line));
    return true;
}

} // namespace qv
