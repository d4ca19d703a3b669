#include "platform/MachineId.h"

#include <gtest/gtest.h>

#include <regex>

namespace {

TEST(MachineId, HasTheDownloadServersFormAndStaysTheSame)
{
    const std::string id = qv::MachineIdentifier();
    EXPECT_TRUE(std::regex_match(id, std::regex("[0-9A-F]{4} - [0-9A-F]{4}"))) << id;
    EXPECT_EQ(qv::MachineIdentifier(), id);
}

} // namespace
