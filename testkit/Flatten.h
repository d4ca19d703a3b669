#pragma once
// Any model object flattened to "path -> value text" through its Fields list,
// so that two objects can be compared field by field and a difference names
// the field. Enumerations and set members show as names, doubles in their
// shortest exact form, lists and string lists also give their ".Count".
#include "core/RareText.h"
#include "core/Reflect.h"

#include <charconv>
#include <cstdint>
#include <map>
#include <string>
#include <type_traits>
#include <vector>

namespace qv::test {

using TFlat = std::map<std::string, std::string>;

template <class E> std::string EnumText(E e)
{
    const auto name = EnumNames(e).Name(static_cast<int64_t>(e));
    return name.empty() ? std::to_string(static_cast<int64_t>(e)) : std::string(name);
}

inline std::string Shortest(double d)
{
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, d);
    return std::string(buf, r.ptr);
}

template <class T> void Flatten(TFlat& out, const std::string& path, const T& v)
{
    if constexpr (std::is_same_v<T, std::nullptr_t>) {
        out[path] = "null";
    } else if constexpr (std::is_same_v<T, bool>) {
        out[path] = v ? "true" : "false";
    } else if constexpr (std::is_enum_v<T>) {
        out[path] = EnumText(v);
    } else if constexpr (std::is_integral_v<T>) {
        out[path] = std::to_string(static_cast<long long>(v));
    } else if constexpr (std::is_floating_point_v<T>) {
        out[path] = Shortest(v);
    } else if constexpr (std::is_same_v<T, std::string> || std::is_same_v<T, TRareText>) {
        out[path] = static_cast<const std::string&>(v);
    } else if constexpr (IsSet<T>::value) {
        // Member names in ordinal order, joined by commas.
        std::string s;
        for (int i = 0; i < int(sizeof(v.Value) * 8); ++i) {
            using E = decltype(SetMember(v));
            if (v.Contains(static_cast<E>(i))) s += (s.empty() ? "" : ",") + EnumText(static_cast<E>(i));
        }
        out[path] = s;
    } else if constexpr (IsEnumArray<T>::value) {
        for (size_t i = 0; i < v.Items.size(); ++i) {
            using E = decltype(ArrayKey(v));
            Flatten(out, path + "." + EnumText(static_cast<E>(i)), v.Items[i]);
        }
    } else if constexpr (IsStdArray<T>::value || IsVector<T>::value) {
        for (size_t i = 0; i < v.size(); ++i) Flatten(out, path + "[" + std::to_string(i) + "]", v[i]);
        if constexpr (IsVector<T>::value) out[path + ".Count"] = std::to_string(v.size());
    } else if constexpr (HasFields<T>) {
        v.Fields([&](const char* name, const auto& member) { Flatten(out, path + "." + name, member); });
    } else if constexpr (ItemList<T>) {
        int i = 0;
        v.ForEachItem([&](const auto& item) { Flatten(out, path + "[" + std::to_string(i++) + "]", item); });
        out[path + ".Count"] = std::to_string(i);
    } else {
        static_assert(sizeof(T) == 0, "no flat form");
    }
}

// The fields of v, keyed ".Name", ".Name.Sub", ".List[2].Name" ...
template <class T> TFlat Flat(const T& v)
{
    TFlat out;
    Flatten(out, "", v);
    return out;
}

// Keys whose values are the same in both flattened objects: compared with
// the defaults, the fields a filled-in sample leaves unchanged.
inline std::vector<std::string> SameValues(const TFlat& a, const TFlat& b)
{
    std::vector<std::string> same;
    for (const auto& [key, value] : a) {
        auto it = b.find(key);
        if (it != b.end() && it->second == value) same.push_back(key);
    }
    return same;
}

// Paths whose values differ between the flattened objects a and b, with the
// value in b ("<missing>" for a path b lacks): what b has that a has not.
inline TFlat Differences(const TFlat& a, const TFlat& b)
{
    TFlat d;
    for (const auto& [k, v] : b) {
        auto it = a.find(k);
        if (it == a.end() || it->second != v) d[k] = v;
    }
    for (const auto& [k, v] : a)
        if (!b.count(k)) d[k] = "<missing>";
    return d;
}

} // namespace qv::test
