#pragma once
// The pieces every JSON text of mnf-inspect is written with: a buffer that
// hands the text to a sink a block at a time, and the structure of objects,
// arrays, keys and scalars with optional indentation.
#include "core/JsonText.h"
#include "inspect/ManifoldJson.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

namespace qv::json {

// Collects the text in a fixed block and hands each full block to the sink:
// the output costs one block of memory whatever the size of the design.
class TJsonBuffer {
public:
    explicit TJsonBuffer(TJsonSink& sink) : fSink(sink), fBlock(new char[kSize]), fPos(fBlock.get()) {}

    void Put(char c)
    {
        if (fPos == End()) Flush();
        *fPos++ = c;
    }
    void Put(std::string_view s)
    {
        if (s.size() > size_t(End() - fPos)) {
            Flush();
            if (s.size() > kSize) {
                fSink.Write(s);
                return;
            }
        }
        std::memcpy(fPos, s.data(), s.size());
        fPos += s.size();
    }
    // Room for n bytes written straight into the block; n at most kSize.
    char* Reserve(size_t n)
    {
        if (n > size_t(End() - fPos)) Flush();
        return fPos;
    }
    void Commit(char* end) { fPos = end; }
    void Flush()
    {
        if (fPos != fBlock.get()) fSink.Write(std::string_view(fBlock.get(), size_t(fPos - fBlock.get())));
        fPos = fBlock.get();
    }

private:
    static constexpr size_t kSize = 64 * 1024;
    char* End() const { return fBlock.get() + kSize; }

    TJsonSink& fSink;
    std::unique_ptr<char[]> fBlock;
    char* fPos;
};

// The bytes a JSON string holds as they are: printable ASCII but the
// quote and the backslash.
struct TPlainTable {
    bool Is[256] = {};
    constexpr TPlainTable()
    {
        for (int c = 0x20; c < 0x80; ++c) Is[c] = c != '"' && c != '\\';
    }
};
inline constexpr TPlainTable kPlain{};

inline bool IsPlain(std::string_view s)
{
    for (const char c : s)
        if (!kPlain.Is[static_cast<unsigned char>(c)]) return false;
    return true;
}

// Objects, arrays, keys and scalars; a new object or array knows whether it
// has an item yet, for the commas.
class TJsonStructure {
public:
    TJsonStructure(TJsonSink& sink, bool pretty) : Out(sink), fPretty(pretty) {}
    TJsonBuffer Out;

    void Key(std::string_view k)
    {
        Item();
        // Field and member names are identifiers and need no escaping: they
        // go out in one piece with their quotes and colon.
        if (k.size() <= kKeyRoom && IsPlain(k)) {
            char* p = Out.Reserve(k.size() + 4);
            *p++ = '"';
            std::memcpy(p, k.data(), k.size());
            p += k.size();
            *p++ = '"';
            *p++ = ':';
            if (fPretty) *p++ = ' ';
            Out.Commit(p);
            return;
        }
        String(k);
        Out.Put(fPretty ? std::string_view(": ") : std::string_view(":"));
    }
    void BeginObject() { Out.Put('{'); fFirst.push_back(true); }
    void EndObject() { Close('}'); }
    void BeginArray() { Out.Put('['); fFirst.push_back(true); }
    void EndArray() { Close(']'); }
    void Item()
    {
        if (fFirst.empty()) return;
        if (!fFirst.back()) Out.Put(',');
        fFirst.back() = false;
        Indent();
    }

    static constexpr size_t kKeyRoom = 256;

    // Room for any number to_chars writes: 17 digits, sign, point, exponent.
    static constexpr size_t kNumberRoom = 32;

    void Null() { Out.Put("null"); }
    void Bool(bool b) { Out.Put(b ? "true" : "false"); }
    void Integer(int64_t i)
    {
        char* p = Out.Reserve(kNumberRoom);
        Out.Commit(std::to_chars(p, p + kNumberRoom, i).ptr);
    }
    void Double(double d)
    {
        if (std::isnan(d)) { Out.Put("\"NaN\""); return; }
        if (std::isinf(d)) { Out.Put(d > 0 ? "\"Infinity\"" : "\"-Infinity\""); return; }
        // 17 significant digits read back bit-identical; to_chars ignores the
        // locale's decimal separator.
        char* p = Out.Reserve(kNumberRoom);
        Out.Commit(std::to_chars(p, p + kNumberRoom, d, std::chars_format::general, 17).ptr);
    }

    void String(std::string_view s)
    {
        WriteJsonString(s, [this](std::string_view piece) { Out.Put(piece); });
    }

private:
    void Close(char c)
    {
        const bool empty = fFirst.back();
        fFirst.pop_back();
        if (!empty) Indent();
        Out.Put(c);
    }
    void Indent()
    {
        if (!fPretty) return;
        const size_t n = 1 + fFirst.size() * 2;
        char* p = Out.Reserve(n);
        *p = '\n';
        std::memset(p + 1, ' ', n - 1);
        Out.Commit(p + n);
    }
    bool fPretty;
    std::vector<char> fFirst; // per open object or array: no item written yet
};

} // namespace qv::json
