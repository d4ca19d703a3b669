#include "inspect/ManifoldJson.h"

#include "core/Encoding.h"
#include "core/RareText.h"
#include "document/Manifolds.h"
#include "inspect/JsonWriter.h"

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

class TJsonWriter : public json::TJsonStructure {
public:
    TJsonWriter(TJsonSink& sink, const TJsonOptions& o, bool threadFromTop)
        : TJsonStructure(sink, o.Pretty), fOpt(o), fThreadFromTop(threadFromTop) {}

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
