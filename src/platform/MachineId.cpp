#include "platform/MachineId.h"

#include <cstdint>
#include <cstdio>
#include <sys/statvfs.h>

namespace qv {

// The root file system's identifier as statvfs reports it (for ext4 and
// btrfs it is made from the file system's UUID, so it stays the same across
// restarts and differs between installations). Its 64 bits are folded into
// 32 by XOR of the two halves, shown high 16 bits first.
std::string MachineIdentifier()
{
    uint32_t id = 0;
    struct statvfs info {};
    if (statvfs("/", &info) == 0) {
        const uint64_t fsid = info.f_fsid;
        id = static_cast<uint32_t>(fsid) ^ static_cast<uint32_t>(fsid >> 32);
    }
    char text[16];
    std::snprintf(text, sizeof text, "%04X - %04X", static_cast<unsigned>(id >> 16), static_cast<unsigned>(id & 0xFFFF));
    return text;
}

} // namespace qv
