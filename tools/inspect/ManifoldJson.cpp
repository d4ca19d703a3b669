#include "inspect/ManifoldJson.h"

#include "core/Encoding.h"
#include "core/JsonText.h"
#include "core/RareText.h"
#include "document/Manifolds.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <memory>
#include <type_traits>
#include <utility>
#include <unistd.h>

namespace qv {

void TJsonFileSink::Write(std::string_view Bytes)
{
    while (!Bytes.empty()) {
        const ssize_t n = ::write(fFd, Bytes.data(), Bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            throw EJsonWriteError(std::string("cannot write the output: ") + std::strerror(errno));
        }
        // A write that takes nothing and reports no error would loop for ever.
        if (n == 0) throw EJsonWriteError("cannot write the output: the output takes no more bytes");
        Bytes.remove_prefix(static_cast<size_t>(n));
    }
}

namespace {

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
constexpr TPlainTable kPlain{};

bool IsPlain(std::string_view s)
{
    for (const char c : s)
        if (!kPlain.Is[static_cast<unsigned char>(c)]) return false;
    return true;
}

class TJsonWriter {
public:
    TJsonWriter(TJsonSink& sink, const TJsonOptions& o, bool threadFromTop)
        : Out(sink), fOpt(o), fThreadFromTop(threadFromTop) {}
    TJsonBuffer Out;

    template <class T> void Value(const T& v)
    {
        if constexpr (std::is_same_v<T, std::nullptr_t>) {
            Out.Put("null");
        } else if constexpr (std::is_same_v<T, bool>) {
            Out.Put(v ? "true" : "false");
        } else if constexpr (NamedEnum<T>) {
            const auto name = EnumNames(v).Name(static_cast<int64_t>(v));
            if (name.empty())
                Integer(static_cast<int64_t>(v));
            else
                String(name);
        } else if constexpr (std::is_integral_v<T>) {
            Integer(static_cast<int64_t>(v));
        } else if constexpr (std::is_floating_point_v<T>) {
            Double(static_cast<double>(v));
        } else if constexpr (std::is_same_v<T, std::string> || std::is_same_v<T, TRareText>) {
            String(static_cast<const std::string&>(v));
        } else if constexpr (IsSet<T>::value) {
            using E = std::remove_cvref_t<decltype(SetMember(v))>;
            BeginArray();
            for (int i = 0; i < int(sizeof(v.Value) * 8); ++i)
                if (v.Contains(static_cast<E>(i))) { Item(); Value(static_cast<E>(i)); }
            EndArray();
        } else if constexpr (IsEnumArray<T>::value) {
            BeginObject();
            using E = std::remove_cvref_t<decltype(ArrayKey(v))>;
            for (size_t i = 0; i < v.Items.size(); ++i) {
                const auto name = EnumNames(static_cast<E>(i)).Name(int64_t(i));
                Key(name);
                Value(v.Items[i]);
            }
            EndObject();
        } else if constexpr (IsStdArray<T>::value || IsVector<T>::value) {
            BeginArray();
            for (const auto& e : v) { Item(); Value(e); }
            EndArray();
        } else if constexpr (HasFields<T>) {
            BeginObject();
            v.Fields([this](const char* name, const auto& member) { Key(name); Value(member); });
            if constexpr (std::is_same_v<T, THole>)
                if (fOpt.Geometry) { Key("Geometry"); Geometry(v); }
            EndObject();
        } else if constexpr (ItemList<T>) {
            BeginArray();
            v.ForEachItem([this](const auto& item) { Item(); Value(item); });
            EndArray();
        } else {
            static_assert(sizeof(T) == 0, "no JSON form for this type");
        }
    }

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
            if (fOpt.Pretty) *p++ = ' ';
            Out.Commit(p);
            return;
        }
        String(k);
        Out.Put(fOpt.Pretty ? std::string_view(": ") : std::string_view(":"));
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
        if (!fOpt.Pretty) return;
        const size_t n = 1 + fFirst.size() * 2;
        char* p = Out.Reserve(n);
        *p = '\n';
        std::memset(p + 1, ' ', n - 1);
        Out.Commit(p + n);
    }
    static constexpr size_t kKeyRoom = 256;

