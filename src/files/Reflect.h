#pragma once
// Small reflection helpers for the model: enumerations that know their
// member names, bit sets over them, and the convention that every value
// record and class lists its fields through `Fields(f)`, calling
// f("Name", member) once per field in declared order. The JSON dump and the
// tests walk documents through it.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// Member names of an enumeration, parsed once from the text of its
// declaration list ("muMM, muIN").
class TEnumNames {
public:
    explicit TEnumNames(std::string_view list)
    {
        size_t start = 0;
        while (start < list.size()) {
            size_t end = list.find(',', start);
            if (end == std::string_view::npos) end = list.size();
            std::string_view item = list.substr(start, end - start);
            while (!item.empty() && (item.front() == ' ' || item.front() == '\n')) item.remove_prefix(1);
            while (!item.empty() && (item.back() == ' ' || item.back() == '\n')) item.remove_suffix(1);
            fNames.emplace_back(item);
            start = end + 1;
        }
    }
    int Count() const { return static_cast<int>(fNames.size()); }
    // Empty for an ordinal outside the enumeration.
    std::string_view Name(int64_t ordinal) const
    {
        return ordinal >= 0 && ordinal < Count() ? std::string_view(fNames[ordinal]) : std::string_view();
    }

private:
    std::vector<std::string> fNames;
};

// Declares an enumeration with a 32-bit underlying type (so any stored
// ordinal, in range or not, is a valid value) and its name table, found by
// argument-dependent lookup as EnumNames(E{}).
#define QV_ENUM(Name, ...)                                                    \
    enum Name : int32_t { __VA_ARGS__ };                                      \
    inline const ::qv::TEnumNames& EnumNames(Name)                            \
    {                                                                         \
        static const ::qv::TEnumNames names(#__VA_ARGS__);                    \
        return names;                                                         \
    }

template <class E>
inline int EnumCount() { return EnumNames(E{}).Count(); }

// A set over an enumeration: member n is bit n.
template <class E, class Bits = uint32_t>
struct TSet {
    Bits Value = 0;

    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> members)
    {
        for (E m : members) Include(m);
    }
    static constexpr TSet FromBits(Bits bits) { TSet s; s.Value = bits; return s; }

    constexpr bool Contains(E m) const { return InRange(m) && (Value >> static_cast<int>(m)) & 1u; }
    constexpr void Include(E m) { if (InRange(m)) Value |= static_cast<Bits>(Bits(1) << static_cast<int>(m)); }
    constexpr void Exclude(E m) { if (InRange(m)) Value &= static_cast<Bits>(~(Bits(1) << static_cast<int>(m))); }
    constexpr bool Empty() const { return Value == 0; }
    constexpr void Clear() { Value = 0; }
    friend constexpr bool operator==(TSet a, TSet b) { return a.Value == b.Value; }

private:
    static constexpr bool InRange(E m) { return static_cast<int>(m) >= 0 && static_cast<int>(m) < int(sizeof(Bits) * 8); }
};

template <class T>
concept HasFields = requires(const T& t) { t.Fields([](const char*, const auto&) {}); };

} // namespace qv
