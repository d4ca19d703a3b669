#include "testkit/OldDesigns.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace qv::samples {

const std::vector<int>& OldVersions()
{
    static const std::vector<int> versions = {540, 530, 520, 510, 500, 420, 415, 410, 400, 300, 200};
    return versions;
}

std::string OldDesign(int Version)
{
    switch (Version) {
    case 540:
    case 530:
    case 520:
    case 510:
    case 500: return Old500Design(Version);
    case 420:
    case 415:
    case 410:
    case 400: return Old400Design(Version);
    case 300: return Old300Design();
    case 200: return Old200Design();
    default: throw std::invalid_argument("no old design of version " + std::to_string(Version));
    }
}

std::string OldDesignFileName(int Version) { return "demo-" + std::to_string(Version) + ".mnf"; }

void WriteBytesFile(const std::string& Path, const std::string& Bytes)
{
    std::FILE* f = std::fopen(Path.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot create " + Path + ": " + std::strerror(errno));
    const bool written = std::fwrite(Bytes.data(), 1, Bytes.size(), f) == Bytes.size();
    const bool closed = std::fclose(f) == 0;
    if (!written || !closed) throw std::runtime_error("cannot write " + Path);
}

} // namespace qv::samples
