#pragma once
// Small, realistic designs in the old untagged generations, written with the
// byte builders: the samples in samples/old, seeds for the fuzzer, and input
// for the truncation tests.
#include <string>
#include <vector>

namespace qv::samples {

std::string Old500Design(int Version); // 500, 510, 520, 530 or 540
std::string Old400Design(int Version); // 400, 410, 415 or 420
std::string Old300Design();
std::string Old200Design();

// Every old version the loader knows, newest first, and the design of one of
// them (std::invalid_argument for any other number).
const std::vector<int>& OldVersions();
std::string OldDesign(int Version);
// The file name of that design among the samples: "demo-540.mnf".
std::string OldDesignFileName(int Version);

// Writes bytes to a file as they are; std::runtime_error when that fails.
void WriteBytesFile(const std::string& Path, const std::string& Bytes);

} // namespace qv::samples
