#include "testkit/FieldTable.h"

#include <gtest/gtest.h>

namespace qv::test {

void ExpectEachRowSetsItsFields(const std::vector<TFieldRow>& rows, const TFixtureLoader& load)
{
    for (const bool viewer : {false, true}) {
        const TFlat bare = load({}, viewer);
        for (const auto& row : rows)
            EXPECT_EQ(Differences(bare, load(row.Body, viewer)), row.Expected)
                << row.Name << (viewer ? " in a viewer file" : "");
    }
}

} // namespace qv::test
