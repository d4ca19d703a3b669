#pragma once
// A small strict JSON reader for the tests of mnf-inspect's answers:
// objects keep their key order, numbers keep their text, strings must be
// well-formed UTF-8.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace qv::test {

struct TJsonMember;

struct TJson {
    enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
    bool b = false;
    std::string text; // the number as written, or the decoded string
    std::vector<TJson> items;
    std::vector<TJsonMember> members;

    const TJson& operator[](const std::string& key) const;
    const TJson& operator[](size_t i) const;
    bool Has(const std::string& key) const;
    std::vector<std::string> Keys() const;
    double Num() const;
    std::vector<std::string> Strings() const;
};

struct TJsonMember {
    std::string first;
    TJson second;
};

inline const TJson& TJson::operator[](const std::string& key) const
{
    if (kind != Object) throw std::runtime_error("not an object, looking for " + key);
    for (const auto& m : members)
        if (m.first == key) return m.second;
    throw std::runtime_error("no key " + key);
}

inline const TJson& TJson::operator[](size_t i) const { return items.at(i); }

inline bool TJson::Has(const std::string& key) const
{
    for (const auto& m : members)
        if (m.first == key) return true;
    return false;
}

inline std::vector<std::string> TJson::Keys() const
{
    std::vector<std::string> k;
    for (const auto& m : members) k.push_back(m.first);
    return k;
}

inline double TJson::Num() const
{
    if (kind != Number) throw std::runtime_error("not a number");
    return std::strtod(text.c_str(), nullptr);
}

inline std::vector<std::string> TJson::Strings() const
{
    std::vector<std::string> s;
    for (const auto& i : items) {
        if (i.kind != String) throw std::runtime_error("not a string");
        s.push_back(i.text);
    }
    return s;
}

class TJsonParser {
public:
    explicit TJsonParser(std::string_view s) : fS(s) {}
    TJson Parse()
    {
        TJson v = Value();
        Space();
        if (fI != fS.size()) Fail("trailing characters");
        return v;
    }

private:
    [[noreturn]] void Fail(const std::string& what) const
    {
        throw std::runtime_error("JSON: " + what + " at " + std::to_string(fI));
    }
    void Space()
    {
        while (fI < fS.size() && (fS[fI] == ' ' || fS[fI] == '\n' || fS[fI] == '\r' || fS[fI] == '\t')) ++fI;
    }
    bool Take(std::string_view word)
    {
        if (fS.substr(fI, word.size()) != word) return false;
        fI += word.size();
        return true;
    }
    TJson Value()
    {
        Space();
        if (fI >= fS.size()) Fail("unexpected end");
        TJson v;
        const char c = fS[fI];
        if (c == '{') {
            v.kind = TJson::Object;
            ++fI;
            Space();
            if (Take("}")) return v;
            do {
                Space();
                if (fI >= fS.size() || fS[fI] != '"') Fail("key expected");
                std::string key = Str();
                Space();
                if (!Take(":")) Fail("colon expected");
                v.members.push_back({std::move(key), Value()});
                Space();
            } while (Take(","));
            if (!Take("}")) Fail("} expected");
        } else if (c == '[') {
            v.kind = TJson::Array;
            ++fI;
            Space();
            if (Take("]")) return v;
            do v.items.push_back(Value());
            while ((Space(), Take(",")));
            if (!Take("]")) Fail("] expected");
        } else if (c == '"') {
            v.kind = TJson::String;
            v.text = Str();
        } else if (Take("true")) {
            v.kind = TJson::Bool;
            v.b = true;
        } else if (Take("false")) {
            v.kind = TJson::Bool;
        } else if (Take("null")) {
        } else {
            v.kind = TJson::Number;
            const size_t start = fI;
            if (fI < fS.size() && fS[fI] == '-') ++fI;
            while (fI < fS.size() && std::strchr("0123456789.eE+-", fS[fI])) ++fI;
            v.text = std::string(fS.substr(start, fI - start));
            char* end = nullptr;
            std::strtod(v.text.c_str(), &end);
            if (v.text.empty() || *end != '\0') Fail("bad number");
        }
        return v;
    }
    static void Append(std::string& out, uint32_t c)
    {
        if (c < 0x80) out += char(c);
        else if (c < 0x800) { out += char(0xC0 | c >> 6); out += char(0x80 | (c & 0x3F)); }
        else if (c < 0x10000) {
            out += char(0xE0 | c >> 12); out += char(0x80 | ((c >> 6) & 0x3F)); out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | c >> 18); out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F)); out += char(0x80 | (c & 0x3F));
        }
    }
    uint32_t Hex4()
    {
        if (fI + 4 > fS.size()) Fail("short \\u");
        const uint32_t v = std::stoul(std::string(fS.substr(fI, 4)), nullptr, 16);
        fI += 4;
        return v;
    }
    std::string Str()
    {
        ++fI; // opening quote
        std::string out;
        for (;;) {
            if (fI >= fS.size()) Fail("unterminated string");
            const unsigned char c = static_cast<unsigned char>(fS[fI]);
            if (c == '"') { ++fI; return out; }
            if (c < 0x20) Fail("raw control character");
            if (c == '\\') {
                ++fI;
                if (fI >= fS.size()) Fail("bad escape");
                const char e = fS[fI++];
                switch (e) {
                case '"': out += '"'; break;
                case '\\': out += '\\'; break;
                case '/': out += '/'; break;
                case 'b': out += '\b'; break;
                case 'f': out += '\f'; break;
                case 'n': out += '\n'; break;
                case 'r': out += '\r'; break;
                case 't': out += '\t'; break;
                case 'u': {
                    uint32_t u = Hex4();
                    if (u >= 0xD800 && u < 0xDC00) {
                        if (!Take("\\u")) Fail("lone surrogate");
                        u = 0x10000 + ((u - 0xD800) << 10) + (Hex4() - 0xDC00);
                    }
                    Append(out, u);
                    break;
                }
                default: Fail("bad escape");
                }
                continue;
            }
            // Well-formed UTF-8 only.
            size_t n = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
            if (n == 0 || fI + n > fS.size()) Fail("bad UTF-8");
            uint32_t cp = n == 1 ? c : n == 2 ? (c & 0x1F) : n == 3 ? (c & 0x0F) : (c & 0x07);
            for (size_t k = 1; k < n; ++k) {
                const unsigned char cb = static_cast<unsigned char>(fS[fI + k]);
                if ((cb & 0xC0) != 0x80) Fail("bad UTF-8");
                cp = cp << 6 | (cb & 0x3F);
            }
            const uint32_t min[] = {0, 0, 0x80, 0x800, 0x10000};
            if (cp < min[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) Fail("bad UTF-8");
            out.append(fS.substr(fI, n));
            fI += n;
        }
    }

    std::string_view fS;
    size_t fI = 0;
};

inline TJson ParseJson(std::string_view s) { return TJsonParser(s).Parse(); }

} // namespace qv::test
