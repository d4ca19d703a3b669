// A field cut off by the end of the file is never stored in part. The demo
// designs hold every record kind; for each tag in them, the file is cut at
// every byte inside that field (its header and its payload), and the
// document loaded from it must equal the one loaded from the file cut just
// before the field: the field keeps its default or previous value, nothing
// read before the cut is lost, and the load ends with the truncation warning.
#include "Damage.h"
#include "core/Messages.h"
#include "document/Manifolds.h"
#include "testkit/Flatten.h"
#include "testkit/LoadedDesign.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace qv {
namespace {

constexpr size_t kHeaderSize = 40;

// One field as the stream meets it: where its header starts, its tag and
// its payload length.
struct TField {
    size_t At;
    uint16_t Tag;
    uint16_t Length;
};

std::vector<TField> FieldsOf(const std::string& bytes, bool viewer)
{
    std::vector<TField> fields;
    auto word = [&](size_t at) { return uint16_t(uint8_t(bytes[at]) | uint8_t(bytes[at + 1]) << 8); };
    for (size_t at = kHeaderSize; at + 6 <= bytes.size();) {
        uint16_t tag = word(at), length = word(at + 4);
        if (viewer) std::swap(tag, length);
        fields.push_back({at, tag, length});
        at += 6 + length;
    }
    return fields;
}

struct TLoaded {
    bool Loaded = false;
    test::TFlat Flat;
    std::vector<std::string> Messages;
};

TLoaded LoadPrefix(const std::string& bytes, size_t length, bool viewer)
{
    TMessageCollector messages;
    TManifold m;
    TLoaded r;
    r.Loaded = m.LoadFromBytes({std::string_view(bytes).substr(0, length), "cut.mnf", 45000.0}, viewer, false);
    r.Flat = test::FlatDocument(m);
    r.Messages = messages.Texts();
    return r;
}

std::string Show(const test::TFlat& differences)
{
    std::string s;
    for (const auto& [path, value] : differences) s += " " + path + "=" + value;
    return s;
}

TEST(CutOffField, NoFieldIsEverStoredInPart)
{
    for (const auto& [name, viewer] : {std::pair{"demo.mnf", false}, std::pair{"demo.mvf", true}}) {
        SCOPED_TRACE(name);
        const std::string bytes = ReadSample(name);
        ASSERT_GT(bytes.size(), kHeaderSize) << "samples/" << name << " is missing";
        // The first field of each tag; record start and end tags included.
        std::map<uint16_t, TField> firstOfTag;
        for (const TField& f : FieldsOf(bytes, viewer)) firstOfTag.try_emplace(f.Tag, f);
        ASSERT_GT(firstOfTag.size(), 100u) << "the demo should hold every record kind";

        TFaults faults(std::string("fields of ") + name + " cut off");
        for (const auto& [tag, field] : firstOfTag) {
            if (tag == 1999) continue; // the end of the file itself
            const TLoaded before = LoadPrefix(bytes, field.At, viewer);
            const std::string where = "tag " + std::to_string(tag) + " at byte " + std::to_string(field.At);
            if (!before.Loaded || before.Messages.empty() || before.Messages.back() != kTruncatedFileWarning)
                faults.Add(where + ": the file cut before the field does not load as a truncated file");
            for (size_t k = 1; k < 6u + field.Length; ++k) {
                const TLoaded cut = LoadPrefix(bytes, field.At + k, viewer);
                const std::string at = where + ", cut after " + std::to_string(k) + " of its " +
                                       std::to_string(6 + field.Length) + " bytes";
                if (!cut.Loaded) faults.Add(at + ": the load failed");
                if (cut.Messages != before.Messages) faults.Add(at + ": other messages than without the field");
                const test::TFlat changed = test::Differences(before.Flat, cut.Flat);
                if (!changed.empty()) faults.Add(at + ": part of the field was stored:" + Show(changed));
            }
        }
    }
}

} // namespace
} // namespace qv
