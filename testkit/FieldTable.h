#pragma once
// Tables of record fixtures: each row writes a field or two by hand into an
// otherwise bare record, and names the fields of the loaded document that
// may differ from those of the bare record. The functions below return a
// body (see TestFiles.h) that writes one field with the given tag.
#include "stream/QuorvaneFiles.h"
#include "testkit/Flatten.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qv::test {

using TBody = std::function<void(TQuorvaneFile&)>;

// Brought in whole by the tables: using namespace qv::test::fields.
namespace fields {

inline TBody Int(uint16_t tag, int32_t v) { return [=](TQuorvaneFile& f) { f.WriteInteger(tag, v); }; }
inline TBody Dbl(uint16_t tag, double v) { return [=](TQuorvaneFile& f) { f.WriteDouble(tag, v); }; }
inline TBody Bool(uint16_t tag, bool v) { return [=](TQuorvaneFile& f) { f.WriteBoolean(tag, v); }; }
// A text as raw code-page bytes.
inline TBody Text(uint16_t tag, std::string v) { return [=](TQuorvaneFile& f) { f.WriteAnsiString(tag, v); }; }
// A one-byte payload, such as a Boolean stored as a byte other than 0 and 1.
inline TBody Byte(uint16_t tag, uint8_t b)
{
    return [=](TQuorvaneFile& f) {
        f.WriteVarInfo({tag, 4, 1});
        f.WriteBytes(&b, 1);
    };
}
// a, then b.
inline TBody Both(TBody a, TBody b)
{
    return [=](TQuorvaneFile& f) {
        a(f);
        b(f);
    };
}

} // namespace fields

struct TFieldRow {
    std::string Name;
    TBody Body;
    TFlat Expected; // path -> value in the document of the row's fixture
};

// The flattened document of a fixture whose record holds what the body
// writes, from a manifold file or a viewer file.
using TFixtureLoader = std::function<TFlat(const TBody& body, bool viewer)>;

// Expects every row's document to differ from that of the bare fixture in
// exactly the row's fields, in manifold and in viewer files alike.
void ExpectEachRowSetsItsFields(const std::vector<TFieldRow>& rows, const TFixtureLoader& load);

} // namespace qv::test
