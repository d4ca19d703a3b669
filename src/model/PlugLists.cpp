#include "model/PlugLists.h"

#include "core/Text.h"
#include "core/Tolerance.h"

#include <algorithm>
#include <charconv>

namespace qv {

// ----------------------------------------------------------- TIntegerList

int TIntegerList::IndexOf(int32_t V) const
{
    for (int i = 0; i < Count(); ++i)
        if (fItems[size_t(i)] == V) return i;
    return -1;
}

std::string TIntegerList::GetAsString() const
{
    std::string s;
    for (size_t i = 0; i < fItems.size(); ++i) {
        if (i > 0) s += ';';
        s += std::to_string(fItems[i]);
    }
    return s;
}

void TIntegerList::SetAsString(std::string_view S)
{
    fItems.clear();
    size_t start = 0;
    for (;;) {
        const size_t end = std::min(S.find(';', start), S.size());
        std::string_view part = S.substr(start, end - start);
        // An explicit plus sign is allowed, but only in front of a digit.
        if (part.size() > 1 && part[0] == '+' && part[1] >= '0' && part[1] <= '9') part.remove_prefix(1);
        int32_t value = 0;
        const auto r = std::from_chars(part.data(), part.data() + part.size(), value);
        if (!part.empty() && r.ec == std::errc() && r.ptr == part.data() + part.size()) fItems.push_back(value);
        if (end >= S.size()) break;
        start = end + 1;
    }
}

// -------------------------------------------------------------- TPlugList

int TPlugList::IndexOf(std::string_view AThread) const
{
    int found = -1;
    for (int i = 0; i < Count(); ++i)
        if (AsciiSameText(Items(i)->fData.ThreadOfPlug, AThread)) found = i;
    return found;
}

void TPlugList::Sort()
{
    for (int p = 0; p + 1 < Count(); ++p)
        for (int q = p + 1; q < Count(); ++q)
            if (CompareValue(Items(p)->fData.OutsideDiameter, Items(q)->fData.OutsideDiameter) > 0) Exchange(p, q);
}

} // namespace qv
