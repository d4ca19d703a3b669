#pragma once
// Small reflection helpers for the model: enumerations that know their
// member names, bit sets over them, and the convention that every value
// record and class lists its fields through `Fields(f)`, calling
// f("Name", member) once per field in declared order. The JSON dump and the
// tests walk documents through it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
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
    // Includes m when On is set, excludes it otherwise.
    constexpr void Set(E m, bool On) { On ? Include(m) : Exclude(m); }
    constexpr bool Empty() const { return Value == 0; }
    constexpr void Clear() { Value = 0; }
    friend constexpr bool operator==(TSet a, TSet b) { return a.Value == b.Value; }

private:
    static constexpr bool InRange(E m) { return static_cast<int>(m) >= 0 && static_cast<int>(m) < int(sizeof(Bits) * 8); }
};

// An array indexed by an enumeration (shown keyed by member name).
template <class E, class T, size_t N>
struct TEnumArray {
    std::array<T, N> Items{};
    T& operator[](E e) { return Items.at(static_cast<size_t>(e)); }
    const T& operator[](E e) const { return Items.at(static_cast<size_t>(e)); }
};

// Traits over the field kinds, for code that walks documents generically.
template <class T> struct IsStdArray : std::false_type {};
template <class T, size_t N> struct IsStdArray<std::array<T, N>> : std::true_type {};
template <class T> struct IsVector : std::false_type {};
template <class T> struct IsVector<std::vector<T>> : std::true_type {};
template <class T> struct IsSet : std::false_type {};
template <class E, class B> struct IsSet<TSet<E, B>> : std::true_type {};
template <class T> struct IsEnumArray : std::false_type {};
template <class E, class T, size_t N> struct IsEnumArray<TEnumArray<E, T, N>> : std::true_type {};
// The enumeration of a set, and the index enumeration of an enum-indexed array.
template <class E, class B> E SetMember(const TSet<E, B>&);
template <class E, class T, size_t N> E ArrayKey(const TEnumArray<E, T, N>&);

template <class T>
concept NamedEnum = std::is_enum_v<T> && requires(T t) { EnumNames(t); };
template <class T>
concept ItemList = requires(const T& t) { t.ForEachItem([](const auto&) {}); };

template <class T>
concept HasFields = requires(const T& t) { t.Fields([](const char*, const auto&) {}); };

} // namespace qv
