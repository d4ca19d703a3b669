#pragma once
// Small, realistic designs in the old untagged generations, written with the
// byte builders: the samples in samples/old, seeds for the fuzzer, and input
// for the truncation tests.
#include <string>

namespace qv::samples {

std::string OldDesign500(int Version); // 500, 510, 520, 530 or 540
std::string OldDesign400(int Version); // 400, 410, 415 or 420
std::string OldDesign300();
std::string OldDesign200();

} // namespace qv::samples
