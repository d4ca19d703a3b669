#pragma once
// Writers for the hole record (start tag 10000 to end tag 19999) and the
// step record (20000 to 29999), and sample contents for them. By default
// every field is written with its tag, whatever its value, and a flag tag
// for every attribute (False where the attribute is not set); the options
// select the design program's own layout (see WriteOptions.h).
#include "model/HoleLists.h"
#include "model/StepLists.h"
#include "testkit/WriteOptions.h"

#include <vector>

namespace qv::samples {

// A whole hole: its fields and attribute flags, the comment lines, then its
// steps, extra diameters, contour points, valves, texts and manufacturing
// note, each with its own writer. A viewer file leaves out the hole's
// catalogue texts (title, bitmap, description, group and their switch). The
// design program writes the manufacturing note only when it holds anything.
void WriteHole(TQuorvaneFile& HF, const THole& x, const TWriteOptions& o = {});

// A whole step. The design program stores the thread name, length and
// outside diameter of threaded steps only; a viewer file leaves out the
// machine code, the tolerances and the port name.
void WriteStep(TQuorvaneFile& HF, const TStepData& x, const TWriteOptions& o = {});
inline void WriteStep(TQuorvaneFile& HF, const TStep& x, const TWriteOptions& o = {}) { WriteStep(HF, x.FData, o); }

// Distinct non-default values in every field that a file carries; `seed`
// varies them. A sample hole has two steps, two contour points and one of
// each other nested record. Its selection state and computed start depth
// are not read from files and stay at their defaults.
void FillSampleStep(TStep& x, int seed = 1);
void FillSampleHole(THole& x, int seed = 1);

// Replaces the steps of a hole, deepest first: for building sample holes.
void SetSteps(THole& x, const std::vector<TStepData>& steps);

} // namespace qv::samples
