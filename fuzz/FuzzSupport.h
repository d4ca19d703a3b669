#pragma once
// What the fuzz targets share. Every input reaches the loaders from memory.
// Each target catches the loader's messages (truncation and newer-version
// warnings) with a TMessageCollector per input, so that nothing is printed
// and nothing blocks.
#include "core/Messages.h"

#include <cstdint>
#include <string_view>

namespace {

// A low hole limit, so that inputs of fuzzing size reach the limit's path
// too.
constexpr int kFuzzMaxHoles = 100;

} // namespace
