#include "inspect/ManifoldJson.h"

#include "core/Encoding.h"
#include "document/Manifolds.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <type_traits>

namespace qv {
namespace {


class TJsonWriter {
public:
    TJsonWriter(const TJsonOptions& o, bool threadFromTop) : fOpt(o), fThreadFromTop(threadFromTop) {}
    std::string Out;

    template <class T> void Value(const T& v)
    {
        if constexpr (std::is_same_v<T, std::nullptr_t>) {
            Out += "null";
        } else if constexpr (std::is_same_v<T, bool>) {
            Out += v ? "true" : "false";
        } else if constexpr (NamedEnum<T>) {
            const auto name = EnumNames(v).Name(static_cast<int64_t>(v));
            if (name.empty())
                Out += std::to_string(static_cast<int64_t>(v));
            else
                String(name);
        } else if constexpr (std::is_integral_v<T>) {
            Out += std::to_string(static_cast<long long>(v));
        } else if constexpr (std::is_floating_point_v<T>) {
            Double(static_cast<double>(v));
        } else if constexpr (std::is_same_v<T, std::string>) {
            String(v);
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
                Key(std::string(name));
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

    void Key(const std::string& k)
    {
        Item();
        String(k);
        Out += fOpt.Pretty ? ": " : ":";
    }
    void BeginObject() { Out += '{'; fFirst.push_back(true); }
    void EndObject() { Close('}'); }
    void BeginArray() { Out += '['; fFirst.push_back(true); }
    void EndArray() { Close(']'); }
    void Item()
    {
        if (fFirst.empty()) return;
        if (!fFirst.back()) Out += ',';
        fFirst.back() = false;
        Indent();
    }

private:
    void Close(char c)
    {
        const bool empty = fFirst.back();
        fFirst.pop_back();
        if (!empty) Indent();
        Out += c;
    }
    void Indent()
    {
        if (!fOpt.Pretty) return;
        Out += '\n';
        Out.append(fFirst.size() * 2, ' ');
    }
    void Double(double d)
    {
        if (std::isnan(d)) { Out += "\"NaN\""; return; }
        if (std::isinf(d)) { Out += d > 0 ? "\"Infinity\"" : "\"-Infinity\""; return; }
        // 17 significant digits read back bit-identical; to_chars ignores the
        // locale's decimal separator.
        char buf[40];
        const auto r = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::general, 17);
        Out.append(buf, r.ptr);
    }

    void String(std::string_view s) { AppendJsonString(Out, s); }

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
    std::vector<bool> fFirst;
};

} // namespace

std::string ManifoldToJson(const TManifold& M, const TJsonOptions& Options)
{
    TJsonWriter w(Options, M.IsThreadFromTop());
    w.Value(M);
    return w.Out;
}

std::string InspectJson(int DetectedVersion, bool LoadResult, const std::vector<std::string>& Warnings,
                        const TManifold& M, const TJsonOptions& Options)
{
    TJsonWriter w(Options, M.IsThreadFromTop());
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
    w.Out += '\n';
    return w.Out;
}

} // namespace qv