    // Room for any number to_chars writes: 17 digits, sign, point, exponent.
    static constexpr size_t kNumberRoom = 32;

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

    template <class T> void Field(const char* name, const T& v) { Key(name); Value(v); }

    void Geometry(const THole& h)
    {
        const TStepList& s = h.FStepList;
        BeginObject();
        Field("ORingFound", s.ORingFound());
        Field("HasUnderCut", s.GetHasUnderCut());
        Field("MaxDepth", s.GetMaxDepth());
        Field("MaxDiameter", s.GetMaxDiameter());
        Field("MaxDrillDiameter", s.GetMaxDrillDiameter());
        Field("HasThread", s.GetHasThread());
        Field("LocatingShoulder", s.GetLocatingShoulder());
        Field("PortCount", s.GetPortCount());
        Field("IsSimpleORing", h.GetIsSimpleORing());
        Field("PortName", h.GetPortName());
        Key("Steps");
        BeginArray();
        for (int i = 0; i < s.Count(); ++i) {
            const TStep& st = *s.Items(i);
            double reel = 0.0;
            const double end = s.ThreadFromTop(i, fThreadFromTop, reel);
            Item();
            BeginObject();
            Field("TipHeight", st.GetTipHeight());
            Field("ConeDepth", st.GetConeDepth());
            Field("CylinderStartDepth", s.GetCylinderStartDepth(i));
            Field("CylinderTipHeight", s.GetCylinderTipHeight(i));
            Field("CylinderTipStartDepth", s.GetCylinderTipStartDepth(i));
            Field("CylinderTipEndDiameter", s.GetCylinderTipEndDiameter(i));
            Field("CylinderHeight", s.GetCylinderHeight(i));
            Field("ThreadEnd", end);
            Field("ThreadReelLength", reel);
            Field("IsPort", s.GetIsPort(i));
            Field("PortName", s.GetPortName(i));
            Field("PortDiameter", s.GetPortDiameter(i));
            Field("PortCenter", s.GetPortCenter(i));
            Field("MaxDiam", st.GetMaxDiam());
            Field("PrintRemark", st.GetPrintRemark());
            Field("RemarkCode", st.ExtractRemarkCode());
            Field("RemarkText", st.ExtractRemarkText());
            Field("RemarkPortText", st.ExtractRemarkPortText());
            EndObject();
        }
        EndArray();
        EndObject();
    }

    TJsonOptions fOpt;
    bool fThreadFromTop;
    std::vector<char> fFirst; // per open object or array: no item written yet
};

} // namespace

void WriteManifoldJson(TJsonSink& Out, const TManifold& M, const TJsonOptions& Options)
{
    TJsonWriter w(Out, Options, M.IsThreadFromTop());
    w.Value(M);
    w.Out.Flush();
}

void WriteInspectJson(TJsonSink& Out, int DetectedVersion, bool LoadResult, const std::vector<std::string>& Warnings,
                      const TManifold& M, const TJsonOptions& Options)
{
    TJsonWriter w(Out, Options, M.IsThreadFromTop());
    w.BeginObject();
    w.Key("DetectedVersion");
    w.Value(DetectedVersion);
    w.Key("LoadResult");
    w.Value(LoadResult);
    w.Key("Warnings");
    w.Value(Warnings);
    w.Key("Document");
    w.Value(M);
    w.EndObject();
    w.Out.Put('\n');
    w.Out.Flush();
}

std::string ManifoldToJson(const TManifold& M, const TJsonOptions& Options)
{
    TJsonStringSink s;
    WriteManifoldJson(s, M, Options);
    return std::move(s.Text);
}

std::string InspectJson(int DetectedVersion, bool LoadResult, const std::vector<std::string>& Warnings,
                        const TManifold& M, const TJsonOptions& Options)
{
    TJsonStringSink s;
    WriteInspectJson(s, DetectedVersion, LoadResult, Warnings, M, Options);
    return std::move(s.Text);
}

} // namespace qv
